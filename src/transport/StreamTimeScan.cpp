#include "transport/StreamTimeScan.h"

#include <algorithm>
#include <string_view>

#include "protocol/FrameBytes.h"
#include "protocol/NmeaChecksum.h"

namespace kestrion {
namespace {

using namespace frame;

constexpr int64_t kWeekMs = int64_t{7} * 24 * 3600 * 1000;
constexpr uint8_t kMidNavigation = 2;
constexpr uint8_t kMidTracker = 4;

uint32_t BigEndian(const uint8_t* bytes, int count)
{
    uint32_t value = 0;
    for (int i = 0; i < count; ++i) {
        value = value << 8 | bytes[i];
    }
    return value;
}

// The sentences with a time of day, and the field that holds it.
struct TimeField {
    std::string_view type;
    size_t field;
};
constexpr TimeField kTimeFields[] = {{"GGA", 1}, {"RMC", 1}, {"ZDA", 1}, {"GNS", 1},
                                     {"GLL", 5}, {"GST", 1}, {"GBS", 1}};

// "hhmmss" with up to three decimals as milliseconds of the day; -1 when it is none.
int64_t TimeOfDayMs(std::string_view text)
{
    if (text.size() < 6 || !std::all_of(text.begin(), text.begin() + 6, [](char c) { return c >= '0' && c <= '9'; })) {
        return -1;
    }
    const auto two = [&](size_t at) { return (text[at] - '0') * 10 + (text[at + 1] - '0'); };
    const int hours = two(0), minutes = two(2), seconds = two(4);
    if (hours > 23 || minutes > 59 || seconds > 60) {
        return -1;
    }
    int64_t ms = ((int64_t{hours} * 60 + minutes) * 60 + seconds) * 1000;
    if (text.size() > 6 && text[6] == '.') {
        int scale = 100;
        for (size_t at = 7; at < text.size() && at < 10 && text[at] >= '0' && text[at] <= '9'; ++at, scale /= 10) {
            ms += (text[at] - '0') * scale;
        }
    }
    return ms;
}

// Field `index` of a sentence body ("GPGGA,..." without "$" and "*hh"), the address being 0.
std::string_view FieldOf(std::string_view body, size_t index)
{
    for (; index > 0; --index) {
        const size_t comma = body.find(',');
        if (comma == std::string_view::npos) {
            return {};
        }
        body.remove_prefix(comma + 1);
    }
    return body.substr(0, body.find(','));
}

}  // namespace

void CStreamTimeScan::Accept(std::span<const uint8_t> bytes)
{
    for (size_t at = 0; at < bytes.size();) {
        at += Step(bytes.data() + at, bytes.size() - at);
    }
}

size_t CStreamTimeScan::Step(const uint8_t* bytes, size_t count)
{
    size_t run = 0;
    if (m_binary == BinaryState::Payload) {
        run = std::min(count, static_cast<size_t>(m_length - m_payloadIndex));
        for (size_t i = 0; i < run; ++i) {
            m_sum = static_cast<uint16_t>(m_sum + bytes[i]);
            if (static_cast<size_t>(m_payloadIndex) + i < kKeptPayload) {
                m_payload[static_cast<size_t>(m_payloadIndex) + i] = bytes[i];
            }
        }
        m_payloadIndex += static_cast<int>(run);
        if (m_payloadIndex >= m_length) {
            m_binary = BinaryState::ChecksumHigh;
        }
    } else if (m_binary == BinaryState::Idle && m_text == TextState::Idle) {
        while (run < count && bytes[run] != kStart1 && bytes[run] != kDollar) {
            ++run;
        }
    } else if (m_binary == BinaryState::Idle && m_text == TextState::Sentence) {
        while (run < count && IsPrintable(bytes[run])) {
            m_sentence[static_cast<size_t>(m_sentenceIndex++)] = bytes[run++];
            if (m_sentenceIndex >= CPlaybackFramer::kMaxSentence) {
                m_text = TextState::Idle;
                break;
            }
        }
    }
    if (run == 0) {
        StepBinary(bytes[0]);
        run = 1;
    }
    m_offset += static_cast<int64_t>(run);
    return run;
}

// As the playback framer's binary machine; payloads go through Step's run.
void CStreamTimeScan::StepBinary(uint8_t byte)
{
    const auto startFrame = [this](int64_t at) {
        m_frameStart = at;
        m_binary = BinaryState::Start2;
    };
    const auto toText = [this, byte] {
        m_binary = BinaryState::Idle;
        StepText(byte);
    };
    switch (m_binary) {
    case BinaryState::Idle:
        if (byte == kStart1) {
            m_text = TextState::Idle;
            startFrame(m_offset);
        } else {
            StepText(byte);
        }
        break;
    case BinaryState::Start2:
        if (byte == kStart2) {
            m_binary = BinaryState::LengthHigh;
        } else if (byte == kStart1) {
            startFrame(m_offset);
        } else {
            toText();
        }
        break;
    case BinaryState::LengthHigh:
        m_lengthHigh = byte;
        m_binary = BinaryState::LengthLow;
        break;
    case BinaryState::LengthLow:
        m_length = m_lengthHigh * 256 + byte;
        if (m_length >= 1 && m_length <= CPlaybackFramer::kMaxPayload) {
            m_payloadIndex = 0;
            m_sum = 0;
            m_binary = BinaryState::Payload;
        } else if (m_lengthHigh == kStart1 && byte == kStart2) {
            m_frameStart = m_offset - 1;
            m_binary = BinaryState::LengthHigh;
        } else if (byte == kStart1) {
            startFrame(m_offset);
        } else {
            toText();
        }
        break;
    case BinaryState::Payload:
        break;  // taken in runs
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
            if (m_sum == m_checksum) {
                m_binary = BinaryState::Idle;
                m_text = TextState::Idle;
                EndFrame();
            }
        } else if (byte == kStart1) {
            startFrame(m_offset);
        } else {
            toText();
        }
        break;
    }
}

