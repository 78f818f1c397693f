#include "channels/channelcsv.h"

#include "channels/channelrecord.h"
#include "channels/channeltexts.h"
#include "files/csvrecords.h"
#include "image/areamap.h"
#include "image/decimaltext.h"
#include "image/frequencycodec.h"
#include "image/memoryimage.h"
#include "image/tonecodec.h"

#include <QHash>
#include <algorithm>
#include <memory>
#include <optional>

namespace ChannelCsv {

namespace {

using Csv::Record;
using Csv::quoted;
using Csv::splitRecords;

namespace Reason {
constexpr BiText NoHeader{"the first line must be a header naming at least the Location and Frequency columns",
                          "第一行必须是列名，至少包括 Location 和 Frequency"};
constexpr BiText NotClosed{"a quoted field is not closed", "引号中的字段没有结束"};
constexpr BiText NotLocation{"not a channel number from 0 to 199", "不是 0 到 199 之间的信道号"};
constexpr BiText ListedTwice{"this channel is listed twice", "该信道在文件中出现了两次"};
constexpr BiText NotFrequency{"not a frequency in MHz", "不是以 MHz 为单位的频率"};
constexpr BiText NotDuplex{"Duplex must be empty, +, -, split or off", "Duplex 只能为空、+、-、split 或 off"};
constexpr BiText NotToneMode{"Tone must be empty, Tone, TSQL, DTCS or Cross", "Tone 只能为空、Tone、TSQL、DTCS 或 Cross"};
constexpr BiText NotCtcss{"not a CTCSS tone from 60 to 259.9 Hz", "不是 60 到 259.9 Hz 之间的 CTCSS 亚音"};
constexpr BiText NotDcs{"not a DCS code of the tone table", "不是亚音表中的 DCS 码"};
constexpr BiText NotPolarity{"DtcsPolarity must be two letters, each N or R", "DtcsPolarity 必须是两个字母，每个为 N 或 R"};
constexpr BiText NotCrossMode{"not a CrossMode this radio has", "不是本机支持的 CrossMode"};
constexpr BiText NotMode{"Mode must be FM or NFM", "Mode 只能为 FM 或 NFM"};
constexpr BiText NotSkip{"Skip must be empty or S", "Skip 只能为空或 S"};
constexpr BiText NotPower{"Power must be High, Low or a wattage", "Power 只能为 High、Low 或瓦数"};
} // namespace Reason

namespace Column {
const QString Location = QStringLiteral("Location");
const QString Name = QStringLiteral("Name");
const QString Frequency = QStringLiteral("Frequency");
const QString Duplex = QStringLiteral("Duplex");
const QString Offset = QStringLiteral("Offset");
const QString Tone = QStringLiteral("Tone");
const QString RToneFreq = QStringLiteral("rToneFreq");
const QString CToneFreq = QStringLiteral("cToneFreq");
const QString DtcsCode = QStringLiteral("DtcsCode");
const QString DtcsPolarity = QStringLiteral("DtcsPolarity");
const QString RxDtcsCode = QStringLiteral("RxDtcsCode");
const QString CrossMode = QStringLiteral("CrossMode");
const QString Mode = QStringLiteral("Mode");
const QString TStep = QStringLiteral("TStep");
const QString Skip = QStringLiteral("Skip");
const QString Power = QStringLiteral("Power");
} // namespace Column

// What an unused or missing column holds.
const QString UnusedCtcss = QStringLiteral("88.5");
const QString UnusedDcs = QStringLiteral("023");
const QString UnusedPolarity = QStringLiteral("NN");
const QString UnusedCrossMode = QStringLiteral("Tone->Tone");

const QStringList &crossModes()
{
    static const QStringList modes{QStringLiteral("Tone->Tone"), QStringLiteral("Tone->DTCS"),
                                   QStringLiteral("DTCS->Tone"), QStringLiteral("->Tone"),
                                   QStringLiteral("->DTCS"),     QStringLiteral("DTCS->"),
                                   QStringLiteral("DTCS->DTCS")};
    return modes;
}

constexpr qint64 HzPerMHz = Frequency::HzPerMHz;
constexpr ToneCode ToneOff{0, 0};

// ---- Tones as the file sees them -------------------------------------------------------

struct Tone
{
    enum Kind { None, Ctcss, Dcs } kind = None;
    ToneCode code = ToneOff;
    QString dcsCode;   // "023"
    QChar polarity;    // 'N' or 'R'
};

// The tone a stored code stands for, read through the channel display. A code the grid
// cannot show (never written by this program) counts as none: the layout has no way to
// say it.
Tone toneOf(ToneCode code)
{
    Tone tone;
    const QString text = decodeTone(code);
    if (text.isEmpty() || text == toneTableText(ToneTable::Off))
        return tone;
    tone.code = code;
    if (text.startsWith(QLatin1Char('D'))) {
        tone.kind = Tone::Dcs;
        tone.dcsCode = text.mid(1, 3);
        tone.polarity = text.endsWith(QLatin1Char('N')) ? QLatin1Char('N') : QLatin1Char('R');
    } else {
        tone.kind = Tone::Ctcss;
    }
    return tone;
}

// Two stored codes that the grid shows alike. 00 00 and FF FF are both "OFF".
bool sameTone(ToneCode a, ToneCode b)
{
    const QString text = decodeTone(a);
    return !text.isEmpty() && text == decodeTone(b);
}

QString ctcssText(ToneCode code)
{
    return QStringLiteral("%1.%2").arg(code.value() / 10).arg(code.value() % 10);
}

// ---- Writing ----------------------------------------------------------------------------

QString mhzText(qint64 hz)
{
    return QStringLiteral("%1.%2").arg(hz / HzPerMHz).arg(hz % HzPerMHz, 6, 10, QLatin1Char('0'));
}

bool inBandB(qint64 hz, const BandLimits &limits)
{
    return hz >= qint64(limits.bLower) * HzPerMHz;
}

struct ToneColumns
{
    QString mode, rTone = UnusedCtcss, cTone = UnusedCtcss, dcs = UnusedDcs, rxDcs = UnusedDcs,
                  crossMode = UnusedCrossMode;
    QChar txPolarity = QLatin1Char('N'), rxPolarity = QLatin1Char('N');
};

ToneColumns toneColumns(const Tone &tx, const Tone &rx)
{
    ToneColumns c;
    if (tx.kind == Tone::Ctcss)
        c.rTone = ctcssText(tx.code);
    if (rx.kind == Tone::Ctcss)
        c.cTone = ctcssText(rx.code);
    if (tx.kind == Tone::Dcs) {
        c.dcs = tx.dcsCode;
        c.txPolarity = tx.polarity;
    }
    if (rx.kind == Tone::Dcs) {
        c.rxDcs = rx.dcsCode;
        c.rxPolarity = rx.polarity;
    }

    if (tx.kind == Tone::None && rx.kind == Tone::None)
        return c;
    if (tx.kind == Tone::Ctcss && rx.kind == Tone::None) {
        c.mode = QStringLiteral("Tone");
        return c;
    }
    if (tx.kind == Tone::Ctcss && rx.kind == Tone::Ctcss && tx.code == rx.code) {
        c.mode = QStringLiteral("TSQL");
        c.rTone = c.cTone;
        return c;
    }
    if (tx.kind == Tone::Dcs && rx.kind == Tone::Dcs && tx.dcsCode == rx.dcsCode) {
        c.mode = QStringLiteral("DTCS");
        return c;
    }
    c.mode = QStringLiteral("Cross");
    auto side = [](const Tone &t) {
        return t.kind == Tone::Ctcss ? QStringLiteral("Tone") : t.kind == Tone::Dcs ? QStringLiteral("DTCS") : QString();
    };
    c.crossMode = side(tx) + QStringLiteral("->") + side(rx);
    return c;
}

QStringList rowFields(const MemoryImage &image, int channel, const BandLimits &limits)
{
    // The record view writes only through its setters; here it just reads.
    const ChannelRecord rec(const_cast<MemoryImage &>(image), channel);
    const int row = rec.recordRow();
    const qint64 rx = unpackFrequencyHz(packedFrequencyAt(image, row, ChannelRecord::Offset::rxFrequency));

    QString duplex;
    qint64 offset = 0;
    Tone txTone;
    if (!rec.hasTxFrequency()) {
        duplex = QStringLiteral("off");
    } else {
        const qint64 tx = unpackFrequencyHz(packedFrequencyAt(image, row, ChannelRecord::Offset::txFrequency));
        txTone = toneOf(rec.txTone());
        if (tx != rx && inBandB(tx, limits) == inBandB(rx, limits)) {
            duplex = tx > rx ? QStringLiteral("+") : QStringLiteral("-");
            offset = tx > rx ? tx - rx : rx - tx;
        } else if (tx != rx) {
            duplex = QStringLiteral("split");
            offset = tx;
        }
    }
    const ToneColumns tones = toneColumns(txTone, toneOf(rec.rxTone()));
    // Both rasters meet every 12.5 kHz; the finer one is the better guess there.
    const QString step = rx % 2500 == 0 ? QStringLiteral("2.50") : QStringLiteral("6.25");

    return {QString::number(channel),
            rec.nameText(),
            mhzText(rx),
            duplex,
            mhzText(offset),
            tones.mode,
            tones.rTone,
            tones.cTone,
            tones.dcs,
            QString(tones.txPolarity) + tones.rxPolarity,
            tones.rxDcs,
            tones.crossMode,
            rec.bandwidthText() == ChannelRecord::bandwidthTexts().at(1) ? QStringLiteral("NFM") : QStringLiteral("FM"),
            step,
            rec.scanAddText() == ChannelRecord::offOnTexts().at(0) ? QStringLiteral("S") : QString(),
            rec.powerText() == ChannelRecord::powerTexts().at(1) ? QStringLiteral("Low") : QStringLiteral("High"),
            QString(), QString(), QString(), QString(), QString()};
}

// ---- Reading ----------------------------------------------------------------------------

// Where each known column sits in the file; -1 for a column the file does not have.
class Header
{
public:
    explicit Header(const QStringList &names)
    {
        for (int i = 0; i < names.size(); ++i) {
            const QString key = names.at(i).trimmed().toLower();
            // The first of two columns with one name wins, as a reader scanning left would.
            if (!m_index.contains(key))
                m_index.insert(key, i);
        }
    }
    bool has(const QString &column) const { return m_index.contains(column.toLower()); }
    // The trimmed cell, or an empty text when the column or the cell is missing.
    QString cell(const Record &record, const QString &column) const
    {
        const int i = m_index.value(column.toLower(), -1);
        return i >= 0 && i < record.fields.size() ? record.fields.at(i).trimmed() : QString();
    }

private:
    QHash<QString, int> m_index;
};

// A fault in one row: which column, and why.
struct Fault
{
    QString column;
    QString value;
    BiText reason;
};

struct Power
{
    enum Kind { Word, Watts } kind = Word;
    bool low = false;
    qint64 milliwatts = 0;
};

// One row, checked and ready to store.
struct Plan
{
    int line = 0;
    int channel = 0;
    bool empty = false;
    qint64 rxHz = 0;
    bool receiveOnly = false;
    qint64 txHz = 0;
    ToneCode rxTone = ToneOff;
    ToneCode txTone = ToneOff;
    Power power;
    bool narrow = false;
    bool scanOff = false;
    QString name;
};

std::optional<int> parseLocation(const QString &text)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || text.isEmpty() || !text.at(0).isDigit() || n < 0 || n >= ChannelRecord::Count)
        return std::nullopt;
    return n;
}

