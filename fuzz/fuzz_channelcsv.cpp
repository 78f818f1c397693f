// The channel CSV reader: whatever the text, it either refuses with a message and leaves
// the image as it was, or replaces exactly the channels it names. What it takes in must
// also come back out: writing the result and reading that back changes nothing.

#include "channels/channelcsv.h"
#include "channels/channelrecord.h"
#include "image/areamap.h"
#include "image/memoryimage.h"
#include "reach.h"

#include <QSet>

namespace {

// A channel table with a few channels in use and junk in the bytes no channel owns, so an
// import that writes outside its channels shows.
MemoryImage background()
{
    MemoryImage image;
    for (int address = 0; address < MemoryImage::Size; ++address)
        image.setAt(address, uint8_t(address * 13 + 5));
    MemoryImage channels;
    defaultChannels(channels);
    for (int c = 0; c < ChannelRecord::Count; ++c) {
        const int rows[] = {Area::Channels.firstRow + c, Area::ChannelNames.firstRow + c};
        for (int row : rows)
            for (int column = 0; column < MemoryImage::Columns; ++column)
                image.setCell(row, column, channels.cell(row, column));
    }
    const char *names[] = {"CALL", "RPT1", "SIMPLX", "", "WX"};
    const char *frequencies[] = {"145.50000", "145.62500", "433.50000", "146.52000", "438.02500"};
    for (int k = 0; k < 5; ++k) {
        ChannelRecord record(image, k * 37);
        record.setRxFrequency(QString::fromLatin1(frequencies[k]));
        if (k == 1)
            record.setTxFrequency(QStringLiteral("145.02500"));
        record.setName(QString::fromLatin1(names[k]));
    }
    return image;
}

bool ownedBy(int row, const QSet<int> &channels)
{
    if (Area::Channels.containsRow(row))
        return channels.contains(row - Area::Channels.firstRow);
    if (Area::ChannelNames.containsRow(row))
        return channels.contains(row - Area::ChannelNames.firstRow);
    return false;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    Reach::expect({"imported: only the listed channels changed", "written back: reading it again changes nothing",
                   "refused: image left as it was"});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const MemoryImage before = background();
    static MemoryImage image;
    image = before;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    const ChannelCsv::ImportResult result = ChannelCsv::importInto(bytes, image);
    if (!result.ok) {
        FUZZ_CHECK(image == before, "a refused file changed the image");
        FUZZ_CHECK(!result.errors.isEmpty(), "a refusal that names no problem");
        FUZZ_CHECK(!result.errorMessage(false).isEmpty() && !result.errorMessage(true).isEmpty(),
                   "a refusal without its message");
        Reach::hit("refused: image left as it was");
        return 0;
    }
    FUZZ_CHECK(result.errors.isEmpty(), "an import that took a file with errors");
    QSet<int> listed;
    for (int channel : result.channels) {
        FUZZ_CHECK(channel >= 0 && channel < ChannelRecord::Count, "a channel that does not exist");
        listed.insert(channel);
    }
    for (int row = 0; row < MemoryImage::Rows; ++row)
        if (!ownedBy(row, listed))
            for (int column = 0; column < MemoryImage::Columns; ++column)
                FUZZ_CHECK(image.cell(row, column) == before.cell(row, column), "a byte outside the listed channels changed");
    Reach::hit("imported: only the listed channels changed");

    // The writer must say what the reader took, so the same file means the same bytes.
    const MemoryImage imported = image;
    const ChannelCsv::ImportResult again = ChannelCsv::importInto(ChannelCsv::write(imported), image);
    FUZZ_CHECK(again.ok, "the program's own CSV of an imported table is refused");
    FUZZ_CHECK(image == imported, "reading the written CSV back changed the image");
    Reach::hit("written back: reading it again changes nothing");
    return 0;
}
