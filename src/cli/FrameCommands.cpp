#include <charconv>
#include <cstdio>

#include "cli/Commands.h"
#include "protocol/CommandFrame.h"

namespace kestrion::cli {

int RunFrame(const std::vector<std::string>& args)
{
    if (args.empty()) {
        return UsageError("frame", "needs the payload bytes");
    }
    std::vector<uint8_t> payload;
    for (const std::string& arg : args) {
        unsigned value = 0;
        const auto [end, error] = std::from_chars(arg.data(), arg.data() + arg.size(), value, 16);
        if (error != std::errc() || end != arg.data() + arg.size() || value > 0xFF) {
            return UsageError("frame", "not a hexadecimal byte: " + arg);
        }
        payload.push_back(static_cast<uint8_t>(value));
    }
    if (payload.size() > 1008) {
        return UsageError("frame", "a payload holds at most 1008 bytes");
    }
    const std::vector<uint8_t> frame = BuildCommandFrame(payload);
    for (size_t i = 0; i < frame.size(); ++i) {
        std::printf(i == 0 ? "%02X" : " %02X", frame[i]);
    }
    std::printf("\n");
    return 0;
}

int RunNmea(const std::vector<std::string>& args)
{
    if (args.size() != 1) {
        return UsageError("nmea", "needs exactly one sentence BODY");
    }
    const std::string sentence = BuildNmeaSentence(args[0]);
    std::fwrite(sentence.data(), 1, sentence.size(), stdout);
    return 0;
}

}  // namespace kestrion::cli
