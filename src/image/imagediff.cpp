#include "image/imagediff.h"

#include "image/areaview.h"
#include "image/memoryimage.h"

namespace ImageDiff {

namespace {

struct NamedRange
{
    Area::Range range;
    const char *name;
};

constexpr NamedRange AreaNames[] = {
    {Area::Channels, "channels"},
    {Area::Unassigned1, "unassigned"},
    {Area::Options, "optional features"},
    {Area::BandRecords, "band records"},
    {Area::OptionsTail, "optional features tail"},
    {Area::ChannelNames, "channel names"},
    {Area::Unassigned2, "unassigned"},
    {Area::FiveToneStandards, "5-tone standards"},
    {Area::FiveToneCodes, "5-tone codes"},
    {Area::Unassigned3, "unassigned"},
    {Area::Dtmf, "DTMF"},
    {Area::Unassigned4, "unassigned"},
    {Area::TwoTone, "2-tone"},
    {Area::Fm, "FM presets"},
    {Area::ReadOnlyTail, "read-only tail"},
    {Area::FileOnly, "file only"},
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

QString rowLine(int row, const QByteArray &before, const QByteArray &after)
{
    const QString address = QString::number(MemoryImage::addressOf(row, 0), 16).toUpper().rightJustified(4, QLatin1Char('0'));
    return QStringLiteral("row %1 (0x%2, %3): %4").arg(row).arg(address, areaName(row), cellChanges(before, after));
}

QString areaName(int row)
{
    for (const NamedRange &a : AreaNames) {
        if (a.range.containsRow(row))
            return QString::fromLatin1(a.name);
    }
    return QString();
}

QStringList listFieldChanges(const AreaView &before, const AreaView &after, const FieldTable &table,
                             const QString &prefix, Explained &explained)
{
    QStringList lines;
    for (const ListField &field : table) {
        const QString from = Fields::decodeText(before, field, false);
        const QString to = Fields::decodeText(after, field, false);
        if (from == to)
            continue;
        lines << prefix + QStringLiteral("%1 %2 -> %3").arg(QLatin1String(field.name), from, to);
        explained[field.offset] |= field.mask;
    }
    return lines;
}

QString unexplainedBytes(const QByteArray &before, const QByteArray &after, const Explained &explained,
                         const QString &prefix)
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
    return cells.isEmpty() ? QString() : prefix + QStringLiteral("bytes ") + cells;
}

AreaFields fieldTableArea(const Area::Range &range, int recordBytes, const FieldTable &table,
                          const QStringList &recordNames)
{
    Q_ASSERT(recordNames.size() * recordBytes == range.byteCount());
    auto describeRecords = [range, recordBytes, &table, recordNames](const MemoryImage &before, const MemoryImage &after) {
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
            const QString prefix = recordNames.value(n) + QLatin1Char(' ');
            Explained explained(recordBytes, 0);
            lines << listFieldChanges(was, now, table, prefix, explained);
            const QString rest = unexplainedBytes(from, to, explained, prefix);
            if (!rest.isEmpty())
                lines << rest;
        }
        return lines;
    };
    return AreaFields{{range}, describeRecords};
}

QStringList describe(const MemoryImage &before, const MemoryImage &after, const QVector<AreaFields> &areas,
                     Area::Range rows)
{
    QStringList lines;
    QVector<bool> spokenFor(MemoryImage::Rows, false);
    for (const AreaFields &area : areas) {
        bool inside = true;
        for (const Area::Range &r : area.ranges)
            inside = inside && within(r, rows);
        if (!inside)
            continue;
        lines << area.describe(before, after);
        for (const Area::Range &r : area.ranges) {
            for (int row = r.firstRow; row <= r.lastRow; ++row)
                spokenFor[row] = true;
        }
    }
    for (int row : differingRows(before, after, rows)) {
        if (!spokenFor[row])
            lines << rowLine(row, before.row(row), after.row(row));
    }
    return lines;
}

} // namespace ImageDiff
