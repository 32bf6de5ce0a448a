#pragma once
// Picks whole receiver frames (and, when asked, whole NMEA sentences) out of a byte stream
// and hands each one on unchanged: the dead-reckoning device's frames to the receiver's port,
// a sharing client's commands to the receiver. The checksum is left to the receiver.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "transport/RawWriter.h"

namespace kestrion {

class CRelayFramer {
public:
    // Frames with more payload bytes than this are dropped by the relay.
    static constexpr size_t kMaxPayload = 99;
    // "$" through LF.
    static constexpr size_t kMaxSentence = 254;

    struct Cut {
        size_t maxPayload = kMaxPayload;
        bool sentences = false;  // also "$...\r\n"
    };
    using UnitSink = std::function<void(std::span<const uint8_t>)>;

    // Frames of at most kMaxPayload payload bytes, each written to the target.
    explicit CRelayFramer(IRawWriter& target);
    CRelayFramer(Cut cut, UnitSink sink);

    // Drops the frame or sentence in assembly, if any.
    void Reset();
    // Takes the bytes in order; a unit may span any number of calls.
    void Accept(const uint8_t* bytes, size_t count);

private:
    enum class State {
        Idle, Start2, LengthHigh, LengthLow, Payload, ChecksumHigh, ChecksumLow, End1, End2, Sentence, SentenceCR
    };

    // Start bytes and length, then payload, then checksum and end bytes.
    static constexpr size_t kHeaderSize = 4;
    static constexpr size_t kTrailerSize = 4;

    void Step(uint8_t byte);
    void StepSentence(uint8_t byte);
    void Store(uint8_t byte) { m_unit.push_back(byte); }
    void Begin(uint8_t byte, State next);
    // Payload until its last byte is stored, then the checksum.
    State AfterPayloadByte() const;

    Cut m_cut;
    UnitSink m_sink;
    State m_state = State::Idle;
    std::vector<uint8_t> m_unit;
    size_t m_payloadLength = 0;
};

}  // namespace kestrion
