#pragma once
// An existing file written at its end through a buffer, held with an exclusive lock so that
// no second writer (another console) appends to it at the same time. It never creates or
// truncates the file.
#include <cstddef>
#include <string>
#include <string_view>

namespace kestrion {

class CAppendFile {
public:
    static constexpr size_t kBufferSize = 64 * 1024;

    CAppendFile();
    ~CAppendFile();  // flushes and closes, errors ignored
    CAppendFile(const CAppendFile&) = delete;
    CAppendFile& operator=(const CAppendFile&) = delete;

    // False when the file is missing, cannot be opened for writing or is locked by another
    // writer. The file must be closed.
    bool Open(const std::string& path);
    bool IsOpen() const { return m_fd >= 0; }

    // Each returns false on a write error, with Error() telling why; the buffered text is
    // then dropped.
    bool Write(std::string_view text);
    bool Flush();
    // Flushes and closes; the file is closed even when this fails. No-op when closed.
    bool Close();

    int Error() const { return m_error; }  // errno of the last failure

private:
    bool WriteNow(std::string_view bytes);

    int m_fd = -1;
    int m_error = 0;
    std::string m_buffer;
};

}  // namespace kestrion
