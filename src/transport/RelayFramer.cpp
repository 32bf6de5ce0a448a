#include "transport/RelayFramer.h"

#include "protocol/FrameBytes.h"

namespace kestrion {

CRelayFramer::CRelayFramer(IRawWriter& target) : m_target(target) {}

void CRelayFramer::Reset() { m_state = State::Idle; }

void CRelayFramer::Accept(const uint8_t* bytes, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        Step(bytes[i]);
    }
}

CRelayFramer::State CRelayFramer::AfterPayloadByte() const
{
    return m_length == kHeaderSize + m_payloadLength ? State::ChecksumHigh : State::Payload;
}

void CRelayFramer::Step(uint8_t byte)
{
    switch (m_state) {
    case State::Idle:
        if (byte == frame::kStart1) {
            m_length = 0;
            Store(byte);
            m_state = State::Start2;
        }
        break;
    case State::Start2:
        if (byte == frame::kStart2) {
            Store(byte);
            m_state = State::LengthHigh;
        } else {
            m_state = State::Idle;
        }
        break;
    case State::LengthHigh:
        Store(byte);
        m_state = State::LengthLow;
        break;
    case State::LengthLow:
        m_payloadLength = static_cast<size_t>(m_frame[2]) << 8 | byte;
        Store(byte);
        m_state = m_payloadLength > kMaxPayload ? State::Idle : AfterPayloadByte();
        break;
    case State::Payload:
        Store(byte);
        m_state = AfterPayloadByte();
        break;
    case State::ChecksumHigh:
        Store(byte);
        m_state = State::ChecksumLow;
        break;
    case State::ChecksumLow:
        Store(byte);
        m_state = State::End1;
        break;
    case State::End1:
        if (byte == frame::kEnd1) {
            Store(byte);
            m_state = State::End2;
        } else {
            m_state = State::Idle;
        }
        break;
    case State::End2:
        m_state = State::Idle;
        if (byte == frame::kEnd2) {
            Store(byte);
            m_target.RawWrite(m_frame.data(), m_length);
        }
        break;
    }
}

}  // namespace kestrion
