#pragma once

#include <QString>
#include <array>

class MemoryImage;

// The fixed tone tables of the 5-tone standards the radio knows. The program writes them
// into the image itself (before every bulk write and with the 5-tone defaults); nobody
// edits them.
namespace FiveToneStandards {

constexpr int Count = 15;
constexpr int Digits = 16; // 0-9, A-F
constexpr int NoStandard = 255;

// Tone frequency of a digit in tenths of a hertz; 0 means the standard has no tone there.
int toneDeciHz(int standard, int digit);
// What the radio stores: the frequency in whole hertz (the fraction dropped) and the tone
// period count, the smallest whole number not below 2304000 / f, minus 1. Both 0 for no tone.
int storedHz(int standard, int digit);
int periodCount(int standard, int digit);

// "CCIR1" ... "MODAT"; empty for an index outside 0..14.
QString name(int standard);
// 255 for a name that is no standard.
int indexOf(const QString &name);

// Rewrites the four 240-byte blocks at 0x2000-0x23FF (frequency low and high bytes,
// period count low and high bytes). The sixteenth row of each block is left alone.
void writeTables(MemoryImage &image);

} // namespace FiveToneStandards
