#pragma once
// The scatter of horizontal errors as numbers: a square plot centred on the reference, a
// round scale in metres that holds the CEP95 circle, the axes with their ticks, each error's
// pixel and the CEP50 and CEP95 circles. Errors beyond the scale stand on the square's border.
#include <array>
#include <span>
#include <string>
#include <vector>

#include "evaluation/AccuracyStatistics.h"

namespace kestrion {

struct ScatterPixel {
    int x = 0, y = 0;
    bool operator==(const ScatterPixel&) const = default;
};

struct ScatterCircle {
    ScatterPixel centre;
    int radius = 0;  // pixels, 0 for none
};

struct ScatterTick {
    ScatterPixel at;  // on the axis
    std::string label;
};

class CScatterGeometry {
public:
    static constexpr int kMargin = 24;
    static constexpr int kTickLength = 4;

    // The plot for an area of the client and the largest radius it has to hold, in metres.
    CScatterGeometry(int left, int top, int width, int height, double holdMetres);

    int Side() const { return m_side; }
    ScatterPixel Centre() const { return m_centre; }
    // Metres from the centre to the square's edge: 1, 2 or 5 times a power of ten.
    double HalfRange() const { return m_halfRange; }
    double PixelsPerMetre() const { return m_half / m_halfRange; }
    // Left, top, right, bottom of the square.
    std::array<int, 4> Square() const;

    // East to the right, north up.
    ScatterPixel PixelOf(double east, double north) const;
    ScatterCircle CircleOf(double radiusMetres) const;
    // Half and whole range on each side of both axes, labelled in metres.
    std::vector<ScatterTick> Ticks() const;

    // Each pixel holding an error, once, in the order first met; not-a-number errors (fixes
    // without truth) are left out.
    std::vector<ScatterPixel> PixelsOf(std::span<const EnuError> errors) const;

private:
    int m_side;
    int m_half;
    ScatterPixel m_centre;
    double m_halfRange;
};

// The statistics picture: the figures' text in a column at the left, the scatter beside it.
struct StatisticsPanes {
    int textWidth = 0;
    int scatterLeft = 0, scatterWidth = 0;
};
inline constexpr int kFiguresTextWidth = 300;
StatisticsPanes SplitStatistics(int width);

// The smallest of 1, 2, 5 times a power of ten not below `metres`; 1 for nothing to hold.
double RoundRange(double metres);

// What the scatter holds: CEP95 with some room, the CEP50 circle at least.
double ScatterHold(const AccuracyFigures& figures);

}  // namespace kestrion
