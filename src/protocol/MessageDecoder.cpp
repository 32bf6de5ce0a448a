#include "protocol/MessageDecoder.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "protocol/HexDigits.h"
#include "protocol/MessageLayouts.h"
#include "protocol/Mid.h"

namespace kestrion {
namespace {

// Fixed layouts read at most this many bytes; shorter payloads are padded with zeros.
constexpr size_t kPaddedSize = 256;

// Whole entries of `entrySize` bytes after `header` bytes of an `n`-byte payload.
size_t EntriesHeld(size_t n, size_t header, size_t entrySize)
{
    return n > header ? (n - header) / entrySize : 0;
}

uint8_t AverageCno(const TrackerChannel& channel)
{
    unsigned sum = 0;
    unsigned count = 0;
    for (uint8_t cno : channel.cno) {
        if (cno != 0) {
            sum += cno;
            ++count;
        }
    }
    return static_cast<uint8_t>(count == 0 ? 0 : sum / count);
}

void DecodeTracker(TrackerBlock& block, const uint8_t* p)
{
    block.mid = p[0];
    block.week = ReadU16(p + 1);
    block.tow = ReadU32(p + 3);
    block.channelCount = p[7];
    for (size_t i = 0; i < kChannels; ++i) {
        const uint8_t* in = p + 8 + i * 15;
        TrackerChannel& channel = block.channels[i];
        channel.svId = in[0];
        channel.azimuth = in[1];
        channel.elevation = in[2];
        channel.state = ReadU16(in + 3);
        std::memcpy(channel.cno, in + 5, kCnoCount);
        channel.averageCno = AverageCno(channel);
    }
}

void DecodeTrackerSummary(TrackerBlock& block, const uint8_t* p, size_t n)
{
    const size_t count = std::min({size_t{p[1]}, kChannels, EntriesHeld(n, 2, 6)});
    block.mid = p[0];
    block.channelCount = static_cast<uint8_t>(count);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* in = p + 2 + i * 6;
        TrackerChannel& channel = block.channels[i];
        channel.svId = in[0];
        channel.azimuth = in[1];
        channel.elevation = in[2];
        channel.state = ReadU16(in + 3);
        std::fill(std::begin(channel.cno), std::end(channel.cno), in[5]);
        channel.averageCno = in[5];
    }
}

void DecodeError(ErrorBlock& block, const uint8_t* p, size_t n)
{
    block.mid = p[0];
    block.code = ReadU16(p + 1);
    const size_t count = std::min({size_t{ReadU16(p + 3)}, kMaxErrorWords, EntriesHeld(n, 5, 4)});
    block.count = static_cast<uint16_t>(count);
    for (size_t i = 0; i < count; ++i) {
        block.words[i] = ReadU32(p + 5 + i * 4);
    }
}

void DecodeVisibleList(VisibleListBlock& block, const uint8_t* p, size_t n)
{
    block.mid = p[0];
    const size_t count = std::min({size_t{p[1]}, kMaxVisibleEntries, EntriesHeld(n, 2, 5)});
    block.count = static_cast<uint8_t>(count);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* in = p + 2 + i * 5;
        block.entries[i] = VisibleEntry{in[0], ReadI16(in + 1), ReadI16(in + 3)};
    }
}

void DecodeDevelopmentData(DevelopmentDataBlock& block, const uint8_t* p, size_t n)
{
    block.mid = p[0];
    const size_t declared = ReadU16(p + 1);
    if (declared == 0 || declared >= 0x8000) {
        return;
    }
    const size_t count = std::min({declared, kMaxDevelopmentBytes, EntriesHeld(n, 3, 1)});
    for (size_t i = 0; i < count; ++i) {
        block.hex[2 * i] = kHexDigits[p[3 + i] >> 4];
        block.hex[2 * i + 1] = kHexDigits[p[3 + i] & 0x0F];
    }
}

void DecodeInto(const CLayout& layout, const uint8_t* padded, void* block)
{
    layout.Decode(padded, static_cast<uint8_t*>(block));
}

}  // namespace

