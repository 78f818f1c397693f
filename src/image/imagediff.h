#pragma once

#include "image/areamap.h"
#include "image/fieldtable.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <iterator>

class MemoryImage;

// The differences between two memory images, as lines a person reads. An area whose model
// names its fields describes its own rows; every other row that differs is shown cell by
// cell in hex, so no changed byte ever goes unmentioned.
namespace ImageDiff {

struct AreaFields
{
    QVector<Area::Range> ranges; // the rows the area speaks for
    // One line per difference inside those rows. It must account for every byte that
    // differs there: a change no field of its own shows is given in hex.
    std::function<QStringList(const MemoryImage &before, const MemoryImage &after)> describe;
    // The same lines in either language. An area without it is described in English.
    std::function<QStringList(const MemoryImage &before, const MemoryImage &after, bool chinese)> describeIn;

    QStringList lines(const MemoryImage &before, const MemoryImage &after, bool chinese) const;
};

// Rows within `rows` whose 16 bytes differ, ascending.
QVector<int> differingRows(const MemoryImage &before, const MemoryImage &after,
                           Area::Range rows = Area::Range{0, MemoryImage::Rows - 1});

// "[3] 00 -> 01, [7] FF -> 00": the cells of one row that differ.
QString cellChanges(const QByteArray &before, const QByteArray &after);
// "row 600 (0x2580, 5-tone codes): [3] 00 -> 01"
QString rowLine(int row, const QByteArray &before, const QByteArray &after, bool chinese = false);
// The area map's name of the area a row belongs to ("channels", "unassigned", ...).
QString areaName(int row, bool chinese = false);

// Which bits of each byte of a record the lines said so far account for.
using Explained = QVector<uint8_t>;

// A field's name in a line: its own name in English; in Chinese the caption its row
// carries (blanks between Chinese characters dropped), or its own name without one.
QString fieldName(const ListField &field, bool chinese);
// A caption as a line names it: blanks that space Chinese characters apart in a window
// ("巡 查 码") are dropped.
QString captionWords(const QString &caption);
// An empty value shows as "(none)".
QString shownValue(const QString &text, bool chinese);

// "<prefix><field name> <before> -> <after>" for every list field of the table that shows
// differently (named as fieldName() names it), each marking its bits in `explained`
// (sized to the views).
QStringList listFieldChanges(const AreaView &before, const AreaView &after, const FieldTable &table,
                             const QString &prefix, Explained &explained, bool chinese = false);
// The hex line (as rowLine) of every row of `range` that holds a change `explained`
// (sized to the range, indexed from its first byte) does not account for, showing only
// those changes.
QStringList unexplainedRows(const MemoryImage &before, const MemoryImage &after, const Area::Range &range,
                            const Explained &explained, bool chinese);
// "<prefix>bytes [3] 00 -> 08" for the bytes whose changes no line accounts for, or an
// empty text when every change is accounted for.
QString unexplainedBytes(const QByteArray &before, const QByteArray &after, const Explained &explained,
                         const QString &prefix, bool chinese = false);

// An area made of records of `recordBytes` bytes, all laid out by one field table: each
// record's fields by name ("<record name> <field> ON -> OFF"), and what no field shows in
// hex. `recordNames` names the records in order ("band A", "band B"), `chineseNames` the
// same in Chinese (the English ones stand in without them). An area model that has a field table joins the comparison with one entry of these.
AreaFields fieldTableArea(const Area::Range &range, int recordBytes, const FieldTable &table,
                          const QStringList &recordNames, const QStringList &chineseNames = {});

// The areas' own lines first (for areas lying wholly within `rows`), in the order given,
// then the hex line of every other differing row within `rows`, ascending.
QStringList describe(const MemoryImage &before, const MemoryImage &after, const QVector<AreaFields> &areas,
                     Area::Range rows = Area::Range{0, MemoryImage::Rows - 1}, bool chinese = false);

// The groups a person reviewing a write looks for, in the order they are listed.
enum class Group { Channels, Fm, Options, BandRecords, Dtmf, TwoTone, FiveTone, Other };
Group groupOf(int row);
QString groupName(Group group, bool chinese);

struct GroupLines
{
    Group group;
    QStringList lines;
};
// The lines describe() gives, sorted into their groups (an area's lines go where its first
// row belongs); empty groups are left out.
QVector<GroupLines> describeGrouped(const MemoryImage &before, const MemoryImage &after,
                                    const QVector<AreaFields> &areas, Area::Range rows, bool chinese);

} // namespace ImageDiff
