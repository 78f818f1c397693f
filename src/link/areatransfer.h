#pragma once

#include "image/areamap.h"
#include "link/protocol.h"

#include <QByteArray>
#include <QVector>

class MemoryImage;
class ReceiveSlots;

// What one window's conversation with the radio covers: the blocks it reads, in request
// order, where each reply's data goes, and the frames it writes. Built here from the area
// map, never by a window, so a window cannot read one range and store another.
class AreaTransfer
{
public:
    // Where a block's data goes, or where a frame's bytes come from.
    enum class Place {
        ImageRows, // the memory image, from `offset` as its first row
        Array,     // the window's own array (the alignment block), from byte `offset`
        Nowhere,   // read and acknowledged, then dropped
    };

    struct Block
    {
        int address;
        Place place;
        int offset;
    };
    struct FrameSource
    {
        int address;
        Place place; // ImageRows or Array
        int offset;
    };

    const QVector<Block> &reads() const { return m_reads; }
    const QVector<FrameSource> &writes() const { return m_writes; }
    QVector<int> readAddresses() const;
    int readCount() const { return m_reads.size(); }
    int writeCount() const { return m_writes.size(); }

    // Checks that every reply holds its data before anything is stored, then stores them
    // all; false, and neither the image nor the array changed, when one does not. An
    // array too short for what the transfer stores counts as a failure too.
    bool store(const ReceiveSlots &replies, MemoryImage &image, QByteArray *array = nullptr) const;
    // The frames as they stand now in the image (or the array).
    QVector<Protocol::Frame> frames(const MemoryImage &image, const QByteArray &array = QByteArray()) const;

    // Image rows read as 64-byte blocks from the range's first address, all stored, and
    // written as 16-byte frames of `written` (often the same range).
    static AreaTransfer imageArea(const Area::Range &read, const Area::Range &written);

    // The bulk read: 200 blocks from 0x0000, rows 0..787 kept, the last three dropped.
    static AreaTransfer bulkRead();
    // The bulk write: rows 0..783, frames only.
    static AreaTransfer bulkWrite();
    // The channel editor's own: record and name blocks in turn, 51 of each, the first 50
    // of each stored; then for each channel its record frame and its name frame.
    static AreaTransfer channels();
    static AreaTransfer fm();
    static AreaTransfer options();
    static AreaTransfer dtmf();
    static AreaTransfer twoTone();
    // Reads the codes only; writes the standards tables with them, as the image holds them.
    static AreaTransfer fiveTone();
    // The alignment block at 0x3C00, outside the image: 4 blocks into, 16 frames out of
    // the window's 256-byte array.
    static AreaTransfer alignment();

private:
    void readBlocks(int firstAddress, int count, Place place, int firstOffset, int offsetStep);
    void writeRows(const Area::Range &rows);

    QVector<Block> m_reads;
    QVector<FrameSource> m_writes;
};
