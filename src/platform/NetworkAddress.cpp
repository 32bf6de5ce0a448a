#include "platform/NetworkAddress.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace kestrion {
namespace {

constexpr std::string_view kForms = "; write tcp://HOST:PORT, udp://:PORT or udp://ADDRESS:PORT";

bool StartsWithScheme(std::string_view name, std::string_view scheme)
{
    return name.size() >= scheme.size() &&
           std::equal(scheme.begin(), scheme.end(), name.begin(), [](char wanted, char given) {
               return wanted == std::tolower(static_cast<unsigned char>(given));
           });
}

// Letters, digits and the marks of host names and IPv4 and IPv6 addresses ("%" for a zone).
bool HostCharacter(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '.' || c == '-' || c == '_' || c == ':' ||
           c == '%';
}

std::optional<NetworkAddress> Refuse(std::string_view name, std::string_view reason, std::string& error)
{
    error = std::string(name) + " is not a network address: " + std::string(reason) + std::string(kForms);
    return std::nullopt;
}

}  // namespace

bool IsNetworkPort(std::string_view name)
{
    return StartsWithScheme(name, "tcp://") || StartsWithScheme(name, "udp://");
}

bool IsReceiveOnlyPort(std::string_view name) { return StartsWithScheme(name, "udp://"); }

std::optional<NetworkAddress> ParseNetworkAddress(std::string_view name, std::string& error)
{
    if (!IsNetworkPort(name)) {
        return Refuse(name, "it starts with neither tcp:// nor udp://", error);
    }
    NetworkAddress address;
    address.kind = IsReceiveOnlyPort(name) ? NetworkKind::Udp : NetworkKind::Tcp;
    std::string_view rest = name.substr(6);
    std::string_view host;
    if (rest.starts_with('[')) {
        const size_t close = rest.find(']');
        if (close == std::string_view::npos) {
            return Refuse(name, "the ] after the IPv6 address is missing", error);
        }
        host = rest.substr(1, close - 1);
        if (host.empty()) {
            return Refuse(name, "the brackets hold no address", error);
        }
        rest.remove_prefix(close + 1);
        if (!rest.starts_with(':')) {
            return Refuse(name, "no :PORT after the address", error);
        }
    } else {
        const size_t colon = rest.rfind(':');
        if (colon == std::string_view::npos) {
            return Refuse(name, "no :PORT after the host", error);
        }
        host = rest.substr(0, colon);
        rest.remove_prefix(colon);
        if (host.find(':') != std::string_view::npos) {
            return Refuse(name, "an IPv6 address goes in brackets, as in tcp://[::1]:5000", error);
        }
    }
    if (!std::ranges::all_of(host, HostCharacter)) {
        return Refuse(name, "the host \"" + std::string(host) + "\" holds a character no host name has", error);
    }
    if (host.empty() && address.kind == NetworkKind::Tcp) {
        return Refuse(name, "a TCP address needs the host to connect to", error);
    }
    const std::string_view digits = rest.substr(1);
    unsigned port = 0;
    const auto parsed = std::from_chars(digits.data(), digits.data() + digits.size(), port);
    if (digits.empty() || parsed.ec != std::errc() || parsed.ptr != digits.data() + digits.size() || port == 0 ||
        port > 65535) {
        return Refuse(name, "the port \"" + std::string(digits) + "\" is not a number from 1 to 65535", error);
    }
    address.host = std::string(host);
    address.port = static_cast<uint16_t>(port);
    error.clear();
    return address;
}

}  // namespace kestrion
