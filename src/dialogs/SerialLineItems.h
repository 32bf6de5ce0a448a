#pragma once
// The receiver's serial line settings as the port dialogs list them, and the ports offered.
#include <string>
#include <vector>

namespace kestrion {

// The rates the receiver can be set to.
inline const std::vector<std::string> kBaudItems = {"1200", "2400", "4800", "9600", "19200", "38400", "57600"};
// The rates this side's port runs at: the receiver's and the fast ones of other receivers.
inline const std::vector<std::string> kPortBaudItems = {"1200",   "2400",   "4800",   "9600",  "19200", "38400",
                                                        "57600",  "115200", "230400", "460800", "921600"};
inline const std::vector<std::string> kDataBitsItems = {"7", "8"};
inline const std::vector<std::string> kParityItems = {"NONE", "ODD", "EVEN"};
inline const std::vector<std::string> kStopBitsItems = {"0", "1"};

// "COM1" to "COM<count>", then the serial devices of this machine.
inline std::vector<std::string> PortItems(int count, const std::vector<std::string>& devices)
{
    std::vector<std::string> items;
    for (int port = 1; port <= count; ++port) {
        items.push_back("COM" + std::to_string(port));
    }
    items.insert(items.end(), devices.begin(), devices.end());
    return items;
}

}  // namespace kestrion
