#include "image/tonecodec.h"

#include "image/decimaltext.h"

#include <array>

namespace {

constexpr std::array<int, 50> CtcssTenths{
    670,  693,  719,  744,  770,  797,  825,  854,  885,  915,  948,  974,  1000, 1035, 1072, 1109, 1148,
    1188, 1230, 1273, 1318, 1365, 1413, 1462, 1514, 1567, 1598, 1622, 1655, 1679, 1713, 1738, 1773, 1799,
    1835, 1862, 1899, 1928, 1966, 1995, 2035, 2065, 2107, 2181, 2257, 2291, 2336, 2418, 2503, 2541};

constexpr std::array<const char *, 105> DcsCodes{
    "023", "025", "026", "031", "032", "036", "043", "047", "051", "053", "054", "065", "071", "072", "073",
    "074", "114", "115", "116", "122", "125", "131", "132", "134", "143", "145", "152", "155", "156", "162",
    "165", "172", "174", "205", "212", "223", "225", "226", "243", "244", "245", "246", "251", "252", "255",
    "261", "263", "265", "266", "271", "274", "306", "311", "315", "325", "331", "332", "343", "346", "351",
    "356", "364", "365", "371", "411", "412", "413", "423", "431", "432", "445", "446", "452", "454", "455",
    "462", "464", "465", "466", "503", "506", "516", "523", "526", "532", "546", "565", "606", "612", "624",
    "627", "631", "632", "645", "654", "662", "664", "703", "712", "723", "731", "732", "734", "743", "754"};

constexpr int DcsCount = int(DcsCodes.size());

QString tenthsText(int tenths)
{
    return QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10);
}

QStringList buildPadded()
{
    QStringList table;
    table.reserve(ToneTable::Size);
    table << QStringLiteral("OFF");
    for (int tenths : CtcssTenths)
        table << QStringLiteral("%1    ").arg(tenthsText(tenths), 7);
    for (const char *polarity : {"N", "I"}) {
        for (const char *code : DcsCodes)
            table << QStringLiteral("  D%1%2   ").arg(QLatin1String(code), QLatin1String(polarity));
    }
    return table;
}

QStringList buildTrimmed()
{
    QStringList table = paddedToneTable();
    for (QString &entry : table)
        entry = entry.trimmed();
    return table;
}

} // namespace

static_assert(1 + 50 + 2 * DcsCount == ToneTable::Size);

const QStringList &paddedToneTable()
{
    static const QStringList table = buildPadded();
    return table;
}

const QStringList &toneTableTexts()
{
    static const QStringList table = buildTrimmed();
    return table;
}

QString toneTableText(int index)
{
    if (index < 0 || index >= ToneTable::Size)
        return QString();
    return toneTableTexts().at(index);
}

int toneTableIndex(const QString &text)
{
    const QString wanted = text.trimmed();
    const QStringList &table = toneTableTexts();
    for (int i = 0; i < table.size(); ++i) {
        if (table.at(i).compare(wanted, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString decodeTone(ToneCode code)
{
    if ((code.low == 0 && code.high == 0) || (code.low == 0xFF && code.high == 0xFF))
        return toneTableText(ToneTable::Off);
    if (code.high >= 1 && code.high <= 0x7F)
        return tenthsText(code.value());
    if (code.high == 0 && code.low >= 1 && code.low <= 2 * DcsCount)
        return toneTableText(ToneTable::LastCtcss + code.low);
    return QString();
}

QString decodeTone(uint8_t low, uint8_t high)
{
    return decodeTone(ToneCode{low, high});
}

std::optional<ToneCode> encodeToneIndex(int index)
{
    if (index == ToneTable::Off)
        return ToneCode{0, 0};
    if (index >= ToneTable::FirstCtcss && index <= ToneTable::LastCtcss)
        return ToneCode::fromValue(CtcssTenths[index - ToneTable::FirstCtcss]);
    if (index >= ToneTable::FirstDcs && index <= ToneTable::Last)
        return ToneCode{uint8_t(index - ToneTable::LastCtcss), 0};
    return std::nullopt;
}

std::optional<ToneCode> encodeTypedCtcss(const QString &text)
{
    // Two decimals are enough to round to tenths; anything beyond only matters at the
    // upper limit, where `truncated` says the value lies above what was kept.
    const auto parsed = parseScaledDecimal(text, 2, 4);
    if (!parsed)
        return std::nullopt;
    const qint64 hundredths = parsed->value;
    if (hundredths < qint64(ToneTable::TypedCtcssMin) * 10)
        return std::nullopt;
    if (hundredths > qint64(ToneTable::TypedCtcssMax) * 10
        || (hundredths == qint64(ToneTable::TypedCtcssMax) * 10 && parsed->truncated))
        return std::nullopt;
    // Half up; dropped digits can only push a tie further up, never below it.
    const int tenths = int((hundredths + 5) / 10);
    return ToneCode::fromValue(tenths);
}

std::optional<ToneCode> encodeToneText(const QString &text)
{
    if (const auto typed = encodeTypedCtcss(text))
        return typed;
    const int index = toneTableIndex(text);
    if (index < 0)
        return std::nullopt;
    return encodeToneIndex(index);
}

int toneTableIndexOf(ToneCode code)
{
    if ((code.low == 0 && code.high == 0) || (code.low == 0xFF && code.high == 0xFF))
        return ToneTable::Off;
    if (code.high == 0)
        return code.low <= 2 * DcsCount ? ToneTable::LastCtcss + code.low : -1;
    for (int i = 0; i < int(CtcssTenths.size()); ++i) {
        if (CtcssTenths[i] == code.value())
            return ToneTable::FirstCtcss + i;
    }
    return -1;
}

QString decodeOptionTone(ToneCode code)
{
    if (code.low == 0xFF || code.high == 0xFF)
        return toneTableText(ToneTable::Off);
    return decodeTone(code);
}

int optionToneIndexOf(ToneCode code)
{
    if (code.low == 0xFF || code.high == 0xFF)
        return ToneTable::Off;
    return toneTableIndexOf(code);
}
