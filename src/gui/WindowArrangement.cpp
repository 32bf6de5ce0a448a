#include "gui/WindowArrangement.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace kestrion {

std::vector<QRect> TileRects(const std::vector<QSize>& minimums, QSize area)
{
    const int count = static_cast<int>(minimums.size());
    if (count == 0) {
        return {};
    }
    const int columns = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(count))));
    const int rows = (count + columns - 1) / columns;
    std::vector<int> widths(static_cast<size_t>(columns), std::max(1, area.width() / columns));
    std::vector<int> heights(static_cast<size_t>(rows), std::max(1, area.height() / rows));
    for (int i = 0; i < count; ++i) {
        int& width = widths[static_cast<size_t>(i % columns)];
        int& height = heights[static_cast<size_t>(i / columns)];
        width = std::max(width, minimums[static_cast<size_t>(i)].width());
        height = std::max(height, minimums[static_cast<size_t>(i)].height());
    }
    std::vector<QRect> rects;
    for (int i = 0; i < count; ++i) {
        const int column = i % columns;
        const int row = i / columns;
        const int left = std::accumulate(widths.begin(), widths.begin() + column, 0);
        const int top = std::accumulate(heights.begin(), heights.begin() + row, 0);
        // The last row's windows share the width that is left.
        int width = widths[static_cast<size_t>(column)];
        if (row == rows - 1 && column == (count - 1) % columns) {
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
