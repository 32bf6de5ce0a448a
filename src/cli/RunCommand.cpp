#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <optional>
#include <filesystem>
#include <limits>

#include "app/Engine.h"
#include "app/HeadlessUi.h"
#include "app/PlayDataSource.h"
#include "platform/CliArguments.h"
#include "cli/CommandScript.h"
#include "cli/Commands.h"
#include "cli/PortNotices.h"
#include "cli/ScriptedDialogs.h"
#include "cli/RunOutcome.h"
#include "cli/TraceView.h"
#include "platform/LoopTimers.h"
#include "platform/Settings.h"
#include "transport/StdRandom.h"

namespace kestrion::cli {
namespace {

std::atomic<bool> g_stopRequested{false};

extern "C" void RequestStop(int /*signal*/)
{
    g_stopRequested = true;
}

// The console beside this program (an installed pair), else the one of the same build tree.
std::filesystem::path ConsoleExecutable()
{
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
    for (const std::filesystem::path& console :
         {folder / "kestrion-demo", folder / KESTRION_CONSOLE_IN_BUILD_TREE / "kestrion-demo"}) {
        if (std::filesystem::is_regular_file(console, error)) {
            return std::filesystem::weakly_canonical(console, error);
        }
    }
    return folder / "kestrion-demo";
}

// The settings file that console uses: "kestrion-demo.ini" beside it, or the user's one.
std::filesystem::path ConsoleProfilePath()
{
    return FindProfilePath(ConsoleExecutable());
}

// The serial port a data source of the settings reads, or empty when none does.
std::string SerialSourcePort(const CSettings& settings)
{
    if (settings.dataSource != 1) {
        return {};
    }
    if (settings.measSource == 1) {
        return settings.measSerialPort;
    }
    return settings.useTrue != 0 && settings.trueSource == 1 ? settings.trueSerialPort : std::string();
}

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

int RunEngine(CCliArguments& arguments)
{
    const long seconds = arguments.Integer("--seconds", 1, std::numeric_limits<int>::max()).value_or(0);
    if (!arguments.Ok()) {
        return UsageError("run", arguments.Error());
    }
    std::vector<ScriptedCommand> commands;
    for (const std::string& text : arguments.Values("--command")) {
        std::string error;
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
    const std::filesystem::path ini = arguments.Value("--ini").value_or(ConsoleProfilePath().string());
    const CProfile profile(ini);
    if (const std::string reason = UnusableReason(profile); !reason.empty()) {
        std::fprintf(stderr, "kestrion-cli run: cannot read the settings file %s: %s\n", ini.c_str(), reason.c_str());
        return 2;
    }
    if (const std::string misfit = SettingsMisfit(commands, settings, profile); !misfit.empty()) {
        return UsageError("run", misfit);
    }
    const bool fast = arguments.Has("--fast");
    CSettings sources;
    sources.LoadDataSources(profile);
    if (const std::string port = SerialSourcePort(sources); fast && !port.empty()) {
        return UsageError("run",
                          "--fast runs on a virtual clock, which the live receiver on " + port + " does not follow");
    }
    const std::optional<std::string> logPath = arguments.Value("--log");
    if (logPath && !PrepareLogFile(*logPath)) {
        std::fprintf(stderr, "kestrion-cli run: cannot write the log file %s: %s\n", logPath->c_str(),
                     std::strerror(errno));
        return 2;
    }

    CLoopTimers timers(fast ? CLoopTimers::Mode::Virtual : CLoopTimers::Mode::Real, std::time(nullptr));
    const std::vector<std::string> files = arguments.Values("--file");
    CHeadlessUi ui(stderr, {files.begin(), files.end()}, std::move(settings));
    CStdRandom generator;
    // A failed save is an error the user sees, and the run's status tells.
    profile.SetFailureReport([&ui](const std::string& message) { ui.MessageBox(message, BoxButtons::Ok, BoxIcon::Error); });
    CEngine engine{profile, ui, timers, timers, generator};
    timers.SetDispatch(engine.TimerService());
    ui.SetProtocol(engine.Services().Protocol());
    ui.SetClock(timers);
    // A text file's end closes the source; a binary file's leaves it with nothing to play.
    const auto sourceEnded = [&ui, &sources] { ui.Notice("source ended: " + sources.measFileName); };
    engine.SetSourceEnded(sourceEnded);

    engine.CreateDocument();
    CTraceView trace(timers, stdout);
    if (arguments.Has("--trace")) {
        engine.CurrentDocument()->AddView(trace);
    }
    CCommandScript script(std::move(commands), timers, stderr);
    engine.CurrentDocument()->AddView(script);
    CRunOutcome outcome;
    engine.CurrentDocument()->AddView(outcome);
    CPortNotices notices(ui);
    engine.CurrentDocument()->AddView(notices);
    if (logPath && !engine.Log().OpenFile(*logPath)) {
        std::fprintf(stderr, "kestrion-cli run: %s\n", LogFailureText(engine.Log()).c_str());
        return 2;
    }

    // A closed terminal ends the run as an interrupt does, with the log's closing line.
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        std::signal(signal, RequestStop);
    }
    trace.MarkOpening();
    script.MarkOpening();
    const int64_t limitMs =
        seconds > 0 ? timers.ElapsedMs() + int64_t{seconds} * 1000 : std::numeric_limits<int64_t>::max();
    const auto runDue = [&] {
        script.RunDue(engine);
        // A live trace reaches its reader at once; once the output is refused, the run stops.
        if ((!fast || std::ferror(stdout)) && !FlushOutput()) {
            g_stopRequested = true;
        }
    };
    outcome.SetOpened(PlayDataSource(engine, timers, limitMs, &g_stopRequested,
                                     {[&script] { return script.NextDueMs(); }, runDue,
                                      [&] {
                                         outcome.CheckPort(engine);
                                         if (!timers.HasTimers()) {
                                             sourceEnded();
                                         }
                                     }}));
    engine.Log().Close();
    int status = 0;
    for (const std::string& refused : script.Refused()) {
        std::fprintf(stderr, "kestrion-cli run: command %s\n", refused.c_str());
        status = 1;
    }
    if (const std::string failure = outcome.Failure(ui, engine.Log(), profile); !failure.empty()) {
        std::fprintf(stderr, "kestrion-cli run: %s\n", failure.c_str());
        status = 1;
    }
    return status;
}

}  // namespace kestrion::cli
