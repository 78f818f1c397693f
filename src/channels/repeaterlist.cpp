#include "channels/repeaterlist.h"

#include "channels/channelrecord.h"
#include "channels/csvtext.h"
#include "channels/csvtones.h"
#include "image/areamap.h"
#include "image/frequencycodec.h"
#include "image/memoryimage.h"

#include <QtMath>
#include <algorithm>
#include <cmath>
#include <memory>

namespace RepeaterList {

namespace {

namespace Reason {
constexpr BiText NoFrequencyColumn{"no column gives the output or the input frequency",
                                   "没有给出输出或输入频率的列"};
constexpr BiText NotFrequency{"not a frequency", "不是频率"};
constexpr BiText NoFrequency{"the row gives no frequency", "该行没有频率"};
constexpr BiText NotOffset{"not an offset", "不是频差"};
constexpr BiText NotSign{"not +, -, split or off", "不是 +、-、split 或 off"};
constexpr BiText NotTone{"not a CTCSS tone in Hz or a DCS code", "不是以 Hz 表示的 CTCSS 亚音或 DCS 码"};
constexpr BiText NotTonMode{"not a tone mode (Tone, TSQL, DTCS, Cross)", "不是亚音方式（Tone、TSQL、DTCS、Cross）"};
constexpr BiText NotLatitude{"not a latitude in degrees (-90 to 90)", "不是以度表示的纬度（-90 至 90）"};
constexpr BiText NotLongitude{"not a longitude in degrees (-180 to 180)", "不是以度表示的经度（-180 至 180）"};
constexpr BiText TooManyRows{"more rows than the radio has channels (200)", "行数超过本机信道数（200）"};
constexpr BiText NotClosed{"a quoted field is not closed", "引号内的字段没有结束"};
constexpr BiText NoHeader{"the file has no header line", "文件没有表头行"};
} // namespace Reason

struct FieldRow
{
    Field field;
    const char *key;
    BiText caption;
};

const FieldRow Fields[FieldCount] = {
    {Field::Output, "output", {"Output frequency", "输出频率"}},
    {Field::Input, "input", {"Input frequency", "输入频率"}},
    {Field::Offset, "offset", {"Offset", "频差"}},
    {Field::OffsetSign, "sign", {"Offset sign", "频差方向"}},
    {Field::ToneOut, "tone-out", {"Tone out", "发送亚音"}},
    {Field::ToneIn, "tone-in", {"Tone in", "接收亚音"}},
    {Field::ToneMode, "tone-mode", {"Tone mode", "亚音方式"}},
    {Field::Dcs, "dcs", {"DCS code", "DCS 码"}},
    {Field::Call, "call", {"Call sign or name", "呼号或名称"}},
    {Field::Location, "location", {"Location name", "地点名称"}},
    {Field::Latitude, "lat", {"Latitude", "纬度"}},
    {Field::Longitude, "lon", {"Longitude", "经度"}},
};

QString normalised(const QString &header)
{
    QString out;
    for (const QChar c : header) {
        if (c.isLetterOrNumber())
            out += c.toLower();
    }
    return out;
}

// Spellings most lists use, for whatever the best layout leaves open.
const Layout &commonSpellings()
{
    static const Layout layout{
        "",
        Side::Repeater,
        {{Field::Output, {"output", "outputfrequency", "downlink", "frequency", "freq", "txfreq"}},
         {Field::Input, {"input", "inputfrequency", "uplink", "rxfreq"}},
         {Field::Offset, {"offset", "shift", "duplexoffset"}},
         {Field::OffsetSign, {"duplex", "sign", "offsetsign", "shiftdirection"}},
         {Field::ToneOut, {"toneout", "ctcssout", "txtone", "ctcsstx", "tone"}},
         {Field::ToneIn, {"tonein", "ctcssin", "rxtone", "ctcssrx", "accesstone", "ctcss", "pl"}},
         {Field::Call, {"callsign", "call", "name", "repeater", "identifier"}},
         {Field::Location, {"location", "city", "site", "sitename", "town", "qth", "nearcity"}},
         {Field::Latitude, {"latitude", "lat"}},
         {Field::Longitude, {"longitude", "lon", "lng", "long"}}}};
    return layout;
}

} // namespace

const QVector<Layout> &layouts()
{
    static const QVector<Layout> list{
        // The channel CSV the program reads and writes: written from the radio's side, its
        // Frequency being what the radio listens on.
        {"channel CSV",
         Side::Radio,
         {{Field::Input, {"Frequency"}},
          {Field::Offset, {"Offset"}},
          {Field::OffsetSign, {"Duplex"}},
          {Field::ToneMode, {"Tone"}},
          {Field::ToneOut, {"rToneFreq"}},
          {Field::ToneIn, {"cToneFreq"}},
          {Field::Dcs, {"DtcsCode"}},
          {Field::Call, {"Name"}},
          {Field::Location, {"Comment"}}}},
        // A directory written from the repeater's side: its downlink is what it transmits.
        {"directory (UPLINK/DOWNLINK)",
         Side::Repeater,
         {{Field::Call, {"CALLSIGN"}},
          {Field::Input, {"UPLINK_FREQUENCY"}},
          {Field::Output, {"DOWNLINK_FREQUENCY"}},
          {Field::Offset, {"OFFSET"}},
          {Field::ToneIn, {"UPLINK_CTCSS"}},
          {Field::ToneOut, {"DOWNLINK_CTCSS"}},
          {Field::Location, {"NEAR_CITY"}},
          {Field::Latitude, {"LATITUDE"}},
          {Field::Longitude, {"LONGITUDE"}}}},
        // A list of the repeaters' own settings: frequency_tx is what the repeater sends.
        {"repeater list (frequency_tx/frequency_rx)",
         Side::Repeater,
         {{Field::Call, {"callsign"}},
          {Field::Output, {"frequency_tx"}},
          {Field::Input, {"frequency_rx"}},
          {Field::ToneOut, {"ctcss_tx"}},
          {Field::ToneIn, {"ctcss_rx"}},
          {Field::Location, {"site_name"}},
          {Field::Latitude, {"latitude", "lat"}},
          {Field::Longitude, {"longitude", "lon", "lng"}}}},
    };
    return list;
}

QString fieldKey(Field field)
{
    return QString::fromLatin1(Fields[int(field)].key);
}

std::optional<Field> fieldOfKey(const QString &key)
{
    for (const FieldRow &f : Fields) {
        if (key.compare(QLatin1String(f.key), Qt::CaseInsensitive) == 0)
            return f.field;
    }
    return std::nullopt;
}

BiText fieldCaption(Field field)
{
    return Fields[int(field)].caption;
}

Mapping guess(const QStringList &header)
{
    QVector<QString> names;
    for (const QString &h : header)
        names << normalised(h);
    auto find = [&](const QStringList &spellings, const QVector<int> &taken) {
        for (const QString &s : spellings) {
            const int at = int(names.indexOf(normalised(s)));
            if (at >= 0 && !taken.contains(at))
                return at;
        }
        return -1;
    };
    auto apply = [&](const Layout &layout, Mapping &m) {
        int found = 0;
        for (const auto &h : layout.headers) {
            if (m.column(h.first) >= 0)
                continue;
            const int at = find(h.second, m.columns);
            if (at >= 0) {
                m.set(h.first, at);
                ++found;
            }
        }
        return found;
    };
    Mapping best;
    int bestFound = 0;
    for (const Layout &layout : layouts()) {
        Mapping m;
        m.side = layout.side;
        m.layout = QString::fromLatin1(layout.name);
        const int found = apply(layout, m);
        const bool hasFrequency = m.column(Field::Output) >= 0 || m.column(Field::Input) >= 0;
        // A layout counts when it finds its frequency and at least half its columns.
        if (hasFrequency && found * 2 >= int(layout.headers.size()) && found > bestFound) {
            best = m;
            bestFound = found;
        }
    }
    if (bestFound == 0)
        best = Mapping{};
    apply(commonSpellings(), best);
    return best;
}

std::optional<LatLon> parseLocation(const QString &input)
{
    const QString text = input.trimmed();
    // Maidenhead: field letters A-R, square digits, subsquare letters a-x.
    if ((text.size() == 4 || text.size() == 6) && text.at(0).isLetter()) {
        const QString t = text.toUpper();
        auto between = [](QChar c, char lo, char hi) { return c >= QLatin1Char(lo) && c <= QLatin1Char(hi); };
        if (!between(t.at(0), 'A', 'R') || !between(t.at(1), 'A', 'R') || !between(t.at(2), '0', '9')
            || !between(t.at(3), '0', '9'))
            return std::nullopt;
        double lon = (t.at(0).unicode() - 'A') * 20.0 - 180 + (t.at(2).unicode() - '0') * 2.0;
        double lat = (t.at(1).unicode() - 'A') * 10.0 - 90 + (t.at(3).unicode() - '0') * 1.0;
        if (t.size() == 6) {
            if (!between(t.at(4), 'A', 'X') || !between(t.at(5), 'A', 'X'))
                return std::nullopt;
            lon += (t.at(4).unicode() - 'A' + 0.5) * (2.0 / 24);
            lat += (t.at(5).unicode() - 'A' + 0.5) * (1.0 / 24);
        } else {
            lon += 1.0;
            lat += 0.5;
        }
        return LatLon{lat, lon};
    }
    QString separated = text;
    separated.replace(QLatin1Char(','), QLatin1Char(' '));
    separated.replace(QLatin1Char(';'), QLatin1Char(' '));
    const QStringList parts = separated.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() != 2)
        return std::nullopt;
    bool okLat = false, okLon = false;
    const double lat = parts.at(0).toDouble(&okLat);
    const double lon = parts.at(1).toDouble(&okLon);
    if (!okLat || !okLon || !std::isfinite(lat) || !std::isfinite(lon) || std::abs(lat) > 90 || std::abs(lon) > 180)
        return std::nullopt;
    return LatLon{lat, lon};
}

