#include "app/ExportTrack.h"

#include <algorithm>
#include <cctype>

#include "evaluation/TrackExport.h"

namespace kestrion {
namespace {

constexpr std::string_view kTrackName = "Kestrion Demo track";

bool EndsWith(std::string_view path, std::string_view extension)
{
    return path.size() >= extension.size() &&
           std::equal(extension.begin(), extension.end(), path.end() - static_cast<std::ptrdiff_t>(extension.size()),
                      [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

}  // namespace

TrackFormat TrackFormatOf(std::string_view path)
{
    if (EndsWith(path, ".kml")) {
        return TrackFormat::Kml;
    }
    if (EndsWith(path, ".csv")) {
        return TrackFormat::Csv;
    }
    return TrackFormat::Gpx;
}

bool ExportTrack(const std::string& path, CFixRecorder& recorder, std::string& problem)
{
    const FixSequence fixes = recorder.Track();
    switch (TrackFormatOf(path)) {
    case TrackFormat::Kml: return WriteKml(path, fixes, kTrackName, problem);
    case TrackFormat::Csv: return WriteFixCsv(path, fixes, problem);
    case TrackFormat::Gpx: break;
    }
    return WriteGpx(path, fixes, kTrackName, problem);
}

}  // namespace kestrion
