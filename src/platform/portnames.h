#pragma once

#include <QString>

// COM numbers as the radio's users know them, mapped onto this machine's devices.
// COMn first means whatever the link <folder>/com<n> points at, so a user (or the
// virtual radio) can put any device behind a number without root; otherwise a fixed
// table that keeps the start-up scan away from built-in UARTs that open with nothing
// attached.
namespace PortNames {

constexpr int FirstPort = 1;
constexpr int LastPort = 12;
// The start-up scan looks at COM1..COM8 and settles on the last when none opens.
constexpr int LastScannedPort = 8;

// $XDG_DATA_HOME/orvane-cps/dosdevices, or ~/.local/share/orvane-cps/dosdevices when
// XDG_DATA_HOME is unset, unless a test put another folder in its place. The virtual
// radio's command asks here too, so both sides always meet in the same folder.
QString linkFolder();
void setLinkFolder(const QString &folder);
void resetLinkFolder();

// <link folder>/com<n>
QString linkPath(int port);
// The fixed table entry for COMn (COM1-4 ttyUSB0-3, COM5-8 ttyACM0-3, COM9-12 ttyS0-3).
QString tableDevice(int port);
// The device COMn stands for right now: the link's target when the link leads to an
// existing file, else the table entry. "COMn" on Windows.
QString devicePath(int port);

// The one port number the whole program uses.
int portNumber();
void setPortNumber(int port);

} // namespace PortNames
