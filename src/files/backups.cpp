#include "files/backups.h"

#include "files/atomicwrite.h"
#include "files/datafile.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace Backups {

namespace {

const QString NameFormat = QStringLiteral("yyyyMMdd-HHmmss");

// "20261210-104500.dat", or with "-2", "-3" ... when that second already has one.
QDateTime takenFrom(const QString &fileName)
{
    const QDateTime local = QDateTime::fromString(fileName.left(NameFormat.size()), NameFormat);
    return local.isValid() ? QDateTime(local.date(), local.time(), Qt::UTC) : QDateTime();
}

// 1 for "20261210-104500.dat", n for "20261210-104500-n.dat".
int sequence(const QString &path)
{
    const QString rest = QFileInfo(path).completeBaseName().mid(NameFormat.size());
    return rest.startsWith(QLatin1Char('-')) ? rest.mid(1).toInt() : 1;
}

} // namespace

QString folder()
{
    // The XDG rule: a relative or empty XDG_DATA_HOME is to be ignored.
    const QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    const QString base = !dataHome.isEmpty() && QDir::isAbsolutePath(dataHome)
                             ? dataHome
                             : QDir::homePath() + QStringLiteral("/.local/share");
    return base + QStringLiteral("/orvane-cps/backups");
}

QString radioFolder(const QString &radioNumber)
{
    QString name;
    for (const QChar c : radioNumber.trimmed()) {
        const bool kept = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
                          || (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || c == QLatin1Char('-') || c == QLatin1Char('_');
        name += kept ? c : QLatin1Char('_');
    }
    return name.isEmpty() ? QStringLiteral("unknown") : name;
}

FileResult keep(const MemoryImage &image, const QString &radioNumber, QString *path, const QDateTime &takenUtc)
{
    const QString dir = folder() + QLatin1Char('/') + radioFolder(radioNumber);
    if (!QDir().mkpath(dir)) {
        const QString native = QDir::toNativeSeparators(dir);
        return FileResult::failure(QStringLiteral("Cannot create the backup folder \"%1\".").arg(native),
                                   QStringLiteral("无法创建备份文件夹“%1”。").arg(native));
    }
    const QString stem = dir + QLatin1Char('/') + takenUtc.toUTC().toString(NameFormat);
    QString target = stem + QStringLiteral(".dat");
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = stem + QStringLiteral("-%1.dat").arg(n);
    const FileResult written = writeFileReplacing(target, DataFile::format(image));
    if (written.ok && path)
        *path = target;
    return written;
}

QVector<Entry> list(const QString &radio)
{
    QVector<Entry> entries;
    const QDir root(folder());
    const QStringList radios = radio.isEmpty() ? root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)
                                               : QStringList{radioFolder(radio)};
    for (const QString &r : radios) {
        const QDir dir(root.filePath(r));
        for (const QFileInfo &file : dir.entryInfoList({QStringLiteral("*.dat")}, QDir::Files)) {
            const QDateTime taken = takenFrom(file.fileName());
            if (taken.isValid())
                entries.append(Entry{file.filePath(), r, taken});
        }
    }
    std::sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        return a.taken != b.taken ? a.taken > b.taken : sequence(a.path) > sequence(b.path);
    });
    return entries;
}

QString radioOf(const QString &path)
{
    const QFileInfo file(path);
    const QString dir = QFileInfo(file.absolutePath()).absolutePath();
    if (QDir::cleanPath(dir) != QDir::cleanPath(QFileInfo(folder()).absoluteFilePath()))
        return QString();
    return file.dir().dirName();
}

} // namespace Backups
