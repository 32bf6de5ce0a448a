#pragma once
// Uniform integers 0..32767 from a seedable Mersenne Twister.
#include <cstdint>
#include <random>

#include "transport/RandomGenerator.h"

namespace kestrion {

class CStdRandom : public IRandomGenerator {
public:
    // Seeded from the system's random device.
    CStdRandom();
    // Reproducible: the same seed gives the same sequence.
    explicit CStdRandom(uint32_t seed);

    int Next() override;

private:
    std::mt19937 m_engine;
    std::uniform_int_distribution<int> m_range{0, 32767};
};

}  // namespace kestrion
