#include "platform/portnames.h"

#include <QDir>
#include <QFileInfo>

namespace {
QString g_linkFolderOverride;
// Before the scan has run there is no better guess than the scan's own fallback.
int g_portNumber = PortNames::LastScannedPort;
} // namespace

namespace PortNames {

QString linkFolder()
{
    if (!g_linkFolderOverride.isEmpty())
        return g_linkFolderOverride;
    // The XDG rule: a relative or empty XDG_DATA_HOME is to be ignored.
    const QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    const QString base = !dataHome.isEmpty() && QDir::isAbsolutePath(dataHome)
                             ? dataHome
                             : QDir::homePath() + QStringLiteral("/.local/share");
    return base + QStringLiteral("/orvane-cps/dosdevices");
}

void setLinkFolder(const QString &folder)
{
    g_linkFolderOverride = folder;
}

void resetLinkFolder()
{
    g_linkFolderOverride.clear();
}

QString linkPath(int port)
{
    return linkFolder() + QStringLiteral("/com%1").arg(port);
}

QString tableDevice(int port)
{
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(port);
#else
    if (port < FirstPort || port > LastPort)
        return QString();
    static const char *const families[] = {"/dev/ttyUSB", "/dev/ttyACM", "/dev/ttyS"};
    const int index = port - 1;
    return QString::fromLatin1(families[index / 4]) + QString::number(index % 4);
#endif
}

QString devicePath(int port)
{
#ifndef Q_OS_WIN
    // A stale link (its target gone, say a virtual radio that was killed) must not hide
    // a real cable on the same number, so only a link that leads somewhere counts.
    const QFileInfo link(linkPath(port));
    if (link.exists())
        return link.canonicalFilePath();
#endif
    return tableDevice(port);
}

int portNumber()
{
    return g_portNumber;
}

void setPortNumber(int port)
{
    if (port >= FirstPort && port <= LastPort)
        g_portNumber = port;
}

} // namespace PortNames
