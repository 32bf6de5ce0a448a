#pragma once
// The feed events, the timer ticks and the source roles.
namespace kestrion {

// Feed events, broadcast to every document.
enum class FeedEvent {
    NewRecord,
    FeedRefresh,
    SourceEnded,
    // A recording played to its end; its source stays open, to be sought back.
    RecordingAtEnd,
};

// Tick codes.
inline constexpr int kTickPlayback = 0x402;  // file playback and random data
inline constexpr int kTickSerialSecond = 0x409;
inline constexpr int kTickSerialPoll = 0x40A;

// Source roles.
inline constexpr int kRoleTruth = 1;
inline constexpr int kRoleMeasured = 2;

}  // namespace kestrion
