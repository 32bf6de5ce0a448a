#include "epoch/ReceiverEpoch.h"

#include <algorithm>

namespace kestrion {

const char* FixModeName(FixMode mode)
{
    switch (mode) {
    case FixMode::None: return "none";
    case FixMode::TwoD: return "2D";
    case FixMode::ThreeD: return "3D";
    case FixMode::Dgps: return "DGPS";
    case FixMode::RtkFixed: return "RTK";
    case FixMode::RtkFloat: return "float";
    case FixMode::DeadReckoning: return "DR";
    }
    return "none";
}

std::optional<int> SatelliteView::BestCn0() const
{
    std::optional<int> best;
    for (const SignalObservation& signal : observations) {
        if (signal.cn0 && (!best || *signal.cn0 > *best)) {
            best = signal.cn0;
        }
    }
    return best;
}

const SatelliteView* ReceiverEpoch::Find(SatelliteId id) const
{
    const auto found = std::ranges::find(satellites, id, &SatelliteView::id);
    return found == satellites.end() ? nullptr : &*found;
}

}  // namespace kestrion