// "146.52" or "146.520000" in MHz, to whole hertz.
std::optional<qint64> parseMHz(const QString &text)
{
    return parseFrequencyHz(text);
}

std::optional<ToneCode> parseCtcss(const QString &text)
{
    // Typed values 60..259.9 Hz are accepted with or without a table entry, as in the grid.
    return encodeTypedCtcss(text);
}

// "023", or "23" as a spreadsheet shows a number with its leading zero dropped.
std::optional<ToneCode> parseDcs(const QString &code, QChar polarity)
{
    if (code.isEmpty() || code.size() > 3)
        return std::nullopt;
    for (const QChar ch : code) {
        if (ch < QLatin1Char('0') || ch > QLatin1Char('7'))
            return std::nullopt;
    }
    const QString entry = QLatin1Char('D') + code.rightJustified(3, QLatin1Char('0'))
                          + (polarity == QLatin1Char('R') ? QLatin1Char('I') : QLatin1Char('N'));
    const int index = toneTableIndex(entry);
    if (index < ToneTable::FirstDcs)
        return std::nullopt;
    return encodeToneIndex(index);
}

std::optional<Power> parsePower(const QString &text)
{
    Power p;
    const QString t = text.trimmed();
    if (t.isEmpty() || t.compare(QLatin1String("high"), Qt::CaseInsensitive) == 0
        || t.compare(QLatin1String("h"), Qt::CaseInsensitive) == 0)
        return p;
    if (t.compare(QLatin1String("low"), Qt::CaseInsensitive) == 0 || t.compare(QLatin1String("l"), Qt::CaseInsensitive) == 0) {
        p.low = true;
        return p;
    }
    QString number = t;
    if (number.endsWith(QLatin1Char('w'), Qt::CaseInsensitive))
        number.chop(1);
    const auto watts = parseScaledDecimal(number, 3, 4);
    if (!watts)
        return std::nullopt;
    p.kind = Power::Watts;
    p.milliwatts = watts->value;
    return p;
}

