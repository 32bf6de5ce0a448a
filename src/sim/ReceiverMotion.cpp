#include "sim/ReceiverMotion.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "GpsTime.h"
#include "TextFormat.h"

namespace kestrion {
namespace {

constexpr GeodeticPoint kStart{47.376887, 8.541694, 430.0};
constexpr uint16_t kStartWeek = 1250;
constexpr uint32_t kStartTow = 36000000;  // Wednesday 04:00 GPS time
constexpr double kTrackElevation = 5.0;   // degrees
constexpr int kLockSeconds = 3;           // tracked before use in the fix
constexpr int kSearching = -1;
constexpr double kResetError = 600.0;  // metres, the fix's first error after a reset

double Radians(double degrees)
{
    return degrees * std::numbers::pi / 180.0;
}

}  // namespace

CReceiverMotion::CReceiverMotion(uint64_t seed) : m_random(seed), m_sky(static_cast<double>(seed % 1000) * 7.0), m_truth(kStart)
{
    m_lockedSince.fill(kSearching);
}

ReceiverSecond CReceiverMotion::Next()
{
    ReceiverSecond second;
    const uint64_t total = uint64_t{kStartTow} + uint64_t(m_second) * 100;
    second.week = static_cast<uint16_t>(kStartWeek + total / kGpsWeekHundredths);
    second.tow = static_cast<uint32_t>(total % kGpsWeekHundredths);

    Drive();
    const auto sky = m_sky.At(m_second);
    for (int i = 0; i < kSkyChannels; ++i) {
        Track(i, sky[i], second.channels[i]);
    }
    const int fixCount = second.FixCount();
    second.hdop = fixCount > 0 ? 0.6 + 4.0 / fixCount : 0.0;
    second.pdop = second.hdop * 1.6;
    second.vdop = second.hdop * 1.3;

    // The fix error shrinks by a fifth a second once four satellites are in the fix.
    const double keep = fixCount >= 4 ? 0.8 : 1.0;
    m_errorEast = keep * m_errorEast + m_random.Noise(0.5);
    m_errorNorth = keep * m_errorNorth + m_random.Noise(0.5);
    m_errorUp = keep * m_errorUp + m_random.Noise(0.8);
    second.position = OffsetLocal(m_truth, m_errorEast, m_errorNorth, m_errorUp);
    second.velocityEast = m_speed * std::sin(Radians(m_heading)) + m_random.Noise(0.05);
    second.velocityNorth = m_speed * std::cos(Radians(m_heading)) + m_random.Noise(0.05);
    second.velocityUp = m_random.Noise(0.05);

    m_clock.driftHz = static_cast<uint32_t>(m_clock.driftHz + m_random.Between(-3, 3));
    m_clock.biasNs += 60000 + static_cast<uint32_t>(m_random.Between(0, 200));
    ++m_second;
    return second;
}

void CReceiverMotion::Reset(int searchSeconds)
{
    m_lockedSince.fill(kSearching);
    m_searchUntil = m_second + searchSeconds;
    const double direction = m_random.Unit() * 2.0 * std::numbers::pi;
    m_errorEast = kResetError * std::sin(direction);
    m_errorNorth = kResetError * std::cos(direction);
    m_errorUp = kResetError / 3.0;
}

std::vector<std::string> CReceiverMotion::TakeEvents()
{
    return std::exchange(m_events, {});
}

void CReceiverMotion::Drive()
{
    // A few metres a second, turning slowly, now and then stopping at a crossing.
    const double cycle = std::fmod(m_second, 120.0);
    m_speed = cycle < 100.0 ? 3.0 + 1.5 * std::sin(m_second / 17.0) : 0.0;
    m_heading = std::fmod(m_heading + 0.8 + m_random.Noise(0.3) + 360.0, 360.0);
    const double east = m_speed * std::sin(Radians(m_heading));
    const double north = m_speed * std::cos(Radians(m_heading));
    m_truth = OffsetLocal(m_truth, east, north, 0.0);
}

void CReceiverMotion::Track(int index, const SatelliteView& view, ChannelReport& channel)
{
    int& lockedSince = m_lockedSince[index];
    if (view.elevation < 0.0) {
        lockedSince = kSearching;
        return;
    }
    channel.prn = view.prn;
    channel.azimuth = view.azimuth;
    channel.elevation = view.elevation;
    if (view.elevation < kTrackElevation) {
        if (lockedSince != kSearching) {
            m_events.push_back(FormatText("Lost SV%02d at El %d", view.prn, static_cast<int>(view.elevation)));
        }
        lockedSince = kSearching;
        return;
    }
    if (m_second < m_searchUntil) {
        return;
    }
    if (lockedSince == kSearching) {
        lockedSince = m_second == 0 ? -kLockSeconds : m_second;  // at power-up the almanac is warm
        m_events.push_back(FormatText("Acq SV%02d: El %.1f", view.prn, view.elevation));
    }
    const double level = 30.0 + 18.0 * std::sin(Radians(view.elevation)) + view.cnoBias;
    for (uint8_t& cno : channel.cno) {
        cno = static_cast<uint8_t>(std::clamp<long>(std::lround(level + m_random.Noise(0.8)), 20, 55));
    }
    channel.inFix = m_second - lockedSince >= kLockSeconds;
    channel.state = channel.inFix ? kStateTracked : kStateAcquired;
}

}  // namespace kestrion
