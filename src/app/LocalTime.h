#pragma once
// strftime of a calendar time in local time.
#include <ctime>
#include <string>

namespace kestrion {

std::string FormatLocalTime(const char* format, std::time_t time);

}  // namespace kestrion
