#include "image/decimaltext.h"

std::optional<ScaledDecimal> parseScaledDecimal(const QString &text, int decimals, int maxWholeDigits)
{
    Q_ASSERT(decimals >= 0 && decimals <= 9 && maxWholeDigits >= 1 && maxWholeDigits <= 9);
    const QString t = text.trimmed();
    ScaledDecimal result;
    int wholeDigits = 0;
    int fractionDigits = 0;
    bool seenPoint = false;
    for (const QChar ch : t) {
        if (ch == QLatin1Char('.')) {
            if (seenPoint)
                return std::nullopt;
            seenPoint = true;
            continue;
        }
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            return std::nullopt;
        const int digit = ch.unicode() - '0';
        if (!seenPoint) {
            // Leading zeros do not count against the limit.
            if (wholeDigits > 0 || digit != 0)
                ++wholeDigits;
            if (wholeDigits > maxWholeDigits)
                return std::nullopt;
            result.value = result.value * 10 + digit;
        } else if (fractionDigits < decimals) {
            result.value = result.value * 10 + digit;
            ++fractionDigits;
        } else if (digit != 0) {
            result.truncated = true;
        }
    }
    const bool anyDigit = t.size() > (seenPoint ? 1 : 0);
    if (!anyDigit)
        return std::nullopt;
    for (; fractionDigits < decimals; ++fractionDigits)
        result.value *= 10;
    return result;
}

NumberEntry checkNumberEntry(const QString &text, int maximum, int *value)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return NumberEntry::Empty;
    for (QChar c : t) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return NumberEntry::NotDigits;
    }
    // Long runs of digits are out of range without being added up.
    if (t.size() > 6)
        return NumberEntry::OutOfRange;
    const int v = t.toInt();
    if (v > maximum)
        return NumberEntry::OutOfRange;
    if (value)
        *value = v;
    return NumberEntry::Valid;
}
