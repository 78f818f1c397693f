#pragma once

#include <QString>

class QWidget;

// File > "Restore backup...": the platform's file dialog in the backups folder, then the
// chosen backup loaded as any data file is, as one undoable step.
namespace BackupActions {

void restoreBackup(QWidget *parent);

} // namespace BackupActions
