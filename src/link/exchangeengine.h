#pragma once

#include "link/receiveslots.h"
#include "link/pacing.h"
#include "link/protocol.h"
#include "link/radioidentity.h"
#include "platform/serialport.h"
#include "platform/timer.h"

#include <QByteArray>
#include <QObject>
#include <QVector>

class MemoryImage;

// One conversation with the radio at a time, for any window: the handshake and the
// identification, then either nothing more, a run of 64-byte block reads, or a run of
// 16-byte frame writes. It owns the window's serial port and its three timers (sender,
// reply timeout, retry pause), holds the port only while an attempt runs, and never
// touches the memory image: read replies stay in its receive slots until the window
// decodes them, write frames are handed over whole at the start.
//
// Everything runs on the thread that owns it, driven by timer ticks and the port's
// receive events; nothing waits.
class ExchangeEngine : public QObject
{
    Q_OBJECT
public:
    enum class Direction { None, Identify, Read, Write };

    using Frame = Protocol::Frame;

    explicit ExchangeEngine(const Pacing &pacing, QObject *parent = nullptr);

    void setPacing(const Pacing &pacing) { m_pacing = pacing; }
    const Pacing &pacing() const { return m_pacing; }

    // Each resets the retries to the pacing's count and begins a first attempt. They
    // return false, and do nothing, while a transfer is busy; they emit portOpenFailed()
    // and return false when the port does not open. A pending retry is superseded.
    bool startIdentification();
    // Block k (from 1) is read from blockAddresses[k - 1] into receive slot k.
    bool startRead(const QVector<int> &blockAddresses);
    bool startWrite(const QVector<Frame> &frames);

    // Stops everything at once: timers, pending retry, port. Nothing is emitted.
    void stop();

    static QVector<int> blockAddresses(int base, int count);
    // Frame j carries image row base / 16 + j to address base + j * 16.
    static QVector<Frame> framesFromImage(const MemoryImage &image, int base, int count);

    Direction direction() const { return m_direction; }
    bool isReading() const { return m_reading; }
    bool isWriting() const { return m_writing; }
    bool isIdentifying() const { return m_identifying; }
    bool isBusy() const { return m_reading || m_writing || m_identifying; }
    bool isRetryPending() const { return m_retryTimer.isActive(); }
    bool isIdentified() const { return m_identified; }
    bool isFrameSent() const { return m_frameSent; }
    int retriesLeft() const { return m_retriesLeft; }
    // Blocks received so far, or frames acknowledged so far.
    int completed() const { return m_completed; }
    int total() const;

    const ReceiveSlots &receiveSlots() const { return m_slots; }
    SerialPort &port() { return m_port; }

    // What came back while the radio was being asked who it is, over every attempt since
    // the last start: the first HeardKept bytes and how many there were. An exchange
    // that failed with nothing heard met silence; one that heard bytes met something
    // that does not speak this model's identification.
    static constexpr int HeardKept = 24;
    const QByteArray &heard() const { return m_heard; }
    int heardCount() const { return m_heardCount; }

signals:
    void portOpenFailed();
    // An accepted identification; LinkNotices has announced it before this arrives, so
    // the band limits and the status panels are already up to date.
    void identified(const RadioIdentity &identity);
    // done of total blocks received or frames acknowledged, emitted while more follow.
    void progress(int done, int total);
    // The last block arrived (or the last frame was acknowledged, or the identification
    // of an identification-only exchange); the port is closed.
    void finished();
    // A reply timed out; the port is closed and the retry pause runs.
    void attemptFailed(int retriesLeft);
    // The retries are used up.
    void failed();

private:
    bool beginWhenIdle();
    bool beginAttempt();
    void queue(const QByteArray &frame);
    void sendTick();
    void receive();
    void receiveIdentification();
    void receiveBlock();
    void receiveAcknowledges();
    void replyTimedOut();
    void retryPauseOver();
    void endTransfer();
    // Everything waiting in the port is dropped, and noted as heard while unidentified.
    void discardInput();
    void hear(const QByteArray &bytes);

    Pacing m_pacing;
    SerialPort m_port;
    Timer m_senderTimer;  // Timer1
    Timer m_replyTimer;   // Timer2
    Timer m_retryTimer;   // Timer3

    Direction m_direction = Direction::None;
    QVector<int> m_blockAddresses;
    QVector<Frame> m_frames;
    ReceiveSlots m_slots;

    QByteArray m_transmit;
    int m_sendPosition = 0;
    bool m_frameSent = false;
    bool m_identified = false;
    bool m_reading = false;
    bool m_writing = false;
    bool m_identifying = false;
    int m_retriesLeft = 0;
    int m_completed = 0;
    QByteArray m_heard;
    int m_heardCount = 0;
};
