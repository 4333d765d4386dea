// The area a geometric (wide) pen covers, as GDI builds it: each segment a
// band of the pen's width, end caps and joins added as discs, squares or
// polygons, dashes cut along the figure's length. Every piece is scanned on
// its own and the pieces are united afterwards, so a pixel that several
// pieces share is still painted once.
#pragma once

#include "shape_p.h"

#include <cstdint>
#include <vector>

namespace hmigfx::win32 {

// Collects the pieces of one call's strokes as spans (unsorted, overlapping)
// for the rows of `box`; union() then gives the sorted disjoint spans.
class WideOutline {
public:
    // pen: a wide one (PenRoute::Wide).
    WideOutline(const RealisedPen& pen, const RECT& box);

    // One figure; the dash pattern starts afresh.
    void figure(const POINT* pts, size_t n, bool close);

    // Sorts and merges what has been collected into disjoint spans, by row
    // and then x.
    std::vector<Span>& united();

private:
    struct Face {
        POINT start{0, 0}, end{0, 0};
        int64_t dx = 0, dy = 0;
    };

    void solid(const POINT* pts, int num, bool close);
    void dashed(const POINT* pts, int num, bool close);
    int64_t skipUnseen(POINT a, POINT b, int64_t done, POINT& from) const;
    void run(const POINT* pts, int num, bool close, int start, int count, POINT first, POINT last);
    bool segment(POINT p1, POINT p2, int64_t dx, int64_t dy, bool cap1, bool cap2, Face& f1, Face& f2);
    void join(POINT at, const Face& a, const Face& b);
    void disc(POINT centre);
    void rect(int64_t left, int64_t top, int64_t right, int64_t bottom);
    void polygon(const POINT* pts, int n);
    // Whether the convex polygon pts holds the box with a pixel to spare.
    bool holdsBox(const POINT* pts, int n) const;

    void resetDash();
    void skipDash(uint64_t n);

    const RealisedPen& pen_;
    RECT box_;
    std::vector<Span>& spans_;
    // A piece covers the whole box: nothing that follows can add to it (a
    // pen far wider than the surface, dashed finely, has millions of pieces).
    bool full_ = false;
    // Position in the dash pattern.
    size_t dashIndex_ = 0;
    uint64_t dashLeft_ = 0;
    bool dashOn_ = true;
};

// Removes from `area` (sorted, disjoint) what `cut` (sorted, disjoint) covers.
void subtractSpans(std::vector<Span>& area, const std::vector<Span>& cut);
// Sorts spans by row and x and merges overlapping and touching ones.
void uniteSpans(std::vector<Span>& spans);

}  // namespace hmigfx::win32
