#include "editor/fieldaccess.h"

#include "image/fieldtable.h"

namespace Access {

namespace {
AreaView reading(const AreaOf &area, const Document::Contents &c)
{
    // A view for reading only: the decoders take the view by const reference.
    return area(const_cast<MemoryImage &>(c.image));
}
} // namespace

FieldAccess<int> list(AreaOf area, const ListField &field)
{
    const ListField *f = &field;
    return {[area, f](const Document::Contents &c) { return Fields::decodePosition(reading(area, c), *f); },
            [area, f](Document::Contents &c, const int &position) {
                AreaView view = area(c.image);
                return Fields::encodePosition(view, *f, position);
            }};
}

FieldAccess<bool> bits(AreaOf area, int offset, uint8_t mask, uint8_t on)
{
    return {[area, offset, mask](const Document::Contents &c) { return (reading(area, c).byte(offset) & mask) != 0; },
            [area, offset, mask, on](Document::Contents &c, const bool &checked) {
                AreaView view = area(c.image);
                view.setBits(offset, mask, checked ? on : 0);
                return true;
            }};
}

FieldAccess<QString> text(AreaOf area, int offset, QString (*decode)(const AreaView &, int),
                          void (*encode)(AreaView &, int, const QString &))
{
    return {[area, offset, decode](const Document::Contents &c) { return decode(reading(area, c), offset); },
            [area, offset, encode](Document::Contents &c, const QString &t) {
                AreaView view = area(c.image);
                encode(view, offset, t);
                return true;
            }};
}

FieldAccess<int> number(AreaOf area, std::function<int(const AreaView &)> decode, std::function<bool(AreaView &, int)> encode)
{
    return {[area, decode](const Document::Contents &c) { return decode(reading(area, c)); },
            [area, encode](Document::Contents &c, const int &value) {
                AreaView view = area(c.image);
                return encode(view, value);
            }};
}

FieldAccess<int> alignmentByte(std::function<int()> at)
{
    return {[at](const Document::Contents &c) { return int(uint8_t(c.alignment.at(at()))); },
            [at](Document::Contents &c, const int &value) {
                if (value < 0 || value > 0xFF)
                    return false;
                c.alignment[at()] = char(value);
                return true;
            }};
}

} // namespace Access
