#pragma once
// The settings' texts applied to a tty as a raw line.
#include <termios.h>

#include "platform/SerialDevice.h"

namespace kestrion {

// The raw line (no echo, no flow control, reads return at once with what is queued) with the
// settings' texts applied over `current`; an empty or unknown text keeps the value of
// `current`, and so does a rate without a B-constant.
termios RawLineFor(const termios& current, const SerialSettings& settings);

// Sets the tty to RawLineFor(current, settings), with rates that have no B-constant through
// termios2. False when the driver refuses the line.
bool ApplyLineSettings(int fd, const termios& current, const SerialSettings& settings);

}  // namespace kestrion
