#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

// The 2-byte tone code of the channel records, low byte first in memory.
//   off: 00 00; CTCSS: tenths of a hertz (67.0 Hz is 670, stored 9E 02);
//   DCS: high byte 0, low byte n = 1..210 meaning tone table entry 50 + n.
struct ToneCode
{
    uint8_t low = 0;
    uint8_t high = 0;

    constexpr int value() const { return high * 256 + low; }
    static constexpr ToneCode fromValue(int v) { return ToneCode{uint8_t(v & 0xFF), uint8_t((v >> 8) & 0xFF)}; }
    constexpr bool operator==(const ToneCode &o) const { return low == o.low && high == o.high; }
    constexpr bool operator!=(const ToneCode &o) const { return !(*this == o); }
};

// The tone table: "OFF", 50 CTCSS tones (1..50), 105 DCS codes normal (51..155) and the
// same 105 inverted (156..260).
namespace ToneTable {
constexpr int Size = 261;
constexpr int Off = 0;
constexpr int FirstCtcss = 1;
constexpr int LastCtcss = 50;
constexpr int FirstDcs = 51;
constexpr int FirstInvertedDcs = 156;
constexpr int Last = 260;
// Lowest and highest CTCSS value a user may type, in tenths of a hertz.
constexpr int TypedCtcssMin = 600;
constexpr int TypedCtcssMax = 2599;
} // namespace ToneTable

// The stored entries, padded with spaces as the radio's tables keep them.
const QStringList &paddedToneTable();
// The same entries trimmed: what lists show and what texts are compared with.
const QStringList &toneTableTexts();
// Trimmed entry, or an empty string for an index outside 0..260.
QString toneTableText(int index);
// Index of a text (trimmed, letters in either case), or -1.
int toneTableIndex(const QString &text);

// Display text of a tone code as the channel records use it. 00 00 and FF FF are "OFF".
// Codes this program never writes (high byte 0x80..0xFE, or DCS numbers above 210)
// show as an empty text, so they neither pass for a real setting nor stop the display.
QString decodeTone(ToneCode code);
QString decodeTone(uint8_t low, uint8_t high);

// The tone rule of the option area and the band records: a code with either byte 0xFF
// is off, whatever the other byte holds; everything else decodes as decodeTone() does.
QString decodeOptionTone(ToneCode code);
// The tone table index shown for such a code: 0 (OFF) when either byte is 0xFF.
int optionToneIndexOf(ToneCode code);

// The code of a tone table entry. Nothing for an index outside 0..260.
std::optional<ToneCode> encodeToneIndex(int index);
// The code of a typed CTCSS value in Hz ("100", "88.5"), accepted from 60 to 259.9
// inclusive and rounded to tenths. Nothing for other text.
std::optional<ToneCode> encodeTypedCtcss(const QString &text);
// What a typed tone text stores: a CTCSS number within the typed range, otherwise a tone
// table entry by its text ("D023N", "OFF"). Nothing when it is neither.
std::optional<ToneCode> encodeToneText(const QString &text);

// The tone table index a code selects, or -1 when it is not in the table (a typed CTCSS
// value between the table's tones, or an unknown code). FF FF counts as off.
int toneTableIndexOf(ToneCode code);
