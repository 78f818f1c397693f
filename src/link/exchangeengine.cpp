#include "link/exchangeengine.h"

#include "image/areamap.h"
#include "image/memoryimage.h"
#include "link/protocol.h"
#include "link/linknotices.h"

ExchangeEngine::ExchangeEngine(const Pacing &pacing, QObject *parent)
    : QObject(parent)
    , m_pacing(pacing)
    , m_port(this)
{
    m_port.setObjectName(QStringLiteral("MSC"));
    m_senderTimer.setObjectName(QStringLiteral("Timer1"));
    m_replyTimer.setObjectName(QStringLiteral("Timer2"));
    m_retryTimer.setObjectName(QStringLiteral("Timer3"));
    m_replyTimer.setWaiting(true);
    connect(&m_senderTimer, &Timer::timeout, this, &ExchangeEngine::sendTick);
    connect(&m_replyTimer, &Timer::timeout, this, &ExchangeEngine::replyTimedOut);
    connect(&m_retryTimer, &Timer::timeout, this, &ExchangeEngine::retryPauseOver);
    connect(&m_port, &SerialPort::dataReceived, this, &ExchangeEngine::receive);
    // A pulled cable ends the attempt at once, as a reply timeout would, rather than
    // leaving the user to wait out the reply timer.
    connect(&m_port, &SerialPort::lost, this, [this] {
        if (isBusy())
            replyTimedOut();
    });
}

bool ExchangeEngine::startIdentification()
{
    if (isBusy())
        return false;
    m_direction = Direction::Identify;
    return beginWhenIdle();
}

bool ExchangeEngine::startRead(const QVector<int> &blockAddresses)
{
    if (isBusy() || blockAddresses.isEmpty() || blockAddresses.size() >= ReceiveSlots::SlotCount)
        return false;
    m_direction = Direction::Read;
    m_blockAddresses = blockAddresses;
    return beginWhenIdle();
}

bool ExchangeEngine::startWrite(const QVector<Frame> &frames)
{
    if (isBusy() || frames.isEmpty())
        return false;
    m_direction = Direction::Write;
    m_frames = frames;
    return beginWhenIdle();
}

bool ExchangeEngine::beginWhenIdle()
{
    m_retryTimer.stop();
    m_retriesLeft = m_pacing.retries;
    m_heard.clear();
    m_heardCount = 0;
    return beginAttempt();
}

bool ExchangeEngine::beginAttempt()
{
    if (!m_port.isOpen() && !m_port.open()) {
        m_reading = m_writing = m_identifying = false;
        emit portOpenFailed();
        return false;
    }
    m_identified = false;
    m_completed = 0;
    m_slots.clear();
    m_port.discardInput();
    m_reading = m_direction == Direction::Read;
    m_writing = m_direction == Direction::Write;
    m_identifying = m_direction == Direction::Identify;
    queue(Protocol::handshake());
    return true;
}

void ExchangeEngine::stop()
{
    m_senderTimer.stop();
    m_replyTimer.stop();
    m_retryTimer.stop();
    m_port.close();
    m_reading = m_writing = m_identifying = false;
    m_frameSent = false;
}

QVector<int> ExchangeEngine::blockAddresses(int base, int count)
{
    QVector<int> addresses;
    addresses.reserve(count);
    for (int k = 0; k < count; ++k)
        addresses.append(base + k * Area::BlockBytes);
    return addresses;
}

QVector<ExchangeEngine::Frame> ExchangeEngine::framesFromImage(const MemoryImage &image, int base, int count)
{
    QVector<Frame> frames;
    frames.reserve(count);
    const int firstRow = MemoryImage::rowOf(base);
    for (int j = 0; j < count; ++j)
        frames.append(Frame{base + j * Area::FrameBytes, image.row(firstRow + j)});
    return frames;
}

int ExchangeEngine::total() const
{
    switch (m_direction) {
    case Direction::Read: return m_blockAddresses.size();
    case Direction::Write: return m_frames.size();
    default: return 0;
    }
}

void ExchangeEngine::queue(const QByteArray &frame)
{
    Q_ASSERT(frame.size() <= Protocol::TransmitBufferBytes);
    m_transmit = frame;
    m_sendPosition = 0;
    m_frameSent = false;
    m_senderTimer.start(m_pacing.firstTickMs);
}

void ExchangeEngine::sendTick()
{
    if (!m_port.isOpen()) {
        m_senderTimer.stop();
        return;
    }
    if (m_pacing.byteTickMs > 0) {
        // Re-armed from each tick: a tick that something else held back must not make the
        // next byte follow it sooner than a whole tick, which a repeating timer would do
        // to catch up.
        m_senderTimer.start(m_pacing.byteTickMs);
        m_port.output(uint8_t(m_transmit[m_sendPosition++]));
        m_replyTimer.start(m_pacing.timeoutAfterByteMs);
    } else {
        // Nothing else runs between the bytes of one tick, so arming the reply timeout
        // after each of them comes down to arming it once after the last.
        while (m_sendPosition < m_transmit.size())
            m_port.output(uint8_t(m_transmit[m_sendPosition++]));
    }
    if (m_sendPosition >= m_transmit.size()) {
        m_replyTimer.start(m_pacing.timeoutAfterLastMs);
        m_senderTimer.stop();
        m_frameSent = true;
    }
}

