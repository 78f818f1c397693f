#pragma once

#include "image/areaview.h"
#include "image/document.h"

#include <QString>
#include <functional>

struct ListField;

// Where in the document a control's value lives: how to read it, and how to store it
// from inside a change. The editor frame's bindings stand on it, so one list, check box
// or text box serves every field of every window alike.
template <typename T>
struct FieldAccess
{
    std::function<T(const Document::Contents &)> get;
    // False refuses the change, which then leaves every byte as it was.
    std::function<bool(Document::Contents &, const T &)> set;
};

namespace Access {

// The area view a field is relative to (a window's area, or one of its records).
using AreaOf = std::function<AreaView(MemoryImage &)>;

// A list field's entry position: the decoder shows a stored value past the end as the
// field says and never writes; the encoder keeps the byte's other bits.
FieldAccess<int> list(AreaOf area, const ListField &field);
// Some bits of one byte: checked when any of `mask` is set; checking stores `on` in
// them, clearing stores 0, and the byte's other bits stay.
FieldAccess<bool> bits(AreaOf area, int offset, uint8_t mask, uint8_t on);
inline FieldAccess<bool> bit(AreaOf area, int offset, uint8_t bit) { return bits(std::move(area), offset, bit, bit); }
// A text kept at `offset` by a codec of the area's own.
FieldAccess<QString> text(AreaOf area, int offset, QString (*decode)(const AreaView &, int),
                          void (*encode)(AreaView &, int, const QString &));
// Any value read and stored through the area view by the area's own rules.
FieldAccess<int> number(AreaOf area, std::function<int(const AreaView &)> decode,
                        std::function<bool(AreaView &, int)> encode);
// One byte of the alignment block, at the index `at` gives when asked (a box may edit
// another line on another tab).
FieldAccess<int> alignmentByte(std::function<int()> at);

} // namespace Access
