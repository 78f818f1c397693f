#include "link/areatransfer.h"

#include "image/memoryimage.h"
#include "link/receiveslots.h"

namespace {
constexpr int RowsPerBlock = Area::BlockBytes / MemoryImage::Columns;
} // namespace

QVector<int> AreaTransfer::readAddresses() const
{
    QVector<int> addresses;
    addresses.reserve(m_reads.size());
    for (const Block &b : m_reads)
        addresses << b.address;
    return addresses;
}

bool AreaTransfer::store(const ReceiveSlots &replies, MemoryImage &image, QByteArray *array) const
{
    // Slot k holds the reply of the k-th block (counted from 1).
    for (int k = 1; k <= m_reads.size(); ++k) {
        const Block &b = m_reads[k - 1];
        if (b.place == Place::Nowhere)
            continue;
        if (replies.dataOffset(k) < 0)
            return false;
        if (b.place == Place::Array && (!array || b.offset + Area::BlockBytes > array->size()))
            return false;
        if (b.place == Place::ImageRows && (b.offset < 0 || b.offset + RowsPerBlock > MemoryImage::Rows))
            return false;
    }
    for (int k = 1; k <= m_reads.size(); ++k) {
        const Block &b = m_reads[k - 1];
        if (b.place == Place::ImageRows)
            image.setRows(b.offset, replies.data(k));
        else if (b.place == Place::Array)
            array->replace(b.offset, Area::BlockBytes, replies.data(k));
    }
    return true;
}

QVector<Protocol::Frame> AreaTransfer::frames(const MemoryImage &image, const QByteArray &array) const
{
    QVector<Protocol::Frame> out;
    out.reserve(m_writes.size());
    for (const FrameSource &f : m_writes) {
        QByteArray data = f.place == Place::Array ? array.mid(f.offset, Area::FrameBytes) : image.row(f.offset);
        // A short array is padded rather than sending a short frame the radio would
        // wait on for ever.
        data.append(QByteArray(Area::FrameBytes - data.size(), char(MemoryImage::Empty)));
        out.append({f.address, data});
    }
    return out;
}

void AreaTransfer::readBlocks(int firstAddress, int count, Place place, int firstOffset, int offsetStep)
{
    for (int k = 0; k < count; ++k)
        m_reads.append({firstAddress + k * Area::BlockBytes, place, firstOffset + k * offsetStep});
}

void AreaTransfer::writeRows(const Area::Range &rows)
{
    for (int r = rows.firstRow; r <= rows.lastRow; ++r)
        m_writes.append({MemoryImage::addressOf(r, 0), Place::ImageRows, r});
}

AreaTransfer AreaTransfer::imageArea(const Area::Range &read, const Area::Range &written)
{
    AreaTransfer t;
    t.readBlocks(read.firstAddress(), read.rowCount() / RowsPerBlock, Place::ImageRows, read.firstRow, RowsPerBlock);
    t.writeRows(written);
    return t;
}

AreaTransfer AreaTransfer::bulkRead()
{
    AreaTransfer t;
    t.readBlocks(Area::BulkReadRows.firstAddress(), Area::BulkReadStoredBlocks, Place::ImageRows,
                 Area::BulkReadRows.firstRow, RowsPerBlock);
    const int dropped = Area::BulkReadBlocks - Area::BulkReadStoredBlocks;
    t.readBlocks(Area::BulkReadStoredBlocks * Area::BlockBytes, dropped, Place::Nowhere, 0, 0);
    return t;
}

AreaTransfer AreaTransfer::bulkWrite()
{
    AreaTransfer t;
    t.writeRows(Area::BulkWriteRows);
    return t;
}

AreaTransfer AreaTransfer::channels()
{
    // The radio is asked for one block past each area; its replies are acknowledged
    // and dropped.
    constexpr int Steps = Area::ChannelCount / RowsPerBlock + 1;
    AreaTransfer t;
    for (int k = 0; k < Steps; ++k) {
        const bool stored = k < Steps - 1;
        const Place place = stored ? Place::ImageRows : Place::Nowhere;
        t.m_reads.append({Area::Channels.firstAddress() + k * Area::BlockBytes, place,
                          stored ? Area::Channels.firstRow + k * RowsPerBlock : 0});
        t.m_reads.append({Area::ChannelNames.firstAddress() + k * Area::BlockBytes, place,
                          stored ? Area::ChannelNames.firstRow + k * RowsPerBlock : 0});
    }
    for (int n = 0; n < Area::ChannelCount; ++n) {
        const int recordRow = Area::Channels.firstRow + n;
        const int nameRow = Area::ChannelNames.firstRow + n;
        t.m_writes.append({MemoryImage::addressOf(recordRow, 0), Place::ImageRows, recordRow});
        t.m_writes.append({MemoryImage::addressOf(nameRow, 0), Place::ImageRows, nameRow});
    }
    return t;
}

AreaTransfer AreaTransfer::fm()
{
    return imageArea(Area::Fm, Area::Fm);
}

AreaTransfer AreaTransfer::options()
{
    // All eight blocks are kept: the write sends the whole range back, so a read that
    // dropped the tail would send the radio back whatever the image held there.
    return imageArea(Area::OptionsTransfer, Area::OptionsTransfer);
}

AreaTransfer AreaTransfer::dtmf()
{
    return imageArea(Area::Dtmf, Area::Dtmf);
}

AreaTransfer AreaTransfer::twoTone()
{
    return imageArea(Area::TwoTone, Area::TwoTone);
}

AreaTransfer AreaTransfer::fiveTone()
{
    return imageArea(Area::FiveToneCodes, Area::FiveToneWrite);
}

AreaTransfer AreaTransfer::alignment()
{
    AreaTransfer t;
    constexpr int Blocks = Area::AlignmentBytes / Area::BlockBytes;
    t.readBlocks(Area::AlignmentAddress, Blocks, Place::Array, 0, Area::BlockBytes);
    for (int n = 0; n < Area::AlignmentBytes / Area::FrameBytes; ++n)
        t.m_writes.append({Area::AlignmentAddress + n * Area::FrameBytes, Place::Array, n * Area::FrameBytes});
    return t;
}