void ExchangeEngine::receive()
{
    // Nothing that arrives before our frame has gone out whole can answer it: it is noise
    // or a late reply to an earlier frame. Left waiting, it would be taken for the reply
    // (a read would store it as the next block without having asked for it).
    if (!isBusy() || !m_frameSent) {
        discardInput();
        return;
    }
    if (!m_identified)
        receiveIdentification();
    else if (m_direction == Direction::Read)
        receiveBlock();
    else if (m_direction == Direction::Write)
        receiveAcknowledges();
}

void ExchangeEngine::receiveIdentification()
{
    if (m_port.bytesAvailable() < Protocol::IdentificationBytes)
        return;
    const QByteArray reply = m_port.read(Protocol::IdentificationBytes);
    // A reply that is not accepted changes nothing: the reply timeout decides.
    if (!RadioIdentity::isAccepted(reply)) {
        hear(reply);
        discardInput();
        return;
    }
    m_port.discardInput();

    m_identified = true;
    m_replyTimer.stop();
    m_retryTimer.stop();
    const RadioIdentity identity = RadioIdentity::parse(reply);
    emit LinkNotices::instance().identified(identity);

    switch (m_direction) {
    case Direction::Identify:
        endTransfer();
        emit identified(identity);
        emit finished();
        return;
    case Direction::Read:
        m_completed = 0;
        queue(Protocol::readRequest(m_blockAddresses.first(), true));
        break;
    case Direction::Write:
        m_completed = 0;
        queue(Protocol::writeFrame(m_frames.first().address, m_frames.first().data));
        break;
    case Direction::None:
        break;
    }
    emit identified(identity);
}

void ExchangeEngine::receiveBlock()
{
    if (m_port.bytesAvailable() < Protocol::ReadReplyBytes)
        return;
    m_replyTimer.stop();
    const int k = m_completed + 1;
    m_slots.store(k, m_port.read(Protocol::ReadReplyBytes), m_blockAddresses[k - 1]);
    m_port.discardInput();
    m_port.output(Protocol::Ack);
    m_completed = k;

    if (k >= m_blockAddresses.size()) {
        endTransfer();
        emit finished();
        return;
    }
    queue(Protocol::readRequest(m_blockAddresses[k], false));
    emit progress(k, m_blockAddresses.size());
}

void ExchangeEngine::receiveAcknowledges()
{
    // The line delivers one event per byte; several bytes waiting are taken one by one.
    while (m_port.isOpen() && m_port.bytesAvailable() > 0) {
        const QByteArray byte = m_port.read(1);
        // An acknowledge counts only for a frame that has gone out whole (receive() sees
        // to that for the first byte; after a counted one the next frame is queued).
        if (byte.isEmpty() || uint8_t(byte[0]) != Protocol::Ack || !m_frameSent)
            continue;
        m_replyTimer.stop();
        const int c = ++m_completed;
        if (c >= m_frames.size()) {
            endTransfer();
            emit finished();
            return;
        }
        queue(Protocol::writeFrame(m_frames[c].address, m_frames[c].data));
        emit progress(c, m_frames.size());
    }
}

void ExchangeEngine::replyTimedOut()
{
    // A short reply still says that something is on the line.
    discardInput();
    m_senderTimer.stop();
    m_replyTimer.stop();
    m_retryTimer.start(m_pacing.retryPauseMs);
    m_port.close();
    m_reading = m_writing = m_identifying = false;
    emit attemptFailed(m_retriesLeft);
}

void ExchangeEngine::retryPauseOver()
{
    m_senderTimer.stop();
    m_replyTimer.stop();
    m_retryTimer.stop();
    if (m_retriesLeft < 1) {
        emit failed();
        return;
    }
    --m_retriesLeft;
    beginAttempt();
}

void ExchangeEngine::endTransfer()
{
    m_senderTimer.stop();
    m_replyTimer.stop();
    m_retryTimer.stop();
    m_reading = m_writing = m_identifying = false;
    m_port.close();
}

void ExchangeEngine::discardInput()
{
    // What is dropped before an identification still counts as heard (the connection
    // doctor tells "no answer" from "an answer not understood" by it).
    if (!m_identified && m_port.isOpen() && m_port.bytesAvailable() > 0)
        hear(m_port.read(m_port.bytesAvailable()));
    m_port.discardInput();
}

void ExchangeEngine::hear(const QByteArray &bytes)
{
    // left() of a negative count would be the whole array.
    if (m_heard.size() < HeardKept)
        m_heard.append(bytes.left(HeardKept - m_heard.size()));
    m_heardCount += bytes.size();
}
