#pragma once

#include "link/exchangeengine.h"
#include "link/portchoice.h"
#include "link/radioidentity.h"

#include <QString>
#include <QVector>

class MemoryImage;
class ProgressBar;

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
