#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/CliArguments.h"
#include "cli/Commands.h"
#include "sim/BaudRates.h"
#include "sim/PtyEndpoint.h"
#include "sim/ReceiverModel.h"
#include "sim/ReceiverServer.h"
#include "sim/TcpEndpoint.h"
#include "synth/GnssSky.h"

namespace kestrion::cli {
namespace {

std::atomic<bool> g_stop{false};

void OnSignal(int)
{
    g_stop = true;
}

// The symbolic link to the slave, replaced when it exists and removed on exit.
class CSlaveLink {
public:
    bool Make(const std::string& link, const std::string& target, std::string& error)
    {
        std::error_code code;
        if (std::filesystem::is_symlink(link, code)) {
            std::filesystem::remove(link, code);
        }
        std::filesystem::create_symlink(target, link, code);
        if (code) {
            error = "cannot link " + link + ": " + code.message();
            return false;
        }
        m_link = link;
        return true;
    }
    ~CSlaveLink()
    {
        if (!m_link.empty()) {
            std::error_code code;
            std::filesystem::remove(m_link, code);
        }
    }

private:
    std::string m_link;
};

// "gps,glonass,..." in the order NMEA numbers the systems, each once.
bool ParseGnssList(const std::string& text, std::vector<SkySystem>& systems, std::string& error)
{
    bool seen[kSkySystemCount] = {};
    size_t start = 0;
    while (start <= text.size()) {
        const size_t comma = std::min(text.find(',', start), text.size());
        const std::string name = text.substr(start, comma - start);
        const std::optional<SkySystem> system = SkySystemFromName(name);
        if (!system) {
            error = "--gnss takes gps, glonass, galileo and beidou, separated by commas: " + text;
            return false;
        }
        seen[static_cast<int>(*system)] = true;
        start = comma + 1;
    }
    systems.clear();
    for (int i = 0; i < kSkySystemCount; ++i) {
        if (seen[i]) {
            systems.push_back(static_cast<SkySystem>(i));
        }
    }
    return true;
}

}  // namespace

int RunSimulate(CCliArguments& arguments, const RunPlatform& /*platform*/)
{
    SimConfig config;
    config.generation = static_cast<int>(arguments.Integer("--generation", 1, 3).value_or(3));
    config.baud = static_cast<int>(arguments.Integer("--baud", 1200, 115200).value_or(38400));
    config.busy = arguments.Has("--busy");
    config.dgps = !arguments.Has("--no-dgps");
    const std::string protocol = arguments.Value("--protocol").value_or("binary");
    if (!arguments.Ok()) {
        return UsageError("simulate", arguments.Error());
    }
    if (!arguments.Positional().empty()) {
        return UsageError("simulate", "takes no arguments besides its options: " + arguments.Positional().front());
    }
    if (protocol != "binary" && protocol != "nmea") {
        return UsageError("simulate", "--protocol is binary or nmea");
    }
    if (!IsKnownBaud(config.baud)) {
        return UsageError("simulate", "--baud is one of 1200 2400 4800 9600 19200 38400 57600 115200");
    }
    config.protocol = protocol == "nmea" ? SimProtocol::Nmea : SimProtocol::Binary;
    if (const std::optional<std::string> gnss = arguments.Value("--gnss")) {
        if (config.protocol != SimProtocol::Nmea) {
            return UsageError("simulate", "--gnss needs --protocol nmea");
        }
        std::string error;
        if (!ParseGnssList(*gnss, config.gnss, error)) {
            return UsageError("simulate", error);
        }
    }
    config.seed = static_cast<uint64_t>(SteadyNowMs());

    const std::optional<std::string> listen = arguments.Value("--listen");
    const std::optional<std::string> linkPath = arguments.Value("--link");
    if (listen && linkPath) {
        return UsageError("simulate", "--link names a pseudo-terminal, --listen serves over TCP: not both");
    }
    if (std::string error; listen && !ParseListenAddress(*listen, error)) {
        return UsageError("simulate", "--listen " + error);
    }

    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    // The pseudo-terminal, or a TCP listener whose clients come and go.
    CPtyEndpoint pty;
    CTcpEndpoint tcp([](const std::string& notice) { std::fprintf(stderr, "%s\n", notice.c_str()); });
    IReceiverEndpoint* endpoint = &pty;
    std::string error;
    if (listen) {
        endpoint = &tcp;
        error = tcp.Open(*listen, SteadyNowMs());
    } else {
        pty.Open(config.baud, SteadyNowMs(), error);
    }
    if (!error.empty()) {
        std::fprintf(stderr, "kestrion-cli simulate: %s\n", error.c_str());
        return 1;
    }
    CSlaveLink link;
    if (linkPath && !link.Make(*linkPath, pty.SlavePath(), error)) {
        std::fprintf(stderr, "kestrion-cli simulate: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s\n", listen ? tcp.Address().c_str() : pty.SlavePath().c_str());
    std::fflush(stdout);

    CReceiverModel model(config, SteadyNowMs());
    if (arguments.Has("--trace")) {
        model.SetTrace([](std::string_view line) {
            std::fprintf(stderr, "%.*s\n", static_cast<int>(line.size()), line.data());
        });
    }
    ServeReceiver(*endpoint, model, g_stop);
    return 0;
}

}  // namespace kestrion::cli
