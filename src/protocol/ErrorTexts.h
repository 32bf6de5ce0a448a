#pragma once
// Texts of the receiver's error codes (MID 10): printf formats whose arguments are the
// message's 32-bit data words in order.
#include <cstdint>
#include <string_view>

namespace kestrion {

inline constexpr std::string_view kUnknownErrorFormat = "Unknown format: %lx %lx %lx %lx %lx %lx";

// The format of a code; kUnknownErrorFormat for codes not in the table.
std::string_view ErrorFormat(uint16_t code);

}  // namespace kestrion
