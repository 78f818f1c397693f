#pragma once

#include <QByteArray>
#include <cstdint>

// The radio's programming line: frame layouts and their fixed bytes. Addresses go high
// byte first.
namespace Protocol {

constexpr uint8_t Ack = 0x06;
constexpr uint8_t ReadCommand = 0x53;  // "S"
constexpr uint8_t ReplyHeader = 0x58;  // "X", also the write command
constexpr uint8_t BlockLength = 0x40;  // 64 bytes per read
constexpr uint8_t FrameLength = 0x10;  // 16 bytes per write

constexpr int HandshakeBytes = 8;
constexpr int IdentificationBytes = 50;
constexpr int ReadReplyBytes = 69;
constexpr int WriteFrameBytes = 21;
// The longest frame the sender queues is far below this; it bounds the transmit buffer.
constexpr int TransmitBufferBytes = 201;

// One write frame's worth: 16 bytes for one address.
struct Frame
{
    int address;
    QByteArray data; // 16 bytes
};

QByteArray handshake();
// "S" AH AL 40, or 06 "S" AH AL 40 when it also acknowledges the identification.
QByteArray readRequest(int address, bool withAck);
// 06 "X" AH AL 10 followed by the 16 data bytes.
QByteArray writeFrame(int address, const QByteArray &sixteenBytes);

} // namespace Protocol
