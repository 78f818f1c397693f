#include "virtualradio.h"

#include "datafile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace vradio {

namespace {
constexpr uint8_t Handshake[8] = {0x55, 0xA5, 0xB5, 0x45, 0x55, 0x45, 0x4D, 0x02};
constexpr uint8_t Ack = 0x06;
constexpr uint8_t ReadCommand = 0x53;
constexpr uint8_t WriteCommand = 0x58;
constexpr uint8_t ReplyHeader = 0x58;
constexpr int BlockBytes = 64;
constexpr int FrameBytes = 16;
constexpr int ReadRequestBytes = 4;
constexpr int WriteFrameBytes = 20; // after the leading acknowledge, which is taken on its own
constexpr uint8_t Noise = 0xA7;

void setError(std::string *error, const std::string &text)
{
    if (error)
        *error = text;
}

std::string hex4(int value)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04X", value & 0xFFFF);
    return text;
}

void putText(std::vector<uint8_t> &reply, int offset, const std::string &text, int length)
{
    for (int i = 0; i < length; ++i)
        reply[offset + i] = i < int(text.size()) ? uint8_t(text[i]) : uint8_t(' ');
}

void putDigits(std::vector<uint8_t> &reply, int offset, int mhz)
{
    reply[offset] = uint8_t(mhz / 100 % 10);
    reply[offset + 1] = uint8_t(mhz / 10 % 10);
    reply[offset + 2] = uint8_t(mhz % 10);
}
} // namespace

VirtualRadio::VirtualRadio()
{
    m_memory.fill(0xFF);
}

VirtualRadio::~VirtualRadio()
{
    stop();
    for (int fd : {m_wake[0], m_wake[1]}) {
        if (fd >= 0)
            ::close(fd);
    }
}

bool VirtualRadio::open(std::string *error)
{
    if (!m_line.open(error))
        return false;
    if (::pipe(m_wake) != 0) {
        setError(error, std::string("pipe: ") + std::strerror(errno));
        return false;
    }
    return true;
}

bool VirtualRadio::linkAsCom(int com, const std::string &folder, std::string *error)
{
    return m_line.linkAsCom(com, folder, error);
}

int VirtualRadio::linkAsFreeCom(int first, int last, const std::string &folder, std::string *error)
{
    return m_line.linkAsFreeCom(first, last, folder, error);
}

void VirtualRadio::removeLink()
{
    m_line.removeLink();
}

void VirtualRadio::start()
{
    if (m_thread.joinable() || m_line.master() < 0)
        return;
    m_stop = false;
    m_thread = std::thread([this] { run(); });
}

void VirtualRadio::stop()
{
    if (!m_thread.joinable())
        return;
    m_stop = true;
    const char byte = 0;
    (void)!::write(m_wake[1], &byte, 1);
    m_thread.join();
    char drain[16];
    while (::read(m_wake[0], drain, sizeof drain) == sizeof drain) {
    }
}

void VirtualRadio::hangUp()
{
    stop();
    m_line.close();
}

void VirtualRadio::setIdentity(const Identity &identity)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_identity = identity;
}

void VirtualRadio::setFaults(const Faults &faults)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_faults = faults;
    m_dropUsed = false;
    m_outCount = 0;
    m_stallUsed = false;
    m_wrongStoreUsed = false;
}

void VirtualRadio::setByteTiming(bool on)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_byteTiming = on;
}

void VirtualRadio::setLog(std::function<void(const std::string &)> log)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_log = std::move(log);
}

void VirtualRadio::fillMemory(uint8_t value)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_memory.fill(value);
}

void VirtualRadio::setMemory(int address, const std::vector<uint8_t> &bytes)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (size_t i = 0; i < bytes.size(); ++i)
        m_memory[(address + i) & 0xFFFF] = bytes[i];
}

std::vector<uint8_t> VirtualRadio::memory(int address, int count) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<uint8_t> bytes(size_t(std::max(count, 0)));
    for (int i = 0; i < count; ++i)
        bytes[i] = m_memory[(address + i) & 0xFFFF];
    return bytes;
}

