#pragma once

#include <QIcon>
#include <QString>

// Toolbar images, drawn at run time so that the program carries no image files.
namespace Icons {
QIcon toolbarIcon(const QString &key);
}
