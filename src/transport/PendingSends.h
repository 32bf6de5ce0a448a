#pragma once
// Commands held while the receiver says it is not ready: their bytes in order (at most 1024)
// and the MIDs of the binary commands among them, logged when the bytes are written.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kestrion {

class CPendingSends {
public:
    static constexpr size_t kSize = 1024;

    // Appends the bytes; false, leaving the buffer as it was, when they do not fit.
    bool Append(std::span<const uint8_t> bytes, std::optional<uint8_t> mid);

    bool Empty() const { return m_count == 0; }
    std::span<const uint8_t> Bytes() const { return {m_bytes.data(), m_count}; }
    const std::vector<uint8_t>& Mids() const { return m_mids; }
    void Clear();

private:
    std::array<uint8_t, kSize> m_bytes{};
    size_t m_count = 0;
    std::vector<uint8_t> m_mids;
};

}  // namespace kestrion
