#include "image/digitfrequency.h"

#include "image/frequencycodec.h"

namespace DigitFrequency {

namespace {
// Weight of each digit position in hertz.
constexpr qint64 Weights[Bytes] = {100000000, 10000000, 1000000, 100000, 10000, 1000, 100, 10};
} // namespace

QByteArray encode(qint64 hz)
{
    if (hz < 0 || hz >= LimitHz)
        return QByteArray();
    QByteArray digits(Bytes, '\0');
    for (int k = 0; k < Bytes; ++k)
        digits[k] = char((hz / Weights[k]) % 10);
    return digits;
}

qint64 decodeHz(const QByteArray &digits)
{
    if (digits.size() < Bytes)
        return -1;
    qint64 hz = 0;
    for (int k = 0; k < Bytes; ++k)
        hz += qint64(uint8_t(digits.at(k))) * Weights[k];
    return hz;
}

QString decodeText(const QByteArray &digits)
{
    const qint64 hz = decodeHz(digits);
    return hz < 0 ? QString() : frequencyText(hz);
}

} // namespace DigitFrequency
