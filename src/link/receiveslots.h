#pragma once

#include <QByteArray>
#include <array>

// Raw read replies held until the whole transfer is in, so a failed read never
// touches the image. Slot k (1-based, as blocks are counted) keeps the reply of block k.
class ReceiveSlots
{
public:
    static constexpr int SlotCount = 257;
    static constexpr int SlotBytes = 71;
    static constexpr int ReplyBytes = 69;   // "X", address, length, 64 data bytes, trailer
    static constexpr int DataBytes = 64;
    static constexpr int HeaderByte = 0x58; // "X"
    static constexpr int BlockLength = 0x40;

    ReceiveSlots();

    void clear();
    // `requestedAddress` is where the block was asked for, when the caller knows it.
    void store(int block, const QByteArray &reply, int requestedAddress = -1);
    QByteArray slot(int block) const;
    int storedReplyLength(int block) const;

    // Where the 64 data bytes of a stored reply start: four bytes after the first "X"
    // among its first six bytes, or at 4 when there is none. Returns -1 when they would
    // run past the bytes received (an "X" at offset 2 or later). When the requested
    // address is known, an "X" followed by that address and the length 0x40 goes first,
    // so that a noise byte that happens to be an "X" in front of the reply is not taken
    // for its header.
    int dataOffset(int block) const;
    // The 64 data bytes, or an empty array when dataOffset() is -1.
    QByteArray data(int block) const;

private:
    std::array<QByteArray, SlotCount> m_slots;
    std::array<int, SlotCount> m_addresses{};
};
