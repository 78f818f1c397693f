#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <cstdint>

// The character code of the power-on message: "0"-"9", "A"-"Z", "+", "-" and the space
// as their ASCII codes, lower-case letters as their upper-case codes, anything else as
// 0x0B, which the radio shows as nothing.
namespace MessageCharacters {

constexpr uint8_t Unmapped = 0x0B;

uint8_t encode(QChar ch);
// The shown text of stored bytes: every byte that is one of the codes above gives its
// character, every other byte (0x0B, 0xFF, ...) gives nothing. Nothing is trimmed.
QString decode(const QByteArray &bytes);

} // namespace MessageCharacters
