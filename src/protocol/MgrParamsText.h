#pragma once
// The navigation parameter block that answers a manager parameter poll (MID 19).
#include <string>

#include "protocol/MessageBlocks.h"

namespace kestrion {

void AppendMgrParams(std::string& out, const MgrParams1Block& block);  // generation 1
void AppendMgrParams(std::string& out, const MgrParamsBlock& block);   // later generations

// The power, user task and acquisition lines that end the later generations' block.
std::string MgrPowerLines(const MgrParamsBlock& block);

}  // namespace kestrion
