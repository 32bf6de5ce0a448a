#include "cli/HeadlessRun.h"

#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <limits>

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

}  // namespace

std::optional<CProfile> LoadRunSettings(const char* command, const CCliArguments& arguments, Settings& sources)
{
    // The settings file that console uses: "kestrion-demo.ini" beside it, or the user's one.
    const std::string ini = arguments.Value("--ini").value_or(FindProfilePath(ConsoleExecutable()).string());
    CProfile profile{std::filesystem::path(ini)};
    if (const std::string reason = UnusableReason(profile); !reason.empty()) {
        std::fprintf(stderr, "kestrion-cli %s: cannot read the settings file %s: %s\n", command, ini.c_str(),
                     reason.c_str());
        return std::nullopt;
    }
    sources.LoadDataSources(profile);
    return profile;
}

std::string SerialSourcePort(const Settings& settings)
{
    if (settings.dataSource != 1) {
        return {};
    }
    if (settings.measSource == 1) {
        return settings.measSerialPort;
    }
    return settings.useTrue != 0 && settings.trueSource == 1 ? settings.trueSerialPort : std::string();
}

bool RecordedSource(const Settings& settings)
{
    return settings.dataSource == 1 && settings.measSource == 0;
}

std::optional<ReplaySpeed> SpeedOption(const CCliArguments& arguments, std::string& error)
{
    const std::optional<std::string> text = arguments.Value("--speed");
    if (!text) {
        return std::nullopt;
    }
    const std::optional<ReplaySpeed> speed = ReplaySpeedFromText(*text);
    if (!speed) {
        error = "--speed takes 1/4, 1/2, 1, 2, 4, 8, 16, max or fixed: " + *text;
    }
    return speed;
}

bool OutputsWritable(const char* command, const std::vector<std::string>& paths)
{
    for (const std::string& path : paths) {
        std::error_code error;
        const std::filesystem::path file(path);
        int problem = 0;
        if (std::filesystem::is_directory(file, error)) {
            problem = EISDIR;
        } else {
            const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
            const bool exists = std::filesystem::exists(file, error);
            if (::access(exists ? path.c_str() : folder.c_str(), W_OK) != 0) {
                problem = errno;
            }
        }
        if (problem != 0) {
            std::fprintf(stderr, "kestrion-cli %s: cannot write %s: %s\n", command, path.c_str(),
                         std::strerror(problem));
            return false;
        }
    }
    return true;
}

CHeadlessRun::CHeadlessRun(const CProfile& profile, const RunPlatform& platform, bool fast,
                           std::deque<std::string> files, std::vector<DialogSetting> settings)
    : m_profile(profile),
      m_lineTo(platform.lineTo),
      m_fast(fast || m_lineTo),
      m_timers(m_fast ? CLoopTimers::Mode::Virtual : CLoopTimers::Mode::Real, std::time(nullptr)),
      m_ui(stderr, std::move(files), std::move(settings)),
      m_engine{profile, m_ui, m_timers, m_timers, platform.serialDevices, m_generator}
{
    m_sources.LoadDataSources(profile);
    // A failed save is an error the user sees, and the run's status tells.
    profile.SetFailureReport(
        [this](const std::string& message) { m_ui.MessageBox(message, BoxButtons::Ok, BoxIcon::Error); });
    m_timers.SetDispatch(*this);
    m_ui.SetClock(m_timers);
    // A text file's end closes the source; a binary file's leaves it with nothing to play.
    m_engine.SetSourceEnded([this] { m_ui.Notice("source ended: " + m_sources.measFileName); });
    m_engine.CreateDocument();
    AddView(m_outcome);
    AddView(m_notices);
}

void CHeadlessRun::Dispatch(unsigned systemTimerId)
{
    if (m_lineTo) {
        m_lineTo(m_timers.ElapsedMs());
    }
    m_engine.TimerService().Dispatch(systemTimerId);
}

bool CHeadlessRun::ShowsProgress() const
{
    // The fixed rate plays a byte stream about four times faster than a receiver at 38400 baud.
    const ReplaySpeed speed = m_speed.value_or(ReplaySpeed::Normal);
    const SpeedRatio ratio = RatioOf(speed);
    const bool faster =
        m_fast || speed == ReplaySpeed::Fixed || ratio.numerator == 0 || ratio.numerator > ratio.denominator;
    return faster && RecordedSource(m_sources) && ::isatty(STDERR_FILENO) == 1;
}

std::string CHeadlessRun::Play(long seconds, const PlaySteps& steps)
{
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        std::signal(signal, RequestStop);
    }
    const bool progress = ShowsProgress();
    if (progress) {
        AddView(m_progress);
        m_ui.SetBeforeLine([this] { m_progress.Erase(); });
    }
    const int64_t limitMs =
        seconds > 0 ? m_timers.ElapsedMs() + int64_t{seconds} * 1000 : std::numeric_limits<int64_t>::max();
    PlaySteps play = steps;
    play.afterOpen = [this, &steps] {
        CSource* source = m_engine.CurrentDocument()->MeasuredFeed().Source();
        if (IReplayControl* replay = source != nullptr ? source->Replay() : nullptr; replay != nullptr && m_speed) {
            replay->SetSpeed(*m_speed);
        }
        if (steps.afterOpen) {
            steps.afterOpen();
        }
    };
    play.runDue = [this, &steps, progress] {
        if (steps.runDue) {
            steps.runDue();
        }
        if (progress) {
            m_progress.Update(m_engine);
        }
    };
    play.beforeClose = [this, &steps] {
        if (steps.beforeClose) {
            steps.beforeClose();
        }
        m_outcome.CheckPort(m_engine);
        if (!m_timers.HasTimers()) {
            m_ui.Notice("source ended: " + m_sources.measFileName);
        }
    };
    m_outcome.SetOpened(PlayDataSource(m_engine, m_timers, limitMs, &g_stopRequested, play));
    // The stop is taken: a later run of the same program starts afresh.
    g_stopRequested = false;
    m_progress.Erase();
    m_ui.SetBeforeLine({});
    m_engine.Log().Close();
    return m_outcome.Failure(m_ui, m_engine.Log(), m_profile);
}

void CHeadlessRun::Stop()
{
    g_stopRequested = true;
}

}  // namespace kestrion::cli
