#pragma once
// Keeps a sender within the byte rate of its baud (10 bits a byte: start, 8 data, stop).
#include <cstddef>
#include <cstdint>

namespace kestrion {

class CBytePacer {
public:
    // The most that may be saved up while idle, in milliseconds of line time.
    static constexpr int64_t kBurstMs = 20;

    explicit CBytePacer(int64_t nowMs) : m_lastMs(nowMs) {}

    // Bytes that may be sent now at the baud.
    size_t Allowance(int64_t nowMs, int baud);

    // Takes bytes that were sent from the allowance.
    void Spend(size_t bytes);

private:
    int64_t m_lastMs;
    double m_credit = 0.0;  // bytes
};

}  // namespace kestrion
