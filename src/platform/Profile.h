#pragma once
// An INI file read and written key by key, with the semantics of the private profile
// functions: sections and keys match case-insensitively, a missing key gives the caller's
// default, and a write replaces only its key, keeping the rest of the file (comments and
// unknown keys too). Copies share one parsed file. A write replaces the file atomically at
// once, unless a CProfileSave is open: then the save's writes go to the file together.
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "platform/ProfileFile.h"

namespace kestrion {

class CProfile {
public:
    explicit CProfile(std::filesystem::path path) : m_file(std::make_shared<CProfileFile>(std::move(path))) {}

    const std::filesystem::path& Path() const { return m_file->Path(); }

    // The decimal integer at the start of the value (0 when it has none), or the default
    // when the key is missing.
    int GetInt(std::string_view section, std::string_view key, int defaultValue) const;
    std::string GetString(std::string_view section, std::string_view key, std::string_view defaultValue) const;

    // False when the file could not be written (reported as well); the old file is then left
    // as it was. True within a save.
    bool WriteString(std::string_view section, std::string_view key, std::string_view value) const;
    bool WriteInt(std::string_view section, std::string_view key, int value) const;

    // Why the file cannot be read ("Is a directory"), or empty. Reads then give the defaults
    // and saves fail rather than replace the file.
    std::string ReadError() const { return m_file->ReadError(); }
    // Receives "Cannot save the settings file <path>: <reason>" for every failed save.
    void SetFailureReport(CProfileFile::FailureReport report) const { m_file->SetFailureReport(std::move(report)); }

private:
    friend class CProfileSave;
    std::shared_ptr<CProfileFile> m_file;
};

// Gathers the writes made while it lives into one replacement of the file. Saves nest: the
// outermost one writes.
class CProfileSave {
public:
    explicit CProfileSave(const CProfile& profile) : m_file(profile.m_file) { m_file->OpenSave(); }
    ~CProfileSave() { m_file->CloseSave(); }
    CProfileSave(const CProfileSave&) = delete;
    CProfileSave& operator=(const CProfileSave&) = delete;

private:
    std::shared_ptr<CProfileFile> m_file;
};

// Why a settings file the user named cannot be used (missing or unreadable), or empty.
std::string UnusableReason(const CProfile& profile);

// The settings file of a program: "<name>.ini" beside the executable when it exists,
// otherwise "<name>.ini" in the per-user folder ($XDG_CONFIG_HOME or ~/.config, then <name>/).
std::filesystem::path FindProfilePath(const std::filesystem::path& executable);

}  // namespace kestrion
