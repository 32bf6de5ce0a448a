#pragma once
// The baud rates a receiver line can run at, as numbers and as termios speeds.
#include <termios.h>

namespace kestrion {

bool IsKnownBaud(long baud);

// B0 for a rate that is not known.
speed_t SpeedOfBaud(long baud);

}  // namespace kestrion
