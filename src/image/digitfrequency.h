#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// The frequency of the FM presets and of the band A and B records: eight decimal digits,
// one digit value (not a character) per byte, hundreds, tens and units of MHz first, then
// 100 kHz down to 10 Hz. 88.9 MHz is 00 08 08 09 00 00 00 00.
namespace DigitFrequency {

constexpr int Bytes = 8;
constexpr qint64 LimitHz = 1000000000; // three digits of MHz

// Digits of a value in whole hertz; the hertz digit is dropped. Empty for a negative
// value or one of 1000 MHz and more.
QByteArray encode(qint64 hz);
// Hertz from the first eight bytes; a byte above 9 is taken at face value, as the radio
// would add it up. -1 when fewer than eight bytes are given.
qint64 decodeHz(const QByteArray &digits);
// The frequency text ("88.90000", "105.90000"), empty when decodeHz() is -1.
QString decodeText(const QByteArray &digits);

} // namespace DigitFrequency
