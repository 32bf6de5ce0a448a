#pragma once
// Decoding of recorded text lines: truth position lines and hexadecimal message lines.
#include <cstdint>
#include <string>
#include <string_view>

#include "protocol/MessageRecord.h"

namespace kestrion {

inline constexpr std::string_view kLineInvalidData = "Invalid data encountered.";
inline constexpr std::string_view kLineCountMismatch = "Item counts not equal.";

// Decodes one line, as read from the file with its line end, into the record.
// Seven decimal fields make a truth record (MID 1) at the given week and time offset
// (1/100 s); otherwise the fields are hexadecimal: the declared count, the MID and the bytes of
// the MID's block. Returns true when the error text is left empty.
bool DecodeLine(CMessageRecord& record, std::string_view line, std::string& error,
                uint16_t truthWeek, uint32_t truthTowOffset);

}  // namespace kestrion
