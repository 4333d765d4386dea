// Polygon scan conversion: the interior Polygon and PolyPolygon fill and the
// region CreatePolygonRgn builds are the same set of pixels.
#pragma once

#include "shape_p.h"

#include <vector>

namespace hmigfx::win32 {

// Appends the interior of the polygons (device points, counts[i] points each,
// each closed back to its first point) on rows [yLo, yHi) as spans, row by
// row from the top. A pixel (x, y) is inside when the point (x, y) is: edges
// cover the rows from their upper end point to just above the lower one, and
// a row's run starts at the first pixel at or right of the left crossing and
// stops before the first pixel at or right of the right crossing. mode is
// ALTERNATE (odd crossings) or WINDING (non-zero winding number).
void scanPolygons(const POINT* pts, const int* counts, int npoly, int mode, int yLo, int yHi,
                  std::vector<Span>& out);

// The rows [top, bottom) the polygons cover at most.
RECT polygonBounds(const POINT* pts, size_t total);

}  // namespace hmigfx::win32

namespace hmigfx::win32 {

class FigureStroker;

// Fills the polygons (device points) with the DC's brush under its ROP2,
// through the stroker that then outlines them.
void fillPolygons(DC& dc, FigureStroker& stroker, const POINT* pts, const int* counts, int npoly, int mode);

}  // namespace hmigfx::win32
