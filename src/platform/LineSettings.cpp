#include "platform/LineSettings.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <optional>
#include <utility>

#include "platform/BaudRate.h"

namespace kestrion {
namespace {

// The value of the text's leading decimal digits.
std::optional<unsigned> DecimalOf(const std::string& text)
{
    unsigned value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc()) {
        return std::nullopt;
    }
    return value;
}

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

void SetDataBits(termios& line, const std::string& text)
{
    static constexpr std::array<tcflag_t, 4> sizes {CS5, CS6, CS7, CS8};
    const auto bits = DecimalOf(text);
    if (bits && *bits >= 5 && *bits <= 8) {
        line.c_cflag = (line.c_cflag & ~CSIZE) | sizes[*bits - 5];
    }
}

// Mark and space are stick parity: CMSPAR with PARODD for mark, without it for space.
void SetParity(termios& line, const std::string& text)
{
    tcflag_t flags = 0;
    switch (text.empty() ? '\0' : text.front()) {
    case 'N':
        break;
    case 'E':
        flags = PARENB;
        break;
    case 'O':
        flags = PARENB | PARODD;
        break;
    case 'M':
        flags = PARENB | CMSPAR | PARODD;
        break;
    case 'S':
        flags = PARENB | CMSPAR;
        break;
    default:
        return;
    }
    line.c_cflag = (line.c_cflag & ~(PARENB | PARODD | CMSPAR)) | flags;
}

// Linux has no one and a half stop bits: "1.5" gives two (the UART sends 1.5 for 5-bit bytes).
void SetStopBits(termios& line, const std::string& text)
{
    if (text.empty()) {
        return;
    }
    if (text == "1") {
        line.c_cflag &= ~CSTOPB;
    } else {
        line.c_cflag |= CSTOPB;
    }
}

std::optional<unsigned> NewRate(const SerialSettings& settings)
{
    // Rate 0 would hang the line up; it keeps the current rate like an empty text.
    const auto rate = DecimalOf(settings.baud);
    return rate && *rate > 0 ? rate : std::nullopt;
}

}  // namespace

termios RawLineFor(const termios& current, const SerialSettings& settings)
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

    SetDataBits(line, settings.dataBits);
    SetParity(line, settings.parity);
    SetStopBits(line, settings.stopBits);
    const auto rate = NewRate(settings);
    const auto speed = rate ? StandardSpeed(*rate) : std::nullopt;
    if (speed) {
        ::cfsetispeed(&line, *speed);
        ::cfsetospeed(&line, *speed);
    }
    return line;
}

bool ApplyLineSettings(int fd, const termios& current, const SerialSettings& settings)
{
    const termios line = RawLineFor(current, settings);
    // glibc reports EINVAL when the driver silently changed the byte format (a pty has
    // none, some adapters lack 5 or 6 bits); the rest of the line is set then.
    if (::tcsetattr(fd, TCSANOW, &line) != 0 && errno != EINVAL) {
        return false;
    }
    const auto rate = NewRate(settings);
    return !rate || StandardSpeed(*rate) || SetCustomBaudRate(fd, *rate);
}

}  // namespace kestrion
