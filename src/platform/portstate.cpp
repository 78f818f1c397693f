#include "platform/portstate.h"

#include "platform/portaccess.h"
#include "platform/portnames.h"
#include "platform/serialport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSerialPortInfo>
#include <QSet>

#ifdef Q_OS_LINUX
#include <sys/stat.h>
#include <sys/sysmacros.h>
#endif

namespace {

QString resolved(const QString &device)
{
#ifdef Q_OS_WIN
    return device;
#else
    const QString canonical = QFileInfo(device).canonicalFilePath();
    return canonical.isEmpty() ? device : canonical;
#endif
}

bool exists(const QString &device)
{
#ifdef Q_OS_WIN
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        if (info.portName().compare(device, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
#else
    return !device.isEmpty() && QFileInfo::exists(device);
#endif
}

QString processName(qint64 pid)
{
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    if (!comm.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromLocal8Bit(comm.readAll()).trimmed();
}

#ifdef Q_OS_LINUX
qint64 lockHolderOf(const QString &device)
{
    struct stat info;
    if (::stat(QFile::encodeName(device).constData(), &info) != 0)
        return 0;
    QFile locks(QStringLiteral("/proc/locks"));
    // /proc files report a size of 0, so read to the end rather than by size.
    if (!locks.open(QIODevice::ReadOnly))
        return 0;
    return PortState::lockHolder(locks.readAll(), major(info.st_dev), minor(info.st_dev), quint64(info.st_ino));
}

// The process that has the device open, from its descriptors in /proc: the one whose
// descriptor carries the lock when `locked`, else any. The pid /proc/locks gives is the
// process that took the lock, which may have handed the descriptor on and gone (a shell's
// "flock 9"). Only processes of this user (or every one, as root) can be looked into.
qint64 openerOf(const QString &device, bool locked)
{
    const qint64 self = QCoreApplication::applicationPid();
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : pids) {
        bool numeric = false;
        const qint64 pid = entry.toLongLong(&numeric);
        if (!numeric || pid == self)
            continue;
        const QString process = QStringLiteral("/proc/%1/").arg(pid);
        const QStringList fds = QDir(process + QLatin1String("fd")).entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot);
        for (const QString &fd : fds) {
            if (QFile::symLinkTarget(process + QLatin1String("fd/") + fd) != device)
                continue;
            if (!locked)
                return pid;
            QFile info(process + QLatin1String("fdinfo/") + fd);
            if (info.open(QIODevice::ReadOnly) && info.readAll().contains("\nlock:"))
                return pid;
        }
    }
    return 0;
}

// Who holds the device, 0 when nobody is seen to (`held` then says whether a lock is
// there all the same).
qint64 holderOf(const QString &device, bool &held)
{
    const qint64 locker = lockHolderOf(device);
    held = locker != 0;
    if (!held)
        return 0;
    if (const qint64 pid = openerOf(device, true))
        return pid;
    return QFileInfo::exists(QStringLiteral("/proc/%1").arg(locker)) ? locker : 0;
}
#endif

void setHolder(PortState::Port &port, qint64 pid)
{
    port.state = PortState::State::Held;
    port.holderPid = pid;
    port.holderName = pid > 0 ? processName(pid) : QString();
}

void addSystemFacts(PortState::Port &port, const QList<QSerialPortInfo> &infos)
{
    for (const QSerialPortInfo &info : infos) {
        if (resolved(info.systemLocation()) != port.device)
            continue;
        port.manufacturer = info.manufacturer();
        port.description = info.description();
        port.serialNumber = info.serialNumber();
        port.vendorId = info.hasVendorIdentifier() ? info.vendorIdentifier() : 0;
        port.productId = info.hasProductIdentifier() ? info.productIdentifier() : 0;
        return;
    }
}

PortState::Port inspectWith(const QString &device, const QList<QSerialPortInfo> &infos)
{
    PortState::Port port;
    port.device = resolved(device);
    port.pseudoTerminal = port.device.startsWith(QLatin1String("/dev/pts/"));
    addSystemFacts(port, infos);
    if (!exists(port.device)) {
        port.state = PortState::State::Absent;
        return port;
    }
    if (PortAccess::isDenied(port.device)) {
        port.state = PortState::State::NoPermission;
        port.group = PortAccess::owningGroup(port.device);
        return port;
    }
    if (SerialPort::isHeld(port.device)) {
        setHolder(port, QCoreApplication::applicationPid());
        return port;
    }
#ifdef Q_OS_LINUX
    bool locked = false;
    const qint64 pid = holderOf(port.device, locked);
    if (locked) {
        setHolder(port, pid);
        return port;
    }
#endif
    port.state = PortState::State::Free;
    return port;
}

PortState::Port inspectWith(int number, const QList<QSerialPortInfo> &infos)
{
    PortState::Port port = inspectWith(PortNames::devicePath(number), infos);
    port.number = number;
#ifndef Q_OS_WIN
    const QFileInfo link(PortNames::linkPath(number));
    if (link.isSymLink() && !link.exists())
        port.brokenLinkTarget = link.symLinkTarget();
#endif
    return port;
}

} // namespace

namespace PortState {

bool Port::heldHere() const
{
    return state == State::Held && holderPid == QCoreApplication::applicationPid();
}

Port inspect(int number)
{
    return inspectWith(number, QSerialPortInfo::availablePorts());
}

Port inspectDevice(const QString &device)
{
    return inspectWith(device, QSerialPortInfo::availablePorts());
}

void tryOpen(Port &port)
{
    if (port.state != State::Free)
        return;
    SerialPort serial;
    serial.useDevice(port.device);
    if (serial.open()) {
        serial.close();
        port.state = State::Opens;
        return;
    }
    switch (serial.openFailure()) {
    case SerialPort::OpenFailure::Missing:
        port.state = State::Absent;
        break;
    case SerialPort::OpenFailure::Denied:
        port.state = State::NoPermission;
        port.group = PortAccess::owningGroup(port.device);
        break;
    case SerialPort::OpenFailure::Held: {
        qint64 pid = 0;
#ifdef Q_OS_LINUX
        bool locked = false;
        pid = holderOf(port.device, locked);
        // Without a lock, someone has the device in exclusive mode: whoever has it open.
        if (!locked)
            pid = openerOf(port.device, false);
#endif
        setHolder(port, pid);
        break;
    }
    case SerialPort::OpenFailure::Other:
    case SerialPort::OpenFailure::None:
        port.state = State::Fails;
        port.error = serial.openErrorText();
        break;
    }
}

bool standsForSomething(int number)
{
#ifndef Q_OS_WIN
    // QFileInfo follows links; a link whose target is gone still counts as the user's choice.
    if (QFileInfo(PortNames::linkPath(number)).isSymLink())
        return true;
#endif
    return exists(PortNames::tableDevice(number));
}

QVector<Port> survey()
{
    const QList<QSerialPortInfo> infos = QSerialPortInfo::availablePorts();
    QVector<Port> ports;
    QSet<QString> seen;
    for (int n = PortNames::FirstPort; n <= PortNames::LastPort; ++n) {
        if (!standsForSomething(n))
            continue;
        ports.append(inspectWith(n, infos));
        seen.insert(ports.last().device);
    }
    for (const QSerialPortInfo &info : infos) {
        const QString device = resolved(info.systemLocation());
        if (seen.contains(device))
            continue;
        ports.append(inspectWith(device, infos));
        seen.insert(device);
    }
    return ports;
}

qint64 lockHolder(const QByteArray &locks, quint32 fsMajor, quint32 fsMinor, quint64 inode)
{
    // "1: FLOCK  ADVISORY  WRITE 4242 00:05:1234 0 EOF": the device numbers in hex, the
    // inode in decimal. Lines with "->" are waiters, not holders; open file description
    // locks give -1 for their pid.
    for (const QByteArray &line : locks.split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 6 || fields.at(1) == "->")
            continue;
        const QList<QByteArray> id = fields.at(5).split(':');
        if (id.size() != 3)
            continue;
        bool okMajor = false, okMinor = false, okInode = false;
        if (id.at(0).toUInt(&okMajor, 16) != fsMajor || id.at(1).toUInt(&okMinor, 16) != fsMinor
            || id.at(2).toULongLong(&okInode, 10) != inode || !okMajor || !okMinor || !okInode)
            continue;
        const qint64 pid = fields.at(4).toLongLong();
        if (pid > 0)
            return pid;
    }
    return 0;
}

} // namespace PortState
