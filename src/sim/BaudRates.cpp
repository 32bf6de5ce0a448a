#include "sim/BaudRates.h"

namespace kestrion {
namespace {

struct BaudSpeed {
    int baud;
    speed_t speed;
};

constexpr BaudSpeed kRates[] = {
    {1200, B1200},   {2400, B2400},   {4800, B4800},     {9600, B9600},
    {19200, B19200}, {38400, B38400}, {57600, B57600},   {115200, B115200},
};

}  // namespace

bool IsKnownBaud(long baud)
{
    return SpeedOfBaud(baud) != B0;
}

speed_t SpeedOfBaud(long baud)
{
    for (const BaudSpeed& rate : kRates) {
        if (rate.baud == baud) {
            return rate.speed;
        }
    }
    return B0;
}

}  // namespace kestrion
