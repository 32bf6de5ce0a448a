#include "platform/CliArguments.h"

#include <charconv>

namespace kestrion {

CCliArguments::CCliArguments(std::vector<std::string> args, std::set<std::string> valued,
                             std::set<std::string> flags)
{
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") {
            m_positional.insert(m_positional.end(), args.begin() + static_cast<long>(i) + 1, args.end());
            return;
        }
        if (arg == "-h" || arg == "--help") {
            m_help = true;
            continue;
        }
        if (arg.size() < 2 || arg[0] != '-') {
            m_positional.push_back(arg);
            continue;
        }
        const size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        if (!name.starts_with("--") || (!valued.contains(name) && !flags.contains(name))) {
            Fail("unknown option " + name);
        } else if (flags.contains(name) && equals != std::string::npos) {
            Fail("option " + name + " takes no value");
        } else if (flags.contains(name)) {
            m_options.emplace_back(name, "");
        } else if (equals != std::string::npos) {
            m_options.emplace_back(name, arg.substr(equals + 1));
        } else if (i + 1 == args.size()) {
            Fail("option " + name + " needs a value");
        } else {
            m_options.emplace_back(name, args[++i]);
        }
    }
}

void CCliArguments::Fail(std::string error)
{
    // The first problem is the one told; help asked for after it is still seen.
    if (m_error.empty()) {
        m_error = std::move(error);
    }
}

bool CCliArguments::Has(const std::string& name) const
{
    for (const auto& option : m_options) {
        if (option.first == name) {
            return true;
        }
    }
    return false;
}

std::optional<std::string> CCliArguments::Value(const std::string& name) const
{
    std::optional<std::string> last;
    for (const auto& option : m_options) {
        if (option.first == name) {
            last = option.second;
        }
    }
    return last;
}

std::vector<std::string> CCliArguments::Values(const std::string& name) const
{
    std::vector<std::string> values;
    for (const auto& option : m_options) {
        if (option.first == name) {
            values.push_back(option.second);
        }
    }
    return values;
}

std::optional<long> CCliArguments::Integer(const std::string& name, long low, long high)
{
    const std::optional<std::string> text = Value(name);
    if (!text) {
        return std::nullopt;
    }
    long value = 0;
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (error != std::errc() || end != text->data() + text->size() || value < low || value > high) {
        Fail("option " + name + " needs an integer from " + std::to_string(low) + " to " + std::to_string(high));
        return std::nullopt;
    }
    return value;
}

}  // namespace kestrion
