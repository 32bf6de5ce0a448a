#include "platform/BaudRate.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace kestrion {

bool SetCustomBaudRate(int fd, unsigned rate)
{
    termios2 settings {};
    if (::ioctl(fd, TCGETS2, &settings) != 0) {
        return false;
    }
    settings.c_cflag &= ~(CBAUD | CIBAUD);
    settings.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    settings.c_ispeed = rate;
    settings.c_ospeed = rate;
    return ::ioctl(fd, TCSETS2, &settings) == 0;
}

unsigned ReadBaudRate(int fd)
{
    termios2 settings {};
    return ::ioctl(fd, TCGETS2, &settings) == 0 ? settings.c_ospeed : 0;
}

}  // namespace kestrion
