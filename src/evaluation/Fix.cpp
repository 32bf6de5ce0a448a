#include "evaluation/Fix.h"

#include "geo/Geodetic.h"

namespace kestrion {

std::optional<CFix> FixFromRecord(const CMessageRecord& record)
{
    const NavBlock& nav = record.nav;
    const uint8_t mode = nav.mode1 & 0x07;
    if (record.type != 2 && record.type != 1) {
        return std::nullopt;
    }
    if ((record.type == 2 && mode < kFirstFixMode) || (nav.x == 0 && nav.y == 0 && nav.z == 0)) {
        return std::nullopt;
    }
    CFix fix;
    fix.week = nav.week;
    fix.tow = nav.tow;
    fix.x = nav.x;
    fix.y = nav.y;
    fix.z = nav.z;
    const GeodeticPosition at = EcefToGeodetic(fix.x, fix.y, fix.z);
    fix.latitude = at.latitude * kDegreesPerRadian;
    fix.longitude = at.longitude * kDegreesPerRadian;
    fix.height = at.height;
    fix.mode = mode;
    fix.svCount = nav.svCount;
    fix.dop = nav.dop * 0.2;
    return fix;
}

int64_t HundredthsBetween(const CFix& from, const CFix& to)
{
    return (int64_t{to.week} - from.week) * kWeekLength + int64_t{to.tow} - from.tow;
}

}  // namespace kestrion
