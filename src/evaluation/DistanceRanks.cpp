#include "evaluation/DistanceRanks.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace kestrion {
namespace {

constexpr size_t kBandPoints = 4096;     // a band this large (or a 64th of all) moves the anchor
constexpr size_t kBisectedPoints = 256;  // the bisection stops with this few between its ends

template <int D>
double Between(const std::array<double, D>& a, const std::array<double, D>& b)
{
    double sum = 0;
    for (int axis = 0; axis < D; ++axis) {
        sum += (a[axis] - b[axis]) * (a[axis] - b[axis]);
    }
    return std::sqrt(sum);
}

}  // namespace

template <int D>
double CDistanceRanks<D>::Distance(const Point& point, const Centre& centre)
{
    if constexpr (D == 1) {
        return std::fabs(point[0] - centre[0]);
    } else {
        const double east = point[0] - centre[0], north = point[1] - centre[1];
        return std::sqrt(east * east + north * north);
    }
}

template <int D>
void CDistanceRanks<D>::Add(const Point& point, const Centre& centre)
{
    if (m_count == m_exactLimit) {
        m_anchor = centre;
        ToHistogram();
    }
    ++m_count;
    if (!Exact()) {
        m_histogram.Add(AnchorDistance(point));
        return;
    }
    m_runs.push_back({point});
    const auto nearer = [this](const Point& a, const Point& b) { return AnchorDistance(a) < AnchorDistance(b); };
    while (m_runs.size() > 1 && m_runs.back().size() >= m_runs[m_runs.size() - 2].size()) {
        Run& into = m_runs[m_runs.size() - 2];
        Run merged;
        merged.reserve(into.size() + m_runs.back().size());
        std::merge(into.begin(), into.end(), m_runs.back().begin(), m_runs.back().end(), std::back_inserter(merged),
                   nearer);
        into = std::move(merged);
        m_runs.pop_back();
    }
}

template <int D>
void CDistanceRanks<D>::Clear()
{
    m_count = 0;
    m_countAtAnchor = 0;
    m_anchor = {};
    m_runs = {};
    m_band = {};
    m_histogram.Clear();
}

template <int D>
size_t CDistanceRanks<D>::CountWithin(double distance) const
{
    size_t count = 0;
    for (const Run& run : m_runs) {
        count += static_cast<size_t>(std::partition_point(run.begin(), run.end(), [&](const Point& point) {
                                         return AnchorDistance(point) <= distance;
                                     }) - run.begin());
    }
    return count;
}

template <int D>
bool CDistanceRanks<D>::ExactRank(size_t rank, const Centre& centre, bool anyBand, double& found)
{
    const double moved = Between<D>(centre, m_anchor);
    // (below, above] holds the rank's anchor distance.
    double below = -1, above = 0;
    for (const Run& run : m_runs) {
        above = std::max(above, AnchorDistance(run.back()));
    }
    size_t countBelow = 0, countAbove = m_count;
    for (int step = 0; step < 64 && countAbove - countBelow > kBisectedPoints &&
                       above - below > std::max(moved / 2, 1e-7 * above);
         ++step) {
        const double middle = (below + above) / 2;
        const size_t within = CountWithin(middle);
        if (within >= rank) {
            above = middle, countAbove = within;
        } else {
            below = middle, countBelow = within;
        }
    }
    // The rank's distance from the centre lies within `moved` of that; points nearer to the
    // anchor than twice that are nearer to the centre too, those farther are farther.
    const double margin = 2 * moved + 1e-9 * (1 + above);
    using Range = std::pair<typename Run::const_iterator, typename Run::const_iterator>;
    std::vector<Range> ranges;
    size_t nearer = 0, banded = 0;
    for (const Run& run : m_runs) {
        const auto first = std::partition_point(run.begin(), run.end(), [&](const Point& point) {
            return AnchorDistance(point) < below - margin;
        });
        const auto last = std::partition_point(first, run.end(), [&](const Point& point) {
            return AnchorDistance(point) <= above + margin;
        });
        nearer += static_cast<size_t>(first - run.begin());
        banded += static_cast<size_t>(last - first);
        ranges.emplace_back(first, last);
    }
    if (!anyBand && banded > std::max(kBandPoints, m_count / 64)) {
        return false;
    }
    m_band.clear();
    for (const auto& [first, last] : ranges) {
        for (auto at = first; at != last; ++at) {
            m_band.push_back(Distance(*at, centre));
        }
    }
    if (m_band.empty() || rank <= nearer) {
        found = 0;  // not reached: the band holds the rank
        return true;
    }
    const auto nth = m_band.begin() + static_cast<std::ptrdiff_t>(std::min(rank - nearer, m_band.size()) - 1);
    std::nth_element(m_band.begin(), nth, m_band.end());
    found = static_cast<float>(*nth);
    return true;
}

template <int D>
double CDistanceRanks<D>::Rank(size_t rank, const Centre& centre)
{
    if (m_count == 0) {
        return 0;
    }
    rank = std::clamp<size_t>(rank, 1, m_count);
    if (!Exact()) {
        return static_cast<float>(m_histogram.Rank(rank));
    }
    double found = 0;
    if (ExactRank(rank, centre, false, found)) {
        return found;
    }
    // Moving the anchor sorts every point again: only once the count has grown by a quarter.
    if (m_count >= m_countAtAnchor + m_countAtAnchor / 4) {
        Reanchor(centre);
    }
    ExactRank(rank, centre, true, found);
    return found;
}

template <int D>
void CDistanceRanks<D>::Reanchor(const Centre& centre)
{
    m_anchor = centre;
    m_countAtAnchor = m_count;
    Run all;
    all.reserve(m_count);
    for (Run& run : m_runs) {
        all.insert(all.end(), run.begin(), run.end());
        run = {};  // let go at once: the points are held twice only one run at a time
    }
    std::sort(all.begin(), all.end(),
              [this](const Point& a, const Point& b) { return AnchorDistance(a) < AnchorDistance(b); });
    m_runs.clear();
    m_runs.push_back(std::move(all));
}

template <int D>
void CDistanceRanks<D>::ToHistogram()
{
    for (const Run& run : m_runs) {
        for (const Point& point : run) {
            m_histogram.Add(AnchorDistance(point));
        }
    }
    m_runs = {};
    m_band = {};
}

template class CDistanceRanks<1>;
template class CDistanceRanks<2>;

}  // namespace kestrion
