#pragma once
// What kestrion-demo's arguments ask for: the console (no arguments), its usage, its version,
// or the picture of one view.
#include <string>
#include <vector>

namespace kestrion {

struct SnapshotRequest {
    int slot = -1;
    std::string out;
    std::string ini;   // empty: the console's own settings
    long seconds = 0;  // virtual seconds to play at the most; 0 for no limit
    int width = 640;
    int height = 480;
};

struct ConsoleCommandLine {
    enum class Action { Console, Help, Version, Snapshot, Error };
    Action action = Action::Console;
    SnapshotRequest snapshot;
    std::string error;
};

ConsoleCommandLine ParseConsoleCommandLine(std::vector<std::string> args);

// The synopsis, and the rest of the help.
extern const char* const kConsoleUsage;
extern const char* const kConsoleHelp;

}  // namespace kestrion
