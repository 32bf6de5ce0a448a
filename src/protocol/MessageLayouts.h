#pragma once
// Wire layouts of the fixed-size receiver outputs and of the command-parameter poll answers,
// with the scale and unit of each scaled field: the one home of every field scale.
#include <cstddef>

#include "protocol/CommandLayouts.h"
#include "protocol/Layout.h"

namespace kestrion::layouts {

inline constexpr CLayout kNavigation(  // MIDs 1, 2
    "B:mid l:x[m] l:y[m] l:z[m] h:vx/8[m/s] h:vy/8[m/s] h:vz/8[m/s] B:mode1 B:dop/5 B:mode2 H:week L:tow/100[s] "
    "B:svCount 12B:svIds");
// MIDs 3, 4: the header, then twelve channels.
inline constexpr CLayout kTrackerHeader("B:mid H:week L:tow/100[s] B:channelCount");
inline constexpr CLayout kTrackerChannel("B:svId B:azimuth*3/2[deg] B:elevation/2[deg] H:state 10B:cno");
inline constexpr CLayout kRawTrack("Blhhlhh4lh10B2B2h");  // MID 5
inline constexpr CLayout kSwVersion("B:mid 20c:version");
inline constexpr CLayout kClockStatus(
    "B:mid H:week L:tow/100[s] B:svCount L:clockDrift[Hz] L:clockBias[ns] L:estGpsTime[ms]");
inline constexpr CLayout kFiftyBps("B:mid B:channel B:svId 10L:words");
inline constexpr CLayout kThroughput("B:mid H:segStatMax H:latency H:aveTrkTime H:navComplete[ms]");
inline constexpr CLayout kAck("B:mid B:commandMid");  // MIDs 11, 12, 18
inline constexpr CLayout kAlmanac("B:mid B:svId 14H:words");
inline constexpr CLayout kEphemeris("B:mid B:svId 45H:words");
// MID 19, generation 1 and later generations.
inline constexpr CLayout kMgrParams1(
    "B:mid B:altConstraint B:altMode B:altSource h:altitude B:degradedMode B:degradedTimeout[s] B:drTimeout[s] "
    "B:trackSmoothMode B:dopMaskMode B:dgpsMode B:dgpsTimeout[s] h:elevMask/10[deg] B:powerMask[dB-Hz] "
    "H:editResidualThreshold B:steadyDetectThreshold/10[m/s^2] B:staticNavThreshold/10[m/s] B:lpState "
    "B:lpDutyCycle[%] H:lpOnTime[ms]");
inline constexpr CLayout kMgrParams(
    "B:mid L B:altMode B:altSource h:altitude B:degradedMode B:degradedTimeout B:drTimeout B:trackSmoothMode "
    "B:staticNav B:threeSvLsq L B:dopMaskMode h:elevMask/10[deg] B:powerMask L B:dgpsSource B:dgpsMode B:dgpsTimeout L "
    "B:periodicWakeUp L:lpOnTime L:lpCyclePeriod B:userTasks L:userTaskPeriod B:dutyCycled L:maxAcqTime "
    "L:maxOffTime L L");
inline constexpr CLayout kDgpsStatus(
    "B:mid B:source L:beaconFrequency[Hz] B:beaconBitRate B:beaconStatus l:signalMagnitude h:signalStrength[dB] "
    "h:snr[dB] 12(B:svId h:correction/100[m])");
inline constexpr CLayout kMid28("BBLBddfdHB10BHHhBB");
inline constexpr CLayout kMid29("BhhB5f");
inline constexpr CLayout kMid30("BB8dfB3f");
inline constexpr CLayout kMid31("B3BfB3H2B3HB3HBHBHBH3dBdHBdB");

// Command-parameter poll answers (MID 43) from the sub-ID on: the payload of the command polled,
// the low power one followed by its acquisition parameters. In countdown order.
struct PollAnswerLayout {
    Mid subId;
    CLayout layout;
};

inline constexpr PollAnswerLayout kPollAnswerLayouts[8] = {
    {MID_DGPSSourceControl, CommandLayout(MID_DGPSSourceControl)},
    {MID_SetNavMode, CommandLayout(MID_SetNavMode)},
    {MID_SetDOPMode, CommandLayout(MID_SetDOPMode)},
    {MID_SetDGPSMode, CommandLayout(MID_SetDGPSMode)},
    {MID_SetElevMask, CommandLayout(MID_SetElevMask)},
    {MID_SetPowerMask, CommandLayout(MID_SetPowerMask)},
    {MID_SetStaticNavigation, CommandLayout(MID_SetStaticNavigation)},
    {MID_LowPower, CommandLayout(MID_LowPower).Then(CommandLayout(MID_LPAcqParams))},
};

// The answers' layouts alone, by poll slot.
inline constexpr auto kPollAnswers = [] {
    std::array<CLayout, std::size(kPollAnswerLayouts)> answers{
        CLayout(""), CLayout(""), CLayout(""), CLayout(""), CLayout(""), CLayout(""), CLayout(""), CLayout("")};
    for (size_t slot = 0; slot < answers.size(); ++slot) {
        answers[slot] = kPollAnswerLayouts[slot].layout;
    }
    return answers;
}();

}  // namespace kestrion::layouts

