#pragma once
// The arithmetic of the map view, without a toolkit: where a position lands on the 200 x 200
// canvas, course and speed, the ring of recent points with their fading colours, the distance
// rings, and where the canvas stands in the window.
#include <array>
#include <optional>

#include "geo/Geodetic.h"
#include "views/ViewColours.h"

namespace kestrion {

struct NavBlock;
struct ReceiverEpoch;

inline constexpr int kCanvasSize = 200;
inline constexpr int kOriginPixel = 100;  // both coordinates of the origin on the canvas

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

// Off-canvas positions stand on its border: below 1 becomes 0, 199 or more becomes 199.
CanvasPoint CanvasPointOf(const MapFrame& frame, const MapPosition& position);

// A distance ring's radius in pixels; 0 for no ring. Rings that would pass wholly outside the
// canvas count as none.
int RingRadiusPixels(int metres, double pixelsPerMetre);

// The CEP50 and CEP95 circles around the origin in pixels, 0 for none.
struct CepCircles {
    int cep50 = 0, cep95 = 0;
    bool operator==(const CepCircles&) const = default;
};
CepCircles CepCirclesOf(double cep50Metres, double cep95Metres, double pixelsPerMetre);

// Whether a reference point is the map's origin, to the six decimals the origin is kept in.
bool IsMapOrigin(const MapFrame& frame, double latitude, double longitude);

// The last eight measured points, oldest first, each with its colour: the newest is always red.
class CRecentPoints {
public:
    static constexpr int kSlots = 8;

    void Add(CanvasPoint point);
    void Clear() { *this = {}; }

    int Count() const { return m_count; }
    // The index counts from the oldest stored point.
    CanvasPoint At(int index) const { return m_points[Slot(index)]; }
    Rgb ColourAt(int index) const;
    std::optional<CanvasPoint> Newest() const;

private:
    int Slot(int index) const { return (m_oldest + index) % kSlots; }

    std::array<CanvasPoint, kSlots> m_points{};
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

CanvasPlacement PlaceCanvas(int width, int height, int scrollX, int scrollY, std::optional<CanvasPoint> followed);

// After one extent of the client changes from oldClient to client, the scroll value that
// keeps the canvas coordinate in its middle where it was (the origin when nothing scrolled,
// oldMaximum 0).
int KeptScroll(int oldClient, int oldScroll, int oldMaximum, int client);

}  // namespace kestrion
