#include "protocol/MgrParamsText.h"

#include "protocol/TextFormatter.h"
#include "protocol/WordTables.h"

namespace kestrion {
namespace {

constexpr std::string_view kGeneration1Format =
    "Polling Navigation Parameters\nAltConstraint: %s\nAltMode: %s\nAltSource: %s\n"
    "Altitude: %d\nDegradedMode: %s\nDegradedTimeout: %d s\nDRTimeout: %d s\n"
    "TrackSmoothMode: %s\nDOPMaskMode: %s\nDGPSMode: %s\nDGPSTimeout: %d s\n"
    "ElevMask:%.1f deg\nPowerMask: %d dBHz\nEditResidualThreshold: %d\n"
    "SteadyDetectThreshold: %.1f m/s^2\nStaticNavThreshold: %.1f m/s\nLP state: %s\n"
    "LP DutyCycle: %d%%\nLP OnTime: %d ms";

constexpr std::string_view kLaterFormat =
    "Polling Navigation Parameters\nAltMode: %s\nAltSource: %s\nAltitude: %d\n"
    "DegradedMode: %s\nDegradedTimeout: %d s\nDRTimeout: %d s\nTrkSmoothMode: %s\n"
    "StaticNav: %s\n3SV LSQ: %s\nDOPMaskMode: %s\nElevMask:%.1f deg\nPwrMask: %d dBHz\n"
    "DGPSSrc: %s\nDGPSMode: %s\nDGPSTimeout: %d s\n%s";

}  // namespace

std::string MgrPowerLines(const MgrParamsBlock& block)
{
    std::string lines;
    if (block.periodicWakeUp != 0) {
        lines = "Wake-To-Sync enabled\n";
    } else if (block.dutyCycled != 0) {
        const double duty = block.lpOnTime.Value() == 0 || block.lpCyclePeriod.Value() == 0
                                ? 0.0
                                : 100.0 * block.lpOnTime.Value() / block.lpCyclePeriod.Value();
        AppendFormat(lines, "Lullcycle enabled with %ld ms on, %f%% duty cycle\n",
                     {block.lpOnTime.Value(), duty});
    } else {
        lines = "Continuous power enabled\n";
    }
    if (block.userTasks != 0) {
        AppendFormat(lines, "User tasks enabled, period = %d\n", {block.userTaskPeriod.Value()});
    } else {
        lines += "User tasks disabled\n";
    }
    AppendFormat(lines, "MaxAcqTime = %d ms; MaxOffTime = %d ms\n",
                 {block.maxAcqTime.Value(), block.maxOffTime.Value()});
    return lines;
}

void AppendMgrParams(std::string& out, const MgrParams1Block& block)
{
    const std::string words[] = {
        WordText(WordTable::AltitudeUse, block.altConstraint),
        WordText(WordTable::AltitudeUse, block.altMode),
        WordText(WordTable::AltitudeSource, block.altSource),
        WordText(WordTable::DegradedMode, block.degradedMode),
        WordText(WordTable::OnOff, block.trackSmoothMode),
        WordText(WordTable::DopMaskMode, block.dopMaskMode),
        WordText(WordTable::DgpsMode, block.dgpsMode),
        WordText(WordTable::LowPowerState, block.lpState),
    };
    AppendFormat(
        out, kGeneration1Format,
        {words[0], words[1], words[2], block.altitude.Value(), words[3], block.degradedTimeout,
         block.drTimeout, words[4], words[5], words[6], block.dgpsTimeout,
         block.elevMask.Value() * 0.1, block.powerMask, block.editResidualThreshold.Value(),
         block.steadyDetectThreshold * 0.1, block.staticNavThreshold * 0.1, words[7],
         block.lpDutyCycle, block.lpOnTime.Value()});
}

void AppendMgrParams(std::string& out, const MgrParamsBlock& block)
{
    const std::string words[] = {
        WordText(WordTable::AltitudeUse, block.altMode),
        WordText(WordTable::AltitudeSource, block.altSource),
        WordText(WordTable::DegradedMode, block.degradedMode),
        WordText(WordTable::OnOff, block.trkSmoothMode),
        WordText(WordTable::OnOff, block.staticNav),
        WordText(WordTable::OnOff, block.threeSvLsq),
        WordText(WordTable::DopMaskMode, block.dopMaskMode),
        WordText(WordTable::DgpsSource, block.dgpsSource),
        WordText(WordTable::DgpsMode, block.dgpsMode),
    };
    const std::string power = MgrPowerLines(block);
    AppendFormat(
        out, kLaterFormat,
        {words[0], words[1], block.altitude.Value(), words[2], block.degradedTimeout, block.drTimeout,
         words[3], words[4], words[5], words[6], block.elevMask.Value() * 0.1, block.pwrMask, words[7],
         words[8], block.dgpsTimeout, power});
}

}  // namespace kestrion