// The two tones of a row from its tone columns; only the columns its mode uses are read.
bool parseTones(const Header &h, const Record &r, Plan &plan, Fault &fault)
{
    const QString mode = h.cell(r, Column::Tone);
    auto cellOr = [&](const QString &column, const QString &unused) {
        const QString v = h.cell(r, column);
        return v.isEmpty() ? unused : v;
    };
    const QString polarity = cellOr(Column::DtcsPolarity, UnusedPolarity).toUpper();
    auto polarityAt = [&](int i) { return polarity.at(i); };
    auto fail = [&](const QString &column, const QString &value, const BiText &reason) {
        fault = Fault{column, value, reason};
        return false;
    };
    auto ctcss = [&](const QString &column, ToneCode &out) {
        const QString v = cellOr(column, UnusedCtcss);
        const auto code = parseCtcss(v);
        if (!code)
            return fail(column, v, Reason::NotCtcss);
        out = *code;
        return true;
    };
    auto dcs = [&](const QString &column, int side, ToneCode &out) {
        if (polarity.size() != 2 || !QStringLiteral("NR").contains(polarity.at(0)) || !QStringLiteral("NR").contains(polarity.at(1)))
            return fail(Column::DtcsPolarity, h.cell(r, Column::DtcsPolarity), Reason::NotPolarity);
        const QString v = cellOr(column, UnusedDcs);
        const auto code = parseDcs(v, polarityAt(side));
        if (!code)
            return fail(column, v, Reason::NotDcs);
        out = *code;
        return true;
    };

    plan.txTone = plan.rxTone = ToneOff;
    if (mode.isEmpty())
        return true;
    if (mode.compare(QLatin1String("Tone"), Qt::CaseInsensitive) == 0)
        return ctcss(Column::RToneFreq, plan.txTone);
    if (mode.compare(QLatin1String("TSQL"), Qt::CaseInsensitive) == 0) {
        if (!ctcss(Column::CToneFreq, plan.rxTone))
            return false;
        plan.txTone = plan.rxTone;
        return true;
    }
    if (mode.compare(QLatin1String("DTCS"), Qt::CaseInsensitive) == 0)
        return dcs(Column::DtcsCode, 0, plan.txTone) && dcs(Column::DtcsCode, 1, plan.rxTone);
    if (mode.compare(QLatin1String("Cross"), Qt::CaseInsensitive) != 0)
        return fail(Column::Tone, mode, Reason::NotToneMode);

    const QString cross = cellOr(Column::CrossMode, UnusedCrossMode);
    int which = -1;
    for (int i = 0; i < crossModes().size(); ++i) {
        if (crossModes().at(i).compare(cross, Qt::CaseInsensitive) == 0)
            which = i;
    }
    if (which < 0)
        return fail(Column::CrossMode, cross, Reason::NotCrossMode);
    const QString txSide = crossModes().at(which).section(QStringLiteral("->"), 0, 0);
    const QString rxSide = crossModes().at(which).section(QStringLiteral("->"), 1, 1);
    if (txSide == QLatin1String("Tone") && !ctcss(Column::RToneFreq, plan.txTone))
        return false;
    if (txSide == QLatin1String("DTCS") && !dcs(Column::DtcsCode, 0, plan.txTone))
        return false;
    if (rxSide == QLatin1String("Tone") && !ctcss(Column::CToneFreq, plan.rxTone))
        return false;
    if (rxSide == QLatin1String("DTCS") && !dcs(Column::RxDtcsCode, 1, plan.rxTone))
        return false;
    return true;
}

