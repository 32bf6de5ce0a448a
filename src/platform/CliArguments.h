#pragma once
// A small parser of command-line arguments in the usual Unix form: "--name value" or
// "--name=value", "--flag", positional arguments, "--" ending the options and "-" as a
// positional (standard input). "-h" and "--help" ask for help wherever they stand before "--".
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace kestrion {

class CCliArguments {
public:
    // `valued` names the options that take a value, `flags` those that do not.
    CCliArguments(std::vector<std::string> args, std::set<std::string> valued, std::set<std::string> flags);

    bool Ok() const { return m_error.empty(); }
    const std::string& Error() const { return m_error; }
    // "-h" or "--help" was given.
    bool Help() const { return m_help; }
    bool Has(const std::string& name) const;
    // The last value given.
    std::optional<std::string> Value(const std::string& name) const;
    // Every value given, in order.
    std::vector<std::string> Values(const std::string& name) const;
    const std::vector<std::string>& Positional() const { return m_positional; }

    // An integer option within [low, high]; records an error when it is not one.
    std::optional<long> Integer(const std::string& name, long low, long high);

private:
    void Fail(std::string error);

    std::vector<std::pair<std::string, std::string>> m_options;
    std::vector<std::string> m_positional;
    std::string m_error;
    bool m_help = false;
};

}  // namespace kestrion
