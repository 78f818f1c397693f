#pragma once

#include <QString>

class QFileDialog;
class QWidget;

// The platform's file dialogs, asked for a path to open or to save. Where the platform
// has none of its own and Qt's dialog stands in, its detail columns (size, type, date)
// are as wide as what they show, whatever the language.
namespace FileDialog {

QString openFileName(QWidget *parent, const QString &caption, const QString &folder, const QString &filter);
// `proposed` may name a file: its folder is shown and its name proposed.
QString saveFileName(QWidget *parent, const QString &caption, const QString &proposed, const QString &filter);

// Fits the columns of Qt's own dialog; does nothing to a platform dialog.
void fitColumns(QFileDialog *dialog);

} // namespace FileDialog
