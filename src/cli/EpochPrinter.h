#pragma once
// Prints each epoch a receiver state closes as one JSON line: fed records one by one, as a
// record sink (a decoded stream) or as a document view (a run).
#include <cstdio>

#include "app/DocumentView.h"
#include "epoch/ReceiverState.h"
#include "protocol/ProtocolHost.h"

namespace kestrion::cli {

class CEpochPrinter : public IRecordSink, public IDocumentView {
public:
    explicit CEpochPrinter(std::FILE* out) : m_out(out) {}

    // A record; null ends the stream (the open NMEA epoch is closed).
    int AcceptRecord(const CMessageRecord* record) override;
    // Records of the run; a new data source starts afresh.
    void OnUpdate(UpdateHint hint, const CMessageRecord* record) override;
    // The stream's end: closes what is still open.
    void Finish();

    long Printed() const { return m_printed; }
    const CReceiverState& State() const { return m_state; }

private:
    void Print(const ReceiverEpoch* epoch);

    std::FILE* m_out;
    CReceiverState m_state;
    long m_printed = 0;
};

}  // namespace kestrion::cli
