#pragma once

#include <QString>

class QWidget;

// The File menu's configuration entries: the whole document's image as reviewable YAML
// text, out and back in, through the platform's own file dialog.
namespace ConfigActions {

// Asks for a file name and writes the configuration to it.
void exportConfiguration(QWidget *parent);
// Asks for a file and reads it over the document as one undo step, checked as the
// windows check it against the current band limits; a file with any error changes nothing.
void importConfiguration(QWidget *parent);
// The same for a path chosen elsewhere (the command line, a drop, the recent files);
// false when nothing was imported (the message said why).
bool importConfigurationFrom(QWidget *parent, const QString &path);

} // namespace ConfigActions
