#include "protocol/MessageRecord.h"

#include <algorithm>
#include <cstring>

#include "protocol/MessageLayouts.h"
#include "protocol/MessageTable.h"

namespace kestrion {
namespace {

template <typename Block>
std::span<uint8_t> BytesOf(Block& block)
{
    return {reinterpret_cast<uint8_t*>(&block), sizeof block};
}

}  // namespace

int PollSlotOf(uint8_t subId)
{
    const auto* found = std::find(std::begin(kPollSubIds), std::end(kPollSubIds), subId);
    return found == std::end(kPollSubIds) ? -1 : static_cast<int>(found - std::begin(kPollSubIds));
}

void CMessageRecord::Clear()
{
    ZeroBlockOfType();
    type = 0;
}

void CMessageRecord::Reset(uint8_t newType)
{
    ZeroBlockOfType();
    type = newType;
    ZeroBlockOfType();
}

void CMessageRecord::ZeroBlockOfType()
{
    const MessageKind* kind = FindMessage(type);
    const RecordBlock block = kind != nullptr ? kind->block : RecordBlock::None;
    if (block == RecordBlock::MgrParams) {
        std::ranges::fill(BytesOf(mgrParams1), 0);
        std::ranges::fill(BytesOf(mgrParams), 0);
    } else if (block == RecordBlock::Text) {
        faultMarker = 0;
        textLength = 0;
    } else {
        std::ranges::fill(BlockOf(block), 0);
    }
}

bool CMessageRecord::HasTime() const
{
    return type == MID_TrueNavigation || type == MID_MeasuredNavigation || type == MID_TrueTracker ||
           type == MID_MeasuredTracker;
}

uint16_t CMessageRecord::Week() const
{
    if (!HasTime()) {
        return 0;
    }
    return FindMessage(type)->block == RecordBlock::Nav ? nav.week : tracker.week;
}

uint32_t CMessageRecord::Tow() const
{
    if (!HasTime()) {
        return 0;
    }
    return FindMessage(type)->block == RecordBlock::Nav ? nav.tow : tracker.tow;
}

std::span<uint8_t> CMessageRecord::BlockOf(uint8_t ofType, int generation)
{
    const MessageKind* kind = FindMessage(ofType);
    return kind != nullptr ? BlockOf(kind->block, generation) : std::span<uint8_t>{};
}

std::span<const uint8_t> CMessageRecord::BlockOf(RecordBlock block, int generation) const
{
    return const_cast<CMessageRecord*>(this)->BlockOf(block, generation);
}

std::span<uint8_t> CMessageRecord::BlockOf(RecordBlock block, int generation)
{
    switch (block) {
    case RecordBlock::Nav: return BytesOf(nav);
    case RecordBlock::Tracker: return BytesOf(tracker);
    case RecordBlock::RawTrack: return BytesOf(rawTrack);
    case RecordBlock::SwVersion: return BytesOf(swVersion);
    case RecordBlock::ClockStatus: return BytesOf(clockStatus);
    case RecordBlock::FiftyBps: return BytesOf(fiftyBps);
    case RecordBlock::Throughput: return BytesOf(throughput);
    case RecordBlock::Error: return BytesOf(error);
    case RecordBlock::Ack: return BytesOf(ack);
    case RecordBlock::Nak: return BytesOf(nak);
    case RecordBlock::VisibleList: return BytesOf(visibleList);
    case RecordBlock::Almanac: return BytesOf(almanac);
    case RecordBlock::Ephemeris: return BytesOf(ephemeris);
    case RecordBlock::DevelopmentData: return BytesOf(developmentData);
    case RecordBlock::OkToSend: return BytesOf(okToSend);
    case RecordBlock::MgrParams: return generation == 1 ? BytesOf(mgrParams1) : BytesOf(mgrParams);
    case RecordBlock::DgpsStatus: return BytesOf(dgpsStatus);
    case RecordBlock::Mid28: return BytesOf(mid28);
    case RecordBlock::Mid29: return BytesOf(mid29);
    case RecordBlock::Mid30: return BytesOf(mid30);
    case RecordBlock::Mid31: return BytesOf(mid31);
    case RecordBlock::Text:
    case RecordBlock::None: break;
    }
    return {};
}

void CMessageRecord::SetText(std::string_view value)
{
    textLength = static_cast<uint16_t>(std::min(value.size(), kTextCapacity - 1));
    std::memcpy(text, value.data(), textLength);
    text[textLength] = '\0';
}

}  // namespace kestrion