bool VirtualRadio::loadDataFile(const std::string &path, std::string *error)
{
    std::vector<uint8_t> image;
    if (!vradio::loadDataFile(path, image, error))
        return false;
    setMemory(0, image);
    return true;
}

int VirtualRadio::handshakes() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_handshakes;
}

int VirtualRadio::readRequests() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_readRequests;
}

int VirtualRadio::writeFrames() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_writeFrames;
}

std::vector<int> VirtualRadio::writtenAddresses() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_writtenAddresses;
}

uint64_t VirtualRadio::bytesIn() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_bytesIn;
}

uint64_t VirtualRadio::bytesOut() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_bytesOut;
}

void VirtualRadio::resetCounters()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_handshakes = m_readRequests = m_writeFrames = 0;
    m_writtenAddresses.clear();
    m_bytesIn = m_bytesOut = 0;
}

std::vector<uint8_t> VirtualRadio::identificationReply() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return identificationReplyLocked();
}

std::vector<uint8_t> VirtualRadio::identificationReplyLocked() const
{
    std::vector<uint8_t> reply(50, 0x00);
    reply[0] = Ack;
    putDigits(reply, 1, m_identity.bandALower);
    putDigits(reply, 4, m_identity.bandAUpper);
    putDigits(reply, 7, m_identity.bandBLower);
    putDigits(reply, 10, m_identity.bandBUpper);
    putText(reply, 13, m_faults.wrongModelCode ? std::string("QDMY") : m_identity.modelCode, 4);
    putText(reply, 17, m_identity.modelName, 6);
    putText(reply, 23, m_identity.firmware, 6);
    putText(reply, 29, "", 4);
    putText(reply, 33, m_identity.number, 16);
    reply[49] = m_faults.missingEndMark ? 0x00 : 0x55;
    return reply;
}

