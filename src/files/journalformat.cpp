#include "files/journalformat.h"

#include <QDataStream>
#include <QIODevice>
#include <QtEndian>
#include <array>

namespace JournalFormat {

namespace {

const std::array<quint32, 256> &crcTable()
{
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t{};
        for (quint32 i = 0; i < 256; ++i) {
            quint32 c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    return table;
}

// One stream setting for every record, so a later Qt reads what an earlier one wrote.
QDataStream &prepared(QDataStream &s)
{
    s.setVersion(QDataStream::Qt_6_0);
    s.setByteOrder(QDataStream::LittleEndian);
    return s;
}

void writeLabel(QDataStream &s, const StepLabel &label)
{
    s << label.en << label.zh;
}

} // namespace

quint32 crc32(const char *data, qsizetype size)
{
    const auto &table = crcTable();
    quint32 c = 0xFFFFFFFFu;
    for (qsizetype i = 0; i < size; ++i)
        c = table[(c ^ quint8(data[i])) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

QByteArray header()
{
    QByteArray h(Magic, sizeof Magic);
    h.resize(HeaderSize);
    qToLittleEndian<quint32>(Version, h.data() + 8);
    qToLittleEndian<quint32>(0, h.data() + 12);
    return h;
}

QByteArray frame(const QByteArray &payload)
{
    QByteArray out(FrameSize, Qt::Uninitialized);
    qToLittleEndian<quint32>(quint32(payload.size()), out.data());
    qToLittleEndian<quint32>(crc32(payload.constData(), payload.size()), out.data() + 4);
    out.append(payload);
    return out;
}

QByteArray startPayload(const QDateTime &started, qint64 pid)
{
    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    prepared(s) << quint8(RecordType::Start) << started.toMSecsSinceEpoch() << pid;
    return out;
}

QByteArray snapshotPayload(const QDateTime &time, quint32 steps, const QDateTime &lastStep,
                           const QVector<StepLabel> &lastLabels, const Document::Contents &contents)
{
    QByteArray out;
    out.reserve(MemoryImage::Size + 1024);
    QDataStream s(&out, QIODevice::WriteOnly);
    prepared(s) << quint8(RecordType::Snapshot) << time.toMSecsSinceEpoch() << steps
                << (lastStep.isValid() ? lastStep.toMSecsSinceEpoch() : qint64(-1)) << quint32(lastLabels.size());
    for (const StepLabel &label : lastLabels)
        writeLabel(s, label);
    s << QByteArray(reinterpret_cast<const char *>(contents.image.data()), MemoryImage::Size) << contents.alignment
      << contents.fiveToneDecode << contents.origin;
    return out;
}

QByteArray stepPayload(const QDateTime &time, quint32 number, Document::StepKind kind, const StepLabel &label,
                       const QVector<DocumentPiece> &pieces, bool after)
{
    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    prepared(s) << quint8(RecordType::Step) << time.toMSecsSinceEpoch() << number << quint8(kind);
    writeLabel(s, label);
    s << quint32(pieces.size());
    for (const DocumentPiece &p : pieces)
        s << quint8(p.part) << qint32(p.offset) << p.whole << (after ? p.after : p.before);
    return out;
}

QByteArray endPayload(const QDateTime &time)
{
    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    prepared(s) << quint8(RecordType::End) << time.toMSecsSinceEpoch();
    return out;
}

bool applyPiece(Document::Contents &contents, DocumentRange::Part part, int offset, bool whole, const QByteArray &bytes)
{
    if (offset < 0)
        return false;
    QByteArray *target = nullptr;
    switch (part) {
    case DocumentRange::Part::Image:
        if (whole || qsizetype(offset) + bytes.size() > MemoryImage::Size)
            return false;
        for (int i = 0; i < bytes.size(); ++i)
            contents.image.setAt(offset + i, uint8_t(bytes[i]));
        return true;
    case DocumentRange::Part::Alignment: target = &contents.alignment; break;
    case DocumentRange::Part::FiveToneDecode: target = &contents.fiveToneDecode; break;
    case DocumentRange::Part::Origin: target = &contents.origin; break;
    default: return false;
    }
    if (whole) {
        *target = bytes;
        return true;
    }
    if (qsizetype(offset) + bytes.size() > target->size())
        return false;
    target->replace(offset, bytes.size(), bytes);
    return true;
}

} // namespace JournalFormat
