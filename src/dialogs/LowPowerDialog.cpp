#include "dialogs/LowPowerDialog.h"

#include "dialogs/ListItems.h"
#include "protocol/CommandLayouts.h"

namespace kestrion {

namespace {

constexpr const CCommandLayout& kLowPower = CommandLayout(MID_LowPower);
constexpr const CCommandLayout& kAcquisition = CommandLayout(MID_LPAcqParams);
constexpr const char* kInvalidLullcycle = "Invalid Lullcycle Settings";
constexpr const char* kDutyOutOfRange = "Duty cycle (OnTime/UpdateRate) is not within range 1 - 50%";

}  // namespace

CLowPowerDialog::CLowPowerDialog(IUserInterface& ui, ProtocolState& state, CCurrentValues lowPower,
                                 CCurrentValues acquisition)
    : CCommandDialog(ui, TitleWithValues("Low Power Parameters", lowPower.Present() && acquisition.Present()),
                     "OK"),
      m_state(state),
      m_generation(state.generation)
{
    const bool first = m_generation == 1;
    AddRadio(kMode, "Mode", {"&Continuous", "&Lullcycle", "&Wake-To-Sync"});
    AddComboEdit(kUpdateRate, "Update rate (sec):", NumberItems(1, first ? 8 : 10));
    AddComboEdit(kOnTime, "On time (ms):", NumberItems(200, 900, 100));
    AddUnsignedEdit(kMaxOffTime, "Maximum off time (ms):", "");
    AddUnsignedEdit(kMaxSearchTime, "Maximum search time (ms):", "");
    AddUnsignedEdit(kPeriod, "Wake-To-Sync period (sec):", "");
    // Update rates over on times that the receiver refuses in Lullcycle.
    AddGroup(kInvalidGroup, "Invalid LC Settings");
    AddStatic(kInvalidFirst, first ? "3  - 8\n\n\n200" : "1\n\n\n700 - 900", kInvalidGroup);
    AddStatic(kInvalidSecond, "7 - 8\n\n\n300", kInvalidGroup);
    OpenOn(lowPower, acquisition);
    ApplyRules();
}

void CLowPowerDialog::OpenOn(CCurrentValues lowPower, CCurrentValues acquisition)
{
    int mode = kContinuous;
    uint32_t onTime = 200;
    uint32_t updateRate = 1;
    uint32_t maxOffTime = 30000;
    uint32_t maxSearchTime = 120000;
    uint32_t period = 1800;
    if (lowPower.Present() && acquisition.Present()) {
        const auto dutyCycle = static_cast<uint16_t>(lowPower.Get(kLowPower.Field("dutyCycle")));
        if (lowPower.Get(kLowPower.Field("wakeToSync")) != 0) {
            mode = kWakeToSync;
            period = static_cast<uint32_t>(acquisition.Get(kAcquisition.Field("period")));
        } else if (dutyCycle != 0 && dutyCycle != 1000) {
            mode = kLullcycle;
            onTime = static_cast<uint32_t>(lowPower.Get(kLowPower.Field("onTime")));
            updateRate = onTime / dutyCycle;
            maxOffTime = static_cast<uint32_t>(acquisition.Get(kAcquisition.Field("maxOffTime")));
            maxSearchTime = static_cast<uint32_t>(acquisition.Get(kAcquisition.Field("maxSearchTime")));
        }
    }
    SetValue(kMode, mode);
    SetInt(kOnTime, onTime);
    SetInt(kUpdateRate, updateRate);
    SetInt(kMaxOffTime, maxOffTime);
    SetInt(kMaxSearchTime, maxSearchTime);
    SetInt(kPeriod, period);
}

void CLowPowerDialog::ApplyRules()
{
    const int mode = Value(kMode);
    const bool lullcycle = mode == kLullcycle;
    Enable(kUpdateRate, lullcycle);
    Enable(kOnTime, lullcycle);
    Enable(kMaxOffTime, lullcycle && m_generation != 1);
    Enable(kMaxSearchTime, lullcycle && m_generation != 1);
    Enable(kPeriod, mode == kWakeToSync && m_generation > 2);
    const bool showInvalid = ListsOnly();
    Show(kInvalidGroup, showInvalid);
    Show(kInvalidFirst, showInvalid);
    Show(kInvalidSecond, showInvalid && m_generation == 1);
}

void CLowPowerDialog::OnClicked(int id)
{
    if (id == kMode) {
        ApplyRules();
    }
}

void CLowPowerDialog::OnRightDoubleClick()
{
    m_expertOverride = !m_expertOverride;
    ApplyRules();
}

bool CLowPowerDialog::OnOk()
{
    if (!ReadControls()) {
        return false;
    }
    const int mode = Value(kMode);
    const bool lullcycle = mode == kLullcycle;
    const bool listsOnly = ListsOnly();
    const int64_t updateRate = UpdateRate();
    // A cycle of less than a second has no duty cycle, whatever the override says.
    if ((listsOnly && !IsListItem(Control(kUpdateRate))) || (lullcycle && updateRate < 1)) {
        return Refuse(kUpdateRate, "Select Update Rate From List");
    }
    const std::optional<uint32_t> onTime = OnTime();
    if ((listsOnly && !IsListItem(Control(kOnTime))) || !onTime) {
        return Refuse(kOnTime, "Select On Time From List");
    }
    const int64_t period = Int(kPeriod);
    if (mode == kWakeToSync && (period < 10 || period > 7200)) {
        return Refuse(kPeriod, "Wake-To-Sync off time is out of range (10 to 7200-s).");
    }
    return CheckLullcycle(*onTime, updateRate);
}

bool CLowPowerDialog::CheckLullcycle(uint32_t onTime, int64_t updateRate)
{
    const bool lullcycle = Value(kMode) == kLullcycle;
    const bool listsOnly = ListsOnly();
    const int64_t dutyCycle = DutyCycle();
    if (m_generation == 1) {
        if (listsOnly && ((onTime == 200 && updateRate > 2) || (onTime == 300 && updateRate > 6))) {
            return Refuse(kOnTime, kInvalidLullcycle);
        }
        if ((lullcycle && dutyCycle > 500) || dutyCycle < 10) {
            return Refuse(kOnTime, kDutyOutOfRange);
        }
    } else {
        if (listsOnly && updateRate == 1 && onTime > 600) {
            return Refuse(kOnTime, kInvalidLullcycle);
        }
        // Not even the override keeps the receiver on for longer than the cycle.
        if (dutyCycle > 1000) {
            return Refuse(kOnTime, kInvalidLullcycle);
        }
    }
    if (updateRate >= 5) {
        m_state.versionDetection = false;
    }
    return true;
}

bool CLowPowerDialog::ListsOnly() const { return Value(kMode) == kLullcycle && !m_expertOverride; }

int64_t CLowPowerDialog::UpdateRate() const { return Int(kUpdateRate); }

std::optional<uint32_t> CLowPowerDialog::OnTime() const
{
    const std::optional<int64_t> onTime = ParseFormInteger(Text(kOnTime));
    if (!onTime || *onTime < 0 || *onTime > UINT32_MAX) {
        return std::nullopt;
    }
    return static_cast<uint32_t>(*onTime);
}

int64_t CLowPowerDialog::DutyCycle() const
{
    switch (Value(kMode)) {
    case kLullcycle: {
        const int64_t updateRate = UpdateRate();
        return updateRate >= 1 ? OnTime().value_or(0) / updateRate : 0;
    }
    case kWakeToSync:
        return 10;
    default:
        return 1000;
    }
}

std::vector<Payload> CLowPowerDialog::Payloads() const
{
    std::vector<Payload> payloads{kLowPower.Values()
                                      .Set(kLowPower.Field("wakeToSync"), Value(kMode) == kWakeToSync ? 1 : 0)
                                      .Set(kLowPower.Field("dutyCycle"), DutyCycle())
                                      .Set(kLowPower.Field("onTime"), OnTime().value_or(0))
                                      .Wire()};
    if (m_generation != 1) {
        payloads.push_back(kAcquisition.Values()
                               .Set(kAcquisition.Field("maxOffTime"), Int(kMaxOffTime))
                               .Set(kAcquisition.Field("maxSearchTime"), Int(kMaxSearchTime))
                               .Set(kAcquisition.Field("period"), Int(kPeriod))
                               .Wire());
    }
    return payloads;
}

}  // namespace kestrion
