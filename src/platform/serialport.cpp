#include "platform/serialport.h"

#include "platform/portaccess.h"
#include "platform/portnames.h"

#include <QFileInfo>
#include <QSet>

#ifdef Q_OS_UNIX
#include <sys/file.h>
#endif

namespace {
// QSerialPort's lock file is per name and, as root, the kernel's exclusive-open flag does
// not stop a second open; so this process keeps its own list of the devices it holds.
QSet<QString> &heldDevices()
{
    static QSet<QString> held;
    return held;
}

QString canonicalDevice(const QString &device)
{
#ifdef Q_OS_WIN
    return device;
#else
    return QFileInfo(device).canonicalFilePath();
#endif
}
} // namespace

SerialPort::SerialPort(QObject *parent)
    : QObject(parent)
{
    connect(&m_port, &QSerialPort::readyRead, this, &SerialPort::dataReceived);
    connect(&m_port, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError error) {
        if (error != QSerialPort::ResourceError || !m_port.isOpen())
            return;
        close();
        emit lost();
    });
}

SerialPort::~SerialPort()
{
    close();
}

bool SerialPort::open()
{
    if (!m_fixedDevice.isEmpty())
        return openDevice(m_fixedDevice);
    return open(m_fixedNumber > 0 ? m_fixedNumber : PortNames::portNumber());
}

bool SerialPort::open(int portNumber)
{
    return openDevice(PortNames::devicePath(portNumber));
}

bool SerialPort::openDevice(const QString &path)
{
    m_openFailure = OpenFailure::None;
    m_openErrorText.clear();
    const bool opened = openDeviceAs(path);
    m_openFailed = !opened;
    return opened;
}

bool SerialPort::refuse(OpenFailure why)
{
    m_openFailure = why;
    return false;
}

bool SerialPort::openDeviceAs(const QString &path)
{
    if (m_line) {
        if (m_line->isOpen() || !m_line->open(QIODevice::ReadWrite))
            return refuse(OpenFailure::Other);
        return true;
    }
    if (m_port.isOpen()) {
        // Choosing another port while one is open is an error on the radio's line too.
        return refuse(OpenFailure::Held);
    }

    const QString device = canonicalDevice(path);
    if (device.isEmpty())
        return refuse(OpenFailure::Missing);
    if (heldDevices().contains(device))
        return refuse(OpenFailure::Held);
    // The port set-up window's permission hint comes from the same question, so a port
    // it marks as shut to this user is refused here whoever answers it (the kernel, or a
    // test: as root the kernel never says no).
    if (PortAccess::isDenied(device))
        return refuse(OpenFailure::Denied);

    m_port.setPortName(device);
    m_port.setBaudRate(QSerialPort::Baud9600);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    m_port.setReadBufferSize(InBufferSize);
    if (!m_port.open(QIODevice::ReadWrite)) {
        // The access check above passed, so a permission error here is the device being
        // busy (exclusive mode) or its lock file taken: someone else has it.
        switch (m_port.error()) {
        case QSerialPort::PermissionError: return refuse(OpenFailure::Held);
        case QSerialPort::DeviceNotFoundError: return refuse(OpenFailure::Missing);
        default:
            m_openErrorText = m_port.errorString();
            return refuse(OpenFailure::Other);
        }
    }
#ifdef Q_OS_UNIX
    // The lock file QSerialPort keeps is per name, and as root the exclusive-open flag
    // stops nobody. A lock on the open device itself holds against every other process
    // that asks for it, whichever of the device's names (a COM link, the node) it used.
    if (::flock(int(m_port.handle()), LOCK_EX | LOCK_NB) != 0) {
        m_port.close();
        return refuse(OpenFailure::Held);
    }
#endif
    m_port.clear(QSerialPort::Input);
    m_device = device;
    heldDevices().insert(device);
    return true;
}

void SerialPort::close()
{
    if (m_line) {
        m_line->close();
        return;
    }
    if (!m_port.isOpen())
        return;
    m_port.close();
    heldDevices().remove(m_device);
    m_device.clear();
}

bool SerialPort::isOpen() const
{
    return io()->isOpen();
}

void SerialPort::output(uint8_t byte)
{
    if (!isOpen())
        return;
    const char c = char(byte);
    io()->write(&c, 1);
    // The sender's pacing is the point of the exchange: push the byte to the driver now
    // rather than whenever the event loop next gets round to it. flush() does not block.
    if (!m_line)
        m_port.flush();
}

void SerialPort::output(const QByteArray &bytes)
{
    for (char c : bytes)
        output(uint8_t(c));
}

int SerialPort::bytesAvailable() const
{
    return isOpen() ? int(io()->bytesAvailable()) : 0;
}

QByteArray SerialPort::read(int count)
{
    return isOpen() ? io()->read(count) : QByteArray();
}

void SerialPort::discardInput()
{
    if (!isOpen())
        return;
    if (!m_line)
        m_port.clear(QSerialPort::Input);
    io()->readAll();
}

void SerialPort::setLine(QIODevice *line)
{
    close();
    if (m_line)
        disconnect(m_line, &QIODevice::readyRead, this, &SerialPort::dataReceived);
    m_line = line;
    if (m_line)
        connect(m_line, &QIODevice::readyRead, this, &SerialPort::dataReceived);
}

bool SerialPort::isHeld(const QString &canonicalDevice)
{
    return heldDevices().contains(canonicalDevice);
}
