#include "protocol/FieldValues.h"

#include <algorithm>

namespace kestrion {

CFieldValues CFieldValues::FromWire(const CLayout& layout, std::span<const uint8_t> wire)
{
    std::vector<uint8_t> padded(layout.Size());
    std::copy_n(wire.begin(), std::min(wire.size(), padded.size()), padded.begin());
    CFieldValues values(layout);
    layout.Decode(padded.data(), values.m_block.data());
    return values;
}

std::vector<uint8_t> CFieldValues::Wire() const
{
    std::vector<uint8_t> wire(m_block.size());
    m_layout->Encode(m_block.data(), wire.data());
    return wire;
}

}  // namespace kestrion
