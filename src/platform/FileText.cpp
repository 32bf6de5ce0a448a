#include "platform/FileText.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace kestrion {
namespace {

namespace fs = std::filesystem;

constexpr int kMaxLinkHops = 40;  // as the kernel allows

class CFileDescriptor {
public:
    explicit CFileDescriptor(int fd) : m_fd(fd) {}
    ~CFileDescriptor()
    {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    CFileDescriptor(const CFileDescriptor&) = delete;
    CFileDescriptor& operator=(const CFileDescriptor&) = delete;
    int Get() const { return m_fd; }
    // The result of close(), which reports late write errors on some file systems.
    int Close() { return ::close(std::exchange(m_fd, -1)); }

private:
    int m_fd;
};

int WriteAll(int fd, std::string_view text)
{
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        text.remove_prefix(static_cast<size_t>(written));
    }
    return 0;
}

// The file a chain of symbolic links ends at (the path itself when it is no link).
fs::path FollowLinks(fs::path path)
{
    for (int hops = 0; hops < kMaxLinkHops; ++hops) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(path, error))) {
            break;
        }
        const fs::path target = fs::read_symlink(path, error);
        if (error) {
            break;
        }
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return path;
}

mode_t NewFileMode(const fs::path& path)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0) {
        return status.st_mode & 07777;
    }
    // No old file: the mode open() would give, read back from the process's umask.
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return 0666 & ~mask;
}

// Makes the rename itself durable.
void SyncDirectory(const fs::path& directory)
{
    const CFileDescriptor fd(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Get() >= 0) {
        ::fsync(fd.Get());
    }
}

// Writes, syncs and closes the new file; the error number or 0.
int FillTemporary(CFileDescriptor& fd, std::string_view text, mode_t mode)
{
    if (::fchmod(fd.Get(), mode) != 0) {
        return errno;
    }
    if (const int error = WriteAll(fd.Get(), text)) {
        return error;
    }
    if (::fsync(fd.Get()) != 0 || fd.Close() != 0) {
        return errno;
    }
    return 0;
}

std::optional<ReplaceFailure> WriteInPlace(const fs::path& path, std::string_view text)
{
    CFileDescriptor fd(::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOCTTY));
    if (fd.Get() < 0) {
        return ReplaceFailure{ReplaceFailure::Step::Create, errno};
    }
    int error = WriteAll(fd.Get(), text);
    if (error == 0 && fd.Close() != 0) {
        error = errno;
    }
    return error == 0 ? std::nullopt : std::optional<ReplaceFailure>({ReplaceFailure::Step::Write, error});
}

}  // namespace

FileContents ReadFileContents(const fs::path& path)
{
    CFileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY));
    if (fd.Get() < 0) {
        return {std::nullopt, errno};
    }
    std::string text;
    char buffer[65536];
    for (;;) {
        const ssize_t count = ::read(fd.Get(), buffer, sizeof buffer);
        if (count == 0) {
            return {std::move(text), 0};
        }
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return {std::nullopt, errno};
        }
        text.append(buffer, static_cast<size_t>(count));
    }
}

std::optional<std::string> ReadFileText(const fs::path& path)
{
    return ReadFileContents(path).text;
}

std::optional<ReplaceFailure> ReplaceFileText(const fs::path& path, std::string_view text)
{
    using Step = ReplaceFailure::Step;
    const fs::path target = FollowLinks(path);
    struct stat status {};
    if (::stat(target.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
        return S_ISDIR(status.st_mode) ? std::optional<ReplaceFailure>({Step::Create, EISDIR}) : WriteInPlace(target, text);
    }
    const fs::path directory = target.has_parent_path() ? target.parent_path() : fs::path(".");
    // mkostemp creates the name exclusively, so a link planted under it is never followed.
    std::string name = ".";
    name += target.filename().string();
    name += ".XXXXXX";
    std::string temporary = (directory / name).string();
    CFileDescriptor fd(::mkostemp(temporary.data(), O_CLOEXEC));
    if (fd.Get() < 0) {
        return ReplaceFailure{Step::Create, errno};
    }
    int error = FillTemporary(fd, text, NewFileMode(target));
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.c_str());
        return ReplaceFailure{Step::Write, error};
    }
    SyncDirectory(directory);
    return std::nullopt;
}

}  // namespace kestrion
