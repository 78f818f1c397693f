#pragma once

#include <QObject>
#include <QTimer>

// A window timer with an interval in milliseconds. Tests may scale every interval down
// so that retry and timeout paths run in well under a second; the program never does.
class Timer : public QObject
{
    Q_OBJECT
public:
    explicit Timer(QObject *parent = nullptr);
    ~Timer() override;

    // Sets the interval and (re)starts the timer, as assigning an interval to an enabled
    // window timer does.
    void start(int intervalMs);
    void stop();
    bool isActive() const;
    int interval() const { return m_intervalMs; }

    // A timer that waits for the other side (a reply timeout) rather than pacing this one.
    void setWaiting(bool waiting) { m_waiting = waiting; }

    // Every interval times `scale`; with `waitScale`, the waiting timers take that one.
    // A test that counts frames or retries scales only the pauses and keeps the waits as
    // they are: a busy machine may take that long to answer, and a wait that runs out
    // early sends a frame again.
    static void setScale(double scale);
    static void setScale(double scale, double waitScale);
    static double scale();

    // Fuzz targets and tests that must run the same way every time take the clock into
    // their own hands: while it is manual no timer fires by itself, and
    // advanceManualClock() fires the due ones in the order of their due times (unscaled
    // milliseconds), at once. The program never does this.
    static void setManualClock(bool manual);
    static void advanceManualClock(int ms);
    // The thread is busy for `ms`: the manual clock moves on and nothing fires; what fell
    // due meanwhile fires late, at the next advance, as it would behind a long handler.
    static void holdManualClock(int ms);

signals:
    void timeout();

private:
    QTimer m_timer;
    int m_intervalMs = 0;
    bool m_waiting = false;
    bool m_manualActive = false;
    qint64 m_manualDue = 0;
    quint64 m_manualOrder = 0;
};
