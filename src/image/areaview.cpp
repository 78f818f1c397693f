#include "image/areaview.h"

#include <QtGlobal>

uint8_t AreaView::byte(int offset) const
{
    Q_ASSERT(offset >= 0 && offset < m_size);
    return m_image->at(m_firstAddress + offset);
}

void AreaView::setByte(int offset, uint8_t value)
{
    Q_ASSERT(offset >= 0 && offset < m_size);
    m_image->setAt(m_firstAddress + offset, value);
}

void AreaView::setBits(int offset, uint8_t mask, uint8_t bits)
{
    setByte(offset, uint8_t((byte(offset) & ~mask) | (bits & mask)));
}

QByteArray AreaView::bytes(int offset, int count) const
{
    QByteArray out(count, '\0');
    for (int i = 0; i < count; ++i)
        out[i] = char(byte(offset + i));
    return out;
}

void AreaView::setBytes(int offset, const QByteArray &bytes)
{
    for (int i = 0; i < bytes.size(); ++i)
        setByte(offset + i, uint8_t(bytes.at(i)));
}

void AreaView::fill(int offset, int count, uint8_t value)
{
    for (int i = 0; i < count; ++i)
        setByte(offset + i, value);
}
