// Ellipses as GDI rasterises them: the integer walk of ellipse_path_p.h along
// one quadrant, mirrored into the others.
#pragma once

#include "ellipse_path_p.h"
#include "shape_p.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace hmigfx::win32 {

// The insets from the left and right edges of the lower-half rows of a corner
// ellipse w x h (w, h >= 2), row h/2 first: the x, counted from the edge, at
// which the walk enters each row; -1 for rows it does not reach (very narrow
// ellipses). wrapSquare as for EllipseWalk. Replaces inset.
void cornerInsets(int w, int h, bool wrapSquare, std::vector<int>& inset);

// Where the rows of the corner ellipses ew x eh (ew, eh >= 2) of a rounded
// rectangle's region lie, the region spanning [left, right) x [top, bottom]
// plus its last row: lower-half row j (eh/2 .. eh-1) of the walk is the band
// lower(j), its mirror above the middle (when it has one) the row upper(j).
// The middle row stretches over the straight sides. Every row of the curve is
// a band of its own, even where neighbours have the same extent.
struct CornerRows {
    int64_t left, top, right, bottom;
    int ew, eh;

    int mid() const { return eh / 2; }
    std::pair<int64_t, int64_t> lower(int j) const {
        const int64_t base = bottom - eh;
        if (j == mid()) return {top + mid(), base + mid() + 1};
        return {base + j, base + j + 1};
    }
    bool hasUpper(int j) const { return eh - 1 - j < mid(); }
    int64_t upper(int j) const { return top + (eh - 1 - j); }
};

// Appends the outline points of the first quadrant of the ellipse inscribed
// in a width x height box at the origin: from the rightmost point (width-1,
// height/2) downwards until x reaches width/2. Returns how many.
size_t ellipseQuadrant(int width, int height, std::vector<POINT>& out);

// The closed outline of a rounded rectangle with corner ellipses ew x eh
// inside rc (device coordinates, ordered, outline on the last column and row
// inclusive of rc.right-1 and rc.bottom-1), starting and turning as
// arcDirection says. Replaces out.
void roundRectOutline(const RECT& rc, int ew, int eh, int arcDirection, std::vector<POINT>& out);

// The rows of GDI's rounded-rectangle region for the box [left, right) x
// [top, bottom) with corner ellipses ew x eh (CreateRoundRectRgn's rules: the
// region stops one pixel short of right and bottom). Only rows in [yLo, yHi)
// are appended, one span each.
void roundRectRegionSpans(RECT box, int ew, int eh, int yLo, int yHi, std::vector<Span>& out);

}  // namespace hmigfx::win32
