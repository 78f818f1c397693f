#include "image/messagecharacters.h"

namespace MessageCharacters {

namespace {
bool isCode(char16_t c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || c == u'+' || c == u'-' || c == u' ';
}
} // namespace

uint8_t encode(QChar ch)
{
    char16_t c = ch.unicode();
    if (c >= u'a' && c <= u'z')
        c = char16_t(c - u'a' + u'A');
    return isCode(c) ? uint8_t(c) : Unmapped;
}

QString decode(const QByteArray &bytes)
{
    QString text;
    for (char b : bytes) {
        const char16_t c = uint8_t(b);
        if (isCode(c))
            text += QChar(c);
    }
    return text;
}

} // namespace MessageCharacters
