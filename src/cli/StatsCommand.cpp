// kestrion-cli stats and export: the fixes of the settings' data source, as accuracy figures
// or as a track.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/HeadlessRun.h"
#include "evaluation/AccuracyText.h"
#include "evaluation/TrackExport.h"

namespace kestrion::cli {
namespace {

// "LAT,LON,ALT" in degrees and metres; ALT may be left out (0).
std::optional<GeodeticPoint> ParseReference(const std::string& text)
{
    double values[3] = {0, 0, 0};
    const char* at = text.c_str();
    int given = 0;
    for (; given < 3; ++given) {
        char* end = nullptr;
        values[given] = std::strtod(at, &end);
        if (end == at || !std::isfinite(values[given])) {
            return std::nullopt;
        }
        at = end;
        if (*at != ',') {
            break;
        }
        ++at;
    }
    if (*at != '\0' || given < 1 || std::fabs(values[0]) > 90 || std::fabs(values[1]) > 180 ||
        std::fabs(values[2]) > 100000) {
        return std::nullopt;
    }
    return GeodeticPoint{values[0], values[1], values[2]};
}

// A recorded source plays on the virtual clock, which a serial port (measured or truth) does
// not follow; `liveAllowed` lets a live receiver play in real time instead.
std::string PlayableReason(const Settings& sources, const CProfile& profile, bool liveAllowed)
{
    const std::string port = SerialSourcePort(sources);
    if (port.empty()) {
        return RecordedSource(sources) ? std::string()
                                       : std::string("needs a recorded file") + (liveAllowed ? " or a serial port" : "") +
                                             " as the measured data source, and " + profile.Path().string() +
                                             " has random data";
    }
    if (liveAllowed && !RecordedSource(sources)) {
        return {};
    }
    return "plays the data source on a virtual clock, which the live receiver on " + port + " does not follow";
}

}  // namespace

int RunStats(CCliArguments& arguments, const RunPlatform& platform)
{
    const long seconds = arguments.Integer("--seconds", 1, std::numeric_limits<int>::max()).value_or(0);
    if (!arguments.Ok()) {
        return UsageError("stats", arguments.Error());
    }
    std::string error;
    const std::optional<ReplaySpeed> speed = SpeedOption(arguments, error);
    if (!error.empty()) {
        return UsageError("stats", error);
    }
    std::optional<GeodeticPoint> reference;
    if (const std::optional<std::string> text = arguments.Value("--ref")) {
        reference = ParseReference(*text);
        if (!reference) {
            return UsageError("stats", "--ref takes LAT,LON,ALT in degrees (-90 to 90, -180 to 180) and metres: " +
                                           *text);
        }
    }
    if (!arguments.Positional().empty()) {
        return UsageError("stats", "takes no arguments besides its options: " + arguments.Positional().front());
    }
    const std::optional<std::string> csv = arguments.Value("--csv");
    if (csv && !OutputsWritable("stats", {*csv})) {
        return 2;
    }
    Settings sources;
    const std::optional<CProfile> profile = LoadRunSettings("stats", arguments, sources);
    if (!profile) {
        return 2;
    }
    if (const std::string reason = PlayableReason(sources, *profile, true); !reason.empty()) {
        return UsageError("stats", reason);
    }
    if (speed && !RecordedSource(sources)) {
        return UsageError("stats", "--speed paces a recorded file, and the data source is the live receiver on " +
                                       SerialSourcePort(sources));
    }

    // A recording plays on the virtual clock unless a speed is asked for.
    CHeadlessRun run(*profile, platform, RecordedSource(sources) && !speed);
    run.SetSpeed(speed);
    CFixRecorder& recorder = run.Engine().FixRecorder();
    recorder.SetFixedReference(reference);
    const CFixRecorder::CInterest interest(recorder, kNeedFigures | (csv ? kNeedTrack : 0u));
    const std::string failure = run.Play(seconds);
    std::fputs(AccuracyText(recorder.Figures()).c_str(), stdout);
    int status = 0;
    if (std::string problem; csv && !WriteFixCsv(*csv, recorder.Track(), problem)) {
        std::fprintf(stderr, "kestrion-cli stats: %s\n", problem.c_str());
        status = 1;
    }
    if (!failure.empty()) {
        std::fflush(stdout);
        std::fprintf(stderr, "kestrion-cli stats: %s\n", failure.c_str());
        status = 1;
    }
    return status;
}

int RunExport(CCliArguments& arguments, const RunPlatform& platform)
{
    const std::optional<std::string> gpx = arguments.Value("--gpx");
    const std::optional<std::string> kml = arguments.Value("--kml");
    const std::optional<std::string> csv = arguments.Value("--csv");
    if (!gpx && !kml && !csv) {
        return UsageError("export", "needs --gpx FILE, --kml FILE or --csv FILE");
    }
    if (!arguments.Positional().empty()) {
        return UsageError("export", "takes no arguments besides its options: " + arguments.Positional().front());
    }
    std::vector<std::string> outputs;
    for (const std::optional<std::string>& path : {gpx, kml, csv}) {
        if (path) {
            outputs.push_back(*path);
        }
    }
    if (!OutputsWritable("export", outputs)) {
        return 2;
    }
    Settings sources;
    const std::optional<CProfile> profile = LoadRunSettings("export", arguments, sources);
    if (!profile) {
        return 2;
    }
    if (const std::string reason = PlayableReason(sources, *profile, false); !reason.empty()) {
        return UsageError("export", reason);
    }

    CHeadlessRun run(*profile, platform, true);
    CFixRecorder& recorder = run.Engine().FixRecorder();
    const CFixRecorder::CInterest interest(recorder, kNeedTrack);
    const std::string failure = run.Play(0);
    const FixSequence fixes = recorder.Track();
    const size_t count = recorder.TrackSize();
    const std::string name = std::filesystem::path(sources.measFileName).filename().string();
    int status = 0;
    const auto written = [&status, count](bool ok, const std::string& path, const std::string& problem) {
        if (ok) {
            std::printf("%s: %zu fixes\n", path.c_str(), count);
        } else {
            std::fflush(stdout);
            std::fprintf(stderr, "kestrion-cli export: %s\n", problem.c_str());
            status = 1;
        }
    };
    std::string problem;
    if (gpx) {
        written(WriteGpx(*gpx, fixes, name, problem), *gpx, problem);
    }
    if (kml) {
        written(WriteKml(*kml, fixes, name, problem), *kml, problem);
    }
    if (csv) {
        written(WriteFixCsv(*csv, fixes, problem), *csv, problem);
    }
    std::fflush(stdout);
    if (!failure.empty()) {
        std::fprintf(stderr, "kestrion-cli export: %s\n", failure.c_str());
        status = 1;
    } else if (count == 0) {
        std::fprintf(stderr, "kestrion-cli export: %s: no fix to export\n", sources.measFileName.c_str());
        status = 1;
    }
    return status;
}

}  // namespace kestrion::cli
