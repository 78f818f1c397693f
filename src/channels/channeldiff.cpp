#include "channels/channeldiff.h"

#include "channels/channelrecord.h"
#include "image/memoryimage.h"

#include <array>

namespace {

struct Field
{
    const char *label;
    QString (ChannelRecord::*text)() const;
    bool inNameRow;
    int offset;
    int bytes;
};

using Offset = ChannelRecord::Offset;

// The grid's columns, with the bytes each one shows.
const Field Fields[] = {
    {"RX", &ChannelRecord::rxFrequencyText, false, Offset::rxFrequency, 4},
    {"TX", &ChannelRecord::txFrequencyText, false, Offset::txFrequency, 4},
    {"RX tone", &ChannelRecord::rxToneText, false, Offset::rxTone, 2},
    {"TX tone", &ChannelRecord::txToneText, false, Offset::txTone, 2},
    {"Power", &ChannelRecord::powerText, false, Offset::power, 1},
    {"W/N", &ChannelRecord::bandwidthText, false, Offset::flags, 1},
    {"PTT-ID", &ChannelRecord::pttIdText, false, Offset::flags, 1},
    {"Busy lock", &ChannelRecord::busyLockText, false, Offset::flags, 1},
    {"Scan add", &ChannelRecord::scanAddText, false, Offset::flags, 1},
    {"Sig code", &ChannelRecord::signalCodeText, false, Offset::signalCode, 1},
    {"Signalling", &ChannelRecord::optionalSignallingText, false, Offset::signalling, 1},
    {"Mute", &ChannelRecord::muteModeText, false, Offset::signalling, 1},
    {"Scrambler", &ChannelRecord::scramblerText, false, Offset::power, 1},
    {"Name", &ChannelRecord::nameText, true, ChannelRecord::NameOffset::name, ChannelRecord::NameLength},
};

QString shown(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("(none)") : text;
}

QString summary(const ChannelRecord &rec)
{
    QStringList parts;
    for (const Field &f : Fields)
        parts << QStringLiteral("%1 %2").arg(QLatin1String(f.label), shown((rec.*f.text)()));
    return parts.join(QStringLiteral(", "));
}

QStringList describeChannels(const MemoryImage &before, const MemoryImage &after)
{
    // The views only read here.
    MemoryImage &a = const_cast<MemoryImage &>(before);
    MemoryImage &b = const_cast<MemoryImage &>(after);
    QStringList lines;
    for (int ch = 0; ch < ChannelRecord::Count; ++ch) {
        const ChannelRecord was(a, ch);
        const ChannelRecord now(b, ch);
        const QByteArray recordBefore = was.recordBytes(), recordAfter = now.recordBytes();
        const QByteArray nameBefore = was.nameBytes(), nameAfter = now.nameBytes();
        if (recordBefore == recordAfter && nameBefore == nameAfter)
            continue;
        const QString prefix = QStringLiteral("ch %1 ").arg(ch);

        if (was.isEmpty() != now.isEmpty()) {
            lines << prefix + (now.isEmpty() ? QStringLiteral("removed (was %1)").arg(summary(was))
                                             : QStringLiteral("new: %1").arg(summary(now)));
            continue;
        }
        // Bytes that no shown change accounts for are listed in hex afterwards.
        std::array<bool, 16> recordExplained{}, nameExplained{};
        if (!now.isEmpty()) {
            for (const Field &f : Fields) {
                const QString from = (was.*f.text)(), to = (now.*f.text)();
                if (from == to)
                    continue;
                lines << prefix + QStringLiteral("%1 %2 -> %3").arg(QLatin1String(f.label), shown(from), shown(to));
                auto &explained = f.inNameRow ? nameExplained : recordExplained;
                for (int i = 0; i < f.bytes; ++i)
                    explained[f.offset + i] = true;
            }
        }
        auto leftover = [&](const QByteArray &from, const QByteArray &to, const std::array<bool, 16> &explained,
                            const char *what) {
            QByteArray f, t;
            for (int i = 0; i < from.size(); ++i) {
                // Explained cells are made equal so that only the rest is listed.
                f.append(explained[i] ? to.at(i) : from.at(i));
                t.append(to.at(i));
            }
            if (f != t)
                lines << prefix + QStringLiteral("%1 bytes %2").arg(QLatin1String(what), ImageDiff::cellChanges(f, t));
        };
        leftover(recordBefore, recordAfter, recordExplained, "record");
        leftover(nameBefore, nameAfter, nameExplained, "name row");
    }
    return lines;
}

} // namespace

ImageDiff::AreaFields channelDiffFields()
{
    return ImageDiff::AreaFields{{Area::Channels, Area::ChannelNames}, &describeChannels};
}
