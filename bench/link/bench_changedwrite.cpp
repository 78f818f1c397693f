// The quick write and the changed-only write against the blind bulk write, at 9600-baud
// timing against the virtual radio, in one run:
//   - the blind write of 784 frames (and the bulk read alone), as the yardsticks;
//   - a one-channel change (its record and its name frame), by the quick write (the
//     radio's history as the baseline, only the touched blocks read) and by the
//     changed-only write (the whole radio read first);
//   - a change of every channel (every record and every name), both ways.
// For each: the time from the start (the menu entry or the command) to "checked", the
// frames written and the blocks read, and the ratio to the blind write. For the quick
// one-channel write also the floor the protocol allows: the bytes on the wire at 960 B/s
// plus the sender's first tick before every frame the program queues.

#include "timedtransfer.h"

#include "channels/channelrecord.h"
#include "files/radiohistory.h"
#include "image/areamap.h"
#include "image/memoryimage.h"
#include "link/bulkwrite.h"
#include "link/changedwrite.h"
#include "shell/bulkwritesteps.h"

#include <QEventLoop>

namespace {

struct Run
{
    bool ok = false;
    bool quick = false;
    int frames = 0;
    int blocksBefore = 0; // read before the write (the probe, or the whole read)
    int blocksAfter = 0;  // read back
    int exchanges = 0;    // handshakes
    uint64_t bytes = 0;
    double seconds = 0;   // start to checked
    double button = 0;    // "Write N changes" to checked
};

// The radio holds `held`; the program's plan is `plan`. A quick run first puts what the
// radio holds into its history, as the last read or write would have.
Run runChanged(const MemoryImage &held, const MemoryImage &plan, bool quick)
{
    Run result;
    QTemporaryDir folder, history;
    qputenv("XDG_DATA_HOME", history.path().toLocal8Bit());
    vradio::VirtualRadio radio;
    std::string error;
    if (!radio.open(&error) || !radio.linkAsCom(1, folder.path().toStdString(), &error)) {
        std::fprintf(stderr, "virtual radio: %s\n", error.c_str());
        return result;
    }
    const QByteArray bytes = held.rows(0, Area::BulkReadRows.rowCount());
    radio.setMemory(0, std::vector<uint8_t>(bytes.begin(), bytes.end()));
    radio.setByteTiming(true);
    radio.start();
    PortNames::setLinkFolder(folder.path());
    PortNames::setPortNumber(1);
    if (quick) {
        RadioIdentity id;
        id.number = QString::fromStdString(vradio::Identity{}.number);
        id.modelName = QString::fromStdString(vradio::Identity{}.modelName);
        RadioHistory::record(held, id, RadioHistory::Kind::Written);
    }

    ExchangeEngine engine(Pacing::transferWindow());
    ChangedWrite changes(engine);
    QEventLoop loop;
    QElapsedTimer clock, fromButton;
    QObject::connect(&changes, &ChangedWrite::compared, &loop, [&] {
        result.frames = changes.frames().size();
        result.quick = changes.isQuick();
        result.blocksBefore = radio.readRequests();
        fromButton.start();
        if (!changes.write([](const MemoryImage &r, const RadioIdentity &id) {
                const RadioHistory::Recorded kept = RadioHistory::record(r, id, RadioHistory::Kind::BeforeWrite);
                return kept.result.ok ? QString() : kept.result.message(false);
            }))
            loop.quit();
    });
    QObject::connect(&changes, &ChangedWrite::finished, &loop, [&] {
        result.ok = true;
        loop.quit();
    });
    QObject::connect(&changes, &ChangedWrite::failed, &loop, &QEventLoop::quit);
    QTimer::singleShot(0, &loop, [&] {
        clock.start();
        const bool started = quick ? changes.compareQuick(plan, &RadioHistory::quickBaseline) : changes.compare(plan);
        if (!started)
            loop.quit();
    });
    loop.exec();
    result.seconds = clock.nsecsElapsed() / 1e9;
    result.button = fromButton.nsecsElapsed() / 1e9;
    radio.stop();
    result.blocksAfter = radio.readRequests() - result.blocksBefore;
    result.exchanges = radio.handshakes();
    result.bytes = radio.bytesIn() + radio.bytesOut();
    MemoryImage planned(plan);
    BulkWrite::prepare(planned);
    const QByteArray wanted = planned.rows(0, Area::BulkWriteFrames);
    if (radio.memory(0, wanted.size()) != std::vector<uint8_t>(wanted.begin(), wanted.end())) {
        std::fprintf(stderr, "the radio does not hold the plan\n");
        result.ok = false;
    }
    if (quick && !result.quick) {
        std::fprintf(stderr, "the quick write fell back to the whole read\n");
        result.ok = false;
    }
    PortNames::resetLinkFolder();
    return result;
}

// Bytes at 960 B/s, plus the 15 ms first tick before every handshake, request and frame.
double floorOf(const Run &run)
{
    const int queued = run.exchanges + run.blocksBefore + run.blocksAfter + run.frames;
    return run.bytes / 960.0 + queued * Pacing::transferWindow().firstTickMs / 1000.0;
}

void report(const char *what, const Run &run, double blind)
{
    std::printf("%-38s %7.3f s  %4d frames  %3d + %3d blocks  %2d exchanges  / blind %.3f\n", what, run.seconds,
                run.frames, run.blocksBefore, run.blocksAfter, run.exchanges, run.seconds / blind);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    installBulkWriteSteps();

    MemoryImage plan;
    defaultChannels(plan);
    MemoryImage prepared(plan);
    BulkWrite::prepare(prepared);

    const TimedTransfer read = runTimedTransfer(Pacing::transferWindow(), [](ExchangeEngine &engine) {
        return engine.startRead(ExchangeEngine::blockAddresses(0, Area::BulkReadBlocks));
    });
    const TimedTransfer blind = runTimedTransfer(Pacing::writeWindow(), [&](ExchangeEngine &engine) {
        return engine.startWrite(ExchangeEngine::framesFromImage(prepared, 0, Area::BulkWriteFrames));
    });
    if (!read.ok || !blind.ok) {
        std::fprintf(stderr, "a yardstick transfer did not complete\n");
        return 1;
    }

    // One channel: the radio holds the plan but for channel 3's record and name.
    MemoryImage oneHeld(prepared);
    ChannelRecord(oneHeld, 3).clear();
    MemoryImage oneChannel(plan);
    ChannelRecord ch(oneChannel, 3);
    ch.create();
    ch.setRxFrequency(QStringLiteral("145.5"));
    ch.setTxFrequency(QStringLiteral("145.5"));
    ch.setName(QStringLiteral("BENCH"));
    // Every channel: each record and each name differs from what the radio holds.
    MemoryImage everyHeld(prepared);
    MemoryImage every(plan);
    for (int n = 0; n < ChannelRecord::Count; ++n) {
        ChannelRecord(everyHeld, n).clear();
        ChannelRecord c(every, n);
        c.create();
        c.setRxFrequency(QStringLiteral("%1").arg(440.0 + n * 0.025, 0, 'f', 3));
        c.setTxFrequency(QStringLiteral("%1").arg(440.0 + n * 0.025, 0, 'f', 3));
        c.setName(QStringLiteral("C%1").arg(n));
    }

    const Run oneQuick = runChanged(oneHeld, oneChannel, true);
    const Run oneChanged = runChanged(oneHeld, oneChannel, false);
    const Run allQuick = runChanged(everyHeld, every, true);
    const Run allChanged = runChanged(everyHeld, every, false);
    if (!oneQuick.ok || !oneChanged.ok || !allQuick.ok || !allChanged.ok) {
        std::fprintf(stderr, "a write did not complete\n");
        return 1;
    }
    std::printf("at 9600 baud over a pseudo-terminal, start to checked\n");
    std::printf("%-38s %7.3f s  %4d frames  %3d + %3d blocks\n", "blind write (Write to radio)", blind.seconds,
                Area::BulkWriteFrames, 0, 0);
    std::printf("%-38s %7.3f s  %4d frames  %3d + %3d blocks\n", "bulk read alone", read.seconds, 0,
                Area::BulkReadBlocks, 0);
    report("one channel, quick write", oneQuick, blind.seconds);
    report("one channel, changed-only write", oneChanged, blind.seconds);
    report("every channel, quick write", allQuick, blind.seconds);
    report("every channel, changed-only write", allChanged, blind.seconds);
    const double floor = floorOf(oneQuick);
    std::printf("one channel, quick: %llu bytes on the wire = %.3f s at 960 B/s, + %d first ticks of 15 ms = floor %.3f s;"
                " measured / floor %.2f; button to checked %.3f s\n",
                (unsigned long long)oneQuick.bytes, oneQuick.bytes / 960.0,
                oneQuick.exchanges + oneQuick.blocksBefore + oneQuick.blocksAfter + oneQuick.frames, floor,
                oneQuick.seconds / floor, oneQuick.button);
    std::printf("goals: one channel quick <= 1.5 s (%s), / blind <= 0.05 (%s), <= 2 + 2 blocks and 2 frames (%s); "
                "every channel quick not slower than changed-only (%s)\n",
                oneQuick.seconds <= 1.5 ? "met" : "missed", oneQuick.seconds / blind.seconds <= 0.05 ? "met" : "missed",
                oneQuick.blocksBefore <= 2 && oneQuick.blocksAfter <= 2 && oneQuick.frames == 2 ? "met" : "missed",
                allQuick.seconds <= allChanged.seconds ? "met" : "missed");
    return 0;
}
