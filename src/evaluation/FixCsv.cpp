#include <cmath>

#include "geo/GpsUtc.h"
#include "evaluation/TrackExport.h"
#include "evaluation/TrackFile.h"

namespace kestrion {

bool WriteFixCsv(const std::string& path, std::span<const CFix> fixes, std::span<const EnuError> errors,
                 std::string& problem)
{
    return WriteTextFile(path, problem, [&](CTrackFile& out) {
        out.Text("time,lat,lon,alt,e,n,u,mode,svs,dop\n");
        for (size_t i = 0; i < fixes.size(); ++i) {
            const CFix& fix = fixes[i];
            out.Text(IsoText(UtcFromGps(fix.week, fix.tow))).Text(",");
            out.Fixed(fix.latitude, 8).Text(",").Fixed(fix.longitude, 8).Text(",").Fixed(fix.height, 2);
            if (i < errors.size() && !std::isnan(errors[i].east)) {
                const EnuError& error = errors[i];
                out.Text(",").Fixed(error.east, 3).Text(",").Fixed(error.north, 3).Text(",").Fixed(error.up, 3);
            } else {
                out.Text(",,,");
            }
            out.Text(",").Integer(fix.mode).Text(",").Integer(fix.svCount).Text(",").Fixed(fix.dop, 1).Text("\n");
        }
    });
}

}  // namespace kestrion
