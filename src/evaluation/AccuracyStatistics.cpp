#include "evaluation/AccuracyStatistics.h"

#include <algorithm>
#include <cmath>

#include "evaluation/NearestRank.h"

namespace kestrion {
namespace {

AxisFigures AxisOf(double sum, double sumOfSquares, size_t count)
{
    AxisFigures axis;
    const double n = static_cast<double>(count);
    axis.mean = sum / n;
    if (count > 1) {
        axis.deviation = std::sqrt(std::max(0.0, (sumOfSquares - sum * axis.mean) / (n - 1)));
    }
    return axis;
}

GeodeticPoint InDegrees(const GeodeticPosition& at)
{
    return {at.latitude * kDegreesPerRadian, at.longitude * kDegreesPerRadian, at.height};
}

}  // namespace

CAccuracyStatistics::CAccuracyStatistics(AccuracyReference reference, size_t exactLimit)
    : m_reference(reference), m_exactLimit(exactLimit), m_horizontal(exactLimit), m_vertical(exactLimit)
{
    const GeodeticPoint& fixed = m_reference.fixed;
    m_fixedAt = {Radians(fixed.latitude), Radians(fixed.longitude), fixed.height};
    m_fixedEcef = GeodeticToEcef(fixed);
}

EnuError CAccuracyStatistics::ErrorAt(const GeodeticPosition& at, double dx, double dy, double dz)
{
    const NorthEast horizontal = NorthEastOf(at, dx, dy, dz);
    return {static_cast<float>(horizontal.east), static_cast<float>(horizontal.north),
            static_cast<float>(UpOf(at, dx, dy, dz))};
}

std::optional<KeptError> CAccuracyStatistics::Measure(const Fix& fix, const Fix* truth)
{
    EnuError error{};
    switch (m_reference.kind) {
    case ReferenceKind::Truth: {
        if (truth == nullptr) {
            return std::nullopt;
        }
        const GeodeticPosition at{Radians(truth->latitude), Radians(truth->longitude), truth->height};
        error = ErrorAt(at, fix.x - truth->x, fix.y - truth->y, fix.z - truth->z);
        break;
    }
    case ReferenceKind::Fixed:
        error = ErrorAt(m_fixedAt, fix.x - m_fixedEcef.x, fix.y - m_fixedEcef.y, fix.z - m_fixedEcef.z);
        break;
    case ReferenceKind::RunningMean:
        if (!m_anchor) {
            m_anchor = EcefVector{fix.x, fix.y, fix.z};
            m_anchorAt = EcefToGeodetic(fix.x, fix.y, fix.z);
        }
        return KeptError{static_cast<float>(fix.x - m_anchor->x), static_cast<float>(fix.y - m_anchor->y),
                         static_cast<float>(fix.z - m_anchor->z)};
    }
    return KeptError{error.east, error.north, error.up};
}

EnuError CAccuracyStatistics::EnuOf(const KeptError& kept) const
{
    return RunningMean() ? ErrorAt(m_anchorAt, kept[0], kept[1], kept[2]) : EnuError{kept[0], kept[1], kept[2]};
}

std::array<double, 3> CAccuracyStatistics::Centre() const
{
    if (!RunningMean() || m_count == 0) {
        return {};
    }
    const double n = static_cast<double>(m_count);
    return {m_sum[0] / n, m_sum[1] / n, m_sum[2] / n};
}

void CAccuracyStatistics::Add(const KeptError& kept)
{
    const EnuError enu = EnuOf(kept);
    const double values[3] = {enu.east, enu.north, enu.up};
    for (int axis = 0; axis < 3; ++axis) {
        m_sum[axis] += values[axis];
        m_squares[axis] += values[axis] * values[axis];
        m_offsetSum[axis] += kept[axis];
    }
    ++m_count;
    const std::array<double, 3> centre = Centre();
    m_horizontal.Add({enu.east, enu.north}, {centre[0], centre[1]});
    m_vertical.Add({enu.up}, {centre[2]});
}

bool CAccuracyStatistics::Add(const Fix& fix, const Fix* truth)
{
    if (const std::optional<KeptError> kept = Measure(fix, truth)) {
        Add(*kept);
        return true;
    }
    AddUnmatched();
    return false;
}

void CAccuracyStatistics::ClearFigures()
{
    m_count = 0;
    m_unmatched = 0;
    m_sum = m_squares = m_offsetSum = {};
    m_horizontal.Clear();
    m_vertical.Clear();
}

void CAccuracyStatistics::Reset()
{
    ClearFigures();
    m_anchor.reset();
}

GeodeticPosition CAccuracyStatistics::MeanPosition(const EcefVector& meanOffset) const
{
    const EcefVector anchor = m_anchor.value_or(EcefVector{});
    return EcefToGeodetic(anchor.x + meanOffset.x, anchor.y + meanOffset.y, anchor.z + meanOffset.z);
}

AccuracyFigures CAccuracyStatistics::Figures() const
{
    AccuracyFigures figures;
    figures.kind = m_reference.kind;
    figures.count = m_count;
    figures.unmatched = m_unmatched;
    if (m_reference.kind == ReferenceKind::Fixed) {
        figures.reference = m_reference.fixed;
    }
    if (m_count == 0) {
        return figures;
    }
    const double n = static_cast<double>(m_count);
    figures.east = AxisOf(m_sum[0], m_squares[0], m_count);
    figures.north = AxisOf(m_sum[1], m_squares[1], m_count);
    figures.up = AxisOf(m_sum[2], m_squares[2], m_count);
    double squares = m_squares[0] + m_squares[1];
    const std::array<double, 3> centre = Centre();
    if (RunningMean()) {
        // About the mean: the spread is the same, the mean error is none.
        figures.reference = InDegrees(MeanPosition({m_offsetSum[0] / n, m_offsetSum[1] / n, m_offsetSum[2] / n}));
        squares = std::max(0.0, squares - (m_sum[0] * m_sum[0] + m_sum[1] * m_sum[1]) / n);
        figures.east.mean = figures.north.mean = figures.up.mean = 0;
    }
    figures.twoDrms = 2.0 * std::sqrt(squares / n);
    const CDistanceRanks<2>::Centre horizontalCentre{centre[0], centre[1]};
    const CDistanceRanks<1>::Centre verticalCentre{centre[2]};
    figures.cep50 = m_horizontal.Rank(RankOf(0.50, m_count), horizontalCentre);
    figures.cep95 = m_horizontal.Rank(RankOf(0.95, m_count), horizontalCentre);
    figures.horizontal95 = figures.cep95;  // the same radius under its accuracy name
    figures.maxHorizontal = m_horizontal.Rank(m_count, horizontalCentre);
    figures.vertical95 = m_vertical.Rank(RankOf(0.95, m_count), verticalCentre);
    figures.maxVertical = m_vertical.Rank(m_count, verticalCentre);
    if (!m_horizontal.Exact()) {
        figures.binnedPast = m_exactLimit;
        const auto& frozen = m_horizontal.HistogramCentre();
        figures.meanMoved = std::hypot(centre[0] - frozen[0], centre[1] - frozen[1],
                                       centre[2] - m_vertical.HistogramCentre()[0]);
    }
    return figures;
}

}  // namespace kestrion
