#pragma once
// The baud rates a receiver line can run at, as numbers and as termios speeds.
#include <termios.h>

namespace kestrion {

bool IsKnownBaud(long baud);

// B0 for a rate that is not known.
speed_t SpeedOfBaud(long baud);

// 0 for a speed that is not one of the known rates.
int BaudOfSpeed(speed_t speed);

}  // namespace kestrion
