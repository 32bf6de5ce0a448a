#pragma once
// The sub-commands of kestrion-cli. Each takes the arguments after its name and returns the
// exit status: 0 done; 1 the job failed (a bad input line, a run whose data source did not open
// or was lost, whose log could not be written or that showed an error box); 2 usage error, or a
// file named on the command line that cannot be read or written at the start. The program adds
// 1 for standard output that cannot be written and 141 when its reader went away. The program
// parses the arguments with the command's options and answers -h and --help itself.
#include <cstdio>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "cli/RunPlatform.h"
#include "platform/CliArguments.h"
#include "transport/FileCloser.h"

namespace kestrion::cli {

struct CliCommand {
    const char* name;
    const char* usage;  // one line, after "kestrion-cli "
    const char* help;   // the rest of --help
    std::set<std::string> valued;  // the options that take a value
    std::set<std::string> flags;   // those that do not
    int (*run)(CCliArguments& args, const RunPlatform& platform);
};

int RunDecode(CCliArguments& args, const RunPlatform& platform);
int RunEpochs(CCliArguments& args, const RunPlatform& platform);
int RunLines(CCliArguments& args, const RunPlatform& platform);
int RunFrame(CCliArguments& args, const RunPlatform& platform);
int RunNmea(CCliArguments& args, const RunPlatform& platform);
int RunEngine(CCliArguments& args, const RunPlatform& platform);
int RunSimulate(CCliArguments& args, const RunPlatform& platform);
int RunStats(CCliArguments& args, const RunPlatform& platform);
int RunExport(CCliArguments& args, const RunPlatform& platform);
int RunTtff(CCliArguments& args, const RunPlatform& platform);

// The body of a sentence given whole: without a leading "$" and a trailing "*hh" (the checksum
// is computed anew as it is sent).
std::string_view SentenceBody(std::string_view text);

// Reports a usage error on stderr ("kestrion-cli <name>: <message>") and returns 2.
int UsageError(const char* command, const std::string& message);

// Writes what standard output buffers; false when that or an earlier write failed.
bool FlushOutput();

// Opens the one FILE a command reads, standard input for "-"; null after telling why on stderr.
FilePtr OpenInput(const char* command, const std::string& path, const char* mode);
// After reading it: when the file failed, says why on stderr and returns true.
bool ReportReadError(const char* command, const std::string& path, std::FILE* file);
// "kestrion-cli <command>: cannot read <path>: <problem>" on stderr, after the output so far.
void ReportInputProblem(const char* command, const std::string& path, const std::string& problem);

}  // namespace kestrion::cli
