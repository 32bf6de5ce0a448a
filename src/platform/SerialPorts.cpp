#include "platform/SerialPorts.h"

#include <fcntl.h>
#include <grp.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <functional>
#include <iterator>
#include <string_view>
#include <tuple>
#include <utility>

#include "platform/FileText.h"
#include "platform/NetworkAddress.h"

namespace kestrion {
namespace {

namespace fs = std::filesystem;

constexpr const char* kCannotOpen = "Error.. Cannot create UART handle.\nComm port is not available or may be in use.";

// Calls visit for each entry of the folder until it returns false; entries that vanish
// while listing (processes ending) are skipped.
void ForEachEntry(const fs::path& folder, const std::function<bool(const fs::path&)>& visit)
{
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        if (!visit(entry->path())) {
            return;
        }
    }
}

std::optional<unsigned> NumberOf(std::string_view text)
{
    unsigned value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// "ttyS2" before "ttyS10": names compare by their text before the trailing digits, then by
// the number the digits make.
bool NaturalLess(std::string_view a, std::string_view b)
{
    const auto split = [](std::string_view name) {
        const size_t digits = name.find_last_not_of("0123456789") + 1;
        return std::pair(name.substr(0, digits), name.substr(digits));
    };
    const auto [stemA, numberA] = split(a);
    const auto [stemB, numberB] = split(b);
    return std::tuple(stemA, numberA.size(), numberA) < std::tuple(stemB, numberB.size(), numberB);
}

std::vector<std::string> DevicesIn(const fs::path& folder, std::string_view prefix)
{
    std::vector<std::string> paths;
    ForEachEntry(folder, [&](const fs::path& entry) {
        std::error_code error;
        if (entry.filename().string().starts_with(prefix) && fs::exists(entry, error)) {
            paths.push_back(entry.string());
        }
        return true;
    });
    std::ranges::sort(paths, NaturalLess);
    return paths;
}

// There is a ttyS node for every possible 8250 port; only one with a UART answers. A port
// the user may not open counts when sysfs does not say it has no UART.
bool HasUart(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == EACCES || errno == EPERM) {
            const auto type = ReadFileText(fs::path("/sys/class/tty") / fs::path(path).filename() / "type");
            return !type || !type->starts_with('0');
        }
        return errno == EBUSY;
    }
    serial_struct info {};
    termios line {};
    const bool present =
        ::ioctl(fd, TIOCGSERIAL, &info) == 0 ? info.type != PORT_UNKNOWN : ::tcgetattr(fd, &line) == 0;
    ::close(fd);
    return present;
}

std::string ProgramOf(const fs::path& process)
{
    std::string name = ReadFileText(process / "comm").value_or("?");
    while (!name.empty() && name.back() == '\n') {
        name.pop_back();
    }
    return name;
}

std::string BusyHint(const std::string& path)
{
    const auto holder = FindPortHolder(path);
    if (!holder) {
        return "; it is held by another program, ModemManager and brltty are the usual suspects";
    }
    std::string hint = "; it is held by " + holder->program + " (pid " + std::to_string(holder->pid) + ")";
    if (holder->program == "ModemManager" || holder->program == "brltty") {
        hint += ". ModemManager and brltty take serial ports for modems and braille displays: stop or remove it";
    }
    return hint;
}

// Unix98 pseudo-terminal slaves: majors 136 to 143.
bool IsPseudoTerminal(const struct stat& device)
{
    return S_ISCHR(device.st_mode) && major(device.st_rdev) >= 136 && major(device.st_rdev) <= 143;
}

// Membership of the group that owns the device, when that group may read and write it: not
// for a pseudo-terminal, nor for a device only root's group may use.
std::string GroupHint(const std::string& path)
{
    struct stat device {};
    constexpr mode_t kGroupUse = S_IRGRP | S_IWGRP;
    if (::stat(path.c_str(), &device) != 0 || IsPseudoTerminal(device) || device.st_gid == 0 ||
        (device.st_mode & kGroupUse) != kGroupUse) {
        return {};
    }
    std::string name = std::to_string(device.st_gid);
    group entry {};
    group* found = nullptr;
    char buffer[4096];
    if (::getgrgid_r(device.st_gid, &entry, buffer, sizeof buffer, &found) == 0 && found != nullptr) {
        name = found->gr_name;
    }
    return "; add yourself to the group " + name + " (sudo usermod -aG " + name + " $USER) and log in again";
}

