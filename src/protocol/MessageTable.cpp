#include "protocol/MessageTable.h"

namespace kestrion {

std::vector<uint8_t> EncodeMessage(const MessageSpec& spec, std::span<const uint8_t> block)
{
    std::vector<uint8_t> payload(spec.layout->Size());
    spec.layout->Encode(block.data(), payload.data());
    return payload;
}

}  // namespace kestrion
