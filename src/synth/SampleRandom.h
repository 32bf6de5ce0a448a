#pragma once
// A small deterministic generator (splitmix64): the same seed gives the same stream on every
// platform, unlike the standard distributions.
#include <cstdint>

namespace kestrion {

class CSampleRandom {
public:
    explicit CSampleRandom(uint64_t seed) : m_state(seed) {}

    uint64_t Next()
    {
        uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1).
    double Unit() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }

    // Uniform integer in [low, high].
    int Between(int low, int high)
    {
        const auto span = static_cast<uint64_t>(high - low) + 1;
        return low + static_cast<int>(Next() % span);
    }

    // Roughly normal, mean 0, standard deviation about sigma.
    double Noise(double sigma) { return (Unit() + Unit() + Unit() - 1.5) * 2.0 * sigma; }

    bool Chance(double probability) { return Unit() < probability; }

private:
    uint64_t m_state;
};

}  // namespace kestrion
