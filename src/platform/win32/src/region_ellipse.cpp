// Elliptic and round-rectangle regions.
//
// GDI builds these from its own scan conversion, not from the one Ellipse and
// RoundRect use: the shape spans [left, right-1) x [top, bottom-1), and every
// row of the corner ellipse is a rectangle of its own, even where neighbouring
// rows have the same extent (GetRegionData shows them).
#include "ellipse_p.h"
#include "region_p.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace hmigfx::win32;

namespace {

// GDI gives up on shapes whose corner ellipse has more rows than memory allows;
// we refuse well before that rather than allocate gigabytes.
constexpr int64_t kMaxCornerSize = 1 << 20;

HRGN roundRectRegion(int x1, int y1, int x2, int y2, int cornerW, int cornerH) {
    int64_t left = std::min(x1, x2), right = std::max(x1, x2);
    int64_t top = std::min(y1, y2), bottom = std::max(y1, y2);
    // The region leaves out the last column and row of the bounding box.
    --right;
    --bottom;
    const int64_t w = std::min<int64_t>(right - left, std::llabs(static_cast<int64_t>(cornerW)));
    const int64_t h = std::min<int64_t>(bottom - top, std::llabs(static_cast<int64_t>(cornerH)));
    auto obj = std::make_unique<Region>();
    if (w < 2 || h < 2) {
        // No room for a curve: the plain rectangle, normalised again (so a
        // zero-size box becomes the pixel left of and above it).
        obj->rgn.setRect(RECT{static_cast<LONG>(left), static_cast<LONG>(top), static_cast<LONG>(right),
                              static_cast<LONG>(bottom)});
        return addTyped(std::move(obj));
    }
    if (w > kMaxCornerSize || h > kMaxCornerSize) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    thread_local std::vector<int> inset;  // reused: no allocation per call
    cornerInsets(static_cast<int>(w), static_cast<int>(h), false, inset);

    // Top to bottom: the upper half's rows mirror the lower half's, then the
    // middle band over the straight sides, then the rest down to the bottom.
    const int ch = static_cast<int>(h), half = ch / 2;
    const CornerRows c{left, top, right, bottom, static_cast<int>(w), ch};
    const bool ok = obj->rgn.fillBoxes(ch, [&](pixman_box32_t* boxes) {
        int n = 0;
        for (int i = 0; i < ch; ++i) {
            const int j = i < half ? ch - 1 - i : i;  // the lower-half row it shows
            const int in = inset[static_cast<size_t>(j - half)];
            const auto [y0, yEnd] = i < half ? std::pair{c.upper(j), c.upper(j) + 1} : c.lower(j);
            const int64_t l = left + in, r = right - in;
            // Rows the trace never reached, or overshot to an empty width (GDI
            // keeps those as empty rectangles), paint nothing: left out.
            if (in < 0 || l >= r) continue;
            boxes[n++] = pixman_box32_t{static_cast<int32_t>(l), static_cast<int32_t>(y0), static_cast<int32_t>(r),
                                        static_cast<int32_t>(yEnd)};
        }
        return n;
    });
    if (!ok) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return addTyped(std::move(obj));
}

}  // namespace

extern "C" {

HRGN WINAPI CreateRoundRectRgn(int x1, int y1, int x2, int y2, int w, int h) {
    return roundRectRegion(x1, y1, x2, y2, w, h);
}

HRGN WINAPI CreateEllipticRgn(int x1, int y1, int x2, int y2) {
    // An ellipse is a round rectangle whose corners take the whole box.
    const int64_t w = static_cast<int64_t>(x2) - x1, h = static_cast<int64_t>(y2) - y1;
    auto clampInt = [](int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
    return roundRectRegion(x1, y1, x2, y2, clampInt(w), clampInt(h));
}

HRGN WINAPI CreateEllipticRgnIndirect(const RECT* rc) {
    if (!rc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return CreateEllipticRgn(rc->left, rc->top, rc->right, rc->bottom);
}

}  // extern "C"
