#pragma once
// Wire layouts of the fixed-size receiver outputs and of the command-parameter poll answers.
#include "protocol/CommandLayouts.h"
#include "protocol/Layout.h"

namespace kestrion::layouts {

inline constexpr CLayout kNavigation("B3l3h3BHLB12B");  // MIDs 1, 2
inline constexpr CLayout kRawTrack("Blhhlhh4lh10B2B2h");  // MID 5
inline constexpr CLayout kSwVersion("B20c");
inline constexpr CLayout kClockStatus("BHLBLLL");
inline constexpr CLayout kFiftyBps("BBB10L");
inline constexpr CLayout kThroughput("B4H");
inline constexpr CLayout kAck("BB");  // MIDs 11, 12, 18
inline constexpr CLayout kAlmanac("BB14H");
inline constexpr CLayout kEphemeris("BB45H");
// MID 19, generation 1 and later generations.
inline constexpr CLayout kMgrParams1(
    "B:mid B:altConstraint B:altMode B:altSource h:altitude B:degradedMode B:degradedTimeout B:drTimeout "
    "B:trackSmoothMode B:dopMaskMode B:dgpsMode B:dgpsTimeout h:elevMask B:powerMask H:editResidualThreshold "
    "B:steadyDetectThreshold B:staticNavThreshold B:lpState B:lpDutyCycle H:lpOnTime");
inline constexpr CLayout kMgrParams(
    "B:mid L B:altMode B:altSource h:altitude B:degradedMode B:degradedTimeout B:drTimeout B:trackSmoothMode "
    "B:staticNav B:threeSvLsq L B:dopMaskMode h:elevMask B:powerMask L B:dgpsSource B:dgpsMode B:dgpsTimeout L "
    "B:periodicWakeUp L:lpOnTime L:lpCyclePeriod B:userTasks L:userTaskPeriod B:dutyCycled L:maxAcqTime "
    "L:maxOffTime L L");
inline constexpr CLayout kDgpsStatus("BBLBBlhh12(Bh)");
inline constexpr CLayout kMid28("BBLBddfdHB10BHHhBB");
inline constexpr CLayout kMid29("BhhB5f");
inline constexpr CLayout kMid30("BB8dfB3f");
inline constexpr CLayout kMid31("B3BfB3H2B3HB3HBHBHBH3dBdHBdB");

// Poll answers from the sub-ID on, by poll slot: the payload of the command polled, the low
// power one followed by its acquisition parameters.
inline constexpr CLayout kPollAnswers[8] = {
    CommandLayout(MID_DGPSSourceControl),
    CommandLayout(MID_SetNavMode),
    CommandLayout(MID_SetDOPMode),
    CommandLayout(MID_SetDGPSMode),
    CommandLayout(MID_SetElevMask),
    CommandLayout(MID_SetPowerMask),
    CommandLayout(MID_SetStaticNavigation),
    CommandLayout(MID_LowPower).Then(CommandLayout(MID_LPAcqParams)),
};

}  // namespace kestrion::layouts

#include "protocol/MessageBlocks.h"

namespace kestrion::layouts {

static_assert(kNavigation.Size() == sizeof(NavBlock));
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
