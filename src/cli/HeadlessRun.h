#pragma once
// What the commands that play the settings' data source share: the settings file they name,
// the engine on the loop clock with its user played on stderr, the views that judge the run,
// the replay speed and progress line of a recorded file, and the stop that SIGINT, SIGTERM and
// SIGHUP ask for (a closed terminal ends a run as an interrupt does).
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/Engine.h"
#include "app/HeadlessUi.h"
#include "app/PlayDataSource.h"
#include "cli/PortNotices.h"
#include "cli/ProgressLine.h"
#include "cli/RunOutcome.h"
#include "cli/RunPlatform.h"
#include "platform/CliArguments.h"
#include "platform/LoopTimers.h"
#include "platform/Settings.h"
#include "transport/ReplayControl.h"
#include "transport/StdRandom.h"

namespace kestrion::cli {

// The settings of --ini, else the console's, and their data sources; nothing after telling why
// on stderr.
std::optional<CProfile> LoadRunSettings(const char* command, const CCliArguments& arguments, Settings& sources);
// The serial port a data source of the settings reads, or empty when none does.
std::string SerialSourcePort(const Settings& settings);
// Whether the measured data source is a recorded file.
bool RecordedSource(const Settings& settings);
// --speed as a replay speed; nothing when not given, or with `error` when it is no speed.
std::optional<ReplaySpeed> SpeedOption(const CCliArguments& arguments, std::string& error);
// Whether each output file named on the command line can be written (a new file needs a
// writable folder); else says which cannot and why on stderr.
bool OutputsWritable(const char* command, const std::vector<std::string>& paths);

class CHeadlessRun : private ITimerDispatch {
public:
    // `fast`: on the virtual clock, as every run on a platform that keeps virtual time is.
    CHeadlessRun(const CProfile& profile, const RunPlatform& platform, bool fast, std::deque<std::string> files = {},
                 std::vector<DialogSetting> settings = {});

    CEngine& Engine() { return m_engine; }
    CHeadlessUi& Ui() { return m_ui; }
    CLoopTimers& Timers() { return m_timers; }
    const Settings& Sources() const { return m_sources; }
    void AddView(IDocumentView& view) { m_engine.CurrentDocument()->AddView(view); }
    // The speed a recorded file plays at, set as it opens.
    void SetSpeed(std::optional<ReplaySpeed> speed) { m_speed = speed; }

    // Plays the data source until it ends, nothing is left to run, `seconds` have passed (0
    // for no limit) or a stop is asked for. A recorded file played faster than its time shows
    // a progress line while stderr is a terminal. The failure of the run in one line, or empty
    // when it did its job.
    std::string Play(long seconds, const PlaySteps& steps = {});
    // Asks the run to stop at the next turn of its loop.
    static void Stop();

private:
    // A timer due: the line first comes to its time.
    void Dispatch(unsigned systemTimerId) override;
    bool ShowsProgress() const;

    CProfile m_profile;
    std::function<void(int64_t)> m_lineTo;
    bool m_fast;
    Settings m_sources;
    CLoopTimers m_timers;
    CHeadlessUi m_ui;
    CStdRandom m_generator;
    CEngine m_engine;
    CRunOutcome m_outcome;
    CPortNotices m_notices{m_ui};
    CProgressLine m_progress{stderr};
    std::optional<ReplaySpeed> m_speed;
};

}  // namespace kestrion::cli