void CMessageDecoder::Decode(CMessageRecord& record, std::span<const uint8_t> payload, IReceiverLink* link)
{
    if (payload.empty()) {
        return;
    }
    uint8_t padded[kPaddedSize] = {};
    std::memcpy(padded, payload.data(), std::min(payload.size(), kPaddedSize));

    const uint8_t mid = payload[0];
    record.Reset(mid);
    switch (mid) {
    case MID_Error:
    case MID_VisList:
    case kMidDevelopmentData:
    case kMidTrackerSummary:
    case MID_ASCIIData:
        // Counts are capped to the whole entries the payload holds; the padding covers the
        // header of a payload shorter than its header.
        DecodeVariable(record, payload.size() >= 5 ? payload.data() : padded, payload.size());
        break;
    default:
        DecodeFixed(record, padded, link);
        if (record.type == 0) {
            ReportUnknown(payload, link);
            record.SetType(mid);
        }
        break;
    }
    m_host.LeaveNmeaDisplayMode();
}

void CMessageDecoder::DecodeVariable(CMessageRecord& record, const uint8_t* p, size_t n)
{
    switch (record.type) {
    case MID_Error:
        DecodeError(record.error, p, n);
        break;
    case MID_VisList:
        DecodeVisibleList(record.visibleList, p, n);
        break;
    case kMidDevelopmentData:
        DecodeDevelopmentData(record.developmentData, p, n);
        break;
    case kMidTrackerSummary:
        DecodeTrackerSummary(record.tracker, p, n);
        break;
    default:
        record.faultMarker = 0;
        record.SetText({reinterpret_cast<const char*>(p) + 1, n - 1});
        break;
    }
}

void CMessageDecoder::DecodeFixed(CMessageRecord& record, const uint8_t* padded, IReceiverLink* link)
{
    switch (record.type) {
    case MID_TrueNavigation:
    case MID_MeasuredNavigation:
        DecodeInto(layouts::kNavigation, padded, &record.nav);
        if (link != nullptr && m_state.generation != 1 && (record.nav.mode1 & 0x08) == 0 && link->OkToSend() == 0) {
            link->SetOkToSend(1);
        }
        break;
    case MID_TrueTracker:
    case MID_MeasuredTracker:
        DecodeTracker(record.tracker, padded);
        break;
    case MID_RawTrkData:
        DecodeInto(layouts::kRawTrack, padded, &record.rawTrack);
        break;
    case MID_SWVersion:
        DecodeInto(layouts::kSwVersion, padded, &record.swVersion);
        if (m_state.versionDetection) {
            const char* version = record.swVersion.version;
            m_state.generation = version[0] == '1' ? 1 : version[0] == '2' && version[2] == '0' ? 2 : 3;
        }
        break;
    case MID_ClockStatus:
        DecodeInto(layouts::kClockStatus, padded, &record.clockStatus);
        break;
    case MID_50BPS:
        DecodeInto(layouts::kFiftyBps, padded, &record.fiftyBps);
        break;
    case MID_ThroughputMonitor:
        DecodeInto(layouts::kThroughput, padded, &record.throughput);
        break;
    case MID_Ack:
        DecodeInto(layouts::kAck, padded, &record.ack);
        break;
    case MID_Nak:
        DecodeInto(layouts::kAck, padded, &record.nak);
        break;
    case MID_Almanac:
        DecodeInto(layouts::kAlmanac, padded, &record.almanac);
        StoreAlmanac(record);
        break;
    case MID_Ephemeris:
        DecodeInto(layouts::kEphemeris, padded, &record.ephemeris);
        StoreEphemeris(record);
        break;
    case MID_OkToSend:
        DecodeInto(layouts::kAck, padded, &record.okToSend);
        if (link != nullptr) {
            link->SetOkToSend(record.okToSend.okToSend);
        }
        break;
    case MID_RxMgrParams:
        if (m_state.generation == 1) {
            DecodeInto(layouts::kMgrParams1, padded, &record.mgrParams1);
        } else {
            DecodeInto(layouts::kMgrParams, padded, &record.mgrParams);
        }
        break;
    case MID_DGPSStatus:
        DecodeInto(layouts::kDgpsStatus, padded, &record.dgpsStatus);
        break;
    case kMidNavLibMeasurement:
        DecodeInto(layouts::kMid28, padded, &record.mid28);
        break;
    case kMidNavLibDgps:
        DecodeInto(layouts::kMid29, padded, &record.mid29);
        break;
    case kMidNavLibSvState:
        DecodeInto(layouts::kMid30, padded, &record.mid30);
        break;
    case kMidNavLibInit:
        DecodeInto(layouts::kMid31, padded, &record.mid31);
        break;
    case MID_CMD_PARAM:
        StorePollAnswer(record, padded, link);
        break;
    case kMidDeadReckoning:
        m_state.deadReckoningSeen = true;
        record.SetType(0);
        break;
    default:
        record.SetType(0);
        break;
    }
}

