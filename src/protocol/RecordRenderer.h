#pragma once
// The text form of a message record: the line or block that the log writes for it.
#include <string>

#include "protocol/MessageRecord.h"

namespace kestrion {

// Replaces out with the record's text. Returns false, with out empty, when the record has no
// text of its own (MIDs 16, 26, 27, 43, unlisted types, a MID 8 record of SV ID 0). The
// receiver software generation selects the MID 19 layout.
bool RenderRecord(const CMessageRecord& record, int generation, std::string& out);

}  // namespace kestrion
