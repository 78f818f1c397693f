// Saves and loads a full memory image through a ".dat" file many times and prints the
// median time of each against the 5 ms a user would start to notice.

#include "files/datafile.h"
#include "image/memoryimage.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace {

constexpr double TargetMs = 5.0;
constexpr int Runs = 200;

double medianMs(std::vector<qint64> &ns)
{
    std::sort(ns.begin(), ns.end());
    return ns[ns.size() / 2] / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);

    QTemporaryDir dir;
    if (!dir.isValid()) {
        out << "cannot create a temporary folder\n";
        return 1;
    }
    const QString path = dir.filePath(QStringLiteral("bench.dat"));

    MemoryImage image;
    QRandomGenerator random(1);
    for (int address = 0; address < MemoryImage::Size; ++address)
        image.setAt(address, uint8_t(random.bounded(256)));

    MemoryImage loaded;
    std::vector<qint64> saveNs, loadNs, formatNs, parseNs;
    QElapsedTimer timer;
    for (int run = 0; run < Runs; ++run) {
        timer.start();
        const FileResult saved = DataFile::save(image, path);
        saveNs.push_back(timer.nsecsElapsed());
        timer.start();
        const FileResult read = DataFile::load(loaded, path);
        loadNs.push_back(timer.nsecsElapsed());
        if (!saved.ok || !read.ok || loaded != image) {
            out << "round trip failed: " << saved.messageEn << read.messageEn << "\n";
            return 1;
        }
        timer.start();
        const QByteArray text = DataFile::format(image);
        formatNs.push_back(timer.nsecsElapsed());
        timer.start();
        DataFile::parse(text, loaded);
        parseNs.push_back(timer.nsecsElapsed());
    }

    const double save = medianMs(saveNs);
    const double load = medianMs(loadNs);
    out << QStringLiteral("data file, full image (%1 bytes of text), median of %2 runs\n")
               .arg(DataFile::format(image).size())
               .arg(Runs);
    out << QStringLiteral("  save  %1 ms  (%2 of the %3 ms target; formatting alone %4 ms)\n")
               .arg(save, 0, 'f', 3)
               .arg(save / TargetMs, 0, 'f', 3)
               .arg(TargetMs)
               .arg(medianMs(formatNs), 0, 'f', 3);
    out << QStringLiteral("  load  %1 ms  (%2 of the %3 ms target; parsing alone %4 ms)\n")
               .arg(load, 0, 'f', 3)
               .arg(load / TargetMs, 0, 'f', 3)
               .arg(TargetMs)
               .arg(medianMs(parseNs), 0, 'f', 3);
    return 0;
}
