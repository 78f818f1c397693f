#pragma once

#include "image/areaview.h"
#include "texts/language.h"

#include <QStringList>
#include <vector>

// The entries of a list field: a fixed table of text pairs, or a generator for long
// generated lists ("15", "30", ... "600"; 2000 offsets).
struct ListEntries
{
    const BiText *texts = nullptr;
    int count = 0;
    QStringList (*generate)(bool chinese) = nullptr;

    template <int N>
    static constexpr ListEntries of(const BiText (&table)[N])
    {
        return ListEntries{table, N, nullptr};
    }
    static constexpr ListEntries generated(QStringList (*make)(bool chinese))
    {
        return ListEntries{nullptr, 0, make};
    }

    QStringList list(bool chinese) const;
    int size() const;
};

// One setting shown as a list and stored as the position of the chosen entry in some
// bits of one byte. A table of these is an area's whole list layout: one decoder, one
// encoder and one defaults writer serve every table.
struct ListField
{
    // What a stored value past the last entry shows. Decoding never writes either way.
    enum class Beyond { LastEntry, Blank };
    static constexpr int NoDefault = -1;

    const char *name;   // the field's own name, as diffs and logs call it
    int offset;         // byte, relative to the area view
    uint8_t mask;       // the field's bits in that byte, in place
    int shift;          // how far the lowest of them sits from bit 0
    ListEntries entries;
    int defaultPosition = NoDefault;
    Beyond beyond = Beyond::LastEntry;
    // What its window labels it with, and a comparison names it by in Chinese; without
    // one, its name stands for it.
    const BiText *caption = nullptr;
};

using FieldTable = std::vector<ListField>;

namespace Fields {

// The raw value in the field's bits.
int storedValue(const AreaView &view, const ListField &field);
// The entry to show: the stored value, or the last entry (or -1 for a blank) past the end.
int decodePosition(const AreaView &view, const ListField &field);
QString decodeText(const AreaView &view, const ListField &field, bool chinese);
// Stores a position in the field's bits and leaves the others as they were. False, and
// nothing changed, for a position outside the list.
bool encodePosition(AreaView &view, const ListField &field, int position);
// Every field that has a default gets it; the bits of other fields are left alone.
void writeDefaults(AreaView &view, const FieldTable &table);
// The field of that name, or null.
const ListField *find(const FieldTable &table, const char *name);

} // namespace Fields
