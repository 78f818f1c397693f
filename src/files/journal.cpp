#include "files/journal.h"

#include "files/journalformat.h"
#include "files/journalstore.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

Journal *g_running = nullptr;

// write() until every byte is out: a regular file takes it in one call, a signal may
// split it.
bool writeAll(int fd, const QByteArray &bytes)
{
    const char *p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

void syncFolder(const QString &folder)
{
    const int dir = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

} // namespace

Journal::Journal(Document &document)
    : Journal(document, Limits())
{
}

Journal::Journal(Document &document, Limits limits)
    : m_document(document)
    , m_limits(limits)
{
}

Journal::~Journal()
{
    finish();
}

Journal *Journal::running()
{
    return g_running;
}

QString Journal::defaultFolder()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || !QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/orvane-cps/journal");
}

bool Journal::start(const QString &folder)
{
    if (isRunning())
        return true;
    if (!QDir().mkpath(folder))
        return false;
    m_folder = folder;
    m_started = QDateTime::currentDateTimeUtc();
    m_path = JournalStore::pathFor(folder, m_started, qint64(::getpid()));
    // The first file is on disk under its name before the first step: a journal is
    // always whole from its header to its snapshot.
    const QByteArray temporary = QFile::encodeName(m_path + JournalStore::TemporarySuffix);
    qint64 size = 0;
    const int fd = writeFresh(temporary, &size);
    if (fd < 0)
        return false;
    if (::fdatasync(fd) != 0 || ::rename(temporary.constData(), QFile::encodeName(m_path).constData()) != 0) {
        ::close(fd);
        ::unlink(temporary.constData());
        return false;
    }
    syncFolder(m_folder);
    m_size = size;
    m_stepsSinceSnapshot = 0;
    ++m_snapshots;
    m_fd = fd;
    m_stop = false;
    m_syncer = std::thread([this] { syncLoop(); });
    m_document.setRecorder([this](Document::StepKind kind, const StepLabel &label,
                                  const QVector<DocumentPiece> &pieces, bool after) {
        record(kind, label, pieces, after);
    });
    JournalStore::prune(folder, KeepRuns);
    if (!g_running)
        g_running = this;
    return true;
}

int Journal::writeFresh(const QByteArray &temporaryName, qint64 *bytes)
{
    const int fd = ::open(temporaryName.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return -1;
    // Locked before it has the journal's name, so that no other run ever sees it unlocked.
    const QByteArray snapshot = JournalFormat::header()
        + JournalFormat::frame(JournalFormat::startPayload(m_started, qint64(::getpid())))
        + JournalFormat::frame(JournalFormat::snapshotPayload(QDateTime::currentDateTimeUtc(), m_steps, m_lastStep,
                                                              m_lastLabels, m_document.contents()));
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || !writeAll(fd, snapshot)) {
        ::close(fd);
        ::unlink(temporaryName.constData());
        return -1;
    }
    *bytes = snapshot.size();
    return fd;
}

void Journal::record(Document::StepKind kind, const StepLabel &label, const QVector<DocumentPiece> &pieces, bool after)
{
    if (!isRunning())
        return;
    if (kind == Document::StepKind::Start) {
        // The document started afresh: a snapshot says it in one record.
        compact();
        return;
    }
    const QDateTime now = QDateTime::currentDateTimeUtc();
    ++m_steps;
    m_lastStep = now;
    m_lastLabels.append(JournalStore::shownLabel(kind, label));
    if (m_lastLabels.size() > JournalFormat::LabelsKept)
        m_lastLabels.removeFirst();
    if (!append(JournalFormat::stepPayload(now, m_steps, kind, label, pieces, after)))
        return;
    ++m_stepsSinceSnapshot;
    bool large = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        large = m_size >= m_limits.bytesPerSnapshot;
    }
    if (m_stepsSinceSnapshot >= m_limits.stepsPerSnapshot || large)
        compact();
}

bool Journal::append(const QByteArray &payload)
{
    const QByteArray bytes = JournalFormat::frame(payload);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (writeAll(m_fd, bytes)) {
            m_size += bytes.size();
            if (m_next == Next::Written) {
                if (writeAll(m_nextFd, bytes))
                    m_nextSize += bytes.size();
                else
                    m_next = Next::Failed; // it would lack this step; the journal has it
            }
            ++m_writtenSeq;
            m_wake.notify_one();
            return true;
        }
    }
    fail();
    return false;
}

