#pragma once

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <cstdint>

// One window's serial port: opened for one exchange and closed at its end, at
// 9600,N,8,1 with raw bytes. A device held by any SerialPort, of this process or of
// another one, cannot be opened a second time, under whatever name it is reached.
class SerialPort : public QObject
{
    Q_OBJECT
public:
    static constexpr int InBufferSize = 1024;

    explicit SerialPort(QObject *parent = nullptr);
    ~SerialPort() override;

    // The open routine, on the process-wide port number or on the one given. Returns
    // false and sets portOpenFailed() when the port stays closed. Showing a message is
    // the caller's business (it knows which window it is).
    bool open();
    bool open(int portNumber);
    // From now on open() takes this device (a path such as /dev/ttyUSB0) instead of the
    // process-wide port number; an empty path goes back to the number. For callers that
    // are told a device rather than a COM number, as the command line is.
    void useDevice(const QString &path) { m_fixedDevice = path; }
    // From now on open() takes COMn, resolved afresh at every open, instead of the
    // process-wide number (0 goes back to it): for a caller that drives several ports at
    // once. A device given by useDevice() comes first.
    void usePortNumber(int portNumber) { m_fixedNumber = portNumber; }
    void close();
    bool isOpen() const;
    bool portOpenFailed() const { return m_openFailed; }
    // Why the last open failed, for those who tell the user more than the message box.
    enum class OpenFailure { None, Missing, Denied, Held, Other };
    OpenFailure openFailure() const { return m_openFailure; }
    // The system's own words for Other.
    QString openErrorText() const { return m_openErrorText; }
    // The canonical device held while open.
    QString device() const { return m_device; }

    // One byte per write, as the radio's line expects.
    void output(uint8_t byte);
    void output(const QByteArray &bytes);

    int bytesAvailable() const;
    QByteArray read(int count);
    // Drops everything waiting, in the driver and in our own buffer.
    void discardInput();

    // Canonical devices held by open ports of this process.
    static bool isHeld(const QString &canonicalDevice);

    // From now on this port talks through `line` instead of a serial device (nullptr: a
    // device again). Fuzz targets and tests put a scripted line here to drive an exchange
    // byte for byte, without a device and without timing; the program never does. The
    // line stays the caller's; its readyRead() is this port's dataReceived().
    void setLine(QIODevice *line);

signals:
    // Only for received data; line events never reach the exchange.
    void dataReceived();
    // The device went away under an open port (a pulled cable); the port is closed.
    void lost();

private:
    QIODevice *io() { return m_line ? m_line : &m_port; }
    const QIODevice *io() const { return m_line ? m_line : &m_port; }
    bool openDevice(const QString &path);
    bool openDeviceAs(const QString &path);
    bool refuse(OpenFailure why);

    QSerialPort m_port;
    QIODevice *m_line = nullptr;
    QString m_fixedDevice;
    int m_fixedNumber = 0;
    QString m_device;
    bool m_openFailed = false;
    OpenFailure m_openFailure = OpenFailure::None;
    QString m_openErrorText;
};
