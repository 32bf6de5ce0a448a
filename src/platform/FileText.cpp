#include "platform/FileText.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>

namespace kestrion {
namespace {

bool WriteAll(int fd, std::string_view text)
{
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        text.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// Writes and syncs a new file; it takes the mode of the file it will replace, if any.
bool WriteSynced(const std::filesystem::path& path, std::string_view text, const std::filesystem::path& original)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        return false;
    }
    struct stat status {};
    bool ok = ::stat(original.c_str(), &status) != 0 || ::fchmod(fd, status.st_mode & 07777) == 0;
    ok = ok && WriteAll(fd, text) && ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
}

// Makes the rename itself durable.
void SyncDirectory(const std::filesystem::path& directory)
{
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

std::optional<std::string> ReadFileText(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool ReplaceFileText(const std::filesystem::path& path, std::string_view text)
{
    const std::filesystem::path directory = path.has_parent_path() ? path.parent_path() : ".";
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    if (error) {
        return false;
    }
    std::filesystem::path temporary = path;
    temporary += ".tmp-" + std::to_string(::getpid());
    if (!WriteSynced(temporary, text, path) || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    SyncDirectory(directory);
    return true;
}

}  // namespace kestrion
