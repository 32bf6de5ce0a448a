#include "gui/FreeSpot.h"

#include <tuple>

namespace kestrion {
namespace {

// The places along one axis where the box may start: the area's edges and beside each other
// box, kept inside the area.
std::vector<int> Starts(int length, int room, const std::vector<int>& edges)
{
    const int last = std::max(0, room - length);
    std::vector<int> starts{0, last};
    for (const int edge : edges) {
        starts.push_back(std::clamp(edge, 0, last));
    }
    return starts;
}

}  // namespace

Box FindFreeSpot(Extent size, Extent area, const std::vector<Box>& others)
{
    std::vector<int> across;
    std::vector<int> down;
    for (const Box& other : others) {
        across.insert(across.end(), {other.Right(), other.left - size.width});
        down.insert(down.end(), {other.Bottom(), other.top - size.height});
    }
    Box best{0, 0, size.width, size.height};
    long long bestCover = -1;
    for (const int top : Starts(size.height, area.height, down)) {
        for (const int left : Starts(size.width, area.width, across)) {
            const Box box{left, top, size.width, size.height};
            long long cover = 0;
            for (const Box& other : others) {
                cover += box.Overlap(other);
            }
            if (bestCover < 0 || std::tie(cover, top, left) < std::tie(bestCover, best.top, best.left)) {
                best = box;
                bestCover = cover;
            }
        }
    }
    return best;
}

}  // namespace kestrion
