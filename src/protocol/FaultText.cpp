#include "protocol/FaultText.h"

#include <algorithm>
#include <cstring>

#include "protocol/HexDigits.h"

namespace kestrion {

void CFaultText::ReportDump(std::string_view title, std::span<const uint8_t> bytes)
{
    size_t length = std::min(title.size(), kDumpLineLimit);
    std::memcpy(m_text, title.data(), length);
    for (const uint8_t byte : bytes) {
        m_text[length++] = ' ';
        m_text[length++] = kHexDigits[byte >> 4];
        m_text[length++] = kHexDigits[byte & 0x0F];
        if (length > kDumpLineLimit) {
            Emit(static_cast<int>(length));
            length = 0;
        }
    }
    if (length > 0) {
        Emit(static_cast<int>(length));
    }
}

void CFaultText::Emit(int length)
{
    if (length <= 0) {
        return;
    }
    const auto size = std::min(static_cast<size_t>(length), sizeof m_text - 3);
    m_host.PostFaultText({m_text, size});
    m_text[size] = '\n';
    m_host.WriteLog({m_text, size + 1});
}

}  // namespace kestrion
