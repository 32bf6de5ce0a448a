#include "protocol/SerialFramer.h"

#include <span>

#include "protocol/FrameBytes.h"
#include "protocol/NmeaChecksum.h"

namespace kestrion {

using namespace frame;

CSerialFramer::CSerialFramer(IFrameSink& sink, IProtocolHost& host) : m_sink(sink), m_host(host), m_fault(host)
{
}

size_t CSerialFramer::Accept(const uint8_t* bytes, size_t count)
{
    if (bytes == nullptr) {
        return 0;
    }
    if (count > 0) {
        m_host.DataActivity();
    }
    for (size_t i = 0; i < count; ++i) {
        Step(bytes[i]);
    }
    return count;
}

void CSerialFramer::Reset()
{
    m_state = State::Idle;
    m_seen = false;
}

void CSerialFramer::Step(uint8_t byte)
{
    switch (m_state) {
    case State::Idle:
        if (byte == kStart1) {
            m_state = State::Start2;
        } else if (byte == kDollar) {
            m_buffer[0] = byte;
            m_index = 0;
            m_state = State::Sentence;
        } else if (m_seen) {
            m_fault.Report("Comm: Unknown char: %02X", byte);
        }
        break;
    case State::Start2:
        if (byte == kStart2) {
            m_state = State::LengthHigh;
        } else {
            if (m_seen) {
                m_fault.Report("Comm: Unknown chars: A0 %02X", byte);
            }
            m_state = State::Idle;
        }
        break;
    case State::LengthHigh:
        m_length = byte;
        m_state = State::LengthLow;
        break;
    case State::LengthLow:
        m_length = m_length * 256 + byte;
        if (m_length > kMaxPayload) {
            if (m_seen) {
                m_fault.Report("Comm: Msg len > 03F0: %02X %02X", m_length >> 8, m_length & 0xFF);
            }
            m_state = State::Idle;
        } else {
            m_index = -1;
            m_state = State::Payload;
        }
        break;
    case State::Payload:
        m_buffer[static_cast<size_t>(++m_index)] = byte;
        if (m_index + 1 >= m_length) {
            m_state = State::ChecksumHigh;
        }
        break;
    case State::ChecksumHigh:
        m_checksum = byte;
        m_state = State::ChecksumLow;
        break;
    case State::ChecksumLow:
        m_checksum = static_cast<uint16_t>(m_checksum * 256 + byte);
        FinishFrame();
        break;
    case State::End1:
        if (byte == kEnd1) {
            m_state = State::End2;
        } else {
            m_fault.Report("Comm: Msg 0x%02X bad tail sync: %02X", Mid(), byte);
            m_state = State::Idle;
        }
        break;
    case State::End2:
        if (byte != kEnd2) {
            m_fault.Report("Comm: Msg 0x%02X bad tail sync: B0 %02X", Mid(), byte);
        }
        m_state = State::Idle;
        break;
    case State::AfterSentence:
        if (byte == kDollar) {
            m_buffer[0] = byte;
            m_index = 0;
            m_state = State::Sentence;
        } else if (byte == kStart1) {
            m_state = State::Start2;
        } else {
            if (m_seen) {
                m_fault.Report("Comm: NMEA unknown char: %02X", byte);
            }
            m_state = State::Idle;
        }
        break;
    case State::Sentence:
        StepSentence(byte);
        break;
    case State::SentenceCR:
        StepSentenceCR(byte);
        break;
    }
}

void CSerialFramer::StepSentence(uint8_t byte)
{
    m_buffer[static_cast<size_t>(++m_index)] = byte;
    if (IsPrintable(byte) && byte != kDollar) {
        if (m_index > kMaxPayload) {
            Dump("Comm: NMEA msg len > 03F0:");
            m_state = State::Idle;
        }
    } else if (byte == kCR) {
        m_state = State::SentenceCR;
    } else if (byte == kLF && EndsInGoodChecksum(m_buffer.data(), static_cast<size_t>(m_index))) {
        // A sentence ended by LF alone, as logs often store them.
        m_state = State::AfterSentence;
        DeliverSentence();
    } else {
        Dump("Comm: Unknown chars:");
        m_state = State::Idle;
    }
}

void CSerialFramer::StepSentenceCR(uint8_t byte)
{
    m_buffer[static_cast<size_t>(++m_index)] = byte;
    if (byte == kLF) {
        m_state = State::AfterSentence;
        DeliverSentence();
    } else {
        Dump("Comm: NMEA bad tail sync:");
        m_state = State::Idle;
    }
}

void CSerialFramer::FinishFrame()
{
    uint16_t sum = 0;
    for (int i = 0; i < m_length; ++i) {
        sum = static_cast<uint16_t>(sum + m_buffer[static_cast<size_t>(i)]);
    }
    // A zero length took one byte as payload and is never a good frame.
    if (m_length > 0 && sum == m_checksum) {
        m_seen = true;
        m_state = State::End1;
        DeliverFrame();
        return;
    }
    if (m_seen) {
        m_fault.Report("Comm: Msg 0x%02X bad chksum: %02X %02X", Mid(), m_checksum >> 8, m_checksum & 0xFF);
    }
    m_state = State::Idle;
}

void CSerialFramer::DeliverFrame()
{
    m_sink.OnFrame(std::span<const uint8_t>(m_buffer.data(), static_cast<size_t>(m_length)));
}

void CSerialFramer::DeliverSentence()
{
    m_seen = true;
    m_sink.OnSentence(std::span<const uint8_t>(m_buffer.data(), static_cast<size_t>(m_index) + 1));
}

void CSerialFramer::Dump(const char* title)
{
    if (m_seen) {
        m_fault.ReportDump(title, std::span<const uint8_t>(m_buffer.data(), static_cast<size_t>(m_index) + 1));
    }
}

}  // namespace kestrion
