// The repeater list reader: whatever the text, it either refuses with a message that names
// a line, or gives at most one row per channel; the rows, turned round either way and
// sorted by distance, merge into a plan touching nothing but channel rows, or are refused
// with the plan as it was.

#include "channels/channelmerge.h"
#include "channels/channelrecord.h"
#include "channels/repeaterlist.h"
#include "image/areamap.h"
#include "image/memoryimage.h"
#include "reach.h"

namespace {

MemoryImage background()
{
    MemoryImage image;
    for (int address = 0; address < MemoryImage::Size; ++address)
        image.setAt(address, uint8_t(address * 7 + 3));
    for (int c = 0; c < ChannelRecord::Count; ++c)
        clearChannel(image, c);
    for (int c = 0; c < 10; ++c) {
        createChannel(image, c * 3);
        ChannelRecord(image, c * 3).setRxFrequencyHz(145000000 + c * 25000);
    }
    return image;
}

bool isChannelRow(int row)
{
    return Area::Channels.containsRow(row) || Area::ChannelNames.containsRow(row);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    Reach::expect({"refused: a line named", "read: rows made both ways", "merged: only channel rows changed",
                   "near: nearest first"});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const MemoryImage before = background();
    static MemoryImage image;
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    const RepeaterList::Mapping mapping = RepeaterList::guess(RepeaterList::headerOf(text));
    const RepeaterList::Parsed parsed = RepeaterList::read(text, mapping);
    if (!parsed.ok) {
        FUZZ_CHECK(parsed.entries.isEmpty(), "a refused list kept rows");
        FUZZ_CHECK(parsed.error.line >= 1, "a refusal that names no line");
        FUZZ_CHECK(!parsed.error.text(false).isEmpty() && !parsed.error.text(true).isEmpty(), "a refusal without its message");
        Reach::hit("refused: a line named");
        return 0;
    }
    FUZZ_CHECK(parsed.entries.size() <= ChannelRecord::Count, "more rows than channels");
    const RepeaterList::Near near{RepeaterList::LatLon{48.1, 11.6}, 300};
    for (RepeaterList::Side side : {RepeaterList::Side::Repeater, RepeaterList::Side::Radio}) {
        QVector<ChannelMerge::Row> rows = RepeaterList::rows(parsed.entries, side, side == RepeaterList::Side::Radio ? near : RepeaterList::Near{});
        FUZZ_CHECK(rows.size() == parsed.entries.size(), "a row lost or made up");
        bool coordinatesEnded = false;
        double last = -1;
        for (const ChannelMerge::Row &r : rows) {
            FUZZ_CHECK(r.record.size() == 16 && r.name.size() == 16, "a row that is no whole channel");
            const QString name = ChannelMerge::shown(r).name;
            FUZZ_CHECK(name.size() <= ChannelRecord::NameLength, "a name longer than six");
            if (side == RepeaterList::Side::Radio) {
                if (r.distanceKm < 0)
                    coordinatesEnded = true;
                FUZZ_CHECK(!(coordinatesEnded && r.distanceKm >= 0), "a row with coordinates after one without");
                FUZZ_CHECK(r.distanceKm < 0 || r.distanceKm >= last, "rows not nearest first");
                FUZZ_CHECK(r.distanceKm < 0 ? !r.checked : true, "a row without coordinates left checked");
                if (r.distanceKm >= 0)
                    last = r.distanceKm;
            }
        }
        if (side == RepeaterList::Side::Radio && last >= 0)
            Reach::hit("near: nearest first");
        Reach::hit("read: rows made both ways");
        ChannelMerge::judge(rows, before, BandLimits::startup());
        image = before;
        ChannelMerge::Landing landing;
        if (!ChannelMerge::merge(image, rows, ChannelMerge::Placement::InsertAt, 1, &landing)) {
            FUZZ_CHECK(image == before, "a refused merge changed the plan");
            continue;
        }
        for (int row = 0; row < MemoryImage::Rows; ++row)
            if (!isChannelRow(row))
                for (int column = 0; column < MemoryImage::Columns; ++column)
                    FUZZ_CHECK(image.cell(row, column) == before.cell(row, column), "a byte outside the channels changed");
        for (int i = 0; i < rows.size(); ++i)
            FUZZ_CHECK((landing.targets.at(i) >= 0) == rows.at(i).merges(), "a row that merges did not land, or the reverse");
        Reach::hit("merged: only channel rows changed");
    }
    return 0;
}