void CStreamTimeScan::StepText(uint8_t byte)
{
    switch (m_text) {
    case TextState::Idle:
        if (byte == kDollar) {
            m_sentence[0] = byte;
            m_sentenceIndex = 1;
            m_sentenceStart = m_offset;
            m_text = TextState::Sentence;
        }
        break;
    case TextState::Sentence:
        m_sentence[static_cast<size_t>(m_sentenceIndex++)] = byte;
        if (m_sentenceIndex >= CPlaybackFramer::kMaxSentence) {
            m_text = TextState::Idle;
        } else if (byte == kCR) {
            m_text = TextState::SentenceCR;
        } else if (byte == kLF && EndsInGoodChecksum(m_sentence.data(), static_cast<size_t>(m_sentenceIndex) - 1)) {
            m_text = TextState::Idle;
            EndSentence();
        } else if (!IsPrintable(byte)) {
            m_text = TextState::Idle;
        }
        break;
    case TextState::SentenceCR:
        m_sentence[static_cast<size_t>(m_sentenceIndex++)] = byte;
        m_text = TextState::Idle;
        if (byte == kLF) {
            EndSentence();
        }
        break;
    }
}

void CStreamTimeScan::EndFrame()
{
    const uint8_t* payload = m_payload.data();
    if (payload[0] == kMidNavigation && m_length >= 28) {
        m_timeline.Mark(m_frameStart, CReplayTimeline::Clock::Gps,
                        BigEndian(payload + 22, 2) * kWeekMs + int64_t{BigEndian(payload + 24, 4)} * 10);
    } else if (payload[0] == kMidTracker && m_length >= 7) {
        m_timeline.Mark(m_frameStart, CReplayTimeline::Clock::Gps,
                        BigEndian(payload + 1, 2) * kWeekMs + int64_t{BigEndian(payload + 3, 4)} * 10);
    }
}

void CStreamTimeScan::EndSentence()
{
    const std::string_view sentence(reinterpret_cast<const char*>(m_sentence.data()),
                                    static_cast<size_t>(m_sentenceIndex));
    const NmeaChecksumCheck check = CheckNmeaChecksum(sentence);
    if (!check.valid) {
        return;
    }
    const std::string_view address = check.body.substr(0, check.body.find(','));
    if (address.size() != 5 || address[0] == 'P') {
        return;
    }
    for (const TimeField& field : kTimeFields) {
        if (address.substr(2) == field.type) {
            if (const int64_t ms = TimeOfDayMs(FieldOf(check.body, field.field)); ms >= 0) {
                m_timeline.Mark(m_sentenceStart, CReplayTimeline::Clock::UtcOfDay, ms);
            }
            return;
        }
    }
}

}  // namespace kestrion
