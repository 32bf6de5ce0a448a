#include <cctype>
#include <charconv>
#include <cstdio>
#include <string_view>

#include "cli/Commands.h"
#include "protocol/CommandFrame.h"

namespace kestrion::cli {

std::string_view SentenceBody(std::string_view text)
{
    if (text.starts_with('$')) {
        text.remove_prefix(1);
    }
    const auto hex = [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; };
    const size_t star = text.size() >= 3 ? text.size() - 3 : std::string_view::npos;
    if (star != std::string_view::npos && text[star] == '*' && hex(text[star + 1]) && hex(text[star + 2])) {
        text.remove_suffix(3);
    }
    return text;
}

int RunFrame(CCliArguments& arguments, const RunPlatform& /*platform*/)
{
    const std::vector<std::string>& args = arguments.Positional();
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

int RunNmea(CCliArguments& arguments, const RunPlatform& /*platform*/)
{
    if (arguments.Positional().size() != 1) {
        return UsageError("nmea", "needs exactly one sentence BODY");
    }
    const std::string sentence = BuildNmeaSentence(SentenceBody(arguments.Positional()[0]));
    std::fwrite(sentence.data(), 1, sentence.size(), stdout);
    return 0;
}

}  // namespace kestrion::cli
