#pragma once
// A scripted serial line for port and source tests: the test queues the receiver's bytes and
// line errors, unplugs and replugs it; devices opened on it read and write through it from the
// port's reader thread, so every field is under one mutex.
#include <poll.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "platform/SerialDevice.h"

namespace kestrion::fakes {

class CFakeSerialLine {
public:
    using Bytes = std::vector<uint8_t>;

    // Bytes the receiver sends; line errors come with the next read.
    void Send(const Bytes& bytes)
    {
        std::lock_guard lock(m);
        queue.insert(queue.end(), bytes.begin(), bytes.end());
    }
    void RaiseLineErrors(unsigned bits)
    {
        std::lock_guard lock(m);
        lineErrors |= bits;
    }
    // Devices opened before stay gone; opening fails until Plug.
    void Unplug()
    {
        std::lock_guard lock(m);
        ++epoch;
        plugged = false;
    }
    void Plug()
    {
        std::lock_guard lock(m);
        plugged = true;
    }
    void SetOutputQueued(size_t count)
    {
        std::lock_guard lock(m);
        outputQueued = count;
    }
    // Every write and every close, in order: "write:<bytes as hex>" or "close".
    std::vector<std::string> Events() const
    {
        std::lock_guard lock(m);
        return events;
    }
    std::vector<Bytes> Writes() const
    {
        std::lock_guard lock(m);
        return writes;
    }
    int Opens() const
    {
        std::lock_guard lock(m);
        return opens;
    }

    static std::string Hex(const Bytes& bytes)
    {
        std::string text;
        for (const uint8_t byte : bytes) {
            text += {"0123456789ABCDEF"[byte >> 4], "0123456789ABCDEF"[byte & 15]};
        }
        return text;
    }

    // The devices' side.
    mutable std::mutex m;
    Bytes queue;
    bool greeting = false;  // a receiver that sends a zero byte to every device opened on the line
    bool slowOutput = false;  // written bytes stay in the output queue until drained or purged
    size_t purgedOutput = 0;  // output bytes a purge dropped
    unsigned lineErrors = 0;
    bool plugged = true;
    int epoch = 0;
    int opens = 0;
    size_t outputQueued = 0;
    std::vector<Bytes> writes;
    std::vector<std::string> events;
};

class CFakeSerialDevice : public ISerialDevice {
public:
    CFakeSerialDevice(CFakeSerialLine& line, int epoch) : m_line(line), m_epoch(epoch), m_greeting(line.greeting) {}
    ~CFakeSerialDevice() override
    {
        std::lock_guard lock(m_line.m);
        m_line.events.emplace_back("close");
    }

    Wait WaitForInput(int timeoutMs, int wakeFd) override
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            {
                std::lock_guard lock(m_line.m);
                if (m_epoch != m_line.epoch) {
                    return Wait::Gone;
                }
                if (!m_line.queue.empty() || m_greeting) {
                    return Wait::Readable;
                }
            }
            pollfd wake{wakeFd, POLLIN, 0};
            if (::poll(&wake, 1, 1) > 0) {
                return Wait::Woken;
            }
            if (std::chrono::steady_clock::now() >= end) {
                return Wait::Timeout;
            }
        }
    }
    long Read(uint8_t* buffer, size_t count) override
    {
        std::lock_guard lock(m_line.m);
        if (m_epoch != m_line.epoch) {
            return -1;
        }
        if (m_greeting && count > 0) {
            m_greeting = false;
            buffer[0] = 0;
            return 1;
        }
        const size_t taken = std::min(count, m_line.queue.size());
        std::copy_n(m_line.queue.begin(), taken, buffer);
        m_line.queue.erase(m_line.queue.begin(), m_line.queue.begin() + static_cast<std::ptrdiff_t>(taken));
        return static_cast<long>(taken);
    }
    bool Write(const uint8_t* bytes, size_t count) override
    {
        std::lock_guard lock(m_line.m);
        m_line.writes.emplace_back(bytes, bytes + count);
        m_line.events.push_back("write:" + CFakeSerialLine::Hex(m_line.writes.back()));
        if (m_line.slowOutput) {
            m_line.outputQueued += count;
        }
        return true;
    }
    // Drains one byte a call.
    size_t OutputQueued() override
    {
        std::lock_guard lock(m_line.m);
        return m_line.outputQueued > 0 ? m_line.outputQueued-- : 0;
    }
    unsigned TakeLineErrors() override
    {
        std::lock_guard lock(m_line.m);
        return std::exchange(m_line.lineErrors, 0u);
    }
    void Purge() override
    {
        std::lock_guard lock(m_line.m);
        m_line.purgedOutput += std::exchange(m_line.outputQueued, 0);
    }

private:
    CFakeSerialLine& m_line;
    int m_epoch;
    bool m_greeting;  // under the line's mutex
};

class CFakeSerialFactory : public ISerialDeviceFactory {
public:
    static constexpr const char* kRefusal = "Error.. the fake line is unplugged";

    std::unique_ptr<ISerialDevice> Open(const std::string& path, const SerialSettings& settings,
                                        std::string& error) override
    {
        std::lock_guard lock(line.m);
        if (!line.plugged || opensLeft == 0) {
            error = kRefusal;
            return nullptr;
        }
        opensLeft -= opensLeft > 0 ? 1 : 0;
        ++line.opens;
        lastPath = path;
        lastSettings = settings;
        openings.push_back(settings);
        return std::make_unique<CFakeSerialDevice>(line, line.epoch);
    }
    // The fake line keeps no time: the port's waits for it pass at once.
    void Sleep(std::chrono::milliseconds /*duration*/) override {}

    CFakeSerialLine line;
    std::string lastPath;  // GUI thread only: the port opens devices there
    SerialSettings lastSettings;
    std::vector<SerialSettings> openings;  // every successful open, reopens too
    int opensLeft = -1;  // opens that still succeed; -1 for any number
};

}  // namespace kestrion::fakes
