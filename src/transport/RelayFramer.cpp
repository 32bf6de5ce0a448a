#include "transport/RelayFramer.h"

#include <algorithm>

#include "protocol/FrameBytes.h"

namespace kestrion {

CRelayFramer::CRelayFramer(IRawWriter& target)
    : CRelayFramer(Cut{}, [&target](std::span<const uint8_t> unit) { target.RawWrite(unit.data(), unit.size()); })
{
}

CRelayFramer::CRelayFramer(Cut cut, UnitSink sink) : m_cut(cut), m_sink(std::move(sink))
{
    m_unit.reserve(std::max(kHeaderSize + cut.maxPayload + kTrailerSize, cut.sentences ? kMaxSentence : 0));
}

void CRelayFramer::Reset() { m_state = State::Idle; }

void CRelayFramer::Accept(const uint8_t* bytes, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        Step(bytes[i]);
    }
}

CRelayFramer::State CRelayFramer::AfterPayloadByte() const
{
    return m_unit.size() == kHeaderSize + m_payloadLength ? State::ChecksumHigh : State::Payload;
}

void CRelayFramer::Begin(uint8_t byte, State next)
{
    m_unit.clear();
    Store(byte);
    m_state = next;
}

void CRelayFramer::Step(uint8_t byte)
{
    switch (m_state) {
    case State::Idle:
        if (byte == frame::kStart1) {
            Begin(byte, State::Start2);
        } else if (byte == frame::kDollar && m_cut.sentences) {
            Begin(byte, State::Sentence);
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
        m_payloadLength = static_cast<size_t>(m_unit[2]) << 8 | byte;
        Store(byte);
        m_state = m_payloadLength > m_cut.maxPayload ? State::Idle : AfterPayloadByte();
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
            m_sink(m_unit);
        }
        break;
    case State::Sentence:
    case State::SentenceCR:
        StepSentence(byte);
        break;
    }
}

void CRelayFramer::StepSentence(uint8_t byte)
{
    if (m_state == State::SentenceCR && byte == frame::kLF) {
        Store(byte);
        m_state = State::Idle;
        m_sink(m_unit);
        return;
    }
    // Room is kept for the CR and LF.
    const size_t room = kMaxSentence - m_unit.size();
    if (m_state == State::Sentence && byte == frame::kCR && room >= 2) {
        Store(byte);
        m_state = State::SentenceCR;
        return;
    }
    if (m_state == State::Sentence && frame::IsPrintable(byte) && byte != frame::kDollar && room >= 3) {
        Store(byte);
        return;
    }
    // A broken sentence is dropped; its last byte may start the next unit.
    m_state = State::Idle;
    Step(byte);
}

}  // namespace kestrion
