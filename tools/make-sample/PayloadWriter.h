#pragma once
// Builds a receiver payload in wire order: multi-byte integers big-endian.
#include <cstdint>
#include <string_view>
#include <vector>

namespace kestrion {

class CPayloadWriter {
public:
    explicit CPayloadWriter(uint8_t mid) { m_bytes.push_back(mid); }

    CPayloadWriter& U8(unsigned value)
    {
        m_bytes.push_back(static_cast<uint8_t>(value));
        return *this;
    }
    CPayloadWriter& U16(unsigned value) { return U8(value >> 8).U8(value); }
    CPayloadWriter& U32(uint32_t value) { return U16(value >> 16).U16(value & 0xFFFF); }
    CPayloadWriter& I16(int value) { return U16(static_cast<uint16_t>(value)); }
    CPayloadWriter& I32(int32_t value) { return U32(static_cast<uint32_t>(value)); }

    // The text NUL-padded (or cut) to the width.
    CPayloadWriter& Text(std::string_view text, size_t width)
    {
        for (size_t i = 0; i < width; ++i) {
            U8(i < text.size() ? static_cast<uint8_t>(text[i]) : 0);
        }
        return *this;
    }
    CPayloadWriter& Text(std::string_view text) { return Text(text, text.size()); }

    const std::vector<uint8_t>& Bytes() const { return m_bytes; }

private:
    std::vector<uint8_t> m_bytes;
};

}  // namespace kestrion
