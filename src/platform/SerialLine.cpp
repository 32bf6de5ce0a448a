#include "platform/SerialLine.h"

#include <charconv>

namespace kestrion {
namespace {

// The value of the text's leading decimal digits.
std::optional<unsigned> DecimalOf(const std::string& text)
{
    unsigned value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc()) {
        return std::nullopt;
    }
    return value;
}

std::optional<Parity> ParityOf(const std::string& text)
{
    switch (text.empty() ? '\0' : text.front()) {
    case 'N': return Parity::None;
    case 'E': return Parity::Even;
    case 'O': return Parity::Odd;
    case 'M': return Parity::Mark;
    case 'S': return Parity::Space;
    default: return std::nullopt;
    }
}

}  // namespace

SerialLine SerialLine::Of(const SerialSettings& settings)
{
    SerialLine line;
    // Rate 0 would hang the line up; it keeps the current rate like an empty text.
    if (const auto baud = DecimalOf(settings.baud); baud && *baud > 0) {
        line.baud = baud;
    }
    if (const auto bits = DecimalOf(settings.dataBits); bits && *bits >= 5 && *bits <= 8) {
        line.dataBits = bits;
    }
    line.parity = ParityOf(settings.parity);
    if (!settings.stopBits.empty()) {
        line.twoStopBits = settings.stopBits != "1";
    }
    return line;
}

std::chrono::microseconds CharacterTime(const SerialLine& line)
{
    if (!line.baud) {
        return std::chrono::microseconds(0);
    }
    const bool parityBit = line.parity && *line.parity != Parity::None;
    const long bits = 1 + line.dataBits.value_or(8) + (parityBit ? 1 : 0) + (line.twoStopBits.value_or(false) ? 2 : 1);
    return std::chrono::microseconds(bits * 1000000 / *line.baud + 1);
}

}  // namespace kestrion
