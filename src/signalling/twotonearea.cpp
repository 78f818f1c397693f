#include "signalling/twotonearea.h"

#include "image/areamap.h"
#include "image/decimaltext.h"
#include "image/memoryimage.h"
#include "signalling/signallinglists.h"
#include "signalling/twotonetexts.h"
#include "texts/languagetable.h"

#include <cmath>

namespace {

QStringList durations(bool) { return SignallingLists::steps(0, 10, 101); }
QStringList resetTimes(bool) { return SignallingLists::steps(100, 100, 80); }

constexpr ListField::Beyond Last = ListField::Beyond::LastEntry;

const FieldTable &table()
{
    using O = TwoToneArea::Offset;
    static const FieldTable t{
        {"firstDuration", O::firstDuration, 0xFF, 0, ListEntries::generated(&durations), 60, Last,
         &TwoToneText::FirstDuration},
        {"secondDuration", O::secondDuration, 0xFF, 0, ListEntries::generated(&durations), 60, Last,
         &TwoToneText::SecondDuration},
        {"gap", O::gap, 0xFF, 0, ListEntries::generated(&durations), 30, Last, &TwoToneText::Gap},
        {"resetTime", O::resetTime, 0xFF, 0, ListEntries::generated(&resetTimes), 59, Last, &TwoToneText::ResetTime},
    };
    return t;
}

// Hundred-thousandths are enough to tell a half from anything above or below it.
constexpr int Decimals = 5;
constexpr qint64 Scale = 100000;

const char *const Pairs[TwoToneArea::PairCount] = {"A-B", "A-C", "A-D", "B-A", "B-C", "B-D",
                                                   "C-A", "C-B", "C-D", "D-A", "D-B", "D-C"};

} // namespace

namespace TwoToneArea {

AreaView view(MemoryImage &image)
{
    return AreaView(image, Area::TwoTone);
}

const ListField &firstDuration() { return table()[0]; }
const ListField &secondDuration() { return table()[1]; }
const ListField &gap() { return table()[2]; }
const ListField &resetTime() { return table()[3]; }
const FieldTable &listFields() { return table(); }

ToneInput parseEncodeTone(const QString &text)
{
    if (text.trimmed().isEmpty())
        return {};
    const auto value = parseScaledDecimal(text, Decimals);
    if (!value)
        return {ToneInput::Kind::OutOfRange, 0};
    const bool aboveTop = value->value > HighestHz * Scale || (value->value == HighestHz * Scale && value->truncated);
    if (value->value < LowestHz * Scale || aboveTop)
        return {ToneInput::Kind::OutOfRange, 0};
    return {ToneInput::Kind::Accepted, int((value->value + Scale / 2) / Scale)};
}

ToneInput parseDecodeTone(const QString &text)
{
    if (text.trimmed().isEmpty())
        return {};
    const auto value = parseScaledDecimal(text, Decimals);
    if (!value)
        return {ToneInput::Kind::OutOfRange, 0};
    qint64 whole = value->value / Scale;
    const qint64 fraction = value->value % Scale;
    const bool exactHalf = fraction == Scale / 2 && !value->truncated;
    if (fraction > Scale / 2 || (fraction == Scale / 2 && !exactHalf) || (exactHalf && whole % 2 == 1))
        ++whole;
    if (whole < LowestHz || whole > HighestHz)
        return {ToneInput::Kind::OutOfRange, 0};
    return {ToneInput::Kind::Accepted, int(whole)};
}

int storedHz(const AreaView &area, int offset)
{
    return area.byte(offset) | (area.byte(offset + 1) << 8);
}

void storeHz(AreaView &area, int offset, int hz)
{
    area.setByte(offset, uint8_t(hz & 0xFF));
    area.setByte(offset + 1, uint8_t((hz >> 8) & 0xFF));
}

QString encodeToneText(int hz)
{
    return hz >= LowestHz && hz <= HighestHz ? QStringLiteral("%1.0").arg(hz) : QString();
}

QString toneSetText(const AreaView &area, int n, int tone)
{
    const int hz = storedHz(area, Offset::toneSetHz(n, tone));
    return hz == 0 || hz == 0xFFFF ? QString() : QStringLiteral("%1.0").arg(hz);
}

int periodCount(int hz)
{
    return int(std::floor((1000.0 / hz) / 0.000434028 + 0.5));
}

void storeToneSetTone(AreaView &area, int n, int tone, int hz)
{
    if (hz <= 0) {
        area.fill(Offset::toneSetHz(n, tone), 2, 0xFF);
        area.fill(Offset::toneSetPeriod(n, tone), 2, 0xFF);
        return;
    }
    storeHz(area, Offset::toneSetHz(n, tone), hz);
    storeHz(area, Offset::toneSetPeriod(n, tone), periodCount(hz));
}

QStringList pairTexts()
{
    QStringList out;
    for (const char *p : Pairs)
        out << QString::fromLatin1(p);
    return out;
}

QStringList responseTexts(bool chinese)
{
    // The language table is rebuilt with the flag; a window keeps its own language.
    return LanguageTable::build(chinese).twoToneReplies;
}

QStringList alertTexts()
{
    return SignallingLists::steps(1, 1, AlertCount);
}

QString pairText(uint8_t byte)
{
    return byte < PairCount ? QString::fromLatin1(Pairs[byte]) : QString();
}

QString responseText(uint8_t byte, bool chinese)
{
    if (byte == 0xFF)
        return QString();
    return responseTexts(chinese).at(byte < ResponseCount ? byte : 0);
}

QString alertText(uint8_t byte)
{
    return byte <= AlertCount ? QString::number(byte) : QString();
}

void writeDefaults(MemoryImage &image)
{
    image.fill(Area::TwoTone.firstRow, Area::TwoTone.lastRow, MemoryImage::Empty);
    AreaView area = view(image);
    const struct
    {
        int n, first, second;
    } encode[] = {{1, 1981, 1124},  {2, 1358, 1446},  {3, 1540, 1640}, {12, 2200, 970},
                  {13, 1060, 1160}, {14, 1400, 1530}, {15, 1670, 1830}};
    for (const auto &e : encode) {
        storeHz(area, Offset::encodeTone(e.n, 0), e.first);
        storeHz(area, Offset::encodeTone(e.n, 1), e.second);
    }
    Fields::writeDefaults(area, table());

    // pair, response, alert of groups 1-4
    const uint8_t forward[GroupCount][3] = {{0, 1, 1}, {4, 2, 2}, {8, 3, 3}, {9, 0, 4}};
    for (int n : {1, 2, 14}) {
        for (int g = 0; g < GroupCount; ++g)
            area.setBytes(Offset::decodeGroup(n, g), QByteArray(reinterpret_cast<const char *>(forward[g]), 3));
    }
    for (int g = 0; g < GroupCount; ++g)
        area.setBytes(Offset::decodeGroup(15, g),
                      QByteArray(reinterpret_cast<const char *>(forward[GroupCount - 1 - g]), 3));

    const struct
    {
        int n;
        int hz[ToneCount];
    } sets[] = {{1, {1981, 1124, 1197, 1275}},
                {2, {1358, 1446, 1540, 1640}},
                {14, {2200, 970, 1060, 1160}},
                {15, {1400, 1530, 1670, 1830}}};
    for (const auto &s : sets) {
        for (int t = 0; t < ToneCount; ++t)
            storeToneSetTone(area, s.n, t, s.hz[t]);
    }
}

} // namespace TwoToneArea
