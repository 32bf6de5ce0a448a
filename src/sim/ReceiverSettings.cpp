#include "sim/ReceiverSettings.h"

#include <algorithm>

#include "protocol/CommandPayload.h"
#include "protocol/Layout.h"

namespace kestrion {
namespace {

constexpr uint8_t kDgpsSource = 0x85, kNavMode = 0x88, kDopMode = 0x89, kDgpsMode = 0x8A,
                  kElevMask = 0x8B, kPowerMask = 0x8C, kStaticNav = 0x8F, kLowPower = 0x97,
                  kLpAcq = 0xA7;

}  // namespace

CReceiverSettings::CReceiverSettings(int generation)
    : m_generation(generation),
      m_settings{{
          {kDgpsSource, {kDgpsSource, 2, 0, 0, 0, 0, 0}},
          {kNavMode,
           {kNavMode, 0, 1, 1, 0, 1, 0, 0, 0, 0, 0, static_cast<uint8_t>(generation == 1 ? 60 : 30),
            static_cast<uint8_t>(generation == 1 ? 30 : 15), static_cast<uint8_t>(generation > 2 ? 1 : 0)}},
          {kDopMode, {kDopMode, 4, 10, 10, 10}},
          {kDgpsMode, {kDgpsMode, 0, 30}},
          {kElevMask, {kElevMask, 0, 50, 0, 75}},
          {kPowerMask, {kPowerMask, 28, 28}},
          {kStaticNav, {kStaticNav, 0}},
          {kLowPower, {kLowPower, 0, 0, 0x03, 0xE8, 0, 0, 0, 200}},
          {kLpAcq, CPayload(kLpAcq).U32(30000).U32(120000).U32(0).U32(0).U32(0).U32(0).Bytes()},
      }}
{
}

bool CReceiverSettings::Store(std::span<const uint8_t> payload)
{
    if (payload.empty()) {
        return false;
    }
    for (Setting& setting : m_settings) {
        if (setting.mid == payload[0]) {
            if (payload.size() < setting.payload.size()) {
                return false;
            }
            setting.payload.assign(payload.begin(), payload.begin() + setting.payload.size());
            return true;
        }
    }
    return false;
}

const Payload& CReceiverSettings::Of(uint8_t mid) const
{
    return std::find_if(m_settings.begin(), m_settings.end(), [mid](const Setting& s) { return s.mid == mid; })
        ->payload;
}

Payload CReceiverSettings::ParameterAnswer(uint8_t subId) const
{
    if (subId == kLpAcq || std::none_of(m_settings.begin(), m_settings.end(),
                                        [subId](const Setting& s) { return s.mid == subId; })) {
        return {};
    }
    Payload answer{43};
    const Payload& values = Of(subId);
    answer.insert(answer.end(), values.begin(), values.end());
    if (subId == kLowPower) {
        const Payload& acquisition = Of(kLpAcq);
        answer.insert(answer.end(), acquisition.begin(), acquisition.end());
    }
    return answer;
}

Payload CReceiverSettings::NavParameters() const
{
    return m_generation == 1 ? NavParameters1() : NavParametersLater();
}

Payload CReceiverSettings::NavParameters1() const
{
    const Payload& nav = Of(kNavMode);
    const Payload& lowPower = Of(kLowPower);
    const unsigned duty = ReadU16(&lowPower[3]);
    const unsigned lpState = ReadU16(&lowPower[1]) != 0 ? 2 : duty >= 1000 ? 1 : 3;
    return CPayload(19)
        .U8(nav[2])                 // AltConstraint
        .U8(nav[8])                 // AltMode
        .U8(nav[9])                 // AltSource
        .U16(ReadU16(&nav[6]))      // Altitude
        .U8(nav[3])                 // DegradedMode
        .U8(nav[11])                // DegradedTimeout
        .U8(nav[12])                // DRTimeout
        .U8(nav[13])                // TrackSmoothMode
        .U8(Of(kDopMode)[1])        // DOPMaskMode
        .U8(Of(kDgpsMode)[1])       // DGPSMode
        .U8(Of(kDgpsMode)[2])       // DGPSTimeout
        .U16(ReadU16(&Of(kElevMask)[3]))
        .U8(Of(kPowerMask)[2])
        .U16(50)                    // EditResidualThreshold
        .U8(10)                     // SteadyDetectThreshold
        .U8(Of(kStaticNav)[1] != 0 ? 12 : 0)
        .U8(lpState)
        .U8(std::min(duty / 10, 100u))
        .U16(ReadU32(&lowPower[5]))
        .Bytes();
}

Payload CReceiverSettings::NavParametersLater() const
{
    const Payload& nav = Of(kNavMode);
    const Payload& lowPower = Of(kLowPower);
    const Payload& acquisition = Of(kLpAcq);
    const bool wakeToSync = ReadU16(&lowPower[1]) != 0;
    const unsigned duty = ReadU16(&lowPower[3]);
    const uint32_t onTime = ReadU32(&lowPower[5]);
    const uint32_t period = duty == 0 ? 0 : static_cast<uint32_t>(uint64_t{onTime} * 1000 / duty);
    return CPayload(19)
        .U32(0)
        .U8(nav[8])  // AltMode
        .U8(nav[9])  // AltSource
        .U16(ReadU16(&nav[6]))
        .U8(nav[3])   // DegradedMode
        .U8(nav[11])  // DegradedTimeout
        .U8(nav[12])  // DRTimeout
        .U8(nav[13])  // TrkSmoothMode
        .U8(Of(kStaticNav)[1])
        .U8(1)  // 3SV LSQ
        .U32(0)
        .U8(Of(kDopMode)[1])
        .U16(ReadU16(&Of(kElevMask)[3]))
        .U8(Of(kPowerMask)[2])
        .U32(0)
        .U8(Of(kDgpsSource)[1])
        .U8(Of(kDgpsMode)[1])
        .U8(Of(kDgpsMode)[2])
        .U32(0)
        .U8(wakeToSync ? 1 : 0)
        .U32(onTime)
        .U32(period)
        .U8(0)  // user tasks
        .U32(0)
        .U8(!wakeToSync && duty < 1000 ? 1 : 0)
        .U32(ReadU32(&acquisition[5]))  // MaxAcqTime
        .U32(ReadU32(&acquisition[1]))  // MaxOffTime
        .U32(0)
        .U32(0)
        .Bytes();
}

}  // namespace kestrion
