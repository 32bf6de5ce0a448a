#pragma once
// A kestrion-cli command line, the words after the program's name, carried out on the
// platform given: the exit status, with the output on stdout and stderr.
#include <string>
#include <vector>

#include "cli/RunPlatform.h"

namespace kestrion::cli {

int RunCommandLine(const std::vector<std::string>& words, const RunPlatform& platform);

}  // namespace kestrion::cli
