#include "transport/StdRandom.h"

namespace kestrion {

CStdRandom::CStdRandom() : CStdRandom(std::random_device{}()) {}

CStdRandom::CStdRandom(uint32_t seed) : m_engine(seed) {}

int CStdRandom::Next()
{
    return m_range(m_engine);
}

}  // namespace kestrion
