#include "image/fieldtable.h"

#include <cstring>

QStringList ListEntries::list(bool chinese) const
{
    if (generate)
        return generate(chinese);
    QStringList out;
    out.reserve(count);
    for (int i = 0; i < count; ++i)
        out << texts[i].text(chinese);
    return out;
}

int ListEntries::size() const
{
    return generate ? int(generate(false).size()) : count;
}

namespace Fields {

int storedValue(const AreaView &view, const ListField &field)
{
    return (view.byte(field.offset) & field.mask) >> field.shift;
}

int decodePosition(const AreaView &view, const ListField &field)
{
    const int value = storedValue(view, field);
    const int size = field.entries.size();
    if (value < size)
        return value;
    return field.beyond == ListField::Beyond::LastEntry ? size - 1 : -1;
}

QString decodeText(const AreaView &view, const ListField &field, bool chinese)
{
    const int position = decodePosition(view, field);
    return position < 0 ? QString() : field.entries.list(chinese).at(position);
}

bool encodePosition(AreaView &view, const ListField &field, int position)
{
    if (position < 0 || position >= field.entries.size() || ((position << field.shift) & ~field.mask))
        return false;
    view.setBits(field.offset, field.mask, uint8_t(position << field.shift));
    return true;
}

void writeDefaults(AreaView &view, const FieldTable &table)
{
    for (const ListField &field : table) {
        if (field.defaultPosition != ListField::NoDefault)
            encodePosition(view, field, field.defaultPosition);
    }
}

const ListField *find(const FieldTable &table, const char *name)
{
    for (const ListField &field : table) {
        if (std::strcmp(field.name, name) == 0)
            return &field;
    }
    return nullptr;
}

} // namespace Fields
