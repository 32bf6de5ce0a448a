#pragma once
// Reads a recorded text file the way its playback does: one line at a time, with its newline,
// at most 2046 characters per piece (a longer line arrives in pieces); comment lines (";" first)
// and lines starting with NUL are skipped. A line longer than kMaxTextLine ends the reading.
#include <cstdio>
#include <string>
#include <string_view>

namespace kestrion {

// Longer than any line a text file of the program holds: readers refuse a longer one rather
// than fill memory with it, or read a file without line ends forever.
constexpr size_t kMaxTextLine = 64 * 1024;

class CTextLineReader {
public:
    static constexpr size_t kMaxPiece = 2046;

    explicit CTextLineReader(std::FILE* file) : m_file(file) {}

    // The next data line; false at the end of the file, at a read error or a line too long.
    bool Next(std::string& line);

    // The next piece, comment lines included; false at the end of the file, at a read error or
    // a line too long. Text after a NUL is dropped. The view is valid until the next read.
    bool NextPiece(std::string_view& piece);
    // False for a comment line and for a line starting with NUL.
    static bool IsData(std::string_view piece) { return !piece.empty() && piece.front() != ';'; }

    // The number of the line of the last piece, or of the line too long, from 1.
    size_t LineNumber() const { return m_lineNumber; }
    // True once a line longer than kMaxTextLine (line end excluded) stopped the reading.
    bool TooLong() const { return m_tooLong; }

private:
    std::FILE* m_file;
    size_t m_lineNumber = 0;
    size_t m_lineLength = 0;  // characters of the current line so far
    bool m_lineStart = true;  // the next piece starts a line
    bool m_tooLong = false;
    char m_buffer[kMaxPiece] = {};
};

}  // namespace kestrion
