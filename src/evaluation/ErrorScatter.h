#pragma once
// The horizontal errors for a scatter plot, bounded: each error marks a square cell of a grid,
// and a cell is kept once however many errors fall in it. The cells start at about a
// millimetre; when more than kCells are marked, the cells grow to twice their side and
// merge. Every error keeps a mark near it, the outliers too; only errors a cell apart merge.
#include <cstddef>
#include <cstdint>
#include <unordered_set>
#include <vector>

#include "evaluation/AccuracyStatistics.h"

namespace kestrion {

class CErrorScatter {
public:
    static constexpr size_t kCells = 1 << 15;

    explicit CErrorScatter(size_t cells = kCells) : m_limit(cells) {}

    // Not-a-number errors are left out.
    void Add(double east, double north);
    void Clear();
    // The middle of each marked cell less `centre`, up 0; in no particular order.
    std::vector<EnuError> Points(double centreEast, double centreNorth) const;
    double CellSide() const { return m_side; }
    size_t Size() const { return m_cells.size(); }

private:
    static constexpr double kFirstSide = 1.0 / 1024;  // metres

    uint64_t KeyOf(double east, double north) const;
    void Coarsen();

    size_t m_limit;
    double m_side = kFirstSide;
    std::unordered_set<uint64_t> m_cells;
};

}  // namespace kestrion
