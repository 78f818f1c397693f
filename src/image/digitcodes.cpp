#include "image/digitcodes.h"

namespace {
// Indexed by code 0..15.
constexpr char DtmfKeys[] = "D1234567890*#ABC";
constexpr char HexKeys[] = "0123456789ABCDEF";
} // namespace

uint8_t dtmfDigitToCode(QChar ch)
{
    const char16_t c = QChar(ch).toUpper().unicode();
    for (int code = 0; code < 16; ++code) {
        if (c == char16_t(DtmfKeys[code]))
            return uint8_t(code);
    }
    return NoDigit;
}

QString dtmfCodeToDigit(int code)
{
    if (code < 0 || code > 15)
        return QString();
    return QString(QLatin1Char(DtmfKeys[code]));
}

QString decodeDtmfDigits(const QByteArray &codes)
{
    QString text;
    for (const char byte : codes)
        text += dtmfCodeToDigit(uint8_t(byte));
    return text;
}

uint8_t hexDigitToCode(QChar ch)
{
    const char16_t c = QChar(ch).toUpper().unicode();
    for (int code = 0; code < 16; ++code) {
        if (c == char16_t(HexKeys[code]))
            return uint8_t(code);
    }
    return NoDigit;
}

QString hexCodeToDigit(int code)
{
    if (code < 0 || code > 15)
        return QString();
    return QString(QLatin1Char(HexKeys[code]));
}
