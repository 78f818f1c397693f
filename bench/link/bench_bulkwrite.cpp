// A full bulk write (handshake, identification, 784 frames, each acknowledged) against the
// virtual radio with 9600-baud byte timing over a pseudo-terminal, measured against what
// the line and the sender's pacing allow at best.

#include "channels/channelrecord.h"
#include "image/areamap.h"
#include "image/memoryimage.h"
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

    MemoryImage image;
    defaultChannels(image);
    const int frames = Area::BulkWriteFrames;
    ExchangeEngine engine(PortOpener::TransferWindow, Pacing::writeWindow());
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
        engine.startWrite(ExchangeEngine::framesFromImage(image, Area::BulkWriteRows.firstAddress(), frames));
    });
    app.exec();
    const double measured = clock.nsecsElapsed() / 1e9;
    radio.stop();
    if (!ok) {
        std::fprintf(stderr, "the write did not complete\n");
        return 1;
    }

    const uint64_t bytes = radio.bytesIn() + radio.bytesOut();
    // Handshake, identification, then per frame 21 bytes out and one acknowledge back.
    const uint64_t expected = Protocol::HandshakeBytes + Protocol::IdentificationBytes + uint64_t(frames) * (21 + 1);
    const double floor = bytes * 10.0 / 9600.0;
    // 15 ms before the handshake and before each frame.
    const double pauses = (1 + frames) * Pacing::writeWindow().firstTickMs / 1000.0;
    std::printf("bulk write of %d frames at 9600 baud over a pseudo-terminal\n", frames);
    std::printf("  bytes on the wire        %llu (expected %llu)\n", (unsigned long long)bytes,
                (unsigned long long)expected);
    std::printf("  measured                 %.3f s\n", measured);
    std::printf("  wire-time floor          %.3f s   ratio %.3f\n", floor, measured / floor);
    std::printf("  floor + pacing pauses    %.3f s   ratio %.3f (target <= 1.05)\n", floor + pauses,
                measured / (floor + pauses));
    return 0;
}
