#include "platform/Profile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <optional>

#include "platform/DecimalValue.h"

namespace kestrion {
namespace {

// An environment variable that names an absolute directory, or an empty path.
std::filesystem::path DirectoryFromEnvironment(const char* name)
{
    const char* value = std::getenv(name);
    const std::filesystem::path directory = value ? value : "";
    return directory.is_absolute() ? directory : std::filesystem::path();
}

}  // namespace

int CProfile::GetInt(std::string_view section, std::string_view key, int defaultValue) const
{
    const std::optional<std::string> value = m_file->Find(section, key);
    if (!value || value->empty()) {
        return defaultValue;
    }
    const long number = DecimalValue(*value);
    return static_cast<int>(std::clamp<long>(number, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

std::string CProfile::GetString(std::string_view section, std::string_view key, std::string_view defaultValue) const
{
    return m_file->Find(section, key).value_or(std::string(defaultValue));
}

bool CProfile::WriteString(std::string_view section, std::string_view key, std::string_view value) const
{
    return m_file->Set(section, key, value);
}

bool CProfile::WriteInt(std::string_view section, std::string_view key, int value) const
{
    return WriteString(section, key, std::to_string(value));
}

std::string UnusableReason(const CProfile& profile)
{
    std::string reason = profile.ReadError();
    if (std::error_code error; reason.empty() && !std::filesystem::exists(profile.Path(), error)) {
        reason = std::strerror(error ? error.value() : ENOENT);
    }
    return reason;
}

std::filesystem::path FindProfilePath(const std::filesystem::path& executable)
{
    const std::filesystem::path name = executable.filename();
    std::filesystem::path fileName = name;
    fileName += ".ini";
    std::filesystem::path beside = executable;
    beside.replace_filename(fileName);
    if (std::ifstream(beside).is_open()) {
        return beside;
    }
    std::filesystem::path base = DirectoryFromEnvironment("XDG_CONFIG_HOME");
    if (base.empty()) {
        const std::filesystem::path home = DirectoryFromEnvironment("HOME");
        if (home.empty()) {
            return beside;
        }
        base = home / ".config";
    }
    return base / name / fileName;
}

}  // namespace kestrion
