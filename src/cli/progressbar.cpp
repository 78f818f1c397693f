#include "cli/progressbar.h"

namespace {
constexpr int Width = 32;
}

void ProgressBar::show(const QString &what, int done, int total)
{
    if (!m_on || total <= 0)
        return;
    const int filled = int(qint64(done) * Width / total);
    const QString bar = QString(filled, QLatin1Char('#')) + QString(Width - filled, QLatin1Char('-'));
    const QString count = QStringLiteral("%1/%2").arg(done, QString::number(total).size()).arg(total);
    m_err << '\r' << what.leftJustified(6) << " [" << bar << "] " << count << Qt::flush;
    m_drawn = true;
}

void ProgressBar::finish()
{
    if (!m_drawn)
        return;
    m_err << '\n' << Qt::flush;
    m_drawn = false;
}
