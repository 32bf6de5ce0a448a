#include "protocol/CommandPayload.h"

#include "protocol/Mid.h"

namespace kestrion {

uint8_t ParityCode(std::string_view parity)
{
    if (parity == "ODD") {
        return 1;
    }
    return parity == "EVEN" ? 2 : 0;
}

std::vector<uint8_t> SerialPortPayload(uint8_t mid, uint32_t baud, uint8_t dataBits, uint8_t stopBits,
                                       uint8_t parity)
{
    return CPayload(mid).U32(baud).U8(dataBits).U8(stopBits).U8(parity).U8(0).Bytes();
}

uint8_t ResetFlags(int resetMode, bool rawTrack, bool development)
{
    static constexpr uint8_t kBase[] = {0x00, 0x02, 0x03, 0x04, 0x08};
    const uint8_t base = resetMode >= 0 && resetMode <= 4 ? kBase[resetMode] : 0;
    return static_cast<uint8_t>(base | (rawTrack ? 0x10 : 0) | (development ? 0x20 : 0));
}

std::vector<uint8_t> InitializationPayload(const InitValues& values)
{
    return CPayload(MID_NavigationInitialization)
        .U32(static_cast<uint32_t>(values.x))
        .U32(static_cast<uint32_t>(values.y))
        .U32(static_cast<uint32_t>(values.z))
        .U32(static_cast<uint32_t>(values.clock))
        .U32(values.towHundredths)
        .U16(values.week)
        .U8(values.channels)
        .U8(values.resetFlags)
        .Bytes();
}

GpsTime GpsTimeOf(std::time_t utc)
{
    constexpr std::time_t kGpsEpoch = 315964800;  // 1980-01-06 00:00:00 UTC, a Sunday
    constexpr std::time_t kWeek = 7 * 86400;
    const std::time_t since = utc - kGpsEpoch;
    std::time_t week = since / kWeek;
    std::time_t second = since % kWeek;
    if (second < 0) {
        second += kWeek;
        --week;
    }
    return {static_cast<uint16_t>(week), static_cast<uint32_t>(second * 100)};
}

}  // namespace kestrion
