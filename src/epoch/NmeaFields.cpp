#include "epoch/NmeaFields.h"

#include <charconv>
#include <cmath>

#include "protocol/NmeaChecksum.h"

namespace kestrion {

bool CNmeaFields::Parse(std::string_view sentence)
{
    m_fields.clear();
    m_talker = m_type = {};
    if (sentence.empty() || sentence.front() != '$') {
        return false;
    }
    const NmeaChecksumCheck check = CheckNmeaChecksum(sentence);
    if (!check.valid || check.body.empty()) {
        return false;
    }
    const std::string_view body = check.body;
    const char* from = body.data();
    const char* const end = body.data() + body.size();
    for (const char* at = from; at != end; ++at) {
        if (*at == ',') {
            m_fields.emplace_back(from, static_cast<size_t>(at - from));
            from = at + 1;
        }
    }
    m_fields.emplace_back(from, static_cast<size_t>(end - from));
    const std::string_view address = m_fields.front();
    if (address.starts_with('P')) {
        m_talker = "P";
        m_type = address.substr(1);
    } else if (address.size() == 5) {
        m_talker = address.substr(0, 2);
        m_type = address.substr(2);
    } else {
        return false;
    }
    return true;
}

std::string_view CNmeaFields::Text(size_t index) const
{
    return index < m_fields.size() ? m_fields[index] : std::string_view{};
}

std::optional<double> CNmeaFields::Number(size_t index) const
{
    const std::string_view text = Text(index);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<int> CNmeaFields::Integer(size_t index) const
{
    const std::string_view text = Text(index);
    // Satellite numbers, counts and IDs: a few plain digits, read without the general parser.
    if (!text.empty() && text.size() <= 9) {
        int value = 0;
        bool digits = true;
        for (const char c : text) {
            digits = digits && c >= '0' && c <= '9';
            value = value * 10 + (c - '0');
        }
        if (digits) {
            return value;
        }
    }
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<int64_t> CNmeaFields::TimeOfDay(size_t index) const
{
    const std::string_view text = Text(index);
    const std::optional<double> value = Number(index);
    if (!value || text.size() < 6 || *value < 0) {
        return std::nullopt;
    }
    const int64_t whole = static_cast<int64_t>(*value);
    const int hours = static_cast<int>(whole / 10000), minutes = static_cast<int>(whole / 100 % 100);
    const double seconds = *value - static_cast<double>(whole / 100 * 100);
    if (hours > 23 || minutes > 59 || seconds >= 61) {
        return std::nullopt;
    }
    return (int64_t{hours} * 60 + minutes) * 60000 + std::llround(seconds * 1000);
}

std::optional<double> CNmeaFields::Angle(size_t index) const
{
    const std::optional<double> value = Number(index);
    const std::string_view hemisphere = Text(index + 1);
    if (!value || hemisphere.size() != 1) {
        return std::nullopt;
    }
    const double degrees = std::floor(*value / 100);
    const double angle = degrees + (*value - degrees * 100) / 60;
    const char h = hemisphere[0];
    if (h == 'S' || h == 'W') return -angle;
    if (h == 'N' || h == 'E') return angle;
    return std::nullopt;
}

}  // namespace kestrion
