#include "signalling/fivetonedecodetable.h"

#include "image/digitcodes.h"

FiveToneDecodeTable &FiveToneDecodeTable::instance()
{
    static FiveToneDecodeTable table;
    return table;
}

FiveToneDecodeTable::FrameCheck FiveToneDecodeTable::check(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return FrameCheck::Accepted;
    if (trimmed.size() != 5)
        return FrameCheck::WrongLength;
    for (const QChar ch : trimmed) {
        if (hexDigitToCode(ch) == NoDigit)
            return FrameCheck::WrongCharacter;
    }
    return FrameCheck::Accepted;
}

void FiveToneDecodeTable::reset()
{
    m_codes = {};
    replyAfterAllFrames = false;
    replyWhenIdle = false;
    replyDelay = 0;
}
