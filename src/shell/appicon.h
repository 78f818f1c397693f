#pragma once

#include <QIcon>

namespace Icons {
// The program's own icon at every size the desktop launcher installs, from the same PNGs,
// so that the window, the task bar and the menu show one picture.
QIcon applicationIcon();
}
