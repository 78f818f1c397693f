#pragma once

#include "link/exchangeengine.h"
#include "link/radioidentity.h"

#include <QByteArray>
#include <QObject>
#include <QString>

// Who answers on a port: one identification attempt with the main window's pacing. The
// pause that would follow the last attempt tells nothing more, so the reply timeout ends
// the probe. `orvane-cli ports --probe` waits for it; a window starts it and hears
// finished() later.
class PortProbe : public QObject
{
    Q_OBJECT
public:
    enum class Result { Answered, NoAnswer, NotUnderstood, PortFailed };

    struct Outcome
    {
        Result result = Result::NoAnswer;
        RadioIdentity identity;
        QByteArray heard;
        int heardCount = 0;

        // "radio: OR-78V ORV...", "no answer", "answer not understood (3 bytes): 01 02 03",
        // "no longer opens".
        QString text(bool chinese) const;
    };

    explicit PortProbe(QObject *parent = nullptr);

    // False, and finished() has been emitted with PortFailed, when the port does not open.
    bool start(const QString &device);
    void stop();
    bool isRunning() const { return m_running; }
    const QString &device() const { return m_device; }

    // Waits in an event loop of its own until the probe is over.
    static Outcome run(const QString &device);

signals:
    void finished(const PortProbe::Outcome &outcome);

private:
    void end();

    ExchangeEngine m_engine;
    Outcome m_outcome;
    QString m_device;
    bool m_running = false;
};
