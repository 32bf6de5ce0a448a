#pragma once
// Cuts the serial receive stream into binary frames and NMEA sentences, reports stream
// faults once a good message has been seen, and delivers each good message to the feed.
#include <array>
#include <cstddef>
#include <cstdint>

#include "protocol/FaultText.h"
#include "protocol/MessageDecoder.h"
#include "protocol/MessageRecord.h"
#include "protocol/ProtocolHost.h"

namespace kestrion {

class CSerialFramer {
public:
    static constexpr size_t kBufferSize = 2048;
    static constexpr int kMaxPayload = 0x3F0;  // also the longest sentence body

    enum class State : uint8_t {
        Idle,
        Start2,
        LengthHigh,
        LengthLow,
        Payload,
        ChecksumHigh,
        ChecksumLow,
        End1,
        End2,
        AfterSentence,
        Sentence,
        SentenceCR,
    };

    // The record is the owning source's; the link is the serial source, or null.
    CSerialFramer(CMessageDecoder& decoder, CMessageRecord& record, IRecordSink& feed,
                  IReceiverLink* link);

    // Frames a chunk; the state carries over to the next call. Returns count (0 for null).
    size_t Accept(const uint8_t* bytes, size_t count);

    // The 50 ms poll-answer countdown, run before each chunk.
    void Tick();

    // Back to Idle with no message seen: the source has (re)opened its port.
    void Reset();

    State CurrentState() const { return m_state; }
    bool MessageSeen() const { return m_seen; }

private:
    void Step(uint8_t byte);
    void StepSentence(uint8_t byte);
    void StepSentenceCR(uint8_t byte);
    void FinishFrame();
    void DeliverFrame();
    void DeliverSentence();
    void Dump(const char* title);
    uint8_t Mid() const { return m_buffer[0]; }

    CMessageDecoder& m_decoder;
    CMessageRecord& m_record;
    IRecordSink& m_feed;
    IReceiverLink* m_link;
    CFaultText m_fault;

    State m_state = State::Idle;
    bool m_seen = false;
    int m_length = 0;
    int m_index = 0;
    uint16_t m_checksum = 0;
    std::array<uint8_t, kBufferSize> m_buffer{};
};

}  // namespace kestrion
