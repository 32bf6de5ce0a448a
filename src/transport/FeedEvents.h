#pragma once
// Codes of the feed events, the timer ticks and the source roles.
namespace kestrion {

// Feed events, broadcast to every document.
inline constexpr int WMU_NEW_RECORD = 0x403;
inline constexpr int WMU_FEED_REFRESH = 0x405;
inline constexpr int WMU_SOURCE_ENDED = 0x406;
inline constexpr int WMU_DATA_ACTIVITY = 0x408;
// A recording played to its end; its source stays open, to be sought back.
inline constexpr int WMU_RECORDING_AT_END = 0x40B;

// Tick codes.
inline constexpr int kTickPlayback = 0x402;  // file playback and random data
inline constexpr int kTickSerialSecond = 0x409;
inline constexpr int kTickSerialPoll = 0x40A;

// Source roles.
inline constexpr int kRoleTruth = 1;
inline constexpr int kRoleMeasured = 2;

}  // namespace kestrion
