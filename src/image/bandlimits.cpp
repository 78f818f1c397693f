#include "image/bandlimits.h"

BandLimits &BandLimits::current()
{
    static BandLimits limits;
    return limits;
}

BandLimits &BandLimits::reported()
{
    static BandLimits limits;
    return limits;
}

void BandLimits::adoptReported(const BandLimits &limits)
{
    reported() = limits;
    current() = limits;
}
