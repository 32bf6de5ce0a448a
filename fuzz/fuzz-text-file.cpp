// Any bytes as a command or position file: whole lines, none longer than the limit; a
// position file's lines as numbers.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "FuzzFile.h"
#include "dialogs/TextLines.h"
#include "platform/DecimalValue.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace kestrion;
    const CFuzzFile file(data, size);
    for (const size_t maxLines : {size_t{4}, std::numeric_limits<size_t>::max()}) {
        const TextLines read = ReadTextLines(file.Path(), maxLines);
        if (read.lines.size() > maxLines) {
            std::abort();
        }
        for (const std::string& line : read.lines) {
            if (line.size() > kMaxTextLine || line.find('\n') != std::string::npos) {
                std::abort();
            }
            DecimalValue(line);
        }
    }
    return 0;
}
