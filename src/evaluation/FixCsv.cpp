#include <cmath>

#include "geo/GpsUtc.h"
#include "evaluation/TrackExport.h"
#include "evaluation/TrackFile.h"

namespace kestrion {

bool WriteFixCsv(const std::string& path, const FixSequence& fixes, std::string& problem)
{
    return WriteTextFile(path, problem, [&](CTrackFile& out) {
        out.Text("time,lat,lon,alt,e,n,u,mode,svs,dop\n");
        return fixes([&out](const Fix& fix, const EnuError& error) {
            out.Text(IsoText(UtcFromGps(fix.week, fix.tow))).Text(",");
            out.Fixed(fix.latitude, 8).Text(",").Fixed(fix.longitude, 8).Text(",").Fixed(fix.height, 2);
            if (!std::isnan(error.east)) {
                out.Text(",").Fixed(error.east, 3).Text(",").Fixed(error.north, 3).Text(",").Fixed(error.up, 3);
            } else {
                out.Text(",,,");
            }
            out.Text(",").Integer(fix.mode).Text(",").Integer(fix.svCount).Text(",").Fixed(fix.dop, 1).Text("\n");
        });
    });
}

}  // namespace kestrion
