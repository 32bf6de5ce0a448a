// Any text as a recorded line through the line decoder and the renderer.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "protocol/LineDecoder.h"
#include "protocol/RecordRenderer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace kestrion;
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    CMessageRecord record;
    std::string error;
    std::string text;
    for (int generation : {1, 2}) {
        DecodeLine(record, line, error, 1200, 345600);
        RenderRecord(record, generation, text);
    }
    return 0;
}