double distanceKm(const LatLon &a, const LatLon &b)
{
    constexpr double EarthRadiusKm = 6371.0;
    const double p1 = qDegreesToRadians(a.lat);
    const double p2 = qDegreesToRadians(b.lat);
    const double dp = p2 - p1;
    const double dl = qDegreesToRadians(b.lon - a.lon);
    const double h = std::sin(dp / 2) * std::sin(dp / 2) + std::cos(p1) * std::cos(p2) * std::sin(dl / 2) * std::sin(dl / 2);
    return 2 * EarthRadiusKm * std::asin(std::min(1.0, std::sqrt(h)));
}

namespace {

// MHz as lists write it; a value only kHz or Hz could mean is taken as that.
std::optional<qint64> parseFrequency(const QString &text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v) || v <= 0)
        return std::nullopt;
    double hz = v * 1e6;
    if (v >= 1e5)
        hz = v; // 145600000
    else if (v >= 1600)
        hz = v * 1e3; // 145600
    if (hz >= double(Frequency::PackableLimitHz))
        return std::nullopt;
    return qRound64(hz);
}

// A duplex offset is a few MHz at most; a larger number is kHz ("600").
std::optional<qint64> parseOffset(const QString &text)
{
    QString t = text.trimmed();
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v) || std::abs(v) >= 1600e3)
        return std::nullopt;
    return qRound64(std::abs(v) > 50 ? v * 1e3 : v * 1e6);
}

