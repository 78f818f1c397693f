#pragma once

#include "channels/channelcsv.h"
#include "channels/channelmerge.h"
#include "image/tonecodec.h"
#include "texts/language.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

// A repeater directory's CSV export turned into channels. The columns are guessed from the
// header by a table of known layouts (one row per directory) and may be set by hand; the
// values are read as the list's own side says them and turned round into what the radio
// holds: RX = the repeater's output, TX = its input, the tone the radio sends = the tone the
// repeater listens for.
namespace RepeaterList {

// What a column can give. The frequencies and tones are as the list's side names them:
// "output" is what that side transmits on, "tone out" the tone it sends.
enum class Field {
    Output,     // MHz (kHz or Hz spelled out in full are recognised by size)
    Input,      // MHz
    Offset,     // the radio's TX minus RX (= the repeater's input minus output), MHz or kHz
    OffsetSign, // "+", "-", "split" (the offset column then holds the other frequency), "off"
    ToneOut,    // CTCSS Hz ("88.5", "100") or DCS ("D023N", "023")
    ToneIn,
    ToneMode,   // the channel CSV's Tone column: "", "Tone", "TSQL", "DTCS", "Cross"
    Dcs,        // the channel CSV's DtcsCode column, used with ToneMode "DTCS"
    Call,       // call sign or name
    Location,
    Latitude,   // decimal degrees, north positive
    Longitude,  // decimal degrees, east positive
    Count
};
constexpr int FieldCount = int(Field::Count);

// "output", "tone-in", "lat": the names --map takes.
QString fieldKey(Field field);
std::optional<Field> fieldOfKey(const QString &key);
BiText fieldCaption(Field field);

enum class Side { Repeater, Radio };
inline constexpr BiText SideRepeater{"as the repeater transmits", "按中继台发射"};
inline constexpr BiText SideRadio{"as my radio transmits", "按本机发射"};

// One column per field, -1 for none.
struct Mapping
{
    QVector<int> columns = QVector<int>(FieldCount, -1);
    Side side = Side::Repeater;
    QString layout; // the known layout it was guessed from, empty for none

    int column(Field f) const { return columns.at(int(f)); }
    void set(Field f, int column) { columns[int(f)] = column; }
};

// The known layouts: the name, the side the list is written from, and for each field the
// header texts that stand for it (compared without case, blanks and underscores ignored).
struct Layout
{
    const char *name;
    Side side;
    QVector<QPair<Field, QStringList>> headers;
};
const QVector<Layout> &layouts();

// The layout whose headers match best, with every field it leaves open filled from the
// common spellings ("lat", "call", "freq").
Mapping guess(const QStringList &header);

struct LatLon
{
    double lat = 0;
    double lon = 0;
};
// "48.14,11.58", "48.14 11.58", or a Maidenhead locator of 4 or 6 characters ("JN58", "JN58td":
// the middle of its square).
std::optional<LatLon> parseLocation(const QString &text);
double distanceKm(const LatLon &a, const LatLon &b);

// One line of the list, read by the mapping.
struct Entry
{
    int line = 0;
    std::optional<qint64> outputHz, inputHz, offsetHz;
    bool split = false;       // the offset column holds the other frequency
    bool receiveOnly = false;
    std::optional<ToneCode> toneOut, toneIn; // none when the list gives none that way
    QString call, location;
    std::optional<LatLon> position;
};

struct Parsed
{
    bool ok = false;
    QStringList header;
    QVector<Entry> entries;
    ChannelCsv::Problem error{0, {}, {}, {"", ""}}; // line and header name of the first fault
};

// Reads the whole list; a fault anywhere (no frequency column, a value that is none, a
// coordinate out of range, more rows than the radio has channels) fails it whole.
Parsed read(const QString &text, const Mapping &mapping);
// The header line alone, for guessing before the mapping is known.
QStringList headerOf(const QString &text);

// What the radio holds for an entry.
struct Channel
{
    qint64 rxHz = 0;
    std::optional<qint64> txHz; // none: receive only
    ToneCode rxTone{0, 0};
    ToneCode txTone{0, 0};
};
Channel channelOf(const Entry &entry, Side side);

// Up to six characters of the name's set from the call sign, else the location; `cut`
// tells whether anything was dropped on the way.
QString channelName(const Entry &entry, bool *cut = nullptr);

struct Near
{
    std::optional<LatLon> from;
    double radiusKm = 0; // 0: no limit
};

// Rows for the merge: every entry turned round by `side`, named, with its distance from
// `near` and a note. With a location the rows are sorted nearest first, those outside the
// radius unchecked, and those without coordinates last and unchecked.
QVector<ChannelMerge::Row> rows(const QVector<Entry> &entries, Side side, const Near &near);

} // namespace RepeaterList
