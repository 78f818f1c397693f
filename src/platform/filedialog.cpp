#include "platform/filedialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QTimer>
#include <QTreeView>

namespace FileDialog {

namespace {

QString run(QFileDialog &dialog)
{
    // Qt builds its own dialog's widgets when it is shown, so the columns are fitted once
    // the dialog's event loop runs.
    QTimer::singleShot(0, &dialog, [&dialog] { fitColumns(&dialog); });
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

} // namespace

void fitColumns(QFileDialog *dialog)
{
    auto *tree = dialog->findChild<QTreeView *>(QStringLiteral("treeView"));
    if (!tree)
        return;
    QHeaderView *header = tree->header();
    if (header->count() < 2)
        return;
    // The name takes what the others leave; they follow their contents as the folder loads.
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int c = 1; c < header->count(); ++c)
        header->setSectionResizeMode(c, QHeaderView::ResizeToContents);
}

QString openFileName(QWidget *parent, const QString &caption, const QString &folder, const QString &filter)
{
    QFileDialog dialog(parent, caption, folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return run(dialog);
}

QString saveFileName(QWidget *parent, const QString &caption, const QString &proposed, const QString &filter)
{
    const QFileInfo info(proposed);
    QFileDialog dialog(parent, caption, info.isDir() ? proposed : info.absolutePath(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!info.isDir())
        dialog.selectFile(info.fileName());
    return run(dialog);
}

} // namespace FileDialog
