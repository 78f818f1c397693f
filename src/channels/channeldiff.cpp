#include "channels/channeldiff.h"

#include "channels/channelrecord.h"
#include "image/areaview.h"
#include "image/memoryimage.h"

namespace {

// The fields the list-field table does not hold, with the bytes each one shows.
struct ShownField
{
    BiText label;
    QString (ChannelRecord::*text)() const;
    int offset;
    int bytes;
};

using Offset = ChannelRecord::Offset;

const ShownField RecordFields[] = {
    {{"RX", "接收"}, &ChannelRecord::rxFrequencyText, Offset::rxFrequency, 4},
    {{"TX", "发射"}, &ChannelRecord::txFrequencyText, Offset::txFrequency, 4},
    {{"RX tone", "接收亚音"}, &ChannelRecord::rxToneText, Offset::rxTone, 2},
    {{"TX tone", "发射亚音"}, &ChannelRecord::txToneText, Offset::txTone, 2},
};
const ShownField NameField{{"name", "名称"}, &ChannelRecord::nameText, ChannelRecord::NameOffset::name, ChannelRecord::NameLength};

constexpr BiText Channel{"ch %1 ", "信道 %1 "};
constexpr BiText Removed{"removed (was %1)", "删除（原为 %1）"};
constexpr BiText Added{"new: %1", "新增：%1"};
constexpr BiText RecordBytes{"record ", "记录 "};
constexpr BiText NameRowBytes{"name row ", "名称行 "};

// The list fields by the grid's column headers, which their rows carry.
QString listName(const ListField &field, bool chinese)
{
    return ImageDiff::fieldName(field, chinese);
}

// Power is compared by the grid's own rule (powerText()), the rest as their rows say.
const FieldTable &listFieldsButPower()
{
    static const FieldTable table = [] {
        FieldTable t;
        for (const ListField &f : ChannelRecord::listFields()) {
            if (&f != &ChannelRecord::power())
                t.push_back(f);
        }
        return t;
    }();
    return table;
}

QString shown(const QString &text, bool chinese)
{
    return ImageDiff::shownValue(text, chinese);
}

// Every field the grid shows, in the grid's order.
QString summary(const ChannelRecord &rec, const AreaView &record, bool chinese)
{
    QStringList parts;
    for (const ShownField &f : RecordFields)
        parts << QStringLiteral("%1 %2").arg(f.label.text(chinese), shown((rec.*f.text)(), chinese));
    for (const ListField &f : ChannelRecord::listFields()) {
        // Power decodes by its own rule; the others as their table rows say.
        const QString text = &f == &ChannelRecord::power() ? rec.powerText() : Fields::decodeText(record, f, chinese);
        parts << QStringLiteral("%1 %2").arg(listName(f, chinese), shown(text, chinese));
    }
    parts << QStringLiteral("%1 %2").arg(NameField.label.text(chinese), shown(rec.nameText(), chinese));
    return parts.join(chinese ? QStringLiteral("，") : QStringLiteral(", "));
}

QStringList describeChannels(const MemoryImage &before, const MemoryImage &after, bool chinese)
{
    // The views only read here.
    MemoryImage &a = const_cast<MemoryImage &>(before);
    MemoryImage &b = const_cast<MemoryImage &>(after);
    QStringList lines;
    for (int ch = 0; ch < ChannelRecord::Count; ++ch) {
        const ChannelRecord was(a, ch), now(b, ch);
        const QByteArray recordBefore = was.recordBytes(), recordAfter = now.recordBytes();
        const QByteArray nameBefore = was.nameBytes(), nameAfter = now.nameBytes();
        if (recordBefore == recordAfter && nameBefore == nameAfter)
            continue;
        const QString prefix = Channel.text(chinese).arg(ch);
        const AreaView recordWas(a, MemoryImage::addressOf(was.recordRow(), 0), MemoryImage::Columns);
        const AreaView recordNow(b, MemoryImage::addressOf(now.recordRow(), 0), MemoryImage::Columns);

        if (was.isEmpty() != now.isEmpty()) {
            lines << prefix + (now.isEmpty() ? Removed.text(chinese).arg(summary(was, recordWas, chinese))
                                             : Added.text(chinese).arg(summary(now, recordNow, chinese)));
            continue;
        }
        ImageDiff::Explained record(MemoryImage::Columns, 0), name(MemoryImage::Columns, 0);
        // An empty channel shows nothing: whatever changed behind its empty mark is hex.
        if (!now.isEmpty()) {
            auto compare = [&](const ShownField &f, ImageDiff::Explained &explained) {
                const QString from = (was.*f.text)(), to = (now.*f.text)();
                if (from == to)
                    return;
                lines << prefix + QStringLiteral("%1 %2 -> %3").arg(f.label.text(chinese), shown(from, chinese), shown(to, chinese));
                for (int i = 0; i < f.bytes; ++i)
                    explained[f.offset + i] = 0xFF;
            };
            for (const ShownField &f : RecordFields)
                compare(f, record);
            if (was.powerText() != now.powerText()) {
                lines << prefix + QStringLiteral("%1 %2 -> %3").arg(listName(ChannelRecord::power(), chinese), was.powerText(), now.powerText());
                record[ChannelRecord::power().offset] |= ChannelRecord::power().mask;
            }
            lines << ImageDiff::listFieldChanges(recordWas, recordNow, listFieldsButPower(), prefix, record, chinese);
            compare(NameField, name);
        }
        for (const QString &rest :
             {ImageDiff::unexplainedBytes(recordBefore, recordAfter, record, prefix + RecordBytes.text(chinese), chinese),
              ImageDiff::unexplainedBytes(nameBefore, nameAfter, name, prefix + NameRowBytes.text(chinese), chinese)}) {
            if (!rest.isEmpty())
                lines << rest;
        }
    }
    return lines;
}

} // namespace

ImageDiff::AreaFields channelDiffFields()
{
    return ImageDiff::AreaFields{{Area::Channels, Area::ChannelNames},
                                 [](const MemoryImage &before, const MemoryImage &after) {
                                     return describeChannels(before, after, false);
                                 },
                                 &describeChannels};
}
