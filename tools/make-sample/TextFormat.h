#pragma once
// printf-style formatting into a std::string, for the short texts of the sample.
#include <algorithm>
#include <cstdio>
#include <string>

namespace kestrion {

template <typename... Values>
std::string FormatText(const char* format, Values... values)
{
    char buffer[160];
    const int length = std::snprintf(buffer, sizeof buffer, format, values...);
    return {buffer, static_cast<size_t>(length < 0 ? 0 : std::min<int>(length, sizeof buffer - 1))};
}

}  // namespace kestrion
