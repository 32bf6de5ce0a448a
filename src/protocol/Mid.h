#pragma once
// Message IDs of the receiver protocol. Their names and what each message holds are the rows
// of the message table (MessageTable.h); 17, 23, 26 and 28..31 have no catalogue name.
#include <cstdint>
#include <string>

namespace kestrion {

enum Mid : uint8_t {
    MID_TrueNavigation = 1,
    MID_MeasuredNavigation = 2,
    MID_TrueTracker = 3,
    MID_MeasuredTracker = 4,
    MID_RawTrkData = 5,
    MID_SWVersion = 6,
    MID_ClockStatus = 7,
    MID_50BPS = 8,
    MID_ThroughputMonitor = 9,
    MID_Error = 10,
    MID_Ack = 11,
    MID_Nak = 12,
    MID_VisList = 13,
    MID_Almanac = 14,
    MID_Ephemeris = 15,
    MID_TestModeData = 16,
    MID_DevelopmentData = 17,
    MID_OkToSend = 18,
    MID_RxMgrParams = 19,
    MID_TrackerSummary = 23,
    MID_DeadReckoning = 26,
    MID_DGPSStatus = 27,
    MID_NavLibMeasurement = 28,
    MID_NavLibDgps = 29,
    MID_NavLibSvState = 30,
    MID_NavLibInit = 31,
    MID_CMD_PARAM = 43,
    MID_NavigationInitialization = 128,
    MID_SetNMEAMode = 129,
    MID_SetAlmanac = 130,
    MID_FormattedDump = 131,
    MID_PollSWVersion = 132,
    MID_DGPSSourceControl = 133,
    MID_SetSerialPort = 134,
    MID_SetProtocol = 135,
    MID_SetNavMode = 136,
    MID_SetDOPMode = 137,
    MID_SetDGPSMode = 138,
    MID_SetElevMask = 139,
    MID_SetPowerMask = 140,
    MID_SetEditingResidual = 141,
    MID_SetSteadyStateDetector = 142,
    MID_SetStaticNavigation = 143,
    MID_PollClockStatus = 144,
    MID_SetDGPSPort = 145,
    MID_PollAlmanac = 146,
    MID_PollEphemeris = 147,
    MID_FlashUpdate = 148,
    MID_SetEphemeris = 149,
    MID_SwitchOpMode = 150,
    MID_LowPower = 151,
    MID_PollRxMgrParams = 152,
    MID_ChangeUartChnl = 165,
    MID_SetMsgRate = 166,
    MID_LPAcqParams = 167,
    MID_POLL_CMD_PARAM = 168,
    MID_BufferFull = 244,
    MID_ParityError = 245,
    MID_RcvFullError = 246,
    MID_RcvOverrunError = 247,
    MID_FrameError = 248,
    MID_BreakInterrupt = 249,
    MID_BufferTerminated = 250,
    MID_TransportDataError = 251,
    MID_CheckSumError = 252,
    MID_LengthError = 253,
    MID_MessageTypeError = 254,
    MID_ASCIIData = 255,
};

// MID_ChangeUartChnl as first-generation receivers take it.
inline constexpr uint8_t kMidChangeUartChnlFirstGeneration = 0xB6;

// The catalogue name ("MID_...") from the message table, or "Unknown MID:%d".
std::string MidName(int mid);

}  // namespace kestrion
