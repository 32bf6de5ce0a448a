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
    const auto between = [this](int low, int high) { return static_cast<uint32_t>(m_random.Between(low, high)); };
    // Parity errors and old ephemerides are the commonest, an overrun the rarest.
    const int kind = m_random.Between(0, 9);
    if (kind < 3) {
        return ErrorPayload(kBadParity, std::vector<uint32_t>{prn, between(1, 5)});
    }
    if (kind < 5) {
        return ErrorPayload(kEphemerisOld, std::vector<uint32_t>{prn, between(60, 1800)});
    }
    if (kind < 7) {
        return ErrorPayload(kVcoLockLost, std::vector<uint32_t>{between(50, 400)});
    }
    if (kind < 9) {
        return ErrorPayload(kKillChannel, std::vector<uint32_t>{second.tow / 100, channel, between(120, 600)});
    }
    return ErrorPayload(kSoftwareOverrun, std::vector<uint32_t>{between(1, 40), between(2, 30)});
}

}  // namespace kestrion
