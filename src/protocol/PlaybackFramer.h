#pragma once
// Frames recorded receive data: a binary machine for frames, and a text machine for NMEA
// sentences that takes the bytes the binary machine rejects. Only checksum failures are
// noted, and only in the log.
#include <array>
#include <cstddef>
#include <cstdint>

#include "protocol/FrameSink.h"
#include "protocol/ProtocolHost.h"

namespace kestrion {

class CPlaybackFramer {
public:
    static constexpr size_t kBufferSize = 256;
    static constexpr int kMaxPayload = 255;
    static constexpr int kMaxSentence = 254;  // "$" through LF

    enum class BinaryState : uint8_t {
        Idle,
        Start2,
        LengthHigh,
        LengthLow,
        Payload,
        ChecksumHigh,
        ChecksumLow,
        End1,
        End2,
    };
    enum class TextState : uint8_t { Idle, Sentence, SentenceCR };

    // Good messages go to the sink; chunk notices and the checksum line to the host.
    CPlaybackFramer(IFrameSink& sink, IProtocolHost& host);

    // Frames a chunk; the state carries over to the next call. False when there were no
    // bytes (end of data).
    bool Accept(const uint8_t* bytes, size_t count);

    BinaryState CurrentBinaryState() const { return m_binary; }
    TextState CurrentTextState() const { return m_text; }

private:
    void StepBinary(uint8_t byte);
    void StepText(uint8_t byte);
    void CheckFrame();
    void DeliverFrame();
    void DeliverSentence();

    IFrameSink& m_sink;
    IProtocolHost& m_host;

    BinaryState m_binary = BinaryState::Idle;
    TextState m_text = TextState::Idle;
    uint8_t m_lengthHigh = 0;
    int m_length = 0;
    int m_index = 0;  // bytes stored, for a payload or a sentence
    uint16_t m_checksum = 0;
    std::array<uint8_t, kBufferSize> m_buffer{};
};

}  // namespace kestrion