bool isNoTone(const QString &t)
{
    return t.isEmpty() || t == QLatin1String("0") || t == QLatin1String("0.0") || t.compare(QLatin1String("off"), Qt::CaseInsensitive) == 0
           || t.compare(QLatin1String("none"), Qt::CaseInsensitive) == 0 || t == QLatin1String("-");
}

// "88.5", "100" (Hz), "D023N", "D023I", "023" (DCS).
std::optional<std::optional<ToneCode>> parseTone(const QString &input)
{
    QString t = input.trimmed();
    if (isNoTone(t))
        return std::optional<ToneCode>();
    if (t.endsWith(QLatin1String("Hz"), Qt::CaseInsensitive))
        t = t.left(t.size() - 2).trimmed();
    if (t.startsWith(QLatin1Char('D'), Qt::CaseInsensitive)) {
        QString code = t.mid(1);
        QChar polarity = QLatin1Char('N');
        if (!code.isEmpty() && code.back().isLetter()) {
            const QChar p = code.back().toUpper();
            if (p != QLatin1Char('N') && p != QLatin1Char('I') && p != QLatin1Char('R'))
                return std::nullopt;
            polarity = p == QLatin1Char('N') ? QLatin1Char('N') : QLatin1Char('R');
            code.chop(1);
        }
        if (const auto dcs = CsvTones::parseDcs(code, polarity))
            return std::optional<ToneCode>(*dcs);
        return std::nullopt;
    }
    const bool decimal = t.contains(QLatin1Char('.'));
    bool ok = false;
    const int whole = t.toInt(&ok);
    if (!decimal && ok && (t.startsWith(QLatin1Char('0')) || whole < 60 || whole > 259)) {
        if (const auto dcs = CsvTones::parseDcs(t, QLatin1Char('N')))
            return std::optional<ToneCode>(*dcs);
        return std::nullopt;
    }
    if (const auto ctcss = CsvTones::parseCtcss(t))
        return std::optional<ToneCode>(*ctcss);
    return std::nullopt;
}

