#include "options/bandrecord.h"

#include "image/areamap.h"
#include "image/bandlimits.h"
#include "image/digitfrequency.h"
#include "image/memoryimage.h"
#include "options/optiontexts.h"

namespace BandRecord {

namespace {

constexpr BiText SpeakMute[] = {{"QT/DQT", "哑音"}, {"QT/DQT AND OPTSIG", "哑音与可选信令"}, {"QT/DQT OR OPTSIG", "哑音或可选信令"}};
constexpr BiText OptionalSignal[] = {{"OFF", "关"}, {"DTMF", "DTMF"}, {"2TONE", "2TONE"}, {"5TONE", "5TONE"}};
constexpr BiText OffOn[] = {{"OFF", "关闭"}, {"ON", "开启"}};
constexpr BiText Bandwidth[] = {{"WIDE", "宽带"}, {"NARROR", "窄带"}};
constexpr BiText Power[] = {{"HIGH", "高功率"}, {"LOW", "低功率"}};
constexpr BiText ShiftDirection[] = {{"OFF", "关"}, {"+", "加频"}, {"-", "减频"}};
constexpr BiText Step[] = {{"5.00 KHZ", "5.00 KHZ"}, {"6.25 KHZ", "6.25 KHZ"}, {"10.00 KHZ", "10.00 KHZ"},
                           {"12.50 KHZ", "12.50 KHZ"}, {"25.00 KHZ", "25.00 KHZ"}};

QStringList signalCodes(bool)
{
    QStringList out;
    for (int n = 1; n <= 15; ++n)
        out << QString::number(n);
    return out;
}

ListField field(const char *name, int offset, ListEntries entries, const BiText &caption)
{
    return ListField{name, offset, 0xFF, 0, entries, ListField::NoDefault, ListField::Beyond::LastEntry, &caption};
}

constexpr int FrequencyMhzDigits = 3;
constexpr int OffsetDigits = 5;
// Typed values are kept to 10^-8 MHz, more than a nine-character box can hold.
constexpr qint64 UnitsPerMhz = 100000000;
constexpr qint64 UnitsPerKhz = UnitsPerMhz / 1000;
constexpr qint64 UnitsPerTenHz = UnitsPerKhz / 100;
constexpr qint64 MaxTypedMhz = 1000000000;

QString digitText(const QByteArray &bytes)
{
    QString text;
    for (char b : bytes) {
        if (uint8_t(b) < 10)
            text += QChar(u'0' + uint8_t(b));
    }
    return text;
}

} // namespace

AreaView view(MemoryImage &image, Band band)
{
    const int row = band == Band::A ? Area::BandARecordRow : Area::BandBRecordRow;
    return AreaView(image, MemoryImage::addressOf(row, 0), Bytes);
}

const FieldTable &listFields()
{
    static const FieldTable table{
        field("signalCode", Offset::signalCode, ListEntries::generated(signalCodes), OptionText::SignalCode),
        field("speakMute", Offset::speakMute, ListEntries::of(SpeakMute), OptionText::SpeakMute),
        field("optionalSignal", Offset::optionalSignal, ListEntries::of(OptionalSignal), OptionText::OptionalSignal),
        field("scrambler", Offset::scrambler, ListEntries::of(OffOn), OptionText::Scrambler),
        field("bandwidth", Offset::bandwidth, ListEntries::of(Bandwidth), OptionText::Bandwidth),
        field("power", Offset::power, ListEntries::of(Power), OptionText::Power),
        field("shiftDirection", Offset::shiftDirection, ListEntries::of(ShiftDirection), OptionText::ShiftDirection),
        field("step", Offset::step, ListEntries::of(Step), OptionText::Step),
    };
    return table;
}

QString frequencyText(const AreaView &record)
{
    return digitText(record.bytes(Offset::frequency, FrequencyMhzDigits)) + QLatin1Char('.')
           + digitText(record.bytes(Offset::frequency + FrequencyMhzDigits, DigitFrequency::Bytes - FrequencyMhzDigits));
}

bool isVhf(const AreaView &record)
{
    return record.byte(Offset::frequency) == 1;
}

const QStringList &offsetEntries()
{
    static const QStringList entries = [] {
        QStringList out;
        out.reserve(OffsetCount);
        for (int i = 0; i < OffsetCount; ++i) {
            const int khz = i * OffsetStepKHz;
            out << QStringLiteral("%1.%2MHZ").arg(khz / 1000, 2, 10, QLatin1Char('0')).arg(khz % 1000, 3, 10, QLatin1Char('0'));
        }
        return out;
    }();
    return entries;
}

int offsetPosition(const AreaView &record)
{
    // The six bytes are read as one decimal number, each byte's value written out in
    // turn; an erased record (0xFF) thus reads as a huge offset and shows the last entry.
    QString digits;
    for (char b : record.bytes(Offset::offsetGap, 1 + OffsetDigits))
        digits += QString::number(uint8_t(b));
    const qint64 khz = digits.toLongLong();
    qint64 position = khz / OffsetStepKHz;
    const qint64 rest = khz % OffsetStepKHz;
    if (rest * 2 > OffsetStepKHz || (rest * 2 == OffsetStepKHz && position % 2 == 1))
        ++position;
    return int(std::min<qint64>(position, OffsetCount - 1));
}

void setOffsetPosition(AreaView &record, int position)
{
    if (position < 0 || position >= OffsetCount)
        return;
    // "10.650MHZ": the digits at 1, 2, 4, 5 and 6.
    const QString text = offsetEntries().at(position);
    record.setByte(Offset::offsetGap, 0);
    const int at[OffsetDigits] = {0, 1, 3, 4, 5};
    for (int k = 0; k < OffsetDigits; ++k)
        record.setByte(Offset::offset + k, uint8_t(text.at(at[k]).digitValue()));
}

QStringList toneEntries(bool chinese)
{
    QStringList out = toneTableTexts();
    out[ToneTable::Off] = chinese ? QStringLiteral("关") : QStringLiteral("OFF");
    return out;
}

int tonePosition(const AreaView &record, int offset)
{
    return optionToneIndexOf(ToneCode{record.byte(offset), record.byte(offset + 1)});
}

QString toneText(const AreaView &record, int offset)
{
    return decodeOptionTone(ToneCode{record.byte(offset), record.byte(offset + 1)});
}

void setTonePosition(AreaView &record, int offset, int position)
{
    const auto code = encodeToneIndex(position);
    if (!code)
        return;
    record.setByte(offset, code->low);
    record.setByte(offset + 1, code->high);
}

Limits vhfLimits()
{
    const BandLimits &l = BandLimits::current();
    return Limits{l.aLower, l.aUpper};
}

Limits uhfLimits()
{
    const BandLimits &l = BandLimits::current();
    return Limits{l.bLower, l.bUpper};
}

QString rangeText(const Limits &limits)
{
    return QStringLiteral("%1 - %2.9950").arg(limits.lower).arg(limits.upper);
}

qint64 typedValue(const QString &text)
{
    qint64 value = 0;
    int i = 0;
    const QString t = text.trimmed();
    for (; i < t.size() && t.at(i).isDigit(); ++i) {
        // Far beyond any band; saturating keeps the scaling below from overflowing.
        if (value < MaxTypedMhz)
            value = value * 10 + t.at(i).digitValue();
    }
    value *= UnitsPerMhz;
    if (i < t.size() && t.at(i) == QLatin1Char('.')) {
        qint64 weight = UnitsPerMhz / 10;
        for (++i; i < t.size() && t.at(i).isDigit() && weight > 0; ++i, weight /= 10)
            value += t.at(i).digitValue() * weight;
    }
    return value;
}

QString frequencyForBand(const QString &text, const Limits &limits)
{
    const qint64 mhz = typedValue(text) / UnitsPerMhz;
    if (mhz >= limits.lower && mhz < limits.upper)
        return text;
    return QStringLiteral("%1.02500").arg(limits.lower);
}

QString normaliseFrequency(const QString &text)
{
    const qint64 value = typedValue(text);
    const qint64 mhz = value / UnitsPerMhz;
    const qint64 khz = (value % UnitsPerMhz) / UnitsPerKhz;
    // The rest below the kHz in tens of hertz, to the nearest whole, picks the quarter.
    const qint64 tens = ((value % UnitsPerKhz) + UnitsPerTenHz / 2) / UnitsPerTenHz;
    const char *quarter = tens < 25 ? "00" : tens < 50 ? "25" : tens < 75 ? "50" : "75";
    return QStringLiteral("%1.%2%3").arg(mhz).arg(khz, 3, 10, QLatin1Char('0')).arg(QLatin1String(quarter));
}

CheckedFrequency checkFrequency(const QString &typed, const Limits &limits)
{
    CheckedFrequency out;
    out.text = typed;
    const qint64 value = typedValue(typed);
    if (value < limits.lower * UnitsPerMhz) {
        out.text = QStringLiteral("%1.02500").arg(limits.lower);
        out.outOfRange = true;
    } else if (value > limits.upper * UnitsPerMhz) {
        out.text = QStringLiteral("%1.62500").arg(limits.upper - 1);
        out.outOfRange = true;
    }
    out.text = normaliseFrequency(out.text);
    return out;
}

bool storeFrequency(AreaView &record, const QString &normalised)
{
    const qint64 value = typedValue(normalised);
    const qint64 hz = value / (UnitsPerMhz / 1000000);
    const QByteArray digits = DigitFrequency::encode(hz);
    if (digits.isEmpty())
        return false;
    record.setBytes(Offset::frequency, digits);
    return true;
}

} // namespace BandRecord
