#include "protocol/MgrParamsText.h"

#include "protocol/TextFormatter.h"
#include "protocol/WordTables.h"

namespace kestrion {
namespace {

template <typename T>
T Get(const Unaligned<T>& field)
{
    return field;
}

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

// The power, user task and acquisition lines that end the later generations' block.
std::string PowerLines(const MgrParamsBlock& block)
{
    std::string lines;
    if (block.periodicWakeUp != 0) {
        lines = "Wake-To-Sync enabled\n";
    } else if (block.dutyCycled != 0) {
        const double duty = Get(block.lpOnTime) == 0 || Get(block.lpCyclePeriod) == 0
                                ? 0.0
                                : 100.0 * Get(block.lpOnTime) / Get(block.lpCyclePeriod);
        AppendFormat(lines, "Lullcycle enabled with %ld ms on, %f%% duty cycle\n",
                     {Get(block.lpOnTime), duty});
    } else {
        lines = "Continuous power enabled\n";
    }
    if (block.userTasks != 0) {
        AppendFormat(lines, "User tasks enabled, period = %d\n", {Get(block.userTaskPeriod)});
    } else {
        lines += "User tasks disabled\n";
    }
    AppendFormat(lines, "MaxAcqTime = %d ms; MaxOffTime = %d ms\n",
                 {Get(block.maxAcqTime), Get(block.maxOffTime)});
    return lines;
}

}  // namespace

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
        {words[0], words[1], words[2], Get(block.altitude), words[3], block.degradedTimeout,
         block.drTimeout, words[4], words[5], words[6], block.dgpsTimeout,
         Get(block.elevMask) * 0.1, block.powerMask, Get(block.editResidualThreshold),
         block.steadyDetectThreshold * 0.1, block.staticNavThreshold * 0.1, words[7],
         block.lpDutyCycle, Get(block.lpOnTime)});
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
    const std::string power = PowerLines(block);
    AppendFormat(
        out, kLaterFormat,
        {words[0], words[1], Get(block.altitude), words[2], block.degradedTimeout, block.drTimeout,
         words[3], words[4], words[5], words[6], Get(block.elevMask) * 0.1, block.pwrMask, words[7],
         words[8], block.dgpsTimeout, power});
}

}  // namespace kestrion