namespace kestrion {

// Sub-IDs of the command-parameter poll answers, in countdown order.
inline constexpr auto kPollSubIds = [] {
    std::array<uint8_t, std::size(layouts::kPollAnswerLayouts)> subIds{};
    for (size_t slot = 0; slot < subIds.size(); ++slot) {
        subIds[slot] = layouts::kPollAnswerLayouts[slot].subId;
    }
    return subIds;
}();

}  // namespace kestrion

// The scaled fields as readers take them: fields::kNavDop.Scaled(nav.dop) is the DOP.
namespace kestrion::fields {

inline constexpr LayoutField kNavVelocity[3] = {layouts::kNavigation.Field("vx"), layouts::kNavigation.Field("vy"),
                                                layouts::kNavigation.Field("vz")};
inline constexpr LayoutField kNavDop = layouts::kNavigation.Field("dop");
inline constexpr LayoutField kNavTow = layouts::kNavigation.Field("tow");
inline constexpr LayoutField kAzimuth = layouts::kTrackerChannel.Field("azimuth");
inline constexpr LayoutField kElevation = layouts::kTrackerChannel.Field("elevation");
inline constexpr LayoutField kDgpsCorrection = layouts::kDgpsStatus.Field("correction");

}  // namespace kestrion::fields

#include "protocol/MessageBlocks.h"

namespace kestrion::layouts {

static_assert(kNavigation.Size() == sizeof(NavBlock));
static_assert(kTrackerHeader.Size() == offsetof(TrackerBlock, channels));
static_assert(kTrackerChannel.Size() == offsetof(TrackerChannel, averageCno));
static_assert(kRawTrack.Size() == 51);
static_assert(kSwVersion.Size() == sizeof(SwVersionBlock));
static_assert(kClockStatus.Size() == sizeof(ClockStatusBlock));
static_assert(kFiftyBps.Size() == sizeof(FiftyBpsBlock));
static_assert(kThroughput.Size() == sizeof(ThroughputBlock));
static_assert(kAlmanac.Size() == sizeof(AlmanacBlock));
static_assert(kEphemeris.Size() == sizeof(EphemerisBlock));
static_assert(kMgrParams1.Size() == sizeof(MgrParams1Block));
static_assert(kMgrParams.Size() == sizeof(MgrParamsBlock));
static_assert(kDgpsStatus.Size() == sizeof(DgpsStatusBlock));
static_assert(kMid28.Size() == 56 && kMid29.Size() == 26 && kMid30.Size() == 83 && kMid31.Size() == 84);
static_assert(kPollAnswers[0].Size() == 7 && kPollAnswers[1].Size() == 14 && kPollAnswers[7].Size() == 34);
static_assert(sizeof(PollAnswerBlock::bytes) == kPollAnswers[7].Size());

}  // namespace kestrion::layouts
