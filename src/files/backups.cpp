#include "files/backups.h"

#include "files/atomicwrite.h"
#include "files/datafile.h"
#include "files/radiohistory.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace Backups {

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
    return RadioHistory::writeSnapshot(DataFile::format(image), radioFolder(radioNumber), RadioHistory::Kind::BeforeWrite,
                                       QString(), takenUtc, path);
}

QVector<Entry> list(const QString &radio)
{
    QVector<Entry> entries;
    const QStringList radios = radio.isEmpty() ? QDir(folder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot)
                                               : QStringList{radioFolder(radio)};
    QVector<RadioHistory::Snapshot> all;
    for (const QString &r : radios)
        all += RadioHistory::snapshots(r);
    // Newest first across radios; within one radio the history's own order stands.
    std::stable_sort(all.begin(), all.end(),
                     [](const RadioHistory::Snapshot &a, const RadioHistory::Snapshot &b) { return a.taken > b.taken; });
    for (const RadioHistory::Snapshot &s : all) {
        if (s.kind != RadioHistory::Kind::Written)
            entries.append(Entry{s.path, s.radio, s.taken});
    }
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
