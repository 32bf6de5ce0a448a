#include "protocol/MessageDecoder.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <type_traits>

#include "protocol/HexDigits.h"
#include "protocol/MessageLayouts.h"

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
    layouts::kTrackerHeader.Decode(p, reinterpret_cast<uint8_t*>(&block));
    for (size_t i = 0; i < kChannels; ++i) {
        TrackerChannel& channel = block.channels[i];
        layouts::kTrackerChannel.Decode(p + layouts::kTrackerHeader.Size() + i * layouts::kTrackerChannel.Size(),
                                        reinterpret_cast<uint8_t*>(&channel));
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

// The counted messages read the payload as it is, the padding covering only the header of a
// payload shorter than its header.
void DecodeCounted(Decoding decoding, CMessageRecord& record, const uint8_t* p, size_t n)
{
    switch (decoding) {
    case Decoding::Error: DecodeError(record.error, p, n); break;
    case Decoding::VisibleList: DecodeVisibleList(record.visibleList, p, n); break;
    case Decoding::DevelopmentData: DecodeDevelopmentData(record.developmentData, p, n); break;
    case Decoding::TrackerSummary: DecodeTrackerSummary(record.tracker, p, n); break;
    default:
        record.faultMarker = 0;
        record.SetText({reinterpret_cast<const char*>(p) + 1, n - 1});
        break;
    }
}

// The generation a version text names: "1..." the first, "2.0..." the second, others the third.
int GenerationOf(const SwVersionBlock& block)
{
    const char* version = block.version;
    return version[0] == '1' ? 1 : version[0] == '2' && version[2] == '0' ? 2 : 3;
}

constexpr int kLastSv = std::extent_v<decltype(ProtocolState::almanac)>;  // tables by SV ID 1..32

}  // namespace

RecordImplications CMessageDecoder::Decode(CMessageRecord& record, std::span<const uint8_t> payload,
                                           IReceiverLink* link)
{
    if (payload.empty()) {
        return {};
    }
    uint8_t padded[kPaddedSize] = {};
    std::memcpy(padded, payload.data(), std::min(payload.size(), kPaddedSize));

    const uint8_t mid = payload[0];
    record.Reset(mid);
    static constexpr MessageKind kUnknown{};
    const MessageKind* found = FindMessage(mid);
    const MessageKind& kind = found != nullptr ? *found : kUnknown;
    if (CountsEntries(kind.decoding)) {
        DecodeCounted(kind.decoding, record, payload.size() >= 5 ? payload.data() : padded, payload.size());
        RecordImplications implied;
        implied.binarySeen = true;
        return implied;
    }
    DecodeFixed(kind, record, padded, link);
    if (kind.decoding == Decoding::None || kind.decoding == Decoding::DeadReckoning) {
        ReportUnknown(payload, link);
    }
    return Implications(kind, record);
}

void CMessageDecoder::DecodeFixed(const MessageKind& kind, CMessageRecord& record, const uint8_t* padded,
                                  IReceiverLink* link)
{
    switch (kind.decoding) {
    case Decoding::Layout:
        kind.layout->Decode(padded, record.BlockOf(kind.block).data());
        break;
    case Decoding::Tracker:
        DecodeTracker(record.tracker, padded);
        break;
    case Decoding::MgrParams:
        (m_state.generation == 1 ? layouts::kMgrParams1 : *kind.layout)
            .Decode(padded, record.BlockOf(kind.block, m_state.generation).data());
        break;
    case Decoding::PollAnswer:
        StorePollAnswer(record, padded, link);
        break;
    case Decoding::DeadReckoning:
        m_state.deadReckoningSeen = true;
        break;
    default:
        break;
    }
}

RecordImplications CMessageDecoder::Implications(const MessageKind& kind, const CMessageRecord& record)
{
    RecordImplications implied;
    implied.binarySeen = true;
    switch (kind.effect) {
    case Effect::ReleasesCommands:
        implied.releasesCommands = m_state.generation != 1 && (record.nav.mode1 & kNavHoldsCommands) == 0;
        break;
    case Effect::SetsOkToSend:
        implied.okToSend = record.okToSend.okToSend;
        break;
    case Effect::NamesGeneration:
        if (m_state.versionDetection) {
            implied.generation = GenerationOf(record.swVersion);
        }
        break;
    case Effect::StoresAlmanac:
        StoreAlmanac(record);
        break;
    case Effect::StoresEphemeris:
        StoreEphemeris(record);
        break;
    case Effect::None:
        break;
    }
    return implied;
}

void CMessageDecoder::StoreAlmanac(const CMessageRecord& record)
{
    const int svId = record.almanac.svId;
    if (svId == 1) {
        std::memset(m_state.almanac, 0, sizeof m_state.almanac);
    }
    if (svId < 1 || svId > kLastSv) {
        return;
    }
    std::memcpy(m_state.almanac[svId - 1], record.almanac.words, sizeof record.almanac.words);
    if (svId == kLastSv) {
        m_host.AlmanacComplete();
    }
}

void CMessageDecoder::StoreEphemeris(const CMessageRecord& record)
{
    const int svId = record.ephemeris.svId;
    if (svId < 1 || svId > kLastSv) {
        m_host.WriteLog("Ephemeris Data contains invalid SVID\n");
        return;
    }
    if (svId == 1) {
        std::memset(m_state.ephemeris, 0, sizeof m_state.ephemeris);
    }
    std::memcpy(m_state.ephemeris[svId - 1], record.ephemeris.words, sizeof record.ephemeris.words);
    if (svId == kLastSv) {
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
    layouts::kPollAnswerLayouts[slot].layout.Decode(padded + 1, answer.bytes);
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

RecordImplications CMessageDecoder::MakeTextRecord(CMessageRecord& record, std::span<const uint8_t> sentence)
{
    record.Reset(MID_ASCIIData);
    size_t length = sentence.size();
    while (length > 0 && (sentence[length - 1] == '\n' || sentence[length - 1] == '\r')) {
        --length;
    }
    record.SetText({reinterpret_cast<const char*>(sentence.data()), length});
    RecordImplications implied;
    implied.nmeaSeen = true;
    return implied;
}

void CMessageDecoder::TickPollAnswers(CMessageRecord& record, IReceiverLink& link)
{
    std::span<int, 8> countdowns = link.PollCountdowns();
    for (size_t slot = 0; slot < countdowns.size(); ++slot) {
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
        link.PollAnswered(layouts::kPollAnswerLayouts[slot].subId, answer.bytes);
    }
}

}  // namespace kestrion
