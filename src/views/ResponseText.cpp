#include "views/ResponseText.h"

#include <string_view>

#include "protocol/MgrParamsText.h"
#include "protocol/Mid.h"
#include "protocol/TextFormatter.h"

namespace kestrion {

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
            AppendMgrParams(out, record.mgrParams1, MgrParamsWording::Response);
        } else {
            AppendMgrParams(out, record.mgrParams, MgrParamsWording::Response);
        }
        break;
    default: return false;
    }
    return true;
}

}  // namespace kestrion