// One line: the device, the reason and the hint.
std::string OpenFailureLine(const std::string& path, int error)
{
    std::string line = path + ": " + std::strerror(error);
    if (error == EACCES || error == EPERM) {
        line += GroupHint(path);
    } else if (error == EBUSY) {
        line += BusyHint(path);
    }
    return line;
}

}  // namespace

std::string DevicePathOf(const std::string& portName)
{
    // An item taken from the port list as it is shown names its link.
    const std::string port = PortOfListItem(portName);
    std::string_view name = port;
    if (name.starts_with("\\\\.\\")) {
        name.remove_prefix(4);
    }
    if (name.starts_with('/') || IsNetworkPort(name)) {
        return std::string(name);
    }
    if (name.starts_with("COM")) {
        const auto number = NumberOf(name.substr(3));
        if (number && *number > 0) {
            return "/dev/ttyS" + std::to_string(*number - 1);
        }
    }
    return "/dev/" + std::string(name);
}

std::vector<std::string> ListSerialPorts(const std::filesystem::path& devices)
{
    std::vector<std::string> ports;
    std::vector<fs::path> named;
    for (const std::string& link : DevicesIn(devices / "serial" / "by-id", "")) {
        std::error_code error;
        const fs::path device = fs::canonical(link, error);
        ports.push_back(error ? link : link + " (" + device.string() + ")");
        named.push_back(device);
    }
    const auto unnamed = [&named](const std::string& path) {
        std::error_code error;
        return std::ranges::find(named, fs::canonical(path, error)) == named.end();
    };
    for (const char* prefix : {"ttyUSB", "ttyACM"}) {
        std::ranges::copy_if(DevicesIn(devices, prefix), std::back_inserter(ports), unnamed);
    }
    std::ranges::copy_if(DevicesIn(devices, "ttyS"), std::back_inserter(ports),
                         [&unnamed](const std::string& path) { return unnamed(path) && HasUart(path); });
    return ports;
}

std::string PortOfListItem(const std::string& item)
{
    // Device paths hold no blank; the device a link points to follows one.
    const size_t note = item.find(" (/");
    return note != std::string::npos && item.ends_with(')') ? item.substr(0, note) : item;
}

std::optional<std::string> ListedPort(const std::vector<std::string>& items, const std::string& port)
{
    if (port.empty()) {
        return std::nullopt;
    }
    const std::string device = DevicePathOf(port);
    for (const std::string& item : items) {
        const std::string itemPort = PortOfListItem(item);
        // A link's item ends with the device it points to: "LINK (DEVICE)".
        const size_t note = item.size() - itemPort.size();
        const std::string pointedTo = note > 3 ? item.substr(itemPort.size() + 2, note - 3) : std::string();
        if (DevicePathOf(itemPort) == device || pointedTo == device) {
            return itemPort;
        }
    }
    return std::nullopt;
}

std::optional<PortHolder> FindPortHolder(const std::string& path)
{
    struct stat device {};
    if (::stat(path.c_str(), &device) != 0 || !S_ISCHR(device.st_mode)) {
        return std::nullopt;
    }
    std::optional<PortHolder> holder;
    ForEachEntry("/proc", [&](const fs::path& process) {
        const auto pid = NumberOf(process.filename().string());
        if (!pid) {
            return true;
        }
        ForEachEntry(process / "fd", [&](const fs::path& link) {
            struct stat target {};
            if (::stat(link.c_str(), &target) == 0 && S_ISCHR(target.st_mode) && target.st_rdev == device.st_rdev) {
                holder = PortHolder {ProgramOf(process), static_cast<int>(*pid)};
            }
            return !holder;
        });
        return !holder;
    });
    return holder;
}

std::string OpenErrorText(const std::string& path, int error)
{
    return std::string(kCannotOpen) + "\n" + OpenFailureLine(path, error);
}

std::string SettingsErrorText(const std::string& path)
{
    return std::string(kCannotOpen) + "\n" + path + " does not accept these line settings.";
}

}  // namespace kestrion
