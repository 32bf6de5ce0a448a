#pragma once
// Prints every field of a block, in layout order, through one format.
#include <cstdint>
#include <string>
#include <string_view>

#include "protocol/Layout.h"

namespace kestrion {

// Conversions in a format ("%%" is none).
constexpr size_t CountConversions(std::string_view format)
{
    size_t count = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%') {
            if (i + 1 < format.size() && format[i + 1] == '%') {
                ++i;
            } else {
                ++count;
            }
        }
    }
    return count;
}

// Every field of a block through a format with one conversion per field. Fields print by their
// own type: integers keep their signedness, floats widen to double.
void AppendLayoutFields(std::string& out, const CLayout& layout, std::string_view format, const uint8_t* block);

}  // namespace kestrion
