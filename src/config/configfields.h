#pragma once

#include "image/bandlimits.h"
#include "texts/language.h"

#include <QString>
#include <QVector>
#include <cstdint>
#include <functional>
#include <optional>

class MemoryImage;

// Every setting the configuration text names, as the area models lay them out: which bits
// of the image it owns, the text it shows, and how a text is checked and stored. The text
// codec (configtext.h) only walks these; the layouts stay with their areas.
namespace ConfigFields {

// Some bits of one byte of the image.
struct Bits
{
    int address;
    uint8_t mask;
};

struct Field
{
    enum class Style {
        Plain,    // a list entry or a number: power: HIGH
        Quoted,   // digits, frequencies and names keep their quotes: rx: "146.52000"
        Sequence, // a set of flags: master_rights: [inspection, monitor]; the text joins them with ", "
    };

    QString key; // within its entry; dots nest maps ("encode.3", "decode.2.group_1.pair")
    QVector<Bits> bits;
    // The text of the stored value, or nothing when no text stands for it.
    std::function<std::optional<QString>(const MemoryImage &)> show;
    // Checks a text by the windows' rules and writes its bits, and only those. On a broken
    // rule, returns what is wrong ("is outside 400-480") and stores nothing.
    std::function<QString(MemoryImage &, const QString &)> store;
    QString comment; // the values it takes
    // What the windows call it in Chinese, which a comparison names its last key word by;
    // empty where no window captions it.
    QString caption;
    Style style = Style::Plain;
    bool flowParent = false; // the map holding it is written on one line
    // Its values are exactly OFF and ON: what a YAML 1.1 reader makes of an unquoted OFF
    // or ON (false, true) is taken back as that value.
    bool offOn = false;
};

using FieldList = QVector<Field>;

constexpr int FmPresetNumberBase = 1; // the FM grid counts its presets from 1

// One channel's record and name row. Frequencies are checked against `limits` by the
// channel grid's entry check.
FieldList channel(int channel, const BandLimits &limits);
// One FM preset (0-based index).
FieldList fmPreset(int preset);
FieldList options();
// Band A (false) or band B (true); the frequency is checked against `limits`.
FieldList bandRecord(bool bandB, const BandLimits &limits);
FieldList dtmf();
FieldList twoTone();
FieldList fiveTone();

// "timeOutAlert" and "ptt id" become "time_out_alert" and "ptt_id".
QString snakeCase(const char *name);

// One column of a window's header format ("^ Code|^ 1st Frequency(HZ)|..."), in Chinese.
QString headerCaption(const BiText &headers, int column);

} // namespace ConfigFields
