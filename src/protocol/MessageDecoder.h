#pragma once
// Turns binary payloads and NMEA sentences into message records, as the message table says,
// and reports what each implies beyond its record.
#include <cstddef>
#include <cstdint>
#include <span>

#include "protocol/MessageRecord.h"
#include "protocol/MessageTable.h"
#include "protocol/ProtocolHost.h"
#include "protocol/ProtocolState.h"
#include "protocol/RecordImplications.h"

namespace kestrion {

class CMessageDecoder {
public:
    CMessageDecoder(ProtocolState& state, IProtocolHost& host) : m_state(state), m_host(host) {}

    // Decodes one payload (MID first). Bytes past its end read as 0. The link is the owning
    // serial source (its polls and pause), or null for playback.
    RecordImplications Decode(CMessageRecord& record, std::span<const uint8_t> payload, IReceiverLink* link);

    // A sentence from "$" through CR LF becomes a text record without its CR LF.
    RecordImplications MakeTextRecord(CMessageRecord& record, std::span<const uint8_t> sentence);

    // The 50 ms poll-answer tick: counts down the link's polls and hands on answers.
    static void TickPollAnswers(CMessageRecord& record, IReceiverLink& link);

    ProtocolState& State() { return m_state; }
    IProtocolHost& Host() { return m_host; }

private:
    void DecodeFixed(const MessageKind& kind, CMessageRecord& record, const uint8_t* padded, IReceiverLink* link);
    RecordImplications Implications(const MessageKind& kind, const CMessageRecord& record);
    void StoreAlmanac(const CMessageRecord& record);
    void StoreEphemeris(const CMessageRecord& record);
    void StorePollAnswer(CMessageRecord& record, const uint8_t* padded, IReceiverLink* link);
    void ReportUnknown(std::span<const uint8_t> payload, IReceiverLink* link);

    ProtocolState& m_state;
    IProtocolHost& m_host;
};

}  // namespace kestrion
