#pragma once

#include <QString>
#include <functional>

class QWidget;

// File > "Restore backup...": the platform's file dialog in the backups folder, then the
// chosen backup loaded as any data file is, as one undoable step.
namespace BackupActions {

void restoreBackup(QWidget *parent);

// Tests stand in for the dialog: given the backups folder, the chooser returns a path, or
// an empty text for Cancel. An empty chooser brings the dialog back.
using PathChooser = std::function<QString(const QString &folder)>;
void setPathChooser(const PathChooser &chooser);

} // namespace BackupActions
