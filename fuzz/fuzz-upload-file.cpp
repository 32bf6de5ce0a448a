// Any bytes as an almanac or ephemeris upload file: read to its first fault.
#include <cstddef>
#include <cstdint>
#include <span>

#include "FuzzFile.h"
#include "transport/UploadFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace kestrion;
    const CFuzzFile file(data, size);
    for (const size_t wordsPerLine : {size_t{14}, size_t{45}}) {
        CUploadFileReader reader(file.Path());
        uint16_t words[45];
        for (int line = 0; line < 32 && reader.Next(std::span(words, wordsPerLine)); ++line) {
        }
    }
    return 0;
}
