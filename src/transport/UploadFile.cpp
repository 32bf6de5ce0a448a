#include "transport/UploadFile.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>

#include "protocol/CommandPayload.h"
#include "protocol/TextLineReader.h"

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
    if (m_file == nullptr) {
        Fail(std::strerror(errno));
        return;
    }
    std::string line;
    m_good = true;
    for (int i = 0; i < kHeaderLines && m_good; ++i) {
        // Header text of any reasonable length.
        switch (ReadLine(line)) {
        case Line::End: FailAtLine("missing"); break;
        case Line::Endless: FailAtLine("line too long"); break;
        case Line::Read:
        case Line::TooLong: break;
        }
    }
}

bool CUploadFileReader::Next(std::span<uint16_t> words)
{
    if (!m_good) {
        return false;
    }
    std::string line;
    switch (ReadLine(line)) {
    case Line::End: return FailAtLine("missing");
    case Line::TooLong:
    case Line::Endless: return FailAtLine("line too long");
    case Line::Read: break;
    }
    if (!ParseWords(line, words)) {
        return FailAtLine(("does not start with " + std::to_string(words.size()) + " 16-bit numbers").c_str());
    }
    return true;
}

bool CUploadFileReader::Fail(std::string problem)
{
    m_good = false;
    m_problem = std::move(problem);
    return false;
}

// A read error is the file's fault, not the line's.
bool CUploadFileReader::FailAtLine(const char* fault)
{
    if (m_file != nullptr && std::ferror(m_file.get())) {
        return Fail(std::strerror(errno != 0 ? errno : EIO));
    }
    return Fail("line " + std::to_string(m_lines) + ": " + fault);
}

// The line without its line end. An over-long line is read to its end, so that its rest is
// not taken for the next line, but not kept.
CUploadFileReader::Line CUploadFileReader::ReadLine(std::string& line)
{
    line.clear();
    ++m_lines;
    errno = 0;
    size_t length = 0;
    int c = 0;
    while ((c = std::fgetc(m_file.get())) != EOF && c != '\n') {
        if (++length < kLineLimit) {
            line += static_cast<char>(c);
        } else if (length > kMaxTextLine) {
            return Line::Endless;
        }
    }
    // A read error ends the file wherever it struck; FailAtLine names it.
    if (c == EOF && (length == 0 || std::ferror(m_file.get()))) {
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
