#pragma once
// Nearest-rank percentiles of the distances of points from a centre that may move between
// questions (the running mean), in D = 1 or 2 dimensions.
//
// Up to the exact limit every point is kept (4 or 8 bytes), in sorted runs of doubling size
// ordered by their distance from an anchor. A point's distance from the centre differs from
// its distance from the anchor by at most the centre's distance from the anchor, so a rank is
// decided among the few points of a narrow band of anchor distances: a question costs
// O(log² n) plus the band, adding a point O(log n) amortised. The anchor follows the centre
// when the band grows.
//
// Past the limit the points go into a log-linear histogram of their distance from the centre
// as it was then, and the kept points are let go: a rank is then within 0.4 % of the exact
// one, plus the distance the centre has moved since (none for a fixed centre).
#include <array>
#include <cstddef>
#include <vector>

#include "evaluation/LogHistogram.h"

namespace kestrion {

template <int D>
class CDistanceRanks {
public:
    using Point = std::array<float, D>;
    using Centre = std::array<double, D>;
    static constexpr size_t kExactLimit = 1000000;

    explicit CDistanceRanks(size_t exactLimit = kExactLimit) : m_exactLimit(exactLimit) {}

    // `centre` is where the centre is now; it is used only when the exact limit is reached.
    void Add(const Point& point, const Centre& centre);
    void Clear();
    size_t Count() const { return m_count; }
    bool Exact() const { return m_count <= m_exactLimit; }

    // The distance of nearest rank `rank` (1 for the nearest point, Count() for the farthest)
    // from `centre`, rounded to a float as the points are; 0 when empty. May move the anchor.
    double Rank(size_t rank, const Centre& centre);
    // Past the exact limit: the centre the distances were measured from.
    const Centre& HistogramCentre() const { return m_anchor; }

private:
    using Run = std::vector<Point>;

    double AnchorDistance(const Point& point) const { return Distance(point, m_anchor); }
    static double Distance(const Point& point, const Centre& centre);
    // Exactly, from the band of anchor distances that must hold the rank; false when that
    // band held too many points and the anchor should move first.
    bool ExactRank(size_t rank, const Centre& centre, bool anyBand, double& found);
    // How many points lie at most `distance` from the anchor.
    size_t CountWithin(double distance) const;
    void Reanchor(const Centre& centre);
    void ToHistogram();

    size_t m_exactLimit;
    size_t m_count = 0;
    Centre m_anchor{};
    size_t m_countAtAnchor = 0;
    std::vector<Run> m_runs;  // each sorted by anchor distance, sizes falling
    std::vector<double> m_band;
    CLogHistogram m_histogram;
};

extern template class CDistanceRanks<1>;
extern template class CDistanceRanks<2>;

}  // namespace kestrion
