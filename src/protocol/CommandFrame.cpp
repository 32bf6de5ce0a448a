#include "protocol/CommandFrame.h"

#include "protocol/HexDigits.h"

namespace kestrion {

std::vector<uint8_t> BuildCommandFrame(std::span<const uint8_t> payload)
{
    const size_t length = payload.size();
    uint16_t sum = 0;
    for (uint8_t byte : payload) {
        sum = static_cast<uint16_t>(sum + byte);
    }

    std::vector<uint8_t> frame;
    frame.reserve(length + 8);
    frame.push_back(0xA0);
    frame.push_back(0xA2);
    frame.push_back(static_cast<uint8_t>(length >> 8));
    frame.push_back(static_cast<uint8_t>(length));
    frame.insert(frame.end(), payload.begin(), payload.end());
    frame.push_back(static_cast<uint8_t>(sum >> 8));
    frame.push_back(static_cast<uint8_t>(sum));
    frame.push_back(0xB0);
    frame.push_back(0xB3);
    return frame;
}

std::string WrapNmeaBody(std::string_view body)
{
    std::string sentence;
    sentence.reserve(body.size() + 6);
    sentence += '$';
    sentence += body;
    sentence += '*';
    AppendHex(sentence, NmeaChecksum(body));
    sentence += "\r\n";
    return sentence;
}

std::string BuildNmeaSentence(std::string_view body)
{
    return "\r\n" + WrapNmeaBody(body);
}

}  // namespace kestrion