bool parseRow(const Header &h, const Record &r, const BandLimits &limits, Plan &plan, Fault &fault,
              QVector<Problem> &notices)
{
    auto fail = [&](const QString &column, const QString &value, const BiText &reason) {
        fault = Fault{column, value, reason};
        return false;
    };
    plan.line = r.line;
    const QString location = h.cell(r, Column::Location);
    const auto channel = parseLocation(location);
    if (!channel)
        return fail(Column::Location, location, Reason::NotLocation);
    plan.channel = *channel;

    const QString frequency = h.cell(r, Column::Frequency);
    if (frequency.isEmpty()) {
        plan.empty = true;
        return true;
    }
    const auto rx = parseMHz(frequency);
    if (!rx)
        return fail(Column::Frequency, frequency, Reason::NotFrequency);
    if (!frequencyInBand(*rx, BandCheck::Entry, limits))
        return fail(Column::Frequency, frequency, ChannelText::RxOutOfRange);
    plan.rxHz = *rx;

    const QString duplex = h.cell(r, Column::Duplex).toLower();
    const QString offsetText = h.cell(r, Column::Offset);
    if (duplex.isEmpty()) {
        plan.txHz = plan.rxHz;
    } else if (duplex == QLatin1String("off")) {
        plan.receiveOnly = true;
    } else if (duplex == QLatin1String("+") || duplex == QLatin1String("-") || duplex == QLatin1String("split")) {
        const auto offset = offsetText.isEmpty() ? std::optional<qint64>(0) : parseMHz(offsetText);
        if (!offset)
            return fail(Column::Offset, offsetText, Reason::NotFrequency);
        plan.txHz = duplex == QLatin1String("+") ? plan.rxHz + *offset
                    : duplex == QLatin1String("-") ? plan.rxHz - *offset
                                                   : *offset;
        if (!frequencyInBand(plan.txHz, BandCheck::Entry, limits))
            return fail(Column::Offset, offsetText, ChannelText::TxOutOfRange);
    } else {
        return fail(Column::Duplex, h.cell(r, Column::Duplex), Reason::NotDuplex);
    }

    if (!parseTones(h, r, plan, fault))
        return false;
    if (plan.receiveOnly)
        plan.txTone = ToneOff; // a receive-only channel sends no tone

    const QString mode = h.cell(r, Column::Mode);
    if (mode.isEmpty() || mode.compare(QLatin1String("FM"), Qt::CaseInsensitive) == 0)
        plan.narrow = false;
    else if (mode.compare(QLatin1String("NFM"), Qt::CaseInsensitive) == 0)
        plan.narrow = true;
    else
        return fail(Column::Mode, mode, Reason::NotMode);

    const QString skip = h.cell(r, Column::Skip);
    // "P" (a priority channel) still scans; this radio has no priority flag.
    if (skip.isEmpty() || skip.compare(QLatin1String("P"), Qt::CaseInsensitive) == 0)
        plan.scanOff = false;
    else if (skip.compare(QLatin1String("S"), Qt::CaseInsensitive) == 0)
        plan.scanOff = true;
    else
        return fail(Column::Skip, skip, Reason::NotSkip);

    const QString power = h.cell(r, Column::Power);
    const auto p = parsePower(power);
    if (!p)
        return fail(Column::Power, power, Reason::NotPower);
    plan.power = *p;

    plan.name = h.cell(r, Column::Name);
    if (plan.name.size() > ChannelRecord::NameLength) {
        notices << Problem{r.line, Column::Name, plan.name, ChannelText::NameTooLong};
        plan.name = plan.name.left(ChannelRecord::NameLength);
    }
    return true;
}

