// The changed-only write against the blind bulk write, at 9600-baud timing against the
// virtual radio, in one run:
//   - the bulk read alone and the blind write of 784 frames, as the yardsticks;
//   - a one-channel change (its record and its name frame);
//   - a change of every channel (every record and every name).
// For each changed-only case: the frames written, the time from the start to "checked"
// (read, compare, backup, write, read-back), the part from the button to "checked", and the
// ratios the goals name: whole run / blind write, whole run - read alone, and for the
// every-channel case whole run / (read + blind write).

#include "timedtransfer.h"

#include "channels/channelrecord.h"
#include "files/backups.h"
#include "image/areamap.h"
#include "image/memoryimage.h"
#include "link/bulkwrite.h"
#include "link/changedwrite.h"
#include "shell/bulkwritesteps.h"

#include <QEventLoop>

namespace {

struct ChangedRun
{
    bool ok = false;
    int frames = 0;
    double whole = 0;  // start to checked
    double button = 0; // button to checked
};

// The radio holds `held`; the program's plan is `plan`.
ChangedRun runChanged(const MemoryImage &held, const MemoryImage &plan)
{
    ChangedRun result;
    QTemporaryDir folder;
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

    ExchangeEngine engine(Pacing::transferWindow());
    ChangedWrite changes(engine);
    QEventLoop loop;
    QElapsedTimer clock, fromButton;
    QObject::connect(&changes, &ChangedWrite::compared, &loop, [&] {
        result.frames = changes.frames().size();
        fromButton.start();
        if (!changes.write([](const MemoryImage &r, const RadioIdentity &id) {
                const FileResult kept = Backups::keep(r, id.number);
                return kept.ok ? QString() : kept.message(false);
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
        if (!changes.compare(plan))
            loop.quit();
    });
    loop.exec();
    result.whole = clock.nsecsElapsed() / 1e9;
    result.button = fromButton.nsecsElapsed() / 1e9;
    radio.stop();
    MemoryImage planned(plan);
    BulkWrite::prepare(planned);
    const QByteArray wanted = planned.rows(0, Area::BulkWriteFrames);
    if (radio.memory(0, wanted.size()) != std::vector<uint8_t>(wanted.begin(), wanted.end())) {
        std::fprintf(stderr, "the radio does not hold the plan\n");
        result.ok = false;
    }
    PortNames::resetLinkFolder();
    return result;
}

void report(const char *what, const ChangedRun &run, double read, double blind)
{
    std::printf("%s\n", what);
    std::printf("  frames written           %d\n", run.frames);
    std::printf("  start to checked         %.3f s   / blind write %.3f   - read alone %+.3f s\n", run.whole,
                run.whole / blind, run.whole - read);
    std::printf("  button to checked        %.3f s\n", run.button);
    std::printf("  / (read + blind write)   %.3f\n", run.whole / (read + blind));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    installBulkWriteSteps();
    QTemporaryDir dataHome;
    qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());

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
    std::printf("at 9600 baud over a pseudo-terminal\n");
    std::printf("bulk read alone            %.3f s\n", read.seconds);
    std::printf("blind write of 784 frames  %.3f s\n", blind.seconds);

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

    const ChangedRun one = runChanged(oneHeld, oneChannel);
    const ChangedRun all = runChanged(everyHeld, every);
    if (!one.ok || !all.ok) {
        std::fprintf(stderr, "a changed-only write did not complete\n");
        return 1;
    }
    report("one-channel change", one, read.seconds, blind.seconds);
    report("every-channel change", all, read.seconds, blind.seconds);
    std::printf("goals: one channel within 2 s of the read (%s), 2 frames (%s); every channel not slower than "
                "read + blind write (%s)\n",
                one.whole - read.seconds <= 2.0 ? "met" : "missed", one.frames == 2 ? "met" : "missed",
                all.whole <= read.seconds + blind.seconds ? "met" : "missed");
    return 0;
}
