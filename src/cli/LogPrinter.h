#pragma once
// Stands in for the log with every message type selected: rendered records and direct log
// lines go to one buffered output, in the order they occur.
#include <cstdio>
#include <string>

#include "protocol/ProtocolHost.h"
#include "protocol/QuietHost.h"
#include "protocol/ProtocolState.h"

namespace kestrion::cli {

// Fault texts and receiver texts reach the log through their own WriteLog lines.
class CLogPrinter : public CQuietHost, public IRecordSink {
public:
    CLogPrinter(const ProtocolState& state, std::FILE* out) : m_state(state), m_out(out) {}

    void WriteLog(std::string_view line) override { std::fwrite(line.data(), 1, line.size(), m_out); }

    int AcceptRecord(const CMessageRecord* record) override;

private:
    const ProtocolState& m_state;
    std::FILE* m_out;
    std::string m_line;
};

}  // namespace kestrion::cli
