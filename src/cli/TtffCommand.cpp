// kestrion-cli ttff: a series of receiver initialisations of one kind on a live receiver, each
// timed to its first fix.
#include <cstdio>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "cli/CommandScript.h"
#include "cli/Commands.h"
#include "cli/FirstFixWatch.h"
#include "cli/HeadlessRun.h"
#include "evaluation/TrackFile.h"
#include "evaluation/TtffSeries.h"

namespace kestrion::cli {
namespace {

struct StartKind {
    const char* name;
    const char* resetMode;  // the radio button of "Receiver Initialization"
};
constexpr StartKind kStartKinds[] = {{"hot", "Hot Start"},
                                     {"warm", "Warm Start (No Init)"},
                                     {"cold", "Cold Start"},
                                     {"factory", "Factory Reset"}};

// The series on the live receiver: once the receiver talks, an initialisation; after each fix
// or time-out the next, until the count is done.
class CTtffSeriesRun : public IDocumentView {
public:
    // `resetBody`: the body of the NMEA sentence that resets the receiver, or empty for the
    // binary reset of "Initialize Data Source...". A binary run waits for a 3D fix, an NMEA
    // one for any.
    CTtffSeriesRun(CEngine& engine, const CLoopTimers& timers, size_t count, int64_t timeoutMs, std::string resetBody)
        : m_engine(engine),
          m_timers(timers),
          m_count(count),
          m_timeoutMs(timeoutMs),
          m_openedMs(timers.ElapsedMs()),
          m_resetBody(std::move(resetBody)),
          m_watch(m_resetBody.empty() ? CFirstFixWatch::Wanted::ThreeD : CFirstFixWatch::Wanted::AnyFix)
    {
    }

    void OnUpdate(UpdateHint hint, const CMessageRecord* record) override
    {
        if (hint == UpdateHint::Opening) {
            m_watch.Restart();
        }
        if (hint != UpdateHint::Record || record == nullptr) {
            return;
        }
        const ReceiverEpoch* epoch = m_watch.Take(*record);
        if (epoch == nullptr) {
            return;
        }
        m_talking = true;
        if (const std::optional<int64_t> ttff = m_watch.OnEpoch(*epoch, m_timers.ElapsedMs())) {
            Finish(static_cast<double>(*ttff) / 1000.0);
        }
    }

    // A time-out, or an initialisation due at once.
    int64_t NextDueMs() const
    {
        if (Done()) {
            return std::numeric_limits<int64_t>::max();
        }
        if (!m_talking) {
            return m_openedMs + m_timeoutMs;
        }
        return m_watch.Watching() ? m_watch.ResetMs() + m_timeoutMs : m_timers.ElapsedMs();
    }

    void RunDue()
    {
        const int64_t now = m_timers.ElapsedMs();
        if (Done()) {
            CHeadlessRun::Stop();
        } else if (!m_talking) {
            if (now >= m_openedMs + m_timeoutMs) {
                m_problem = "no navigation epoch from the receiver within " + Seconds() + " s";
                CHeadlessRun::Stop();
            }
        } else if (m_watch.Watching()) {
            if (now >= m_watch.ResetMs() + m_timeoutMs) {
                m_watch.Stop();
                Finish(std::nullopt);
            }
        } else {
            Initialise(now);
        }
    }

    bool Done() const { return m_runs.size() >= m_count || !m_problem.empty(); }
    const std::vector<TtffRun>& Runs() const { return m_runs; }
    const std::string& Problem() const { return m_problem; }

private:
    void Initialise(int64_t now)
    {
        if (!m_resetBody.empty()) {
            CSource* source = m_engine.CurrentDocument()->MeasuredFeed().Source();
            if (source == nullptr) {
                m_problem = "the receiver's port is closed";
                CHeadlessRun::Stop();
                return;
            }
            m_watch.Start(now);
            source->SendNmea(m_resetBody.c_str());
            return;
        }
        const CommandInfo& command = *FindCommand(ID_INITIALIZE);
        if (const FrameState state = m_engine.State(); !IsEnabled(command, state)) {
            m_problem = std::string(command.label) + " is disabled: " + DisabledReason(command, state);
            CHeadlessRun::Stop();
            return;
        }
        m_watch.Start(now);
        m_engine.Execute(ID_INITIALIZE);
    }

    void Finish(const TtffRun& run)
    {
        m_runs.push_back(run);
        std::printf("%s\n", TtffRunLine(m_runs.size(), run, static_cast<double>(m_timeoutMs) / 1000.0).c_str());
        FlushOutput();
    }