// The name the grid would show once `text` is stored.
QString shownName(const QString &text)
{
    return channelNameText(text.toUpper().left(ChannelRecord::NameLength).toLatin1());
}

void store(const Plan &plan, MemoryImage &image)
{
    ChannelRecord rec(image, plan.channel);
    if (plan.empty) {
        rec.clear();
        return;
    }
    const int row = rec.recordRow();
    const bool fresh = rec.isEmpty();
    if (fresh)
        rec.create();
    auto packedDiffers = [&](int offset, qint64 hz) {
        return packedFrequencyAt(image, row, offset) != encodeFrequency(hz);
    };

    if (fresh || packedDiffers(ChannelRecord::Offset::rxFrequency, plan.rxHz))
        rec.setRxFrequencyHz(plan.rxHz);
    if (plan.receiveOnly) {
        if (fresh || rec.hasTxFrequency())
            rec.clearTxFrequency();
    } else if (fresh || !rec.hasTxFrequency() || packedDiffers(ChannelRecord::Offset::txFrequency, plan.txHz)) {
        rec.setTxFrequencyHz(plan.txHz);
    }
    if (fresh || !sameTone(rec.rxTone(), plan.rxTone))
        rec.setRxTone(plan.rxTone);
    if (!plan.receiveOnly && (fresh || !sameTone(rec.txTone(), plan.txTone)))
        rec.setTxTone(plan.txTone);

    const bool low = plan.power.low;
    if (fresh || (rec.powerText() == ChannelRecord::powerTexts().at(1)) != low)
        rec.setPowerPosition(low ? 1 : 0);
    if (fresh || (rec.bandwidthText() == ChannelRecord::bandwidthTexts().at(1)) != plan.narrow)
        rec.setBandwidthPosition(plan.narrow ? 1 : 0);
    if (fresh || (rec.scanAddText() == ChannelRecord::offOnTexts().at(0)) != plan.scanOff)
        rec.setScanAddPosition(plan.scanOff ? 0 : 1);
    if (fresh ? !plan.name.isEmpty() : rec.nameText() != shownName(plan.name))
        rec.setName(plan.name);
}

} // namespace

