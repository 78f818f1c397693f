#pragma once

#include "image/document.h"

#include <QString>

// Which radio the document's data came from: the number the radio reported in the last
// whole read (or the radio a restored backup was taken from); empty when unknown, as for
// the start-up defaults or a file of unknown origin. A write of changes warns when it
// finds another radio on the line.
//
// It is part of the document: the step that loads data sets it, so undoing a load or a
// restore takes the origin back with the bytes, and the run's journal keeps it.
namespace DataOrigin {

inline QString of(const Document::Contents &contents)
{
    return QString::fromUtf8(contents.origin);
}

inline QString number()
{
    return of(Document::instance().contents());
}

// For the change that loads the data.
inline void set(Document::Contents &contents, const QString &radioNumber)
{
    contents.origin = radioNumber.toUtf8();
}

} // namespace DataOrigin
