#include "transport/StreamTimeScan.h"

#include <algorithm>
#include <string_view>

#include "protocol/FrameBytes.h"
#include "protocol/MessageLayouts.h"
#include "protocol/NmeaChecksum.h"

namespace kestrion {
namespace {

using namespace frame;

constexpr int64_t kWeekMs = int64_t{7} * 24 * 3600 * 1000;
constexpr int64_t kMsPerTowCount = 10;  // times of week in 1/100 s

// The GPS time in ms of a week and time of week in a payload.
int64_t WeekTimeMs(const uint8_t* payload, const LayoutField& week, const LayoutField& tow)
{
    return ReadU16(payload + week.offset) * kWeekMs + int64_t{ReadU32(payload + tow.offset)} * kMsPerTowCount;
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
    // Framed in pieces that end where a frame or a sentence may end (its last byte is B3 or
    // LF), so that a message found ends at the end of its piece.
    const uint8_t* at = bytes.data();
    const uint8_t* const end = at + bytes.size();
    while (at < end) {
        const uint8_t* last = at;
        while (last < end - 1 && *last != kEnd2 && *last != kLF) {
            ++last;
        }
        const size_t count = static_cast<size_t>(last - at) + 1;
        m_end += static_cast<int64_t>(count);
        m_framer.Accept(at, count);
        at += count;
    }
}

void CStreamTimeScan::OnFrame(std::span<const uint8_t> payload)
{
    // Start, length, payload, checksum and end.
    const int64_t start = m_end - static_cast<int64_t>(payload.size() + 8);
    const uint8_t* bytes = payload.data();
    constexpr LayoutField kNavTow = layouts::kNavigation.Field("tow");
    constexpr LayoutField kTrackerTow = layouts::kTrackerHeader.Field("tow");
    if (bytes[0] == MID_MeasuredNavigation && payload.size() >= kNavTow.offset + FieldSize(kNavTow.type)) {
        m_timeline.Mark(start, CReplayTimeline::Clock::Gps,
                        WeekTimeMs(bytes, layouts::kNavigation.Field("week"), kNavTow));
    } else if (bytes[0] == MID_MeasuredTracker && payload.size() >= kTrackerTow.offset + FieldSize(kTrackerTow.type)) {
        m_timeline.Mark(start, CReplayTimeline::Clock::Gps,
                        WeekTimeMs(bytes, layouts::kTrackerHeader.Field("week"), kTrackerTow));
    }
}

void CStreamTimeScan::OnSentence(std::span<const uint8_t> bytes)
{
    const int64_t start = m_end - static_cast<int64_t>(bytes.size());
    const std::string_view sentence(reinterpret_cast<const char*>(bytes.data()), bytes.size());
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
                m_timeline.Mark(start, CReplayTimeline::Clock::UtcOfDay, ms);
            }
            return;
        }
    }
}

}  // namespace kestrion
