#pragma once

#include "platform/portstate.h"

#include <QString>

// The facts of a port as people read them: one line for `orvane-cli ports`, a tooltip for
// the port set-up window. Both say the same things; the window says them in its language.
namespace PortReport {

// "FTDI, FT232R USB UART, 0403:6001, serial A10K3", "pseudo-terminal", or empty.
QString hardware(const PortState::Port &port, bool chinese);
// "opens", "held by another program: pid 4242 (minicom)", "no permission: ..." and so on.
QString state(const PortState::Port &port, bool chinese);
// "COM1  /dev/pts/4  pseudo-terminal  opens" (English; "-" for a device with no number).
QString line(const PortState::Port &port);
// The device on the first line, then the hardware and the state, one a line.
QString toolTip(const PortState::Port &port, bool chinese);

} // namespace PortReport
