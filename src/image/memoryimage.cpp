#include "image/memoryimage.h"

#include <QtGlobal>
#include <cstring>

MemoryImage::MemoryImage()
{
    m_cells.fill(Empty);
}

uint8_t MemoryImage::cell(int row, int column) const
{
    Q_ASSERT(row >= 0 && row < Rows && column >= 0 && column < Columns);
    return m_cells[addressOf(row, column)];
}

void MemoryImage::setCell(int row, int column, uint8_t value)
{
    Q_ASSERT(row >= 0 && row < Rows && column >= 0 && column < Columns);
    m_cells[addressOf(row, column)] = value;
}

uint8_t MemoryImage::at(int address) const
{
    Q_ASSERT(address >= 0 && address < Size);
    return m_cells[address];
}

void MemoryImage::setAt(int address, uint8_t value)
{
    Q_ASSERT(address >= 0 && address < Size);
    m_cells[address] = value;
}

void MemoryImage::fill(int firstRow, int lastRow, uint8_t value)
{
    Q_ASSERT(firstRow >= 0 && lastRow < Rows && firstRow <= lastRow);
    std::memset(m_cells.data() + firstRow * Columns, value, (lastRow - firstRow + 1) * Columns);
}

QByteArray MemoryImage::row(int row) const
{
    return rows(row, 1);
}

QByteArray MemoryImage::rows(int firstRow, int count) const
{
    Q_ASSERT(firstRow >= 0 && count >= 0 && firstRow + count <= Rows);
    return QByteArray(reinterpret_cast<const char *>(m_cells.data()) + firstRow * Columns,
                      count * Columns);
}

void MemoryImage::setRows(int firstRow, const QByteArray &bytes)
{
    Q_ASSERT(bytes.size() % Columns == 0);
    Q_ASSERT(firstRow >= 0 && firstRow + bytes.size() / Columns <= Rows);
    std::memcpy(m_cells.data() + firstRow * Columns, bytes.constData(), bytes.size());
}
