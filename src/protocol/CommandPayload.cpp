#include "protocol/CommandPayload.h"

#include "protocol/CommandLayouts.h"

namespace kestrion {

namespace {

constexpr const CCommandLayout& kSerialPort = CommandLayout(MID_SetSerialPort);
constexpr const CCommandLayout& kInitialization = CommandLayout(MID_NavigationInitialization);

}  // namespace

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
    // Both ports' commands share the one layout.
    return kSerialPort.Values()
        .Set(kSerialPort.Field("mid"), mid)
        .Set(kSerialPort.Field("baud"), baud)
        .Set(kSerialPort.Field("dataBits"), dataBits)
        .Set(kSerialPort.Field("stopBits"), stopBits)
        .Set(kSerialPort.Field("parity"), parity)
        .Wire();
}

uint8_t ResetFlags(int resetMode, bool rawTrack, bool development)
{
    static constexpr uint8_t kBase[] = {0x00, 0x02, 0x03, 0x04, 0x08};
    const uint8_t base = resetMode >= 0 && resetMode <= 4 ? kBase[resetMode] : 0;
    return static_cast<uint8_t>(base | (rawTrack ? 0x10 : 0) | (development ? 0x20 : 0));
}

std::vector<uint8_t> InitializationPayload(const InitValues& values)
{
    return kInitialization.Values()
        .Set(kInitialization.Field("x"), values.x)
        .Set(kInitialization.Field("y"), values.y)
        .Set(kInitialization.Field("z"), values.z)
        .Set(kInitialization.Field("clock"), values.clock)
        .Set(kInitialization.Field("tow"), values.towHundredths)
        .Set(kInitialization.Field("week"), values.week)
        .Set(kInitialization.Field("channels"), values.channels)
        .Set(kInitialization.Field("resetFlags"), values.resetFlags)
        .Wire();
}

}  // namespace kestrion
