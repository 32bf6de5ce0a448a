#include "views/NavModeText.h"

#include <algorithm>
#include <iterator>
#include <string_view>

#include "protocol/TextFormatter.h"

namespace kestrion {
namespace {

constexpr uint8_t kBadDop = 0x40;
constexpr uint8_t kDgps = 0x80;
constexpr uint8_t kLeastSquares = 0x08;
constexpr uint8_t kSensorDr = 0x01;     // mode 2
constexpr uint8_t kDrTimedOut = 0x04;   // mode 2
constexpr uint8_t kEditedByUi = 0x08;   // mode 2

// Generation 1's modes with names; the others count the SVs of the fix.
struct NamedMode {
    int mode;
    std::string_view name;
};
constexpr NamedMode kGeneration1Modes[] = {{0, "None"}, {4, "Full 3D"}, {5, "Point 2D"}, {6, "Point 3D"}};
constexpr int kGeneration1Dr = 7;

std::string Generation1Mode(uint8_t mode1, uint8_t mode2)
{
    const int mode = mode1 & 0x7F;
    if (mode == kGeneration1Dr) {
        return (mode2 & kSensorDr) != 0 ? "DR using sensor" : "DR";
    }
    const auto* named = std::ranges::find(kGeneration1Modes, mode, &NamedMode::mode);
    return named != std::end(kGeneration1Modes) ? std::string(named->name) : FormatText("%d SV", {mode});
}

std::string LaterMode(uint8_t mode1)
{
    constexpr std::string_view kFixes[] = {"NoNav", "1SV", "2SV", "3SV", "3D", "LS2D", "LS3D", "DR"};
    constexpr std::string_view kAltitudeHolds[] = {"", "(AltFilter)", "(AltUser)", "(AltForced)"};
    std::string text(kFixes[mode1 & 7]);
    text += kAltitudeHolds[(mode1 >> 4) & 3];
    return text;
}

}  // namespace

std::string FixModeText(uint8_t mode1, uint8_t mode2, int generation)
{
    if ((mode1 & kBadDop) != 0) {
        return "Bad DOP";
    }
    std::string text = generation == 1 ? Generation1Mode(mode1, mode2) : LaterMode(mode1);
    if ((mode1 & kDgps) != 0) {
        text += "+DGPS";
    }
    if ((mode1 & kLeastSquares) != 0) {
        text += ";LC";
    }
    return text;
}

std::string NavModeText(uint8_t mode1, uint8_t mode2, int generation)
{
    std::string text = FixModeText(mode1, mode2, generation);
    if ((mode2 & kDrTimedOut) != 0) {
        text += ", DR timed out";
    }
    if ((mode2 & kEditedByUi) != 0) {
        text += ", edited by UI";
    }
    return text;
}

}  // namespace kestrion
