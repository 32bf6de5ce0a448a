#include "sim/ReceiverMotion.h"

#include <cmath>
#include <numbers>

#include "geo/GpsTime.h"

namespace kestrion {
namespace {

constexpr GeodeticPoint kStart{47.376887, 8.541694, 430.0};
constexpr GpsTime kStartTime{1250, 36000000};  // Wednesday 04:00 GPS time
constexpr TrackingRules kTracking{.trackElevation = 5.0,
                                  .lockSeconds = 3,
                                  .cnoHorizon = 30.0,
                                  .cnoZenith = 18.0,
                                  .cnoSwing = 0.0,
                                  .cnoNoise = 0.8,
                                  .acquisitionCno = false};
constexpr double kResetError = 600.0;  // metres, the fix's first error after a reset

}  // namespace

CReceiverMotion::CReceiverMotion(uint64_t seed)
    : m_random(seed), m_sky(static_cast<double>(seed % 1000) * 7.0), m_tracker(kTracking), m_truth(kStart)
{
}

ReceiverSecond CReceiverMotion::Next()
{
    ReceiverSecond second;
    const GpsTime now = GpsTimeAfter(kStartTime, m_second);
    second.week = now.week;
    second.tow = now.towHundredths;

    Drive();
    m_tracker.Track(m_second, m_sky.At(m_second), second.channels, m_random);
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
    m_tracker.Restart(m_second + searchSeconds);
    const double direction = m_random.Unit() * 2.0 * std::numbers::pi;
    m_errorEast = kResetError * std::sin(direction);
    m_errorNorth = kResetError * std::cos(direction);
    m_errorUp = kResetError / 3.0;
}

std::vector<std::string> CReceiverMotion::TakeEvents()
{
    return m_tracker.TakeEvents();
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

}  // namespace kestrion
