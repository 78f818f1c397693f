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
    int fd = -1;
    if (!writeFresh(m_path, &fd))
        return false;
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

bool Journal::writeFresh(const QString &path, int *fdOut)
{
    // Written beside the journal and renamed over it once on disk: a journal is always
    // whole from its header to its snapshot, old or new.
    const QString temporary = path + JournalStore::TemporarySuffix;
    const QByteArray name = QFile::encodeName(temporary);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    // Locked before it has its name, so that no other run ever sees it unlocked.
    const QByteArray snapshot = JournalFormat::header()
        + JournalFormat::frame(JournalFormat::startPayload(m_started, qint64(::getpid())))
        + JournalFormat::frame(JournalFormat::snapshotPayload(QDateTime::currentDateTimeUtc(), m_steps, m_lastStep,
                                                              m_lastLabels, m_document.contents()));
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || !writeAll(fd, snapshot) || ::fdatasync(fd) != 0
        || ::rename(name.constData(), QFile::encodeName(path).constData()) != 0) {
        ::close(fd);
        ::unlink(name.constData());
        return false;
    }
    syncFolder(m_folder);
    m_size = snapshot.size();
    m_stepsSinceSnapshot = 0;
    ++m_snapshots;
    *fdOut = fd;
    return true;
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
    if (m_stepsSinceSnapshot >= m_limits.stepsPerSnapshot || m_size >= m_limits.bytesPerSnapshot)
        compact();
}

bool Journal::append(const QByteArray &payload)
{
    const QByteArray bytes = JournalFormat::frame(payload);
    if (!writeAll(m_fd, bytes)) {
        fail();
        return false;
    }
    m_size += bytes.size();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        ++m_writtenSeq;
    }
    m_wake.notify_one();
    return true;
}

void Journal::compact()
{
    int fd = -1;
    if (!writeFresh(m_path, &fd)) {
        // The old journal stays whole and goes on growing; the next step tries again.
        m_stepsSinceSnapshot = 0;
        return;
    }
    int old = -1;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        old = m_fd;
        m_fd = fd;
        // The fresh file was synced whole before its rename.
        m_syncedSeq = m_writtenSeq;
    }
    m_synced.notify_all();
    ::close(old);
}

void Journal::syncLoop()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stop || m_writtenSeq != m_syncedSeq; });
        if (m_writtenSeq == m_syncedSeq && m_stop)
            return;
        const quint64 seq = m_writtenSeq;
        // A duplicate, so that a snapshot may close the journal's own descriptor while
        // this one is still on its way to the disk.
        const int fd = ::dup(m_fd);
        lock.unlock();
        if (fd >= 0) {
            ::fdatasync(fd);
            ::close(fd);
        }
        lock.lock();
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
    if (m_steps == 0)
        ::unlink(QFile::encodeName(m_path).constData());
    ::close(m_fd);
    m_fd = -1;
}
