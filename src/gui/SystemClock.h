#pragma once
// The wall clock.
#include "platform/Clock.h"

namespace kestrion {

class CSystemClock : public IClock {
public:
    std::time_t Now() const override { return std::time(nullptr); }
};

}  // namespace kestrion