std::optional<double> parseDegrees(const QString &text, double limit)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v) || std::abs(v) > limit)
        return std::nullopt;
    return v;
}

} // namespace

QStringList headerOf(const QString &text)
{
    QVector<CsvText::Record> records;
    int open = 0;
    QString t = text;
    if (t.startsWith(QChar(0xFEFF)))
        t.remove(0, 1);
    // The header is on the first line; a quote left open further down is read's business.
    const int end = t.indexOf(QLatin1Char('\n'));
    if (!CsvText::read(end < 0 ? t : t.left(end), QLatin1Char(','), records, open) || records.isEmpty())
        return {};
    QStringList fields = records.first().fields;
    for (QString &f : fields)
        f = f.trimmed();
    return fields;
}

Parsed read(const QString &input, const Mapping &mapping)
{
    Parsed parsed;
    QString text = input;
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QVector<CsvText::Record> records;
    int openLine = 0;
    auto fail = [&](int line, const QString &column, const QString &value, const BiText &reason) {
        parsed.ok = false;
        parsed.entries.clear();
        parsed.error = ChannelCsv::Problem{line, column, value, reason};
        return parsed;
    };
    if (!CsvText::read(text, QLatin1Char(','), records, openLine))
        return fail(openLine, QString(), QString(), Reason::NotClosed);
    if (records.isEmpty())
        return fail(1, QString(), QString(), Reason::NoHeader);
    parsed.header = records.first().fields;
    for (QString &h : parsed.header)
        h = h.trimmed();
    const int headerLine = records.first().line;
    auto columnName = [&](Field f) {
        const int c = mapping.column(f);
        return c >= 0 && c < parsed.header.size() ? parsed.header.at(c) : QString();
    };
    if ((mapping.column(Field::Output) < 0 || mapping.column(Field::Output) >= parsed.header.size())
        && (mapping.column(Field::Input) < 0 || mapping.column(Field::Input) >= parsed.header.size()))
        return fail(headerLine, QString(), QString(), Reason::NoFrequencyColumn);

    for (int i = 1; i < records.size(); ++i) {
        const CsvText::Record &r = records.at(i);
        auto cell = [&](Field f) {
            const int c = mapping.column(f);
            return c >= 0 && c < r.fields.size() ? r.fields.at(c).trimmed() : QString();
        };
        if (parsed.entries.size() == ChannelRecord::Count) {
            const Field f = mapping.column(Field::Output) >= 0 ? Field::Output : Field::Input;
            return fail(r.line, columnName(f), cell(f), Reason::TooManyRows);
        }
        Entry e;
        e.line = r.line;
        for (Field f : {Field::Output, Field::Input}) {
            const QString v = cell(f);
            if (v.isEmpty())
                continue;
            const auto hz = parseFrequency(v);
            if (!hz)
                return fail(r.line, columnName(f), v, Reason::NotFrequency);
            (f == Field::Output ? e.outputHz : e.inputHz) = *hz;
        }
        if (!e.outputHz && !e.inputHz) {
            const Field f = mapping.column(Field::Output) >= 0 ? Field::Output : Field::Input;
            return fail(r.line, columnName(f), QString(), Reason::NoFrequency);
        }
        const QString sign = cell(Field::OffsetSign).toLower();
        const QString offset = cell(Field::Offset);
        if (!sign.isEmpty() && sign != QLatin1String("+") && sign != QLatin1String("-") && sign != QLatin1String("split")
            && sign != QLatin1String("off") && sign != QLatin1String("simplex"))
            return fail(r.line, columnName(Field::OffsetSign), cell(Field::OffsetSign), Reason::NotSign);
        if (sign == QLatin1String("off")) {
            e.receiveOnly = true;
        } else if (sign == QLatin1String("split")) {
            if (!offset.isEmpty()) {
                const auto other = parseFrequency(offset);
                if (!other)
                    return fail(r.line, columnName(Field::Offset), offset, Reason::NotFrequency);
                e.split = true;
                e.offsetHz = *other;
            }
        } else if (!offset.isEmpty() && sign != QLatin1String("simplex")) {
            auto o = parseOffset(offset);
            if (!o)
                return fail(r.line, columnName(Field::Offset), offset, Reason::NotOffset);
            if (sign == QLatin1String("-"))
                o = -std::abs(*o);
            else if (sign == QLatin1String("+"))
                o = std::abs(*o);
            e.offsetHz = *o;
        } else if (sign.isEmpty() && mapping.column(Field::OffsetSign) >= 0) {
            e.offsetHz = 0; // the channel CSV's empty Duplex: simplex
        }

        // Tones, each on the side the list names it. A tone mode (the channel CSV's Tone
        // column) says which of the columns the channel uses.
        auto tone = [&](Field f, std::optional<ToneCode> &out) {
            const auto t = parseTone(cell(f));
            if (!t)
                return false;
            out = *t;
            return true;
        };
        if (mapping.column(Field::ToneMode) >= 0) {
            const QString mode = cell(Field::ToneMode).toLower();
            if (mode == QLatin1String("tone")) {
                if (!tone(Field::ToneOut, e.toneOut))
                    return fail(r.line, columnName(Field::ToneOut), cell(Field::ToneOut), Reason::NotTone);
            } else if (mode == QLatin1String("tsql")) {
                if (!tone(Field::ToneIn, e.toneIn))
                    return fail(r.line, columnName(Field::ToneIn), cell(Field::ToneIn), Reason::NotTone);
                e.toneOut = e.toneIn;
            } else if (mode == QLatin1String("dtcs")) {
                const auto dcs = CsvTones::parseDcs(cell(Field::Dcs), QLatin1Char('N'));
                if (!dcs)
                    return fail(r.line, columnName(Field::Dcs), cell(Field::Dcs), Reason::NotTone);
                e.toneOut = e.toneIn = *dcs;
            } else if (mode == QLatin1String("cross")) {
                if (!tone(Field::ToneOut, e.toneOut))
                    return fail(r.line, columnName(Field::ToneOut), cell(Field::ToneOut), Reason::NotTone);
                if (!tone(Field::ToneIn, e.toneIn))
                    return fail(r.line, columnName(Field::ToneIn), cell(Field::ToneIn), Reason::NotTone);
            } else if (!mode.isEmpty()) {
                return fail(r.line, columnName(Field::ToneMode), cell(Field::ToneMode), Reason::NotTonMode);
            }
        } else {
            if (!tone(Field::ToneOut, e.toneOut))
                return fail(r.line, columnName(Field::ToneOut), cell(Field::ToneOut), Reason::NotTone);
            if (!tone(Field::ToneIn, e.toneIn))
                return fail(r.line, columnName(Field::ToneIn), cell(Field::ToneIn), Reason::NotTone);
        }
        e.call = cell(Field::Call);
        e.location = cell(Field::Location);
        const QString lat = cell(Field::Latitude);
        const QString lon = cell(Field::Longitude);
        // Both columns or neither: one alone gives no position.
        const bool mapped = mapping.column(Field::Latitude) >= 0 && mapping.column(Field::Longitude) >= 0;
        if (mapped && (!lat.isEmpty() || !lon.isEmpty())) {
            const auto la = parseDegrees(lat, 90);
            if (!la)
                return fail(r.line, columnName(Field::Latitude), lat, Reason::NotLatitude);
            const auto lo = parseDegrees(lon, 180);
            if (!lo)
                return fail(r.line, columnName(Field::Longitude), lon, Reason::NotLongitude);
            e.position = LatLon{*la, *lo};
        }
        parsed.entries << e;
    }
    parsed.ok = true;
    return parsed;
}

