#pragma once
// Fakes around the relay link: a receiver port that records what is written to it, and a
// device factory whose devices play scripted bytes and close on their destruction.
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "support/ProtocolFakes.h"
#include "platform/SerialDevice.h"
#include "transport/RawWriter.h"

namespace kestrion::fakes {

// Writes arrive on the relay thread; the test reads them on its own.
class CRecordingWriter : public IRawWriter {
public:
    void RawWrite(const uint8_t* bytes, size_t count) override
    {
        const std::lock_guard lock(m_mutex);
        m_frames.emplace_back(bytes, bytes + count);
        m_arrived.notify_all();
    }
    void SetBeforeClose(std::function<void()> stop) override
    {
        m_beforeClose = std::move(stop);
        ++hookChanges;
    }

    // What the port's close does first.
    void RunBeforeClose() const
    {
        if (m_beforeClose) {
            m_beforeClose();
        }
    }
    bool HasBeforeClose() const { return static_cast<bool>(m_beforeClose); }
    // False when fewer than count writes arrived within ten seconds (a hung link).
    bool WaitForFrames(size_t count)
    {
        std::unique_lock lock(m_mutex);
        return m_arrived.wait_for(lock, std::chrono::seconds(10), [&] { return m_frames.size() >= count; });
    }
    std::vector<Bytes> Frames() const
    {
        const std::lock_guard lock(m_mutex);
        return m_frames;
    }

    int hookChanges = 0;

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::vector<Bytes> m_frames;
    std::function<void()> m_beforeClose;
};

class CScriptedSerialFactory : public ISerialDeviceFactory {
public:
    // What one opening of the port delivers: chunks, one per read, then silence or hang-up.
    struct Script {
        std::vector<Bytes> chunks;
        bool goneAfter = false;
    };
    struct Opening {
        std::string path;
        SerialSettings settings;
    };

    // Openings past the scripts get a silent device.
    explicit CScriptedSerialFactory(std::vector<Script> scripts = {}) : m_scripts(scripts.begin(), scripts.end()) {}

    std::unique_ptr<ISerialDevice> Open(const std::string& path, const SerialSettings& settings,
                                        std::string& error) override
    {
        const std::lock_guard lock(m_mutex);
        m_openings.push_back({path, settings});
        if (refuse) {
            error = "refused";
            return nullptr;
        }
        Script script;
        if (!m_scripts.empty()) {
            script = std::move(m_scripts.front());
            m_scripts.pop_front();
        }
        return std::make_unique<CDevice>(*this, std::move(script));
    }

    std::vector<Opening> Openings() const
    {
        const std::lock_guard lock(m_mutex);
        return m_openings;
    }
    int Closed() const
    {
        const std::lock_guard lock(m_mutex);
        return m_closed;
    }
    int PurgedBeforeClose() const
    {
        const std::lock_guard lock(m_mutex);
        return m_purgedBeforeClose;
    }

    bool refuse = false;  // set before the link starts

private:
    class CDevice : public ISerialDevice {
    public:
        CDevice(CScriptedSerialFactory& factory, Script script)
            : m_factory(factory), m_chunks(script.chunks.begin(), script.chunks.end()), m_gone(script.goneAfter)
        {
        }
        ~CDevice() override { m_factory.DeviceClosed(m_purged); }

        Wait WaitForInput(int timeoutMs, int wakeFd) override
        {
            if (!m_chunks.empty()) {
                return Wait::Readable;
            }
            if (m_gone) {
                return Wait::Gone;
            }
            pollfd wake{wakeFd, POLLIN, 0};
            return poll(&wake, 1, timeoutMs) > 0 ? Wait::Woken : Wait::Timeout;
        }
        long Read(uint8_t* buffer, size_t count) override
        {
            if (m_chunks.empty()) {
                return m_gone ? -1 : 0;
            }
            Bytes& chunk = m_chunks.front();
            const size_t taken = std::min(count, chunk.size());
            std::copy_n(chunk.begin(), taken, buffer);
            chunk.erase(chunk.begin(), chunk.begin() + static_cast<long>(taken));
            if (chunk.empty()) {
                m_chunks.pop_front();
            }
            return static_cast<long>(taken);
        }
        bool Write(const uint8_t*, size_t) override { return false; }
        size_t OutputQueued() override { return 0; }
        unsigned TakeLineErrors() override { return 0; }
        void Purge() override { m_purged = true; }

    private:
        CScriptedSerialFactory& m_factory;
        std::deque<Bytes> m_chunks;
        bool m_gone;
        bool m_purged = false;
    };

    void DeviceClosed(bool purged)
    {
        const std::lock_guard lock(m_mutex);
        ++m_closed;
        m_purgedBeforeClose += purged ? 1 : 0;
    }

    mutable std::mutex m_mutex;
    std::deque<Script> m_scripts;
    std::vector<Opening> m_openings;
    int m_closed = 0;
    int m_purgedBeforeClose = 0;
};

}  // namespace kestrion::fakes
