#pragma once
// The navigation parameter block that answers a manager parameter poll (MID 19).
#include <string>

#include "protocol/MessageBlocks.h"

namespace kestrion {

// The log's text, or the response view's: no title line, "ElevMask: " with a blank, the tenths
// inserted as texts, the on/off word for AltConstraint, "S/W" for the software DGPS source and a
// line feed after the generation 1 block.
enum class MgrParamsWording { Log, Response };

void AppendMgrParams(std::string& out, const MgrParams1Block& block,  // generation 1
                     MgrParamsWording wording = MgrParamsWording::Log);
void AppendMgrParams(std::string& out, const MgrParamsBlock& block,  // later generations
                     MgrParamsWording wording = MgrParamsWording::Log);

}  // namespace kestrion