void CMessageDecoder::StoreAlmanac(const CMessageRecord& record)
{
    const int svId = record.almanac.svId;
    if (svId == 1) {
        std::memset(m_state.almanac, 0, sizeof m_state.almanac);
    }
    if (svId < 1 || svId > 32) {
        return;
    }
    std::memcpy(m_state.almanac[svId - 1], record.almanac.words, sizeof record.almanac.words);
    if (svId == 32) {
        m_host.AlmanacComplete();
    }
}

void CMessageDecoder::StoreEphemeris(const CMessageRecord& record)
{
    const int svId = record.ephemeris.svId;
    if (svId < 1 || svId > 32) {
        m_host.WriteLog("Ephemeris Data contains invalid SVID\n");
        return;
    }
    if (svId == 1) {
        std::memset(m_state.ephemeris, 0, sizeof m_state.ephemeris);
    }
    std::memcpy(m_state.ephemeris[svId - 1], record.ephemeris.words, sizeof record.ephemeris.words);
    if (svId == 32) {
        m_host.EphemerisComplete();
    }
}

void CMessageDecoder::StorePollAnswer(CMessageRecord& record, const uint8_t* padded, IReceiverLink* link)
{
    const int slot = PollSlotOf(padded[1]);
    if (link == nullptr || slot < 0 || link->PollCountdowns()[slot] <= 0) {
        return;
    }
    PollAnswerBlock& answer = record.pollAnswers[slot];
    std::memset(answer.bytes, 0, sizeof answer.bytes);
    layouts::kPollAnswers[slot].Decode(padded + 1, answer.bytes);
    answer.present = 1;
}

void CMessageDecoder::ReportUnknown(std::span<const uint8_t> payload, IReceiverLink* link)
{
    std::string text = "Unk: ";
    text.reserve(5 + 2 * payload.size() + 1);
    for (uint8_t byte : payload) {
        AppendHex(text, byte);
    }
    m_host.WriteLog(text + "\n");
    if (link != nullptr && !link->FeedPaused()) {
        m_host.PostReceiverText(text);
    }
}

void CMessageDecoder::MakeTextRecord(CMessageRecord& record, std::span<const uint8_t> sentence)
{
    record.Reset(255);
    size_t length = sentence.size();
    while (length > 0 && (sentence[length - 1] == '\n' || sentence[length - 1] == '\r')) {
        --length;
    }
    record.SetText({reinterpret_cast<const char*>(sentence.data()), length});
    m_host.EnterNmeaDisplayMode();
}

void CMessageDecoder::TickPollAnswers(CMessageRecord& record, IReceiverLink& link)
{
    std::span<int, 8> countdowns = link.PollCountdowns();
    for (size_t slot = 0; slot < 8; ++slot) {
        if (countdowns[slot] <= 0) {
            continue;
        }
        --countdowns[slot];
        PollAnswerBlock& answer = record.pollAnswers[slot];
        if (answer.present == 0 && countdowns[slot] != 0) {
            continue;
        }
        if (countdowns[slot] == 0) {
            std::memset(answer.bytes, 0, sizeof answer.bytes);
        }
        answer.present = 0;
        countdowns[slot] = 0;
        link.PollAnswered(kPollSubIds[slot], answer.bytes);
    }
}

}  // namespace kestrion
