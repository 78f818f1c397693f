#pragma once

#include <QByteArray>
#include <QIODevice>
#include <cstring>

// The radio's end of a line that a test or a fuzz target writes by hand: what it feeds
// arrives at once, as one receive event, and what the program outputs is kept in order.
// Bytes fed while the program has the line closed are lost, as a port that was not open
// never sees them. Put it behind a port with SerialPort::setLine().
class ScriptedLine : public QIODevice
{
public:
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return m_in.size() + QIODevice::bytesAvailable(); }

    bool open(OpenMode mode) override
    {
        m_in.clear();
        ++m_opens;
        m_outputAtOpen = int(m_out.size());
        return QIODevice::open(mode | Unbuffered);
    }
    void close() override
    {
        m_in.clear();
        QIODevice::close();
    }

    void feed(const QByteArray &bytes)
    {
        if (!isOpen() || bytes.isEmpty())
            return;
        m_in.append(bytes);
        emit readyRead();
    }

    const QByteArray &output() const { return m_out; }
    int opens() const { return m_opens; }
    // What the program said since it last opened the line.
    QByteArray outputSinceOpen() const { return m_out.mid(m_outputAtOpen); }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 n = std::min<qint64>(maxSize, m_in.size());
        if (n <= 0)
            return 0;
        std::memcpy(data, m_in.constData(), size_t(n));
        m_in.remove(0, int(n));
        return n;
    }
    qint64 writeData(const char *data, qint64 size) override
    {
        m_out.append(data, int(size));
        return size;
    }

private:
    QByteArray m_in;
    QByteArray m_out;
    int m_opens = 0;
    int m_outputAtOpen = 0;
};
