#include "sim/ReceiverSettings.h"

#include <algorithm>

#include "protocol/MessageLayouts.h"
#include "protocol/MessageRecord.h"

namespace kestrion {
namespace {

constexpr const CCommandLayout& kDgpsSource = CommandLayout(MID_DGPSSourceControl);
constexpr const CCommandLayout& kNavMode = CommandLayout(MID_SetNavMode);
constexpr const CCommandLayout& kDopMode = CommandLayout(MID_SetDOPMode);
constexpr const CCommandLayout& kDgpsMode = CommandLayout(MID_SetDGPSMode);
constexpr const CCommandLayout& kElevMask = CommandLayout(MID_SetElevMask);
constexpr const CCommandLayout& kPowerMask = CommandLayout(MID_SetPowerMask);
constexpr const CCommandLayout& kStaticNav = CommandLayout(MID_SetStaticNavigation);
constexpr const CCommandLayout& kLowPower = CommandLayout(MID_LowPower);
constexpr const CCommandLayout& kLpAcq = CommandLayout(MID_LPAcqParams);

// The settings the receiver starts with.
std::map<uint8_t, CFieldValues> Defaults(int generation)
{
    const bool first = generation == 1;
    std::map<uint8_t, CFieldValues> settings;
    const auto add = [&settings](const CFieldValues& values) { settings.emplace(values.Block()[0], values); };
    add(kDgpsSource.Values().Set(kDgpsSource.Field("source"), 2));
    add(kNavMode.Values()
            .Set(kNavMode.Field("altitudeConstraint"), 1)
            .Set(kNavMode.Field("degradedMode"), 1)
            .Set(kNavMode.Field("deadReckoning"), 1)
            .Set(kNavMode.Field("degradedTimeout"), first ? 60 : 30)
            .Set(kNavMode.Field("deadReckoningTimeout"), first ? 30 : 15)
            .Set(kNavMode.Field("trackSmoothing"), generation > 2 ? 1 : 0));
    add(kDopMode.Values()
            .Set(kDopMode.Field("mode"), 4)
            .Set(kDopMode.Field("gdop"), 10)
            .Set(kDopMode.Field("pdop"), 10)
            .Set(kDopMode.Field("hdop"), 10));
    add(kDgpsMode.Values().Set(kDgpsMode.Field("timeout"), 30));
    add(kElevMask.Values().Set(kElevMask.Field("tracking"), 50).Set(kElevMask.Field("navigation"), 75));
    add(kPowerMask.Values().Set(kPowerMask.Field("tracking"), 28).Set(kPowerMask.Field("navigation"), 28));
    add(kStaticNav.Values());
    add(kLowPower.Values().Set(kLowPower.Field("dutyCycle"), 1000).Set(kLowPower.Field("onTime"), 200));
    add(kLpAcq.Values().Set(kLpAcq.Field("maxOffTime"), 30000).Set(kLpAcq.Field("maxSearchTime"), 120000));
    return settings;
}

}  // namespace

CReceiverSettings::CReceiverSettings(int generation) : m_generation(generation), m_settings(Defaults(generation)) {}

bool CReceiverSettings::Store(std::span<const uint8_t> payload)
{
    const auto setting = payload.empty() ? m_settings.end() : m_settings.find(payload[0]);
    if (setting == m_settings.end()) {
        return false;
    }
    const CCommandLayout& command = *FindCommandLayout(payload[0]);
    if (payload.size() < command.Size()) {
        return false;
    }
    setting->second = CFieldValues::FromWire(command, payload);
    return true;
}

Payload CReceiverSettings::ParameterAnswer(uint8_t subId) const
{
    // The polled commands; the acquisition parameters come only with the low power ones.
    if (PollSlotOf(subId) < 0) {
        return {};
    }
    Payload answer{MID_CMD_PARAM};
    const Payload values = Of(*FindCommandLayout(subId)).Wire();
    answer.insert(answer.end(), values.begin(), values.end());
    if (subId == MID_LowPower) {
        const Payload acquisition = Of(kLpAcq).Wire();
        answer.insert(answer.end(), acquisition.begin(), acquisition.end());
    }
    return answer;
}

Payload CReceiverSettings::NavParameters() const
{
    return m_generation == 1 ? NavParameters1() : NavParametersLater();
}

struct CReceiverSettings::SharedFields {
    LayoutField mid, altMode, altSource, altitude, degradedMode, degradedTimeout, drTimeout, trackSmoothMode,
        dopMaskMode, dgpsMode, dgpsTimeout, elevMask, powerMask;

