#pragma once

// Band limits in whole MHz. Every frequency check reads the current ones; the radio's
// identification reply replaces them, and the reported ones are kept apart for display.
// The radio reports whole MHz (three decimal digits per limit), so integers hold them exactly.
struct BandLimits
{
    int aLower = 130;
    int aUpper = 179;
    int bLower = 400;
    int bUpper = 520;

    bool operator==(const BandLimits &o) const
    {
        return aLower == o.aLower && aUpper == o.aUpper && bLower == o.bLower && bUpper == o.bUpper;
    }
    bool operator!=(const BandLimits &o) const { return !(*this == o); }

    static BandLimits startup() { return BandLimits{}; }

    // Process-wide values.
    static BandLimits &current();
    static BandLimits &reported();
    // Both at once, as an accepted identification does.
    static void adoptReported(const BandLimits &limits);
};
