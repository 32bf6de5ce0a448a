#pragma once
// Wall-clock time as the program sees it: real, or advanced by a virtual clock.
#include <ctime>

namespace kestrion {

class IClock {
public:
    virtual ~IClock() = default;
    virtual std::time_t Now() const = 0;
};

}  // namespace kestrion