void Journal::dropNextLocked()
{
    if (m_next != Next::Failed)
        return;
    ::close(m_nextFd);
    ::unlink(m_nextName.constData());
    m_nextFd = -1;
    m_next = Next::None;
    --m_snapshots;
}

void Journal::compact()
{
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        // One snapshot at a time. A thousand steps come far apart from one fdatasync, so
        // this waits only when steps come faster than any user takes them.
        m_synced.wait(lock, [this] { return m_next != Next::Written || m_stop; });
        dropNextLocked();
        if (m_stop)
            return;
    }
    const QByteArray name = QFile::encodeName(m_path + JournalStore::TemporarySuffix);
    qint64 size = 0;
    const int fd = writeFresh(name, &size);
    // On failure the old journal stays whole and goes on growing; a later step tries again.
    m_stepsSinceSnapshot = 0;
    if (fd < 0)
        return;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_nextFd = fd;
        m_nextName = name;
        m_nextSize = size;
        m_next = Next::Written;
        ++m_writtenSeq;
    }
    ++m_snapshots;
    m_wake.notify_one();
}

void Journal::syncLoop()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stop || m_writtenSeq != m_syncedSeq; });
        if (m_writtenSeq == m_syncedSeq && m_stop)
            return;
        const quint64 seq = m_writtenSeq;
        // Duplicates, so that the descriptors may change hands while these are on their
        // way to the disk.
        const int fd = ::dup(m_fd);
        const bool replacing = m_next == Next::Written;
        const int next = replacing ? ::dup(m_nextFd) : -1;
        const QByteArray name = m_nextName;
        lock.unlock();
        if (fd >= 0) {
            ::fdatasync(fd);
            ::close(fd);
        }
        bool nextOnDisk = false;
        if (next >= 0) {
            nextOnDisk = ::fdatasync(next) == 0;
            ::close(next);
        }
        lock.lock();
        bool renamed = false;
        if (replacing && m_next == Next::Written) {
            // Renamed under the lock, so that no step goes into the old file alone after
            // it; what came into the fresh one since its fdatasync is synced next round.
            if (nextOnDisk && ::rename(name.constData(), QFile::encodeName(m_path).constData()) == 0) {
                ::close(m_fd);
                m_fd = m_nextFd;
                m_nextFd = -1;
                m_size = m_nextSize;
                m_next = Next::None;
                renamed = true;
            } else {
                m_next = Next::Failed;
            }
        }
        if (renamed) {
            lock.unlock();
            syncFolder(m_folder);
            lock.lock();
        }
        if (seq > m_syncedSeq)
            m_syncedSeq = seq;
        m_synced.notify_all();
    }
}

void Journal::flush()
{
    if (!isRunning())
        return;
    std::unique_lock<std::mutex> lock(m_mutex);
    const quint64 target = m_writtenSeq;
    m_synced.wait(lock, [&] { return m_syncedSeq >= target || m_stop; });
}

void Journal::stopSyncing()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_one();
    if (m_syncer.joinable())
        m_syncer.join();
}

void Journal::fail()
{
    // A journal that cannot be written is no reason to refuse the user's edit: the run
    // goes on as it would without one, and what was written stays recoverable.
    m_document.setRecorder({});
    stopSyncing();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_next == Next::Written)
            m_next = Next::Failed;
        dropNextLocked();
    }
    ::close(m_fd);
    m_fd = -1;
    if (g_running == this)
        g_running = nullptr;
}

void Journal::finish()
{
    if (g_running == this)
        g_running = nullptr;
    if (!isRunning())
        return;
    m_document.setRecorder({});
    append(JournalFormat::endPayload(QDateTime::currentDateTimeUtc()));
    if (!isRunning())
        return;
    flush();
    stopSyncing();
    {
        // After the flush a snapshot under way has replaced the journal or failed.
        std::lock_guard<std::mutex> lock(m_mutex);
        dropNextLocked();
    }
    if (m_steps == 0)
        ::unlink(QFile::encodeName(m_path).constData());
    ::close(m_fd);
    m_fd = -1;
}
