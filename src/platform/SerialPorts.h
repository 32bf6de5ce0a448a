#pragma once
// Serial port names, the ports present on this machine, and what to tell the user when a
// port cannot be opened.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/SerialDevice.h"

namespace kestrion {

// The serial devices present, as a port list offers them: the /dev/serial/by-id links (stable
// across replugging), each followed by the device it points to ("/dev/serial/by-id/usb-X-if00
// (/dev/ttyUSB0)"), then the /dev/ttyUSB*, /dev/ttyACM* and the /dev/ttyS* ports with a UART
// behind them that no link names, each group in natural order.
std::vector<std::string> ListSerialPorts(const std::filesystem::path& devices = "/dev");

// The port an item of that list stands for: the item without the device it points to.
std::string PortOfListItem(const std::string& item);

// The port of the list's item that is the same device as the port, also when the port names
// it another way ("COM1" for /dev/ttyS0, the device a /dev/serial/by-id link points to); none
// when no item is.
std::optional<std::string> ListedPort(const std::vector<std::string>& items, const std::string& port);

// A process that has a device open.
struct PortHolder {
    std::string program;
    int pid = 0;
};

// The first process found with the device at path open; processes of other users are only
// visible with privileges.
std::optional<PortHolder> FindPortHolder(const std::string& path);

// The text for the user when opening the device at path failed with the errno value `error`.
// Its last line names the device, the reason and what usually helps: "/dev/ttyUSB0: Permission
// denied; add yourself to the group dialout (...) and log in again".
std::string OpenErrorText(const std::string& path, int error);

// The text for the user when the device at path refused the line settings.
std::string SettingsErrorText(const std::string& path);

}  // namespace kestrion
