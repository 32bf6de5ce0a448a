#include "evaluation/AccuracyReference.h"

#include <cmath>
#include <cstdlib>
#include <optional>

#include "protocol/TextFormatter.h"

namespace kestrion {
namespace {

constexpr std::string_view kSection = "Statistics";

// The number the whole text gives, or nothing.
std::optional<double> NumberOf(const std::string& text)
{
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    while (end != nullptr && (*end == ' ' || *end == '\t')) {
        ++end;
    }
    if (end == text.c_str() || *end != '\0' || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// The key's value within the limits, or a problem naming the key.
std::optional<double> Coordinate(const std::string& text, std::string_view key, double limit, std::string& problem)
{
    const std::optional<double> value = NumberOf(text);
    if (!value || std::fabs(*value) > limit) {
        problem = "Statistics: \"" + std::string(key) + "\" is not a number from " + std::to_string(int(-limit)) +
                  " to " + std::to_string(int(limit)) + ": \"" + text + "\"";
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::string_view ReferenceKindText(ReferenceKind kind)
{
    switch (kind) {
    case ReferenceKind::Truth: return "truth";
    case ReferenceKind::Fixed: return "fixed reference";
    case ReferenceKind::RunningMean: return "running mean of the fixes";
    }
    return "";
}

AccuracyReference LoadAccuracyReference(const CProfile& profile, bool truthInUse, std::string& problem)
{
    problem.clear();
    if (truthInUse) {
        return {ReferenceKind::Truth, {}};
    }
    const std::string lat = profile.GetString(kSection, "Ref Lat", "");
    const std::string lon = profile.GetString(kSection, "Ref Lon", "");
    const std::string alt = profile.GetString(kSection, "Ref Alt", "");
    if (lat.empty() || lon.empty()) {
        return {};
    }
    const std::optional<double> latitude = Coordinate(lat, "Ref Lat", 90, problem);
    const std::optional<double> longitude = latitude ? Coordinate(lon, "Ref Lon", 180, problem) : std::nullopt;
    const std::optional<double> height =
        !longitude ? std::nullopt : alt.empty() ? std::optional(0.0) : Coordinate(alt, "Ref Alt", 100000, problem);
    if (!height) {
        return {};
    }
    return {ReferenceKind::Fixed, {*latitude, *longitude, *height}};
}

void SaveAccuracyReference(const CProfile& profile, const GeodeticPoint& point)
{
    profile.WriteString(kSection, "Ref Lat", FormatText("%.9f", {point.latitude}));
    profile.WriteString(kSection, "Ref Lon", FormatText("%.9f", {point.longitude}));
    profile.WriteString(kSection, "Ref Alt", FormatText("%.2f", {point.height}));
}

}  // namespace kestrion
