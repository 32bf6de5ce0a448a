#pragma once
// Line rates that have no B-constant, through the kernel's termios2 interface. Kept apart
// from <termios.h>, whose definitions clash with the kernel's.

namespace kestrion {

// Sets the input and output rate of the tty to any rate in bits per second (BOTHER); false
// when the driver refuses it.
bool SetCustomBaudRate(int fd, unsigned rate);

// The tty's output rate in bits per second, 0 when it cannot be read.
unsigned ReadBaudRate(int fd);

}  // namespace kestrion
