#include "support/ScriptedDevice.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <utility>

namespace kestrion::test {

CScriptedDevice::CScriptedDevice(std::string path, int baud, std::function<void(CScriptedDevice&)> onDestroy)
    : m_path(std::move(path)), m_baud(baud), m_onDestroy(std::move(onDestroy)),
      m_event(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
{
}

CScriptedDevice::~CScriptedDevice()
{
    if (m_onDestroy) {
        m_onDestroy(*this);
    }
    ::close(m_event);
}

void CScriptedDevice::Feed(std::span<const uint8_t> bytes)
{
    if (bytes.empty()) {
        return;
    }
    {
        const std::lock_guard lock(m_mutex);
        m_input.insert(m_input.end(), bytes.begin(), bytes.end());
    }
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(m_event, &one, sizeof one);
}

void CScriptedDevice::SetWriteHandler(WriteHandler handler)
{
    const std::lock_guard lock(m_mutex);
    m_handler = std::move(handler);
}

void CScriptedDevice::HoldWrites(bool hold)
{
    std::vector<uint8_t> released;
    WriteHandler handler;
    {
        const std::lock_guard lock(m_mutex);
        m_holdWrites = hold;
        if (!hold) {
            released.swap(m_held);
            handler = m_handler;
        }
    }
    if (handler && !released.empty()) {
        handler(released);
    }
}

void CScriptedDevice::RefuseWrites(bool refuse)
{
    const std::lock_guard lock(m_mutex);
    m_refuseWrites = refuse;
}

void CScriptedDevice::InjectLineErrors(unsigned bits)
{
    const std::lock_guard lock(m_mutex);
    m_lineErrors |= bits;
}

void CScriptedDevice::Lose(std::string reason)
{
    {
        const std::lock_guard lock(m_mutex);
        m_gone = true;
        m_goneReason = std::move(reason);
    }
    m_taken.notify_all();
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(m_event, &one, sizeof one);
}

void CScriptedDevice::SetConnected(bool connected)
{
    const std::lock_guard lock(m_mutex);
    m_connected = connected;
}

std::vector<uint8_t> CScriptedDevice::Written() const
{
    const std::lock_guard lock(m_mutex);
    return m_written;
}

bool CScriptedDevice::ReaderDone() const
{
    return m_input.empty() || m_readerFull || m_gone || m_readerStopped;
}

bool CScriptedDevice::WaitTaken(std::chrono::milliseconds bound)
{
    std::unique_lock lock(m_mutex);
    return m_taken.wait_for(lock, bound, [this] { return ReaderDone(); });
}

bool CScriptedDevice::ReaderStopped() const
{
    const std::lock_guard lock(m_mutex);
    return m_readerStopped;
}

ISerialDevice::Wait CScriptedDevice::WaitForInput(int timeoutMs, int wakeFd)
{
    const auto ready = [this]() -> std::optional<Wait> {
        const std::lock_guard lock(m_mutex);
        if (m_gone) {
            return Wait::Gone;
        }
        if (!m_input.empty()) {
            return Wait::Readable;
        }
        return std::nullopt;
    };
    if (const std::optional<Wait> now = ready()) {
        return *now;
    }
    pollfd waits[2] = {{wakeFd, POLLIN, 0}, {m_event, POLLIN, 0}};
    ::poll(waits, 2, timeoutMs);
    if ((waits[0].revents & POLLIN) != 0) {
        return Wait::Woken;  // the port consumes its own wake
    }
    uint64_t count = 0;
    [[maybe_unused]] const ssize_t read = ::read(m_event, &count, sizeof count);
    return ready().value_or(Wait::Timeout);
}

long CScriptedDevice::Read(uint8_t* buffer, size_t count)
{
    long taken = 0;
    {
        const std::lock_guard lock(m_mutex);
        if (m_gone) {
            return -1;
        }
        const size_t n = std::min(count, m_input.size());
        std::copy_n(m_input.begin(), n, buffer);
        m_input.erase(m_input.begin(), m_input.begin() + static_cast<std::ptrdiff_t>(n));
        m_readerFull = n > 0 && n == count;  // the reader's buffer is full
        taken = static_cast<long>(n);
    }
    m_taken.notify_all();
    return taken;
}

bool CScriptedDevice::Write(const uint8_t* bytes, size_t count)
{
    WriteHandler handler;
    {
        const std::lock_guard lock(m_mutex);
        if (m_refuseWrites) {
            return false;
        }
        m_written.insert(m_written.end(), bytes, bytes + count);
        if (m_holdWrites) {
            m_held.insert(m_held.end(), bytes, bytes + count);
            return true;
        }
        handler = m_handler;
    }
    if (handler) {
        handler({bytes, count});
    }
    return true;
}

size_t CScriptedDevice::OutputQueued()
{
    {
        const std::lock_guard lock(m_mutex);
        m_readerStopped = true;
    }
    m_taken.notify_all();
    const std::lock_guard lock(m_mutex);
    return m_held.size();
}

unsigned CScriptedDevice::TakeLineErrors()
{
    const std::lock_guard lock(m_mutex);
    return std::exchange(m_lineErrors, 0u);
}

void CScriptedDevice::Purge()
{
    {
        const std::lock_guard lock(m_mutex);
        m_input.clear();
        m_held.clear();
        m_readerFull = false;
    }
    m_taken.notify_all();
}

std::string CScriptedDevice::GoneReason() const
{
    const std::lock_guard lock(m_mutex);
    return m_goneReason;
}

bool CScriptedDevice::Connected() const
{
    const std::lock_guard lock(m_mutex);
    return m_connected;
}

}  // namespace kestrion::test
