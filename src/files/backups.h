#pragma once

#include "files/fileresult.h"

#include <QDateTime>
#include <QString>
#include <QVector>

class MemoryImage;

// What a radio held before a changed-only write, kept as the program's own data files:
//   $XDG_DATA_HOME/orvane-cps/backups/<radio number>/<UTC yyyyMMdd-HHmmss>.dat
// (~/.local/share without XDG_DATA_HOME). A backup is never replaced by a later one.
// The radio history (files/radiohistory.h) keeps its snapshots in the same folders.
namespace Backups {

QString folder();
// The radio's number as a folder name: letters, digits, '-' and '_' kept, anything else
// '_'; "unknown" when nothing is left.
QString radioFolder(const QString &radioNumber);

// Writes the image atomically into the radio's folder, named after `takenUtc`; `path`
// receives where. A failure says why, and leaves no partial file.
FileResult keep(const MemoryImage &image, const QString &radioNumber, QString *path = nullptr,
                const QDateTime &takenUtc = QDateTime::currentDateTimeUtc());

struct Entry
{
    QString path;
    QString radio;    // the folder name
    QDateTime taken;  // UTC, from the file name
};
// Every copy of what a radio held before it was written, or as it was read (of one radio,
// when `radio` is given), newest first: what a restore goes back to. What a write left
// on a radio is the plan the user has already, so the history's "written" snapshots are
// not listed here.
QVector<Entry> list(const QString &radio = QString());
// The radio folder of a file inside the backups folder, or an empty text elsewhere.
QString radioOf(const QString &path);

} // namespace Backups
