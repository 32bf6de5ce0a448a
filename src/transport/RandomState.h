#pragma once
// Program-wide state of the random source: it continues across restarts.
namespace kestrion {

struct RandomState {
    int tickCounter = 0;
    int timeOfWeek = 10;  // 1/100 s
};

}  // namespace kestrion
