// A full bulk write (handshake, identification, 784 frames, each acknowledged) against the
// virtual radio with 9600-baud byte timing, measured against what the line and the
// sender's pacing allow.

#include "timedtransfer.h"

#include "channels/channelrecord.h"
#include "image/areamap.h"
#include "image/memoryimage.h"
#include "link/protocol.h"

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    MemoryImage image;
    defaultChannels(image);
    const int frames = Area::BulkWriteFrames;
    const TimedTransfer t = runTimedTransfer(Pacing::writeWindow(), [&](ExchangeEngine &engine) {
        return engine.startWrite(ExchangeEngine::framesFromImage(image, Area::BulkWriteRows.firstAddress(), frames));
    });
    if (!t.ok) {
        std::fprintf(stderr, "the write did not complete\n");
        return 1;
    }
    // Handshake, identification, then per frame 21 bytes out and one acknowledge back.
    const uint64_t expected = Protocol::HandshakeBytes + Protocol::IdentificationBytes + uint64_t(frames) * (21 + 1);
    // 15 ms before the handshake and before each frame.
    printTransferFigures("bulk write of 784 frames", t, expected, 1 + frames, Pacing::writeWindow().firstTickMs);
    return 0;
}
