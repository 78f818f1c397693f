#include "shell/recentfiles.h"

#include "shell/shelltexts.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>
#include <QStandardPaths>

namespace RecentFiles {

namespace {

const QString Key = QStringLiteral("recent/files");

void store(const QStringList &files)
{
    QSettings s(settingsPath(), QSettings::IniFormat);
    if (files.isEmpty())
        s.remove(Key);
    else
        s.setValue(Key, files);
    // The list is a convenience: a settings file that cannot be written costs only the list.
    s.sync();
}

// "radio.dat  (~/plans)": the name first, so that the menu reads down the names.
QString caption(int index, const QString &path)
{
    const QFileInfo info(path);
    QString folder = QDir::toNativeSeparators(info.absolutePath());
    const QString home = QDir::toNativeSeparators(QDir::homePath());
    if (folder == home || folder.startsWith(home + QDir::separator()))
        folder = QLatin1Char('~') + folder.mid(home.size());
    QString name = info.fileName();
    name.replace(QLatin1Char('&'), QStringLiteral("&&"));
    folder.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2  (%3)").arg(index + 1).arg(name, folder);
}

} // namespace

QString settingsPath()
{
    // GenericConfigLocation is $XDG_CONFIG_HOME, or ~/.config without it.
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("orvane-cps/orvane-cps.conf"));
}

QStringList list()
{
    QSettings s(settingsPath(), QSettings::IniFormat);
    QStringList files;
    for (const QString &f : s.value(Key).toStringList()) {
        if (!f.isEmpty() && QDir::isAbsolutePath(f) && !files.contains(f))
            files << f;
    }
    return files.mid(0, Capacity);
}

void add(const QString &path)
{
    if (path.isEmpty())
        return;
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QStringList files = list();
    files.removeAll(absolute);
    files.prepend(absolute);
    store(files.mid(0, Capacity));
}

void clear()
{
    store({});
}

void fillMenu(QMenu *menu, bool chinese, QObject *context, const std::function<void(const QString &)> &open)
{
    // The entries belong to the menu and go with its next filling (never while one of
    // them is being chosen: the menu fills only as it opens).
    menu->clear();
    menu->setToolTipsVisible(true);
    const QStringList files = list();
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files.at(i);
        QAction *entry = menu->addAction(caption(i, path));
        entry->setObjectName(QStringLiteral("File_recent_%1").arg(i + 1));
        entry->setToolTip(QDir::toNativeSeparators(path));
        entry->setEnabled(QFileInfo(path).isFile());
        QObject::connect(entry, &QAction::triggered, context, [open, path] { open(path); });
    }
    if (!files.isEmpty())
        menu->addSeparator();
    QAction *clearEntry = menu->addAction(ShellText::FileRecentClear.text(chinese));
    clearEntry->setObjectName(QStringLiteral("File_recent_clear"));
    clearEntry->setEnabled(!files.isEmpty());
    QObject::connect(clearEntry, &QAction::triggered, context, [] { clear(); });
}

} // namespace RecentFiles
