#include "views/MapStatusText.h"

#include <algorithm>

#include "protocol/MessageBlocks.h"
#include "protocol/TextFormatter.h"
#include "views/NavModeText.h"

namespace kestrion {
namespace {

constexpr uint8_t kValidated = 0x02;  // mode 2

// The SV IDs of the fix in channel order, zeros included.
std::string SvList(const NavBlock& nav)
{
    std::string text;
    const size_t used = std::min<size_t>(nav.svCount, kChannels);
    for (size_t channel = 0; channel < used; ++channel) {
        AppendFormat(text, "%d ", {nav.svIds[channel]});
    }
    return text;
}

}  // namespace

MapFixTexts FixTextsOf(const NavBlock& nav, int generation)
{
    return {
        FormatText("%10.2f", {nav.tow.Value() * 0.01}),
        FormatText("%4d", {nav.week.Value()}),
        (nav.mode2 & kValidated) != 0 ? "Validated" : "Unvalidated",
        FormatText("%-3.1f", {nav.dop * 0.2}),
        FixModeText(nav.mode1, nav.mode2, generation),
        FormatText("%d", {nav.svCount}),
        SvList(nav),
    };
}

MapPositionTexts PositionTextsOf(const MapPosition& position)
{
    return {
        FormatText("%9.5f", {position.latitude}),
        FormatText("%9.5f", {position.longitude}),
        FormatText("%.0f", {position.height}),
        FormatText("%.0f\xB0", {position.course}),
        FormatText("%.3f", {position.speed}),
    };
}

}  // namespace kestrion
