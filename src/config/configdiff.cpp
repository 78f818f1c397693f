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

// `maps` names the maps that hold fields (the encode list); each field's last word is
// named by its own caption.
ImageDiff::AreaFields area(const Area::Range &range, const BiText &prefix, const ConfigFields::FieldList &fields,
                           const std::initializer_list<std::pair<QString, QString>> &maps)
{
    auto setup = std::make_shared<Setup>(Setup{range, prefix, fields, {}});
    for (const auto &[word, caption] : maps)
        setup->chinese.insert(word, ImageDiff::captionWords(caption));
    for (const ConfigFields::Field &f : fields) {
        if (!f.caption.isEmpty())
            setup->chinese.insert(f.key.section(QLatin1Char('.'), -1), ImageDiff::captionWords(f.caption));
    }
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

QString zh(const BiText &caption)
{
    return caption.text(true);
}

} // namespace

ImageDiff::AreaFields dtmf()
{
    return area(Area::Dtmf, {"dtmf", "DTMF"}, ConfigFields::dtmf(), {{QStringLiteral("encode"), zh(DtmfText::CodeColumn)}});
}

ImageDiff::AreaFields twoTone()
{
    using namespace TwoToneText;
    return area(Area::TwoTone, {"2-tone", "两音"}, ConfigFields::twoTone(),
                {{QStringLiteral("encode"), zh(EncodeTab)},
                 {QStringLiteral("decode"), zh(DecodeTab)},
                 {QStringLiteral("group_1"), ConfigFields::headerCaption(DecodeHeaders, 1)},
                 {QStringLiteral("group_2"), ConfigFields::headerCaption(DecodeHeaders, 4)},
                 {QStringLiteral("group_3"), ConfigFields::headerCaption(DecodeHeaders, 7)},
                 {QStringLiteral("group_4"), ConfigFields::headerCaption(DecodeHeaders, 10)}});
}

ImageDiff::AreaFields fiveTone()
{
    using namespace FiveToneText;
    return area(Area::FiveToneCodes, {"5-tone", "五音"}, ConfigFields::fiveTone(),
                {{QStringLiteral("standards"), zh(StandardTab)}, {QStringLiteral("encode"), zh(EncodeTab)}});
}

} // namespace ConfigDiff
