#include "link/protocol.h"

#include <QtGlobal>

namespace Protocol {

QByteArray handshake()
{
    static const char bytes[HandshakeBytes] = {'\x55', '\xA5', '\xB5', '\x45', '\x55', '\x45', '\x4D', '\x02'};
    return QByteArray(bytes, HandshakeBytes);
}

QByteArray readRequest(int address, bool withAck)
{
    QByteArray frame;
    if (withAck)
        frame.append(char(Ack));
    frame.append(char(ReadCommand));
    frame.append(char((address >> 8) & 0xFF));
    frame.append(char(address & 0xFF));
    frame.append(char(BlockLength));
    return frame;
}

QByteArray writeFrame(int address, const QByteArray &sixteenBytes)
{
    Q_ASSERT(sixteenBytes.size() == FrameLength);
    QByteArray frame;
    frame.append(char(Ack));
    frame.append(char(ReplyHeader));
    frame.append(char((address >> 8) & 0xFF));
    frame.append(char(address & 0xFF));
    frame.append(char(FrameLength));
    frame.append(sixteenBytes.left(FrameLength));
    return frame;
}

} // namespace Protocol
