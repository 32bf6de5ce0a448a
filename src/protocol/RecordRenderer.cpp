#include "protocol/RecordRenderer.h"

#include <algorithm>
#include <array>

#include "protocol/ErrorTexts.h"
#include "protocol/LayoutFormatter.h"
#include "protocol/MessageTable.h"
#include "protocol/MgrParamsText.h"
#include "protocol/TextFormatter.h"

namespace kestrion {
namespace {

void AppendNavigation(std::string& out, const NavBlock& nav)
{
    const size_t used = std::min<size_t>(nav.svCount, kChannels);
    std::array<CFormatArg, 13 + kChannels> args = {
        nav.mid, nav.x.Value(), nav.y.Value(), nav.z.Value(),
        fields::kNavVelocity[0].Scaled(nav.vx), fields::kNavVelocity[1].Scaled(nav.vy),
        fields::kNavVelocity[2].Scaled(nav.vz), nav.mode1, fields::kNavDop.Scaled(nav.dop), nav.mode2,
        nav.week.Value(), nav.tow.Value(), nav.svCount,
    };
    for (size_t i = 0; i < kChannels; ++i) {
        args[13 + i] = i < used ? nav.svIds[i] : 0;
    }
    AppendFormat(out,
                 "%d,%ld,%ld,%ld,%.3f,%.3f,%.3f,%d,%.1f,%d,%d,%ld,%d"
                 ",%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d",
                 args);
}

// Azimuth and elevation in whole degrees.
int AzimuthDegrees(uint8_t azimuth)
{
    return static_cast<int>(fields::kAzimuth.Scaled(azimuth));
}

int ElevationDegrees(uint8_t elevation)
{
    return static_cast<int>(fields::kElevation.Scaled(elevation));
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
    for (size_t i = 0; i < std::size(block.words); ++i) {
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

// The C/N0 of the true tracker (MID 3) prints one less, as a byte.
constexpr int kTrueCnoOffset = 255;

// The text of a record by its block; false when the block prints nothing.
bool AppendBlock(std::string& out, const CMessageRecord& record, RecordBlock block, int generation)
{
    switch (block) {
    case RecordBlock::Nav: AppendNavigation(out, record.nav); break;
    case RecordBlock::Tracker: AppendTracker(out, record.tracker, 0); break;
    case RecordBlock::SwVersion:
        AppendFormat(out, "SW Version: %s",
                     {std::string_view(record.swVersion.version, sizeof record.swVersion.version)});
        break;
    case RecordBlock::ClockStatus: {
        const ClockStatusBlock& clock = record.clockStatus;
        AppendFormat(out,
                     "Week:%u  TOW:%lu  EstGPSTime:%lu ms  SVCnt:%u  Clock Drift:%lu Hz  "
                     "Clock Bias:%lu ns",
                     {clock.week.Value(), clock.tow.Value(), clock.estGpsTime.Value(), clock.svCount,
                      clock.clockDrift.Value(), clock.clockBias.Value()});
        break;
    }
    case RecordBlock::FiftyBps:
        if (record.fiftyBps.svId == 0) {
            return false;
        }
        AppendFiftyBps(out, record.fiftyBps);
        break;
    case RecordBlock::Throughput: {
        const ThroughputBlock& throughput = record.throughput;
        AppendFormat(out,
                     "ThrPut(186=1ms): Latency:%03d SegStatMax:%03d AveTrkTime:%03d "
                     "Nav Complete:%04d ms",
                     {throughput.latency.Value(), throughput.segStatMax.Value(), throughput.aveTrkTime.Value(),
                      throughput.navComplete.Value()});
        break;
    }
    case RecordBlock::Error: AppendError(out, record.error); break;
    case RecordBlock::Ack: AppendFormat(out, "Ack: %s", {MidName(record.ack.commandMid)}); break;
    case RecordBlock::Nak: AppendFormat(out, "Nak: %s", {MidName(record.nak.commandMid)}); break;
    case RecordBlock::VisibleList: AppendVisibleList(out, record.visibleList); break;
    case RecordBlock::Almanac: AppendWords<int16_t>(out, "ALMANAC SVID:%02d  ", record.almanac); break;
    case RecordBlock::Ephemeris: AppendWords<uint16_t>(out, "EPHEMERIS SVID:%02d  ", record.ephemeris); break;
    case RecordBlock::DevelopmentData: {
        const DevelopmentDataBlock& data = record.developmentData;
        AppendFormat(out, "%d,%s", {data.mid, std::string_view(data.hex, sizeof data.hex)});
        break;
    }
    case RecordBlock::MgrParams:
        if (generation == 1) {
            AppendMgrParams(out, record.mgrParams1);
        } else {
            AppendMgrParams(out, record.mgrParams);
        }
        break;
    case RecordBlock::Text: AppendText(out, record.Text()); break;
    default: return false;
    }
    return true;
}

}  // namespace

bool RenderRecord(const CMessageRecord& record, int generation, std::string& out)
{
    out.clear();
    const MessageKind* kind = FindMessage(record.type);
    if (kind == nullptr) {
        return false;
    }
    switch (kind->rendering) {
    case Rendering::None: return false;
    case Rendering::Fields:
        AppendLayoutFields(out, *kind->layout, kind->format, record.BlockOf(kind->block).data());
        return true;
    case Rendering::Block: return AppendBlock(out, record, kind->block, generation);
    case Rendering::TrueTracker: AppendTracker(out, record.tracker, kTrueCnoOffset); return true;
    case Rendering::TrackerSummary: AppendTrackerSummary(out, record.tracker); return true;
    }
    return false;
}

}  // namespace kestrion
