#include "gui/ConsoleCommandLine.h"

#include <charconv>
#include <limits>

#include "gui/ViewFactory.h"
#include "platform/CliArguments.h"

namespace kestrion {
namespace {

constexpr int kMaxSide = 10000;

// "WxH", each side 1 to 10000 pixels.
bool ParseSize(const std::string& text, int& width, int& height)
{
    const size_t x = text.find('x');
    if (x == std::string::npos) {
        return false;
    }
    const auto side = [&text](size_t from, size_t to, int& value) {
        const char* end = text.data() + to;
        const auto [last, error] = std::from_chars(text.data() + from, end, value);
        return error == std::errc() && last == end && value >= 1 && value <= kMaxSide;
    };
    return side(0, x, width) && side(x + 1, text.size(), height);
}

ConsoleCommandLine Refused(std::string error)
{
    ConsoleCommandLine line;
    line.action = ConsoleCommandLine::Action::Error;
    line.error = std::move(error);
    return line;
}

}  // namespace

const char* const kConsoleUsage =
    "usage: kestrion-demo\n"
    "       kestrion-demo --snapshot VIEW --out FILE.png [--ini FILE] [--seconds S] [--size WxH]\n"
    "       kestrion-demo -h | --help | --version\n";

const char* const kConsoleHelp =
    "Without arguments the console starts. --snapshot plays the data source of the settings (default:\n"
    "the console's own) on a virtual clock, as kestrion-cli run --fast does, with only VIEW open,\n"
    "until the source ends, no timer is left or S virtual seconds have passed (a serial port plays\n"
    "in real time, for S seconds); then it writes the view's client area of W x H pixels (default\n"
    "640x480) to FILE.png. VIEW is one of signal, tracking, map, navigation, response, error,\n"
    "development, dgps, statistics. No display is needed.\n";

ConsoleCommandLine ParseConsoleCommandLine(std::vector<std::string> args)
{
    ConsoleCommandLine line;
    if (args.empty()) {
        return line;
    }
    CCliArguments arguments(std::move(args), {"--snapshot", "--out", "--ini", "--seconds", "--size"},
                            {"--version"});
    if (arguments.Help()) {
        line.action = ConsoleCommandLine::Action::Help;
        return line;
    }
    if (arguments.Has("--version")) {
        line.action = ConsoleCommandLine::Action::Version;
        return line;
    }
    SnapshotRequest& request = line.snapshot;
    request.seconds = arguments.Integer("--seconds", 1, std::numeric_limits<int>::max()).value_or(0);
    if (!arguments.Ok()) {
        return Refused(arguments.Error());
    }
    if (!arguments.Positional().empty()) {
        return Refused("unexpected argument " + arguments.Positional().front());
    }
    const std::string view = arguments.Value("--snapshot").value_or("");
    request.slot = SlotOfViewName(view);
    if (!arguments.Has("--snapshot")) {
        return Refused("--out, --ini, --seconds and --size go with --snapshot");
    }
    if (request.slot < 0) {
        return Refused("unknown view \"" + view + "\"");
    }
    request.out = arguments.Value("--out").value_or("");
    if (request.out.empty()) {
        return Refused("--snapshot needs --out FILE.png");
    }
    request.ini = arguments.Value("--ini").value_or("");
    if (const auto size = arguments.Value("--size"); size && !ParseSize(*size, request.width, request.height)) {
        return Refused("--size takes WxH, each side 1 to 10000 pixels, not \"" + *size + "\"");
    }
    line.action = ConsoleCommandLine::Action::Snapshot;
    return line;
}

}  // namespace kestrion
