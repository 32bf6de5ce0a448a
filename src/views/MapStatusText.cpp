#include "views/MapStatusText.h"

#include <algorithm>

#include "epoch/ReceiverEpoch.h"
#include "protocol/MessageLayouts.h"
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

// Hours, minutes and seconds to the tenth, as wide as the time of week field.
std::string TimeOfDay(int64_t millisecond)
{
    const int64_t tenths = millisecond / 100;
    return FormatText("%02d:%02d:%04.1f", {int(tenths / 36000), int(tenths / 600 % 60), tenths % 600 * 0.1});
}

std::string EpochTimeText(const EpochTime& time)
{
    if (time.gpsTow) {
        return FormatText("%10.2f", {fields::kNavTow.Scaled(*time.gpsTow)});
    }
    return time.utcMillisecond ? TimeOfDay(*time.utcMillisecond) : std::string();
}

std::string UsedNames(const ReceiverEpoch& epoch)
{
    std::string text;
    for (const SatelliteId id : epoch.usedIds) {
        text += RinexName(id) + ' ';
    }
    return text;
}

}  // namespace

MapFixTexts FixTextsOf(const NavBlock& nav, int generation)
{
    return {
        FormatText("%10.2f", {fields::kNavTow.Scaled(nav.tow)}),
        FormatText("%4d", {nav.week.Value()}),
        (nav.mode2 & kValidated) != 0 ? "Validated" : "Unvalidated",
        FormatText("%-3.1f", {fields::kNavDop.Scaled(nav.dop)}),
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

MapFixTexts FixTextsOf(const ReceiverEpoch& epoch, int generation)
{
    if (epoch.binaryNav) {
        return FixTextsOf(*epoch.binaryNav, generation);
    }
    MapFixTexts texts;
    texts.time = EpochTimeText(epoch.time);
    if (epoch.time.gpsWeek) {
        texts.week = FormatText("%4d", {*epoch.time.gpsWeek});
    }
    if (epoch.dops.hdop) {
        texts.dop = FormatText("%-3.1f", {*epoch.dops.hdop});
    }
    texts.mode = FixModeName(epoch.fix);
    if (epoch.usedCount) {
        texts.fix = FormatText("%d", {*epoch.usedCount});
    }
    texts.svs = UsedNames(epoch);
    return texts;
}

MapPositionTexts PositionTextsOf(const ReceiverEpoch& epoch)
{
    MapPositionTexts texts = PositionTextsOf(MapPositionOf(epoch));
    if (!epoch.binaryNav) {
        if (!epoch.velocity.course) {
            texts.heading.clear();
        }
        if (!epoch.velocity.groundSpeed) {
            texts.speed.clear();
        }
    }
    return texts;
}

}  // namespace kestrion
