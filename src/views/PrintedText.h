#pragma once
// The text of a text record (MID 255) as the views print it with "%s": up to its first NUL.
#include <string_view>

#include "protocol/MessageRecord.h"

namespace kestrion {

inline std::string_view PrintedText(const CMessageRecord& record)
{
    const std::string_view text = record.Text();
    return text.substr(0, text.find('\0'));
}

}  // namespace kestrion
