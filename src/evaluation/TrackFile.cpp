#include "evaluation/TrackFile.h"

#include <cerrno>
#include <charconv>
#include <cstring>

namespace kestrion {
namespace {

constexpr size_t kBlockSize = 1 << 16;

}  // namespace

CTrackFile::~CTrackFile()
{
    if (m_file != nullptr) {
        std::fclose(m_file);
    }
}

bool CTrackFile::Open(const std::string& path)
{
    m_path = path;
    m_problem.clear();
    m_error = 0;
    m_file = std::fopen(path.c_str(), "w");
    if (m_file == nullptr) {
        m_problem = "Cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    m_buffer.reserve(kBlockSize + 256);
    return true;
}

CTrackFile& CTrackFile::Text(std::string_view text)
{
    m_buffer += text;
    if (m_buffer.size() >= kBlockSize) {
        Flush();
    }
    return *this;
}

CTrackFile& CTrackFile::Fixed(double value, int decimals)
{
    char digits[64];
    const auto result = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, decimals);
    return Text({digits, result.ptr});
}

CTrackFile& CTrackFile::Integer(int64_t value)
{
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    return Text({digits, result.ptr});
}

CTrackFile& CTrackFile::XmlEscaped(std::string_view text)
{
    for (const char c : text) {
        switch (c) {
        case '&': Text("&amp;"); break;
        case '<': Text("&lt;"); break;
        case '>': Text("&gt;"); break;
        case '"': Text("&quot;"); break;
        case '\'': Text("&apos;"); break;
        default:
            // Control characters have no place in XML 1.0, not even as references.
            m_buffer += static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' ? '?' : c;
        }
    }
    return Text({});
}

void CTrackFile::Flush()
{
    if (m_file != nullptr && m_error == 0 && !m_buffer.empty() &&
        std::fwrite(m_buffer.data(), 1, m_buffer.size(), m_file) != m_buffer.size()) {
        m_error = errno != 0 ? errno : EIO;
    }
    m_buffer.clear();
}

bool CTrackFile::Close()
{
    if (m_file == nullptr) {
        return m_problem.empty();
    }
    Flush();
    if (std::fclose(m_file) != 0 && m_error == 0) {
        m_error = errno != 0 ? errno : EIO;
    }
    m_file = nullptr;
    if (m_error != 0) {
        m_problem = "Cannot write " + m_path + ": " + std::strerror(m_error);
        return false;
    }
    return true;
}

}  // namespace kestrion
