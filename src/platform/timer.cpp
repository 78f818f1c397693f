#include "platform/timer.h"

#include <cmath>

namespace {
double g_scale = 1.0;
}

Timer::Timer(QObject *parent)
    : QObject(parent)
{
    // The sender's 15 ms first tick is part of the wire pacing; a coarse timer would
    // stretch every frame by up to 5 %.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &Timer::timeout);
}

void Timer::start(int intervalMs)
{
    m_intervalMs = intervalMs;
    const int scaled = g_scale == 1.0 ? intervalMs : std::max(1, int(std::lround(intervalMs * g_scale)));
    m_timer.start(scaled);
}

void Timer::stop()
{
    m_timer.stop();
}

void Timer::setScale(double scale)
{
    g_scale = scale;
}

double Timer::scale()
{
    return g_scale;
}
