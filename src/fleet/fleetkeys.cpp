#include "fleet/fleetkeys.h"

#include "config/configfields.h"
#include "image/bandlimits.h"
#include "options/bandrecord.h"
#include "options/optionarea.h"
#include "options/optiontexts.h"
#include "signalling/dtmfarea.h"
#include "signalling/dtmftexts.h"

#include <QHash>
#include <QRegularExpression>

namespace {

constexpr BiText PowerOnMessage1{"Power-On Message 1", "开机显示字符 1"};
constexpr BiText PowerOnMessage2{"Power-On Message 2", "开机显示字符 2"};
constexpr BiText FiveToneSelfId{"5-Tone Self ID", "5音本机码"};
constexpr BiText BandA{"Band A %1", "A 段%1"};
constexpr BiText BandB{"Band B %1", "B 段%1"};
constexpr BiText ChannelName{"Channel %1 Name", "信道 %1 名称"};
constexpr BiText ChannelRx{"Channel %1 RX Frequency", "信道 %1 接收频率"};
constexpr BiText ChannelTx{"Channel %1 TX Frequency", "信道 %1 发射频率"};
constexpr BiText DtmfEncode{"DTMF Encode %1", "DTMF 编码 %1"};

// The radio sends the first frame of its first 5-tone code as its own identity.
const QString SelfIdKey = QStringLiteral("five_tone.encode.1.frame_1");

const QHash<QString, BiText> &captions()
{
    static const QHash<QString, BiText> table = [] {
        QHash<QString, BiText> t;
        t.insert(QStringLiteral("options.ani"), OptionText::Ani);
        t.insert(QStringLiteral("options.power_on_message_1"), PowerOnMessage1);
        t.insert(QStringLiteral("options.power_on_message_2"), PowerOnMessage2);
        t.insert(QStringLiteral("options.ptt_id_begin"), OptionText::PttIdBegin);
        t.insert(QStringLiteral("options.ptt_id_end"), OptionText::PttIdEnd);
        t.insert(SelfIdKey, FiveToneSelfId);
        for (const ListField &f : OptionArea::listFields())
            t.insert(QStringLiteral("options.") + ConfigFields::snakeCase(f.name), *f.caption);
        t.insert(QStringLiteral("dtmf.group_code"), DtmfText::GroupCode);
        for (const DtmfArea::NamedRow &r : DtmfArea::namedRows())
            t.insert(QStringLiteral("dtmf.") + QLatin1String(r.key), r.caption);
        return t;
    }();
    return table;
}

QString bandCaption(const QString &field, bool chinese)
{
    for (const ListField &f : BandRecord::listFields()) {
        if (ConfigFields::snakeCase(f.name) == field)
            return f.caption->text(chinese);
    }
    if (field == QLatin1String("frequency"))
        return OptionText::Frequency.text(chinese);
    return QString();
}

} // namespace

namespace FleetKeys {

QStringList defaultKeys()
{
    return {QStringLiteral("options.ani"), QStringLiteral("options.power_on_message_1"), SelfIdKey};
}

QStringList offeredKeys()
{
    QStringList keys = defaultKeys();
    const BandLimits limits = BandLimits::startup();
    const struct
    {
        const char *section;
        ConfigFields::FieldList fields;
    } sections[] = {{"options", ConfigFields::options()},
                    {"band_a", ConfigFields::bandRecord(false, limits)},
                    {"band_b", ConfigFields::bandRecord(true, limits)},
                    {"dtmf", ConfigFields::dtmf()},
                    {"two_tone", ConfigFields::twoTone()},
                    {"five_tone", ConfigFields::fiveTone()}};
    for (const auto &s : sections) {
        for (const ConfigFields::Field &f : s.fields) {
            const QString path = QString::fromLatin1(s.section) + QLatin1Char('.') + f.key;
            if (!keys.contains(path))
                keys << path;
        }
    }
    return keys;
}

QString caption(const QString &path, bool chinese)
{
    if (const auto it = captions().constFind(path); it != captions().constEnd()) {
        // A window spaces some Chinese captions out ("巡 查 码"); a column header does not.
        QString text = it->text(chinese).trimmed();
        if (chinese)
            text.remove(QLatin1Char(' '));
        return text;
    }
    static const QRegularExpression band(QStringLiteral("^band_([ab])\\.(\\w+)$"));
    if (const QRegularExpressionMatch m = band.match(path); m.hasMatch()) {
        const QString field = bandCaption(m.captured(2), chinese).trimmed();
        if (!field.isEmpty())
            return (m.captured(1) == QLatin1String("a") ? BandA : BandB).text(chinese).arg(field);
    }
    static const QRegularExpression channel(QStringLiteral("^channels\\.(\\d+)\\.(name|rx|tx)$"));
    if (const QRegularExpressionMatch m = channel.match(path); m.hasMatch()) {
        const BiText &text = m.captured(2) == QLatin1String("name") ? ChannelName
                             : m.captured(2) == QLatin1String("rx") ? ChannelRx
                                                                    : ChannelTx;
        return text.text(chinese).arg(m.captured(1));
    }
    static const QRegularExpression dtmf(QStringLiteral("^dtmf\\.encode\\.(\\d+)$"));
    if (const QRegularExpressionMatch m = dtmf.match(path); m.hasMatch())
        return DtmfEncode.text(chinese).arg(m.captured(1));
    return QString();
}

QString label(const QString &path, bool chinese)
{
    const QString c = caption(path, chinese);
    return c.isEmpty() ? path : c + QStringLiteral("  ") + path;
}

} // namespace FleetKeys
