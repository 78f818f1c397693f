#pragma once

#include "image/areaview.h"
#include "image/fieldtable.h"

#include <QString>
#include <QStringList>

class MemoryImage;

// The 5-tone codes and settings (0x2400-0x25FF): each standard's period and special
// tones, fifteen encode codes of three 5-digit frames with the standard that sends them,
// the encode delays and the decode settings. The standards' tone tables below them
// (0x2000-0x23FF) are the program's own, written by FiveToneStandards.
namespace FiveToneArea {

constexpr int StandardCount = 15;
constexpr int CodeCount = 15;
constexpr int FrameCount = 3;
constexpr int FrameDigits = 5;

struct Offset
{
    // Standard s = 0..14: byte 0 period code, byte 1 group tone, byte 2 repeat tone.
    static constexpr int period(int s) { return 16 * s; }
    static constexpr int groupTone(int s) { return 16 * s + 1; }
    static constexpr int repeatTone(int s) { return 16 * s + 2; }
    // Code n = 1..15, frame f = 0..2.
    static constexpr int frame(int n, int f) { return 0x100 + 16 * (n - 1) + FrameDigits * f; }
    static constexpr int encodeStandard(int n) { return 0x100 + 16 * (n - 1) + 15; }
    static constexpr int delay(int k) { return 0x1F0 + k; } // k 0..2; 3 is the extension
    static constexpr int firstToneExtension = 0x1F3;
    static constexpr int decodeStandard = 0x1F8;
    static constexpr int callFrames = 0x1F9;
    static constexpr int displayFrames = 0x1FA;
    static constexpr int resetTime = 0x1FB;
};

AreaView view(MemoryImage &image);
// For reading (the document's image).
inline const AreaView view(const MemoryImage &image)
{
    return view(const_cast<MemoryImage &>(image));
}

// A standard's period ("20" ... "200"), group and repeat tone ("0" ... "F", above 15
// blank) as list fields of that standard's row.
const ListField &period(int standard);
const ListField &groupTone(int standard);
const ListField &repeatTone(int standard);
// Delays 1-3 and the first-tone extension ("0" ... "1000"), the decode standard (the
// fifteen names), the decode reset time ("100" ... "8000").
const ListField &delay(int k); // k 0..3
const ListField &decodeStandard();
const ListField &resetTime();
const FieldTable &settingsFields();

QStringList standardNames();
QStringList hexDigits();

// The frame's digits as shown; bytes above 15 are left out.
QString frameText(const AreaView &area, int n, int f);
// Empty or exactly five characters store (five 0xFF, or one hex digit code each); any
// other length stores nothing and returns false.
bool storeFrame(AreaView &area, int n, int f, const QString &text);

// The standards' tone tables, each standard's row, the encode codes and the settings
// (start-up and Default).
void writeDefaults(MemoryImage &image);

} // namespace FiveToneArea
