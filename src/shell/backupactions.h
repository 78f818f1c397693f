#pragma once

#include <QString>

class QWidget;

// File > "Restore backup...": the radio history's window; a snapshot, or any data file,
// is loaded as any data file is, as one undoable step that also takes the data origin
// from the radio folder it was kept in.
namespace BackupActions {

// Opens (or brings up) the history window.
void restoreBackup(QWidget *parent);
// The platform's file dialog in the backups folder, then the chosen file restored. False
// when nothing was loaded (cancelled, or a message said why).
bool restoreFromFile(QWidget *parent);
// The data file at `path` restored; false, with a message, when it does not load.
bool restore(QWidget *parent, const QString &path);

} // namespace BackupActions
