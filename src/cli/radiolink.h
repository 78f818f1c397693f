#pragma once

#include "link/exchangeengine.h"
#include "link/radioidentity.h"

#include <QString>
#include <QVector>

class MemoryImage;
class ProgressBar;

// Which port the command line talks through: a COM number, resolved as the windows
// resolve it, or a device path given as it stands.
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

// The windows' exchanges, one after another, from a program without windows: each call
// runs the exchange engine with the pacing of the window that would run it and waits in
// an event loop until the engine reports its end.
class RadioLink
{
public:
    enum class Outcome { Done, PortFailed, NoAnswer, BadReply };

    RadioLink(const PortChoice &port, ProgressBar &progress);

    // The main window's identification (one byte per 10 ms, 5 s timeouts, 3 retries).
    Outcome identify(RadioIdentity &identity);
    // The read window's bulk read; `image` changes only when every block decoded.
    Outcome read(MemoryImage &image);
    // The write window's bulk write of these frames (no retry).
    Outcome write(const QVector<ExchangeEngine::Frame> &frames);

private:
    enum class Kind { Identify, Read, Write };
    Outcome run(ExchangeEngine &engine, Kind kind, const QVector<ExchangeEngine::Frame> &frames = {});

    PortChoice m_port;
    ProgressBar &m_progress;
    RadioIdentity m_identity;
};
