#pragma once

#include "pseudoterminal.h"

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// The radio's side of the programming line, on a pseudo-terminal. It runs on its own
// thread (poll() on the pty master, byte pacing by absolute deadlines), so a test can run
// it in the same process as the program's event loop without either waiting on the other.
namespace vradio {

struct Identity
{
    std::string modelCode = "QDMX";
    std::string modelName = "OR-78V";            // 6 characters
    std::string firmware = "V12A03";             // 6 characters
    std::string number = "ORV123456789ABCD";     // 16 characters
    int bandALower = 136;
    int bandAUpper = 174;
    int bandBLower = 400;
    int bandBUpper = 480;
};

struct Faults
{
    bool wrongModelCode = false;       // reports "QDMY"
    bool missingEndMark = false;       // byte 49 is 0x00 instead of 0x55
    bool silent = false;               // never answers anything
    int silentAfterWriteFrames = -1;   // stores and acknowledges this many frames per exchange, then nothing
    int silentAfterReadBlocks = -1;    // serves this many blocks per exchange, then nothing
    int dropByteInBlock = 0;           // that block's reply (from 1) loses its last byte, once
    int garbageBeforeIdentification = 0;
    int garbageAfterReplies = 0;       // bytes of noise after every identification and block reply
    int strayBeforeX = 0;              // bytes in front of "X"
    int strayBlock = 0;                // ... on this block only (from 1), 0: on every block
    std::vector<int> identificationChunks; // e.g. {20, 30}: the reply in pieces
    int chunkGapMs = 100;
    int extraAfterIdentification = 0;  // bytes sent straight after the 50
    bool earlyAck = false;             // 0x06 as soon as a write frame's header is in
    bool withholdAck = false;          // no 0x06 after a whole write frame
    // Replies are counted per exchange: 0 is the identification, n the answer to the n-th
    // read request or write frame.
    int stallReply = -1;               // this reply comes stallMs late, once
    int stallMs = 0;
    int noiseBeforeReply = -1;         // this reply has noiseBytes line noise in front
    std::vector<uint8_t> noiseBytes;
    int dropOutputByte = 0;            // the radio's n-th byte out (from 1, over all exchanges) is lost, once
    int storeWrongOnceAt = -1;         // the first write frame to this address is stored with its first
                                       // byte inverted, and acknowledged as if all were well
};

class VirtualRadio
{
public:
    static constexpr int MemoryBytes = 0x10000;
    static constexpr int AlignmentAddress = 0x3C00;

    VirtualRadio();
    ~VirtualRadio();
    VirtualRadio(const VirtualRadio &) = delete;
    VirtualRadio &operator=(const VirtualRadio &) = delete;

    // Creates the pseudo-terminal (raw) and keeps a slave descriptor open, so the master
    // does not hang up between the program's opens.
    bool open(std::string *error = nullptr);
    const std::string &slavePath() const { return m_line.slavePath(); }

    // <folder>/com<n> -> the slave, replacing whatever link was there.
    bool linkAsCom(int com, const std::string &folder, std::string *error = nullptr);
    // The first of COM first..last that has nothing at all in the folder (no link, not
    // even a dangling one) gets the link; nothing is replaced. Returns that number, or 0.
    int linkAsFreeCom(int first, int last, const std::string &folder, std::string *error = nullptr);
    // Removes the link only while it still leads to this radio.
    void removeLink();
    const std::string &linkPath() const { return m_line.linkPath(); }
    int com() const { return m_line.com(); }

    void start();
    void stop();
    // Stops and closes the line for good, as a pulled cable does: the program's side of
    // the pseudo-terminal sees the hang-up at once.
    void hangUp();
    bool isRunning() const { return m_thread.joinable(); }

    void setIdentity(const Identity &identity);
    void setFaults(const Faults &faults);
    // Every byte, either way, takes 10 / 9600 s on the line.
    void setByteTiming(bool on);
    void setLog(std::function<void(const std::string &)> log);

    void fillMemory(uint8_t value);
    void setMemory(int address, const std::vector<uint8_t> &bytes);
    std::vector<uint8_t> memory(int address, int count) const;
    // The ".dat" file's 1025 rows go to addresses 0x0000 onward.
    bool loadDataFile(const std::string &path, std::string *error = nullptr);

    // Observations, safe from any thread.
    int handshakes() const;
    int readRequests() const;
    int writeFrames() const;
    std::vector<int> writtenAddresses() const;
    uint64_t bytesIn() const;
    uint64_t bytesOut() const;
    void resetCounters();

    // The 50 bytes this radio answers a handshake with (faults included).
    std::vector<uint8_t> identificationReply() const;

private:
    using Clock = std::chrono::steady_clock;
    struct TimedByte
    {
        uint8_t byte;
        Clock::time_point due;
    };

    void run();
    void takeInput(Clock::time_point now);
    void parse(Clock::time_point at);
    void onHandshake(Clock::time_point at);
    void onReadRequest(int address, Clock::time_point at);
    void onWriteFrame(int address, const uint8_t *data, Clock::time_point at);
    Clock::time_point send(const std::vector<uint8_t> &bytes, Clock::time_point notBefore);
    // When reply n of this exchange is due, with the faults that delay or precede it.
    Clock::time_point replyStart(int n, Clock::time_point at);
    void log(const std::string &line);
    std::vector<uint8_t> identificationReplyLocked() const;
    Clock::duration byteTime() const;

    PseudoTerminal m_line;
    int m_wake[2] = {-1, -1};
    std::thread m_thread;
    std::atomic<bool> m_stop{false};

    mutable std::mutex m_mutex;
    Identity m_identity;
    Faults m_faults;
    bool m_byteTiming = false;
    std::function<void(const std::string &)> m_log;
    std::array<uint8_t, MemoryBytes> m_memory;

    std::vector<uint8_t> m_rx;
    std::deque<TimedByte> m_inQueue;
    std::deque<TimedByte> m_outQueue;
    Clock::time_point m_inLineFree;
    Clock::time_point m_outLineFree;
    bool m_inSession = false;
    bool m_mute = false;
    bool m_dropUsed = false;
    bool m_earlyAckSent = false;
    int m_sessionBlocks = 0;
    int m_sessionFrames = 0;
    uint64_t m_outCount = 0;
    bool m_stallUsed = false;
    bool m_wrongStoreUsed = false;

    int m_handshakes = 0;
    int m_readRequests = 0;
    int m_writeFrames = 0;
    std::vector<int> m_writtenAddresses;
    uint64_t m_bytesIn = 0;
    uint64_t m_bytesOut = 0;
};

} // namespace vradio
