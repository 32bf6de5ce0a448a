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
#include <thread>
#include <vector>

#include "platform/SerialDevice.h"

namespace kestrion::fakes {

class CFakeSerialLine {
public:
    using Bytes = std::vector<uint8_t>;

    // Bytes the receiver sends; line errors come with the next read.
    void Send(const Bytes& bytes)
    {
        std::lock_guard lock(m_lock);
        m_queue.insert(m_queue.end(), bytes.begin(), bytes.end());
    }
    void RaiseLineErrors(unsigned bits)
    {
        std::lock_guard lock(m_lock);
        m_lineErrors |= bits;
    }
    // Devices opened before stay gone; opening fails until Plug.
    void Unplug()
    {
        std::lock_guard lock(m_lock);
        ++m_epoch;
        m_plugged = false;
    }
    void Plug()
    {
        std::lock_guard lock(m_lock);
        m_plugged = true;
    }
    void SetOutputQueued(size_t count)
    {
        std::lock_guard lock(m_lock);
        m_outputQueued = count;
    }

    size_t Queued() const
    {
        std::lock_guard lock(m_lock);
        return m_queue.size();
    }
    // Every write and every close, in order: "write:<bytes as hex>" or "close".
    std::vector<std::string> Events() const
    {
        std::lock_guard lock(m_lock);
        return m_events;
    }
    std::vector<Bytes> Writes() const
    {
        std::lock_guard lock(m_lock);
        return m_writes;
    }
    int Opens() const
    {
        std::lock_guard lock(m_lock);
        return m_opens;
    }

    // For the devices.
    bool TryOpen(int& epoch)
    {
        std::lock_guard lock(m_lock);
        if (!m_plugged) {
            return false;
        }
        ++m_opens;
        epoch = m_epoch;
        return true;
    }
    ISerialDevice::Wait Poll(int epoch) const
    {
        std::lock_guard lock(m_lock);
        if (epoch != m_epoch) {
            return ISerialDevice::Wait::Gone;
        }
        return m_queue.empty() ? ISerialDevice::Wait::Timeout : ISerialDevice::Wait::Readable;
    }
    long Read(int epoch, uint8_t* buffer, size_t count)
    {
        std::lock_guard lock(m_lock);
        if (epoch != m_epoch) {
            return -1;
        }
        const size_t taken = std::min(count, m_queue.size());
        std::copy_n(m_queue.begin(), taken, buffer);
        m_queue.erase(m_queue.begin(), m_queue.begin() + static_cast<std::ptrdiff_t>(taken));
        return static_cast<long>(taken);
    }
    void Write(const uint8_t* bytes, size_t count)
    {
        std::lock_guard lock(m_lock);
        m_writes.emplace_back(bytes, bytes + count);
        m_events.push_back("write:" + Hex(m_writes.back()));
    }
    size_t TakeOutputStep()
    {
        std::lock_guard lock(m_lock);
        const size_t queued = m_outputQueued;
        m_outputQueued -= queued > 0 ? 1 : 0;
        return queued;
    }
    unsigned TakeLineErrors()
    {
        std::lock_guard lock(m_lock);
        return std::exchange(m_lineErrors, 0u);
    }
    void Closed()
    {
        std::lock_guard lock(m_lock);
        m_events.emplace_back("close");
    }

    static std::string Hex(const Bytes& bytes)
    {
        std::string text;
        for (const uint8_t byte : bytes) {
            static constexpr char kDigits[] = "0123456789ABCDEF";
            text += kDigits[byte >> 4];
            text += kDigits[byte & 15];
        }
        return text;
    }

private:
    mutable std::mutex m_lock;
    Bytes m_queue;
    unsigned m_lineErrors = 0;
    bool m_plugged = true;
    int m_epoch = 0;
    int m_opens = 0;
    size_t m_outputQueued = 0;
    std::vector<Bytes> m_writes;
    std::vector<std::string> m_events;
};

class CFakeSerialDevice : public ISerialDevice {
public:
    CFakeSerialDevice(CFakeSerialLine& line, int epoch) : m_line(line), m_epoch(epoch) {}
    ~CFakeSerialDevice() override { m_line.Closed(); }

    Wait WaitForInput(int timeoutMs, int wakeFd) override
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            if (const Wait state = m_line.Poll(m_epoch); state != Wait::Timeout) {
                return state;
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
    long Read(uint8_t* buffer, size_t count) override { return m_line.Read(m_epoch, buffer, count); }
    bool Write(const uint8_t* bytes, size_t count) override
    {
        m_line.Write(bytes, count);
        return true;
    }
    size_t OutputQueued() override { return m_line.TakeOutputStep(); }
    unsigned TakeLineErrors() override { return m_line.TakeLineErrors(); }
    void Purge() override {}

private:
    CFakeSerialLine& m_line;
    int m_epoch;
};

class CFakeSerialFactory : public ISerialDeviceFactory {
public:
    static constexpr const char* kRefusal = "Error.. the fake line is unplugged";

    std::unique_ptr<ISerialDevice> Open(const std::string& path, const SerialSettings& settings,
                                        std::string& error) override
    {
        int epoch = 0;
        if (!line.TryOpen(epoch)) {
            error = kRefusal;
            return nullptr;
        }
        lastPath = path;
        lastSettings = settings;
        return std::make_unique<CFakeSerialDevice>(line, epoch);
    }

    CFakeSerialLine line;
    std::string lastPath;  // GUI thread only: the port opens devices there
    SerialSettings lastSettings;
};

}  // namespace kestrion::fakes
