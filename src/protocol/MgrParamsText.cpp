#include "protocol/MgrParamsText.h"

#include "protocol/MessageLayouts.h"
#include "protocol/TextFormatter.h"
#include "protocol/WordTables.h"

namespace kestrion {
namespace {

constexpr std::string_view kLogGeneration1Format =
    "Polling Navigation Parameters\nAltConstraint: %s\nAltMode: %s\nAltSource: %s\n"
    "Altitude: %d\nDegradedMode: %s\nDegradedTimeout: %d s\nDRTimeout: %d s\n"
    "TrackSmoothMode: %s\nDOPMaskMode: %s\nDGPSMode: %s\nDGPSTimeout: %d s\n"
    "ElevMask:%.1f deg\nPowerMask: %d dBHz\nEditResidualThreshold: %d\n"
    "SteadyDetectThreshold: %.1f m/s^2\nStaticNavThreshold: %.1f m/s\nLP state: %s\n"
    "LP DutyCycle: %d%%\nLP OnTime: %d ms";

constexpr std::string_view kLogLaterFormat =
    "Polling Navigation Parameters\nAltMode: %s\nAltSource: %s\nAltitude: %d\n"
    "DegradedMode: %s\nDegradedTimeout: %d s\nDRTimeout: %d s\nTrkSmoothMode: %s\n"
    "StaticNav: %s\n3SV LSQ: %s\nDOPMaskMode: %s\nElevMask:%.1f deg\nPwrMask: %d dBHz\n"
    "DGPSSrc: %s\nDGPSMode: %s\nDGPSTimeout: %d s\n%s";

constexpr std::string_view kResponseGeneration1Format =
    "AltConstraint: %s\nAltMode: %s\nAltSource: %s\nAltitude: %d\nDegradedMode: %s\n"
    "DegradedTimeout: %d s\nDRTimeout: %d s\nTrackSmoothMode: %s\nDOPMaskMode: %s\n"
    "DGPSMode: %s\nDGPSTimeout: %d s\nElevMask: %s deg\nPowerMask: %d dBHz\n"
    "EditResidualThreshold: %d\nSteadyDetectThreshold: %s m/s^2\nStaticNavThreshold: %s m/s\n"
    "LP state: %s\nLP DutyCycle: %d%%\nLP OnTime: %d ms\n";

constexpr std::string_view kResponseLaterFormat =
    "AltMode: %s\nAltSource: %s\nAltitude: %d\nDegradedMode: %s\nDegradedTimeout: %d s\n"
    "DRTimeout: %d s\nTrkSmoothMode: %s\nStaticNav: %s\n3SV LSQ: %s\nDOPMaskMode: %s\n"
    "ElevMask: %s deg\nPwrMask: %d dBHz\nDGPSSrc: %s\nDGPSMode: %s\nDGPSTimeout: %d s\n%s";

// A field in tenths: a number for the log's "%.1f", a text made with "%.1f" for the response
// view's "%s", kept in text while the argument is used.
CFormatArg Tenths(const LayoutField& field, int value, MgrParamsWording wording, std::string& text)
{
    if (wording == MgrParamsWording::Log) {
        return field.Scaled(value);
    }
    text.clear();
    AppendFormat(text, "%.1f", {field.Scaled(value)});
    return text;
}

std::string DgpsSourceWord(uint8_t source, MgrParamsWording wording)
{
    constexpr uint8_t kSoftware = 4;
    if (wording == MgrParamsWording::Response && source == kSoftware) {
        return "S/W";
    }
    return WordText(WordTable::DgpsSource, source);
}

// The power, user task and acquisition lines that end the later generations' block.
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

}  // namespace

void AppendMgrParams(std::string& out, const MgrParams1Block& block, MgrParamsWording wording)
{
    const bool log = wording == MgrParamsWording::Log;
    const std::string words[] = {
        WordText(log ? WordTable::AltitudeUse : WordTable::OnOff, block.altConstraint),
        WordText(WordTable::AltitudeUse, block.altMode),
        WordText(WordTable::AltitudeSource, block.altSource),
        WordText(WordTable::DegradedMode, block.degradedMode),
        WordText(WordTable::OnOff, block.trackSmoothMode),
        WordText(WordTable::DopMaskMode, block.dopMaskMode),
        WordText(WordTable::DgpsMode, block.dgpsMode),
        WordText(WordTable::LowPowerState, block.lpState),
    };
    std::string tenths[3];
    AppendFormat(
        out, log ? kLogGeneration1Format : kResponseGeneration1Format,
        {words[0], words[1], words[2], block.altitude.Value(), words[3], block.degradedTimeout,
         block.drTimeout, words[4], words[5], words[6], block.dgpsTimeout,
         Tenths(layouts::kMgrParams1.Field("elevMask"), block.elevMask.Value(), wording, tenths[0]), block.powerMask,
         block.editResidualThreshold.Value(), Tenths(layouts::kMgrParams1.Field("steadyDetectThreshold"), block.steadyDetectThreshold, wording,
                tenths[1]),
         Tenths(layouts::kMgrParams1.Field("staticNavThreshold"), block.staticNavThreshold, wording, tenths[2]), words[7], block.lpDutyCycle,
         block.lpOnTime.Value()});
}

void AppendMgrParams(std::string& out, const MgrParamsBlock& block, MgrParamsWording wording)
{
    const std::string words[] = {
        WordText(WordTable::AltitudeUse, block.altMode),
        WordText(WordTable::AltitudeSource, block.altSource),
        WordText(WordTable::DegradedMode, block.degradedMode),
        WordText(WordTable::OnOff, block.trkSmoothMode),
        WordText(WordTable::OnOff, block.staticNav),
        WordText(WordTable::OnOff, block.threeSvLsq),
        WordText(WordTable::DopMaskMode, block.dopMaskMode),
        DgpsSourceWord(block.dgpsSource, wording),
        WordText(WordTable::DgpsMode, block.dgpsMode),
    };
    const std::string power = MgrPowerLines(block);
    std::string elevMask;
    AppendFormat(
        out, wording == MgrParamsWording::Log ? kLogLaterFormat : kResponseLaterFormat,
        {words[0], words[1], block.altitude.Value(), words[2], block.degradedTimeout, block.drTimeout,
         words[3], words[4], words[5], words[6], Tenths(layouts::kMgrParams.Field("elevMask"), block.elevMask.Value(), wording, elevMask),
         block.pwrMask, words[7], words[8], block.dgpsTimeout, power});
}

}  // namespace kestrion
