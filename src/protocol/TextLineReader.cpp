#include "protocol/TextLineReader.h"

#include <cstring>

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
    if (std::fgets(m_buffer, sizeof m_buffer, m_file) == nullptr) {
        return false;
    }
    // A line starting with NUL gives an empty piece.
    piece = std::string_view(m_buffer, std::strlen(m_buffer));
    return true;
}

}  // namespace kestrion
