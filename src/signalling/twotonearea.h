#pragma once

#include "image/areaview.h"
#include "image/fieldtable.h"

#include <QString>
#include <QStringList>

class MemoryImage;

// The 2-tone area (0x2D00-0x2FFF): fifteen encode pairs of tones in whole hertz, the
// tone and gap durations, fifteen decode codes of four (pair, response, alert) groups,
// each decode code's own set of four tones with the radio's period counts, the reset time.
namespace TwoToneArea {

constexpr int CodeCount = 15;
constexpr int GroupCount = 4;
constexpr int ToneCount = 4; // A, B, C, D
constexpr int LowestHz = 300;
constexpr int HighestHz = 3000;
constexpr int PairCount = 12;
constexpr int ResponseCount = 4;
constexpr int AlertCount = 16;

struct Offset
{
    // n = 1..15; tone 0 first, 1 second.
    static constexpr int encodeTone(int n, int tone) { return 16 * (n - 1) + 8 * tone; }
    static constexpr int firstDuration = 0xF0;
    static constexpr int secondDuration = 0xF1;
    static constexpr int gap = 0xF2;
    // Group g = 0..3; byte 0 pair, 1 response, 2 alert.
    static constexpr int decodeGroup(int n, int g) { return 0x100 + 16 * (n - 1) + 3 * g; }
    static constexpr int decodeRow(int n) { return 0x100 + 16 * (n - 1); }
    static constexpr int toneSetHz(int n, int tone) { return 0x200 + 16 * (n - 1) + 2 * tone; }
    static constexpr int toneSetPeriod(int n, int tone) { return 0x200 + 16 * (n - 1) + 8 + 2 * tone; }
    static constexpr int resetTime = 0x2F0;
};

AreaView view(MemoryImage &image);
// For reading (the document's image).
inline const AreaView view(const MemoryImage &image)
{
    return view(const_cast<MemoryImage &>(image));
}

// Durations "0" ... "1000" and the reset time "100" ... "8000", stored as positions.
const ListField &firstDuration();
const ListField &secondDuration();
const ListField &gap();
const ListField &resetTime();
const FieldTable &listFields();

// A typed frequency: empty, in 300..3000 Hz (rounded as its box rounds), or refused.
struct ToneInput
{
    enum class Kind { Empty, Accepted, OutOfRange };
    Kind kind = Kind::Empty;
    int hz = 0;
};
// Encode cells: the whole part of value + 0.5, the range checked on the typed value.
ToneInput parseEncodeTone(const QString &text);
// Tone-set boxes: the nearest whole hertz, a half to the even neighbour, then the range.
ToneInput parseDecodeTone(const QString &text);

// 16 bits, low byte first.
int storedHz(const AreaView &area, int offset);
void storeHz(AreaView &area, int offset, int hz);
// "1981.0" for a stored encode tone in 300..3000, otherwise empty.
QString encodeToneText(int hz);
// The tone-set box: empty for a stored 0 or 0xFFFF, otherwise the hertz with ".0".
QString toneSetText(const AreaView &area, int n, int tone);

// The radio's timer count of one period: whole part of (1000 / f) / 0.000434028 + 0.5.
int periodCount(int hz);
// Hertz and period count, or 0xFF in all four bytes when `hz` is 0 (no tone).
void storeToneSetTone(AreaView &area, int n, int tone, int hz);

// List texts in stored order. The alert list "1".."16" stores its number, position + 1.
QStringList pairTexts();
QStringList responseTexts(bool chinese);
QStringList alertTexts();
// A decode cell as shown: the pair text for 0..11, the response for 0..3 (above 3 as
// 0, 0xFF empty), the alert number for 0..16; anything else empty.
QString pairText(uint8_t byte);
QString responseText(uint8_t byte, bool chinese);
QString alertText(uint8_t byte);

// Whole area 0xFF, then the factory set (start-up and Default).
void writeDefaults(MemoryImage &image);

} // namespace TwoToneArea
