#pragma once
// What the receiver reports for one epoch, whichever protocol it speaks: time, fix mode,
// position, velocity, DOPs, its own error estimates and the satellites in view. Built by one
// assembler per protocol; the views, the evaluation and the JSON output read it.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "epoch/SatelliteId.h"
#include "geo/Geodesy.h"
#include "protocol/MessageBlocks.h"


namespace kestrion {

enum class FixMode : uint8_t { None, TwoD, ThreeD, Dgps, RtkFixed, RtkFloat, DeadReckoning };

// "none", "2D", "3D", "DGPS", "RTK", "float", "DR".
const char* FixModeName(FixMode mode);

struct CivilDate {
    int year = 0, month = 0, day = 0;
    bool operator==(const CivilDate&) const = default;
};

struct EpochTime {
    std::optional<uint16_t> gpsWeek;     // as the source gives it
    std::optional<uint32_t> gpsTow;      // 1/100 s
    std::optional<CivilDate> utcDate;
    std::optional<int64_t> utcMillisecond;  // of the UTC day; 86400000.. inside a leap second

    bool operator==(const EpochTime&) const = default;
};

struct EpochPosition {
    double latitude = 0;   // WGS-84 degrees
    double longitude = 0;  // WGS-84 degrees
    std::optional<double> heightEllipsoid;  // metres
    std::optional<double> altitudeMsl;      // metres above mean sea level
    std::optional<double> geoidSeparation;  // metres, ellipsoid above geoid
    EcefVector ecef{};  // metres; from the height above the ellipsoid, else the altitude, else 0
};

struct EpochVelocity {
    std::optional<EcefVector> ecef;     // m/s
    std::optional<double> groundSpeed;  // m/s
    std::optional<double> course;       // degrees true, 0 <= course < 360
    std::optional<double> verticalRate; // m/s, up positive
};

struct EpochDops {
    std::optional<double> pdop, hdop, vdop;
    std::optional<double> dop;  // the binary protocol's one DOP value
};

// The receiver's own 1-sigma estimates (NMEA GST), metres.
struct ErrorEstimates {
    std::optional<double> rms;
    std::optional<double> sigmaLatitude, sigmaLongitude, sigmaAltitude;
};

inline constexpr int kCnoSamples = static_cast<int>(kCnoCount);

struct SignalObservation {
    char id = 0;                // the NMEA signal ID ('0'..'F'); 0 when the source names none
    std::optional<int> cn0;     // dB-Hz; none when not tracked
    // The C/N0 samples of the cycle, oldest first: the binary protocol's ten, else the one value
    // ten times (0 when not tracked).
    std::array<uint8_t, kCnoSamples> samples{};
};

struct SatelliteView {
    SatelliteId id;
    std::optional<double> elevation;  // degrees
    std::optional<double> azimuth;    // degrees clockwise from true north
    std::vector<SignalObservation> observations;  // per signal, at least one
    bool used = false;                       // in the fix
    std::optional<uint16_t> trackState;      // the binary protocol's channel state

    // The best C/N0 of its signals, none when none is tracked.
    std::optional<int> BestCn0() const;
    bool Placed() const { return elevation.has_value() && azimuth.has_value(); }
};

struct ReceiverEpoch {
    enum class Source : uint8_t { Binary, Nmea };
    Source source = Source::Binary;
    bool truth = false;  // a truth feed's epoch

    EpochTime time;
    FixMode fix = FixMode::None;
    std::optional<EpochPosition> position;  // none without a position
    EpochVelocity velocity;
    EpochDops dops;
    ErrorEstimates estimates;
    std::optional<int> usedCount;  // satellites in the solution, as the source counts them
    std::vector<SatelliteId> usedIds;   // as the source lists them, in its order
    std::vector<SatelliteView> satellites;  // in view, in the source's order
    // The satellites are this epoch's own (binary: tracker data came since the last epoch).
    bool satellitesFresh = false;

    // The source blocks behind a binary-protocol epoch, for what only that protocol reports
    // (mode bits, channel states, raw units). Null for NMEA epochs.
    std::optional<NavBlock> binaryNav;
    std::optional<TrackerBlock> binaryTracker;

    bool HasFix() const { return fix != FixMode::None && position.has_value(); }
    const SatelliteView* Find(SatelliteId id) const;
};

}  // namespace kestrion

