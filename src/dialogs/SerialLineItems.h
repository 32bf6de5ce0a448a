#pragma once
// The receiver's serial line settings as the port dialogs list them.
#include <string>
#include <vector>

namespace kestrion {

inline const std::vector<std::string> kBaudItems = {"1200", "2400", "4800", "9600", "19200", "38400", "57600"};
inline const std::vector<std::string> kDataBitsItems = {"7", "8"};
inline const std::vector<std::string> kParityItems = {"NONE", "ODD", "EVEN"};
inline const std::vector<std::string> kStopBitsItems = {"0", "1"};

}  // namespace kestrion
