#pragma once
// kestrion-demo --snapshot: one view on the data source of the settings, played on the virtual
// clock, written as a PNG file. Needs the application object, no display.
#include <filesystem>

#include "app/gui/ConsoleCommandLine.h"

namespace kestrion {

// The exit status: 0 written, 2 when the settings cannot be read or the picture not written
// (said on stderr).
int RunSnapshot(const SnapshotRequest& request, const std::filesystem::path& consoleProfile);

}  // namespace kestrion