const QStringList &columns()
{
    static const QStringList list{Column::Location, Column::Name,         Column::Frequency,  Column::Duplex,
                                  Column::Offset,   Column::Tone,         Column::RToneFreq,  Column::CToneFreq,
                                  Column::DtcsCode, Column::DtcsPolarity, Column::RxDtcsCode, Column::CrossMode,
                                  Column::Mode,     Column::TStep,        Column::Skip,       Column::Power,
                                  QStringLiteral("Comment"), QStringLiteral("URCALL"), QStringLiteral("RPT1CALL"),
                                  QStringLiteral("RPT2CALL"), QStringLiteral("DVCODE")};
    return list;
}

QByteArray write(const MemoryImage &image, const BandLimits &limits)
{
    QString out = columns().join(QLatin1Char(',')) + QStringLiteral("\r\n");
    for (int channel = 0; channel < ChannelRecord::Count; ++channel) {
        if (image.cell(Area::Channels.firstRow + channel, ChannelRecord::Offset::rxFrequency) == MemoryImage::Empty)
            continue;
        QStringList fields = rowFields(image, channel, limits);
        for (QString &f : fields)
            f = quoted(f);
        out += fields.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    return out.toUtf8();
}

QString Problem::text(bool chinese) const
{
    if (column.isEmpty()) {
        return chinese ? QStringLiteral("第 %1 行：%2").arg(line).arg(reason.text(true))
                       : QStringLiteral("Line %1: %2").arg(line).arg(reason.text(false));
    }
    return chinese ? QStringLiteral("第 %1 行，%2 列，值“%3”：%4").arg(line).arg(column, value, reason.text(true))
                   : QStringLiteral("Line %1, column %2, value \"%3\": %4").arg(line).arg(column, value, reason.text(false));
}

QString problemList(const QVector<Problem> &problems, bool chinese, int shown)
{
    QStringList lines;
    for (int i = 0; i < problems.size() && i < shown; ++i)
        lines << problems.at(i).text(chinese);
    const int more = int(problems.size()) - shown;
    if (more > 0)
        lines << (chinese ? QStringLiteral("……另有 %1 行").arg(more) : QStringLiteral("... and %1 more").arg(more));
    return lines.join(QLatin1Char('\n'));
}

QString ImportResult::errorMessage(bool chinese) const
{
    const QString heading = chinese ? QStringLiteral("没有导入任何信道：%1 行无效。").arg(errors.size())
                                    : QStringLiteral("No channel was imported: %1 rows are not valid.").arg(errors.size());
    return heading + QLatin1Char('\n') + problemList(errors, chinese);
}

QString ImportResult::doneMessage(bool chinese) const
{
    QString text = chinese ? QStringLiteral("已导入 %1 个信道。").arg(channels.size())
                           : QStringLiteral("Imported %1 channels.").arg(channels.size());
    if (!notices.isEmpty())
        text += QLatin1Char('\n') + problemList(notices, chinese);
    return text;
}

ImportResult importInto(const QByteArray &bytes, MemoryImage &image, const BandLimits &limits)
{
    ImportResult result;
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);

    QVector<Record> records;
    int openQuoteLine = 0;
    if (!splitRecords(text, records, openQuoteLine)) {
        result.errors << Problem{openQuoteLine, QString(), QString(), Reason::NotClosed};
        return result;
    }
    if (records.isEmpty()) {
        result.errors << Problem{1, QString(), QString(), Reason::NoHeader};
        return result;
    }
    const Header header(records.first().fields);
    if (!header.has(Column::Location) || !header.has(Column::Frequency)) {
        result.errors << Problem{records.first().line, QString(), QString(), Reason::NoHeader};
        return result;
    }

    QVector<Plan> plans;
    QVector<int> firstLineOf(ChannelRecord::Count, 0);
    for (int i = 1; i < records.size(); ++i) {
        const Record &r = records.at(i);
        Plan plan;
        Fault fault;
        QVector<Problem> rowNotices;
        if (!parseRow(header, r, limits, plan, fault, rowNotices)) {
            result.errors << Problem{r.line, fault.column, fault.value, fault.reason};
            continue;
        }
        if (firstLineOf[plan.channel] != 0) {
            result.errors << Problem{r.line, Column::Location, header.cell(r, Column::Location), Reason::ListedTwice};
            continue;
        }
        firstLineOf[plan.channel] = r.line;
        result.notices << rowNotices;
        plans << plan;
    }
    if (!result.errors.isEmpty()) {
        result.notices.clear();
        return result;
    }

    // Watts are relative: the strongest setting in the file is High, anything less Low.
    qint64 strongest = 0;
    for (const Plan &p : plans) {
        if (!p.empty && p.power.kind == Power::Watts)
            strongest = std::max(strongest, p.power.milliwatts);
    }
    for (Plan &p : plans) {
        if (p.power.kind == Power::Watts)
            p.power.low = p.power.milliwatts < strongest;
    }

    // Stored on a copy and taken over whole, so nothing half-done can reach the image.
    auto staging = std::make_unique<MemoryImage>(image);
    for (const Plan &p : plans) {
        store(p, *staging);
        result.channels << p.channel;
    }
    image.setRows(0, staging->rows(0, MemoryImage::Rows));
    result.ok = true;
    return result;
}

} // namespace ChannelCsv
