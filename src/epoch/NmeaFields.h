#pragma once
// The fields of one NMEA sentence: checksum, talker and type, and each field read as a number,
// unknown (none) when empty or malformed.
#include <optional>
#include <string_view>
#include <vector>

namespace kestrion {

class CNmeaFields {
public:
    // False when the text is no sentence ("$" missing) or its "*hh" checksum does not match; a
    // sentence without a checksum is taken as it is.
    bool Parse(std::string_view sentence);

    std::string_view Talker() const { return m_talker; }  // "GP", "GN"...; "P" for proprietary
    std::string_view Type() const { return m_type; }      // "GGA", "GSV"...
    // Fields after the address, from 1; empty past the end.
    size_t Count() const { return m_fields.size(); }
    std::string_view Text(size_t index) const;
    std::optional<double> Number(size_t index) const;
    std::optional<int> Integer(size_t index) const;
    // "hhmmss.sss" as milliseconds of the day.
    std::optional<int64_t> TimeOfDay(size_t index) const;
    // "ddmm.mmmm" with its hemisphere field after it, as signed degrees.
    std::optional<double> Angle(size_t index) const;

private:
    std::string_view m_talker, m_type;
    std::vector<std::string_view> m_fields;  // m_fields[0] is the address
};

}  // namespace kestrion
