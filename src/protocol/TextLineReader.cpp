#include "protocol/TextLineReader.h"

#include <cstring>

namespace kestrion {

bool CTextLineReader::Next(std::string& line)
{
    while (std::fgets(m_buffer, sizeof m_buffer, m_file) != nullptr) {
        if (m_buffer[0] != ';' && m_buffer[0] != '\0') {
            line.assign(m_buffer, std::strlen(m_buffer));
            return true;
        }
    }
    return false;
}

}  // namespace kestrion
