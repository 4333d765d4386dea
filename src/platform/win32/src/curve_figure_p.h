// Outlines of ellipses much larger than the visible area, built without
// walking the parts that cannot show.
//
// A figure is made of quadrant walks placed in device space. Of each walk only
// the rows of the visible box (plus a one-pixel frame) are followed; within a
// row only the run's two ends are kept, clamped to the frame, and points
// beyond the frame collapse onto it. Stroking such a figure with a one-pixel
// pen, or filling it, touches exactly the visible pixels the full figure
// would: every edge that crosses a visible row is an edge of the full figure
// (clamped sideways at most, which keeps it on the same side of the box), and
// every other edge lies on the invisible frame.
#pragma once

#include "ellipse_path_p.h"
#include "shape_p.h"

#include <vector>

namespace hmigfx::win32 {

// A quadrant walk placed in device space: (ox + sx*x, oy + sy*y).
struct Placement {
    int ox, oy, sx, sy;
    POINT map(QuadrantPath::Pt p) const { return {ox + sx * p.x, oy + sy * p.y}; }
    Placement mirroredX(int sum) const { return {sum - ox, oy, -sx, sy}; }  // x -> sum - x
    Placement mirroredY(int sum) const { return {ox, sum - oy, sx, -sy}; }
};

// Curves whose extent is far beyond the visible box are built compactly.
bool curveNeedsClipping(int width, int height, const RECT& visibleBox);

class CompactFigure {
public:
    // withIndex: record for each point its position along the full figure
    // (needed by styled pens; costs a walk along the invisible parts).
    CompactFigure(const QuadrantPath& q, const RECT& visibleBox, bool withIndex);

    // Appends the walk's points from `from` to `to` (both on the walk, from
    // first), placed, in walk order or reversed.
    void addRun(QuadrantPath::Pt from, QuadrantPath::Pt to, const Placement& pl, bool reverse);
    // Appends one exact point.
    void addPoint(POINT p);
    // The full figure has fewer than two points.
    bool tiny() const { return fullPoints_ < 2; }
    // Works out the dash positions (withIndex); call once, after the last add.
    void finish();

    std::vector<POINT> points;
    std::vector<uint64_t> dashAt;  // per point, after finish() withIndex

private:
    struct Run {
        size_t tFrom, tTo;     // targets
        POINT firstDev, lastDev;  // in figure order
        bool reverse;
    };
    struct Item {
        int run;        // -1: an exact point
        size_t anchor;  // target the position counts from
        int64_t delta;  // points past the anchor, walk order
    };
    size_t target(QuadrantPath::Pt p);

    const QuadrantPath& q_;
    RECT frame_;  // visible box grown by one pixel, inclusive bounds
    bool withIndex_;
    uint64_t fullPoints_ = 0;
    std::vector<Run> runs_;
    std::vector<Item> items_;
    std::vector<QuadrantPath::Pt> targets_;
};

// The rows [yLo, yHi) of the rounded-rectangle region (as roundRectRegionSpans)
// for corner ellipses of any size, walking only those rows.
void roundRectRegionSpansClipped(RECT box, int ew, int eh, int yLo, int yHi, std::vector<Span>& out);

}  // namespace hmigfx::win32
