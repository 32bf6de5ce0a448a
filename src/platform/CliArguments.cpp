#include "platform/CliArguments.h"

#include <charconv>

namespace kestrion {

CCliArguments::CCliArguments(std::vector<std::string> args, std::set<std::string> valued,
                             std::set<std::string> flags)
{
    for (size_t i = 0; i < args.size() && Ok(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            m_positional.push_back(arg);
        } else if (flags.contains(arg)) {
            m_options.emplace_back(arg, "");
        } else if (!valued.contains(arg)) {
            m_error = "unknown option " + arg;
        } else if (i + 1 == args.size()) {
            m_error = "option " + arg + " needs a value";
        } else {
            m_options.emplace_back(arg, args[++i]);
        }
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
        m_error = "option " + name + " needs an integer from " + std::to_string(low) + " to " + std::to_string(high);
        return std::nullopt;
    }
    return value;
}

}  // namespace kestrion
