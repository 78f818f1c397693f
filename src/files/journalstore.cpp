#include "files/journalstore.h"

#include "files/journalformat.h"
#include "texts/language.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace JournalStore {

namespace {

constexpr BiText UndoStep{"Undo %1", "撤销 %1"};
constexpr BiText RedoStep{"Redo %1", "重做 %1"};
constexpr BiText OriginStep{"Data origin", "数据来源"};

FileResult refused(const QString &path, const QString &en, const QString &zh)
{
    const QString native = QDir::toNativeSeparators(path);
    return FileResult::failure(QStringLiteral("Cannot recover \"%1\": %2").arg(native, en),
                               QStringLiteral("无法恢复“%1”：%2").arg(native, zh));
}

QDateTime fromMs(qint64 ms)
{
    return ms < 0 ? QDateTime() : QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
}

StepLabel readLabel(QDataStream &s)
{
    StepLabel label;
    s >> label.en >> label.zh;
    return label;
}

// One payload into the run; false when it cannot be used.
bool take(const QByteArray &payload, Run &run, bool &sawSnapshot)
{
    QDataStream s(payload);
    s.setVersion(QDataStream::Qt_6_0);
    s.setByteOrder(QDataStream::LittleEndian);
    quint8 type = 0;
    qint64 time = 0;
    s >> type >> time;
    switch (JournalFormat::RecordType(type)) {
    case JournalFormat::RecordType::Start: {
        qint64 pid = 0;
        s >> pid;
        run.started = fromMs(time);
        break;
    }
    case JournalFormat::RecordType::Snapshot: {
        quint32 steps = 0;
        qint64 lastStep = -1;
        quint32 labels = 0;
        s >> steps >> lastStep >> labels;
        if (labels > quint32(JournalFormat::LabelsKept))
            return false;
        QVector<StepLabel> kept;
        for (quint32 i = 0; i < labels; ++i)
            kept.append(readLabel(s));
        QByteArray image;
        Document::Contents state;
        s >> image >> state.alignment >> state.fiveToneDecode >> state.origin;
        if (s.status() != QDataStream::Ok || image.size() != MemoryImage::Size)
            return false;
        for (int i = 0; i < MemoryImage::Size; ++i)
            state.image.setAt(i, uint8_t(image[i]));
        run.state = state;
        run.steps = int(steps);
        run.lastStep = fromMs(lastStep);
        run.lastLabels = kept;
        sawSnapshot = true;
        break;
    }
    case JournalFormat::RecordType::Step: {
        if (!sawSnapshot)
            return false; // a step has nothing to stand on before the first snapshot
        quint32 number = 0;
        quint8 kind = 0;
        s >> number >> kind;
        const StepLabel label = readLabel(s);
        quint32 count = 0;
        s >> count;
        if (s.status() != QDataStream::Ok || count > quint32(payload.size()))
            return false;
        // Pieces go into a copy: a step is used whole or not at all.
        Document::Contents state = run.state;
        for (quint32 i = 0; i < count; ++i) {
            quint8 part = 0;
            qint32 offset = 0;
            bool whole = false;
            QByteArray bytes;
            s >> part >> offset >> whole >> bytes;
            if (s.status() != QDataStream::Ok
                || !JournalFormat::applyPiece(state, DocumentRange::Part(part), offset, whole, bytes))
                return false;
        }
        run.state = state;
        run.steps = int(number);
        run.lastStep = fromMs(time);
        run.lastLabels.append(shownLabel(Document::StepKind(kind), label));
        if (run.lastLabels.size() > JournalFormat::LabelsKept)
            run.lastLabels.removeFirst();
        break;
    }
    case JournalFormat::RecordType::End:
        run.endedNormally = true;
        break;
    default:
        return false;
    }
    return s.status() == QDataStream::Ok;
}

} // namespace

QString pathFor(const QString &folder, const QDateTime &startedUtc, qint64 pid)
{
    return QDir(folder).filePath(startedUtc.toUTC().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")) + QLatin1Char('-')
                                 + QString::number(pid) + QLatin1String(Suffix));
}

