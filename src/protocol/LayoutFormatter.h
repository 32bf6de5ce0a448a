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

// A block with its layout and the format that prints it, one conversion per field.
struct LayoutText {
    CLayout layout;
    std::string_view format;

    constexpr bool Matches() const { return CountConversions(format) == layout.Fields().size(); }
};

// Fields print by their own type: integers keep their signedness, floats widen to double.
void AppendLayoutFields(std::string& out, const LayoutText& text, const uint8_t* block);

}  // namespace kestrion
