#include "transport/UploadFile.h"

#include <algorithm>
#include <charconv>

#include "protocol/CommandPayload.h"

namespace kestrion {

namespace {

constexpr std::string_view kSeparators = " ,";

bool ParseWord(std::string_view token, uint16_t& word)
{
    long value = 0;
    const char* end = token.data() + token.size();
    const auto [stop, error] = std::from_chars(token.data() + (token.front() == '+' ? 1 : 0), end, value);
    if (error != std::errc{} || stop != end || value < -32768 || value > 65535) {
        return false;
    }
    word = static_cast<uint16_t>(value);
    return true;
}

}  // namespace

CUploadFileReader::CUploadFileReader(const std::string& path)
    : m_file(std::fopen(path.c_str(), "r"), &std::fclose)
{
    std::string line;
    m_good = m_file != nullptr;
    for (int i = 0; i < kHeaderLines && m_good; ++i) {
        m_good = ReadLine(line) != Line::End;  // header text of any length
    }
}

bool CUploadFileReader::Next(std::span<uint16_t> words)
{
    std::string line;
    m_good = m_good && ReadLine(line) == Line::Read && ParseWords(line, words);
    return m_good;
}

// The line without its line end. An over-long line is read to its end, so that its rest is
// not taken for the next line, but not kept.
CUploadFileReader::Line CUploadFileReader::ReadLine(std::string& line)
{
    line.clear();
    size_t length = 0;
    int c = 0;
    while ((c = std::fgetc(m_file.get())) != EOF && c != '\n') {
        if (++length < kLineLimit) {
            line += static_cast<char>(c);
        }
    }
    if (c == EOF && length == 0) {
        return Line::End;
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
        --length;
    }
    // The line, its line end and the terminator fit in the limit.
    return length + 2 <= kLineLimit ? Line::Read : Line::TooLong;
}

bool ParseWords(std::string_view line, std::span<uint16_t> words)
{
    size_t at = 0;
    for (uint16_t& word : words) {
        at = line.find_first_not_of(kSeparators, at);
        if (at == std::string_view::npos) {
            return false;
        }
        const size_t end = std::min(line.find_first_of(kSeparators, at), line.size());
        if (!ParseWord(line.substr(at, end - at), word)) {
            return false;
        }
        at = end;
    }
    return true;
}

std::vector<uint8_t> WordsPayload(uint8_t mid, std::span<const uint16_t> words)
{
    CPayload payload(mid);
    for (const uint16_t word : words) {
        payload.U16(word);
    }
    return payload.Bytes();
}

}  // namespace kestrion
