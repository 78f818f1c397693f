// What the journal costs a step: apply() of 10,000 one-cell steps without a journal and
// with one (snapshots every 1000 steps, as the program runs), in rounds that alternate so
// that a busy machine weighs on both alike. Prints the median, the 99th percentile and
// the worst step of each, the extra at the 99th percentile, and what the steps that took
// a snapshot cost.
//
//   bench/journal/journalcost [--steps N] [--rounds R]

#include "journalsteps.h"

#include "files/journal.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Times
{
    std::vector<double> all;       // microseconds
    std::vector<double> snapshots; // the steps that took a snapshot
};

double percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size() - 1) + 0.5))];
}

void run(int steps, bool journalled, Times &times, const QString &folder)
{
    Document document;
    JournalSteps::startState(document);
    Journal journal(document);
    if (journalled && !journal.start(folder)) {
        std::fprintf(stderr, "cannot start a journal in %s\n", qPrintable(folder));
        std::exit(2);
    }
    QElapsedTimer timer;
    for (int i = 0; i < steps; ++i) {
        const int address = (i * 7919) % 0x3100;
        const uint8_t value = uint8_t(i);
        const int snapshotsBefore = journal.snapshotsTaken();
        timer.start();
        document.applyToImage({QStringLiteral("channel %1 RX frequency").arg(address / 16),
                               QStringLiteral("信道 %1 接收频率").arg(address / 16)},
                              [&](MemoryImage &image) {
                                  image.setAt(address, value);
                                  return true;
                              });
        const double us = double(timer.nsecsElapsed()) / 1000.0;
        times.all.push_back(us);
        if (journal.snapshotsTaken() != snapshotsBefore)
            times.snapshots.push_back(us);
    }
}

void print(const char *name, const Times &t)
{
    std::printf("%-16s median %8.1f us   p99 %8.1f us   worst %8.1f us   (%zu steps)\n", name, percentile(t.all, 0.5),
                percentile(t.all, 0.99), percentile(t.all, 1.0), t.all.size());
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    int steps = 10000;
    int rounds = 3;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args.at(i) == QLatin1String("--steps"))
            steps = args.at(i + 1).toInt();
        else if (args.at(i) == QLatin1String("--rounds"))
            rounds = args.at(i + 1).toInt();
    }
    Times without, with;
    for (int r = 0; r < rounds; ++r) {
        QTemporaryDir folder(QDir::homePath() + QStringLiteral("/.cache/journalcost-XXXXXX"));
        run(steps, false, without, folder.path());
        run(steps, true, with, folder.path());
    }
    print("without journal", without);
    print("with journal", with);
    std::printf("extra at p99     %8.1f us (goal <= 1000 us)\n",
                percentile(with.all, 0.99) - percentile(without.all, 0.99));
    std::printf("extra at median  %8.1f us\n", percentile(with.all, 0.5) - percentile(without.all, 0.5));
    if (!with.snapshots.empty())
        std::printf("snapshot steps   median %8.1f us   worst %8.1f us   (%zu of them, included above)\n",
                    percentile(with.snapshots, 0.5), percentile(with.snapshots, 1.0), with.snapshots.size());
    return 0;
}
