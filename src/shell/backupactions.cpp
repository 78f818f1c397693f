#include "shell/backupactions.h"

#include "files/backups.h"
#include "files/datafile.h"
#include "image/dataorigin.h"
#include "image/document.h"
#include "platform/messagebox.h"
#include "shell/filemenudialog.h"
#include "shell/historywindow.h"
#include "shell/mainwindow.h"
#include "shell/shelltexts.h"
#include "texts/commontexts.h"

#include <QDir>
#include <QFileInfo>

namespace BackupActions {

namespace {

constexpr BiText RestoreStep{"Restore backup %1", "恢复备份 %1"};
constexpr BiText Restored{"Restored the backup %1.", "已恢复备份 %1。"};

QString choosePath(QWidget *parent, const QString &folder)
{
    // Qt's own dialog where the platform has none, with its columns fitted, as elsewhere.
    return FileMenuDialog::choose(parent, {ShellText::FileRestoreBackup, {"Data files", "数据文件"}, QStringLiteral("*.dat"),
                                           folder, false, false});
}

} // namespace

void restoreBackup(QWidget *parent)
{
    MainWindow *main = MainWindow::instance();
    if (!main) {
        restoreFromFile(parent);
        return;
    }
    // Afresh each time, as the recovery window: the history lists what is on disk now.
    main->children().reopen(
        QStringLiteral("Form_history"), [] { return new HistoryWindow; },
        [main](const QSize &client) { return HistoryWindow::placement(main->size(), client); });
}

bool restoreFromFile(QWidget *parent)
{
    const QString folder = Backups::folder();
    // The dialog opens there even before the first backup.
    QDir().mkpath(folder);
    const QString path = choosePath(parent, folder);
    return !path.isEmpty() && restore(parent, path);
}

bool restore(QWidget *parent, const QString &path)
{
    // Parsed whole first: a bad file leaves the document as it was.
    MemoryImage loaded;
    const FileResult result = DataFile::load(loaded, path);
    if (!result.ok) {
        MessageBox::show(parent, CommonText::PromptTitle.text(), result.message());
        return false;
    }
    const QString name = QFileInfo(path).fileName();
    const QString origin = Backups::radioOf(path);
    Document::instance().apply(StepLabel(RestoreStep.text(false).arg(name), RestoreStep.text(true).arg(name)),
                               [&loaded, &origin](Document::Contents &contents) {
                                   contents.image = loaded;
                                   DataOrigin::set(contents, origin);
                                   return true;
                               });
    MessageBox::show(parent, CommonText::PromptTitle.text(), Restored.text().arg(QDir::toNativeSeparators(path)),
                     MessageBox::Icon::Information);
    return true;
}

} // namespace BackupActions