    static consteval SharedFields Of(const CLayout& layout)
    {
        return {layout.Field("mid"),         layout.Field("altMode"),         layout.Field("altSource"),
                layout.Field("altitude"),    layout.Field("degradedMode"),    layout.Field("degradedTimeout"),
                layout.Field("drTimeout"),   layout.Field("trackSmoothMode"), layout.Field("dopMaskMode"),
                layout.Field("dgpsMode"),    layout.Field("dgpsTimeout"),     layout.Field("elevMask"),
                layout.Field("powerMask")};
    }
};

CFieldValues CReceiverSettings::SharedNavParameters(const CLayout& layout, const SharedFields& fields) const
{
    const CFieldValues& nav = Of(kNavMode);
    const CFieldValues& dgpsMode = Of(kDgpsMode);
    CFieldValues params(layout);
    params.Set(fields.mid, MID_RxMgrParams)
        .Set(fields.altMode, nav.Get(kNavMode.Field("holdMode")))
        .Set(fields.altSource, nav.Get(kNavMode.Field("altitudeSource")))
        .Set(fields.altitude, nav.Get(kNavMode.Field("altitude")))
        .Set(fields.degradedMode, nav.Get(kNavMode.Field("degradedMode")))
        .Set(fields.degradedTimeout, nav.Get(kNavMode.Field("degradedTimeout")))
        .Set(fields.drTimeout, nav.Get(kNavMode.Field("deadReckoningTimeout")))
        .Set(fields.trackSmoothMode, nav.Get(kNavMode.Field("trackSmoothing")))
        .Set(fields.dopMaskMode, Of(kDopMode).Get(kDopMode.Field("mode")))
        .Set(fields.dgpsMode, dgpsMode.Get(kDgpsMode.Field("mode")))
        .Set(fields.dgpsTimeout, dgpsMode.Get(kDgpsMode.Field("timeout")))
        .Set(fields.elevMask, Of(kElevMask).Get(kElevMask.Field("navigation")))
        .Set(fields.powerMask, Of(kPowerMask).Get(kPowerMask.Field("navigation")));
    return params;
}

Payload CReceiverSettings::NavParameters1() const
{
    constexpr const CLayout& kParams = layouts::kMgrParams1;
    const CFieldValues& lowPower = Of(kLowPower);
    const auto duty = static_cast<unsigned>(lowPower.Get(kLowPower.Field("dutyCycle")));
    const unsigned lpState = lowPower.Get(kLowPower.Field("wakeToSync")) != 0 ? 2 : duty >= 1000 ? 1 : 3;
    static constexpr SharedFields kShared = SharedFields::Of(kParams);
    return SharedNavParameters(kParams, kShared)
        .Set(kParams.Field("altConstraint"), Of(kNavMode).Get(kNavMode.Field("altitudeConstraint")))
        .Set(kParams.Field("editResidualThreshold"), 50)
        .Set(kParams.Field("steadyDetectThreshold"), 10)
        .Set(kParams.Field("staticNavThreshold"), Of(kStaticNav).Get(kStaticNav.Field("mode")) != 0 ? 12 : 0)
        .Set(kParams.Field("lpState"), lpState)
        .Set(kParams.Field("lpDutyCycle"), std::min(duty / 10, 100u))
        .Set(kParams.Field("lpOnTime"), lowPower.Get(kLowPower.Field("onTime")))
        .Wire();
}

Payload CReceiverSettings::NavParametersLater() const
{
    constexpr const CLayout& kParams = layouts::kMgrParams;
    const CFieldValues& lowPower = Of(kLowPower);
    const CFieldValues& acquisition = Of(kLpAcq);
    const bool wakeToSync = lowPower.Get(kLowPower.Field("wakeToSync")) != 0;
    const auto duty = static_cast<unsigned>(lowPower.Get(kLowPower.Field("dutyCycle")));
    const auto onTime = static_cast<uint32_t>(lowPower.Get(kLowPower.Field("onTime")));
    const uint32_t period = duty == 0 ? 0 : static_cast<uint32_t>(uint64_t{onTime} * 1000 / duty);
    static constexpr SharedFields kShared = SharedFields::Of(kParams);
    return SharedNavParameters(kParams, kShared)
        .Set(kParams.Field("staticNav"), Of(kStaticNav).Get(kStaticNav.Field("mode")))
        .Set(kParams.Field("threeSvLsq"), 1)
        .Set(kParams.Field("dgpsSource"), Of(kDgpsSource).Get(kDgpsSource.Field("source")))
        .Set(kParams.Field("periodicWakeUp"), wakeToSync ? 1 : 0)
        .Set(kParams.Field("lpOnTime"), onTime)
        .Set(kParams.Field("lpCyclePeriod"), period)
        .Set(kParams.Field("dutyCycled"), !wakeToSync && duty < 1000 ? 1 : 0)
        .Set(kParams.Field("maxAcqTime"), acquisition.Get(kLpAcq.Field("maxSearchTime")))
        .Set(kParams.Field("maxOffTime"), acquisition.Get(kLpAcq.Field("maxOffTime")))
        .Wire();
}

}  // namespace kestrion
