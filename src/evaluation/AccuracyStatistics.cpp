#include "evaluation/AccuracyStatistics.h"

#include <algorithm>
#include <cmath>

#include "evaluation/NearestRank.h"

namespace kestrion {
namespace {

AxisFigures AxisOf(double sum, double sumOfSquares, size_t count)
{
    AxisFigures axis;
    if (count == 0) {
        return axis;
    }
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

CAccuracyStatistics::CAccuracyStatistics(AccuracyReference reference) : m_reference(reference)
{
    const GeodeticPoint& fixed = m_reference.fixed;
    m_fixedAt = {Radians(fixed.latitude), Radians(fixed.longitude), fixed.height};
    m_fixedEcef = GeodeticToEcef(fixed);
}

EnuError CAccuracyStatistics::ErrorAt(const GeodeticPosition& at, double dx, double dy, double dz) const
{
    const NorthEast horizontal = NorthEastOf(at, dx, dy, dz);
    return {static_cast<float>(horizontal.east), static_cast<float>(horizontal.north),
            static_cast<float>(UpOf(at, dx, dy, dz))};
}

bool CAccuracyStatistics::Add(const CFix& fix, const CFix* truth)
{
    EnuError error{};
    switch (m_reference.kind) {
    case ReferenceKind::Truth: {
        if (truth == nullptr) {
            ++m_unmatched;
            return false;
        }
        const GeodeticPosition at{Radians(truth->latitude), Radians(truth->longitude), truth->height};
        error = ErrorAt(at, fix.x - truth->x, fix.y - truth->y, fix.z - truth->z);
        break;
    }
    case ReferenceKind::Fixed:
        error = ErrorAt(m_fixedAt, fix.x - m_fixedEcef.x, fix.y - m_fixedEcef.y, fix.z - m_fixedEcef.z);
        break;
    case ReferenceKind::RunningMean:
        if (m_kept.empty()) {
            m_anchor = {fix.x, fix.y, fix.z};
        }
        m_kept.push_back({static_cast<float>(fix.x - m_anchor.x), static_cast<float>(fix.y - m_anchor.y),
                          static_cast<float>(fix.z - m_anchor.z)});
        return true;
    }
    m_kept.push_back({error.east, error.north, error.up});
    return true;
}

void CAccuracyStatistics::Reset()
{
    m_kept.clear();
    m_unmatched = 0;
}

EcefVector CAccuracyStatistics::MeanOffset() const
{
    double sum[3] = {};
    for (const auto& offset : m_kept) {
        for (int axis = 0; axis < 3; ++axis) {
            sum[axis] += offset[axis];
        }
    }
    const double n = static_cast<double>(m_kept.size());
    return {sum[0] / n, sum[1] / n, sum[2] / n};
}

std::vector<EnuError> CAccuracyStatistics::Errors() const
{
    std::vector<EnuError> errors;
    errors.reserve(m_kept.size());
    if (m_reference.kind != ReferenceKind::RunningMean) {
        for (const auto& [east, north, up] : m_kept) {
            errors.push_back({east, north, up});
        }
        return errors;
    }
    if (m_kept.empty()) {
        return errors;
    }
    const EcefVector mean = MeanOffset();
    const GeodeticPosition at = EcefToGeodetic(m_anchor.x + mean.x, m_anchor.y + mean.y, m_anchor.z + mean.z);
    for (const auto& offset : m_kept) {
        errors.push_back(ErrorAt(at, offset[0] - mean.x, offset[1] - mean.y, offset[2] - mean.z));
    }
    return errors;
}

AccuracyFigures CAccuracyStatistics::Figures() const
{
    AccuracyFigures figures;
    figures.kind = m_reference.kind;
    figures.count = m_kept.size();
    figures.unmatched = m_unmatched;
    if (m_reference.kind == ReferenceKind::Fixed) {
        figures.reference = m_reference.fixed;
    }
    if (m_kept.empty()) {
        return figures;
    }
    if (m_reference.kind == ReferenceKind::RunningMean) {
        const EcefVector mean = MeanOffset();
        figures.reference = InDegrees(EcefToGeodetic(m_anchor.x + mean.x, m_anchor.y + mean.y, m_anchor.z + mean.z));
    }

    const std::vector<EnuError> errors = Errors();
    std::vector<float> horizontal, vertical;
    horizontal.reserve(errors.size());
    vertical.reserve(errors.size());
    double sum[3] = {}, squares[3] = {};
    for (const EnuError& error : errors) {
        const double e = error.east, n = error.north, u = error.up;
        sum[0] += e, sum[1] += n, sum[2] += u;
        squares[0] += e * e, squares[1] += n * n, squares[2] += u * u;
        horizontal.push_back(static_cast<float>(std::sqrt(e * e + n * n)));
        vertical.push_back(std::fabs(error.up));
    }
    figures.east = AxisOf(sum[0], squares[0], errors.size());
    figures.north = AxisOf(sum[1], squares[1], errors.size());
    figures.up = AxisOf(sum[2], squares[2], errors.size());
    figures.twoDrms = 2.0 * std::sqrt((squares[0] + squares[1]) / static_cast<double>(errors.size()));
    figures.maxHorizontal = *std::max_element(horizontal.begin(), horizontal.end());
    figures.maxVertical = *std::max_element(vertical.begin(), vertical.end());
    figures.cep50 = NearestRank(std::span(horizontal), 0.50);
    figures.cep95 = NearestRank(std::span(horizontal), 0.95);
    figures.horizontal95 = figures.cep95;  // the same radius under its accuracy name
    figures.vertical95 = NearestRank(std::span(vertical), 0.95);
    return figures;
}

}  // namespace kestrion
