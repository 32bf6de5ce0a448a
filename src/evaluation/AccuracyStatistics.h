#pragma once
// Position errors of a run of fixes against a reference, and the figures an evaluation quotes
// for them. Means, deviations and 2DRMS come from running sums; the percentiles and maxima
// are exact up to a million fixes (12 bytes each) and binned beyond, so that the figures cost
// no pass over the fixes however many there are.
#include <array>
#include <cstddef>
#include <optional>

#include "evaluation/AccuracyReference.h"
#include "evaluation/DistanceRanks.h"
#include "evaluation/Fix.h"
#include "geo/Geodetic.h"

namespace kestrion {

struct EnuError {
    float east, north, up;  // metres
};

struct AxisFigures {
    double mean = 0;
    double deviation = 0;  // sample standard deviation, 0 below two fixes
};

struct AccuracyFigures {
    ReferenceKind kind = ReferenceKind::RunningMean;
    GeodeticPoint reference{};  // the fixed point or the current mean; none for truth
    size_t count = 0;           // fixes kept
    size_t unmatched = 0;       // fixes without a truth record (truth only)
    AxisFigures east, north, up;
    double cep50 = 0;         // horizontal error radius holding 50 % of the fixes
    double cep95 = 0;         // and 95 %
    double twoDrms = 0;       // twice the root mean square of the horizontal error
    double horizontal95 = 0;  // 95th percentile of the horizontal error (the CEP95 radius)
    double vertical95 = 0;    // 95th percentile of the absolute up error
    double maxHorizontal = 0;
    double maxVertical = 0;   // absolute
    // Past the exact limit (the count in `binnedPast`, 0 while exact) the percentiles and
    // maxima are binned (within 0.4 %); against the running mean they are measured from the
    // mean as it was then, which has since moved by `meanMoved` metres (the most they can be
    // off by besides).
    size_t binnedPast = 0;
    double meanMoved = 0;
};

// What a fix keeps: its east, north, up error against a truth or fixed reference, or its
// earth-centred offset from the first fix for the running mean.
using KeptError = std::array<float, 3>;

class CAccuracyStatistics {
public:
    static constexpr size_t kExactLimit = CDistanceRanks<2>::kExactLimit;

    explicit CAccuracyStatistics(AccuracyReference reference, size_t exactLimit = kExactLimit);

    // The fix's kept error; a truth reference needs the fix's matched truth, and gives
    // nothing without. The running mean's first fix becomes its anchor.
    std::optional<KeptError> Measure(const Fix& fix, const Fix* truth);
    // Counts a measured fix, or one without truth, in the figures.
    void Add(const KeptError& kept);
    void AddUnmatched() { ++m_unmatched; }
    // Measures and counts; true when the fix was kept.
    bool Add(const Fix& fix, const Fix* truth);
    // Forgets the figures and the anchor.
    void Reset();
    // Forgets the figures, keeping the anchor, to count kept errors again.
    void ClearFigures();

    // Logically const: the percentiles may reorder what they keep.
    AccuracyFigures Figures() const;
    // The east, north, up of a kept error in the figures' frame: the reference's, or for the
    // running mean the anchor's, not yet less the mean.
    EnuError EnuOf(const KeptError& kept) const;
    // The running mean's east, north, up in the anchor's frame (zero for the other references).
    std::array<double, 3> Centre() const;
    // Where the running mean stands for a mean offset from the anchor (radians).
    GeodeticPosition MeanPosition(const EcefVector& meanOffset) const;
    // An earth-centred offset as east, north, up at a place.
    static EnuError ErrorAt(const GeodeticPosition& at, double dx, double dy, double dz);

    const AccuracyReference& Reference() const { return m_reference; }
    size_t Count() const { return m_count; }

private:
    bool RunningMean() const { return m_reference.kind == ReferenceKind::RunningMean; }

    AccuracyReference m_reference;
    size_t m_exactLimit;
    GeodeticPosition m_fixedAt{};  // radians
    EcefVector m_fixedEcef{};
    std::optional<EcefVector> m_anchor;  // the running mean's first fix
    GeodeticPosition m_anchorAt{};
    size_t m_count = 0;
    size_t m_unmatched = 0;
    std::array<double, 3> m_sum{}, m_squares{};  // of east, north, up
    std::array<double, 3> m_offsetSum{};         // of the running mean's offsets
    mutable CDistanceRanks<2> m_horizontal;
    mutable CDistanceRanks<1> m_vertical;
};

}  // namespace kestrion
