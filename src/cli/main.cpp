// orvane-cli: the programming software's jobs from the command line.

#include "cli/commandline.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("orvane-cli"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    CommandLine commandLine(out, err, isatty(fileno(stderr)) != 0);
    const int code = commandLine.run(QCoreApplication::arguments().mid(1));
    out.flush();
    err.flush();
    return code;
}
