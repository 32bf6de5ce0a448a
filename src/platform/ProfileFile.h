#pragma once
// One settings file as the program sees it: parsed once, and parsed again only when the file
// on disk changed (another inode, size or modification time), so a hand edit made while the
// program runs is still seen. Edits not yet saved stay laid over it: after a failed save the
// program goes on with the values it was given.
#include <sys/types.h>

#include <ctime>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/IniText.h"

namespace kestrion {

class CProfileFile {
public:
    using FailureReport = std::function<void(const std::string& message)>;

    explicit CProfileFile(std::filesystem::path path) : m_path(std::move(path)) {}

    const std::filesystem::path& Path() const { return m_path; }

    std::optional<std::string> Find(std::string_view section, std::string_view key);
    // Saved at once, unless a save is open: then with the save's last edit.
    bool Set(std::string_view section, std::string_view key, std::string_view value);

    void OpenSave();
    bool CloseSave();

    // Why the file could not be read, or empty when it was read or does not exist.
    std::string ReadError();
    void SetFailureReport(FailureReport report);

private:
    struct CStamp {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = -1;
        timespec modified{};
        bool operator==(const CStamp& other) const;
    };
    struct CEdit {
        std::string section, key, value;
    };

    static CStamp StampOf(const std::filesystem::path& path);
    CIniText& Current();
    // The reason of a failed save, or empty.
    std::string Save();
    bool Report(const std::string& failure);

    std::mutex m_mutex;
    const std::filesystem::path m_path;
    std::optional<CIniText> m_text;
    CStamp m_stamp;
    int m_readError = 0;
    std::vector<CEdit> m_unsaved;
    int m_openSaves = 0;
    FailureReport m_report;
};

}  // namespace kestrion
