#pragma once

#include "image/bandlimits.h"

#include <QString>
#include <QtGlobal>
#include <array>
#include <cstdint>
#include <optional>

class MemoryImage;

// The packed frequency of the channel records: eight BCD digits in 10 Hz steps,
// least significant byte first (145.12500 MHz is 00 25 51 14).
using PackedFrequency = std::array<uint8_t, 4>;

// Frequencies travel through this program as whole hertz. Every raster point
// (2.5 kHz and 6.25 kHz) and every packed value is a whole number of hertz, so the
// arithmetic is exact and no example can come out one digit off.
namespace Frequency {
constexpr qint64 HzPerMHz = 1000000;
// The highest digit holds 0..15, so 1599.99999 MHz is the largest packable value.
constexpr qint64 PackableLimitHz = 1600 * HzPerMHz;
} // namespace Frequency

// Parses typed MHz text ("145.125", " 66 ", "145.1234") into whole hertz; digits below
// one hertz are dropped, which never changes the raster result. Nothing for text that
// is not a plain decimal number.
std::optional<qint64> parseFrequencyHz(const QString &text);

// The display form: MHz with five decimals ("145.12500", "66.00000").
QString frequencyText(qint64 hz);

// Packed bytes -> hertz. Nibbles above 9 are taken at face value, as the radio would.
qint64 unpackFrequencyHz(const PackedFrequency &packed);
QString decodeFrequency(const PackedFrequency &packed);
// The four bytes at (row, offset .. offset + 3).
PackedFrequency packedFrequencyAt(const MemoryImage &image, int row, int offset);
QString decodeFrequency(const MemoryImage &image, int row, int offset);

// Moves a value down onto the channel raster: the nearest multiple of 2.5 kHz or of
// 6.25 kHz below it, whichever is closer, the 2.5 kHz one on a tie. A value within
// 1 Hz below a raster point counts as that point.
qint64 rasterFrequencyHz(qint64 hz);

// Packs a value that is already a multiple of 10 Hz (the last hertz digit is dropped).
// Nothing for negative values or values of 1600 MHz and more.
std::optional<PackedFrequency> packFrequencyHz(qint64 hz);

// Raster, then pack. Nothing when the value cannot be packed or the text is no number.
std::optional<PackedFrequency> encodeFrequency(qint64 hz);
std::optional<PackedFrequency> encodeFrequency(const QString &text);
// Writes the packed value to (row, offset .. offset + 3). Leaves the image alone and
// returns false when there is nothing to write.
bool encodeFrequency(const QString &text, MemoryImage &image, int row, int offset);
bool encodeFrequency(qint64 hz, MemoryImage &image, int row, int offset);
void storePackedFrequency(const PackedFrequency &packed, MemoryImage &image, int row, int offset);

// The two band checks.
//  Entry: used while typing. Band A reaches to just below A upper + 1 MHz, band B only
//    to B upper itself.
//  PreWrite: used on every channel before a write, on the whole-MHz part of the value,
//    so both bands reach to just below their upper limit + 1 MHz.
enum class BandCheck { Entry, PreWrite };
bool frequencyInBand(qint64 hz, BandCheck check, const BandLimits &limits = BandLimits::current());
