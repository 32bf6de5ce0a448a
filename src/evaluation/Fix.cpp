#include "evaluation/Fix.h"

#include "epoch/BinaryEpochAssembler.h"
#include "geo/GpsUtc.h"
#include "protocol/Mid.h"

namespace kestrion {
namespace {

uint8_t NmeaMode(FixMode fix)
{
    switch (fix) {
    case FixMode::TwoD: return 3;
    case FixMode::DeadReckoning: return 7;
    default: return 4;
    }
}

void SetNmeaTime(Fix& fix, const EpochTime& time)
{
    if (!time.utcMillisecond) {
        return;
    }
    if (time.utcDate) {
        const GpsTime gps = GpsFromUtc(time.utcDate->year, time.utcDate->month, time.utcDate->day, *time.utcMillisecond);
        fix.week = gps.week;
        fix.tow = gps.towHundredths;
    } else {
        fix.tow = static_cast<uint32_t>(*time.utcMillisecond / 10);
    }
}

}  // namespace

std::optional<Fix> FixFromEpoch(const ReceiverEpoch& epoch)
{
    if (!epoch.HasFix()) {
        return std::nullopt;
    }
    const EpochPosition& position = *epoch.position;
    Fix fix;
    fix.x = position.ecef.x;
    fix.y = position.ecef.y;
    fix.z = position.ecef.z;
    fix.latitude = position.latitude;
    fix.longitude = position.longitude;
    fix.height = position.heightEllipsoid.value_or(position.altitudeMsl.value_or(0.0));
    fix.svCount = static_cast<uint8_t>(epoch.usedCount.value_or(static_cast<int>(epoch.usedIds.size())));
    if (const auto& nav = epoch.binaryNav) {
        fix.week = nav->week;
        fix.tow = nav->tow;
        fix.mode = nav->mode1 & 0x07;
        fix.dop = epoch.dops.dop.value_or(0.0);
    } else {
        SetNmeaTime(fix, epoch.time);
        fix.mode = NmeaMode(epoch.fix);
        fix.dop = epoch.dops.hdop.value_or(epoch.dops.pdop.value_or(0.0));
    }
    return fix;
}

std::optional<Fix> FixFromRecord(const CMessageRecord& record)
{
    if (record.type != MID_MeasuredNavigation && record.type != MID_TrueNavigation) {
        return std::nullopt;
    }
    return FixFromEpoch(EpochFromBinary(record.nav, nullptr, record.type == MID_TrueNavigation));
}

int64_t HundredthsBetween(const Fix& from, const Fix& to)
{
    return (int64_t{to.week} - from.week) * kWeekLength + int64_t{to.tow} - from.tow;
}

}  // namespace kestrion
