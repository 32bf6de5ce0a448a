#include "protocol/Mid.h"

#include <array>
#include <string_view>

namespace kestrion {
namespace {

struct MidNameEntry {
    uint8_t mid;
    std::string_view name;
};

constexpr std::array kNames = std::to_array<MidNameEntry>({
    {1, "MID_TrueNavigation"}, {2, "MID_MeasuredNavigation"}, {3, "MID_TrueTracker"},
    {4, "MID_MeasuredTracker"}, {5, "MID_RawTrkData"}, {6, "MID_SWVersion"},
    {7, "MID_ClockStatus"}, {8, "MID_50BPS"}, {9, "MID_ThroughputMonitor"}, {10, "MID_Error"},
    {11, "MID_Ack"}, {12, "MID_Nak"}, {13, "MID_VisList"}, {14, "MID_Almanac"},
    {15, "MID_Ephemeris"}, {16, "MID_TestModeData"}, {18, "MID_OkToSend"},
    {19, "MID_RxMgrParams"}, {27, "MID_DGPSStatus"}, {43, "MID_CMD_PARAM"},
    {128, "MID_NavigationInitialization"}, {129, "MID_SetNMEAMode"}, {130, "MID_SetAlmanac"},
    {131, "MID_FormattedDump"}, {132, "MID_PollSWVersion"}, {133, "MID_DGPSSourceControl"},
    {134, "MID_SetSerialPort"}, {135, "MID_SetProtocol"}, {136, "MID_SetNavMode"},
    {137, "MID_SetDOPMode"}, {138, "MID_SetDGPSMode"}, {139, "MID_SetElevMask"},
    {140, "MID_SetPowerMask"}, {141, "MID_SetEditingResidual"},
    {142, "MID_SetSteadyStateDetector"}, {143, "MID_SetStaticNavigation"},
    {144, "MID_PollClockStatus"}, {145, "MID_SetDGPSPort"}, {146, "MID_PollAlmanac"},
    {147, "MID_PollEphemeris"}, {148, "MID_FlashUpdate"}, {149, "MID_SetEphemeris"},
    {150, "MID_SwitchOpMode"}, {151, "MID_LowPower"}, {152, "MID_PollRxMgrParams"},
    {165, "MID_ChangeUartChnl"}, {166, "MID_SetMsgRate"}, {167, "MID_LPAcqParams"},
    {168, "MID_POLL_CMD_PARAM"}, {244, "MID_BufferFull"}, {245, "MID_ParityError"},
    {246, "MID_RcvFullError"}, {247, "MID_RcvOverrunError"}, {248, "MID_FrameError"},
    {249, "MID_BreakInterrupt"}, {250, "MID_BufferTerminated"},
    {251, "MID_TransportDataError"}, {252, "MID_CheckSumError"}, {253, "MID_LengthError"},
    {254, "MID_MessageTypeError"}, {255, "MID_ASCIIData"},
});

}  // namespace

std::string MidName(int mid)
{
    for (const MidNameEntry& entry : kNames) {
        if (entry.mid == mid) {
            return std::string(entry.name);
        }
    }
    return "Unknown MID:" + std::to_string(mid);
}

}  // namespace kestrion
