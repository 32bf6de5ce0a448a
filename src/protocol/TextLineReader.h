#pragma once
// Reads a recorded text file the way its playback does: one line at a time, with its newline,
// at most 2046 characters per piece (a longer line arrives in pieces); comment lines (";" first)
// and lines starting with NUL are skipped.
#include <cstdio>
#include <string>
#include <string_view>

namespace kestrion {

// Longer than any line a text file of the program holds: readers that keep whole lines refuse
// a longer one rather than fill memory with it.
constexpr size_t kMaxTextLine = 64 * 1024;

class CTextLineReader {
public:
    static constexpr size_t kMaxPiece = 2046;

    explicit CTextLineReader(std::FILE* file) : m_file(file) {}

    // The next data line; false at the end of the file.
    bool Next(std::string& line);

    // The next piece, comment lines included; false at the end of the file. The view is valid
    // until the next read.
    bool NextPiece(std::string_view& piece);
    // False for a comment line and for a line starting with NUL.
    static bool IsData(std::string_view piece) { return !piece.empty() && piece.front() != ';'; }

private:
    std::FILE* m_file;
    char m_buffer[kMaxPiece + 1] = {};
};

}  // namespace kestrion
