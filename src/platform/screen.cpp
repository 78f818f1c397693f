#include "platform/screen.h"

#include <QGuiApplication>
#include <QScreen>

namespace {
QSize g_override;
}

namespace Screen {

QSize sizeTwips()
{
    if (g_override.isValid())
        return g_override;
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QSize px = screen ? screen->size() : QSize(1024, 768);
    return QSize(pixelsToTwips(px.width()), pixelsToTwips(px.height()));
}

void overrideSizeTwips(const QSize &twips)
{
    g_override = twips;
}

void clearOverride()
{
    g_override = QSize();
}

} // namespace Screen
