#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <cstdint>

// Signalling digits are stored one per byte as a small code. Two maps are shared:
// the DTMF keys (note "0" is 10 and "D" is 0) and the hex digits of 5-tone (0..15).
// A position without a digit holds this byte.
constexpr uint8_t NoDigit = 0xFF;

// "1".."9" -> 1..9, "0" -> 10, "*" -> 11, "#" -> 12, "A".."C" -> 13..15, "D" -> 0,
// letters in either case; anything else -> 0xFF.
uint8_t dtmfDigitToCode(QChar ch);
// The key of a code ("D" for 0, "0" for 10), or an empty string for anything else, so
// that a stored row decodes to its digits with the empty positions dropped.
QString dtmfCodeToDigit(int code);
// A whole stored row of DTMF codes as the text it shows.
QString decodeDtmfDigits(const QByteArray &codes);

// "0".."9" -> 0..9, "A".."F" -> 10..15, letters in either case; anything else -> 0xFF.
uint8_t hexDigitToCode(QChar ch);
// "0".."9", "A".."F" for 0..15; an empty string for anything else.
QString hexCodeToDigit(int code);
