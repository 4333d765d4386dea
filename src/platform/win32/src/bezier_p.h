// Flattening of cubic Bézier curves into the polyline GDI draws for them.
#pragma once

#include <windows.h>

#include <vector>

namespace hmigfx::win32 {

// Appends the polyline approximating the curves through pts (1 + 3k points,
// k >= 1, logical coordinates) to out. GDI subdivides each curve on a grid of
// 1/16 pixel until its control points lie within a pixel of the chord, at
// most eight levels deep.
void flattenBeziers(const POINT* pts, size_t count, std::vector<POINT>& out);

}  // namespace hmigfx::win32
