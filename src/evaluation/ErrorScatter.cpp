#include "evaluation/ErrorScatter.h"

#include <algorithm>
#include <cmath>

namespace kestrion {
namespace {

constexpr double kReach = 1 << 30;  // cells on each side; errors beyond stand at the edge

int32_t Column(uint64_t key) { return static_cast<int32_t>(static_cast<uint32_t>(key >> 32)); }
int32_t Row(uint64_t key) { return static_cast<int32_t>(static_cast<uint32_t>(key)); }
uint64_t Key(int32_t column, int32_t row)
{
    return uint64_t{static_cast<uint32_t>(column)} << 32 | static_cast<uint32_t>(row);
}

int32_t CellOf(double metres, double side)
{
    return static_cast<int32_t>(std::clamp(std::floor(metres / side), -kReach, kReach));
}

// Floor division by two, for negative cells too.
int32_t Half(int32_t cell) { return cell >> 1; }

}  // namespace

uint64_t CErrorScatter::KeyOf(double east, double north) const
{
    return Key(CellOf(east, m_side), CellOf(north, m_side));
}

void CErrorScatter::Add(double east, double north)
{
    if (std::isnan(east) || std::isnan(north)) {
        return;
    }
    m_cells.insert(KeyOf(east, north));
    while (m_cells.size() > m_limit) {
        Coarsen();
    }
}

void CErrorScatter::Coarsen()
{
    std::unordered_set<uint64_t> merged;
    merged.reserve(m_cells.size());
    for (const uint64_t key : m_cells) {
        merged.insert(Key(Half(Column(key)), Half(Row(key))));
    }
    m_cells = std::move(merged);
    m_side *= 2;
}

void CErrorScatter::Clear()
{
    m_cells = {};
    m_side = kFirstSide;
}

std::vector<EnuError> CErrorScatter::Points(double centreEast, double centreNorth) const
{
    std::vector<EnuError> points;
    points.reserve(m_cells.size());
    for (const uint64_t key : m_cells) {
        points.push_back({static_cast<float>((Column(key) + 0.5) * m_side - centreEast),
                          static_cast<float>((Row(key) + 0.5) * m_side - centreNorth), 0.0f});
    }
    return points;
}

}  // namespace kestrion
