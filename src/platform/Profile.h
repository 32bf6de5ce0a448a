#pragma once
// An INI file read and written key by key, with the semantics of the private profile
// functions: sections and keys match case-insensitively, a missing key gives the caller's
// default, and a write replaces only its key, keeping the rest of the file (comments and
// unknown keys too). Every call reads the file afresh; every write replaces the file
// atomically (a temporary file renamed over it).
#include <filesystem>
#include <string>
#include <string_view>

namespace kestrion {

class CProfile {
public:
    explicit CProfile(std::filesystem::path path) : m_path(std::move(path)) {}

    const std::filesystem::path& Path() const { return m_path; }

    // The decimal integer at the start of the value (0 when it has none), or the default
    // when the key is missing.
    int GetInt(std::string_view section, std::string_view key, int defaultValue) const;
    std::string GetString(std::string_view section, std::string_view key, std::string_view defaultValue) const;

    // False when the file could not be written; the old file is then left as it was.
    bool WriteString(std::string_view section, std::string_view key, std::string_view value) const;
    bool WriteInt(std::string_view section, std::string_view key, int value) const;

private:
    std::filesystem::path m_path;
};

// The settings file of a program: "<name>.ini" beside the executable when it exists,
// otherwise "<name>.ini" in the per-user folder ($XDG_CONFIG_HOME or ~/.config, then <name>/).
std::filesystem::path FindProfilePath(const std::filesystem::path& executable);

}  // namespace kestrion
