#pragma once
// Sizes and rectangles of the window layouts, in pixels and without a toolkit.
#include <algorithm>

namespace kestrion {

struct Extent {
    int width = 0;
    int height = 0;

    bool Covers(Extent other) const { return width >= other.width && height >= other.height; }
    Extent ExpandedTo(Extent other) const { return {std::max(width, other.width), std::max(height, other.height)}; }
    Extent BoundedTo(Extent other) const { return {std::min(width, other.width), std::min(height, other.height)}; }
    bool operator==(const Extent&) const = default;
};

struct Box {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int Right() const { return left + width; }  // just outside
    int Bottom() const { return top + height; }
    Extent Size() const { return {width, height}; }
    long long Area() const { return static_cast<long long>(width) * height; }
    // The area this box and the other share.
    long long Overlap(const Box& other) const
    {
        const long long across = std::max(0, std::min(Right(), other.Right()) - std::max(left, other.left));
        const long long down = std::max(0, std::min(Bottom(), other.Bottom()) - std::max(top, other.top));
        return across * down;
    }
    bool Within(Extent area) const { return left >= 0 && top >= 0 && Right() <= area.width && Bottom() <= area.height; }
    bool operator==(const Box&) const = default;
};

}  // namespace kestrion