Run read(const QString &path)
{
    Run run;
    run.path = path;
    run.live = isLive(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        run.refusal = refused(path, file.errorString(), chineseFileReason(file));
        return run;
    }
    const QByteArray bytes = file.readAll();
    if (bytes.size() < JournalFormat::HeaderSize || !bytes.startsWith(QByteArray(JournalFormat::Magic, 8))) {
        run.refusal = refused(path, QStringLiteral("it is not a journal of this program"),
                              QStringLiteral("这不是本程序的编辑记录"));
        return run;
    }
    const quint32 version = qFromLittleEndian<quint32>(bytes.constData() + 8);
    if (version != JournalFormat::Version) {
        run.refusal = refused(path,
                              QStringLiteral("it was written by another version of the program (journal format %1, "
                                             "this version reads format %2)")
                                  .arg(version)
                                  .arg(JournalFormat::Version),
                              QStringLiteral("它由另一版本的程序写入（记录格式 %1，本版本读取格式 %2）")
                                  .arg(version)
                                  .arg(JournalFormat::Version));
        return run;
    }
    qsizetype at = JournalFormat::HeaderSize;
    bool damaged = false;
    bool snapshotSeen = false;
    while (at < bytes.size()) {
        const qsizetype left = bytes.size() - at;
        if (left < JournalFormat::FrameSize) {
            if (!damaged)
                ++run.tornRecords;
            break;
        }
        const quint32 length = qFromLittleEndian<quint32>(bytes.constData() + at);
        const quint32 crc = qFromLittleEndian<quint32>(bytes.constData() + at + 4);
        if (length > JournalFormat::LongestRecord || qsizetype(length) > left - JournalFormat::FrameSize) {
            // Runs past the end: the record the process was writing when it ended.
            if (damaged)
                ++run.unreadableSteps;
            else
                ++run.tornRecords;
            break;
        }
        const qsizetype next = at + JournalFormat::FrameSize + length;
        const QByteArray payload = bytes.mid(at + JournalFormat::FrameSize, length);
        const bool intact = JournalFormat::crc32(payload.constData(), payload.size()) == crc;
        if (!damaged) {
            if (!intact && next == bytes.size()) {
                ++run.tornRecords;
                break;
            }
            // A step before any snapshot has nothing to stand on.
            if (!intact || !take(payload, run, snapshotSeen)) {
                // Nothing after damage is used: a step over a missing one would give a
                // state the run never had.
                damaged = true;
            }
        }
        if (damaged)
            ++run.unreadableSteps;
        at = next;
    }
    if (!snapshotSeen) {
        run.refusal = refused(path, QStringLiteral("its first snapshot cannot be read"),
                              QStringLiteral("无法读取其第一个快照"));
        return run;
    }
    run.readable = true;
    return run;
}

QStringList paths(const QString &folder)
{
    QDir dir(folder);
    QStringList names = dir.entryList({QStringLiteral("*") + QLatin1String(Suffix)}, QDir::Files, QDir::Name);
    QStringList out;
    for (auto it = names.crbegin(); it != names.crend(); ++it)
        out.append(dir.filePath(*it));
    return out;
}

QVector<Run> list(const QString &folder, const QString &except)
{
    QVector<Run> runs;
    for (const QString &path : paths(folder)) {
        if (QFileInfo(path) != QFileInfo(except) || except.isEmpty())
            runs.append(read(path));
    }
    return runs;
}

bool anyKept(const QString &folder, const QString &except)
{
    for (const QString &path : paths(folder)) {
        if (except.isEmpty() || QFileInfo(path) != QFileInfo(except))
            return true;
    }
    return false;
}

bool isLive(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool live = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return live;
}

FileResult remove(const QString &path)
{
    const QString native = QDir::toNativeSeparators(path);
    if (isLive(path))
        return FileResult::failure(QStringLiteral("Cannot delete \"%1\": the program that writes it is still running").arg(native),
                                   QStringLiteral("无法删除“%1”：写入它的程序仍在运行").arg(native));
    QFile file(path);
    if (!file.remove())
        return FileResult::failure(QStringLiteral("Cannot delete \"%1\": %2").arg(native, file.errorString()),
                                   QStringLiteral("无法删除“%1”：%2").arg(native, chineseFileReason(file)));
    return FileResult::success();
}

void prune(const QString &folder, int keep)
{
    const QStringList all = paths(folder);
    for (int i = keep; i < all.size(); ++i) {
        if (!isLive(all.at(i)))
            QFile::remove(all.at(i));
    }
    QDir dir(folder);
    const QStringList leftovers =
        dir.entryList({QStringLiteral("*") + QLatin1String(Suffix) + QLatin1String(TemporarySuffix)}, QDir::Files);
    for (const QString &name : leftovers) {
        if (!isLive(dir.filePath(name)))
            QFile::remove(dir.filePath(name));
    }
}

StepLabel shownLabel(Document::StepKind kind, const StepLabel &label)
{
    auto with = [&](const BiText &pattern) {
        return StepLabel(pattern.text(false).arg(label.en), pattern.text(true).arg(label.zh));
    };
    switch (kind) {
    case Document::StepKind::Undo: return with(UndoStep);
    case Document::StepKind::Redo: return with(RedoStep);
    case Document::StepKind::Origin: return OriginStep;
    default: return label;
    }
}

QString stepCount(int steps, bool chinese)
{
    if (chinese)
        return QStringLiteral("%1 个步骤").arg(steps);
    return steps == 1 ? QStringLiteral("1 step") : QStringLiteral("%1 steps").arg(steps);
}

} // namespace JournalStore
