#pragma once

#include <QString>

// Which port a job talks through: a COM number, resolved as the windows resolve it, or a
// device path given as it stands.
struct PortChoice
{
    int number = 0;  // 1..12, or 0 when a device is given
    QString device;

    // "COM3" and "com3" are numbers; anything else is a device path. Nothing for COM0
    // or a number above 12.
    static bool parse(const QString &text, PortChoice &choice);
    // "COM3 (/dev/ttyUSB2)" or the device path.
    QString description() const;
};

