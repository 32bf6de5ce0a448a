#pragma once
// kestrion-demo --snapshot: one view on the data source of the settings, played on the virtual
// clock (a serial port in real time, for the seconds asked), written as a PNG file. Needs the
// application object, no display.
#include <filesystem>

#include "gui/ConsoleCommandLine.h"

namespace kestrion {

// The exit status: 0 written, 2 when the settings cannot be read, a serial port is to be read
// without a time limit, or the picture cannot be written (said on stderr).
int RunSnapshot(const SnapshotRequest& request, const std::filesystem::path& consoleProfile);

}  // namespace kestrion
