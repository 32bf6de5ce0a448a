#include "evaluation/TrackExport.h"
#include "evaluation/TrackFile.h"

namespace kestrion {

bool WriteKml(const std::string& path, const FixSequence& fixes, std::string_view name, std::string& problem)
{
    return WriteTextFile(path, problem, [&](CTrackFile& out) {
        out.Text("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n"
                 "<Document>\n <name>")
            .XmlEscaped(name)
            .Text("</name>\n <Placemark>\n  <name>")
            .XmlEscaped(name)
            .Text("</name>\n  <LineString>\n   <altitudeMode>absolute</altitudeMode>\n   <coordinates>\n");
        std::string failure = fixes([&out](const Fix& fix, const EnuError&) {
            out.Text("    ").Fixed(fix.longitude, 8).Text(",").Fixed(fix.latitude, 8).Text(",").Fixed(fix.height, 2);
            out.Text("\n");
        });
        out.Text("   </coordinates>\n  </LineString>\n </Placemark>\n</Document>\n</kml>\n");
        return failure;
    });
}

}  // namespace kestrion
