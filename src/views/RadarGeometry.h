#pragma once
// The sky plot as numbers: the square in the middle of the client area, its circles at 0, 30
// and 60 degrees of elevation with their labels, the legend of the satellite colours, and what
// a plot draws on them (the course arrow, the true-position mark, the compass letters and one
// symbol per tracked satellite), all in the client's pixels. Lines leave out their end pixel
// and rectangles their right column and bottom row.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "epoch/ReceiverEpoch.h"
#include "platform/Settings.h"
#include "protocol/MessageBlocks.h"
#include "views/ViewColours.h"

namespace kestrion {

struct PlotPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PlotPoint&) const = default;
};

struct PlotRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const PlotRect&) const = default;
};

struct PlotLine {
    PlotPoint from, to;
    bool operator==(const PlotLine&) const = default;
};

// How wide the satellite labels are in their font at the plot's smallest, in pixels: the
// widest label of two characters and of three.
struct SymbolText {
    int narrow = 12;
    int wide = 16;
};

// An elevation circle with its label, whose bottom left is `labelAt`.
struct ElevationRing {
    int degrees;
    PlotRect circle;
    PlotPoint labelAt;
};

class CRadarGeometry {
public:
    // The plot for a client area: a square of the smaller side in the middle, the outer circle
    // 15 pixels in. The symbols grow with the plot beyond a radius of kSymbolRadius, and so
    // that their labels fit.
    CRadarGeometry(int width, int height, SymbolText text = {});

    static constexpr int kSymbolRadius = 225;  // the radius of a 640 x 480 view

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int Side() const { return m_side; }
    PlotPoint Corner() const { return {m_left, m_top}; }  // of the square
    int Radius() const { return m_radius; }
    PlotPoint Centre() const { return {m_left + kMargin + m_radius, m_top + kMargin + m_radius}; }
    PlotRect OuterCircle() const { return Inset(kMargin); }
    // 0, 30 and 60 degrees, the outer circle first; the labels up and right of each circle.
    std::array<ElevationRing, 3> ElevationRings() const;

    // How many times their smallest size the symbols are drawn, and how much the label font
    // grows.
    double SymbolScale() const { return m_symbolScale; }
    double TextScale() const { return m_textScale; }

    // The point `distance` pixels from the centre at `angle` radians clockwise from north, the
    // whole plot turned by `rotation`.
    PlotPoint ToScreen(double distance, double angle, double rotation) const;

private:
    static constexpr int kMargin = 15;

    PlotRect Inset(int by) const { return {m_left + by, m_top + by, m_left + m_side - by, m_top + m_side - by}; }

    int m_width, m_height;
    int m_side;
    int m_left, m_top;
    int m_radius;
    double m_textScale;
    double m_symbolScale;
};

// The colours of the plot, each with what it means, from the bottom of the client area up.
struct LegendEntry {
    Rgb colour;
    const char* text;
    PlotRect swatch;
    PlotPoint textAt;  // left end of the text's middle line
};
std::vector<LegendEntry> RadarLegend(const CRadarGeometry& geometry, int lineHeight);

// Direction and speed of travel: radians clockwise from north, and the arrow length in pixels.
struct Course {
    double heading = 0.0;
    int length = 0;
};

// Beyond the outer circle velocity the arrow stops 10 pixels outside the outer circle.
Course CourseOf(const NavBlock& nav, double outerVelocity, int radius);

struct SatelliteSymbol {
    Rgb colour;
    PlotPoint at;      // where the satellite is
    PlotPoint centre;  // where its symbol is: moved off `at` only to make room for another
    PlotRect body;
    std::array<PlotLine, 2> arms;
    std::array<std::vector<PlotPoint>, 2> panels;  // open brackets when red, bars otherwise
    std::string label;  // centred on the body
};

// Not locked (no signal in any sample) before used in the fix, before an SBAS satellite while
// DGPS is on, before just tracked.
Rgb SatelliteColour(const TrackerChannel& channel, const NavBlock& nav);
// The symbol at `scale` times its smallest size: a body 16 pixels round (20 x 14 for three
// characters), arms to 14 pixels either side, with bars or, when red, open brackets.
SatelliteSymbol SymbolAt(PlotPoint at, Rgb colour, std::string label, double scale = 1.0);

// Moves overlapping symbols apart, each as little as it can, so that every label stays
// readable; the satellites stay where they are.
void SpreadSymbols(std::vector<SatelliteSymbol>& symbols, double scale);

// What a plot is drawn from: a navigation record, the tracker data that came before it and,
// in truth mode once one has arrived, the latest true navigation data.
struct RadarScene {
    NavBlock nav{};
    TrackerBlock tracker{};
    std::optional<NavBlock> truth;
};

struct RadarPlot {
    std::array<PlotLine, 3> arrow;  // the shaft, then the two barbs
    std::optional<std::array<PlotLine, 2>> trueMark;
    PlotPoint north;  // centre of the "N"
    std::array<PlotPoint, 3> eastSouthWest;  // centres of the "E", "S" and "W"
    std::vector<SatelliteSymbol> satellites;
};

// The plot of a scene with the "Radar View" settings.
RadarPlot PlotOf(const CRadarGeometry& geometry, const RadarScene& scene, const Settings& settings);

// The same from epochs, whichever protocol built them: every placed satellite of the measured
// epoch, and the true-position mark when there is a truth epoch with a position.
struct RadarEpochScene {
    ReceiverEpoch measured;
    std::optional<ReceiverEpoch> truth;
};

// The course from the epoch's course and ground speed; a binary epoch's from its velocity
// vector as CourseOf computes it.
Course CourseOf(const ReceiverEpoch& epoch, double outerVelocity, int radius);

// Not tracked (binary: no signal in any sample; else no C/N0 above 0) before used in the fix,
// before SBAS while the fix is differential, before tracked.
Rgb SatelliteColour(const SatelliteView& satellite, const ReceiverEpoch& epoch);

RadarPlot PlotOf(const CRadarGeometry& geometry, const RadarEpochScene& scene, const Settings& settings);

}  // namespace kestrion
