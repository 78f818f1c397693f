#pragma once

#include <QByteArray>
#include <QString>

class MemoryImage;

// The factory alignment block: 16 lines of 16 one-byte values at radio address 0x3C00,
// kept apart from the memory image, with its own defaults.
namespace Alignment {

constexpr int Lines = 16;
constexpr int LineBytes = 16;
constexpr int Bytes = Lines * LineBytes;

constexpr int SquelchLevels = 10;
constexpr int Points = 16;
constexpr int ListLine = 8;  // modulation, volume and drive lists
constexpr int RangeLine = 9; // transmit frequency range digits

inline int index(int line, int byte) { return line * LineBytes + byte; }

// The transmit power and squelch compensation points of each band, in MHz.
inline int vhfPoint(int i) { return 130 + 4 * i; }
inline int uhfPoint(int i) { return 400 + 6 * i; }

// The band bounds the range boxes are held to (not the radio's reported limits).
struct BandBounds
{
    int lower;
    int upper;
};
constexpr BandBounds VhfBounds{130, 179};
constexpr BandBounds UhfBounds{400, 520};
inline BandBounds bounds(int band) { return band == 0 ? VhfBounds : UhfBounds; }

// A row of number boxes: which line it edits on which tab, how many elements, what it
// accepts and what it says otherwise (the texts exist in Chinese only).
struct NumberBoxes
{
    const char *name;
    int count;
    int maximum;
    const char *notDigitsMessage;
    const char *outOfRangeMessage;
};
extern const NumberBoxes PowerVhf;    // Text1: lines 0 and 2
extern const NumberBoxes PowerUhf;    // Text2: lines 1 and 3
extern const NumberBoxes SquelchVhf;  // line 4
extern const NumberBoxes OffsetVhf;   // line 5
extern const NumberBoxes SquelchUhf;  // line 6
extern const NumberBoxes OffsetUhf;   // line 7

// A setting of line 8, stored as the position of a list of the numbers 0..count-1.
struct ListSetting
{
    const char *name;
    const char *label;
    int count;
    int defaultValue;
};
constexpr int ListSettingCount = 13;
extern const ListSetting ListSettings[ListSettingCount];

// Band 0 (VHF) or 1 (UHF): the lower or upper limit as its three digits in line 9.
int rangeLimit(const QByteArray &data, int band, bool upper);
// Values of 0..999; the three digits of others are not representable and left alone.
void setRangeLimit(QByteArray &data, int band, bool upper, int value);

QByteArray builtInDefaults();

// What byte `byte` of line `line` holds, as a person reading a comparison knows it
// ("high power VHF 130MHZ", "VHF squelch level 3"), or an empty text for a byte the
// window does not edit. The range digits of line 9 are named by limit (limitName).
QString byteName(int line, int byte);
// "VHF lower limit", band 0 or 1.
QString limitName(int band, bool upper);

// The alignment defaults. They are prepared at start-up and again by Default; the values
// themselves live in the document, start as a copy of the defaults and change only as a
// whole (a read, a file) or by one edit.
class Table
{
public:
    static const QByteArray &defaults();
    static uint8_t defaultAt(int line, int byte);
    static void prepareDefaults();
};

} // namespace Alignment

// The start-up step: the defaults are ready before the alignment window first opens.
// The memory image is not touched; the block lives outside it.
void prepareAlignmentDefaults(MemoryImage &image);
