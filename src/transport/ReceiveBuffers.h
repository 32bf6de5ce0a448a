#pragma once
// The two receive buffers between the serial reader thread and the GUI thread: the reader
// appends to the active one, the GUI thread swaps them every tick and frames the one it took.
// One mutex guards the counts and the active index, so no append can land in a buffer that
// was already handed over.
#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>

namespace kestrion {

class CReceiveBuffers {
public:
    static constexpr size_t kSize = 4096;

    // Reader thread: read(at, room) fills at most the free room of the active buffer and
    // returns the number of bytes it stored (or a negative failure). Returns what read returned;
    // 0 without calling it when the buffer is full.
    template <typename ReadFunction>
    long Fill(ReadFunction read)
    {
        std::lock_guard lock(m_lock);
        Buffer& active = m_buffers[m_active];
        if (active.count == kSize) {
            return 0;
        }
        const long stored = read(active.bytes.data() + active.count, kSize - active.count);
        if (stored > 0) {
            active.count += static_cast<size_t>(stored);
        }
        return stored;
    }

    bool Full() const;

    // GUI thread: empties the other buffer, makes it active and returns the bytes of the one
    // that was active; they stay untouched until the next swap.
    std::span<const uint8_t> Swap();

    // Both counts back to 0.
    void Clear();

private:
    struct Buffer {
        std::array<uint8_t, kSize> bytes{};
        size_t count = 0;
    };

    mutable std::mutex m_lock;
    std::array<Buffer, 2> m_buffers{};
    size_t m_active = 0;
};

}  // namespace kestrion
