#include "protocol/WordTables.h"

#include <array>

namespace kestrion {
namespace {

using namespace std::string_view_literals;

constexpr std::array kAltitudeUse = {"auto"sv, "always"sv, "never use"sv};
constexpr std::array kAltitudeSource = {"last KF alt"sv, "fixed"sv, "dynamic"sv};
constexpr std::array kDegradedMode = {"DThenT"sv, "TThenD"sv, "DirOnly"sv, "TimeOnly"sv,
                                      "Disabled"sv};
constexpr std::array kOnOff = {"disabled"sv, "enabled"sv};
constexpr std::array kDopMaskMode = {"auto"sv, "PDOP"sv, "HDOP"sv, "GDOP"sv, "disabled"sv};
constexpr std::array kDgpsMode = {"auto"sv, "exclusive"sv, "never use"sv, "mixed"sv};
constexpr std::array kLowPowerState = {"NotAvail"sv, "Continuous"sv, "WakeToSync"sv, "LullCyc"sv};
constexpr std::array kDgpsSource = {"None"sv, "WAAS"sv, "Serial"sv, "Internal Beacon"sv,
                                    "Software"sv};

}  // namespace

std::span<const std::string_view> WordsOf(WordTable table)
{
    switch (table) {
    case WordTable::AltitudeUse: return kAltitudeUse;
    case WordTable::AltitudeSource: return kAltitudeSource;
    case WordTable::DegradedMode: return kDegradedMode;
    case WordTable::OnOff: return kOnOff;
    case WordTable::DopMaskMode: return kDopMaskMode;
    case WordTable::DgpsMode: return kDgpsMode;
    case WordTable::LowPowerState: return kLowPowerState;
    case WordTable::DgpsSource: return kDgpsSource;
    }
    return {};
}

std::string WordText(WordTable table, unsigned index)
{
    const std::span<const std::string_view> words = WordsOf(table);
    return index < words.size() ? std::string(words[index]) : std::to_string(index);
}

}  // namespace kestrion
