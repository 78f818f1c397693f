#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// Typed numbers (frequencies, CTCSS values) are read digit by digit into a scaled
// integer. Going through double would let 145.1225 come out as 145.12249999 and
// land on the wrong raster point; integers cannot drift.
struct ScaledDecimal
{
    qint64 value = 0;     // the typed number times 10^decimals, truncated
    bool truncated = false; // some non-zero digit beyond `decimals` was dropped
};

// Accepts optional surrounding spaces, then digits with at most one ".", at least one
// digit ("145", "145.", ".5", "145.125"). No sign, no exponent, no group separators.
// Returns nothing for anything else or when the whole part has more than maxWholeDigits
// digits (which also keeps the result far from overflowing).
std::optional<ScaledDecimal> parseScaledDecimal(const QString &text, int decimals, int maxWholeDigits = 6);

// A whole number typed in a box: every character of the trimmed text a digit and the
// value within 0..maximum. `value` is set for a valid entry.
enum class NumberEntry { Empty, Valid, NotDigits, OutOfRange };
NumberEntry checkNumberEntry(const QString &text, int maximum, int *value);
