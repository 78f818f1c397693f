#pragma once

#include "image/areamap.h"
#include "image/memoryimage.h"

#include <QByteArray>
#include <cstdint>

// A typed window onto one area of the memory image, addressed by offsets relative to the
// area's first byte, so that an area's layout is written once with the offsets its users
// know ("byte 0x05 of the option area") and never as image rows.
class AreaView
{
public:
    AreaView(MemoryImage &image, const Area::Range &range)
        : m_image(&image)
        , m_firstAddress(range.firstAddress())
        , m_size(range.byteCount())
    {
    }
    // For reading only: make the view `const`. The document hands out its image as const,
    // and every write goes through one of its changes.
    AreaView(const MemoryImage &image, const Area::Range &range)
        : AreaView(const_cast<MemoryImage &>(image), range)
    {
    }
    AreaView(const MemoryImage &image, int firstAddress, int size)
        : AreaView(const_cast<MemoryImage &>(image), firstAddress, size)
    {
    }
    // A part of an area: `size` bytes from `firstAddress` (a band record, one FM row).
    AreaView(MemoryImage &image, int firstAddress, int size)
        : m_image(&image)
        , m_firstAddress(firstAddress)
        , m_size(size)
    {
    }

    int size() const { return m_size; }
    int address(int offset) const { return m_firstAddress + offset; }
    MemoryImage &image() const { return *m_image; }

    uint8_t byte(int offset) const;
    void setByte(int offset, uint8_t value);
    // The bits of `mask` only; the rest of the byte keeps what it holds.
    void setBits(int offset, uint8_t mask, uint8_t bits);
    QByteArray bytes(int offset, int count) const;
    void setBytes(int offset, const QByteArray &bytes);
    void fill(int offset, int count, uint8_t value);

private:
    MemoryImage *m_image;
    int m_firstAddress;
    int m_size;
};
