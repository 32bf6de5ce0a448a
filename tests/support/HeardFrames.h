#pragma once
// What a simulated receiver heard (its trace: frames in hexadecimal, sentences as text), taken
// apart: the payloads of the frames, those of one MID, the sentences.
#include <cstdint>
#include <string>
#include <vector>

namespace kestrion::test {

using Bytes = std::vector<uint8_t>;

inline Bytes HexToBytes(const std::string& hex)
{
    Bytes bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 3) {
        bytes.push_back(static_cast<uint8_t>(std::stoul(hex.substr(i, 2), nullptr, 16)));
    }
    return bytes;
}

// The payloads of the frames the receiver heard, in order.
template <typename Receiver>
std::vector<Bytes> HeardPayloads(Receiver& receiver)
{
    std::vector<Bytes> payloads;
    for (const std::string& line : receiver.Heard()) {
        if (line.starts_with("A0 A2")) {
            const Bytes frame = HexToBytes(line);
            payloads.emplace_back(frame.begin() + 4, frame.end() - 4);
        }
    }
    return payloads;
}

template <typename Receiver>
std::vector<Bytes> HeardWithMid(Receiver& receiver, uint8_t mid)
{
    std::vector<Bytes> found;
    for (Bytes& payload : HeardPayloads(receiver)) {
        if (!payload.empty() && payload[0] == mid) {
            found.push_back(std::move(payload));
        }
    }
    return found;
}

template <typename Receiver>
std::vector<std::string> HeardSentences(Receiver& receiver)
{
    std::vector<std::string> sentences;
    for (const std::string& line : receiver.Heard()) {
        if (line.starts_with("$")) {
            sentences.push_back(line);
        }
    }
    return sentences;
}

}  // namespace kestrion::test
