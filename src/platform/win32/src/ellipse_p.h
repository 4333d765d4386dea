// Ellipses as GDI rasterises them: an integer walk (after Alois Zingl's
// algorithm) along one quadrant, mirrored into the others.
#pragma once

#include "shape_p.h"

#include <vector>

namespace hmigfx::win32 {

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
