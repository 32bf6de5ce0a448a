#include "epoch/BinaryEpochAssembler.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "geo/Geodetic.h"
#include "geo/GpsUtc.h"
#include "protocol/MessageTable.h"

namespace kestrion {
namespace {

constexpr uint8_t kDgpsBit = 0x80;  // mode 1

// Mode 1's low three bits: no fix, one to three satellites (3 holds the altitude), 3D, the
// least-squares 2D and 3D solutions, dead reckoning.
FixMode FixModeOf(uint8_t mode1, bool truth)
{
    constexpr FixMode kModes[] = {FixMode::None,   FixMode::None, FixMode::None,   FixMode::TwoD,
                                  FixMode::ThreeD, FixMode::TwoD, FixMode::ThreeD, FixMode::DeadReckoning};
    FixMode mode = kModes[mode1 & 7];
    if (truth && mode == FixMode::None) {
        return FixMode::ThreeD;  // a truth position is always a solution
    }
    if ((mode1 & kDgpsBit) != 0 && (mode == FixMode::TwoD || mode == FixMode::ThreeD)) {
        return FixMode::Dgps;
    }
    return mode;
}

EpochTime TimeOf(uint16_t week, uint32_t tow)
{
    EpochTime time;
    time.gpsWeek = week;
    time.gpsTow = tow;
    const UtcStamp utc = UtcFromGps(week, tow);
    time.utcDate = CivilDate{utc.time.year, utc.time.month, utc.time.day};
    time.utcMillisecond =
        ((int64_t{utc.time.hour} * 60 + utc.time.minute) * 60 + utc.time.second) * 1000 + utc.hundredths * 10;
    return time;
}

void FillMotion(ReceiverEpoch& epoch, const NavBlock& nav)
{
    const EcefVector ecef{double(nav.x), double(nav.y), double(nav.z)};
    const GeodeticPosition at = EcefToGeodetic(ecef.x, ecef.y, ecef.z);
    if (ecef.x != 0 || ecef.y != 0 || ecef.z != 0) {
        EpochPosition position;
        position.latitude = at.latitude * kDegreesPerRadian;
        position.longitude = at.longitude * kDegreesPerRadian;
        position.heightEllipsoid = at.height;
        position.ecef = ecef;
        epoch.position = position;
    }
    const EcefVector velocity{fields::kNavVelocity[0].Scaled(nav.vx), fields::kNavVelocity[1].Scaled(nav.vy),
                              fields::kNavVelocity[2].Scaled(nav.vz)};
    epoch.velocity.ecef = velocity;
    const NorthEast horizontal = NorthEastOf(at, velocity.x, velocity.y, velocity.z);
    epoch.velocity.groundSpeed = std::hypot(horizontal.north, horizontal.east);
    double course = std::atan2(horizontal.east, horizontal.north) * kDegreesPerRadian;
    epoch.velocity.course = course < 0 ? course + 360.0 : course;
    epoch.velocity.verticalRate = UpOf(at, velocity.x, velocity.y, velocity.z);
}

SatelliteView SatelliteOf(SatelliteId id, const TrackerChannel& channel)
{
    SatelliteView view;
    view.id = id;
    view.elevation = fields::kElevation.Scaled(channel.elevation);
    view.azimuth = fields::kAzimuth.Scaled(channel.azimuth);
    view.trackState = channel.state;
    SignalObservation signal;
    if (channel.averageCno != 0) {
        signal.cn0 = channel.averageCno;
    }
    std::copy(std::begin(channel.cno), std::end(channel.cno), signal.samples.begin());
    view.observations.push_back(signal);
    return view;
}

}  // namespace

ReceiverEpoch EpochFromBinary(const NavBlock& nav, const TrackerBlock* tracker, bool truth)
{
    ReceiverEpoch epoch;
    epoch.source = ReceiverEpoch::Source::Binary;
    epoch.truth = truth;
    epoch.time = TimeOf(nav.week, nav.tow);
    epoch.fix = FixModeOf(nav.mode1, truth);
    FillMotion(epoch, nav);
    epoch.dops.dop = fields::kNavDop.Scaled(nav.dop);
    epoch.usedCount = nav.svCount;
    const size_t usedCount = std::min<size_t>(nav.svCount, kChannels);
    for (uint8_t svId : std::span(nav.svIds, usedCount)) {
        if (const auto id = BinarySatellite(svId)) {
            epoch.usedIds.push_back(*id);
        }
    }
    if (tracker != nullptr) {
        const size_t channels = std::min<size_t>(tracker->channelCount, kChannels);
        for (const TrackerChannel& channel : std::span(tracker->channels, channels)) {
            if (const auto id = BinarySatellite(channel.svId)) {
                SatelliteView view = SatelliteOf(*id, channel);
                view.used = std::ranges::find(epoch.usedIds, *id) != epoch.usedIds.end();
                epoch.satellites.push_back(std::move(view));
            }
        }
        epoch.binaryTracker = *tracker;
    }
    epoch.binaryNav = nav;
    return epoch;
}

bool CBinaryEpochAssembler::Take(const CMessageRecord& record)
{
    const MessageKind* kind = FindMessage(record.type);
    const RecordBlock block = kind != nullptr ? kind->block : RecordBlock::None;
    if (block == RecordBlock::Tracker) {
        m_tracker = record.tracker;
        m_trackerPending = true;
        return false;
    }
    if (block != RecordBlock::Nav) {
        return false;
    }
    const bool truth = record.type == MID_TrueNavigation;
    m_epoch = EpochFromBinary(record.nav, &m_tracker, truth);
    m_epoch.satellitesFresh = m_trackerPending;
    if (!truth) {
        m_trackerPending = false;
    }
    return true;
}

void CBinaryEpochAssembler::Reset()
{
    m_tracker = {};
    m_trackerPending = false;
    m_epoch = {};
}

}  // namespace kestrion
