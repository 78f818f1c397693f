#include "signalling/signallinglists.h"

namespace SignallingLists {

QStringList steps(int first, int step, int count)
{
    QStringList out;
    out.reserve(count);
    for (int k = 0; k < count; ++k)
        out << QString::number(first + step * k);
    return out;
}

} // namespace SignallingLists
