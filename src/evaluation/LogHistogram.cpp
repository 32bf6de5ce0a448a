#include "evaluation/LogHistogram.h"

#include <algorithm>
#include <cmath>

namespace kestrion {
namespace {

constexpr size_t kOctaves = CLogHistogram::kHighestExponent - CLogHistogram::kLowestExponent;

}  // namespace

CLogHistogram::CLogHistogram() : m_bins(1 + kOctaves * kBinsPerOctave) {}

size_t CLogHistogram::BinOf(double value)
{
    int exponent = 0;
    const double mantissa = std::frexp(value, &exponent);  // value = mantissa 2^exponent, mantissa in [0.5, 1)
    if (!(value > 0) || exponent < kLowestExponent) {
        return 0;
    }
    if (exponent >= kHighestExponent || !std::isfinite(value)) {
        return kOctaves * kBinsPerOctave;
    }
    const auto step = static_cast<size_t>((mantissa - 0.5) * 2 * kBinsPerOctave);
    return 1 + static_cast<size_t>(exponent - kLowestExponent) * kBinsPerOctave + std::min<size_t>(step, kBinsPerOctave - 1);
}

double CLogHistogram::MiddleOf(size_t bin)
{
    if (bin == 0) {
        return 0;
    }
    const size_t octave = (bin - 1) / kBinsPerOctave;
    const size_t step = (bin - 1) % kBinsPerOctave;
    const double mantissa = 0.5 + (static_cast<double>(step) + 0.5) / (2 * kBinsPerOctave);
    return std::ldexp(mantissa, static_cast<int>(octave) + kLowestExponent);
}

void CLogHistogram::Add(double value)
{
    ++m_bins[BinOf(value)];
    m_smallest = m_count == 0 ? value : std::min(m_smallest, value);
    m_largest = m_count == 0 ? value : std::max(m_largest, value);
    ++m_count;
}

void CLogHistogram::Clear()
{
    std::fill(m_bins.begin(), m_bins.end(), 0);
    m_count = 0;
    m_smallest = m_largest = 0;
}

double CLogHistogram::Rank(size_t rank) const
{
    if (m_count == 0) {
        return 0;
    }
    rank = std::clamp<size_t>(rank, 1, m_count);
    if (rank == m_count) {
        return m_largest;
    }
    uint64_t below = 0;
    for (size_t bin = 0; bin < m_bins.size(); ++bin) {
        below += m_bins[bin];
        if (below >= rank) {
            return std::clamp(MiddleOf(bin), m_smallest, m_largest);
        }
    }
    return m_largest;
}

}  // namespace kestrion