    std::string Seconds() const { return std::to_string(m_timeoutMs / 1000); }

    CEngine& m_engine;
    const CLoopTimers& m_timers;
    size_t m_count;
    int64_t m_timeoutMs;
    int64_t m_openedMs;
    std::string m_resetBody;
    bool m_talking = false;
    CFirstFixWatch m_watch;
    std::vector<TtffRun> m_runs;
    std::string m_problem;
};

const StartKind* FindStartKind(const std::string& name)
{
    for (const StartKind& kind : kStartKinds) {
        if (name == kind.name) {
            return &kind;
        }
    }
    return nullptr;
}

}  // namespace

int RunTtff(CCliArguments& arguments, const RunPlatform& platform)
{
    const std::optional<long> count = arguments.Integer("--count", 1, 100000);
    const long timeout = arguments.Integer("--timeout", 1, 86400).value_or(300);
    if (!arguments.Ok()) {
        return UsageError("ttff", arguments.Error());
    }
    const std::string startName = arguments.Value("--start").value_or("");
    const StartKind* start = FindStartKind(startName);
    const std::optional<std::string> resetSentence = arguments.Value("--reset-sentence");
    if (resetSentence && arguments.Has("--start")) {
        return UsageError("ttff", "takes --start or --reset-sentence, not both");
    }
    const std::string resetBody = resetSentence ? std::string(SentenceBody(*resetSentence)) : std::string();
    if (resetSentence && (resetBody.empty() || resetBody.find_first_of("$*\r\n") != std::string::npos)) {
        return UsageError("ttff", "--reset-sentence takes one NMEA sentence, $ and the body: " + *resetSentence);
    }
    if (start == nullptr && !resetSentence) {
        return UsageError("ttff", arguments.Has("--start") ? "--start takes hot, warm, cold or factory: " + startName
                                                           : "needs --start hot|warm|cold|factory");
    }
    if (!count) {
        return UsageError("ttff", "needs --count N, the number of initialisations");
    }
    if (!arguments.Positional().empty()) {
        return UsageError("ttff", "takes no arguments besides its options: " + arguments.Positional().front());
    }
    const std::optional<std::string> csv = arguments.Value("--csv");
    if (csv && !OutputsWritable("ttff", {*csv})) {
        return 2;
    }
    Settings sources;
    const std::optional<CProfile> profile = LoadRunSettings("ttff", arguments, sources);
    if (!profile) {
        return 2;
    }
    if (sources.dataSource != 1 || sources.measSource != 1) {
        return UsageError("ttff", "needs a live receiver, and the measured data source of " +
                                      profile->Path().string() + " is not a serial port");
    }

    std::vector<DialogSetting> settings;
    if (start != nullptr) {
        settings.push_back(ParseDialogSetting(start->resetMode));
    }
    CHeadlessRun run(*profile, platform, false, {}, std::move(settings));
    CTtffSeriesRun series(run.Engine(), run.Timers(), static_cast<size_t>(*count), int64_t{timeout} * 1000,
                          resetBody);
    run.AddView(series);
    PlaySteps steps;
    steps.nextDueMs = [&series] { return series.NextDueMs(); };
    steps.runDue = [&series] { series.RunDue(); };
    const std::string failure = run.Play(0, steps);

    const TtffSummary summary = SummarizeTtff(series.Runs());
    std::fputs(TtffSummaryText(summary).c_str(), stdout);
    int status = 0;
    if (csv) {
        std::string problem;
        if (!WriteTextFile(*csv, problem, [&series](CTrackFile& out) { out.Text(TtffCsv(series.Runs())); })) {
            std::fprintf(stderr, "kestrion-cli ttff: %s\n", problem.c_str());
            status = 1;
        }
    }
    std::fflush(stdout);
    const std::string problem = !failure.empty() ? failure : series.Problem();
    if (!problem.empty()) {
        std::fprintf(stderr, "kestrion-cli ttff: %s\n", problem.c_str());
        return 1;
    }
    if (series.Runs().size() < static_cast<size_t>(*count)) {
        std::fprintf(stderr, "kestrion-cli ttff: stopped after %zu of %ld runs\n", series.Runs().size(), *count);
        return 1;
    }
    if (summary.failures > 0) {
        std::fprintf(stderr, "kestrion-cli ttff: %zu of %zu runs got no fix within %ld s\n", summary.failures,
                     summary.runs, timeout);
        return 1;
    }
    return status;
}

}  // namespace kestrion::cli
