#include "platform/TermiosSerial.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

#include "platform/BaudRate.h"
#include "platform/LineSettings.h"
#include "platform/SerialPorts.h"

namespace kestrion {
namespace {

constexpr short kHangUp = POLLHUP | POLLERR | POLLNVAL;
constexpr auto kWriteStall = std::chrono::seconds(3);

// The open descriptor, or -1 with errno set; closed again when a step fails.
int OpenExclusive(const std::string& path, termios& original)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    if (::ioctl(fd, TIOCEXCL) != 0 || ::tcgetattr(fd, &original) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

// Waits until the descriptor takes output; false on time-out or hang-up.
bool WaitWritable(int fd, std::chrono::steady_clock::time_point deadline)
{
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return false;
        }
        pollfd request {fd, POLLOUT, 0};
        const int ready = ::poll(&request, 1, static_cast<int>(left.count()));
        if (ready > 0) {
            return (request.revents & kHangUp) == 0;
        }
        if (ready < 0 && errno != EINTR) {
            return false;
        }
    }
}

}  // namespace

std::unique_ptr<CTermiosSerial> CTermiosSerial::Open(const std::string& path, const SerialSettings& settings,
                                                     std::string& error)
{
    termios original {};
    const int fd = OpenExclusive(path, original);
    if (fd < 0) {
        error = OpenErrorText(path, errno);
        return nullptr;
    }
    std::unique_ptr<CTermiosSerial> device(new CTermiosSerial(fd, original, ReadBaudRate(fd)));
    if (!ApplyLineSettings(fd, original, settings)) {
        error = SettingsErrorText(path);
        return nullptr;
    }
    // Drops what arrived before the line was set up.
    device->Purge();
    device->m_lineCounts = device->ReadLineCounts();
    error.clear();
    return device;
}

CTermiosSerial::CTermiosSerial(int fd, const termios& original, unsigned originalRate)
    : m_fd(fd), m_original(original), m_originalRate(originalRate)
{
}

CTermiosSerial::~CTermiosSerial()
{
    Purge();
    ::tcsetattr(m_fd, TCSANOW, &m_original);
    // tcsetattr cannot express a rate without a B-constant.
    if (m_originalRate != 0 && ReadBaudRate(m_fd) != m_originalRate) {
        SetCustomBaudRate(m_fd, m_originalRate);
    }
    ::ioctl(m_fd, TIOCNXCL);
    ::close(m_fd);
}

ISerialDevice::Wait CTermiosSerial::WaitForInput(int timeoutMs, int wakeFd)
{
    pollfd requests[2] = {{m_fd, POLLIN, 0}, {wakeFd, POLLIN, 0}};
    const int ready = ::poll(requests, 2, timeoutMs);
    if (ready < 0) {
        // A signal ends the wait early; the caller waits again.
        return errno == EINTR ? Wait::Timeout : Wait::Gone;
    }
    // A pty slave sees a hang-up when its master closed, a USB tty when it was unplugged.
    if (requests[0].revents & kHangUp) {
        return Wait::Gone;
    }
    if (requests[1].revents != 0) {
        return Wait::Woken;
    }
    return ready > 0 ? Wait::Readable : Wait::Timeout;
}

long CTermiosSerial::Read(uint8_t* buffer, size_t count)
{
    for (;;) {
        const ssize_t got = ::read(m_fd, buffer, count);
        if (got > 0) {
            return got;
        }
        if (got == 0) {
            // A raw line returns 0 when nothing is queued, and also once it has been hung up.
            return HungUp() ? -1 : 0;
        }
        if (errno == EINTR) {
            continue;
        }
        return errno == EAGAIN ? 0 : -1;
    }
}

bool CTermiosSerial::Write(const uint8_t* bytes, size_t count)
{
    auto deadline = std::chrono::steady_clock::now() + kWriteStall;
    while (count > 0) {
        const ssize_t written = ::write(m_fd, bytes, count);
        if (written > 0) {
            bytes += written;
            count -= static_cast<size_t>(written);
            deadline = std::chrono::steady_clock::now() + kWriteStall;
        } else if (written < 0 && errno == EINTR) {
            continue;
        } else if ((written == 0 || errno == EAGAIN) && WaitWritable(m_fd, deadline)) {
            continue;
        } else {
            return false;
        }
    }
    return true;
}

size_t CTermiosSerial::OutputQueued()
{
    int queued = 0;
    return ::ioctl(m_fd, TIOCOUTQ, &queued) == 0 && queued > 0 ? static_cast<size_t>(queued) : 0;
}

unsigned CTermiosSerial::TakeLineErrors()
{
    if (!m_lineCounts) {
        return 0;
    }
    const auto counts = ReadLineCounts();
    if (!counts) {
        return 0;
    }
    static constexpr std::array<unsigned, 5> bits {CE_FRAME, CE_OVERRUN, CE_RXPARITY, CE_BREAK, CE_RXOVER};
    unsigned errors = 0;
    for (size_t i = 0; i < bits.size(); ++i) {
        if ((*counts)[i] != (*m_lineCounts)[i]) {
            errors |= bits[i];
        }
    }
    m_lineCounts = counts;
    return errors;
}

void CTermiosSerial::Purge()
{
    ::tcflush(m_fd, TCIOFLUSH);
}

std::optional<CTermiosSerial::LineCounts> CTermiosSerial::ReadLineCounts() const
{
    serial_icounter_struct counts {};
    if (::ioctl(m_fd, TIOCGICOUNT, &counts) != 0) {
        return std::nullopt;
    }
    return LineCounts {counts.frame, counts.overrun, counts.parity, counts.brk, counts.buf_overrun};
}

bool CTermiosSerial::HungUp() const
{
    pollfd request {m_fd, POLLIN, 0};
    return ::poll(&request, 1, 0) > 0 && (request.revents & kHangUp) != 0;
}

std::unique_ptr<ISerialDevice> CTermiosSerialFactory::Open(const std::string& path, const SerialSettings& settings,
                                                           std::string& error)
{
    return CTermiosSerial::Open(DevicePathOf(path), settings, error);
}

}  // namespace kestrion
