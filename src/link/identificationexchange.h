#pragma once

#include "link/exchangeengine.h"

#include <QObject>
#include <QPointer>

class QWidget;

// The main window's own conversation with the radio: handshake and identification only,
// at start-up and after a confirmed port set-up. After the last of four attempts it
// announces the silence through LinkNotices, and the status bar shows the fault.
class IdentificationExchange : public QObject
{
    Q_OBJECT
public:
    // Messages are shown over messageParent (the main window).
    explicit IdentificationExchange(QWidget *messageParent, QObject *parent = nullptr);

    // Closes the port if an attempt holds it, resets the retries to 3 and begins an
    // attempt. A port that does not open is reported once; no retry follows.
    void start();
    // The port set-up's trial: the main window's port opened with the open routine
    // (message on failure) and left open for start() to close. A running attempt is
    // stopped first, since it holds that very port.
    bool openPort();

    ExchangeEngine &engine() { return m_engine; }

signals:
    // The radio is known; the main window enables the editors that depend on it.
    void identified();

private:
    QPointer<QWidget> m_messageParent;
    ExchangeEngine m_engine;
};
