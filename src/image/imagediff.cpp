#include "image/imagediff.h"

#include "image/areaview.h"
#include "image/memoryimage.h"

#include <algorithm>

namespace ImageDiff {

namespace {

struct NamedRange
{
    Area::Range range;
    BiText name;
    Group group;
};

constexpr NamedRange AreaNames[] = {
    {Area::Channels, {"channels", "信道"}, Group::Channels},
    {Area::Unassigned1, {"unassigned", "未分配"}, Group::Other},
    {Area::Options, {"optional features", "可选功能"}, Group::Options},
    {Area::BandRecords, {"band records", "A/B 段设置"}, Group::BandRecords},
    {Area::OptionsTail, {"optional features tail", "可选功能尾部"}, Group::Options},
    {Area::ChannelNames, {"channel names", "信道名称"}, Group::Channels},
    {Area::Unassigned2, {"unassigned", "未分配"}, Group::Other},
    {Area::FiveToneStandards, {"5-tone standards", "五音标准"}, Group::FiveTone},
    {Area::FiveToneCodes, {"5-tone codes", "五音编码"}, Group::FiveTone},
    {Area::Unassigned3, {"unassigned", "未分配"}, Group::Other},
    {Area::Dtmf, {"DTMF", "DTMF"}, Group::Dtmf},
    {Area::Unassigned4, {"unassigned", "未分配"}, Group::Other},
    {Area::TwoTone, {"2-tone", "两音"}, Group::TwoTone},
    {Area::Fm, {"FM presets", "调频广播"}, Group::Fm},
    {Area::ReadOnlyTail, {"read-only tail", "只读尾部"}, Group::Other},
    {Area::FileOnly, {"file only", "仅存于文件"}, Group::Other},
};

constexpr BiText GroupNames[] = {
    {"Channels", "信道"},
    {"FM presets", "调频广播"},
    {"Optional features", "可选功能"},
    {"Band A/B records", "A/B 段设置"},
    {"DTMF", "DTMF"},
    {"2-tone", "两音"},
    {"5-tone", "五音"},
    {"Other rows", "其他行"},
};
constexpr BiText Bytes{"bytes ", "字节 "};
constexpr BiText None{"(none)", "（无）"};

bool isAscii(QChar ch)
{
    return ch.unicode() < 0x80;
}

// A line and the row its area starts at, which decides its group.
struct Tagged
{
    int row;
    QString line;
};

bool within(const Area::Range &inner, const Area::Range &outer)
{
    return inner.firstRow >= outer.firstRow && inner.lastRow <= outer.lastRow;
}

QString hexByte(uint8_t byte)
{
    return QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
}

} // namespace

QVector<int> differingRows(const MemoryImage &before, const MemoryImage &after, Area::Range rows)
{
    QVector<int> differing;
    for (int row = rows.firstRow; row <= rows.lastRow; ++row) {
        for (int column = 0; column < MemoryImage::Columns; ++column) {
            if (before.cell(row, column) != after.cell(row, column)) {
                differing << row;
                break;
            }
        }
    }
    return differing;
}

QString cellChanges(const QByteArray &before, const QByteArray &after)
{
    QStringList cells;
    for (int i = 0; i < before.size() && i < after.size(); ++i) {
        if (before.at(i) != after.at(i))
            cells << QStringLiteral("[%1] %2 -> %3").arg(i).arg(hexByte(uint8_t(before.at(i))), hexByte(uint8_t(after.at(i))));
    }
    return cells.join(QStringLiteral(", "));
}

QString rowLine(int row, const QByteArray &before, const QByteArray &after, bool chinese)
{
    const QString address = QString::number(MemoryImage::addressOf(row, 0), 16).toUpper().rightJustified(4, QLatin1Char('0'));
    const QString form = chinese ? QStringLiteral("行 %1（0x%2，%3）：%4") : QStringLiteral("row %1 (0x%2, %3): %4");
    return form.arg(row).arg(address, areaName(row, chinese), cellChanges(before, after));
}

QString areaName(int row, bool chinese)
{
    for (const NamedRange &a : AreaNames) {
        if (a.range.containsRow(row))
            return a.name.text(chinese);
    }
    return QString();
}

Group groupOf(int row)
{
    for (const NamedRange &a : AreaNames) {
        if (a.range.containsRow(row))
            return a.group;
    }
    return Group::Other;
}

QString groupName(Group group, bool chinese)
{
    return GroupNames[int(group)].text(chinese);
}

QStringList AreaFields::lines(const MemoryImage &before, const MemoryImage &after, bool chinese) const
{
    return describeIn ? describeIn(before, after, chinese) : describe(before, after);
}

QString fieldName(const ListField &field, bool chinese)
{
    if (chinese && field.caption)
        return captionWords(field.caption->text(true));
    return QString::fromLatin1(field.name);
}

QString captionWords(const QString &caption)
{
    const QString spaced = caption.simplified();
    QString out;
    for (int i = 0; i < spaced.size(); ++i) {
        const bool between = spaced.at(i) == QLatin1Char(' ') && i > 0 && i + 1 < spaced.size() &&
                             !isAscii(spaced.at(i - 1)) && !isAscii(spaced.at(i + 1));
        if (!between)
            out += spaced.at(i);
    }
    return out;
}

QString shownValue(const QString &text, bool chinese)
{
    return text.isEmpty() ? None.text(chinese) : text;
}

QStringList unexplainedRows(const MemoryImage &before, const MemoryImage &after, const Area::Range &range,
                            const Explained &explained, bool chinese)
{
    QStringList lines;
    for (int row : differingRows(before, after, range)) {
        const QByteArray from = before.row(row), to = after.row(row);
        const int first = (row - range.firstRow) * MemoryImage::Columns;
        QByteArray shown = to;
        for (int i = 0; i < MemoryImage::Columns; ++i) {
            const uint8_t mask = first + i < explained.size() ? explained.at(first + i) : 0;
            if (((uint8_t(from.at(i)) ^ uint8_t(to.at(i))) & ~mask) != 0)
                shown[i] = from.at(i);
        }
        if (shown != to)
            lines << rowLine(row, shown, to, chinese);
    }
    return lines;
}

QStringList listFieldChanges(const AreaView &before, const AreaView &after, const FieldTable &table,
                             const QString &prefix, Explained &explained, bool chinese)
{
    QStringList lines;
    for (const ListField &field : table) {
        const QString from = Fields::decodeText(before, field, chinese);
        const QString to = Fields::decodeText(after, field, chinese);
        if (from == to)
            continue;
        lines << prefix + QStringLiteral("%1 %2 -> %3").arg(fieldName(field, chinese), from, to);
        explained[field.offset] |= field.mask;
    }
    return lines;
}

QString unexplainedBytes(const QByteArray &before, const QByteArray &after, const Explained &explained,
                         const QString &prefix, bool chinese)
{
    QByteArray from, to;
    for (int i = 0; i < before.size() && i < after.size(); ++i) {
        const uint8_t mask = i < explained.size() ? explained.at(i) : 0;
        // A byte whose changes all lie in accounted bits is left out of the hex.
        const bool left = ((uint8_t(before.at(i)) ^ uint8_t(after.at(i))) & ~mask) != 0;
        from.append(left ? before.at(i) : after.at(i));
        to.append(after.at(i));
    }
    const QString cells = cellChanges(from, to);
    return cells.isEmpty() ? QString() : prefix + Bytes.text(chinese) + cells;
}

AreaFields fieldTableArea(const Area::Range &range, int recordBytes, const FieldTable &table,
                          const QStringList &recordNames, const QStringList &chineseNames)
{
    Q_ASSERT(recordNames.size() * recordBytes == range.byteCount());
    auto describeRecords = [range, recordBytes, &table, recordNames, chineseNames](const MemoryImage &before,
                                                                                  const MemoryImage &after, bool chinese) {
        // The views only read here.
        MemoryImage &a = const_cast<MemoryImage &>(before);
        MemoryImage &b = const_cast<MemoryImage &>(after);
        QStringList lines;
        for (int first = range.firstAddress(), n = 0; first + recordBytes - 1 <= range.lastAddress();
             first += recordBytes, ++n) {
            const AreaView was(a, first, recordBytes), now(b, first, recordBytes);
            const QByteArray from = was.bytes(0, recordBytes), to = now.bytes(0, recordBytes);
            if (from == to)
                continue;
            const QString name = chinese && n < chineseNames.size() ? chineseNames.at(n) : recordNames.value(n);
            const QString prefix = name + QLatin1Char(' ');
            Explained explained(recordBytes, 0);
            lines << listFieldChanges(was, now, table, prefix, explained, chinese);
            const QString rest = unexplainedBytes(from, to, explained, prefix, chinese);
            if (!rest.isEmpty())
                lines << rest;
        }
        return lines;
    };
    auto english = [describeRecords](const MemoryImage &before, const MemoryImage &after) {
        return describeRecords(before, after, false);
    };
    return AreaFields{{range}, english, describeRecords};
}

namespace {

QVector<Tagged> collect(const MemoryImage &before, const MemoryImage &after, const QVector<AreaFields> &areas,
                        Area::Range rows, bool chinese)
{
    QVector<Tagged> lines;
    QVector<bool> spokenFor(MemoryImage::Rows, false);
    for (const AreaFields &area : areas) {
        bool inside = true;
        for (const Area::Range &r : area.ranges)
            inside = inside && within(r, rows);
        if (!inside)
            continue;
        const int first = area.ranges.isEmpty() ? rows.firstRow : area.ranges.first().firstRow;
        for (const QString &line : area.lines(before, after, chinese))
            lines.append(Tagged{first, line});
        for (const Area::Range &r : area.ranges) {
            for (int row = r.firstRow; row <= r.lastRow; ++row)
                spokenFor[row] = true;
        }
    }
    for (int row : differingRows(before, after, rows)) {
        if (!spokenFor[row])
            lines.append(Tagged{row, rowLine(row, before.row(row), after.row(row), chinese)});
    }
    return lines;
}

} // namespace

QStringList describe(const MemoryImage &before, const MemoryImage &after, const QVector<AreaFields> &areas,
                     Area::Range rows, bool chinese)
{
    QStringList lines;
    for (const Tagged &t : collect(before, after, areas, rows, chinese))
        lines << t.line;
    return lines;
}

QVector<GroupLines> describeGrouped(const MemoryImage &before, const MemoryImage &after,
                                    const QVector<AreaFields> &areas, Area::Range rows, bool chinese)
{
    QVector<GroupLines> groups;
    for (int g = 0; g <= int(Group::Other); ++g)
        groups.append(GroupLines{Group(g), {}});
    for (const Tagged &t : collect(before, after, areas, rows, chinese))
        groups[int(groupOf(t.row))].lines << t.line;
    groups.erase(std::remove_if(groups.begin(), groups.end(), [](const GroupLines &g) { return g.lines.isEmpty(); }),
                 groups.end());
    return groups;
}

} // namespace ImageDiff
