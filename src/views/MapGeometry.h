#pragma once
// The arithmetic of the map view, without a toolkit: where a position lands on the canvas
// (200 x 200 at least, else as large as the window), course and speed, the ring of recent
// points with their fading colours, the distance rings and their labels, the scale bar, the
// steps of zooming and panning, and where the canvas stands in the window.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "geo/Geodetic.h"
#include "views/ViewColours.h"

namespace kestrion {

struct NavBlock;
struct ReceiverEpoch;

inline constexpr int kCanvasSize = 200;    // the smallest canvas
inline constexpr int kOriginPixel = 100;  // both coordinates of the origin on the smallest canvas

struct CanvasPoint {
    int x = 0, y = 0;
    constexpr bool operator==(const CanvasPoint&) const = default;
};

// The reference the positions are plotted against.
struct MapFrame {
    double pixelsPerMetre = 2.0;
    double latitude = 0.0;  // degrees
    double longitude = 0.0;
};

// A navigation record's position and motion as the map shows them.
struct MapPosition {
    double latitude;   // degrees
    double longitude;  // degrees
    double height;     // metres
    double course;     // degrees, 0 <= course < 360
    double speed;      // m/s
    double metresPerDegreeOfLongitude;
};

MapPosition MapPositionOf(const NavBlock& nav);
// An epoch's position (it must have one): binary epochs as their navigation block, others from
// the geodetic position, the height above the ellipsoid (else the altitude) and the course and
// speed, 0 where the source gives none.
MapPosition MapPositionOf(const ReceiverEpoch& epoch);

// Metres east and north of the origin.
struct GroundPoint {
    double east = 0.0, north = 0.0;
    constexpr bool operator==(const GroundPoint&) const = default;
};

GroundPoint GroundOf(const MapFrame& frame, const MapPosition& position);

// The canvas: its size, its scale and the ground in its middle, the origin unless panned.
struct CanvasFrame {
    int width = kCanvasSize, height = kCanvasSize;
    double pixelsPerMetre = 2.0;
    GroundPoint centre;
    bool operator==(const CanvasFrame&) const = default;
};

// The canvas for a client area: as large, but no smaller than 200 x 200.
CanvasFrame SizedFrame(CanvasFrame frame, int clientWidth, int clientHeight);
// While following the newest point: half as large again as the client area, its middle moved
// to the newest point once that is more than a quarter of the client away, so that the area
// centred on the newest point shows only canvas.
CanvasFrame FollowingFrame(CanvasFrame frame, int clientWidth, int clientHeight, GroundPoint newest);
// Where the origin is on the canvas, the middle unless panned.
CanvasPoint OriginPixel(const CanvasFrame& frame);
// Off-canvas positions stand on its border: below 1 becomes 0, the last pixel or more the last.
CanvasPoint CanvasPointOf(const CanvasFrame& frame, GroundPoint ground);
// The ground at a canvas point.
GroundPoint GroundAt(const CanvasFrame& frame, double x, double y);

// A distance ring's radius in pixels; 0 for no ring. Rings that would pass wholly outside the
// canvas (`reach`: the farthest any canvas pixel is from the origin) count as none.
inline constexpr double kSmallestCanvasReach = 150.0;
int RingRadiusPixels(int metres, double pixelsPerMetre, double reach = kSmallestCanvasReach);
double CanvasReach(const CanvasFrame& frame);

// A distance in the units a map labels it with: "20 m", "1500 m", "2 km".
std::string DistanceText(int metres);

// A ring's label, whose bottom left is `at`: right of the north axis, just above the ring.
// Labels less than a line below a wider ring's are left out.
struct RingLabel {
    int metres;
    CanvasPoint at;
    bool operator==(const RingLabel&) const = default;
};
std::vector<RingLabel> RingLabelsOf(const CanvasFrame& frame, const std::array<int, 3>& ringMetres, int lineHeight);

// The longest bar of 1, 2 or 5 times a power of ten metres within a quarter of the width (and
// no less than 40 pixels).
struct ScaleBar {
    int metres = 0, pixels = 0;
    bool operator==(const ScaleBar&) const = default;
};
ScaleBar ScaleBarOf(double pixelsPerMetre, int width);

// The metres per pixel the Preferences take, and the steps the mouse wheel goes through: 0.25,
// 0.5, then 1, 2 and 5 times powers of ten up to 10000.
inline constexpr double kSmallestScale = 0.25;
inline constexpr double kLargestScale = 10000.0;
// `steps` forward (closer, fewer metres per pixel) or back from `scale`, which need not be a step.
double ZoomedScale(double scale, int steps);
// The middle of the canvas after zooming to pixelsPerMetre that keeps the ground at (x, y) where it is.
GroundPoint ZoomedCentre(const CanvasFrame& frame, double pixelsPerMetre, double x, double y);
// The middle of the canvas after the ground was dragged by dx, dy pixels.
GroundPoint PannedCentre(const CanvasFrame& frame, int dx, int dy);

// The CEP50 and CEP95 circles around the origin in pixels, 0 for none.
struct CepCircles {
    int cep50 = 0, cep95 = 0;
    bool operator==(const CepCircles&) const = default;
};
CepCircles CepCirclesOf(double cep50Metres, double cep95Metres, double pixelsPerMetre);

// Whether a reference point is the map's origin, to the six decimals the origin is kept in.
bool IsMapOrigin(const MapFrame& frame, double latitude, double longitude);

inline constexpr int kRecentPoints = 8;
// The colour of recent point `index` (from the oldest) of `count`: the newest is always red.
Rgb RecentColour(int index, int count);
// The colour of points older than the recent ones.
inline constexpr Rgb kOldPointColour{0, 0, 255};

// The last eight measured points, oldest first, each with its colour.
template <typename Point>
class CRecentPoints {
public:
    static constexpr int kSlots = kRecentPoints;

    void Add(Point point)
    {
        m_points[m_next] = point;
        m_next = (m_next + 1) % kSlots;
        if (m_count == kSlots) {
            m_oldest = m_next;  // the oldest was just overwritten
        } else {
            ++m_count;
        }
    }
    void Clear() { *this = {}; }

    int Count() const { return m_count; }
    // The index counts from the oldest stored point.
    Point At(int index) const { return m_points[Slot(index)]; }
    Rgb ColourAt(int index) const { return RecentColour(index, m_count); }
    std::optional<Point> Newest() const { return m_count == 0 ? std::nullopt : std::optional(At(m_count - 1)); }

private:
    int Slot(int index) const { return (m_oldest + index) % kSlots; }

    std::array<Point, kSlots> m_points{};
    int m_next = 0;
    int m_oldest = 0;
    int m_count = 0;
};

// Where canvas pixel (0, 0) stands in a client area of width x height, and how far each
// scroll bar goes. The canvas is centred in a larger area and scrolled in a smaller one;
// when following a point, that point is the centre and nothing scrolls.
struct CanvasPlacement {
    int left = 0, top = 0;
    int scrollWidth = 0, scrollHeight = 0;  // the scroll bars' maxima, 0 for none
};

CanvasPlacement PlaceCanvas(int width, int height, int scrollX, int scrollY, std::optional<CanvasPoint> followed,
                            int canvasWidth = kCanvasSize, int canvasHeight = kCanvasSize);

// After one extent of the client changes from oldClient to client, the scroll value that
// keeps the canvas coordinate in its middle where it was (the canvas's middle when nothing
// scrolled, oldMaximum 0). Only the smallest canvas scrolls.
int KeptScroll(int oldClient, int oldScroll, int oldMaximum, int client);

}  // namespace kestrion
