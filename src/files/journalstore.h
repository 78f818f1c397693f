#pragma once

#include "files/fileresult.h"
#include "image/document.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

// The kept journals of every run, as the recovery window and `orvane-cli recover` read
// them. Reading never changes a journal; only remove() and prune() delete, and never the
// journal of a run that is still alive (its file is locked).
namespace JournalStore {

inline constexpr char Suffix[] = ".journal";
inline constexpr char TemporarySuffix[] = ".tmp";

// <folder>/<UTC yyyyMMdd-HHmmss-zzz>-<pid>.journal: names sort as the runs started.
QString pathFor(const QString &folder, const QDateTime &startedUtc, qint64 pid);

// What one journal holds, read as far as it can be.
struct Run
{
    QString path;
    // False for a file that is no journal, or one of another format: nothing of it is used.
    bool readable = false;
    FileResult refusal;
    QDateTime started; // UTC
    QDateTime lastStep; // UTC; invalid when the run took no step
    int steps = 0;
    QVector<StepLabel> lastLabels; // oldest first, at most a few
    bool endedNormally = false;
    bool live = false;
    // The last record cut short (a killed run's normal end): not counted as lost.
    int tornRecords = 0;
    // Records after damage that could not be used: the steps the recovery lacks.
    int unreadableSteps = 0;
    Document::Contents state;

    QString origin() const { return QString::fromUtf8(state.origin); }
};

Run read(const QString &path);
// Every journal in `folder`, newest first.
QStringList paths(const QString &folder);
// Every journal but `except` (the run's own), read, newest first.
QVector<Run> list(const QString &folder, const QString &except = QString());
// Quick: whether any journal but `except` is kept, without reading one.
bool anyKept(const QString &folder, const QString &except = QString());

// True while the run that writes the journal is alive.
bool isLive(const QString &path);
FileResult remove(const QString &path);
// Deletes the journals of ended runs beyond the newest `keep`, and leftovers of snapshots
// that were never renamed.
void prune(const QString &folder, int keep);

// The step's name as lists show it: "Undo channel 12 RX frequency".
StepLabel shownLabel(Document::StepKind kind, const StepLabel &label);
// A number of steps as a sentence says it: "1 step", "2 steps"; "2 个步骤".
QString stepCount(int steps, bool chinese);

} // namespace JournalStore
