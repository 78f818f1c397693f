#include "channels/channeldiff.h"

#include "channels/channelrecord.h"
#include "image/areaview.h"
#include "image/memoryimage.h"

namespace {

// The fields the list-field table does not hold, with the bytes each one shows.
struct Field
{
    const char *label;
    QString (ChannelRecord::*text)() const;
    int offset;
    int bytes;
};

using Offset = ChannelRecord::Offset;

const Field RecordFields[] = {
    {"RX", &ChannelRecord::rxFrequencyText, Offset::rxFrequency, 4},
    {"TX", &ChannelRecord::txFrequencyText, Offset::txFrequency, 4},
    {"RX tone", &ChannelRecord::rxToneText, Offset::rxTone, 2},
    {"TX tone", &ChannelRecord::txToneText, Offset::txTone, 2},
};
const Field NameField{"name", &ChannelRecord::nameText, ChannelRecord::NameOffset::name, ChannelRecord::NameLength};

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

QString shown(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("(none)") : text;
}

// Every field the grid shows, in the grid's order.
QString summary(const ChannelRecord &rec, const AreaView &record)
{
    QStringList parts;
    for (const Field &f : RecordFields)
        parts << QStringLiteral("%1 %2").arg(QLatin1String(f.label), shown((rec.*f.text)()));
    for (const ListField &f : ChannelRecord::listFields()) {
        // Power decodes by its own rule; the others as their table rows say.
        const QString text = &f == &ChannelRecord::power() ? rec.powerText() : Fields::decodeText(record, f, false);
        parts << QStringLiteral("%1 %2").arg(QLatin1String(f.name), shown(text));
    }
    parts << QStringLiteral("%1 %2").arg(QLatin1String(NameField.label), shown(rec.nameText()));
    return parts.join(QStringLiteral(", "));
}

QStringList describeChannels(const MemoryImage &before, const MemoryImage &after)
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
        const QString prefix = QStringLiteral("ch %1 ").arg(ch);
        const AreaView recordWas(a, MemoryImage::addressOf(was.recordRow(), 0), MemoryImage::Columns);
        const AreaView recordNow(b, MemoryImage::addressOf(now.recordRow(), 0), MemoryImage::Columns);

        if (was.isEmpty() != now.isEmpty()) {
            lines << prefix + (now.isEmpty() ? QStringLiteral("removed (was %1)").arg(summary(was, recordWas))
                                             : QStringLiteral("new: %1").arg(summary(now, recordNow)));
            continue;
        }
        ImageDiff::Explained record(MemoryImage::Columns, 0), name(MemoryImage::Columns, 0);
        // An empty channel shows nothing: whatever changed behind its empty mark is hex.
        if (!now.isEmpty()) {
            auto compare = [&](const Field &f, ImageDiff::Explained &explained) {
                const QString from = (was.*f.text)(), to = (now.*f.text)();
                if (from == to)
                    return;
                lines << prefix + QStringLiteral("%1 %2 -> %3").arg(QLatin1String(f.label), shown(from), shown(to));
                for (int i = 0; i < f.bytes; ++i)
                    explained[f.offset + i] = 0xFF;
            };
            for (const Field &f : RecordFields)
                compare(f, record);
            if (was.powerText() != now.powerText()) {
                lines << prefix + QStringLiteral("%1 %2 -> %3").arg(QLatin1String(ChannelRecord::power().name), was.powerText(), now.powerText());
                record[ChannelRecord::power().offset] |= ChannelRecord::power().mask;
            }
            lines << ImageDiff::listFieldChanges(recordWas, recordNow, listFieldsButPower(), prefix, record);
            compare(NameField, name);
        }
        for (const QString &rest : {ImageDiff::unexplainedBytes(recordBefore, recordAfter, record, prefix + "record "),
                                    ImageDiff::unexplainedBytes(nameBefore, nameAfter, name, prefix + "name row ")}) {
            if (!rest.isEmpty())
                lines << rest;
        }
    }
    return lines;
}

} // namespace

ImageDiff::AreaFields channelDiffFields()
{
    return ImageDiff::AreaFields{{Area::Channels, Area::ChannelNames}, &describeChannels};
}
