#pragma once
// One position solution of the receiver (or one truth position), as the evaluation keeps it.
#include <cstdint>
#include <optional>

#include "epoch/ReceiverEpoch.h"
#include "protocol/MessageRecord.h"

namespace kestrion {

struct Fix {
    uint16_t week = 0;
    uint32_t tow = 0;  // 1/100 s
    double x = 0, y = 0, z = 0;                          // earth-centred, metres
    double latitude = 0, longitude = 0, height = 0;      // WGS-84 degrees, metres above the ellipsoid
    uint8_t mode = 0;     // position mode, the low three bits of mode 1
    uint8_t svCount = 0;  // satellites in the solution
    double dop = 0;
};

// Position modes from here up carry a solution.
inline constexpr uint8_t kFirstFixMode = 3;

// An epoch with a solution (a position and a fix mode other than none) as a fix. Binary epochs
// keep their week, time and mode bits; NMEA epochs take the GPS time of their UTC date and time
// (time of day only when the date is unknown) and the mode 3 for 2D, 7 for dead reckoning and
// 4 for the others.
std::optional<Fix> FixFromEpoch(const ReceiverEpoch& epoch);

// A navigation record (MID 2) with a solution, or a truth record (MID 1), as a fix; nothing
// for other records, for navigation without a solution and for a position at the earth's centre.
std::optional<Fix> FixFromRecord(const CMessageRecord& record);

// Hundredths of a second from `from` to `to`, over week changes (record week length).
int64_t HundredthsBetween(const Fix& from, const Fix& to);

}  // namespace kestrion
