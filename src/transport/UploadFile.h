#pragma once
// The almanac and ephemeris text files as the uploads read them: five header lines, then one
// line per satellite of 16-bit words written as decimal numbers separated by spaces or commas
// (signed words as negative numbers).
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kestrion {

class CUploadFileReader {
public:
    static constexpr int kHeaderLines = 5;
    static constexpr size_t kLineLimit = 896;  // characters per line, line end and terminator included

    // Opens the file and skips its header.
    explicit CUploadFileReader(const std::string& path);

    // The first words.size() words of the next line; false on a format error: no file, a
    // short header, a missing or over-long line, too few words or a word that is not a
    // 16-bit decimal number. Once false, always false.
    bool Next(std::span<uint16_t> words);

    // What stopped the reading: the reason the file could not be read, or the line and its
    // fault ("line 9: does not start with 14 16-bit numbers").
    const std::string& Problem() const { return m_problem; }

private:
    // Endless: no line end within kMaxTextLine characters, reading stops there. End: the end
    // of the file, or a read error.
    enum class Line { Read, TooLong, Endless, End };
    Line ReadLine(std::string& line);
    bool Fail(std::string problem);
    bool FailAtLine(const char* fault);

    std::unique_ptr<std::FILE, int (*)(std::FILE*)> m_file;
    bool m_good = false;
    int m_lines = 0;  // lines read so far
    std::string m_problem;
};

// The first words.size() words of a line; false when it has fewer or one is not a number
// from -32768 to 65535. A negative number gives its two's complement.
bool ParseWords(std::string_view line, std::span<uint16_t> words);

// The MID followed by the words, big-endian.
std::vector<uint8_t> WordsPayload(uint8_t mid, std::span<const uint16_t> words);

}  // namespace kestrion
