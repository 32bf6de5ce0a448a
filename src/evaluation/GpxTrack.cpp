#include <optional>

#include "geo/GpsUtc.h"
#include "evaluation/TrackExport.h"
#include "evaluation/TrackFile.h"
#include "platform/Version.h"

namespace kestrion {

bool WriteGpx(const std::string& path, const FixSequence& fixes, std::string_view name, std::string& problem)
{
    return WriteTextFile(path, problem, [&](CTrackFile& out) {
        out.Text("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gpx version=\"1.1\" creator=\"")
            .XmlEscaped(kProgramTitle)
            .Text("\" xmlns=\"http://www.topografix.com/GPX/1/1\""
                  " xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\""
                  " xsi:schemaLocation=\"http://www.topografix.com/GPX/1/1"
                  " http://www.topografix.com/GPX/1/1/gpx.xsd\">\n <trk>\n  <name>")
            .XmlEscaped(name)
            .Text("</name>\n");
        std::optional<Fix> previous;
        std::string failure = fixes([&](const Fix& fix, const EnuError&) {
            if (!previous) {
                out.Text("  <trkseg>\n");
            } else {
                const int64_t step = HundredthsBetween(*previous, fix);
                if (step < 0 || step > kSegmentGapHundredths) {
                    out.Text("  </trkseg>\n  <trkseg>\n");
                }
            }
            previous = fix;
            out.Text("   <trkpt lat=\"").Fixed(fix.latitude, 8).Text("\" lon=\"").Fixed(fix.longitude, 8);
            out.Text("\"><ele>").Fixed(fix.height, 2).Text("</ele><time>");
            out.Text(IsoText(UtcFromGps(fix.week, fix.tow))).Text("</time><sat>").Integer(fix.svCount);
            out.Text("</sat></trkpt>\n");
        });
        if (previous) {
            out.Text("  </trkseg>\n");
        }
        out.Text(" </trk>\n</gpx>\n");
        return failure;
    });
}

}  // namespace kestrion
