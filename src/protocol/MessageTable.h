#pragma once
// The receiver protocol's messages, each described once: its MID, its catalogue name, the wire
// layout of an output (with the scales of its fields), the record block it fills, how it decodes,
// what it implies beyond its record, and how it renders. The MID names, the decoder, the renderer
// and the encoders of the synthetic receiver read this table; hand-written code is left for the
// irregular messages, named by their decoding or rendering here.
#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "protocol/LayoutFormatter.h"
#include "protocol/MessageLayouts.h"
#include "protocol/MessageRecord.h"
#include "protocol/Mid.h"

namespace kestrion {

// How a payload fills its block.
enum class Decoding : uint8_t {
    None,             // not an output (a command or a framing fault): an unknown message
    Layout,           // the layout, over a payload padded with zeros
    Tracker,          // the header and twelve channel layouts, with each channel's mean C/N0
    MgrParams,        // the layout of the receiver's generation
    PollAnswer,       // kept by sub-ID while its poll is outstanding
    DeadReckoning,    // noted, then unknown
    // Counted entries, capped to those the payload holds.
    Error,
    VisibleList,
    DevelopmentData,  // the data as hex text
    TrackerSummary,   // channels of one C/N0 each
    Text,
};

constexpr bool CountsEntries(Decoding decoding) { return decoding >= Decoding::Error; }

// What a message implies besides its record.
enum class Effect : uint8_t {
    None,
    ReleasesCommands,  // navigation: held commands may go (RecordImplications)
    SetsOkToSend,      // the receiver's OK-to-send flag
    NamesGeneration,   // the software version
    StoresAlmanac,     // into the protocol state's tables
    StoresEphemeris,
};

// How a record prints in the log.
enum class Rendering : uint8_t {
    None,            // not logged
    Fields,          // every layout field through the format
    Block,           // its block's own text
    TrueTracker,     // the tracker block with each C/N0 less one
    TrackerSummary,  // the tracker block's counted channels
};

struct MessageKind {
    Mid mid;
    std::string_view name;  // empty for outputs without a catalogue name
    const CLayout* layout = nullptr;
    RecordBlock block = RecordBlock::None;
    Decoding decoding = Decoding::None;
    Effect effect = Effect::None;
    Rendering rendering = Rendering::None;
    std::string_view format = {};  // Rendering::Fields: one conversion per field
};

namespace messages {

using B = RecordBlock;
using D = Decoding;
using R = Rendering;
using E = Effect;

inline constexpr MessageKind kTable[] = {
    {MID_TrueNavigation, "MID_TrueNavigation", &layouts::kNavigation, B::Nav, D::Layout, E::ReleasesCommands, R::Block},
    {MID_MeasuredNavigation, "MID_MeasuredNavigation", &layouts::kNavigation, B::Nav, D::Layout,
     E::ReleasesCommands, R::Block},
    {MID_TrueTracker, "MID_TrueTracker", &layouts::kTrackerHeader, B::Tracker, D::Tracker, E::None, R::TrueTracker},
    {MID_MeasuredTracker, "MID_MeasuredTracker", &layouts::kTrackerHeader, B::Tracker, D::Tracker, E::None,
     R::Block},
    {MID_RawTrkData, "MID_RawTrkData", &layouts::kRawTrack, B::RawTrack, D::Layout, E::None, R::Fields,
     "%d,%ld,%d,%02x,%ld,%d,%d,%ld,%ld,%ld,%ld,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d"},
    {MID_SWVersion, "MID_SWVersion", &layouts::kSwVersion, B::SwVersion, D::Layout, E::NamesGeneration, R::Block},
    {MID_ClockStatus, "MID_ClockStatus", &layouts::kClockStatus, B::ClockStatus, D::Layout, E::None, R::Block},
    {MID_50BPS, "MID_50BPS", &layouts::kFiftyBps, B::FiftyBps, D::Layout, E::None, R::Block},
    {MID_ThroughputMonitor, "MID_ThroughputMonitor", &layouts::kThroughput, B::Throughput, D::Layout, E::None,
     R::Block},
    {MID_Error, "MID_Error", nullptr, B::Error, D::Error, E::None, R::Block},
    {MID_Ack, "MID_Ack", &layouts::kAck, B::Ack, D::Layout, E::None, R::Block},
    {MID_Nak, "MID_Nak", &layouts::kAck, B::Nak, D::Layout, E::None, R::Block},
    {MID_VisList, "MID_VisList", nullptr, B::VisibleList, D::VisibleList, E::None, R::Block},
    {MID_Almanac, "MID_Almanac", &layouts::kAlmanac, B::Almanac, D::Layout, E::StoresAlmanac, R::Block},
    {MID_Ephemeris, "MID_Ephemeris", &layouts::kEphemeris, B::Ephemeris, D::Layout, E::StoresEphemeris, R::Block},
    {MID_TestModeData, "MID_TestModeData"},
    {MID_DevelopmentData, "", nullptr, B::DevelopmentData, D::DevelopmentData, E::None, R::Block},
    {MID_OkToSend, "MID_OkToSend", &layouts::kAck, B::OkToSend, D::Layout, E::SetsOkToSend, R::Fields, "%d,%d"},
    {MID_RxMgrParams, "MID_RxMgrParams", &layouts::kMgrParams, B::MgrParams, D::MgrParams, E::None, R::Block},
    {MID_TrackerSummary, "", nullptr, B::Tracker, D::TrackerSummary, E::None, R::TrackerSummary},
    {MID_DeadReckoning, "", nullptr, B::None, D::DeadReckoning},
    {MID_DGPSStatus, "MID_DGPSStatus", &layouts::kDgpsStatus, B::DgpsStatus, D::Layout},
    {MID_NavLibMeasurement, "", &layouts::kMid28, B::Mid28, D::Layout, E::None, R::Fields,
     "%d,%d,%ld,%d,%.10e,%.10e,%.10e,%.10e,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d"},
    {MID_NavLibDgps, "", &layouts::kMid29, B::Mid29, D::Layout, E::None, R::Fields,
     "%d,%d,%d,%d,%.10e,%.10e,%.10e,%.10e,%.10e"},
    {MID_NavLibSvState, "", &layouts::kMid30, B::Mid30, D::Layout, E::None, R::Fields,
     "%d,%d,%.11e,%.10e,%.10e,%.10e,%.10e,%.10e,%.10e,%.10e,%.10e,%d,%.10e,%.10e,%.10e"},
    {MID_NavLibInit, "", &layouts::kMid31, B::Mid31, D::Layout, E::None, R::Fields,
     "%d,%d,%d,%d,%.10e,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%.10e,%.10e,%.10e,%d,%.10e,%d,%d,"
     "%.10e,%d"},
    {MID_CMD_PARAM, "MID_CMD_PARAM", nullptr, B::None, D::PollAnswer},
    // Commands.
    {MID_NavigationInitialization, "MID_NavigationInitialization"},
    {MID_SetNMEAMode, "MID_SetNMEAMode"},
    {MID_SetAlmanac, "MID_SetAlmanac"},
    {MID_FormattedDump, "MID_FormattedDump"},
    {MID_PollSWVersion, "MID_PollSWVersion"},
    {MID_DGPSSourceControl, "MID_DGPSSourceControl"},
    {MID_SetSerialPort, "MID_SetSerialPort"},
    {MID_SetProtocol, "MID_SetProtocol"},
    {MID_SetNavMode, "MID_SetNavMode"},
    {MID_SetDOPMode, "MID_SetDOPMode"},
    {MID_SetDGPSMode, "MID_SetDGPSMode"},
    {MID_SetElevMask, "MID_SetElevMask"},
    {MID_SetPowerMask, "MID_SetPowerMask"},
    {MID_SetEditingResidual, "MID_SetEditingResidual"},
    {MID_SetSteadyStateDetector, "MID_SetSteadyStateDetector"},
    {MID_SetStaticNavigation, "MID_SetStaticNavigation"},
    {MID_PollClockStatus, "MID_PollClockStatus"},
    {MID_SetDGPSPort, "MID_SetDGPSPort"},
    {MID_PollAlmanac, "MID_PollAlmanac"},
    {MID_PollEphemeris, "MID_PollEphemeris"},
    {MID_FlashUpdate, "MID_FlashUpdate"},
    {MID_SetEphemeris, "MID_SetEphemeris"},
    {MID_SwitchOpMode, "MID_SwitchOpMode"},
    {MID_LowPower, "MID_LowPower"},
    {MID_PollRxMgrParams, "MID_PollRxMgrParams"},
    {MID_ChangeUartChnl, "MID_ChangeUartChnl"},
    {MID_SetMsgRate, "MID_SetMsgRate"},
    {MID_LPAcqParams, "MID_LPAcqParams"},
    {MID_POLL_CMD_PARAM, "MID_POLL_CMD_PARAM"},
    // Faults of the receiver's own framing, and text.
    {MID_BufferFull, "MID_BufferFull"},
    {MID_ParityError, "MID_ParityError"},
    {MID_RcvFullError, "MID_RcvFullError"},
    {MID_RcvOverrunError, "MID_RcvOverrunError"},
    {MID_FrameError, "MID_FrameError"},
    {MID_BreakInterrupt, "MID_BreakInterrupt"},
    {MID_BufferTerminated, "MID_BufferTerminated"},
    {MID_TransportDataError, "MID_TransportDataError"},
    {MID_CheckSumError, "MID_CheckSumError"},
    {MID_LengthError, "MID_LengthError"},
    {MID_MessageTypeError, "MID_MessageTypeError"},
    {MID_ASCIIData, "MID_ASCIIData", nullptr, B::Text, D::Text, E::None, R::Block},
};

// Rows by MID: a lookup without a search.
inline constexpr auto kRowOfMid = [] {
    std::array<int16_t, 256> rows{};
    rows.fill(-1);
    for (size_t row = 0; row < std::size(kTable); ++row) {
        if (rows[kTable[row].mid] >= 0) {
            throw "a MID appears twice in the message table";
        }
        rows[kTable[row].mid] = static_cast<int16_t>(row);
    }
    return rows;
}();

// Each row is whole: a layout where it decodes or renders through one, a format that matches it.
constexpr bool RowIsWhole(const MessageKind& kind)
{
    const bool needsLayout = kind.decoding == D::Layout || kind.decoding == D::Tracker ||
                             kind.decoding == D::MgrParams || kind.rendering == R::Fields;
    const bool needsBlock = kind.decoding != D::None && kind.decoding != D::PollAnswer &&
                            kind.decoding != D::DeadReckoning;
    return (!needsLayout || kind.layout != nullptr) && (!needsBlock || kind.block != B::None) &&
           (kind.rendering != R::Fields || CountConversions(kind.format) == kind.layout->Fields().size()) &&
           (kind.rendering == R::None || kind.decoding != D::None);
}
// The sanitizers' null checks make a layout's address no constant; the tests check it there.
#if !defined(__SANITIZE_ADDRESS__)
static_assert(std::ranges::all_of(kTable, RowIsWhole));
#endif

}  // namespace messages

// The row of a MID, or null for a MID the table lacks.
constexpr const MessageKind* FindMessage(uint8_t mid)
{
    const int row = messages::kRowOfMid[mid];
    return row < 0 ? nullptr : &messages::kTable[row];
}

// The same where the MID is known at compile time: a MID the table lacks fails to compile.
consteval const MessageKind& MessageOf(Mid mid) { return *FindMessage(mid); }

// The payload (MID first) of a message its layout decodes, encoded from its block.
std::vector<uint8_t> EncodeMessage(const MessageKind& kind, std::span<const uint8_t> block);
template <typename Block>
std::vector<uint8_t> EncodeMessage(const MessageKind& kind, const Block& block)
{
    return EncodeMessage(kind, std::span(reinterpret_cast<const uint8_t*>(&block), sizeof block));
}

}  // namespace kestrion
