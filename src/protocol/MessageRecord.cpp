#include "protocol/MessageRecord.h"

#include <algorithm>
#include <cstring>

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
    if (type == 19) {
        std::ranges::fill(BytesOf(mgrParams1), 0);
        std::ranges::fill(BytesOf(mgrParams), 0);
    } else if (type == 255) {
        faultMarker = 0;
        textLength = 0;
    } else {
        std::ranges::fill(BlockOf(type), 0);
    }
}

uint16_t CMessageRecord::Week() const
{
    if (type == 1 || type == 2) {
        return nav.week;
    }
    return type == 3 || type == 4 ? uint16_t{tracker.week} : uint16_t{0};
}

uint32_t CMessageRecord::Tow() const
{
    if (type == 1 || type == 2) {
        return nav.tow;
    }
    return type == 3 || type == 4 ? uint32_t{tracker.tow} : 0u;
}

std::span<uint8_t> CMessageRecord::BlockOf(uint8_t ofType, int generation)
{
    switch (ofType) {
    case 1:
    case 2: return BytesOf(nav);
    case 3:
    case 4:
    case 23: return BytesOf(tracker);
    case 5: return BytesOf(rawTrack);
    case 6: return BytesOf(swVersion);
    case 7: return BytesOf(clockStatus);
    case 8: return BytesOf(fiftyBps);
    case 9: return BytesOf(throughput);
    case 10: return BytesOf(error);
    case 11: return BytesOf(ack);
    case 12: return BytesOf(nak);
    case 13: return BytesOf(visibleList);
    case 14: return BytesOf(almanac);
    case 15: return BytesOf(ephemeris);
    case 17: return BytesOf(developmentData);
    case 18: return BytesOf(okToSend);
    case 19: return generation == 1 ? BytesOf(mgrParams1) : BytesOf(mgrParams);
    case 27: return BytesOf(dgpsStatus);
    case 28: return BytesOf(mid28);
    case 29: return BytesOf(mid29);
    case 30: return BytesOf(mid30);
    case 31: return BytesOf(mid31);
    default: return {};
    }
}

void CMessageRecord::SetText(std::string_view value)
{
    textLength = static_cast<uint16_t>(std::min(value.size(), kTextCapacity - 1));
    std::memcpy(text, value.data(), textLength);
    text[textLength] = '\0';
}

}  // namespace kestrion
