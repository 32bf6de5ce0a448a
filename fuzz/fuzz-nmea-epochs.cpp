// Any text, cut at line ends, through the NMEA epoch assembler and the JSON form of what it
// closes: no crash, no read outside a buffer, no undefined behaviour.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "epoch/EpochJson.h"
#include "epoch/NmeaEpochAssembler.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace kestrion;
    CNmeaEpochAssembler assembler;
    size_t written = 0;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        if (assembler.Take(text.substr(start, end - start))) {
            written += EpochJsonLine(assembler.Epoch()).size();
        }
        start = end + 1;
    }
    if (assembler.Finish()) {
        written += EpochJsonLine(assembler.Epoch()).size();
    }
    return written == static_cast<size_t>(-1);
}