Channel channelOf(const Entry &e, Side side)
{
    // The list's two frequencies and tones, by what each is for the radio.
    const bool repeaterSide = side == Side::Repeater;
    std::optional<qint64> rx = repeaterSide ? e.outputHz : e.inputHz;
    std::optional<qint64> tx = repeaterSide ? e.inputHz : e.outputHz;
    const std::optional<ToneCode> rxTone = repeaterSide ? e.toneOut : e.toneIn;
    const std::optional<ToneCode> txTone = repeaterSide ? e.toneIn : e.toneOut;
    if (e.split && e.offsetHz) {
        if (!tx)
            tx = *e.offsetHz;
        else if (!rx)
            rx = *e.offsetHz;
    } else {
        const qint64 offset = e.offsetHz.value_or(0);
        if (rx && !tx)
            tx = *rx + offset;
        else if (tx && !rx)
            rx = *tx - offset;
    }
    Channel c;
    c.rxHz = rx.value_or(0);
    if (!e.receiveOnly)
        c.txHz = tx;
    c.rxTone = rxTone.value_or(CsvTones::ToneOff);
    c.txTone = c.txHz ? txTone.value_or(CsvTones::ToneOff) : ToneCode{0xFF, 0xFF};
    return c;
}

QString channelName(const Entry &entry, bool *cut)
{
    const QString from = (entry.call.trimmed().isEmpty() ? entry.location : entry.call).trimmed().toUpper();
    QString name;
    bool dropped = false;
    for (const QChar c : from) {
        const bool allowed = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
        if (!allowed || name.size() == ChannelRecord::NameLength) {
            dropped = true;
            continue;
        }
        name += c;
    }
    if (cut)
        *cut = dropped;
    return name;
}

