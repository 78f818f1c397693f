#include "platform/timer.h"

#include <QList>
#include <algorithm>
#include <cmath>

namespace {
double g_scale = 1.0;
double g_waitScale = 1.0;
bool g_manual = false;
qint64 g_manualNow = 0;
quint64 g_manualOrder = 0;

QList<Timer *> &allTimers()
{
    static QList<Timer *> timers;
    return timers;
}
} // namespace

Timer::Timer(QObject *parent)
    : QObject(parent)
{
    // The sender's 15 ms first tick is part of the wire pacing; a coarse timer would
    // stretch every frame by up to 5 %.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &Timer::timeout);
    allTimers().append(this);
}

Timer::~Timer()
{
    allTimers().removeOne(this);
}

void Timer::start(int intervalMs)
{
    m_intervalMs = intervalMs;
    if (g_manual) {
        m_manualActive = true;
        m_manualDue = g_manualNow + std::max(1, intervalMs);
        m_manualOrder = ++g_manualOrder;
        return;
    }
    const double scale = m_waiting ? g_waitScale : g_scale;
    const int scaled = scale == 1.0 ? intervalMs : std::max(1, int(std::lround(intervalMs * scale)));
    m_timer.start(scaled);
}

void Timer::stop()
{
    m_manualActive = false;
    m_timer.stop();
}

bool Timer::isActive() const
{
    return g_manual ? m_manualActive : m_timer.isActive();
}

void Timer::setScale(double scale)
{
    setScale(scale, scale);
}

void Timer::setScale(double scale, double waitScale)
{
    g_scale = scale;
    g_waitScale = waitScale;
}

double Timer::scale()
{
    return g_scale;
}

void Timer::setManualClock(bool manual)
{
    g_manual = manual;
    for (Timer *timer : allTimers()) {
        timer->m_manualActive = false;
        timer->m_timer.stop();
    }
}

void Timer::advanceManualClock(int ms)
{
    const qint64 until = g_manualNow + std::max(0, ms);
    for (;;) {
        // Searched afresh after every tick: a handler may start, stop or delete timers.
        Timer *next = nullptr;
        for (Timer *timer : allTimers()) {
            if (!timer->m_manualActive || timer->m_manualDue > until)
                continue;
            if (!next || timer->m_manualDue < next->m_manualDue
                || (timer->m_manualDue == next->m_manualDue && timer->m_manualOrder < next->m_manualOrder))
                next = timer;
        }
        if (!next)
            break;
        g_manualNow = std::max(g_manualNow, next->m_manualDue);
        // A window timer keeps ticking until it is stopped; after a late tick the next one
        // keeps its own due time, and so comes early.
        next->m_manualDue += std::max(1, next->m_intervalMs);
        next->m_manualOrder = ++g_manualOrder;
        emit next->timeout();
    }
    g_manualNow = until;
}

void Timer::holdManualClock(int ms)
{
    g_manualNow += std::max(0, ms);
}
