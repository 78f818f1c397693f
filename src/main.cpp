#include "files/journal.h"
#include "image/document.h"
#include "files/radiohistory.h"
#include "shell/appicon.h"
#include "shell/mainwindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>

namespace {

void setUpParser(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral(
        "Programming software for the Orvane dual-band mobile radios.\n"
        "FILE, when given, is opened once the program has started: a data file (.dat) as File > Open\n"
        "opens it, a configuration text (.yaml, .yml) as File > Import configuration imports it."));
    // "-platform xcb" is one of Qt's own options, not the letters p, l, a, ...
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("the data file or configuration text to open"),
                                 QStringLiteral("[FILE]"));
}

void setUpApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("orvane-cps"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ORVANE_VERSION));
    QCoreApplication::setOrganizationName(QStringLiteral("Orvane"));
}

int usageError(const QString &what)
{
    std::fprintf(stderr, "orvane-cps: %s\nTry 'orvane-cps --help'.\n", qPrintable(what));
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    setUpApplication();
    {
        // --help and --version answer without a display. Qt's own options (-platform,
        // -style, ...) are still among these arguments, so nothing else is judged yet.
        QStringList arguments;
        for (int i = 0; i < argc; ++i)
            arguments << QString::fromLocal8Bit(argv[i]);
        QCommandLineParser early;
        setUpParser(early);
        early.parse(arguments);
        if (early.isSet(QStringLiteral("help")) || early.isSet(QStringLiteral("version"))) {
            QCoreApplication core(argc, argv);
            setUpApplication();
            if (early.isSet(QStringLiteral("help")))
                early.showHelp(0);
            early.showVersion();
        }
    }

    QApplication app(argc, argv);
    setUpApplication();
    // Lets a Wayland compositor match the windows to the installed launcher and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.orvane.cps"));
    QApplication::setWindowIcon(Icons::applicationIcon());

    // Qt has taken its own options out by now; whatever else starts with a dash is wrong.
    QCommandLineParser parser;
    setUpParser(parser);
    if (!parser.parse(QCoreApplication::arguments()))
        return usageError(parser.errorText());
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return usageError(QStringLiteral("one FILE at most, not %1").arg(files.size()));

    // Whatever a window proves a radio holds joins that radio's history.
    RadioHistory::install();
    MainWindow window;
    window.startUp();
    // From the start-up state on, every step the document takes is kept. A journal that
    // cannot be started costs the run nothing else.
    Journal journal(Document::instance());
    journal.start();
    window.showRecoverable();
    // After the whole start-up, as if the user had opened it then: one undo step, and a
    // file that does not load leaves the start-up image with its message.
    if (!files.isEmpty())
        window.openFile(files.first());
    return app.exec();
}
