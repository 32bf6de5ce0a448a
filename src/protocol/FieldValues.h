#pragma once
// The fields of one layout held in host order (its block), read and set by field and turned
// into or made from the big-endian wire bytes.
#include <cstdint>
#include <span>
#include <vector>

#include "protocol/Layout.h"

namespace kestrion {

class CFieldValues {
public:
    // Every field 0.
    explicit CFieldValues(const CLayout& layout) : m_layout(&layout), m_block(layout.Size()) {}

    // Wire bytes decoded; bytes past the end of a short payload read as 0.
    static CFieldValues FromWire(const CLayout& layout, std::span<const uint8_t> wire);

    int64_t Get(const LayoutField& field) const { return FieldValue(m_block.data(), field); }
    CFieldValues& Set(const LayoutField& field, int64_t value)
    {
        SetFieldValue(m_block.data(), field, value);
        return *this;
    }

    std::vector<uint8_t> Wire() const;
    std::span<const uint8_t> Block() const { return m_block; }

private:
    const CLayout* m_layout;
    std::vector<uint8_t> m_block;
};

}  // namespace kestrion
