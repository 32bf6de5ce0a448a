#include "protocol/MessageTable.h"

namespace kestrion {

std::vector<uint8_t> EncodeMessage(const MessageKind& kind, std::span<const uint8_t> block)
{
    std::vector<uint8_t> payload(kind.layout->Size());
    kind.layout->Encode(block.data(), payload.data());
    return payload;
}

}  // namespace kestrion
