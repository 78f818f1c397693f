#pragma once

#include "platform/messagebox.h"
#include "texts/language.h"

#include <QString>
#include <functional>

class QWidget;

// What the File menu's import, export and restore entries share: the platform's file
// dialog captioned as the menu entry, and the one message box with the outcome.
namespace FileMenuDialog {

struct Ask
{
    BiText entry;      // the menu entry; the dialog's caption is it without its dots
    BiText filterName; // "CSV", "Data files"
    QString patterns;  // "*.csv"
    QString start;     // the folder, or the proposed file for a save
    bool save = false;
    bool allFiles = true; // "All files (*)" as a second filter
};

// The chosen path, or an empty text for Cancel.
QString choose(QWidget *parent, const Ask &ask);

// Tests stand in for the dialog: every entry then asks `chooser` instead; an empty one
// brings the dialog back.
using Chooser = std::function<QString(const Ask &ask)>;
void setChooser(const Chooser &chooser);

// The outcome under the common title.
void tell(QWidget *parent, const QString &text, MessageBox::Icon icon = MessageBox::Icon::Warning);

} // namespace FileMenuDialog
