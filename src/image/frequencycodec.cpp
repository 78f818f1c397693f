#include "image/frequencycodec.h"

#include "image/decimaltext.h"
#include "image/memoryimage.h"

namespace {

constexpr qint64 Raster25 = 2500;   // Hz
constexpr qint64 Raster625 = 6250;  // Hz
// The raster rule treats a value within this much below a raster point as on it.
constexpr qint64 RasterGuard = 1;   // Hz
// The distances to the two candidates are compared in whole 10 Hz steps.
constexpr qint64 DistanceStep = 10; // Hz

qint64 floorDiv(qint64 a, qint64 b)
{
    qint64 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

} // namespace

std::optional<qint64> parseFrequencyHz(const QString &text)
{
    // Six decimals of MHz are whole hertz; four whole digits reach past the packable limit.
    const auto parsed = parseScaledDecimal(text, 6, 4);
    if (!parsed)
        return std::nullopt;
    return parsed->value;
}

QString frequencyText(qint64 hz)
{
    const qint64 tens = hz / 10;
    return QStringLiteral("%1.%2").arg(tens / 100000).arg(tens % 100000, 5, 10, QLatin1Char('0'));
}

qint64 unpackFrequencyHz(const PackedFrequency &packed)
{
    qint64 tens = 0;
    for (int i = 3; i >= 0; --i) {
        tens = tens * 10 + (packed[i] >> 4);
        tens = tens * 10 + (packed[i] & 0x0F);
    }
    return tens * 10;
}

QString decodeFrequency(const PackedFrequency &packed)
{
    return frequencyText(unpackFrequencyHz(packed));
}

PackedFrequency packedFrequencyAt(const MemoryImage &image, int row, int offset)
{
    return {image.cell(row, offset), image.cell(row, offset + 1), image.cell(row, offset + 2),
            image.cell(row, offset + 3)};
}

QString decodeFrequency(const MemoryImage &image, int row, int offset)
{
    return decodeFrequency(packedFrequencyAt(image, row, offset));
}

qint64 rasterFrequencyHz(qint64 hz)
{
    const qint64 u = floorDiv(hz + RasterGuard, Raster25);
    const qint64 ru = floorDiv(hz - Raster25 * u, DistanceStep);
    const qint64 w = floorDiv(hz + RasterGuard, Raster625);
    const qint64 rw = floorDiv(hz - Raster625 * w, DistanceStep);
    return rw >= ru ? Raster25 * u : Raster625 * w;
}

std::optional<PackedFrequency> packFrequencyHz(qint64 hz)
{
    if (hz < 0 || hz >= Frequency::PackableLimitHz)
        return std::nullopt;
    qint64 tens = hz / 10;
    PackedFrequency packed{};
    for (int i = 0; i < 4; ++i) {
        const int low = int(tens % 10);
        tens /= 10;
        // The 100 MHz digit may exceed 9 (1000..1599 MHz): that is its nibble value.
        const int high = i == 3 ? int(tens) : int(tens % 10);
        tens /= 10;
        packed[i] = uint8_t((high << 4) | low);
    }
    return packed;
}

std::optional<PackedFrequency> encodeFrequency(qint64 hz)
{
    if (hz < 0)
        return std::nullopt;
    return packFrequencyHz(rasterFrequencyHz(hz));
}

std::optional<PackedFrequency> encodeFrequency(const QString &text)
{
    const auto hz = parseFrequencyHz(text);
    if (!hz)
        return std::nullopt;
    return encodeFrequency(*hz);
}

void storePackedFrequency(const PackedFrequency &packed, MemoryImage &image, int row, int offset)
{
    for (int i = 0; i < 4; ++i)
        image.setCell(row, offset + i, packed[i]);
}

bool encodeFrequency(const QString &text, MemoryImage &image, int row, int offset)
{
    const auto packed = encodeFrequency(text);
    if (!packed)
        return false;
    storePackedFrequency(*packed, image, row, offset);
    return true;
}

bool encodeFrequency(qint64 hz, MemoryImage &image, int row, int offset)
{
    const auto packed = encodeFrequency(hz);
    if (!packed)
        return false;
    storePackedFrequency(*packed, image, row, offset);
    return true;
}

bool frequencyInBand(qint64 hz, BandCheck check, const BandLimits &limits)
{
    if (hz < 0)
        return false;
    if (check == BandCheck::Entry) {
        const qint64 aLower = limits.aLower * Frequency::HzPerMHz;
        const qint64 aUpperEnd = (limits.aUpper + 1) * Frequency::HzPerMHz;
        const qint64 bLower = limits.bLower * Frequency::HzPerMHz;
        const qint64 bUpper = limits.bUpper * Frequency::HzPerMHz;
        const bool out = hz < aLower || hz > bUpper || (hz >= aUpperEnd && hz < bLower);
        return !out;
    }
    const qint64 g = hz / Frequency::HzPerMHz;
    const bool out = g < limits.aLower || g > limits.bUpper || (g > limits.aUpper && g < limits.bLower);
    return !out;
}
