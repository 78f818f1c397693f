#include "signalling/fivetonedecodetable.h"

#include "image/digitcodes.h"

#include <QDataStream>
#include <QIODevice>

namespace {
constexpr quint32 FormMark = 0x35544431; // "5TD1"
} // namespace

QByteArray FiveToneDecodeTable::toBytes() const
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << FormMark;
    for (const Code &c : m_codes) {
        out << qint32(c.standard);
        for (int f = 0; f < FrameCount; ++f)
            out << c.frames[f] << qint32(c.callFunction[f]);
        for (uint8_t b : c.functions)
            out << quint8(b);
        out << c.transpond;
    }
    out << replyAfterAllFrames << replyWhenIdle << qint32(replyDelay);
    return bytes;
}

FiveToneDecodeTable FiveToneDecodeTable::fromBytes(const QByteArray &bytes)
{
    FiveToneDecodeTable table;
    if (bytes.isEmpty())
        return table;
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_0);
    quint32 mark = 0;
    in >> mark;
    if (mark != FormMark)
        return table;
    FiveToneDecodeTable read;
    for (Code &c : read.m_codes) {
        qint32 standard = 0;
        in >> standard;
        c.standard = standard;
        for (int f = 0; f < FrameCount; ++f) {
            qint32 function = 0;
            in >> c.frames[f] >> function;
            c.callFunction[f] = function;
        }
        for (uint8_t &b : c.functions) {
            quint8 v = 0;
            in >> v;
            b = v;
        }
        in >> c.transpond;
    }
    qint32 delay = 0;
    in >> read.replyAfterAllFrames >> read.replyWhenIdle >> delay;
    read.replyDelay = delay;
    return in.status() == QDataStream::Ok ? read : table;
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
