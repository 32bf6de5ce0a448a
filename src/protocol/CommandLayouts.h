#pragma once
// The payloads of the commands the console builds, each described once: its MID and its named
// fields, MID first. The dialogs build payloads and read current values through these, the
// poll answers decode with them and the simulated receiver takes its settings by them.
#include <cstdint>
#include <string_view>

#include "protocol/FieldValues.h"
#include "protocol/Layout.h"
#include "protocol/Mid.h"

namespace kestrion {

class CCommandLayout : public CLayout {
public:
    constexpr CCommandLayout(uint8_t mid, std::string_view types) : CLayout(types), m_mid(mid) {}

    constexpr uint8_t Mid() const { return m_mid; }
    // The fields of a payload to be built: all 0 but the MID.
    CFieldValues Values() const { return CFieldValues(*this).Set(Fields()[0], m_mid); }

private:
    uint8_t m_mid;
};

namespace commands {

inline constexpr std::string_view kSerialPortTypes = "B:mid L:baud B:dataBits B:stopBits B:parity B";

inline constexpr CCommandLayout kLayouts[] = {
    {MID_NavigationInitialization, "B:mid l:x l:y l:z l:clock L:tow H:week B:channels B:resetFlags"},
    {MID_SetNMEAMode, "B:mid B:mode 10(B:rate B:checksum) H:baud"},
    {MID_DGPSSourceControl, "B:mid B:source L:frequency B:bitRate"},
    {MID_SetSerialPort, kSerialPortTypes},
    {MID_SetNavMode,
     "B:mid B B:altitudeConstraint B:degradedMode B B:deadReckoning h:altitude B:holdMode B:altitudeSource "
     "B:coastTimeout B:degradedTimeout B:deadReckoningTimeout B:trackSmoothing"},
    {MID_SetDOPMode, "B:mid B:mode B:gdop B:pdop B:hdop"},
    {MID_SetDGPSMode, "B:mid B:mode B:timeout"},
    {MID_SetElevMask, "B:mid h:tracking h:navigation"},
    {MID_SetPowerMask, "B:mid B:tracking B:navigation"},
    {MID_SetStaticNavigation, "B:mid B:mode"},
    {MID_SetDGPSPort, kSerialPortTypes},
    {MID_SwitchOpMode, "B:mid H:mode H:svNumber H:period"},
    {MID_LowPower, "B:mid H:wakeToSync H:dutyCycle L:onTime"},
    {MID_ChangeUartChnl,
     "B:mid 4(B:uart B:inputProtocol B:outputProtocol L:baud B:dataBits B:stopBits B:parity H)"},
    {MID_SetMsgRate, "B:mid B:sendNow B:message B:rate L"},
    {MID_LPAcqParams, "B:mid L:maxOffTime L:maxSearchTime L:period 3L"},
    {MID_POLL_CMD_PARAM, "B:mid B:command H H"},
};

}  // namespace commands

// The layout of a command, null for a MID the table lacks.
constexpr const CCommandLayout* FindCommandLayout(uint8_t mid)
{
    for (const CCommandLayout& command : commands::kLayouts) {
        if (command.Mid() == mid) {
            return &command;
        }
    }
    return nullptr;
}

// The same where the MID is known at compile time: a MID the table lacks fails to compile.
consteval const CCommandLayout& CommandLayout(uint8_t mid) { return *FindCommandLayout(mid); }

}  // namespace kestrion
