#include "app/LocalTime.h"

namespace kestrion {

std::string FormatLocalTime(const char* format, std::time_t time)
{
    std::tm local{};
    localtime_r(&time, &local);
    char text[128];
    const size_t length = std::strftime(text, sizeof text, format, &local);
    return std::string(text, length);
}

}  // namespace kestrion
