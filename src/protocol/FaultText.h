#pragma once
// Fault lines of the serial framer: shown in the error view, then logged with "\n".
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string_view>

#include "protocol/ProtocolHost.h"

namespace kestrion {

class CFaultText {
public:
    // A line never grows past this before it is reported.
    static constexpr size_t kDumpLineLimit = 100;

    explicit CFaultText(IProtocolHost& host) : m_host(host) {}

    // A printf-style line whose arguments are bytes.
    template <typename... Bytes>
    void Report(const char* format, Bytes... bytes)
    {
        Emit(std::snprintf(m_text, sizeof m_text - 2, format, static_cast<unsigned>(bytes)...));
    }

    // The title, then " %02X" per byte; whenever the text grows beyond the limit it is
    // reported and goes on without the title. The remainder is reported last.
    void ReportDump(std::string_view title, std::span<const uint8_t> bytes);

private:
    void Emit(int length);

    IProtocolHost& m_host;
    char m_text[128] = {};
};

}  // namespace kestrion
