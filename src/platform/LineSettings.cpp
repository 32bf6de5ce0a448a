#include "platform/LineSettings.h"

#include <array>
#include <cerrno>
#include <optional>
#include <utility>

#include "platform/BaudRate.h"
#include "platform/SerialLine.h"

namespace kestrion {
namespace {

std::optional<speed_t> StandardSpeed(unsigned rate)
{
    static constexpr std::array<std::pair<unsigned, speed_t>, 30> speeds {{
        {50, B50},           {75, B75},           {110, B110},         {134, B134},
        {150, B150},         {200, B200},         {300, B300},         {600, B600},
        {1200, B1200},       {1800, B1800},       {2400, B2400},       {4800, B4800},
        {9600, B9600},       {19200, B19200},     {38400, B38400},     {57600, B57600},
        {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
        {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000},
        {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
        {3500000, B3500000}, {4000000, B4000000},
    }};
    for (const auto& [value, speed] : speeds) {
        if (value == rate) {
            return speed;
        }
    }
    return std::nullopt;
}

// Mark and space are stick parity: CMSPAR with PARODD for mark, without it for space.
tcflag_t ParityFlags(Parity parity)
{
    switch (parity) {
    case Parity::None: return 0;
    case Parity::Even: return PARENB;
    case Parity::Odd: return PARENB | PARODD;
    case Parity::Mark: return PARENB | CMSPAR | PARODD;
    case Parity::Space: return PARENB | CMSPAR;
    }
    return 0;
}

termios RawLine(const termios& current, const SerialLine& settings)
{
    termios line = current;
    // cfmakeraw also forces 8 bits without parity; the byte format of `current` is kept.
    ::cfmakeraw(&line);
    const tcflag_t format = CSIZE | PARENB;
    line.c_cflag = (line.c_cflag & ~format) | (current.c_cflag & format);
    line.c_cflag = (line.c_cflag | CLOCAL | CREAD) & ~CRTSCTS;
    line.c_iflag = (line.c_iflag | INPCK) & ~(IXOFF | IXANY);
    line.c_cc[VMIN] = 0;
    line.c_cc[VTIME] = 0;

    if (settings.dataBits) {
        static constexpr std::array<tcflag_t, 4> sizes {CS5, CS6, CS7, CS8};
        line.c_cflag = (line.c_cflag & ~CSIZE) | sizes[*settings.dataBits - 5];
    }
    if (settings.parity) {
        line.c_cflag = (line.c_cflag & ~(PARENB | PARODD | CMSPAR)) | ParityFlags(*settings.parity);
    }
    // Linux has no one and a half stop bits: "1.5" gives two (the UART sends 1.5 for 5-bit bytes).
    if (settings.twoStopBits) {
        line.c_cflag = *settings.twoStopBits ? line.c_cflag | CSTOPB : line.c_cflag & ~CSTOPB;
    }
    const auto speed = settings.baud ? StandardSpeed(*settings.baud) : std::nullopt;
    if (speed) {
        ::cfsetispeed(&line, *speed);
        ::cfsetospeed(&line, *speed);
    }
    return line;
}

}  // namespace

termios RawLineFor(const termios& current, const SerialSettings& settings)
{
    return RawLine(current, SerialLine::Of(settings));
}

bool ApplyLineSettings(int fd, const termios& current, const SerialSettings& settings)
{
    const SerialLine parsed = SerialLine::Of(settings);
    const termios line = RawLine(current, parsed);
    // glibc reports EINVAL when the driver silently changed the byte format (a pty has
    // none, some adapters lack 5 or 6 bits); the rest of the line is set then.
    if (::tcsetattr(fd, TCSANOW, &line) != 0 && errno != EINVAL) {
        return false;
    }
    return !parsed.baud || StandardSpeed(*parsed.baud) || SetCustomBaudRate(fd, *parsed.baud);
}

}  // namespace kestrion
