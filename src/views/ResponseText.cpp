#include "views/ResponseText.h"

#include <string_view>

#include "protocol/MgrParamsText.h"
#include "protocol/Mid.h"
#include "protocol/WordTables.h"
#include "views/FormatText.h"

namespace kestrion {
namespace {

constexpr std::string_view kGeneration1Format =
    "AltConstraint: %s\nAltMode: %s\nAltSource: %s\nAltitude: %d\nDegradedMode: %s\n"
    "DegradedTimeout: %d s\nDRTimeout: %d s\nTrackSmoothMode: %s\nDOPMaskMode: %s\n"
    "DGPSMode: %s\nDGPSTimeout: %d s\nElevMask: %s deg\nPowerMask: %d dBHz\n"
    "EditResidualThreshold: %d\nSteadyDetectThreshold: %s m/s^2\nStaticNavThreshold: %s m/s\n"
    "LP state: %s\nLP DutyCycle: %d%%\nLP OnTime: %d ms\n";

constexpr std::string_view kLaterFormat =
    "AltMode: %s\nAltSource: %s\nAltitude: %d\nDegradedMode: %s\nDegradedTimeout: %d s\n"
    "DRTimeout: %d s\nTrkSmoothMode: %s\nStaticNav: %s\n3SV LSQ: %s\nDOPMaskMode: %s\n"
    "ElevMask: %s deg\nPwrMask: %d dBHz\nDGPSSrc: %s\nDGPSMode: %s\nDGPSTimeout: %d s\n%s";

// A value in tenths, with one decimal.
std::string Tenths(int value)
{
    return FormatText("%.1f", {value * 0.1});
}

// The correction source, with the software source abbreviated.
std::string DgpsSourceWord(uint8_t source)
{
    constexpr uint8_t kSoftware = 4;
    return source == kSoftware ? "S/W" : WordText(WordTable::DgpsSource, source);
}

void AppendParams(std::string& out, const MgrParams1Block& block)
{
    const std::string words[] = {
        WordText(WordTable::OnOff, block.altConstraint),
        WordText(WordTable::AltitudeUse, block.altMode),
        WordText(WordTable::AltitudeSource, block.altSource),
        WordText(WordTable::DegradedMode, block.degradedMode),
        WordText(WordTable::OnOff, block.trackSmoothMode),
        WordText(WordTable::DopMaskMode, block.dopMaskMode),
        WordText(WordTable::DgpsMode, block.dgpsMode),
        Tenths(block.elevMask),
        Tenths(block.steadyDetectThreshold),
        Tenths(block.staticNavThreshold),
        WordText(WordTable::LowPowerState, block.lpState),
    };
    AppendFormat(out, kGeneration1Format,
                 {words[0], words[1], words[2], block.altitude.Value(), words[3], block.degradedTimeout,
                  block.drTimeout, words[4], words[5], words[6], block.dgpsTimeout, words[7],
                  block.powerMask, block.editResidualThreshold.Value(), words[8], words[9], words[10],
                  block.lpDutyCycle, block.lpOnTime.Value()});
}

void AppendParams(std::string& out, const MgrParamsBlock& block)
{
    const std::string words[] = {
        WordText(WordTable::AltitudeUse, block.altMode),
        WordText(WordTable::AltitudeSource, block.altSource),
        WordText(WordTable::DegradedMode, block.degradedMode),
        WordText(WordTable::OnOff, block.trkSmoothMode),
        WordText(WordTable::OnOff, block.staticNav),
        WordText(WordTable::OnOff, block.threeSvLsq),
        WordText(WordTable::DopMaskMode, block.dopMaskMode),
        Tenths(block.elevMask),
        DgpsSourceWord(block.dgpsSource),
        WordText(WordTable::DgpsMode, block.dgpsMode),
        MgrPowerLines(block),
    };
    AppendFormat(out, kLaterFormat,
                 {words[0], words[1], block.altitude.Value(), words[2], block.degradedTimeout,
                  block.drTimeout, words[3], words[4], words[5], words[6], words[7], block.pwrMask,
                  words[8], words[9], block.dgpsTimeout, words[10]});
}

}  // namespace

bool RenderResponse(const CMessageRecord& record, int generation, std::string& out)
{
    out.clear();
    switch (record.type) {
    case MID_SWVersion:
        AppendFormat(out, "SW Version %s",
                     {std::string_view(record.swVersion.version, sizeof record.swVersion.version)});
        break;
    case MID_ClockStatus: {
        const ClockStatusBlock& block = record.clockStatus;
        AppendFormat(out,
                     "Week:%u  TOW:%lu  EstGPSTime:%lu ms  SVCnt:%u\n"
                     "Clock Drift:%lu Hz  Clock Bias:%lu ns",
                     {block.week.Value(), block.tow.Value(), block.estGpsTime.Value(), block.svCount,
                      block.clockDrift.Value(), block.clockBias.Value()});
        break;
    }
    case MID_Ack: AppendFormat(out, "Acknowledged %s", {MidName(record.ack.commandMid)}); break;
    case MID_Nak: AppendFormat(out, "Rejected %s", {MidName(record.nak.commandMid)}); break;
    case MID_RxMgrParams:
        if (generation == 1) {
            AppendParams(out, record.mgrParams1);
        } else {
            AppendParams(out, record.mgrParams);
        }
        break;
    default: return false;
    }
    return true;
}

}  // namespace kestrion
