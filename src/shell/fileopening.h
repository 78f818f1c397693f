#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Opening a file the user names outside the File menu's dialogs: on the command line, by
// dropping it on the main window, or from the recent files. Each kind goes the way its
// File menu entry goes, with that entry's checks and messages: a data file as File > Open,
// a configuration text as Import configuration, a channel CSV as Import channels. Each is
// one undo step or, with its message, nothing.
namespace FileOpening {

// False when nothing changed; a message said why.
bool open(QWidget *parent, const QString &path);

// Whether a drag of these files (DroppedFiles::files()) would be taken: one local file of
// a kind the main window opens.
bool takes(const QStringList &files);
// The drop itself: several files, or one of another kind, get a message and change nothing.
bool openDropped(QWidget *parent, const QStringList &files);

} // namespace FileOpening
