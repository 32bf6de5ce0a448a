#pragma once
// A printf-like text as a new string, for the fields and lines of the views.
#include <initializer_list>
#include <string>
#include <string_view>

#include "protocol/TextFormatter.h"

namespace kestrion {

inline std::string FormatText(std::string_view format, std::initializer_list<CFormatArg> args)
{
    std::string text;
    AppendFormat(text, format, args);
    return text;
}

}  // namespace kestrion
