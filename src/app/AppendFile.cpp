#include "app/AppendFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace kestrion {

CAppendFile::CAppendFile()
{
    m_buffer.reserve(kBufferSize);
}

CAppendFile::~CAppendFile()
{
    Close();
}

bool CAppendFile::Open(const std::string& path)
{
    // No O_CREAT: a missing file is an error, not a new empty log.
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        m_error = errno;
        return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        m_error = errno;
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_error = 0;
    m_buffer.clear();
    return true;
}

bool CAppendFile::Write(std::string_view text)
{
    if (m_fd < 0) {
        m_error = EBADF;
        return false;
    }
    if (m_buffer.size() + text.size() > kBufferSize && !Flush()) {
        return false;
    }
    if (text.size() >= kBufferSize) {
        return WriteNow(text);
    }
    m_buffer.append(text);
    return true;
}

bool CAppendFile::Flush()
{
    if (m_fd < 0) {
        return true;
    }
    const bool written = WriteNow(m_buffer);
    m_buffer.clear();
    return written;
}

bool CAppendFile::WriteNow(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(m_fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            m_error = written < 0 ? errno : EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

bool CAppendFile::Close()
{
    if (m_fd < 0) {
        return true;
    }
    bool closed = Flush();
    // Closing the descriptor also releases the lock.
    if (::close(m_fd) != 0 && closed) {
        m_error = errno;
        closed = false;
    }
    m_fd = -1;
    return closed;
}

}  // namespace kestrion
