#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QMenu;
class QObject;

// The data files and configuration texts used last, newest first. The one thing the
// program keeps between runs, in $XDG_CONFIG_HOME/orvane-cps/ (QSettings, INI): nothing of
// the start-up state (language, port, windows) is stored there.
namespace RecentFiles {

constexpr int Capacity = 8;

QString settingsPath();
// Absolute paths, newest first, at most Capacity; files that have gone are kept.
QStringList list();
// Puts `path` first (once); the oldest beyond Capacity drops out.
void add(const QString &path);
void clear();

// Fills the File menu's "Recent files" submenu afresh: an entry per file (disabled when
// the file has gone, its path in the tooltip), a separator and "Clear list". `open` is
// called with the path of the entry chosen.
void fillMenu(QMenu *menu, bool chinese, QObject *context, const std::function<void(const QString &)> &open);

} // namespace RecentFiles
