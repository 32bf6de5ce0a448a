#pragma once
// The text of a receiver answer in the response view: software version, clock status,
// acknowledgements, rejections and navigation parameters. Close to the log texts, but worded
// for reading.
#include <string>

#include "protocol/MessageRecord.h"

namespace kestrion {

// Replaces out with the record's text, lines separated by line feeds. False, with out empty,
// for the types the response view does not show. The generation selects the MID 19 layout.
bool RenderResponse(const CMessageRecord& record, int generation, std::string& out);

}  // namespace kestrion
