#include "options/optionarea.h"

#include "image/areamap.h"
#include "image/digitcodes.h"
#include "image/memoryimage.h"
#include "image/messagecharacters.h"
#include "options/bandrecord.h"
#include "options/optiontexts.h"

namespace OptionArea {

namespace {

constexpr BiText OffOn[] = {{"OFF", "关闭"}, {"ON", "开启"}};
constexpr BiText DtmfSideTone[] = {{"OFF All ", "关闭"},
                                   {"KB DTMF Side Tone", "按键侧音"},
                                   {"Send ANI DTMF Side Tone", "发身份码侧音"},
                                   {"KB DTMFST + Send ANI DTMFST", "按键侧音+发身份码侧音"}};
constexpr BiText ScanResume[] = {{"TO", "时间"}, {"CO", "载波"}, {"SE", "搜索"}};
constexpr BiText PttId[] = {{"OFF", "关"}, {"BOT", "按下发码"}, {"EOT", "松开发码"}, {"BOTH", "两者均发"}};
constexpr BiText AlarmType[] = {{"Alarm", "现场"}, {"Transpond", "远程"}, {"Both", "现场+远程"}};
constexpr BiText ChannelDisplay[] = {{"Channel+Frequency", "频率+信道号"},
                                     {"Channel", "信道号"},
                                     {"Channel+Name", "信道名称+信道号"}};
constexpr BiText PowerOnDisplay[] = {{"Full", "满屏"}, {"MSG", "显示字符"}, {"BATT", "电池电压"}};
constexpr BiText BackLight[] = {{"OFF", "关"}, {"Blue", "蓝色"}, {"Orange", "橙色"}, {"Purple", "紫色"}};
constexpr BiText AniLength[] = {{"3", "3"}, {"4", "4"}, {"5", "5"}};
constexpr BiText RelaySignal[] = {{"1000Hz", "1000Hz"}, {"1450Hz", "1450Hz"}, {"1750Hz", "1750Hz"}, {"2100Hz", "2100Hz"}};
constexpr BiText RelayCondition[] = {{"OFF", "关"}, {"CARRI", "CARRI"}, {"CTDCS", "CTDCS"}, {"TONE", "TONE"}, {"DTMF", "DTMF"}};

QStringList numbers(int first, int last, int step = 1)
{
    QStringList out;
    for (int n = first; n <= last; n += step)
        out << QString::number(n);
    return out;
}

QStringList squelchLevels(bool) { return numbers(0, 9); }
QStringList timeOutSeconds(bool) { return numbers(15, 600, 15); }
QStringList pttIdDelays(bool) { return numbers(0, 30); }
QStringList alertSeconds(bool chinese) { return QStringList{chinese ? QStringLiteral("关闭") : QStringLiteral("OFF")} + numbers(1, 10); }
QStringList backLightTimes(bool chinese) { return QStringList{chinese ? QStringLiteral("关") : QStringLiteral("OFF")} + numbers(1, 50); }
QStringList ringTimes(bool chinese) { return QStringList{chinese ? QStringLiteral("关") : QStringLiteral("OFF")} + numbers(1, 10); }
QStringList channels(bool)
{
    QStringList out;
    for (int n = 0; n < Area::ChannelCount; ++n)
        out << QStringLiteral("CH-%1").arg(n, 3, 10, QLatin1Char('0'));
    return out;
}

using O = Offset;
constexpr int Keep = ListField::NoDefault;

ListField field(const char *name, int offset, ListEntries entries, int defaultPosition, const BiText &caption)
{
    return ListField{name, offset, 0xFF, 0, entries, defaultPosition, ListField::Beyond::LastEntry, &caption};
}

// Bytes the defaults set that no control edits; their meaning is the radio's.
struct FixedByte
{
    int offset;
    uint8_t value;
};
constexpr FixedByte FixedDefaults[] = {
    {0x01, 2},  {0x03, 0},  {0x07, 0},  {0x0A, 0},  {0x0B, 0},  {0x0C, 0}, {0x0D, 0},
    {0x14, 0},  {0x15, 0},  {0x18, 0},  {0x24, 0},  {0x25, 0},  {0x26, 0}, {0x27, 0},
    {0x28, 0},  {0x2C, 0},  {0x84, 0x1F}, {0x85, 1},
};

const char DefaultUpper[] = "WELCOM";
const char DefaultLower[] = "TR7410";
constexpr uint8_t DefaultAni[] = {0x08, 0x00, 0x08, 0x00, 0x08};
constexpr uint8_t DefaultPttBegin[] = {0x01, 0x02, 0x03, 0x04, 0x05};
constexpr uint8_t DefaultPttEnd[] = {0x09, 0x08, 0x07, 0x06, 0x05};

// Band A starts at 136.02500 MHz, band B at 470.62500 MHz.
constexpr uint8_t BandAHead[16] = {1, 3, 6, 0, 2, 5, 0, 0, 0, 1, 0, 6, 5, 5, 0, 0};
constexpr uint8_t BandBHead[16] = {4, 7, 0, 6, 2, 5, 0, 0, 0, 0, 1, 6, 2, 5, 0, 0};
constexpr int BandDefaultedBytes = 28; // 28 to 31 keep their values
constexpr uint8_t BandBSignalCode = 14;

template <int N>
QByteArray bytesOf(const uint8_t (&values)[N])
{
    return QByteArray(reinterpret_cast<const char *>(values), N);
}

void writeBandDefaults(MemoryImage &image, BandRecord::Band band)
{
    AreaView record = BandRecord::view(image, band);
    record.setBytes(0, bytesOf(band == BandRecord::Band::A ? BandAHead : BandBHead));
    record.fill(16, BandDefaultedBytes - 16, 0);
    if (band == BandRecord::Band::B)
        record.setByte(BandRecord::Offset::signalCode, BandBSignalCode);
}

} // namespace

AreaView view(MemoryImage &image)
{
    return AreaView(image, Area::Options);
}

const FieldTable &listFields()
{
    static const FieldTable table{
        field("tdr", O::tdr, ListEntries::of(OffOn), 1, OptionText::Tdr),
        field("squelch", O::squelch, ListEntries::generated(squelchLevels), 5, OptionText::Squelch),
        field("timeOut", O::timeOut, ListEntries::generated(timeOutSeconds), 5, OptionText::TimeOut),
        field("timeOutAlert", O::timeOutAlert, ListEntries::generated(alertSeconds), 10, OptionText::TimeOutAlert),
        field("backLightTime", O::backLightTime, ListEntries::generated(backLightTimes), 0, OptionText::BackLightTime),
        field("beep", O::beep, ListEntries::of(OffOn), 1, OptionText::Beep),
        field("dtmfSideTone", O::dtmfSideTone, ListEntries::of(DtmfSideTone), 3, OptionText::DtmfSideTone),
        field("busyLockOut", O::busyLockOut, ListEntries::of(OffOn), 0, OptionText::BusyLockOut),
        field("scanAdd", O::scanAdd, ListEntries::of(OffOn), Keep, OptionText::ScanAdd),
        field("priorityScan", O::priorityScan, ListEntries::of(OffOn), Keep, OptionText::PriorityScan),
        field("priorityChannel", O::priorityChannel, ListEntries::generated(channels), Keep, OptionText::PriorityChannel),
        field("scanResume", O::scanResume, ListEntries::of(ScanResume), 0, OptionText::ScanResume),
        field("pttId", O::pttId, ListEntries::of(PttId), 0, OptionText::PttId),
        field("pttIdDelay", O::pttIdDelay, ListEntries::generated(pttIdDelays), 10, OptionText::PttIdDelay),
        field("alarmType", O::alarmType, ListEntries::of(AlarmType), 1, OptionText::AlarmType),
        field("alarmChannel", O::alarmChannel, ListEntries::generated(channels), 199, OptionText::AlarmChannel),
        field("ringTime", O::ringTime, ListEntries::generated(ringTimes), 5, OptionText::RingTime),
        field("displayA", O::displayA, ListEntries::of(ChannelDisplay), 0, OptionText::DisplayA),
        field("displayB", O::displayB, ListEntries::of(ChannelDisplay), 1, OptionText::DisplayB),
        field("autoLock", O::autoLock, ListEntries::of(OffOn), 0, OptionText::AutoLock),
        field("powerOnDisplay", O::powerOnDisplay, ListEntries::of(PowerOnDisplay), 2, OptionText::PowerOnDisplay),
        field("waitLight", O::waitLight, ListEntries::of(BackLight), 3, OptionText::WaitLight),
        field("receiveLight", O::receiveLight, ListEntries::of(BackLight), 1, OptionText::ReceiveLight),
        field("transmitLight", O::transmitLight, ListEntries::of(BackLight), 2, OptionText::TransmitLight),
        field("aniLength", O::aniLength, ListEntries::of(AniLength), Keep, OptionText::AniLength),
        field("relaySignal", O::relaySignal, ListEntries::of(RelaySignal), 0, OptionText::RelaySignal),
        field("relayCondition", O::relayCondition, ListEntries::of(RelayCondition), 0, OptionText::RelayCondition),
    };
    return table;
}

QString messageLine(const AreaView &area, int offset)
{
    return MessageCharacters::decode(area.bytes(offset, MessageLength)).trimmed();
}

void setMessageLine(AreaView &area, int offset, const QString &text)
{
    const QString line = text.trimmed().left(MessageLength);
    area.fill(offset, MessageLength, uint8_t(' '));
    const int first = (MessageLength - int(line.size())) / 2;
    for (int i = 0; i < line.size(); ++i)
        area.setByte(offset + first + i, MessageCharacters::encode(line.at(i)));
}

QString digitRow(const AreaView &area, int offset)
{
    return decodeDtmfDigits(area.bytes(offset, DigitRowLength));
}

void setDigitRow(AreaView &area, int offset, const QString &text)
{
    const QString digits = text.trimmed().left(DigitRowLength);
    area.fill(offset, DigitRowLength, NoDigit);
    for (int i = 0; i < digits.size(); ++i)
        area.setByte(offset + i, dtmfDigitToCode(digits.at(i)));
}

AniCheck checkAni(const QString &text)
{
    const QString ani = text.trimmed();
    if (ani.size() < 3 || ani.size() > 5)
        return AniCheck::Length;
    if (ani < QLatin1String("00000") || ani > QLatin1String("99999"))
        return AniCheck::Range;
    return AniCheck::Passed;
}

void writeDefaults(MemoryImage &image)
{
    AreaView area = view(image);
    Fields::writeDefaults(area, listFields());
    for (const FixedByte &b : FixedDefaults)
        area.setByte(b.offset, b.value);
    area.fill(Offset::messageUpper, area.size() - Offset::messageUpper, MemoryImage::Empty);
    setMessageLine(area, Offset::messageUpper, QString::fromLatin1(DefaultUpper));
    setMessageLine(area, Offset::messageLower, QString::fromLatin1(DefaultLower));
    area.setBytes(Offset::ani, bytesOf(DefaultAni));
    area.setBytes(Offset::pttIdBegin, bytesOf(DefaultPttBegin));
    area.setBytes(Offset::pttIdEnd, bytesOf(DefaultPttEnd));
    writeBandDefaults(image, BandRecord::Band::A);
    writeBandDefaults(image, BandRecord::Band::B);
}

} // namespace OptionArea
