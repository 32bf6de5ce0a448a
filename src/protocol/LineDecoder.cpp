#include "protocol/LineDecoder.h"

#include <algorithm>
#include <limits>
#include <span>

#include "protocol/MessageTable.h"

namespace kestrion {
namespace {

constexpr size_t kTruthFieldCount = 7;

// A field is any non-empty run between commas of the whole line, its line end included, so
// "\n" alone is one field while the line end after a last number only ends that number.
class CFieldCursor {
public:
    explicit CFieldCursor(std::string_view line) : m_rest(line) {}

    bool Next(std::string_view& field)
    {
        while (!m_rest.empty()) {
            const size_t comma = m_rest.find(',');
            field = m_rest.substr(0, comma);
            m_rest.remove_prefix(comma == std::string_view::npos ? m_rest.size() : comma + 1);
            if (!field.empty()) {
                return true;
            }
        }
        return false;
    }

private:
    std::string_view m_rest;
};

size_t CountFields(std::string_view line)
{
    CFieldCursor cursor(line);
    std::string_view field;
    size_t count = 0;
    while (cursor.Next(field)) {
        ++count;
    }
    return count;
}

bool IsSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

std::string_view SkipSpace(std::string_view text)
{
    while (!text.empty() && IsSpace(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

// Signed decimal, stopping at the first invalid character, held to the 32-bit range.
int64_t ParseDecimal(std::string_view field)
{
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
    std::string_view text = SkipSpace(field);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        value = std::min(value * 10 + (c - '0'), kMax + 1);
    }
    return std::clamp(negative ? -value : value, kMin, kMax);
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Unsigned hexadecimal without prefix, stopping at the first invalid character.
uint32_t ParseHex(std::string_view field)
{
    uint64_t value = 0;
    for (char c : SkipSpace(field)) {
        const int digit = HexDigit(c);
        if (digit < 0) {
            break;
        }
        value = std::min<uint64_t>(value * 16 + static_cast<uint64_t>(digit),
                                   std::numeric_limits<uint32_t>::max());
    }
    return static_cast<uint32_t>(value);
}

void DecodeTruthLine(CMessageRecord& record, std::string_view line, uint16_t truthWeek,
                     uint32_t truthTowOffset)
{
    int64_t values[kTruthFieldCount] = {};
    CFieldCursor cursor(line);
    std::string_view field;
    for (int64_t& value : values) {
        cursor.Next(field);
        value = ParseDecimal(field);
    }

    int64_t tow = int64_t{truthTowOffset} + values[0] * 100;
    int64_t week = truthWeek;
    while (tow > kWeekLength) {
        tow -= kWeekLength;
        ++week;
    }
    while (tow < 0) {
        tow += kWeekLength;
        --week;
    }

    record.nav = NavBlock{};
    record.SetType(MID_TrueNavigation);
    record.nav.mid = MID_TrueNavigation;
    record.nav.week = static_cast<uint16_t>(week);
    record.nav.tow = static_cast<uint32_t>(tow);
    record.nav.x = static_cast<int32_t>(values[1]);
    record.nav.y = static_cast<int32_t>(values[2]);
    record.nav.z = static_cast<int32_t>(values[3]);
    record.nav.vx = static_cast<int16_t>(fields::kNavVelocity[0].UnscaledWhole(values[4]));
    record.nav.vy = static_cast<int16_t>(fields::kNavVelocity[1].UnscaledWhole(values[5]));
    record.nav.vz = static_cast<int16_t>(fields::kNavVelocity[2].UnscaledWhole(values[6]));
}

void DecodeHexLine(CMessageRecord& record, std::string_view line, std::string& error)
{
    CFieldCursor cursor(line);
    std::string_view field;
    cursor.Next(field);
    const uint32_t declared = ParseHex(field);
    if (!cursor.Next(field)) {
        error = kLineInvalidData;
        return;
    }

    const auto mid = static_cast<uint8_t>(ParseHex(field));
    record.SetType(mid);
    // Tracker messages fill the tracker block, all others the navigation block.
    const MessageKind* kind = FindMessage(mid);
    const bool tracker = kind != nullptr && kind->block == RecordBlock::Tracker;
    const std::span<uint8_t> block = record.BlockOf(tracker ? RecordBlock::Tracker : RecordBlock::Nav);
    std::ranges::fill(block, 0);

    size_t copied = 0;
    do {
        if (copied < block.size()) {
            block[copied] = static_cast<uint8_t>(ParseHex(field));
        }
        ++copied;
    } while (cursor.Next(field));

    // The MID field is not counted; the bytes after it are, plus 3.
    if (uint64_t{declared} != copied - 1 + 3) {
        error = kLineCountMismatch;
    }
}

}  // namespace

bool DecodeLine(CMessageRecord& record, std::string_view line, std::string& error,
                uint16_t truthWeek, uint32_t truthTowOffset)
{
    record.Clear();
    error.clear();

    const size_t fields = CountFields(line);
    if (fields == kTruthFieldCount) {
        DecodeTruthLine(record, line, truthWeek, truthTowOffset);
    } else if (fields > 0) {
        DecodeHexLine(record, line, error);
    }
    return error.empty();
}

}  // namespace kestrion
