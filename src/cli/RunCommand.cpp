#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>

#include "cli/CommandScript.h"
#include "cli/Commands.h"
#include "cli/EpochPrinter.h"
#include "cli/HeadlessRun.h"
#include "cli/ScriptedDialogs.h"
#include "cli/TraceView.h"
#include "platform/CliArguments.h"

namespace kestrion::cli {
namespace {

// An existing file is appended to; a missing one is created empty.
bool PrepareLogFile(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "a");
    if (file == nullptr) {
        return false;
    }
    return std::fclose(file) == 0;
}

}  // namespace

int RunEngine(CCliArguments& arguments, const RunPlatform& platform)
{
    const long seconds = arguments.Integer("--seconds", 1, std::numeric_limits<int>::max()).value_or(0);
    if (!arguments.Ok()) {
        return UsageError("run", arguments.Error());
    }
    std::string error;
    const std::optional<ReplaySpeed> speed = SpeedOption(arguments, error);
    if (!error.empty()) {
        return UsageError("run", error);
    }
    std::vector<ScriptedCommand> commands;
    for (const std::string& text : arguments.Values("--command")) {
        const std::optional<ScriptedCommand> command = ParseScriptedCommand(text, error);
        if (!command) {
            return UsageError("run", error);
        }
        commands.push_back(*command);
    }
    std::vector<DialogSetting> settings;
    for (const std::string& text : arguments.Values("--set")) {
        settings.push_back(ParseDialogSetting(text));
    }
    if (!arguments.Positional().empty()) {
        return UsageError("run", "takes no arguments besides its options: " + arguments.Positional().front());
    }
    Settings sources;
    const std::optional<CProfile> profile = LoadRunSettings("run", arguments, sources);
    if (!profile) {
        return 2;
    }
    if (const std::string misfit = SettingsMisfit(commands, settings, *profile); !misfit.empty()) {
        return UsageError("run", misfit);
    }
    const bool fast = arguments.Has("--fast");
    if (const std::string port = SerialSourcePort(sources); fast && !port.empty()) {
        return UsageError("run",
                          "--fast runs on a virtual clock, which the live receiver on " + port + " does not follow");
    }
    if (speed && !RecordedSource(sources)) {
        return UsageError("run", "--speed paces a recorded file, and the measured data source of " +
                                     profile->Path().string() + " is none");
    }
    const std::optional<std::string> recordPath = arguments.Value("--record");
    const std::optional<std::string> serveAddress = arguments.Value("--serve");
    const bool measuredPort = sources.dataSource == 1 && sources.measSource == 1;
    for (const char* option : {"--record", "--serve"}) {
        if (arguments.Value(option) && !measuredPort) {
            return UsageError("run", std::string(option) + " takes the bytes of a receiver on a port, and the measured "
                                     "data source of " + profile->Path().string() + " is none");
        }
    }
    if (arguments.Has("--serve-commands") && !serveAddress) {
        return UsageError("run", "--serve-commands goes with --serve");
    }
    if (recordPath && !OutputsWritable("run", {*recordPath, *recordPath + ".times"})) {
        return 2;
    }
    const std::optional<std::string> logPath = arguments.Value("--log");
    if (logPath && !PrepareLogFile(*logPath)) {
        std::fprintf(stderr, "kestrion-cli run: cannot write the log file %s: %s\n", logPath->c_str(),
                     std::strerror(errno));
        return 2;
    }

    const std::vector<std::string> files = arguments.Values("--file");
    CHeadlessRun run(*profile, platform, fast, {files.begin(), files.end()}, std::move(settings));
    run.SetSpeed(speed);
    CEngine& engine = run.Engine();
    // With --json standard output carries the epochs alone; the trace goes to stderr.
    const bool json = arguments.Has("--json");
    CTraceView trace(run.Timers(), json ? stderr : stdout);
    if (arguments.Has("--trace")) {
        run.AddView(trace);
    }
    CEpochPrinter epochs(stdout);
    if (json) {
        run.AddView(epochs);
    }
    CCommandScript script(std::move(commands), run.Timers(), stderr);
    run.AddView(script);
    if (logPath && !engine.Log().OpenFile(*logPath)) {
        std::fprintf(stderr, "kestrion-cli run: %s\n", LogFailureText(engine.Log()).c_str());
        return 2;
    }

    CStreamOutputs& streams = engine.Streams();
    if (serveAddress) {
        if (const std::string error = streams.StartSharing(*serveAddress, arguments.Has("--serve-commands"));
            !error.empty()) {
            std::fprintf(stderr, "kestrion-cli run: cannot share the receiver: %s\n", error.c_str());
            return 2;
        }
        std::fprintf(stderr, "kestrion-cli run: sharing the receiver on %s\n", streams.SharingAddress().c_str());
    }
    if (recordPath) {
        if (const std::string error = streams.StartRecording(*recordPath); !error.empty()) {
            std::fprintf(stderr, "kestrion-cli run: %s\n", error.c_str());
            return 2;
        }
    }

    trace.MarkOpening();
    script.MarkOpening();
    const auto runDue = [&] {
        script.RunDue(engine);
        // A live trace reaches its reader at once; once the output is refused, the run stops.
        if ((!fast || std::ferror(stdout)) && !FlushOutput()) {
            CHeadlessRun::Stop();
        }
    };
    PlaySteps steps;
    steps.nextDueMs = [&script] { return script.NextDueMs(); };
    steps.runDue = runDue;
    const std::string failure = run.Play(seconds, steps);
    if (json) {
        epochs.Finish();
    }
    int status = 0;
    for (const std::string& refused : script.Refused()) {
        std::fprintf(stderr, "kestrion-cli run: command %s\n", refused.c_str());
        status = 1;
    }
    if (!failure.empty()) {
        std::fprintf(stderr, "kestrion-cli run: %s\n", failure.c_str());
        status = 1;
    }
    streams.StopSharing();
    streams.StopRecording();
    if (!streams.RecordingFailure().empty()) {
        status = 1;
    }
    return status;
}

}  // namespace kestrion::cli
