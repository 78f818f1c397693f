#include "files/radiohistory.h"

#include "files/atomicwrite.h"
#include "files/backups.h"
#include "files/datafile.h"
#include "image/memoryimage.h"
#include "link/radioidentity.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

namespace RadioHistory {

namespace {

const QString StampFormat = QStringLiteral("yyyyMMdd-HHmmss");
// Left in a radio's folder when a snapshot could not be kept: what the folder holds is then
// older than the radio, and must not be taken for what it holds now.
const QString UnconfirmedMarker = QStringLiteral(".unconfirmed");

struct KindWord
{
    Kind kind;
    const char *word;
};
constexpr KindWord KindWords[] = {{Kind::Read, "read"}, {Kind::BeforeWrite, "before"}, {Kind::Written, "written"}};

// Letters, digits, '-' and '_' as they are, anything else '_', as for radio folders.
QString fileWord(const QString &text)
{
    QString word;
    for (const QChar c : text.trimmed()) {
        const bool kept = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
                          || (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || c == QLatin1Char('-') || c == QLatin1Char('_');
        word += kept ? c : QLatin1Char('_');
    }
    return word;
}

// Radio folders whose latest snapshot failed in this process (the marker may have failed too).
QSet<QString> &unconfirmed()
{
    static QSet<QString> set;
    return set;
}

struct Failure
{
    QString folder;
    QString en;
    QString zh;
};
Failure &lastFailureText()
{
    static Failure f;
    return f;
}

QString radioDir(const QString &radioFolder)
{
    return Backups::folder() + QLatin1Char('/') + radioFolder;
}

void markUnconfirmed(const QString &folder)
{
    unconfirmed().insert(folder);
    // Best effort: on a full disk an empty file usually still goes; in a read-only folder
    // nothing does, and a later run falls back on the block check alone.
    QFile marker(radioDir(folder) + QLatin1Char('/') + UnconfirmedMarker);
    if (marker.open(QIODevice::WriteOnly))
        marker.close();
}

void clearUnconfirmed(const QString &folder)
{
    unconfirmed().remove(folder);
    // What the failure said holds no longer: the radio's history is whole again.
    if (lastFailureText().folder == folder)
        lastFailureText() = Failure{};
    const QString marker = radioDir(folder) + QLatin1Char('/') + UnconfirmedMarker;
    if (QFileInfo::exists(marker))
        QFile::remove(marker);
}

} // namespace

QString kindName(Kind kind, bool chinese)
{
    switch (kind) {
    case Kind::Read: return chinese ? QStringLiteral("读取") : QStringLiteral("read");
    case Kind::BeforeWrite: return chinese ? QStringLiteral("写入前") : QStringLiteral("before write");
    case Kind::Written: return chinese ? QStringLiteral("写入后") : QStringLiteral("written");
    }
    return QString();
}

bool parseName(const QString &fileName, QDateTime &taken, int &sequence, Kind &kind, QString &model)
{
    if (!fileName.endsWith(QLatin1String(".dat")))
        return false;
    const QStringList parts = fileName.chopped(4).split(QLatin1Char('.'));
    const QString stamp = parts.first();
    const QDateTime local = QDateTime::fromString(stamp.left(StampFormat.size()), StampFormat);
    if (!local.isValid())
        return false;
    const QString rest = stamp.mid(StampFormat.size());
    sequence = 1;
    if (!rest.isEmpty()) {
        bool ok = false;
        sequence = rest.startsWith(QLatin1Char('-')) ? rest.mid(1).toInt(&ok) : 0;
        if (!ok || sequence < 2)
            return false;
    }
    taken = QDateTime(local.date(), local.time(), Qt::UTC);
    kind = Kind::BeforeWrite;
    model.clear();
    if (parts.size() == 1)
        return true;
    bool known = false;
    for (const KindWord &w : KindWords) {
        if (parts.at(1) == QLatin1String(w.word)) {
            kind = w.kind;
            known = true;
        }
    }
    if (!known || parts.size() > 3)
        return false;
    if (parts.size() == 3)
        model = parts.at(2);
    return true;
}

QStringList radios()
{
    QStringList out;
    const QDir root(Backups::folder());
    for (const QString &r : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        if (!snapshots(r).isEmpty())
            out << r;
    }
    return out;
}

QVector<Snapshot> snapshots(const QString &radio)
{
    struct Found
    {
        Snapshot snapshot;
        int sequence;
    };
    QVector<Found> found;
    const QString folder = Backups::radioFolder(radio);
    const QDir dir(radioDir(folder));
    for (const QFileInfo &file : dir.entryInfoList({QStringLiteral("*.dat")}, QDir::Files)) {
        Found f;
        if (parseName(file.fileName(), f.snapshot.taken, f.sequence, f.snapshot.kind, f.snapshot.model)) {
            f.snapshot.path = file.filePath();
            f.snapshot.radio = folder;
            found.append(f);
        }
    }
    std::sort(found.begin(), found.end(), [](const Found &a, const Found &b) {
        return a.snapshot.taken != b.snapshot.taken ? a.snapshot.taken > b.snapshot.taken : a.sequence > b.sequence;
    });
    QVector<Snapshot> out;
    out.reserve(found.size());
    for (const Found &f : found)
        out.append(f.snapshot);
    return out;
}

FileResult load(const Snapshot &snapshot, MemoryImage &image)
{
    return DataFile::load(image, snapshot.path);
}

Snapshot baseline(const QString &radio)
{
    const QString folder = Backups::radioFolder(radio);
    if (unconfirmed().contains(folder) || QFileInfo::exists(radioDir(folder) + QLatin1Char('/') + UnconfirmedMarker))
        return Snapshot{};
    const QVector<Snapshot> all = snapshots(folder);
    return all.isEmpty() ? Snapshot{} : all.first();
}

FileResult writeSnapshot(const QByteArray &bytes, const QString &radioFolder, Kind kind, const QString &model,
                         const QDateTime &takenUtc, QString *path)
{
    const QString dir = radioDir(radioFolder);
    if (!QDir().mkpath(dir)) {
        const QString native = QDir::toNativeSeparators(dir);
        return FileResult::failure(QStringLiteral("Cannot create the backup folder \"%1\".").arg(native),
                                   QStringLiteral("无法创建备份文件夹“%1”。").arg(native));
    }
    const QString stamp = takenUtc.toUTC().toString(StampFormat);
    // One sequence for every kind within a second, so that the newest is always known.
    int sequence = 0;
    for (const QString &name : QDir(dir).entryList({stamp + QStringLiteral("*.dat")}, QDir::Files)) {
        QDateTime t;
        int n = 0;
        Kind k;
        QString m;
        if (parseName(name, t, n, k, m))
            sequence = std::max(sequence, n);
    }
    QString name = stamp;
    if (sequence > 0)
        name += QStringLiteral("-%1").arg(sequence + 1);
    const QString modelWord = fileWord(model);
    // A backup of a radio whose model is not known keeps the name backups always had.
    if (kind != Kind::BeforeWrite || !modelWord.isEmpty()) {
        for (const KindWord &w : KindWords) {
            if (w.kind == kind)
                name += QLatin1Char('.') + QLatin1String(w.word);
        }
        if (!modelWord.isEmpty())
            name += QLatin1Char('.') + modelWord;
    }
    const QString target = dir + QLatin1Char('/') + name + QStringLiteral(".dat");
    if (QFileInfo::exists(target))
        return FileResult::failure(QStringLiteral("\"%1\" exists already.").arg(QDir::toNativeSeparators(target)),
                                   QStringLiteral("“%1”已存在。").arg(QDir::toNativeSeparators(target)));
    const FileResult written = writeFileReplacing(target, bytes);
    if (written.ok && path)
        *path = target;
    return written;
}

Recorded record(const MemoryImage &image, const RadioIdentity &identity, Kind kind, Area::Range rows, const QDateTime &takenUtc)
{
    Recorded out;
    const QString folder = Backups::radioFolder(identity.number);
    const QVector<Snapshot> all = snapshots(folder);
    MemoryImage snapshot;
    QByteArray newestBytes;
    if (!all.isEmpty()) {
        QFile newest(all.first().path);
        if (newest.size() <= DataFile::MaxFileBytes && newest.open(QIODevice::ReadOnly))
            newestBytes = newest.readAll();
        MemoryImage previous;
        if (DataFile::parse(newestBytes, previous).ok)
            snapshot = previous;
    }
    snapshot.setRows(rows.firstRow, image.rows(rows.firstRow, rows.rowCount()));
    const QByteArray bytes = DataFile::format(snapshot);
    if (!all.isEmpty() && bytes == newestBytes) {
        out.path = all.first().path;
        clearUnconfirmed(folder);
        return out;
    }
    out.result = writeSnapshot(bytes, folder, kind, identity.modelName, takenUtc, &out.path);
    if (!out.result.ok) {
        out.path.clear();
        markUnconfirmed(folder);
        const QString en = QStringLiteral("The radio history could not keep what radio %1 holds: %2")
                               .arg(folder, out.result.message(false));
        const QString zh = QStringLiteral("对讲机历史无法保存对讲机 %1 的内容：%2").arg(folder, out.result.message(true));
        lastFailureText() = Failure{folder, en, zh};
        emit notifier().failed(en, zh);
        return out;
    }
    out.added = true;
    clearUnconfirmed(folder);
    emit notifier().snapshotKept(folder, out.path);
    return out;
}

ConfirmedMemory::Baseline quickBaseline(const RadioIdentity &identity)
{
    ConfirmedMemory::Baseline out;
    const Snapshot newest = baseline(identity.number);
    if (!newest.isValid())
        return out;
    out.found = true;
    out.taken = newest.taken;
    // The name keeps the model as a file name can hold it.
    out.model = !newest.model.isEmpty() && newest.model == fileWord(identity.modelName) ? identity.modelName.trimmed()
                                                                                        : newest.model;
    const FileResult loaded = load(newest, out.image);
    if (!loaded.ok) {
        out.problemEn = loaded.message(false);
        out.problemZh = loaded.message(true);
    }
    return out;
}

void install()
{
    ConfirmedMemory::setRecorder([](const MemoryImage &held, Area::Range rows, const RadioIdentity &identity, Kind kind) {
        record(held, identity, kind, rows);
    });
}

Notifier &notifier()
{
    static Notifier n;
    return n;
}

QString lastFailure(bool chinese)
{
    return chinese ? lastFailureText().zh : lastFailureText().en;
}

} // namespace RadioHistory
