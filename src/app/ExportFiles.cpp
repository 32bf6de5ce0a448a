#include "app/ExportFiles.h"

#include <cstddef>
#include <cstdio>

#include "platform/FileText.h"

namespace kestrion {
namespace {

// The C library's asctime layout, independent of the locale: "Sun Sep 16 01:03:52 1973\n".
std::string AsctimeText(std::time_t time)
{
    static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::tm utc{};
    gmtime_r(&time, &utc);
    char text[64];
    const int length = std::snprintf(text, sizeof text, "%.3s %.3s%3d %.2d:%.2d:%.2d %d\n",
                                     kDays[utc.tm_wday], kMonths[utc.tm_mon], utc.tm_mday,
                                     utc.tm_hour, utc.tm_min, utc.tm_sec, 1900 + utc.tm_year);
    return std::string(text, static_cast<size_t>(length));
}

// The file's text; each word prints as its own type, so signed words keep their sign.
template <typename Word, size_t kWords>
std::string TableText(std::string_view title, const Word (&table)[32][kWords], std::time_t nowUtc)
{
    std::string text = "//\n// ";
    text.append(title);
    text += " Collection Time(UTC): " + AsctimeText(nowUtc) + "//\n//\n//\n";
    for (const auto& row : table) {
        for (size_t i = 0; i < kWords; ++i) {
            if (i > 0) {
                text += ", ";
            }
            text += std::to_string(row[i]);
        }
        text += '\n';
    }
    return text;
}

struct ExportTexts {
    const char* cannotOpen;
    const char* writtenTo;
};

void Report(bool written, const ExportTexts& texts, std::string& outputName, IUserInterface& ui,
            const GuardedBox& guardedBox)
{
    if (!written) {
        ui.MessageBox(texts.cannotOpen, BoxButtons::Ok, BoxIcon::Warning);
        return;
    }
    guardedBox(texts.writtenTo + outputName, BoxButtons::Ok, BoxIcon::Information);
    outputName.clear();
}

}  // namespace

bool WriteAlmanacFile(const std::string& path, const int16_t (&table)[32][14], std::time_t nowUtc)
{
    return !ReplaceFileText(path, TableText("Almanac", table, nowUtc));
}

bool WriteEphemerisFile(const std::string& path, const uint16_t (&table)[32][45], std::time_t nowUtc)
{
    return !ReplaceFileText(path, TableText("Ephemeris", table, nowUtc));
}

void ExportAlmanac(const ProtocolState& state, std::string& outputName, const IClock& clock,
                   IUserInterface& ui, const GuardedBox& guardedBox)
{
    if (outputName.empty()) {
        return;
    }
    const bool written = WriteAlmanacFile(outputName, state.almanac, clock.Now());
    Report(written, {"Cannot open almanac file!", "Almanac Data Written to:\n\n"}, outputName, ui,
           guardedBox);
}

void ExportEphemeris(const ProtocolState& state, std::string& outputName, const IClock& clock,
                     IUserInterface& ui, const GuardedBox& guardedBox)
{
    if (outputName.empty()) {
        return;
    }
    const bool written = WriteEphemerisFile(outputName, state.ephemeris, clock.Now());
    Report(written, {"Cannot open ephemeris file!", "Ephemeris Data Written to:\n\n"}, outputName,
           ui, guardedBox);
}

}  // namespace kestrion
