#pragma once

#include <QString>

// Which radio the document's data came from: the number the radio reported in the last
// whole read (or the radio a restored backup was taken from); empty when unknown, as for
// the start-up defaults or a file of unknown origin. A write of changes warns when it
// finds another radio on the line.
namespace DataOrigin {

inline QString &number()
{
    static QString radio;
    return radio;
}

} // namespace DataOrigin
