#pragma once

#include <QString>
#include <QVector>
#include <QtGlobal>

// What stands behind a COM number or a serial device, and whether this user can have it:
// the facts behind "the radio does not answer" that the system can tell without the
// radio. The port set-up window and `orvane-cli ports` show the same ones.
namespace PortState {

enum class State {
    Absent,        // no such device (a link whose target is gone, a table entry with no node)
    NoPermission,  // the device's group keeps this user out
    Held,          // another program (or another window of this one) has it
    Free,          // nothing stands in the way; not opened to find out
    Opens,         // opened and closed again
    Fails,         // exists and is ours to open, yet the open failed
};

struct Port
{
    int number = 0;    // COM number, 0 for a device no COM number stands for
    QString device;    // the device itself: a link's target, resolved
    bool pseudoTerminal = false;
    // From the system's list of serial devices; empty (ids 0) where it gives none.
    QString manufacturer;
    QString description;
    QString serialNumber;
    quint16 vendorId = 0;
    quint16 productId = 0;

    State state = State::Absent;
    QString group;        // NoPermission: the device's group
    qint64 holderPid = 0; // Held: 0 when /proc does not tell
    QString holderName;
    QString error;        // Fails: the system's reason
    // COMn's link when its target is gone (the number then falls back to the table).
    QString brokenLinkTarget;

    bool hasUsbIds() const { return vendorId != 0 || productId != 0; }
    // This process is the holder: a window's exchange that is running now.
    bool heldHere() const;
};

// COMn as it stands, without opening it: opening a serial device raises its modem lines,
// and on many programming cables those key the radio. State is never Opens or Fails.
Port inspect(int number);
// A device by its path (links are followed), without opening it.
Port inspectDevice(const QString &device);
// As inspect, then a port that is Free is opened with the program's own open routine
// (and closed at once) to turn Free into Opens, Held or Fails.
void tryOpen(Port &port);

// Whether COMn stands for anything here: a link in the link folder (even one whose target
// is gone), or a table device that exists.
bool standsForSomething(int number);

// Every COM number that stands for something, then every other serial device the system
// lists, each device once; none of them opened.
QVector<Port> survey();

// The holder of a lock on the device as /proc/locks gives it, 0 for none. `locks` is that
// file's text; the device is named by the file system it is on and its inode.
qint64 lockHolder(const QByteArray &locks, quint32 fsMajor, quint32 fsMinor, quint64 inode);

} // namespace PortState
