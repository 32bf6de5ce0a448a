#pragma once
// Picks whole receiver frames out of the dead-reckoning device's bytes and writes each one,
// unchanged, to the receiver's port. The checksum is left to the receiver.
#include <array>
#include <cstddef>
#include <cstdint>

#include "transport/RawWriter.h"

namespace kestrion {

class CRelayFramer {
public:
    // Frames with more payload bytes than this are dropped.
    static constexpr size_t kMaxPayload = 99;

    explicit CRelayFramer(IRawWriter& target);

    // Drops the frame in assembly, if any.
    void Reset();
    // Takes the bytes in order; a frame may span any number of calls.
    void Accept(const uint8_t* bytes, size_t count);

private:
    enum class State { Idle, Start2, LengthHigh, LengthLow, Payload, ChecksumHigh, ChecksumLow, End1, End2 };

    // Start bytes and length, then payload, then checksum and end bytes.
    static constexpr size_t kHeaderSize = 4;
    static constexpr size_t kTrailerSize = 4;

    void Step(uint8_t byte);
    void Store(uint8_t byte) { m_frame[m_length++] = byte; }
    // Payload until its last byte is stored, then the checksum.
    State AfterPayloadByte() const;

    IRawWriter& m_target;
    State m_state = State::Idle;
    std::array<uint8_t, kHeaderSize + kMaxPayload + kTrailerSize> m_frame{};
    size_t m_length = 0;
    size_t m_payloadLength = 0;
};

}  // namespace kestrion
