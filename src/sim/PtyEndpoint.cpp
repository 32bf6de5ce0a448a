#include "sim/PtyEndpoint.h"

#include <fcntl.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "platform/BaudRate.h"
#include "sim/BaudRates.h"

namespace kestrion {

CPtyEndpoint::~CPtyEndpoint()
{
    if (m_slave >= 0) {
        close(m_slave);
    }
    if (m_master >= 0) {
        close(m_master);
    }
}

bool CPtyEndpoint::Open(int baud, int64_t nowMs, std::string& error)
{
    std::array<char, 256> name{};
    termios line{};
    cfmakeraw(&line);
    line.c_cflag |= CLOCAL | CREAD;
    const speed_t speed = SpeedOfBaud(baud);
    if (speed == B0) {
        error = "unsupported baud rate " + std::to_string(baud);
        return false;
    }
    cfsetispeed(&line, speed);
    cfsetospeed(&line, speed);
    if (openpty(&m_master, &m_slave, name.data(), &line, nullptr) != 0) {
        error = std::string("openpty: ") + std::strerror(errno);
        return false;
    }
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
    m_slavePath = name.data();
    m_pacer = CBytePacer(nowMs);
    return true;
}

int CPtyEndpoint::LineBaud() const
{
    // The kernel's rate, whether the program set a B-constant or a termios2 rate.
    return static_cast<int>(ReadBaudRate(m_slave));
}

void CPtyEndpoint::Read(std::vector<uint8_t>& into)
{
    std::array<uint8_t, 4096> chunk{};
    for (;;) {
        const ssize_t count = read(m_master, chunk.data(), chunk.size());
        if (count <= 0) {
            return;
        }
        into.insert(into.end(), chunk.begin(), chunk.begin() + count);
    }
}

size_t CPtyEndpoint::Room(int64_t nowMs, int baud)
{
    return m_pacer.Allowance(nowMs, baud);
}

void CPtyEndpoint::Write(std::span<const uint8_t> bytes)
{
    m_pacer.Spend(bytes.size());
    while (!bytes.empty()) {
        const ssize_t count = write(m_master, bytes.data(), bytes.size());
        if (count <= 0) {
            return;
        }
        bytes = bytes.subspan(static_cast<size_t>(count));
    }
}

void CPtyEndpoint::DropStaleOutput(size_t keepBytes)
{
    int waiting = 0;
    if (ioctl(m_slave, FIONREAD, &waiting) == 0 && static_cast<size_t>(waiting) > keepBytes) {
        tcflush(m_slave, TCIFLUSH);
    }
}

}  // namespace kestrion
