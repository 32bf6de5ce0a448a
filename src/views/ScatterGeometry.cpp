#include "views/ScatterGeometry.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace kestrion {
namespace {

constexpr double kRoom = 1.25;  // the CEP95 circle stays inside the square

std::string MetresText(double metres)
{
    // The shortest text that reads back as the number, without the locale: 0.5, 2.5, 100.
    char text[32];
    const auto written = std::to_chars(std::begin(text), std::end(text), metres);
    return std::string(text, written.ptr) + " m";
}

}  // namespace

double RoundRange(double metres)
{
    if (!(metres > 0) || !std::isfinite(metres)) {
        return 1.0;
    }
    const double power = std::pow(10.0, std::floor(std::log10(metres)));
    for (const double step : {1.0, 2.0, 5.0, 10.0}) {
        // A little tolerance: 2.0000000001 is still a range of 2.
        if (metres <= step * power * (1 + 1e-9)) {
            return step * power;
        }
    }
    return 10.0 * power;
}

double ScatterHold(const AccuracyFigures& figures)
{
    return std::max(figures.cep95 * kRoom, figures.cep50);
}

StatisticsPanes SplitStatistics(int width)
{
    const int text = std::min(kFiguresTextWidth, std::max(0, width) / 2);
    return {text, text, std::max(0, width - text)};
}

CScatterGeometry::CScatterGeometry(int left, int top, int width, int height, double holdMetres)
    : m_side(std::max(2, std::min(width, height) - 2 * kMargin) / 2 * 2),
      m_half(m_side / 2),
      m_centre{left + width / 2, top + height / 2},
      m_halfRange(RoundRange(holdMetres))
{
}

std::array<int, 4> CScatterGeometry::Square() const
{
    return {m_centre.x - m_half, m_centre.y - m_half, m_centre.x + m_half, m_centre.y + m_half};
}

ScatterPixel CScatterGeometry::PixelOf(double east, double north) const
{
    const double scale = PixelsPerMetre();
    const auto clamp = [this](double offset) {
        return static_cast<int>(std::lround(std::clamp(offset, double(-m_half), double(m_half))));
    };
    return {m_centre.x + clamp(east * scale), m_centre.y - clamp(north * scale)};
}

ScatterCircle CScatterGeometry::CircleOf(double radiusMetres) const
{
    return {m_centre, static_cast<int>(std::lround(std::max(0.0, radiusMetres) * PixelsPerMetre()))};
}

std::vector<ScatterTick> CScatterGeometry::Ticks() const
{
    std::vector<ScatterTick> ticks;
    for (const double metres : {m_halfRange / 2, m_halfRange}) {
        const int offset = static_cast<int>(std::lround(metres * PixelsPerMetre()));
        const std::string label = MetresText(metres);
        ticks.push_back({{m_centre.x + offset, m_centre.y}, label});
        ticks.push_back({{m_centre.x - offset, m_centre.y}, label});
        ticks.push_back({{m_centre.x, m_centre.y - offset}, label});
        ticks.push_back({{m_centre.x, m_centre.y + offset}, label});
    }
    return ticks;
}

std::vector<ScatterPixel> CScatterGeometry::PixelsOf(std::span<const EnuError> errors) const
{
    const int across = m_side + 1;
    std::vector<bool> taken(static_cast<size_t>(across) * static_cast<size_t>(across));
    std::vector<ScatterPixel> pixels;
    for (const EnuError& error : errors) {
        if (std::isnan(error.east) || std::isnan(error.north)) {
            continue;
        }
        const ScatterPixel pixel = PixelOf(error.east, error.north);
        const size_t cell = static_cast<size_t>(pixel.y - m_centre.y + m_half) * static_cast<size_t>(across) +
                            static_cast<size_t>(pixel.x - m_centre.x + m_half);
        if (!taken[cell]) {
            taken[cell] = true;
            pixels.push_back(pixel);
        }
    }
    return pixels;
}

}  // namespace kestrion
