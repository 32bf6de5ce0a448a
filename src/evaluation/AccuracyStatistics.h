#pragma once
// Position errors of a run of fixes against a reference, and the figures an evaluation quotes
// for them. Every kept fix costs 12 bytes (three floats); the percentiles are exact over all of
// them, found by selection when the figures are asked for.
#include <array>
#include <cstddef>
#include <vector>

#include "evaluation/AccuracyReference.h"
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
};

class CAccuracyStatistics {
public:
    explicit CAccuracyStatistics(AccuracyReference reference);

    // Keeps the fix's error; a truth reference needs the fix's matched truth, and a fix
    // without one is only counted as unmatched. True when the fix was kept.
    bool Add(const CFix& fix, const CFix* truth);
    void Reset();

    // The errors of the kept fixes in the order added. Against the running mean they are
    // recomputed against the mean of all fixes kept so far, in the mean's local frame, so that
    // the figures describe the spread about the current mean (the mean error is then 0).
    std::vector<EnuError> Errors() const;
    AccuracyFigures Figures() const;

    const AccuracyReference& Reference() const { return m_reference; }
    size_t Count() const { return m_kept.size(); }

private:
    // The mean earth-centred offset of the kept fixes from the first (running mean only).
    EcefVector MeanOffset() const;
    EnuError ErrorAt(const GeodeticPosition& at, double dx, double dy, double dz) const;

    AccuracyReference m_reference;
    GeodeticPosition m_fixedAt{};  // radians
    EcefVector m_fixedEcef{};
    // East, north, up errors; for the running mean, earth-centred offsets from the first fix.
    std::vector<std::array<float, 3>> m_kept;
    EcefVector m_anchor{};
    size_t m_unmatched = 0;
};

}  // namespace kestrion
