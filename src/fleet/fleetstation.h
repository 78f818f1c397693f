#pragma once

#include "fleet/fleetreport.h"
#include "link/changedwrite.h"
#include "link/exchangeengine.h"
#include "link/portchoice.h"
#include "link/radioidentity.h"
#include "platform/timer.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class FleetPlan;

// One port of a fleet job. It works through the radios plugged into it in turn: it waits
// until a radio answers the identification, takes the radio's row from the plan, writes
// it (changed-only with the read-back check, or the whole write followed by a verify),
// reports, and waits until that radio stops answering before it takes the next. Every
// port has its own engine, so several run at once in one event loop.
class FleetStation : public QObject
{
    Q_OBJECT
public:
    // How often a port is asked who is there while it waits, in milliseconds.
    static constexpr int PollMs = 2000;

    using Report = FleetReport;

    FleetStation(const PortChoice &port, FleetPlan &plan, bool fullWrite, QObject *parent = nullptr);

    // Changed-only writes compare with each radio's history first (ChangedWrite::compareQuick).
    void setQuick(bool quick) { m_quick = quick; }

    // What the port is doing, for a window to show.
    enum class State {
        Idle,        // not started
        Waiting,     // no radio answers
        Identifying, // a radio took a row; the write's handshake runs
        Reading,     // the read before the comparison
        Writing,
        Checking,    // the read-back of a changed-only write, or the verify of a whole write
        Done,        // the radio took its row; unplug it to continue
        Failed,      // as Done, but it failed (see lastReport())
        Skipped,     // the radio answering took no row
        Stopped
    };

    void start();
    // Stops at once when no radio is being programmed, otherwise once it is done.
    void requestStop();
    // Stops once the frame in flight is acknowledged (at once when no frame is): the radio
    // then holds what a write stopped there holds, and its row is free again.
    void stopAfterFrame();
    bool isStopped() const { return m_phase == Phase::Stopped; }
    bool isProgramming() const;
    const PortChoice &port() const { return m_port; }

    State state() const { return m_state; }
    // Blocks or frames done of the current stage, and their total (0 while unknown).
    int progressDone() const { return m_done; }
    int progressTotal() const { return m_total; }
    // The plan's row being programmed (or last programmed), -1 for none.
    int currentRow() const { return m_shownRow; }
    const RadioIdentity &radio() const { return m_radio; }
    const Report &lastReport() const { return m_pending; }

signals:
    void radioFinished(const FleetStation::Report &report);
    void stopped();
    // state(), the progress or the row changed.
    void stateChanged();

private:
    enum class Phase { Idle, Waiting, Watching, Changed, FullWrite, FullVerify, Stopped };

    void poll();
    void pollAnswered(const RadioIdentity &identity);
    void pollSilent();
    void takeRadio(const RadioIdentity &identity);
    void startChanged();
    void changedCompared();
    // How a quick comparison went, for the report's detail; empty without --quick.
    QString quickNote() const;
    void startFull();
    void startVerify();
    void verifyRead();
    void engineIdentified(const RadioIdentity &identity);
    void engineFailed();
    void succeed(const QString &detail, int frames);
    void fail(const QString &why, int frames);
    void report(const QString &result, const QString &detail, int frames, bool failed);
    void afterRadio();
    void stopNow();
    bool startEngine(const std::function<bool()> &start);
    void setState(State state, int done = 0, int total = 0);
    void frameAcknowledged(int done, int total);

    PortChoice m_port;
    FleetPlan &m_plan;
    bool m_fullWrite;
    bool m_quick = false;
    ExchangeEngine m_engine;
    ChangedWrite m_changes;
    Timer m_pollTimer;
    Phase m_phase = Phase::Idle;
    bool m_starting = false;
    bool m_stopRequested = false;
    bool m_stopAfterFrame = false;
    State m_state = State::Idle;
    int m_done = 0;
    int m_total = 0;
    int m_shownRow = -1;
    RadioIdentity m_heard;
    RadioIdentity m_radio;
    int m_row = -1;
    QElapsedTimer m_clock;
    std::unique_ptr<MemoryImage> m_sent; // what the whole write sends, for its verify
    Report m_pending;
};
