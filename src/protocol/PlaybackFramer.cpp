#include "protocol/PlaybackFramer.h"

#include <span>

#include "protocol/FrameBytes.h"
#include "protocol/NmeaChecksum.h"

namespace kestrion {

using namespace frame;

CPlaybackFramer::CPlaybackFramer(IFrameSink& sink, IProtocolHost& host) : m_sink(sink), m_host(host)
{
}

bool CPlaybackFramer::Accept(const uint8_t* bytes, size_t count)
{
    if (bytes == nullptr || count == 0) {
        return false;
    }
    m_host.DataActivity();
    for (size_t i = 0; i < count; ++i) {
        StepBinary(bytes[i]);
    }
    return true;
}

void CPlaybackFramer::StepBinary(uint8_t byte)
{
    switch (m_binary) {
    case BinaryState::Idle:
        if (byte == kStart1) {
            // A sentence never takes bytes of a frame.
            m_text = TextState::Idle;
            m_binary = BinaryState::Start2;
        } else {
            StepText(byte);
        }
        break;
    case BinaryState::Start2:
        if (byte == kStart2) {
            m_binary = BinaryState::LengthHigh;
        } else if (byte != kStart1) {
            m_binary = BinaryState::Idle;
            StepText(byte);
        }
        break;
    case BinaryState::LengthHigh:
        m_lengthHigh = byte;
        m_binary = BinaryState::LengthLow;
        break;
    case BinaryState::LengthLow:
        m_length = m_lengthHigh * 256 + byte;
        if (m_length >= 1 && m_length <= kMaxPayload) {
            m_index = 0;
            m_binary = BinaryState::Payload;
        } else if (m_lengthHigh == kStart1 && byte == kStart2) {
            m_binary = BinaryState::LengthHigh;
        } else if (byte == kStart1) {
            m_binary = BinaryState::Start2;
        } else {
            m_binary = BinaryState::Idle;
            StepText(byte);
        }
        break;
    case BinaryState::Payload:
        m_buffer[static_cast<size_t>(m_index++)] = byte;
        if (m_index >= m_length) {
            m_binary = BinaryState::ChecksumHigh;
        }
        break;
    case BinaryState::ChecksumHigh:
        m_checksum = byte;
        m_binary = BinaryState::ChecksumLow;
        break;
    case BinaryState::ChecksumLow:
        m_checksum = static_cast<uint16_t>(m_checksum * 256 + byte);
        m_binary = BinaryState::End1;
        break;
    case BinaryState::End1:
    case BinaryState::End2:
        if (m_binary == BinaryState::End1 && byte == kEnd1) {
            m_binary = BinaryState::End2;
        } else if (m_binary == BinaryState::End2 && byte == kEnd2) {
            CheckFrame();
        } else if (byte == kStart1) {
            m_binary = BinaryState::Start2;
        } else {
            m_binary = BinaryState::Idle;
            StepText(byte);
        }
        break;
    }
}

void CPlaybackFramer::StepText(uint8_t byte)
{
    switch (m_text) {
    case TextState::Idle:
        if (byte == kDollar) {
            m_buffer[0] = byte;
            m_index = 1;
            m_text = TextState::Sentence;
        }
        break;
    case TextState::Sentence:
        m_buffer[static_cast<size_t>(m_index++)] = byte;
        if (m_index >= kMaxSentence) {
            m_text = TextState::Idle;
        } else if (byte == kCR) {
            m_text = TextState::SentenceCR;
        } else if (byte == kLF && EndsInGoodChecksum(m_buffer.data(), static_cast<size_t>(m_index) - 1)) {
            m_text = TextState::Idle;  // a sentence ended by LF alone, as logs often store them
            DeliverSentence();
        } else if (!IsPrintable(byte)) {
            m_text = TextState::Idle;
        }
        break;
    case TextState::SentenceCR:
        m_buffer[static_cast<size_t>(m_index++)] = byte;
        m_text = TextState::Idle;
        if (byte == kLF) {
            DeliverSentence();
        }
        break;
    }
}

void CPlaybackFramer::CheckFrame()
{
    uint16_t sum = 0;
    for (int i = 0; i < m_length; ++i) {
        sum = static_cast<uint16_t>(sum + m_buffer[static_cast<size_t>(i)]);
    }
    if (sum != m_checksum) {
        m_host.WriteLog("Comm: Checksum Error\n");
        return;
    }
    m_binary = BinaryState::Idle;
    m_text = TextState::Idle;
    DeliverFrame();
}

void CPlaybackFramer::DeliverFrame()
{
    m_sink.OnFrame(std::span<const uint8_t>(m_buffer.data(), static_cast<size_t>(m_length)));
}

void CPlaybackFramer::DeliverSentence()
{
    m_sink.OnSentence(std::span<const uint8_t>(m_buffer.data(), static_cast<size_t>(m_index)));
}

}  // namespace kestrion
