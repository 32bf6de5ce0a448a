#pragma once
// The receiver's serial line settings as the port dialogs list them, and the texts as numbers.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/DialogForm.h"

namespace kestrion {

inline const std::vector<std::string> kBaudItems = {"1200", "2400", "4800", "9600", "19200", "38400", "57600"};
inline const std::vector<std::string> kDataBitsItems = {"7", "8"};
inline const std::vector<std::string> kParityItems = {"NONE", "ODD", "EVEN"};
inline const std::vector<std::string> kStopBitsItems = {"0", "1"};

// A list item as a number; the lists hold decimal texts only, and an empty one is 0.
inline uint32_t ItemNumber(std::string_view text)
{
    return static_cast<uint32_t>(ParseFormInteger(text).value_or(0));
}

}  // namespace kestrion
