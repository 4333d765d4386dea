// The ellipse quadrant walk GDI rasterises ellipses with, step by step and,
// for ellipses far larger than the surface, by random access: the walk's
// state at any point has a closed form, and the point where the walk enters a
// given row can be found without walking there.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace hmigfx::win32 {

// The walk (after Alois Zingl's algorithm) along one quadrant of the ellipse
// inscribed in width x height pixels: from the rightmost point of the middle
// row, each step moves one pixel towards the centre column, down one row, or
// both, whichever keeps the error term nearest zero. Its terms, for the
// diameters a = width-1 and b = height-1, in Wide: int64_t up to
// kNarrowWalkExtent, __int128 beyond.
template <class Wide>
struct EllipseWalk {
    Wide asq, bsq;  // what dy and dx grow by per step
    Wide dx, dy;    // the error change of the next step across and down
    Wide err;

    // wrapSquare: the outline and fill rasterisers form the a*a of the first
    // error term in 32 bits, as the reference does (beyond 46340 pixels that
    // wraps, and the pixels follow the wrapped value); the region builder
    // does not.
    EllipseWalk(int width, int height, bool wrapSquare) {
        const Wide a = Wide(width) - 1, b = Wide(height) - 1, odd = b % 2;
        asq = 8 * a * a;
        bsq = 8 * b * b;
        dx = 4 * b * b * (1 - a);
        dy = 4 * a * a * (1 + odd);
        const auto a32 = static_cast<uint32_t>(a);
        const Wide aa = wrapSquare ? Wide(static_cast<int32_t>(a32 * a32)) : a * a;
        err = dx + dy + aa * odd;
    }
    // One step: whether it goes across (towards the centre column) and down.
    void step(bool& across, bool& down) {
        const Wide e2 = 2 * err;
        across = e2 >= dx;
        down = e2 <= dy;
        if (across) {
            dx += bsq;
            err += dx;
        }
        if (down) {
            dy += asq;
            err += dy;
        }
    }
};

// Extents up to this keep the walk's terms inside 64 bits, with a wide margin.
constexpr int kNarrowWalkExtent = 1 << 18;

// The walk of ellipseQuadrant(width, height): from (width-1, height/2), x
// falling and y rising by at most one per step, while x >= xEnd (width/2
// for outlines). With stepOut, a row is also reached by a step from the last
// point that leaves the x range (as the rounded-rectangle region's walk does).
class QuadrantPath {
public:
    using Wide = __int128;
    struct Pt {
        int x;
        int y;
        bool operator==(const Pt&) const = default;
    };

    // Extents up to kMaxExtent keep the error terms inside 128 bits.
    static constexpr int kMaxExtent = 1 << 29;
    QuadrantPath(int width, int height, int xEnd, bool stepOut = false);
    QuadrantPath(int width, int height) : QuadrantPath(width, height, width / 2) {}

    int width() const { return w_; }
    int height() const { return h_; }
    Pt first() const { return {w_ - 1, h_ / 2}; }
    bool inside(Pt p) const { return p.x >= xEnd_; }
    // The point after p (possibly past the end: !inside).
    Pt next(Pt p) const;
    // The last point of p's row, p on the walk.
    Pt rowExit(Pt p) const;
    // The first point of row y, or nothing when the walk does not reach it.
    std::optional<Pt> rowEntry(int y) const;
    // The first point of the row after p's, or nothing.
    std::optional<Pt> entryAfter(Pt p) const { return entryFrom(p, p.y + 1); }
    // The walk's last point.
    Pt last() const;
    // The point before p (p on the walk, not the first).
    Pt previous(Pt p) const;
    // For each target (on the walk, in walk order), the number of points from
    // the first up to it inclusive; one walk serves them all. Linear in the
    // distance walked, up to a bound beyond which it estimates (see there):
    // only styled pens need it.
    void countTo(const std::vector<Pt>& targets, std::vector<uint64_t>& counts) const;
    // p comes before q along the walk.
    static bool before(Pt p, Pt q) { return p.y < q.y || (p.y == q.y && p.x > q.x); }

private:
    Wide err(int64_t x, int64_t y) const;
    Wide dxAt(int64_t x) const { return dx0_ + Wide(a_ - x) * bsq_; }
    Wide dyAt(int64_t y) const { return dy0_ + Wide(y - h_ / 2) * asq_; }
    bool stepsX(int64_t x, int64_t y) const { return 2 * err(x, y) >= dxAt(x); }
    bool stepsY(int64_t x, int64_t y) const { return 2 * err(x, y) <= dyAt(y); }
    // Largest x at or right of xMonotone_ whose point steps down in row y, or
    // nothing when none does.
    std::optional<int64_t> lastDownStep(int64_t y) const;
    std::optional<Pt> entryFrom(Pt p, int y) const;

    // A walk through few columns and many rows (a tall, narrow quadrant) is
    // kept as its column runs, found by search since a column's "steps
    // left" test is monotone down the column: the two walks rowEntry would
    // follow take a step per row and may need billions to meet.
    struct Run {
        int x, y0, y1;  // the walk's points (x, y0) ... (x, y1)
    };
    void buildRuns();
    std::optional<Pt> runEntry(int y) const;
    std::vector<Run> runs_;  // empty: rowEntry walks

    int w_, h_, xEnd_;
    bool stepOut_;
    int64_t a_, b_;
    Wide asq_, bsq_, dx0_, dy0_, err0_;
    int64_t xMonotone_;  // from here rightwards the step tests are monotone along a row
};

}  // namespace hmigfx::win32
