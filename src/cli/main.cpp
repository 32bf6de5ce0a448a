// kestrion-cli: the console's protocol engine without a window.
#include <csignal>
#include <cstdio>

#include "cli/CliMain.h"
#include "platform/PortDeviceFactory.h"

int main(int argc, char** argv)
{
    static char outputBuffer[1 << 20];
    std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);
    // Writes to a closed pipe fail with EPIPE instead of ending the program.
    std::signal(SIGPIPE, SIG_IGN);
    kestrion::CPortDeviceFactory serialPorts;
    return kestrion::cli::RunCommandLine({argv + 1, argv + argc}, {serialPorts, {}});
}
