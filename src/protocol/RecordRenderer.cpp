#include "protocol/RecordRenderer.h"

#include <algorithm>
#include <array>

#include "protocol/ErrorTexts.h"
#include "protocol/LayoutFormatter.h"
#include "protocol/MessageLayouts.h"
#include "protocol/MgrParamsText.h"
#include "protocol/Mid.h"
#include "protocol/TextFormatter.h"

namespace kestrion {
namespace {

constexpr LayoutText kRawTrackText{layouts::kRawTrack,
                                   "%d,%ld,%d,%02x,%ld,%d,%d,%ld,%ld,%ld,%ld,%d"
                                   ",%d,%d,%d,%d,%d,%d,%d,%d,%d,%d"
                                   ",%d,%d,%d,%d"};

constexpr LayoutText kMid28Text{layouts::kMid28,
                                "%d,%d,%ld,%d,%.10e,%.10e,%.10e,%.10e,%d,%d"
                                ",%d,%d,%d,%d,%d,%d,%d,%d,%d,%d"
                                ",%d,%d,%d,%d,%d"};

constexpr LayoutText kMid29Text{layouts::kMid29, "%d,%d,%d,%d,%.10e,%.10e,%.10e,%.10e,%.10e"};

constexpr LayoutText kMid30Text{layouts::kMid30,
                                "%d,%d,%.11e"
                                ",%.10e,%.10e,%.10e,%.10e,%.10e,%.10e"
                                ",%.10e,%.10e,%d,%.10e,%.10e,%.10e"};

constexpr LayoutText kMid31Text{
    layouts::kMid31,
    "%d"
    ",%d,%d,%d,%.10e,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d"
    ",%.10e,%.10e,%.10e,%d"
    ",%.10e,%d,%d"
    ",%.10e,%d"};

static_assert(kRawTrackText.Matches() && kMid28Text.Matches() && kMid29Text.Matches() &&
              kMid30Text.Matches() && kMid31Text.Matches());

void AppendNavigation(std::string& out, const NavBlock& nav)
{
    const size_t used = std::min<size_t>(nav.svCount, kChannels);
    std::array<CFormatArg, 13 + kChannels> args = {
        nav.mid, nav.x.Value(), nav.y.Value(), nav.z.Value(),
        nav.vx.Value() * 0.125, nav.vy.Value() * 0.125, nav.vz.Value() * 0.125,
        nav.mode1, nav.dop * 0.2, nav.mode2, nav.week.Value(), nav.tow.Value(), nav.svCount,
    };
    for (size_t i = 0; i < kChannels; ++i) {
        args[13 + i] = i < used ? nav.svIds[i] : 0;
    }
    AppendFormat(out,
                 "%d,%ld,%ld,%ld,%.3f,%.3f,%.3f,%d,%.1f,%d,%d,%ld,%d"
                 ",%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d",
                 args);
}

// Azimuth in units of 1.5 degrees and elevation in 0.5 degree, as whole degrees.
int AzimuthDegrees(uint8_t azimuth)
{
    return azimuth * 3 / 2;
}

int ElevationDegrees(uint8_t elevation)
{
    return elevation / 2;
}

void AppendTracker(std::string& out, const TrackerBlock& tracker, int cnoOffset)
{
    AppendFormat(out, "%d,%d,%ld,%d",
                 {tracker.mid, tracker.week.Value(), tracker.tow.Value(), tracker.channelCount});
    for (const TrackerChannel& channel : tracker.channels) {
        std::array<CFormatArg, 4 + kCnoCount> args = {channel.svId, AzimuthDegrees(channel.azimuth),
                                                     ElevationDegrees(channel.elevation),
                                                     channel.state.Value()};
        for (size_t i = 0; i < kCnoCount; ++i) {
            args[4 + i] = channel.cno[i] + cnoOffset;
        }
        AppendFormat(out, ",%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d", args);
    }
}

void AppendTrackerSummary(std::string& out, const TrackerBlock& tracker)
{
    AppendFormat(out, "%d,%d", {tracker.mid, tracker.channelCount});
    const size_t count = std::min<size_t>(tracker.channelCount, kChannels);
    for (size_t i = 0; i < count; ++i) {
        const TrackerChannel& channel = tracker.channels[i];
        AppendFormat(out, ",%d,%d,%d,%02X,%d",
                     {channel.svId, AzimuthDegrees(channel.azimuth),
                      ElevationDegrees(channel.elevation), channel.state.Value(), channel.cno[0]});
    }
}

void AppendFiftyBps(std::string& out, const FiftyBpsBlock& block)
{
    std::array<CFormatArg, 12> args = {block.channel, block.svId};
    for (size_t i = 0; i < 10; ++i) {
        args[2 + i] = block.words[i].Value();
    }
    AppendFormat(out,
                 ": %02d %02d %-08lx %-08lx %-08lx %-08lx %-08lx %-08lx %-08lx %-08lx %-08lx "
                 "%-08lx ",
                 args);
}

// Missing words read as 0; each word prints as signed or unsigned as its conversion says.
void AppendError(std::string& out, const ErrorBlock& block)
{
    std::array<CFormatArg, kMaxErrorWords> args;
    const size_t count = std::min<size_t>(block.count, kMaxErrorWords);
    for (size_t i = 0; i < count; ++i) {
        args[i] = CFormatArg::Word(block.words[i]);
    }
    AppendFormat(out, ErrorFormat(block.code), std::span<const CFormatArg>(args.data(), count));
}

void AppendVisibleList(std::string& out, const VisibleListBlock& block)
{
    out += "Visible List\n";
    const size_t count = std::min<size_t>(block.count, kMaxVisibleEntries);
    for (size_t i = 0; i < count; ++i) {
        const VisibleEntry& entry = block.entries[i];
        AppendFormat(out, "SVID:%02d  Az:%03d  El:%03d\n",
                     {entry.svId, entry.azimuth.Value(), entry.elevation.Value()});
    }
}

template <typename Word, typename Block>
void AppendWords(std::string& out, std::string_view title, const Block& block)
{
    AppendFormat(out, title, {block.svId});
    for (const uint16_t word : block.words) {
        AppendFormat(out, "%d, ", {static_cast<Word>(word)});
    }
}

// The text up to its first NUL, right-aligned in a field as wide as the whole text, with
// line ends made blanks.
void AppendText(std::string& out, std::string_view text)
{
    AppendFormat(out, "%*s", {text.size(), text});
    std::replace_if(
        out.begin(), out.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
}

}  // namespace

bool RenderRecord(const CMessageRecord& record, int generation, std::string& out)
{
    out.clear();
    switch (record.type) {
    case 1:
    case 2: AppendNavigation(out, record.nav); break;
    case 3: AppendTracker(out, record.tracker, 255); break;
    case 4: AppendTracker(out, record.tracker, 0); break;
    case 5: AppendLayoutFields(out, kRawTrackText, record.rawTrack.bytes); break;
    case 6:
        AppendFormat(out, "SW Version: %s",
                     {std::string_view(record.swVersion.version, sizeof record.swVersion.version)});
        break;
    case 7: {
        const ClockStatusBlock& block = record.clockStatus;
        AppendFormat(out,
                     "Week:%u  TOW:%lu  EstGPSTime:%lu ms  SVCnt:%u  Clock Drift:%lu Hz  "
                     "Clock Bias:%lu ns",
                     {block.week.Value(), block.tow.Value(), block.estGpsTime.Value(), block.svCount,
                      block.clockDrift.Value(), block.clockBias.Value()});
        break;
    }
    case 8:
        if (record.fiftyBps.svId == 0) {
            return false;
        }
        AppendFiftyBps(out, record.fiftyBps);
        break;
    case 9: {
        const ThroughputBlock& block = record.throughput;
        AppendFormat(out,
                     "ThrPut(186=1ms): Latency:%03d SegStatMax:%03d AveTrkTime:%03d "
                     "Nav Complete:%04d ms",
                     {block.latency.Value(), block.segStatMax.Value(), block.aveTrkTime.Value(),
                      block.navComplete.Value()});
        break;
    }
    case 10: AppendError(out, record.error); break;
    case 11: AppendFormat(out, "Ack: %s", {MidName(record.ack.commandMid)}); break;
    case 12: AppendFormat(out, "Nak: %s", {MidName(record.nak.commandMid)}); break;
    case 13: AppendVisibleList(out, record.visibleList); break;
    case 14: AppendWords<int16_t>(out, "ALMANAC SVID:%02d  ", record.almanac); break;
    case 15: AppendWords<uint16_t>(out, "EPHEMERIS SVID:%02d  ", record.ephemeris); break;
    case 17: {
        const DevelopmentDataBlock& block = record.developmentData;
        AppendFormat(out, "%d,%s", {block.mid, std::string_view(block.hex, sizeof block.hex)});
        break;
    }
    case 18: AppendFormat(out, "%d,%d", {record.okToSend.mid, record.okToSend.okToSend}); break;
    case 19:
        if (generation == 1) {
            AppendMgrParams(out, record.mgrParams1);
        } else {
            AppendMgrParams(out, record.mgrParams);
        }
        break;
    case 23: AppendTrackerSummary(out, record.tracker); break;
    case 28: AppendLayoutFields(out, kMid28Text, record.mid28.bytes); break;
    case 29: AppendLayoutFields(out, kMid29Text, record.mid29.bytes); break;
    case 30: AppendLayoutFields(out, kMid30Text, record.mid30.bytes); break;
    case 31: AppendLayoutFields(out, kMid31Text, record.mid31.bytes); break;
    case 255: AppendText(out, record.Text()); break;
    default: return false;
    }
    return true;
}

}  // namespace kestrion