QVector<ChannelMerge::Row> rows(const QVector<Entry> &entries, Side side, const Near &near)
{
    struct Made
    {
        ChannelMerge::Row row;
        int order;
    };
    QVector<Made> made;
    auto image = std::make_unique<MemoryImage>();
    for (int i = 0; i < entries.size(); ++i) {
        const Entry &e = entries.at(i);
        const Channel c = channelOf(e, side);
        clearChannel(*image, 0);
        createChannel(*image, 0);
        ChannelRecord rec(*image, 0);
        ChannelMerge::Row row;
        row.line = e.line;
        // A frequency that cannot be stored is refused by the band check below.
        if (!rec.setRxFrequencyHz(c.rxHz))
            rec.setRxFrequencyHz(0);
        if (c.txHz && rec.setTxFrequencyHz(*c.txHz))
            rec.setTxTone(c.txTone);
        else
            rec.clearTxFrequency();
        rec.setRxTone(c.rxTone);
        bool cut = false;
        const QString name = channelName(e, &cut);
        rec.setName(name);
        const QString original = (e.call.trimmed().isEmpty() ? e.location : e.call).trimmed();
        if (cut) {
            row.noteEn = QStringLiteral("name cut from \"%1\" to \"%2\"").arg(original, name);
            row.noteZh = QStringLiteral("名称由“%1”截为“%2”").arg(original, name);
        }
        row.record = image->row(Area::Channels.firstRow);
        row.name = image->row(Area::ChannelNames.firstRow);
        auto note = [&row](const QString &en, const QString &zh) {
            row.noteEn += (row.noteEn.isEmpty() ? QString() : QStringLiteral("; ")) + en;
            row.noteZh += (row.noteZh.isEmpty() ? QString() : QStringLiteral("；")) + zh;
        };
        if (near.from) {
            if (e.position) {
                row.distanceKm = distanceKm(*near.from, *e.position);
                if (near.radiusKm > 0 && row.distanceKm > near.radiusKm) {
                    row.checked = false;
                    note(QStringLiteral("%1 km away, outside %2 km").arg(row.distanceKm, 0, 'f', 1).arg(near.radiusKm),
                         QStringLiteral("相距 %1 km，超出 %2 km").arg(row.distanceKm, 0, 'f', 1).arg(near.radiusKm));
                }
            } else {
                row.checked = false;
                note(QStringLiteral("no coordinates"), QStringLiteral("没有坐标"));
            }
        }
        made << Made{row, i};
    }
    if (near.from) {
        std::stable_sort(made.begin(), made.end(), [](const Made &a, const Made &b) {
            const bool ha = a.row.distanceKm >= 0;
            const bool hb = b.row.distanceKm >= 0;
            if (ha != hb)
                return ha;
            return ha && a.row.distanceKm < b.row.distanceKm;
        });
    }
    QVector<ChannelMerge::Row> out;
    for (const Made &m : made)
        out << m.row;
    return out;
}

} // namespace RepeaterList
