#pragma once

#include "image/document.h"

#include <QDateTime>
#include <QString>
#include <QVector>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

// The run's journal: a write-ahead log of every document step, so that nothing the user
// did is lost to a crash, a power cut or a window closed without saving.
//
// Each step is written with one write() before the document's change returns, so a
// killed process loses no step that had returned; a thread of its own calls fdatasync at
// once after each write (the user-interface thread never waits for the disk), so a power
// cut loses at most the steps of the last moment. After a number of steps or bytes the
// journal is replaced by a fresh snapshot of the whole document: the user-interface
// thread writes it beside the journal, the sync thread puts it on disk and renames it over
// the journal. Until that rename every step goes into both files, so that whichever of
// them a kill or a power cut leaves as the journal holds every step.
//
// The file is locked (flock) for the life of the run: another run never deletes it, and
// the recovery window knows it is still in use. Journals live in
//   $XDG_STATE_HOME/orvane-cps/journal/   (~/.local/state without XDG_STATE_HOME)
// and the newest KeepRuns of them are kept.
class Journal
{
public:
    static constexpr int KeepRuns = 20;

    struct Limits
    {
        int stepsPerSnapshot = 1000;
        qint64 bytesPerSnapshot = 1 << 20;
    };

    explicit Journal(Document &document);
    Journal(Document &document, Limits limits);
    // Ends the run normally, as finish() does.
    ~Journal();
    Journal(const Journal &) = delete;
    Journal &operator=(const Journal &) = delete;

    static QString defaultFolder();
    // The journal this process writes, or null.
    static Journal *running();

    // Starts the run's journal in `folder` with the document as it stands and deletes the
    // oldest journals of runs that are over. False when the folder cannot be written: the
    // program then runs as it would without a journal.
    bool start(const QString &folder = defaultFolder());
    // The normal end: an end record, on disk before this returns. A run that took no step
    // leaves nothing to recover, and its journal goes, so that it pushes out no other.
    void finish();

    bool isRunning() const { return m_fd >= 0; }
    QString path() const { return m_path; }
    QString folder() const { return m_folder; }
    int steps() const { return int(m_steps); }
    int snapshotsTaken() const { return m_snapshots; }
    // Waits until every record written so far is on disk.
    void flush();

private:
    // The snapshot file beside the journal, on its way to replacing it.
    enum class Next {
        None,
        Written, // every step goes into it too; the sync thread has yet to rename it
        Failed   // it will not replace the journal, which stays whole
    };

    void record(Document::StepKind kind, const StepLabel &label, const QVector<DocumentPiece> &pieces, bool after);
    bool append(const QByteArray &payload);
    // A fresh file of the start and a snapshot beside the journal, locked; -1 when it
    // cannot be written. `bytes` receives its size.
    int writeFresh(const QByteArray &temporaryName, qint64 *bytes);
    void compact();
    // Under the lock: a snapshot that will not replace the journal is closed and removed.
    void dropNextLocked();
    void syncLoop();
    void stopSyncing();
    void fail();

    Document &m_document;
    Limits m_limits;
    QString m_folder;
    QString m_path;
    QDateTime m_started;
    QDateTime m_lastStep;
    quint32 m_steps = 0;
    int m_stepsSinceSnapshot = 0;
    qint64 m_size = 0;
    int m_snapshots = 0;
    QVector<StepLabel> m_lastLabels;

    // Guards what both threads touch: the descriptors, the sizes and the counters. The
    // user-interface thread writes under it (a write() into the page cache); the sync
    // thread holds it only to take descriptors and to rename, never across fdatasync.
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_synced;
    // Read by isRunning() without the lock; the sync thread swaps it for the fresh file.
    std::atomic<int> m_fd{-1};
    int m_nextFd = -1;
    Next m_next = Next::None;
    QByteArray m_nextName;
    qint64 m_nextSize = 0;
    quint64 m_writtenSeq = 0;
    quint64 m_syncedSeq = 0;
    bool m_stop = false;
    std::thread m_syncer;
};
