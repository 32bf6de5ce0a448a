#pragma once
// "Export Track...": the fixes seen since the data source opened, as the file's extension
// asks: GPX 1.1 (also for any other name), KML, or comma-separated values with their errors.
#include <string>
#include <string_view>

#include "app/FixRecorder.h"

namespace kestrion {

enum class TrackFormat { Gpx, Kml, Csv };

inline constexpr const char* kTrackFilter =
    "GPX Tracks (*.gpx)|*.gpx|KML Files (*.kml)|*.kml|CSV Files (*.csv)|*.csv|All Files (*.*)|*.*||";

// By the extension, in any case.
TrackFormat TrackFormatOf(std::string_view path);

// The recorder's track, which an interest in it keeps. False with the reason, naming the
// file, when it cannot be written, or when the track could not be kept whole.
bool ExportTrack(const std::string& path, CFixRecorder& recorder, std::string& problem);

}  // namespace kestrion
