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

    // Sets the interval and (re)starts the timer, as assigning an interval to an enabled
    // window timer does.
    void start(int intervalMs);
    void stop();
    bool isActive() const { return m_timer.isActive(); }
    int interval() const { return m_intervalMs; }

    static void setScale(double scale);
    static double scale();

signals:
    void timeout();

private:
    QTimer m_timer;
    int m_intervalMs = 0;
};
