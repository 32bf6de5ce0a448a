#pragma once
// Turns binary payloads and NMEA sentences into message records, with their side effects.
#include <cstddef>
#include <cstdint>
#include <span>

#include "protocol/MessageRecord.h"
#include "protocol/ProtocolHost.h"
#include "protocol/ProtocolState.h"

namespace kestrion {

class CMessageDecoder {
public:
    CMessageDecoder(ProtocolState& state, IProtocolHost& host) : m_state(state), m_host(host) {}

    // Decodes one payload (MID first). Bytes past its end read as 0. The link is the owning
    // serial source, or null for playback.
    void Decode(CMessageRecord& record, std::span<const uint8_t> payload, IReceiverLink* link);

    // A sentence from "$" through CR LF becomes a text record without its CR LF.
    void MakeTextRecord(CMessageRecord& record, std::span<const uint8_t> sentence);

    // The 50 ms poll-answer tick: counts down the link's polls and hands on answers.
    static void TickPollAnswers(CMessageRecord& record, IReceiverLink& link);

    ProtocolState& State() { return m_state; }
    IProtocolHost& Host() { return m_host; }

private:
    void DecodeFixed(CMessageRecord& record, const uint8_t* padded, IReceiverLink* link);
    void DecodeVariable(CMessageRecord& record, const uint8_t* p, size_t n);
    void StoreAlmanac(const CMessageRecord& record);
    void StoreEphemeris(const CMessageRecord& record);
    void StorePollAnswer(CMessageRecord& record, const uint8_t* padded, IReceiverLink* link);
    void ReportUnknown(std::span<const uint8_t> payload, IReceiverLink* link);

    ProtocolState& m_state;
    IProtocolHost& m_host;
};

}  // namespace kestrion
