#pragma once
// Bytes as upper-case hexadecimal digits.
#include <cstdint>
#include <string>

namespace kestrion {

inline constexpr char kHexDigits[] = "0123456789ABCDEF";

// Appends the byte's two digits.
inline void AppendHex(std::string& out, uint8_t byte)
{
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 0x0F];
}

}  // namespace kestrion
