#include "config/configdiff.h"

#include "config/configfields.h"
#include "image/memoryimage.h"
#include "signalling/dtmftexts.h"
#include "signalling/fivetonetexts.h"
#include "signalling/twotonetexts.h"

#include <QHash>
#include <memory>

namespace ConfigDiff {

namespace {

// A key's words in Chinese: "encode" -> "发送编码". Numbers and words without a caption
// stay as they are.
using Words = QHash<QString, QString>;

struct Setup
{
    Area::Range range;
    BiText prefix;
    ConfigFields::FieldList fields;
    Words chinese;
};

// One column of a window's header format ("^ Code|^ 1st Frequency(HZ)|...").
QString headerColumn(const BiText &headers, int column, bool chinese)
{
    return headers.text(chinese).split(QLatin1Char('|')).value(column).remove(QLatin1Char('^')).trimmed();
}

QString keyName(const QString &key, const Words &words, bool chinese)
{
    QStringList parts = key.split(QLatin1Char('.'));
    if (chinese) {
        for (QString &part : parts)
            part = words.value(part, part);
    }
    return parts.join(QLatin1Char(' '));
}

bool bitsDiffer(const ConfigFields::Field &field, const MemoryImage &before, const MemoryImage &after)
{
    for (const ConfigFields::Bits &b : field.bits) {
        if ((before.at(b.address) ^ after.at(b.address)) & b.mask)
            return true;
    }
    return false;
}

ImageDiff::AreaFields area(std::shared_ptr<const Setup> setup)
{
    auto describe = [setup](const MemoryImage &before, const MemoryImage &after, bool chinese) {
        const Area::Range range = setup->range;
        if (ImageDiff::differingRows(before, after, range).isEmpty())
            return QStringList();
        const QString prefix = setup->prefix.text(chinese) + QLatin1Char(' ');
        ImageDiff::Explained explained(range.byteCount(), 0);
        QStringList lines;
        for (const ConfigFields::Field &f : setup->fields) {
            if (!bitsDiffer(f, before, after))
                continue;
            const std::optional<QString> from = f.show(before), to = f.show(after);
            // A value no text stands for, or a change the text does not show, stays in hex.
            if (!from || !to || *from == *to)
                continue;
            lines << prefix + QStringLiteral("%1 %2 -> %3")
                                  .arg(keyName(f.key, setup->chinese, chinese), ImageDiff::shownValue(*from, chinese),
                                       ImageDiff::shownValue(*to, chinese));
            for (const ConfigFields::Bits &b : f.bits)
                explained[b.address - range.firstAddress()] |= b.mask;
        }
        return lines + ImageDiff::unexplainedRows(before, after, range, explained, chinese);
    };
    auto english = [describe](const MemoryImage &before, const MemoryImage &after) { return describe(before, after, false); };
    return ImageDiff::AreaFields{{setup->range}, english, describe};
}

void add(Words &words, const char *key, const BiText &caption)
{
    words.insert(QString::fromLatin1(key), ImageDiff::captionWords(caption.text(true)));
}

void addHeader(Words &words, const char *key, const BiText &headers, int column)
{
    words.insert(QString::fromLatin1(key), ImageDiff::captionWords(headerColumn(headers, column, true)));
}

} // namespace

ImageDiff::AreaFields dtmf()
{
    using namespace DtmfText;
    auto setup = std::make_shared<Setup>(Setup{Area::Dtmf, {"dtmf", "DTMF"}, ConfigFields::dtmf(), {}});
    Words &w = setup->chinese;
    add(w, "encode", CodeColumn);
    add(w, "on_time", OnTime);
    add(w, "off_time", OffTime);
    add(w, "delay_processing", DelayProcessing);
    add(w, "reset_time", ResetTime);
    add(w, "inspection", Inspection);
    add(w, "monitor", Monitor);
    add(w, "alarm", Alarm);
    add(w, "stun", Stun);
    add(w, "kill", Kill);
    add(w, "revive", Revive);
    add(w, "master_id", MasterId);
    add(w, "vice_id", ViceId);
    add(w, "control", ControlCheck);
    add(w, "rx_disable", RxDisable);
    add(w, "tx_disable", TxDisable);
    add(w, "group_code", GroupCode);
    add(w, "space_code", SpaceCode);
    return area(setup);
}

ImageDiff::AreaFields twoTone()
{
    using namespace TwoToneText;
    auto setup = std::make_shared<Setup>(Setup{Area::TwoTone, {"2-tone", "两音"}, ConfigFields::twoTone(), {}});
    Words &w = setup->chinese;
    add(w, "encode", EncodeTab);
    addHeader(w, "first", EncodeHeaders, 1);
    addHeader(w, "second", EncodeHeaders, 2);
    add(w, "first_duration", FirstDuration);
    add(w, "second_duration", SecondDuration);
    add(w, "gap", Gap);
    add(w, "reset_time", ResetTime);
    add(w, "decode", DecodeTab);
    for (int g = 0; g < 4; ++g)
        addHeader(w, qPrintable(QStringLiteral("group_%1").arg(g + 1)), DecodeHeaders, 1 + 3 * g);
    addHeader(w, "response", DecodeHeaders, 2);
    addHeader(w, "alert", DecodeHeaders, 3);
    for (int t = 0; t < 4; ++t)
        add(w, qPrintable(QStringLiteral("tone_%1").arg(QChar(u'a' + t))), Tones[t]);
    return area(setup);
}

ImageDiff::AreaFields fiveTone()
{
    using namespace FiveToneText;
    auto setup = std::make_shared<Setup>(Setup{Area::FiveToneCodes, {"5-tone", "五音"}, ConfigFields::fiveTone(), {}});
    Words &w = setup->chinese;
    add(w, "standards", StandardTab);
    addHeader(w, "period", StandardHeaders, 1);
    addHeader(w, "group_tone", StandardHeaders, 2);
    addHeader(w, "repeat_tone", StandardHeaders, 3);
    add(w, "encode", EncodeTab);
    for (int f = 0; f < 3; ++f) {
        addHeader(w, qPrintable(QStringLiteral("frame_%1").arg(f + 1)), EncodeHeaders, 1 + f);
        add(w, qPrintable(QStringLiteral("delay%1").arg(f + 1)), Delays[f]);
    }
    addHeader(w, "standard", EncodeHeaders, 4);
    add(w, "first_tone_extension", Extension);
    add(w, "decode_standard", DecodeStandard);
    add(w, "reset_time", ResetTime);
    add(w, "call_frames", CallFrames);
    add(w, "display_frames", DisplayFrames);
    return area(setup);
}

} // namespace ConfigDiff
