#include "alignment/alignmenttable.h"

namespace Alignment {

const NumberBoxes PowerVhf{"Text1", Points, 15, " 输入数字范围为 0 - 255 ！", " 输入数字范围为 0 - 15 ！"};
const NumberBoxes PowerUhf{"Text2", Points, 15, " 输入数字范围为 0 - 15 ！", " 输入数字范围为 0 - 15 ！"};
const NumberBoxes SquelchVhf{"Text_SQ_VHF", SquelchLevels, 100, " 输入数字范围为 0 - 255 ！", " 输入数字范围为 0 - 100 ！"};
const NumberBoxes OffsetVhf{"Text_Sq_Offset_VHF", Points, 10, " 输入数字范围为 0 - 10 ！", " 输入数字范围为 0 - 10 ！"};
const NumberBoxes SquelchUhf{"Text_SQ_UHF", SquelchLevels, 100, " 输入数字范围为 0 - 100 ！", " 输入数字范围为 0 - 100 ！"};
const NumberBoxes OffsetUhf{"Text_Sq_Offset_UHF", Points, 10, " 输入数字范围为 0 - 10 ！", " 输入数字范围为 0 - 10 ！"};

const ListSetting ListSettings[ListSettingCount] = {
    {"Combo_Voice_Dev", "话音调制度", 128, 60},
    {"Combo_CT_Dev", "模拟哑音调制度", 64, 21},
    {"Combo_DCS_Dev", "数字哑音调制度", 64, 16},
    {"Combo_Wide_C", "宽带接收音量粗调", 16, 9},
    {"Combo_Wide_F", "宽带接收音量细调", 16, 15},
    {"Combo_Narror_C", "窄带接收音量粗调", 16, 15},
    {"Combo_Narror_F", "窄带接收音量细调", 16, 15},
    {"Combo_Beep_C", "提示音音量粗调", 16, 12},
    {"Combo_Beep_F", "提示音音量细调", 16, 12},
    {"Combo_VHF_Drive", " VHF 段驱动功率选择", 16, 2},
    {"Combo_UHF_Drive", "UHF 段驱动功率选择", 16, 2},
    {"Combo_TXP_Temp", "功率管控制温度", 256, 128},
    {"Combo_Tone_Dev", "信令调制度", 128, 50},
};

int rangeLimit(const QByteArray &data, int band, bool upper)
{
    const int at = index(RangeLine, 6 * band + (upper ? 3 : 0));
    return 100 * uint8_t(data.at(at)) + 10 * uint8_t(data.at(at + 1)) + uint8_t(data.at(at + 2));
}

void setRangeLimit(QByteArray &data, int band, bool upper, int value)
{
    if (value < 0 || value > 999)
        return;
    const int at = index(RangeLine, 6 * band + (upper ? 3 : 0));
    data[at] = char(value / 100);
    data[at + 1] = char(value / 10 % 10);
    data[at + 2] = char(value % 10);
}

QByteArray builtInDefaults()
{
    static const uint8_t Lines0To7[8][LineBytes] = {
        {12, 13, 13, 13, 13, 13, 14, 15, 15, 15, 15, 15, 15, 15, 15, 15},
        {12, 12, 13, 13, 13, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12},
        {6, 5, 5, 5, 5, 5, 6, 6, 7, 6, 6, 6, 7, 7, 7, 7},
        {5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5},
        {38, 35, 36, 37, 38, 39, 41, 43, 45, 48, 48, 48, 48, 48, 48, 48},
        {8, 8, 8, 5, 5, 5, 2, 2, 0, 0, 0, 0, 0, 0, 0, 0},
        {38, 31, 32, 33, 34, 35, 36, 37, 39, 41, 41, 41, 41, 41, 41, 41},
        {1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    };
    QByteArray d(Bytes, 0);
    for (int line = 0; line < 8; ++line) {
        for (int b = 0; b < LineBytes; ++b)
            d[index(line, b)] = char(Lines0To7[line][b]);
    }
    for (int i = 0; i < ListSettingCount; ++i)
        d[index(ListLine, i)] = char(ListSettings[i].defaultValue);
    setRangeLimit(d, 0, false, VhfBounds.lower);
    setRangeLimit(d, 0, true, VhfBounds.upper);
    setRangeLimit(d, 1, false, 400);
    setRangeLimit(d, 1, true, 480);
    return d;
}

QString limitName(int band, bool upper)
{
    return QStringLiteral("%1 %2 limit").arg(band == 0 ? QStringLiteral("VHF") : QStringLiteral("UHF"),
                                             upper ? QStringLiteral("upper") : QStringLiteral("lower"));
}

QString byteName(int line, int byte)
{
    if (line < 0 || line >= Lines || byte < 0 || byte >= LineBytes)
        return QString();
    const bool vhf = line % 2 == 0;
    const QString band = vhf ? QStringLiteral("VHF") : QStringLiteral("UHF");
    const int point = vhf ? vhfPoint(byte) : uhfPoint(byte);
    switch (line) {
    case 0:
    case 1:
    case 2:
    case 3:
        return QStringLiteral("%1 power %2 %3MHZ").arg(line < 2 ? QStringLiteral("high") : QStringLiteral("low"), band)
            .arg(point);
    case 4:
    case 6:
        if (byte >= SquelchLevels)
            return QString();
        return QStringLiteral("%1 squelch level %2").arg(line == 4 ? QStringLiteral("VHF") : QStringLiteral("UHF")).arg(byte);
    case 5:
    case 7:
        return QStringLiteral("%1 squelch compensation %2")
            .arg(line == 5 ? QStringLiteral("VHF") : QStringLiteral("UHF"))
            .arg(line == 5 ? vhfPoint(byte) : uhfPoint(byte));
    case ListLine:
        if (byte >= ListSettingCount)
            return QString();
        return QStringLiteral("%1 (%2)").arg(QString::fromUtf8(ListSettings[byte].label).trimmed(),
                                             QLatin1String(ListSettings[byte].name));
    case RangeLine:
        if (byte >= 12)
            return QString();
        return limitName(byte / 6, byte % 6 >= 3);
    default:
        return QString();
    }
}

namespace {
QByteArray &defaultsArray()
{
    static QByteArray d = builtInDefaults();
    return d;
}
} // namespace


const QByteArray &Table::defaults()
{
    return defaultsArray();
}

uint8_t Table::defaultAt(int line, int byte)
{
    return uint8_t(defaults().at(index(line, byte)));
}

void Table::prepareDefaults()
{
    defaultsArray() = builtInDefaults();
}


} // namespace Alignment

void prepareAlignmentDefaults(MemoryImage &)
{
    Alignment::Table::prepareDefaults();
}
