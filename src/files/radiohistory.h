#pragma once

#include "files/fileresult.h"
#include "image/areamap.h"
#include "link/confirmedmemory.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>

class MemoryImage;
struct RadioIdentity;

// What each radio was confirmed to hold, snapshot by snapshot, beside the backups of the
// changed-only write (Backups::folder()/<radio folder>/), in the program's own data file
// format. A file's name records when it was taken, its kind and the radio's model:
//   20261210-104500.dat                  a backup kept before a write (model not recorded)
//   20261210-104500-2.read.OR-78V.dat    a whole read, the second snapshot of that second
//   20261210-104501.written.OR-78V.dat   what a write left on the radio
// A snapshot equal byte for byte to the radio's newest one is not kept again, and nothing
// here ever deletes one.
namespace RadioHistory {

using Kind = ConfirmedMemory::Kind;

// "read", "before write", "written" / "读取", "写入前", "写入后"
QString kindName(Kind kind, bool chinese);

struct Snapshot
{
    QString path;     // empty: no snapshot
    QString radio;    // the radio's folder name
    QDateTime taken;  // UTC
    Kind kind = Kind::Read;
    QString model;    // as the radio named itself; empty when the file does not say

    bool isValid() const { return !path.isEmpty(); }
};

// Every radio that has a snapshot, by folder name, sorted.
QStringList radios();
// The snapshots of one radio (its number or its folder name), newest first.
QVector<Snapshot> snapshots(const QString &radio);
// Parses the whole file before `image` is touched; a bad file leaves it as it was.
FileResult load(const Snapshot &snapshot, MemoryImage &image);
// The radio's newest snapshot: what a quick write compares against. None (invalid) when
// the radio has no snapshot, or when the latest one this program tried to keep could not
// be written: the newest file on disk is then older than what the radio holds.
Snapshot baseline(const QString &radio);

struct Recorded
{
    FileResult result;
    QString path;       // the snapshot that holds the image: the new file, or the newest one when equal
    bool added = false; // false when the newest snapshot already held these bytes
};
// Keeps what the radio confirmed in `rows` of `image`. Rows outside them come from the
// radio's newest snapshot (erased without one), so a whole write, which never sends the
// read-only tail, does not claim to know it. Written atomically: a failure leaves no
// partial file, is told once through notifier().failed(), and makes baseline() give none.
Recorded record(const MemoryImage &image, const RadioIdentity &identity, Kind kind,
                Area::Range rows = Area::BulkReadRows, const QDateTime &takenUtc = QDateTime::currentDateTimeUtc());

// baseline() as a quick write takes it: found, loaded, or why it cannot be.
ConfirmedMemory::Baseline quickBaseline(const RadioIdentity &identity);

// Every confirmation the link reports from now on becomes a snapshot.
void install();

// Tells a history window what happened to the history, as it happens.
class Notifier : public QObject
{
    Q_OBJECT
signals:
    void snapshotKept(const QString &radio, const QString &path);
    // A snapshot could not be kept; the text says where and why.
    void failed(const QString &english, const QString &chinese);
};
Notifier &notifier();
// The last failure to keep a snapshot in this process, or an empty text once that radio's
// history has a snapshot of what it holds again.
QString lastFailure(bool chinese);

// Shared with the backups.
// "20261210-104500-2.read.OR-78V.dat" -> its parts; false for a name that is none of ours.
bool parseName(const QString &fileName, QDateTime &taken, int &sequence, Kind &kind, QString &model);
// Writes `bytes` atomically as a new snapshot file in the radio folder, never over another
// one; `path` receives where.
FileResult writeSnapshot(const QByteArray &bytes, const QString &radioFolder, Kind kind, const QString &model,
                         const QDateTime &takenUtc, QString *path);

} // namespace RadioHistory
