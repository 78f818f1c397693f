// A full bulk read (handshake, identification, 200 blocks) against the virtual radio with
// 9600-baud byte timing over a pseudo-terminal, measured against what the line and the
// sender's pacing allow at best.

#include "image/areamap.h"
#include "link/exchangeengine.h"
#include "link/protocol.h"
#include "platform/portnames.h"
#include "virtualradio.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    vradio::VirtualRadio radio;
    std::string error;
    if (!radio.open(&error) || !radio.linkAsCom(1, folder.path().toStdString(), &error)) {
        std::fprintf(stderr, "virtual radio: %s\n", error.c_str());
        return 1;
    }
    radio.setByteTiming(true);
    radio.start();
    PortNames::setLinkFolder(folder.path());
    PortNames::setPortNumber(1);

    ExchangeEngine engine(PortOpener::TransferWindow, Pacing::transferWindow());
    QElapsedTimer clock;
    bool ok = false;
    QObject::connect(&engine, &ExchangeEngine::finished, &app, [&] {
        ok = true;
        app.quit();
    });
    QObject::connect(&engine, &ExchangeEngine::failed, &app, [&] { app.quit(); });
    QObject::connect(&engine, &ExchangeEngine::portOpenFailed, &app, [&] { app.quit(); });
    QTimer::singleShot(0, &app, [&] {
        clock.start();
        engine.startRead(ExchangeEngine::blockAddresses(Area::BulkReadRows.firstAddress(), Area::BulkReadBlocks));
    });
    app.exec();
    const double measured = clock.nsecsElapsed() / 1e9;
    radio.stop();
    if (!ok) {
        std::fprintf(stderr, "the read did not complete\n");
        return 1;
    }

    // Bytes on the wire, both ways, as the radio counted them.
    const uint64_t bytes = radio.bytesIn() + radio.bytesOut();
    const int blocks = Area::BulkReadBlocks;
    const uint64_t expected = Protocol::HandshakeBytes + Protocol::IdentificationBytes + 5
        + uint64_t(blocks) * Protocol::ReadReplyBytes + uint64_t(blocks - 1) * (1 + 4) + 1;
    const double floor = bytes * 10.0 / 9600.0;
    // 15 ms before each paced frame: the handshake and the 200 read requests. The
    // acknowledge after each reply goes out at once.
    const int pacedFrames = 1 + blocks;
    const double pauses = pacedFrames * Pacing::transferWindow().firstTickMs / 1000.0;
    std::printf("bulk read of %d blocks at 9600 baud over a pseudo-terminal\n", blocks);
    std::printf("  bytes on the wire        %llu (expected %llu)\n", (unsigned long long)bytes,
                (unsigned long long)expected);
    std::printf("  measured                 %.3f s\n", measured);
    std::printf("  wire-time floor          %.3f s   ratio %.3f\n", floor, measured / floor);
    std::printf("  floor + pacing pauses    %.3f s   ratio %.3f (target <= 1.05)\n", floor + pauses,
                measured / (floor + pauses));
    return 0;
}
