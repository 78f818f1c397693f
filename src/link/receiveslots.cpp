#include "link/receiveslots.h"

#include <QtGlobal>

void ReceiveSlots::clear()
{
    for (auto &s : m_slots)
        s.clear();
}

void ReceiveSlots::store(int block, const QByteArray &reply)
{
    Q_ASSERT(block >= 0 && block < SlotCount);
    m_slots[block] = reply.left(SlotBytes);
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
    int start = 4;
    for (int i = 0; i < 6 && i < s.size(); ++i) {
        if (static_cast<unsigned char>(s[i]) == HeaderByte) {
            start = i + 4;
            break;
        }
    }
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
