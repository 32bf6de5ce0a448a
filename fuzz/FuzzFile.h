#pragma once
// The fuzz input as a file, for readers that take a path: an anonymous in-memory file named
// through /proc/self/fd.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

class CFuzzFile {
public:
    CFuzzFile(const uint8_t* data, size_t size) : m_fd(::memfd_create("fuzz-input", MFD_CLOEXEC))
    {
        for (size_t written = 0; m_fd >= 0 && written < size;) {
            const ssize_t count = ::write(m_fd, data + written, size - written);
            if (count <= 0) {
                break;
            }
            written += static_cast<size_t>(count);
        }
    }
    ~CFuzzFile() { ::close(m_fd); }
    CFuzzFile(const CFuzzFile&) = delete;
    CFuzzFile& operator=(const CFuzzFile&) = delete;

    // Opening it starts reading at its first byte.
    std::string Path() const { return "/proc/self/fd/" + std::to_string(m_fd); }

private:
    int m_fd;
};
