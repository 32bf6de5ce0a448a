#include "protocol/Mid.h"

#include "protocol/MessageTable.h"

namespace kestrion {

std::string MidName(int mid)
{
    const MessageKind* kind = mid >= 0 && mid <= 0xFF ? FindMessage(static_cast<uint8_t>(mid)) : nullptr;
    if (kind != nullptr && !kind->name.empty()) {
        return std::string(kind->name);
    }
    return "Unknown MID:" + std::to_string(mid);
}

}  // namespace kestrion
