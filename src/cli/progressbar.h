#pragma once

#include <QString>
#include <QTextStream>

// A one-line bar on standard error while a transfer runs. It draws only when it is on,
// which the command line decides: standard error is a terminal and -q was not given, so
// that a script's log never fills with carriage returns.
class ProgressBar
{
public:
    ProgressBar(QTextStream &err, bool on)
        : m_err(err)
        , m_on(on)
    {
    }

    bool isOn() const { return m_on; }
    // "read   [############--------------------]  80/200"
    void show(const QString &what, int done, int total);
    // Ends the line, if one was drawn.
    void finish();

private:
    QTextStream &m_err;
    bool m_on;
    bool m_drawn = false;
};
