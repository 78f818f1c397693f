// The exchange engine against a radio that says whatever the fuzzer makes up, in the
// identification, read and write directions. The radio's end is a scripted line behind
// the engine's own port and the clock is manual, so every input runs the same way, at
// once, through the engine's real receive paths.
//
// Input: one byte chooses the direction, the pacing set and the block or frame count;
// the rest is a script of steps:
//   0x00-0x7F    the next (step + 1) bytes arrive as one receive event
//   0x80-0xBF    (low six bits + 1)^2 ms pass
//   0xC0         a valid identification reply arrives
//   0xC1         the reply to the block the engine last asked for arrives
//   0xC2         an acknowledge arrives
//   0xC3-0xFF    time passes until the frame being sent is out
// When the script ends, time runs on for the worst case; the exchange must have ended.

#include "image/memoryimage.h"
#include "link/exchangeengine.h"
#include "link/protocol.h"
#include "platform/timer.h"
#include "reach.h"
#include "support/scriptedline.h"

#include <QCoreApplication>

namespace {

const Pacing Pacings[] = {Pacing::mainWindow(), Pacing::transferWindow(), Pacing::writeWindow(),
                          Pacing::alignmentTransfer()};

QByteArray identificationReply()
{
    QByteArray reply(50, '\0');
    const char limits[] = {1, 3, 6, 1, 7, 4, 4, 0, 0, 4, 8, 0};
    reply.replace(1, 12, limits, 12);
    reply.replace(13, 4, "QDMX");
    reply.replace(17, 6, "OR-78V");
    reply.replace(23, 6, "V12A03");
    reply.replace(33, 16, "ORV123456789ABCD");
    reply[49] = char(0x55);
    return reply;
}

QByteArray blockReply(int address)
{
    QByteArray reply;
    reply.append(char(0x58)).append(char(address >> 8)).append(char(address)).append(char(0x40));
    uint8_t sum = 0;
    for (int i = 0; i < 64; ++i) {
        const uint8_t b = uint8_t(address + i * 3);
        reply.append(char(b));
        sum = uint8_t(sum + b);
    }
    return reply.append(char(sum));
}

// What the engine must have said in an attempt that ended well, from its handshake on.
QByteArray wellEndedAttempt(ExchangeEngine::Direction direction, const QVector<int> &blocks,
                            const QVector<ExchangeEngine::Frame> &frames)
{
    QByteArray said = Protocol::handshake();
    if (direction == ExchangeEngine::Direction::Read) {
        said += Protocol::readRequest(blocks[0], true);
        for (int k = 1; k < blocks.size(); ++k)
            said += char(Protocol::Ack) + Protocol::readRequest(blocks[k], false);
        said += char(Protocol::Ack);
    } else if (direction == ExchangeEngine::Direction::Write) {
        for (const ExchangeEngine::Frame &frame : frames)
            said += Protocol::writeFrame(frame.address, frame.data);
    }
    return said;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    Timer::setManualClock(true);
    Reach::expect({"identification finished", "read finished: every block in its slot",
                   "write finished: every frame sent in order", "attempt failed", "failed after the last retry"});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    using Direction = ExchangeEngine::Direction;
    const Direction direction = data[0] % 3 == 0 ? Direction::Identify : data[0] % 3 == 1 ? Direction::Read : Direction::Write;
    const Pacing pacing = Pacings[(data[0] / 3) % 4];
    const int count = 1 + (data[0] / 12) % 8;

    MemoryImage image;
    for (int address = 0; address < count * 16; ++address)
        image.setAt(address, uint8_t(address ^ 0x5A));
    const QVector<int> blocks = ExchangeEngine::blockAddresses(0, count);
    const QVector<ExchangeEngine::Frame> frames = ExchangeEngine::framesFromImage(image, 0, count);

    ScriptedLine line;
    int ends = 0;
    bool finished = false;
    {
        ExchangeEngine engine(pacing);
        engine.port().setLine(&line);
        auto ended = [&] {
            ++ends;
            FUZZ_CHECK(!engine.isBusy() && !engine.isRetryPending(), "busy after the end");
            FUZZ_CHECK(!line.isOpen(), "the port stays open after the end");
        };
        QObject::connect(&engine, &ExchangeEngine::finished, [&] {
            ended();
            finished = true;
            FUZZ_CHECK(engine.completed() == engine.total(), "finished before every block or frame");
            if (std::getenv("ORVANE_FUZZ_DEBUG"))
                std::fprintf(stderr, "said     %s\nexpected %s\n", line.outputSinceOpen().toHex(' ').constData(),
                             wellEndedAttempt(direction, blocks, frames).toHex(' ').constData());
            FUZZ_CHECK(line.outputSinceOpen() == wellEndedAttempt(direction, blocks, frames),
                       "a finished attempt said something else than its frames, in order, once");
            if (direction == Direction::Read) {
                for (int k = 1; k <= count; ++k)
                    FUZZ_CHECK(engine.receiveSlots().storedReplyLength(k) == Protocol::ReadReplyBytes, "a block's slot");
                Reach::hit("read finished: every block in its slot");
            } else if (direction == Direction::Write) {
                Reach::hit("write finished: every frame sent in order");
            } else {
                Reach::hit("identification finished");
            }
        });
        QObject::connect(&engine, &ExchangeEngine::failed, [&] {
            ended();
            FUZZ_CHECK(line.opens() == pacing.retries + 1, "failed other than after the last retry");
            Reach::hit("failed after the last retry");
        });
        QObject::connect(&engine, &ExchangeEngine::attemptFailed, [&] {
            FUZZ_CHECK(!line.isOpen() && engine.isRetryPending(), "a failed attempt holds the port");
            Reach::hit("attempt failed");
        });
        QObject::connect(&engine, &ExchangeEngine::portOpenFailed, [&] { FUZZ_CHECK(false, "the scripted line always opens"); });

        bool started = false;
        switch (direction) {
        case Direction::Identify: started = engine.startIdentification(); break;
        case Direction::Read: started = engine.startRead(blocks); break;
        default: started = engine.startWrite(frames); break;
        }
        FUZZ_CHECK(started, "a transfer did not start");

        auto pass = [](int ms) { Timer::advanceManualClock(ms); };
        size_t at = 1;
        while (at < size && ends == 0) {
            const uint8_t step = data[at++];
            if (step < 0x80) {
                const size_t n = std::min<size_t>(step + 1, size - at);
                line.feed(QByteArray(reinterpret_cast<const char *>(data + at), int(n)));
                at += n;
            } else if (step < 0xC0) {
                const int n = (step & 0x3F) + 1;
                pass(n * n);
            } else if (step == 0xC0) {
                line.feed(identificationReply());
            } else if (step == 0xC1) {
                const int k = std::min(engine.completed(), count - 1);
                line.feed(blockReply(blocks[k]));
            } else if (step == 0xC2) {
                line.feed(QByteArray(1, char(Protocol::Ack)));
            } else {
                for (int i = 0; i < 1000 && engine.isBusy() && !engine.isFrameSent() && ends == 0; ++i)
                    pass(1);
            }
        }

        // Nothing more comes: every attempt left must time out, and the last one fail.
        const int attempt = pacing.firstTickMs + Protocol::WriteFrameBytes * std::max(1, pacing.byteTickMs)
            + pacing.timeoutAfterByteMs + pacing.timeoutAfterLastMs + pacing.retryPauseMs;
        pass((pacing.retries + 2) * attempt);
        FUZZ_CHECK(ends == 1, "the exchange did not end exactly once");
        (void)finished;
    }
    FUZZ_CHECK(!line.isOpen(), "the port stays open after the engine");
    return 0;
}
