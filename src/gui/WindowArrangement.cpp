#include "gui/WindowArrangement.h"

#include <cmath>
#include <functional>
#include <limits>
#include <numeric>
#include <optional>

namespace kestrion {
namespace {

// Up to this many windows every way of cutting them into rows is tried; beyond, rows of
// equal counts only.
constexpr size_t kAllCuts = 12;
// Falling short of the preferred size weighs more than growing out of shape.
constexpr double kShortfallWeight = 4.0;

// How many windows each row holds.
using Counts = std::vector<size_t>;
// The windows of each row by their index, from the top.
using Rows = std::vector<std::vector<size_t>>;

int Sum(const std::vector<int>& values)
{
    return std::accumulate(values.begin(), values.end(), 0);
}

// Adds the amount to the sizes in proportion to the weights, to the last pixel.
void Apportion(std::vector<int>& sizes, std::vector<long long> weights, int amount)
{
    long long total = std::accumulate(weights.begin(), weights.end(), 0LL);
    if (total == 0) {
        weights.assign(weights.size(), 1);
        total = static_cast<long long>(weights.size());
    }
    long long before = 0;
    long long given = 0;
    for (size_t i = 0; i < sizes.size(); ++i) {
        before += weights[i];
        const long long upTo = (static_cast<long long>(amount) * before + total / 2) / total;
        sizes[i] += static_cast<int>(upTo - given);
        given = upTo;
    }
}

// Sizes of at least the minimums adding up to the total: first towards the preferred sizes,
// in proportion to what each lacks, then beyond them in proportion to the preferred sizes.
std::vector<int> ShareOut(const std::vector<int>& minimums, const std::vector<int>& preferred, int total)
{
    std::vector<int> sizes = minimums;
    int extra = total - Sum(minimums);
    std::vector<long long> lacking;
    long long lack = 0;
    for (size_t i = 0; i < sizes.size(); ++i) {
        lacking.push_back(std::max(0, preferred[i] - minimums[i]));
        lack += lacking.back();
    }
    if (lack >= extra) {
        Apportion(sizes, lacking, extra);
        return sizes;
    }
    for (size_t i = 0; i < sizes.size(); ++i) {
        sizes[i] += static_cast<int>(lacking[i]);
    }
    Apportion(sizes, std::vector<long long>(preferred.begin(), preferred.end()), extra - static_cast<int>(lack));
    return sizes;
}

// The boxes of the windows in these rows, or none when the minimums do not fit.
std::optional<std::vector<Box>> LayOut(const std::vector<TiledWindow>& windows, const Rows& rows, Extent area)
{
    std::vector<int> rowMinimums;
    std::vector<int> rowPreferred;
    for (const std::vector<size_t>& row : rows) {
        int width = 0;
        int minimum = 0;
        int preferred = 0;
        for (const size_t i : row) {
            width += windows[i].minimum.width;
            minimum = std::max(minimum, windows[i].minimum.height);
            preferred = std::max(preferred, windows[i].preferred.height);
        }
        if (width > area.width) {
            return std::nullopt;
        }
        rowMinimums.push_back(minimum);
        rowPreferred.push_back(preferred);
    }
    if (Sum(rowMinimums) > area.height) {
        return std::nullopt;
    }
    const std::vector<int> heights = ShareOut(rowMinimums, rowPreferred, area.height);
    std::vector<Box> boxes(windows.size());
    int top = 0;
    for (size_t row = 0; row < rows.size(); ++row) {
        std::vector<int> minimums;
        std::vector<int> preferred;
        for (const size_t i : rows[row]) {
            minimums.push_back(windows[i].minimum.width);
            preferred.push_back(windows[i].preferred.width);
        }
        const std::vector<int> widths = ShareOut(minimums, preferred, area.width);
        int left = 0;
        for (size_t place = 0; place < rows[row].size(); ++place) {
            boxes[rows[row][place]] = {left, top, widths[place], heights[row]};
            left += widths[place];
        }
        top += heights[row];
    }
    return boxes;
}

// How far the boxes are from the preferred sizes: 0 when each has exactly its size.
double Misfit(const std::vector<TiledWindow>& windows, const std::vector<Box>& boxes)
{
    double misfit = 0.0;
    for (size_t i = 0; i < boxes.size(); ++i) {
        const double width = std::max(boxes[i].width, 1);
        const double height = std::max(boxes[i].height, 1);
        const double wanted = std::max(windows[i].preferred.width, 1);
        const double tall = std::max(windows[i].preferred.height, 1);
        const double shortfall = std::max(0.0, std::log(wanted / width)) + std::max(0.0, std::log(tall / height));
        misfit += kShortfallWeight * shortfall + std::abs(std::log((width / height) / (wanted / tall)));
    }
    return misfit;
}

// Every way of cutting count windows into rows, or for many windows rows of equal counts.
std::vector<Counts> Cuts(size_t count)
{
    std::vector<Counts> cuts;
    if (count <= kAllCuts) {
        for (unsigned long mask = 0; mask < (1UL << (count - 1)); ++mask) {
            Counts rows{1};
            for (size_t i = 1; i < count; ++i) {
                if ((mask >> (i - 1)) & 1UL) {
                    rows.push_back(1);
                } else {
                    ++rows.back();
                }
            }
            cuts.push_back(std::move(rows));
        }
        return cuts;
    }
    for (size_t rowCount = 1; rowCount <= count; ++rowCount) {
        Counts rows;
        for (size_t row = 0; row < rowCount; ++row) {
            rows.push_back(count * (row + 1) / rowCount - count * row / rowCount);
        }
        cuts.push_back(std::move(rows));
    }
    return cuts;
}

// The orders whose cuts are tried: the windows' own, and tallest first, which puts windows of
// like height in a row.
std::vector<std::vector<size_t>> Orders(const std::vector<TiledWindow>& windows)
{
    std::vector<size_t> own(windows.size());
    std::iota(own.begin(), own.end(), size_t{0});
    std::vector<std::vector<size_t>> orders{own};
    for (Extent TiledWindow::*size : {&TiledWindow::minimum, &TiledWindow::preferred}) {
        std::vector<size_t> tallest = own;
        std::ranges::stable_sort(tallest, std::greater<>(), [&](size_t i) { return (windows[i].*size).height; });
        orders.push_back(std::move(tallest));
    }
    return orders;
}

// The windows of an order in rows of these counts, shown in their own order: each row left
// to right, the rows by their first window.
Rows InRows(const std::vector<size_t>& order, const Counts& counts)
{
    Rows rows;
    auto next = order.begin();
    for (const size_t count : counts) {
        std::vector<size_t> row(next, next + static_cast<std::ptrdiff_t>(count));
        std::ranges::sort(row);
        rows.push_back(std::move(row));
        next += static_cast<std::ptrdiff_t>(count);
    }
    std::ranges::sort(rows);
    return rows;
}

std::optional<std::vector<Box>> BestLayout(const std::vector<TiledWindow>& windows, Extent area)
{
    std::optional<std::vector<Box>> best;
    double bestMisfit = std::numeric_limits<double>::infinity();
    const std::vector<Counts> cuts = Cuts(windows.size());
    for (const std::vector<size_t>& order : Orders(windows)) {
        for (const Counts& counts : cuts) {
            std::optional<std::vector<Box>> boxes = LayOut(windows, InRows(order, counts), area);
            if (!boxes) {
                continue;
            }
            const double misfit = Misfit(windows, *boxes);
            if (misfit < bestMisfit) {
                bestMisfit = misfit;
                best = std::move(boxes);
            }
        }
    }
    return best;
}

// Icons in rows along the bottom of the area, the first at the left of the lowest row.
std::vector<Box> Icons(size_t count, Extent area, Extent icon)
{
    const size_t perRow = static_cast<size_t>(std::max(1, area.width / std::max(icon.width, 1)));
    std::vector<Box> icons;
    for (size_t i = 0; i < count; ++i) {
        const int column = static_cast<int>(i % perRow);
        const int row = static_cast<int>(i / perRow);
        icons.push_back({column * icon.width, area.height - (row + 1) * icon.height, icon.width, icon.height});
    }
    return icons;
}

}  // namespace

Tiling TileWindows(const std::vector<TiledWindow>& windows, Extent area, Extent icon)
{
    for (size_t tiled = windows.size();; --tiled) {
        std::vector<Box> icons = Icons(windows.size() - tiled, area, icon);
        if (tiled == 0) {
            return {std::move(icons), 0};
        }
        const int iconsTop = icons.empty() ? area.height : icons.back().top;
        const std::vector<TiledWindow> shown(windows.begin(), windows.begin() + static_cast<std::ptrdiff_t>(tiled));
        if (std::optional<std::vector<Box>> boxes = BestLayout(shown, {area.width, iconsTop})) {
            boxes->insert(boxes->end(), icons.begin(), icons.end());
            return {std::move(*boxes), tiled};
        }
    }
}

std::vector<Box> CascadeBoxes(const std::vector<Extent>& sizes, int step)
{
    std::vector<Box> boxes;
    int offset = 0;
    for (const Extent& size : sizes) {
        boxes.push_back({offset, offset, size.width, size.height});
        offset += step;
    }
    return boxes;
}

}  // namespace kestrion
