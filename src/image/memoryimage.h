#pragma once

#include <QByteArray>
#include <array>
#include <cstdint>

// The program's copy of the radio's configuration memory: 1025 rows of 16 bytes,
// the cell at (row, column) holding radio address row * 16 + column.
// The program's own copy belongs to the document, which is the only way to change it.
class MemoryImage
{
public:
    static constexpr int Rows = 1025;
    static constexpr int Columns = 16;
    static constexpr int Size = Rows * Columns;
    static constexpr uint8_t Empty = 0xFF;

    MemoryImage();

    uint8_t cell(int row, int column) const;
    void setCell(int row, int column, uint8_t value);

    uint8_t at(int address) const;
    void setAt(int address, uint8_t value);

    // Rows first..last inclusive.
    void fill(int firstRow, int lastRow, uint8_t value);

    QByteArray row(int row) const;
    QByteArray rows(int firstRow, int count) const;
    // Copies whole rows starting at firstRow; bytes.size() must be a multiple of 16.
    void setRows(int firstRow, const QByteArray &bytes);

    const uint8_t *data() const { return m_cells.data(); }
    bool operator==(const MemoryImage &other) const { return m_cells == other.m_cells; }
    bool operator!=(const MemoryImage &other) const { return !(*this == other); }

    static constexpr int rowOf(int address) { return address / Columns; }
    static constexpr int columnOf(int address) { return address % Columns; }
    static constexpr int addressOf(int row, int column) { return row * Columns + column; }

private:
    std::array<uint8_t, Size> m_cells;
};
