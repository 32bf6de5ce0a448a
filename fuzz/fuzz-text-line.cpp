// Any bytes as a CSV or truth file: read in pieces as its playback does, each data line through
// the line decoder and the renderer.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/LineDecoder.h"
#include "protocol/RecordRenderer.h"
#include "protocol/TextLineReader.h"

namespace {

// A piece holds at most one line end, at its end.
bool WellFormed(std::string_view piece)
{
    const size_t newline = piece.find('\n');
    return piece.size() <= kestrion::CTextLineReader::kMaxPiece &&
           (newline == std::string_view::npos || newline + 1 == piece.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace kestrion;
    std::vector<char> bytes(data, data + size);
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(::fmemopen(bytes.data(), size, "r"), &std::fclose);
    if (file == nullptr) {
        return 0;
    }
    CTextLineReader reader(file.get());
    CMessageRecord record;
    std::string error;
    std::string text;
    std::string_view piece;
    size_t line = 0;
    while (reader.NextPiece(piece)) {
        if (!WellFormed(piece) || reader.LineNumber() < line || reader.LineNumber() > line + 1) {
            std::abort();
        }
        line = reader.LineNumber();
        if (CTextLineReader::IsData(piece)) {
            DecodeLine(record, piece, error, 1200, 345600);
            for (const int generation : {1, 2}) {
                RenderRecord(record, generation, text);
            }
        }
    }
    // Every line was read: one per line end, and a last one without.
    const std::string_view input(bytes.data(), size);
    const size_t lines = static_cast<size_t>(std::count(input.begin(), input.end(), '\n')) +
                         (!input.empty() && input.back() != '\n' ? 1 : 0);
    if (!reader.TooLong() && line != lines) {
        std::abort();
    }
    return 0;
}