VirtualRadio::Clock::duration VirtualRadio::byteTime() const
{
    // Start bit, eight data bits, stop bit at 9600 baud.
    return m_byteTiming ? std::chrono::duration_cast<Clock::duration>(std::chrono::nanoseconds(10'000'000'000LL / 9600))
                        : Clock::duration::zero();
}

void VirtualRadio::log(const std::string &line)
{
    if (m_log)
        m_log(line);
}

VirtualRadio::Clock::time_point VirtualRadio::send(const std::vector<uint8_t> &bytes, Clock::time_point notBefore)
{
    Clock::time_point due = notBefore;
    for (uint8_t b : bytes) {
        if (++m_outCount == uint64_t(m_faults.dropOutputByte) && m_faults.dropOutputByte > 0) {
            log("   (a byte lost on the line)");
            continue;
        }
        const Clock::time_point start = std::max(notBefore, m_outLineFree);
        due = start + byteTime();
        m_outLineFree = due;
        m_outQueue.push_back({b, due});
    }
    return due;
}

VirtualRadio::Clock::time_point VirtualRadio::replyStart(int n, Clock::time_point at)
{
    if (n == m_faults.stallReply && !m_stallUsed) {
        m_stallUsed = true;
        at += std::chrono::milliseconds(m_faults.stallMs);
        log("   (stalling " + std::to_string(m_faults.stallMs) + " ms)");
    }
    if (n == m_faults.noiseBeforeReply)
        at = send(m_faults.noiseBytes, at);
    return at;
}

void VirtualRadio::run()
{
#ifdef PR_SET_TIMERSLACK
    // Byte timing is kept by waking at each byte's due time; the default 50 us of slack on
    // every wake-up would add up to a noticeable share of a long transfer.
    ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
#endif
    for (;;) {
        if (m_stop)
            return;
        std::vector<uint8_t> batch;
        Clock::time_point next = Clock::time_point::max();
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            const Clock::time_point now = Clock::now();
            while (!m_inQueue.empty() && m_inQueue.front().due <= now) {
                const TimedByte in = m_inQueue.front();
                m_inQueue.pop_front();
                m_rx.push_back(in.byte);
                parse(in.due);
            }
            while (!m_outQueue.empty() && m_outQueue.front().due <= now) {
                batch.push_back(m_outQueue.front().byte);
                m_outQueue.pop_front();
            }
            m_bytesOut += batch.size();
            if (!m_inQueue.empty())
                next = std::min(next, m_inQueue.front().due);
            if (!m_outQueue.empty())
                next = std::min(next, m_outQueue.front().due);
        }
        if (!batch.empty()) {
            // Nobody listening means a full pty queue: the line simply loses those bytes.
            size_t done = 0;
            while (done < batch.size()) {
                const ssize_t n = ::write(m_line.master(), batch.data() + done, batch.size() - done);
                if (n <= 0)
                    break;
                done += size_t(n);
            }
            continue; // writing took time; look at the queues again before sleeping
        }

        pollfd fds[2] = {{m_line.master(), POLLIN, 0}, {m_wake[0], POLLIN, 0}};
        timespec timeout{};
        timespec *timeoutPointer = nullptr;
        if (next != Clock::time_point::max()) {
            const auto wait = std::max(Clock::duration::zero(), next - Clock::now());
            const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(wait).count();
            timeout.tv_sec = time_t(ns / 1'000'000'000);
            timeout.tv_nsec = long(ns % 1'000'000'000);
            timeoutPointer = &timeout;
        }
        const int ready = ::ppoll(fds, 2, timeoutPointer, nullptr);
        if (ready < 0 && errno != EINTR)
            return;
        if (ready > 0 && (fds[0].revents & POLLIN))
            takeInput(Clock::now());
        else if (ready > 0 && (fds[0].revents & POLLHUP))
            ::usleep(1000); // cannot happen while we hold the slave, but never spin on it
    }
}

void VirtualRadio::takeInput(Clock::time_point now)
{
    uint8_t buffer[512];
    const ssize_t n = ::read(m_line.master(), buffer, sizeof buffer);
    if (n <= 0)
        return;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bytesIn += uint64_t(n);
    for (ssize_t i = 0; i < n; ++i) {
        // A byte is in only once its stop bit is: the line is busy until then.
        const Clock::time_point arrival = std::max(now, m_inLineFree) + byteTime();
        m_inLineFree = arrival;
        m_inQueue.push_back({buffer[i], arrival});
    }
}

void VirtualRadio::parse(Clock::time_point at)
{
    while (!m_rx.empty()) {
        const uint8_t first = m_rx[0];
        if (first == Handshake[0]) {
            const size_t have = std::min(m_rx.size(), sizeof Handshake);
            if (!std::equal(m_rx.begin(), m_rx.begin() + long(have), Handshake)) {
                m_rx.erase(m_rx.begin());
                continue;
            }
            if (have < sizeof Handshake)
                return;
            m_rx.erase(m_rx.begin(), m_rx.begin() + long(sizeof Handshake));
            onHandshake(at);
            continue;
        }
        if (!m_inSession) {
            m_rx.erase(m_rx.begin());
            continue;
        }
        if (first == Ack) {
            m_rx.erase(m_rx.begin());
            continue;
        }
        if (first == ReadCommand) {
            if (m_rx.size() < size_t(ReadRequestBytes))
                return;
            const int address = (m_rx[1] << 8) | m_rx[2];
            m_rx.erase(m_rx.begin(), m_rx.begin() + ReadRequestBytes);
            onReadRequest(address, at);
            continue;
        }
        if (first == WriteCommand) {
            const bool stillAnswering = !m_mute && !m_faults.silent
                && (m_faults.silentAfterWriteFrames < 0 || m_sessionFrames < m_faults.silentAfterWriteFrames);
            if (m_rx.size() >= 4 && m_faults.earlyAck && !m_earlyAckSent && stillAnswering) {
                m_earlyAckSent = true;
                send({Ack}, at);
                log("-> early 06");
            }
            if (m_rx.size() < size_t(WriteFrameBytes))
                return;
            const int address = (m_rx[1] << 8) | m_rx[2];
            uint8_t data[FrameBytes];
            std::copy(m_rx.begin() + 4, m_rx.begin() + 4 + FrameBytes, data);
            m_rx.erase(m_rx.begin(), m_rx.begin() + WriteFrameBytes);
            m_earlyAckSent = false;
            onWriteFrame(address, data, at);
            continue;
        }
        log("<- stray byte " + hex4(first).substr(2));
        m_rx.erase(m_rx.begin());
    }
}

void VirtualRadio::onHandshake(Clock::time_point at)
{
    ++m_handshakes;
    m_inSession = true;
    m_mute = false;
    m_sessionBlocks = 0;
    m_sessionFrames = 0;
    m_earlyAckSent = false;
    log("<- handshake");
    if (m_faults.silent)
        return;

    at = replyStart(0, at);
    std::vector<uint8_t> noise(size_t(m_faults.garbageBeforeIdentification), Noise);
    at = send(noise, at);
    const std::vector<uint8_t> reply = identificationReplyLocked();
    if (m_faults.identificationChunks.empty()) {
        at = send(reply, at);
    } else {
        size_t offset = 0;
        for (size_t i = 0; i < m_faults.identificationChunks.size() && offset < reply.size(); ++i) {
            const size_t length = std::min(size_t(std::max(m_faults.identificationChunks[i], 0)), reply.size() - offset);
            if (i > 0)
                at += std::chrono::milliseconds(m_faults.chunkGapMs);
            at = send(std::vector<uint8_t>(reply.begin() + long(offset), reply.begin() + long(offset + length)), at);
            offset += length;
        }
        if (offset < reply.size()) {
            at += std::chrono::milliseconds(m_faults.chunkGapMs);
            at = send(std::vector<uint8_t>(reply.begin() + long(offset), reply.end()), at);
        }
    }
    send(std::vector<uint8_t>(size_t(m_faults.extraAfterIdentification + m_faults.garbageAfterReplies), Noise), at);
    log("-> identification");
}

void VirtualRadio::onReadRequest(int address, Clock::time_point at)
{
    ++m_readRequests;
    const int block = ++m_sessionBlocks;
    log("<- read " + hex4(address));
    if (m_faults.silent || m_mute)
        return;
    if (m_faults.silentAfterReadBlocks >= 0 && block > m_faults.silentAfterReadBlocks) {
        m_mute = true;
        log("   (silent from here)");
        return;
    }
    std::vector<uint8_t> reply;
    if (m_faults.strayBeforeX > 0 && (m_faults.strayBlock == 0 || m_faults.strayBlock == block))
        reply.assign(size_t(m_faults.strayBeforeX), Noise);
    reply.push_back(ReplyHeader);
    reply.push_back(uint8_t(address >> 8));
    reply.push_back(uint8_t(address));
    reply.push_back(BlockBytes);
    uint8_t sum = 0;
    for (int i = 0; i < BlockBytes; ++i) {
        const uint8_t b = m_memory[(address + i) & 0xFFFF];
        reply.push_back(b);
        sum = uint8_t(sum + b);
    }
    reply.push_back(sum);
    if (m_faults.dropByteInBlock == block && !m_dropUsed) {
        m_dropUsed = true;
        reply.pop_back();
        log("   (dropping a byte)");
    }
    reply.insert(reply.end(), size_t(m_faults.garbageAfterReplies), Noise);
    send(reply, replyStart(block, at));
    log("-> block " + hex4(address));
}

void VirtualRadio::onWriteFrame(int address, const uint8_t *data, Clock::time_point at)
{
    const int frame = ++m_sessionFrames;
    log("<- write " + hex4(address));
    if (m_faults.silent || m_mute)
        return;
    if (m_faults.silentAfterWriteFrames >= 0 && frame > m_faults.silentAfterWriteFrames) {
        m_mute = true;
        log("   (silent from here)");
        return;
    }
    ++m_writeFrames;
    m_writtenAddresses.push_back(address);
    for (int i = 0; i < FrameBytes; ++i)
        m_memory[(address + i) & 0xFFFF] = data[i];
    if (address == m_faults.storeWrongOnceAt && !m_wrongStoreUsed) {
        m_wrongStoreUsed = true;
        m_memory[address & 0xFFFF] = uint8_t(~data[0]);
        log("   (stored wrongly)");
    }
    if (m_faults.withholdAck)
        return;
    send({Ack}, replyStart(frame, at));
    log("-> 06");
}

} // namespace vradio
