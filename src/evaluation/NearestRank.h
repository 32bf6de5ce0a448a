#pragma once
// Exact percentiles by the nearest-rank rule: the smallest value with at least the fraction
// of all values at or below it.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <span>

namespace kestrion {

// The rank (1 for the smallest) of the fraction's value among `count` values; 1 for none.
inline size_t RankOf(double fraction, size_t count)
{
    const double rank = std::ceil(fraction * static_cast<double>(count));
    return static_cast<size_t>(std::clamp(rank, 1.0, std::max(1.0, static_cast<double>(count))));
}

// Reorders the values; 0 when there are none.
template <typename T>
T NearestRank(std::span<T> values, double fraction)
{
    if (values.empty()) {
        return T{};
    }
    const size_t index = RankOf(fraction, values.size()) - 1;
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(index), values.end());
    return values[index];
}

}  // namespace kestrion
