#pragma once
// The sky plot as numbers: the square and its two circles for a client size, and what a plot
// draws on them (the course arrow, the true-position mark, the north label and one symbol per
// tracked satellite), all in the plot's pixels. Lines leave out their end pixel and rectangles
// their right column and bottom row.
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

class CRadarGeometry {
public:
    // The plot for a client area: a square of the smaller side, the outer circle 15 pixels in.
    CRadarGeometry(int width, int height);

    int Side() const { return m_side; }
    int Radius() const { return m_radius; }
    PlotPoint Centre() const { return {kMargin + m_radius, kMargin + m_radius}; }
    PlotRect OuterCircle() const { return Inset(kMargin); }
    PlotRect InnerCircle() const { return Inset(kMargin + m_quarter); }  // 45 degrees of elevation

    // The point `distance` pixels from the centre at `angle` radians clockwise from north, the
    // whole plot turned by `rotation`.
    PlotPoint ToScreen(double distance, double angle, double rotation) const;

private:
    static constexpr int kMargin = 15;

    PlotRect Inset(int by) const { return {by, by, m_side - by, m_side - by}; }

    int m_side;
    int m_radius;
    int m_quarter;  // a quarter of the outer diameter
};

// Direction and speed of travel: radians clockwise from north, and the arrow length in pixels.
struct Course {
    double heading = 0.0;
    int length = 0;
};

// Beyond the outer circle velocity the arrow stops 10 pixels outside the outer circle.
Course CourseOf(const NavBlock& nav, double outerVelocity, int radius);

struct SatelliteSymbol {
    Rgb colour;
    PlotRect body;
    std::array<PlotLine, 2> arms;
    std::array<std::vector<PlotPoint>, 2> panels;  // open brackets when red, bars otherwise
    std::string label;
    PlotPoint labelAt;  // top left of the text
};

// Not locked (no signal in any sample) before used in the fix, before an SBAS satellite while
// DGPS is on, before just tracked.
Rgb SatelliteColour(const TrackerChannel& channel, const NavBlock& nav);
SatelliteSymbol SymbolAt(PlotPoint at, Rgb colour, std::string label);

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
    std::vector<SatelliteSymbol> satellites;
};

// The plot of a scene with the "Radar View" settings.
RadarPlot PlotOf(const CRadarGeometry& geometry, const RadarScene& scene, const CSettings& settings);

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

RadarPlot PlotOf(const CRadarGeometry& geometry, const RadarEpochScene& scene, const CSettings& settings);

}  // namespace kestrion
