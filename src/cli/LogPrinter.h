#pragma once
// Stands in for the log with every message type selected: rendered records and direct log
// lines go to one buffered output, in the order they occur.
#include <cstdio>
#include <string>

#include "protocol/ProtocolHost.h"
#include "protocol/ProtocolState.h"

namespace kestrion::cli {

class CLogPrinter : public IProtocolHost, public IRecordSink {
public:
    CLogPrinter(const ProtocolState& state, std::FILE* out) : m_state(state), m_out(out) {}

    void WriteLog(std::string_view line) override { std::fwrite(line.data(), 1, line.size(), m_out); }
    void PostFaultText(std::string_view) override {}      // the log line follows separately
    void PostReceiverText(std::string_view) override {}   // already in the log
    void SetDataReceived() override {}
    void DataActivity() override {}
    void AlmanacComplete() override {}
    void EphemerisComplete() override {}
    void EnterNmeaDisplayMode() override {}
    void LeaveNmeaDisplayMode() override {}
    void PollSoftwareVersion() override {}

    int AcceptRecord(const CMessageRecord* record) override;

private:
    const ProtocolState& m_state;
    std::FILE* m_out;
    std::string m_line;
};

}  // namespace kestrion::cli
