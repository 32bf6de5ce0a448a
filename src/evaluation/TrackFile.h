#pragma once
// A text file written in large blocks, with numbers formatted without the locale.
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

namespace kestrion {

class CTrackFile {
public:
    CTrackFile() = default;
    ~CTrackFile();
    CTrackFile(const CTrackFile&) = delete;
    CTrackFile& operator=(const CTrackFile&) = delete;

    // False, with "Cannot write <path>: <reason>" in Problem(), when the file cannot be made.
    bool Open(const std::string& path);

    CTrackFile& Text(std::string_view text);
    CTrackFile& Fixed(double value, int decimals);
    CTrackFile& Integer(int64_t value);
    // The text with &, <, >, " and ' written as XML entities, other control characters than
    // tab and line feed as "?".
    CTrackFile& XmlEscaped(std::string_view text);

    // Writes the rest and closes; false, with the reason in Problem(), when any write failed.
    bool Close();
    const std::string& Problem() const { return m_problem; }

private:
    void Flush();

    std::FILE* m_file = nullptr;
    std::string m_path;
    std::string m_buffer;
    std::string m_problem;
    int m_error = 0;  // errno of the first failed write
};

// Opens the file, lets `body` write it and closes it; false with the problem when any of
// that failed, or when `body` gave one (a text it may return).
template <typename Body>
bool WriteTextFile(const std::string& path, std::string& problem, Body&& body)
{
    CTrackFile out;
    if (out.Open(path)) {
        std::string failure;
        if constexpr (std::is_void_v<std::invoke_result_t<Body, CTrackFile&>>) {
            body(out);
        } else {
            failure = body(out);
        }
        if (out.Close() && failure.empty()) {
            return true;
        }
        if (!failure.empty()) {
            problem = std::move(failure);
            return false;
        }
    }
    problem = out.Problem();
    return false;
}

}  // namespace kestrion
