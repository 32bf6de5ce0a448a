#include "platform/ProfileFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "platform/FileText.h"

namespace kestrion {

bool CProfileFile::CStamp::operator==(const CStamp& other) const
{
    return device == other.device && inode == other.inode && size == other.size &&
           modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec;
}

CProfileFile::CStamp CProfileFile::StampOf(const std::filesystem::path& path)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return {};
    }
    return {status.st_dev, status.st_ino, status.st_size, status.st_mtim};
}

CIniText& CProfileFile::Current()
{
    const CStamp stamp = StampOf(m_path);
    if (m_text && stamp == m_stamp) {
        return *m_text;
    }
    FileContents contents = ReadFileContents(m_path);
    m_readError = contents.error == ENOENT ? 0 : contents.error;
    m_text.emplace(contents.text.value_or(""));
    m_stamp = stamp;
    for (const CEdit& edit : m_unsaved) {
        m_text->Set(edit.section, edit.key, edit.value);
    }
    return *m_text;
}

std::optional<std::string> CProfileFile::Find(std::string_view section, std::string_view key)
{
    const std::lock_guard lock(m_mutex);
    return Current().Find(section, key);
}

bool CProfileFile::Set(std::string_view section, std::string_view key, std::string_view value)
{
    std::string failure;
    {
        const std::lock_guard lock(m_mutex);
        Current().Set(section, key, value);
        m_unsaved.push_back({std::string(section), std::string(key), std::string(value)});
        if (m_openSaves > 0) {
            return true;
        }
        failure = Save();
    }
    return Report(failure);
}

void CProfileFile::OpenSave()
{
    const std::lock_guard lock(m_mutex);
    ++m_openSaves;
}

bool CProfileFile::CloseSave()
{
    std::string failure;
    {
        const std::lock_guard lock(m_mutex);
        if (--m_openSaves > 0 || m_unsaved.empty()) {
            return true;
        }
        failure = Save();
    }
    return Report(failure);
}

std::string CProfileFile::Save()
{
    // Hand edits made since the last read are kept: the edits go over the file as it is now.
    const CIniText& text = Current();
    int error = m_readError;
    if (error == 0) {
        // The per-user folder may not exist yet.
        std::error_code created;
        std::filesystem::create_directories(m_path.parent_path(), created);
        const std::optional<ReplaceFailure> failure = ReplaceFileText(m_path, text.Text());
        error = failure ? failure->error : 0;
    }
    if (error != 0) {
        return "Cannot save the settings file " + m_path.string() + ": " + std::strerror(error);
    }
    m_unsaved.clear();
    m_stamp = StampOf(m_path);
    return {};
}

bool CProfileFile::Report(const std::string& failure)
{
    if (failure.empty()) {
        return true;
    }
    // Outside the lock: the report may show a box whose event loop reads settings.
    FailureReport report;
    {
        const std::lock_guard lock(m_mutex);
        report = m_report;
    }
    if (report) {
        report(failure);
    }
    return false;
}

std::string CProfileFile::ReadError()
{
    const std::lock_guard lock(m_mutex);
    Current();
    return m_readError != 0 ? std::strerror(m_readError) : "";
}

void CProfileFile::SetFailureReport(FailureReport report)
{
    const std::lock_guard lock(m_mutex);
    m_report = std::move(report);
}

}  // namespace kestrion
