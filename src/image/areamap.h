#pragma once

#include "image/memoryimage.h"

// Which rows of the memory image belong to which area of radio memory.
// Every other file names areas through these constants, never through row numbers.
namespace Area {

struct Range
{
    int firstRow;
    int lastRow; // inclusive

    constexpr int rowCount() const { return lastRow - firstRow + 1; }
    constexpr int firstAddress() const { return firstRow * MemoryImage::Columns; }
    constexpr int lastAddress() const { return (lastRow + 1) * MemoryImage::Columns - 1; }
    constexpr int byteCount() const { return rowCount() * MemoryImage::Columns; }
    constexpr bool containsRow(int row) const { return row >= firstRow && row <= lastRow; }
};

constexpr Range Channels{0, 199};             // 0x0000-0x0C7F, one 16-byte record per channel
constexpr Range Unassigned1{200, 223};        // 0x0C80-0x0DFF
constexpr Range Options{224, 239};            // 0x0E00-0x0EFF
constexpr Range BandRecords{240, 243};        // 0x0F00-0x0F3F, band A then band B
constexpr Range OptionsTail{244, 255};        // 0x0F40-0x0FFF, travels with the options
constexpr Range ChannelNames{256, 455};       // 0x1000-0x1C7F, one row per channel
constexpr Range Unassigned2{456, 511};        // 0x1C80-0x1FFF
constexpr Range FiveToneStandards{512, 575};  // 0x2000-0x23FF, rewritten before every bulk write
constexpr Range FiveToneCodes{576, 607};      // 0x2400-0x25FF
constexpr Range Unassigned3{608, 655};        // 0x2600-0x28FF
constexpr Range Dtmf{656, 687};               // 0x2900-0x2AFF
constexpr Range Unassigned4{688, 719};        // 0x2B00-0x2CFF
constexpr Range TwoTone{720, 767};            // 0x2D00-0x2FFF
constexpr Range Fm{768, 783};                 // 0x3000-0x30FF
constexpr Range ReadOnlyTail{784, 787};       // 0x3100-0x313F, read, never written back
constexpr Range FileOnly{788, 1024};          // only data files touch these rows

constexpr int ChannelCount = 200;
constexpr int BandARecordRow = 240;
constexpr int BandBRecordRow = 242;

// Bulk read: 200 blocks of 64 bytes from 0x0000; rows 0..787 are kept, the last three
// blocks (0x3140-0x31FF) are acknowledged and dropped.
constexpr int BulkReadBlocks = 200;
constexpr int BulkReadStoredBlocks = 197;
constexpr Range BulkReadRows{0, 787};
// Bulk write: rows 0..783 as 784 frames of 16 bytes.
constexpr int BulkWriteFrames = 784;
constexpr Range BulkWriteRows{0, 783};

// What the editors' own transfers cover, where it is more than their own area.
constexpr Range OptionsTransfer{224, 255};    // options, band records and the tail: 8 blocks
constexpr Range FiveToneWrite{512, 607};      // the standards tables go out with the codes

constexpr int BlockBytes = 64;
constexpr int FrameBytes = 16;

// Alignment values live outside the image, at this radio address.
constexpr int AlignmentAddress = 0x3C00;
constexpr int AlignmentBytes = 256;

static_assert(Channels.firstAddress() == 0x0000 && Channels.lastAddress() == 0x0C7F);
static_assert(Options.firstAddress() == 0x0E00 && BandRecords.lastAddress() == 0x0F3F);
static_assert(ChannelNames.firstAddress() == 0x1000 && ChannelNames.lastAddress() == 0x1C7F);
static_assert(FiveToneStandards.firstAddress() == 0x2000 && FiveToneCodes.lastAddress() == 0x25FF);
static_assert(Dtmf.firstAddress() == 0x2900 && TwoTone.firstAddress() == 0x2D00);
static_assert(Fm.firstAddress() == 0x3000 && ReadOnlyTail.lastAddress() == 0x313F);
static_assert(BulkReadRows.rowCount() == BulkReadStoredBlocks * BlockBytes / MemoryImage::Columns);
static_assert(BulkWriteRows.rowCount() == BulkWriteFrames);
static_assert(OptionsTransfer.rowCount() * MemoryImage::Columns == 8 * 64);
static_assert(FileOnly.lastRow == MemoryImage::Rows - 1);

} // namespace Area
