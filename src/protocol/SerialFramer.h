#pragma once
// Cuts the serial receive stream into binary frames and NMEA sentences, reports stream
// faults once a good message has been seen, and delivers each good message to the feed.
#include <array>
#include <cstddef>
#include <cstdint>

#include "protocol/FaultText.h"
#include "protocol/FrameSink.h"
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

    // Good messages go to the sink; chunk notices and fault texts to the host.
    CSerialFramer(IFrameSink& sink, IProtocolHost& host);

    // Frames a chunk; the state carries over to the next call. Returns count (0 for null).
    size_t Accept(const uint8_t* bytes, size_t count);

    // Back to Idle with no message seen: the source has (re)opened its port.
    void Reset();

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

    IFrameSink& m_sink;
    IProtocolHost& m_host;
    CFaultText m_fault;

    State m_state = State::Idle;
    bool m_seen = false;
    int m_length = 0;
    int m_index = 0;
    uint16_t m_checksum = 0;
    std::array<uint8_t, kBufferSize> m_buffer{};
};

}  // namespace kestrion
