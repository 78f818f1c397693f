// A full bulk read (handshake, identification, 200 blocks) against the virtual radio with
// 9600-baud byte timing, measured against what the line and the sender's pacing allow.

#include "timedtransfer.h"

#include "image/areamap.h"
#include "link/protocol.h"

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int blocks = Area::BulkReadBlocks;
    const TimedTransfer t = runTimedTransfer(Pacing::transferWindow(), [&](ExchangeEngine &engine) {
        return engine.startRead(ExchangeEngine::blockAddresses(Area::BulkReadRows.firstAddress(), blocks));
    });
    if (!t.ok) {
        std::fprintf(stderr, "the read did not complete\n");
        return 1;
    }
    // Handshake, identification, the first request with its acknowledge in front, then per
    // block the reply, and for all but the last the acknowledge and the next request.
    const uint64_t expected = Protocol::HandshakeBytes + Protocol::IdentificationBytes + 5
        + uint64_t(blocks) * Protocol::ReadReplyBytes + uint64_t(blocks - 1) * (1 + 4) + 1;
    // 15 ms before each paced frame: the handshake and the 200 read requests. The
    // acknowledge after each reply goes out at once.
    printTransferFigures("bulk read of 200 blocks", t, expected, 1 + blocks, Pacing::transferWindow().firstTickMs);
    return 0;
}
