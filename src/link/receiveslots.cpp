#include "link/receiveslots.h"

#include <QtGlobal>

ReceiveSlots::ReceiveSlots()
{
    m_addresses.fill(-1);
}

void ReceiveSlots::clear()
{
    for (auto &s : m_slots)
        s.clear();
    m_addresses.fill(-1);
}

void ReceiveSlots::store(int block, const QByteArray &reply, int requestedAddress)
{
    Q_ASSERT(block >= 0 && block < SlotCount);
    m_slots[block] = reply.left(SlotBytes);
    m_addresses[block] = requestedAddress;
}

QByteArray ReceiveSlots::slot(int block) const
{
    Q_ASSERT(block >= 0 && block < SlotCount);
    return m_slots[block];
}

int ReceiveSlots::storedReplyLength(int block) const
{
    return slot(block).size();
}

int ReceiveSlots::dataOffset(int block) const
{
    const QByteArray s = slot(block);
    const auto at = [&](int i) { return int(static_cast<unsigned char>(s[i])); };
    const int address = m_addresses[block];
    int start = -1;
    for (int i = 0; address >= 0 && i < 6 && i + 3 < s.size(); ++i) {
        if (at(i) == HeaderByte && at(i + 1) == ((address >> 8) & 0xFF) && at(i + 2) == (address & 0xFF)
            && at(i + 3) == BlockLength) {
            start = i + 4;
            break;
        }
    }
    // No header echoes the request (or it is not known): the first "X" is the header.
    for (int i = 0; start < 0 && i < 6 && i < s.size(); ++i) {
        if (at(i) == HeaderByte)
            start = i + 4;
    }
    if (start < 0)
        start = 4;
    if (start + DataBytes > s.size())
        return -1;
    return start;
}

QByteArray ReceiveSlots::data(int block) const
{
    const int start = dataOffset(block);
    if (start < 0)
        return QByteArray();
    return slot(block).mid(start, DataBytes);
}
