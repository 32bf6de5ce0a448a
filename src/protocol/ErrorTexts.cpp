#include "protocol/ErrorTexts.h"

#include <array>

namespace kestrion {
namespace {

struct ErrorText {
    uint16_t code;
    std::string_view format;
};

constexpr std::array kErrorTexts = std::to_array<ErrorText>({
    {2, "Bad parity from SV %02ld, subframe %ld"},
    {8, "KFDBG @%ld: Bad altitude = %ld"},
    {9, "RxM error in getting SV %02ld's position"},
    {10, "RxM: Pseudo range in seconds exceeds limit: %ld"},
    {11, "RxM error: tdop=%ld overflow"},
    {12, "RxM: Ephemeris for SV %02ld exceeds valid time duration by %ld sec"},
    {13, "SRAM: Bad position during startup, x:%ld y:%ld z:%ld"},
    {4097, "VCO lock lost in %lu msec"},
    {4099, "Assuming false acquisition and reseting receiver at %ld"},
    {4100, "Kalman Filter @%ld: Kill chan %02ld, range res=%ld"},
    {4103,
     "Vendal solution poor:\nPOS = %ld %ld %ld PR = %ld %ld %ld\nSAT1= %ld %ld %ld\n"
     "SAT2= %ld %ld %ld\nSAT3= %ld %ld %ld\nSAT4= %ld %ld %ld"},
    {4104, "SRAM control flags contain bad checksum"},
    {4105, "RTC time or SRAM backup invalid, TOW:%ld, WNUM:%ld"},
    {4106, "SRAM backup not done: Velocity sum exceeds maximum."},
    {4107, "SRAM backup not done: Too few SVs used in a solution."},
    {8193, "UART buffer allocation error: %lu"},
    {8194, "OSOR #%ld (%ld ms)"},
    {8195, "Memory test failed at 0x%lx"},
});

}  // namespace

std::string_view ErrorFormat(uint16_t code)
{
    for (const ErrorText& entry : kErrorTexts) {
        if (entry.code == code) {
            return entry.format;
        }
    }
    return kUnknownErrorFormat;
}

}  // namespace kestrion
