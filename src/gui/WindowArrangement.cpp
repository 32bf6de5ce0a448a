#include "gui/WindowArrangement.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace kestrion {

namespace {

// Sizes as equal as their minimums allow that add up to the total, or the minimums when they
// need more.
std::vector<int> ShareOut(const std::vector<int>& minimums, int total)
{
    std::vector<bool> held(minimums.size(), false);
    int level = 0;
    for (bool changed = true; changed;) {
        changed = false;
        int free = total;
        int sharing = 0;
        for (size_t i = 0; i < minimums.size(); ++i) {
            held[i] ? free -= minimums[i] : ++sharing;
        }
        if (sharing == 0) {
            break;
        }
        level = free / sharing;
        for (size_t i = 0; i < minimums.size(); ++i) {
            if (!held[i] && minimums[i] > level) {
                held[i] = changed = true;
            }
        }
    }
    std::vector<int> sizes;
    for (size_t i = 0; i < minimums.size(); ++i) {
        sizes.push_back(held[i] ? minimums[i] : std::max(level, 1));
    }
    return sizes;
}

}  // namespace

std::vector<QRect> TileRects(const std::vector<TiledWindow>& windows, QSize area)
{
    const int count = static_cast<int>(windows.size());
    if (count == 0) {
        return {};
    }
    const int columns = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(count))));
    const int rows = (count + columns - 1) / columns;
    const QSize share(area.width() / columns, area.height() / rows);
    std::vector<int> columnMinimums(static_cast<size_t>(columns), 0);
    std::vector<int> rowMinimums(static_cast<size_t>(rows), 0);
    for (int i = 0; i < count; ++i) {
        const TiledWindow& window = windows[static_cast<size_t>(i)];
        const QSize floor = window.minimum.expandedTo(window.natural.boundedTo(share));
        int& width = columnMinimums[static_cast<size_t>(i % columns)];
        int& height = rowMinimums[static_cast<size_t>(i / columns)];
        width = std::max(width, floor.width());
        height = std::max(height, floor.height());
    }
    const std::vector<int> widths = ShareOut(columnMinimums, area.width());
    const std::vector<int> heights = ShareOut(rowMinimums, area.height());
    std::vector<QRect> rects;
    for (int i = 0; i < count; ++i) {
        const int column = i % columns;
        const int row = i / columns;
        const int left = std::accumulate(widths.begin(), widths.begin() + column, 0);
        const int top = std::accumulate(heights.begin(), heights.begin() + row, 0);
        // The last window of a short last row takes the rest of the row.
        int width = widths[static_cast<size_t>(column)];
        if (i == count - 1) {
            width = std::max(width, area.width() - left);
        }
        rects.emplace_back(left, top, width, heights[static_cast<size_t>(row)]);
    }
    return rects;
}

std::vector<QRect> CascadeRects(const std::vector<QSize>& sizes, int step)
{
    std::vector<QRect> rects;
    int offset = 0;
    for (const QSize& size : sizes) {
        rects.emplace_back(QPoint(offset, offset), size);
        offset += step;
    }
    return rects;
}

}  // namespace kestrion
