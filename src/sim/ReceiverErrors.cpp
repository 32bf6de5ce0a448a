#include "sim/ReceiverErrors.h"

#include <vector>

namespace kestrion {
namespace {

constexpr int kFirstAfterMin = 8, kFirstAfterMax = 15;
constexpr int kEveryMin = 20, kEveryMax = 40;

// Codes of the three classes the error view tells apart.
constexpr uint16_t kBadParity = 2, kEphemerisOld = 12;              // notifications
constexpr uint16_t kVcoLockLost = 4097, kKillChannel = 4100;        // warnings
constexpr uint16_t kSoftwareOverrun = 8194;                         // alert

}  // namespace

CReceiverErrors::CReceiverErrors(uint64_t seed)
    : m_random(seed), m_secondsLeft(m_random.Between(kFirstAfterMin, kFirstAfterMax))
{
}

std::optional<Payload> CReceiverErrors::Next(const ReceiverSecond& second)
{
    if (--m_secondsLeft > 0) {
        return std::nullopt;
    }
    m_secondsLeft = m_random.Between(kEveryMin, kEveryMax);
    return Make(second);
}

Payload CReceiverErrors::Make(const ReceiverSecond& second)
{
    // A satellite and a channel the receiver tracks, when it tracks one.
    uint32_t prn = 1, channel = 1;
    for (size_t i = 0; i < second.channels.size(); ++i) {
        if (second.channels[i].prn != 0 && m_random.Chance(0.5)) {
            prn = second.channels[i].prn;
            channel = static_cast<uint32_t>(i + 1);
        }
    }
    const uint32_t seconds = second.tow / 100;
    std::vector<uint32_t> words;
    uint16_t code = kBadParity;
    switch (m_random.Between(0, 9)) {
    case 0:
    case 1:
    case 2: code = kBadParity, words = {prn, static_cast<uint32_t>(m_random.Between(1, 5))}; break;
    case 3:
    case 4: code = kEphemerisOld, words = {prn, static_cast<uint32_t>(m_random.Between(60, 1800))}; break;
    case 5:
    case 6: code = kVcoLockLost, words = {static_cast<uint32_t>(m_random.Between(50, 400))}; break;
    case 7:
    case 8: code = kKillChannel, words = {seconds, channel, static_cast<uint32_t>(m_random.Between(120, 600))}; break;
    default: code = kSoftwareOverrun, words = {static_cast<uint32_t>(m_random.Between(1, 40)), static_cast<uint32_t>(m_random.Between(2, 30))}; break;
    }
    return ErrorPayload(code, words);
}

}  // namespace kestrion
