#pragma once

#include "image/document.h"

namespace TestSupport {

// The document's contents, written directly: set-up and checks of tests only. The
// program itself writes them through the document's changes.
inline MemoryImage &image()
{
    return const_cast<MemoryImage &>(Document::instance().image());
}
inline QByteArray &alignment()
{
    return const_cast<QByteArray &>(Document::instance().alignment());
}
inline QByteArray &fiveToneDecode()
{
    return const_cast<QByteArray &>(Document::instance().fiveToneDecode());
}

} // namespace TestSupport
