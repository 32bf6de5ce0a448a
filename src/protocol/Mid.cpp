#include "protocol/Mid.h"

#include "protocol/MessageTable.h"

namespace kestrion {

std::string MidName(int mid)
{
    const MessageSpec* spec = mid >= 0 && mid <= 0xFF ? FindMessage(static_cast<uint8_t>(mid)) : nullptr;
    if (spec != nullptr && !spec->name.empty()) {
        return std::string(spec->name);
    }
    return "Unknown MID:" + std::to_string(mid);
}

}  // namespace kestrion
