#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

class MemoryImage;

// The 16 FM broadcast presets at 0x3000: one 16-byte row each, the frequency as eight
// digit values (bytes 0-7) and the station name as character codes (bytes 8-15, 0xFF
// where there is no character).
namespace FmPreset {

constexpr int Count = 16;
constexpr int NameOffset = 8;
constexpr int NameBytes = 8;
constexpr int MaxNameLength = 6;
constexpr qint64 LowestHz = 87000000;
constexpr qint64 HighestHz = 108000000;

// A preset whose three MHz digits are all 0 is empty, whatever the other bytes hold.
bool isEmpty(const MemoryImage &image, int channel);
// What the grid shows; both empty for an empty preset.
QString frequencyText(const MemoryImage &image, int channel);
QString nameText(const MemoryImage &image, int channel);

// Typed MHz text to whole hertz (10 Hz steps, finer digits dropped); nothing for text
// that is no number.
std::optional<qint64> parseTyped(const QString &text);
bool inRange(qint64 hz);

// Bytes 0-7 = 0, bytes 8-15 = 0xFF.
void setEmpty(MemoryImage &image, int channel);
// The frequency digits, then the name centred in bytes 8-15 (cut to six characters).
void store(MemoryImage &image, int channel, qint64 hz, const QString &name);
// Only the name bytes: 0xFF, then the name centred. The frequency stays as it is.
void storeName(MemoryImage &image, int channel, const QString &name);

// Every preset empty, then the nine built-in stations, names from byte 8 on.
void writeDefaults(MemoryImage &image);
// Every byte of every preset 0.
void clearAll(MemoryImage &image);

} // namespace FmPreset

// The start-up step and the Default button.
void defaultFmPresets(MemoryImage &image);
