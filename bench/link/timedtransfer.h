#pragma once

// Runs one exchange against the virtual radio with 9600-baud byte timing over a
// pseudo-terminal and reports how long it took and how many bytes crossed the line.

#include "link/exchangeengine.h"
#include "platform/portnames.h"
#include "virtualradio.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <functional>

struct TimedTransfer
{
    bool ok = false;
    double seconds = 0;
    uint64_t bytes = 0;
};

// The exchange of `engine` (a window's own, say), started by `start`.
inline TimedTransfer runTimedTransferOn(ExchangeEngine &engine, const std::function<bool()> &start)
{
    TimedTransfer result;
    QTemporaryDir folder;
    vradio::VirtualRadio radio;
    std::string error;
    if (!radio.open(&error) || !radio.linkAsCom(1, folder.path().toStdString(), &error)) {
        std::fprintf(stderr, "virtual radio: %s\n", error.c_str());
        return result;
    }
    radio.setByteTiming(true);
    radio.start();
    PortNames::setLinkFolder(folder.path());
    PortNames::setPortNumber(1);

    QEventLoop loop;
    QElapsedTimer clock;
    QObject::connect(&engine, &ExchangeEngine::finished, &loop, [&] {
        result.ok = true;
        loop.quit();
    });
    QObject::connect(&engine, &ExchangeEngine::failed, &loop, &QEventLoop::quit);
    QObject::connect(&engine, &ExchangeEngine::portOpenFailed, &loop, &QEventLoop::quit);
    QTimer::singleShot(0, &loop, [&] {
        clock.start();
        if (!start())
            loop.quit();
    });
    loop.exec();
    result.seconds = clock.nsecsElapsed() / 1e9;
    radio.stop();
    result.bytes = radio.bytesIn() + radio.bytesOut();
    PortNames::resetLinkFolder();
    return result;
}

inline TimedTransfer runTimedTransfer(const Pacing &pacing, const std::function<bool(ExchangeEngine &)> &start)
{
    ExchangeEngine engine(pacing);
    return runTimedTransferOn(engine, [&] { return start(engine); });
}

inline void printTransferFigures(const char *what, const TimedTransfer &t, uint64_t expectedBytes, int pacedFrames,
                                 int firstTickMs)
{
    const double floor = t.bytes * 10.0 / 9600.0;
    const double pauses = pacedFrames * firstTickMs / 1000.0;
    std::printf("%s at 9600 baud over a pseudo-terminal\n", what);
    std::printf("  bytes on the wire        %llu (expected %llu)\n", (unsigned long long)t.bytes,
                (unsigned long long)expectedBytes);
    std::printf("  measured                 %.3f s\n", t.seconds);
    std::printf("  wire-time floor          %.3f s   ratio %.3f\n", floor, t.seconds / floor);
    std::printf("  floor + pacing pauses    %.3f s   ratio %.3f (target <= 1.02)\n", floor + pauses,
                t.seconds / (floor + pauses));
}
