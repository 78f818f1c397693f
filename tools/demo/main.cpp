// orvane-demo-data: writes the demo radio's memory (data/demo.dat) with the program's own
// data file writer. Run it again after changing the plan in demoimage.cpp.

#include "demoimage.h"

#include "files/datafile.h"
#include "image/memoryimage.h"

#include <QCoreApplication>
#include <QTextStream>
#include <memory>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2 || args.at(1).startsWith(QLatin1Char('-'))) {
        QTextStream(stderr) << "usage: orvane-demo-data FILE.dat\n";
        return 1;
    }
    auto image = std::make_unique<MemoryImage>();
    buildDemoImage(*image);
    const FileResult saved = DataFile::save(*image, args.at(1));
    if (!saved.ok) {
        QTextStream(stderr) << saved.message(false) << '\n';
        return 4;
    }
    return 0;
}
