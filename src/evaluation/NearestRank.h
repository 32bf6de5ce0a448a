#pragma once
// Exact percentiles by the nearest-rank rule: the smallest value with at least the fraction
// of all values at or below it.
#include <algorithm>
#include <cmath>
#include <span>

namespace kestrion {

// Reorders the values; 0 when there are none.
template <typename T>
T NearestRank(std::span<T> values, double fraction)
{
    if (values.empty()) {
        return T{};
    }
    const double rank = std::ceil(fraction * static_cast<double>(values.size()));
    const size_t index = static_cast<size_t>(std::clamp(rank, 1.0, static_cast<double>(values.size()))) - 1;
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(index), values.end());
    return values[index];
}

}  // namespace kestrion
