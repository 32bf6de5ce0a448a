// make-sample OUT [--seconds N] [--seed S] [--vary V]: writes a synthetic raw receive stream.
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "SampleStream.h"

namespace {

template <typename T>
bool ParseNumber(const char* text, T& value)
{
    const char* end = text + std::strlen(text);
    const auto [ptr, ec] = std::from_chars(text, end, value);
    return ec == std::errc{} && ptr == end;
}

int Usage()
{
    std::fputs("usage: make-sample OUT [--seconds N] [--seed S] [--vary V]\n", stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    const char* out = nullptr;
    int seconds = 90;
    uint32_t seed = 1;
    uint32_t vary = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--seconds" && hasValue) {
            if (!ParseNumber(argv[++i], seconds) || seconds < 1) {
                return Usage();
            }
        } else if (arg == "--seed" && hasValue) {
            if (!ParseNumber(argv[++i], seed)) {
                return Usage();
            }
        } else if (arg == "--vary" && hasValue) {
            if (!ParseNumber(argv[++i], vary)) {
                return Usage();
            }
        } else if (!arg.starts_with("--") && out == nullptr) {
            out = argv[i];
        } else {
            return Usage();
        }
    }
    if (out == nullptr) {
        return Usage();
    }

    const std::vector<uint8_t> stream = kestrion::MakeSampleStream(seconds, seed, vary);
    std::FILE* file = std::fopen(out, "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "make-sample: cannot open %s\n", out);
        return 1;
    }
    const size_t written = std::fwrite(stream.data(), 1, stream.size(), file);
    if (std::fclose(file) != 0 || written != stream.size()) {
        std::fprintf(stderr, "make-sample: cannot write %s\n", out);
        return 1;
    }
    std::printf("%s: %zu bytes, %d s\n", out, stream.size(), seconds);
    return 0;
}
