#pragma once

#include <QString>
#include <functional>

// Whether this user may open a serial device, asked without opening it: opening a serial
// port raises its modem lines, which the port set-up window must not do to every port
// just to write its tooltips.
namespace PortAccess {

// True when the device exists but its permissions keep this user from reading and
// writing it (typically a /dev/ttyUSB0 of group dialout, and a user not in that group).
bool isDenied(const QString &device);

// The name of the group that owns the device node, its number when the group has no
// name, empty when there is no such node.
QString owningGroup(const QString &device);

// As root every device opens, so tests put their own answer in place of the kernel's.
using DeniedCheck = std::function<bool(const QString &device)>;
void setDeniedCheck(DeniedCheck check);
void resetDeniedCheck();

} // namespace PortAccess
