#pragma once

#include "image/document.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdint>

// The byte form of a run's journal, shared by the writer and the reader.
//
// A journal is a header (magic, format version) and then records, each
//   u32 payload length (little endian), u32 CRC-32 of the payload, payload.
// A payload is a QDataStream: its record type, the time, then what the type carries.
// The first records are the run's start and a snapshot of the whole document; each step
// after it carries the bytes that step left in the document, so replaying the steps over
// the snapshot gives the document as the run last had it. A torn last record (the process
// killed in the middle of writing it) is the normal end of a killed run.
namespace JournalFormat {

inline constexpr char Magic[8] = {'O', 'R', 'V', 'J', 'R', 'N', 'L', '\n'};
// Raised whenever the byte form changes: a journal of another format is refused whole
// rather than read wrongly.
inline constexpr quint32 Version = 1;
inline constexpr int HeaderSize = 16;
inline constexpr int FrameSize = 8;
// A record longer than this is damage, not a record (a whole-document step is ~33 KB).
inline constexpr quint32 LongestRecord = 16u << 20;
inline constexpr int LabelsKept = 5;

enum class RecordType : quint8 { Start = 1, Snapshot = 2, Step = 3, End = 4 };

quint32 crc32(const char *data, qsizetype size);

QByteArray header();
// Length, checksum and payload, ready for one write().
QByteArray frame(const QByteArray &payload);

QByteArray startPayload(const QDateTime &started, qint64 pid);
QByteArray snapshotPayload(const QDateTime &time, quint32 steps, const QDateTime &lastStep,
                           const QVector<StepLabel> &lastLabels, const Document::Contents &contents);
QByteArray stepPayload(const QDateTime &time, quint32 number, Document::StepKind kind, const StepLabel &label,
                       const QVector<DocumentPiece> &pieces, bool after);
QByteArray endPayload(const QDateTime &time);

// Writes what a piece left in the contents; false when it does not fit them (damage).
bool applyPiece(Document::Contents &contents, DocumentRange::Part part, int offset, bool whole,
                const QByteArray &bytes);

} // namespace JournalFormat
