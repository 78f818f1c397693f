#include "platform/portaccess.h"

#ifndef Q_OS_WIN
#include <cerrno>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
PortAccess::DeniedCheck g_deniedCheck;

bool kernelDenies(const QString &device)
{
#ifdef Q_OS_WIN
    Q_UNUSED(device);
    return false;
#else
    if (device.isEmpty())
        return false;
    // A missing device is not a permission problem; only EACCES is.
    return ::access(device.toLocal8Bit().constData(), R_OK | W_OK) != 0 && errno == EACCES;
#endif
}
} // namespace

namespace PortAccess {

bool isDenied(const QString &device)
{
    return g_deniedCheck ? g_deniedCheck(device) : kernelDenies(device);
}

QString owningGroup(const QString &device)
{
#ifdef Q_OS_WIN
    Q_UNUSED(device);
    return QString();
#else
    struct stat info;
    if (device.isEmpty() || ::stat(device.toLocal8Bit().constData(), &info) != 0)
        return QString();
    if (const group *owner = ::getgrgid(info.st_gid))
        return QString::fromLocal8Bit(owner->gr_name);
    return QString::number(info.st_gid);
#endif
}

void setDeniedCheck(DeniedCheck check)
{
    g_deniedCheck = std::move(check);
}

void resetDeniedCheck()
{
    g_deniedCheck = nullptr;
}

} // namespace PortAccess
