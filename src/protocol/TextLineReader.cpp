#include "protocol/TextLineReader.h"

#include <algorithm>

namespace kestrion {

bool CTextLineReader::Next(std::string& line)
{
    std::string_view piece;
    while (NextPiece(piece)) {
        if (IsData(piece)) {
            line.assign(piece);
            return true;
        }
    }
    return false;
}

bool CTextLineReader::NextPiece(std::string_view& piece)
{
    if (m_tooLong) {
        return false;
    }
    size_t count = 0;
    int c = 0;
    while (count < kMaxPiece && (c = getc_unlocked(m_file)) != EOF) {
        m_buffer[count++] = static_cast<char>(c);
        if (c == '\n') {
            break;
        }
    }
    // As fgets: a read error loses the piece read so far.
    if (count == 0 || std::ferror(m_file)) {
        return false;
    }
    if (m_lineStart) {
        ++m_lineNumber;
        m_lineLength = 0;
    }
    m_lineStart = m_buffer[count - 1] == '\n';
    m_lineLength += count - (m_lineStart ? 1 : 0);
    if (m_lineLength > kMaxTextLine) {
        m_tooLong = true;
        return false;
    }
    // A line starting with NUL gives an empty piece.
    piece = std::string_view(m_buffer, static_cast<size_t>(std::find(m_buffer, m_buffer + count, '\0') - m_buffer));
    return true;
}

}  // namespace kestrion
