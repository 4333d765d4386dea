// Elliptic and round-rectangle regions.
//
// GDI builds these from its own scan conversion, not from the one Ellipse and
// RoundRect use: the shape spans [left, right-1) x [top, bottom-1), and every
// row of the corner ellipse is a rectangle of its own, even where neighbouring
// rows have the same extent (GetRegionData shows them).
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

// The error terms grow as the cube of the diameters: 64 bits hold them up to
// this size (with a wide margin), larger corners take 128.
constexpr int64_t kMaxNarrowSize = 1 << 18;

// Insets from the left/right edges of the rows of the lower half of a corner
// ellipse w x h pixels (w, h >= 2), row h/2 first; -1 for rows the trace
// does not reach. The ellipse is traced by
// the incremental midpoint method on the pixel centres (diameters w-1, h-1):
// each step moves the outline one pixel outwards in x, or down one row, or
// both, whichever keeps the error term closest to zero.
template <class Wide>
void lowerHalfInsets(int w, int h, std::vector<int>& inset) {
    const Wide a = w - 1, b = h - 1;
    const Wide odd = b & 1;
    const Wide stepX2 = 8 * b * b, stepY2 = 8 * a * a;
    Wide dx = 4 * b * b * (1 - a);  // error change of the next x step
    Wide dy = 4 * a * a * (1 + odd);  // error change of the next row step
    Wide err = dx + dy + a * a * odd;
    const int rows = h - h / 2;
    inset.assign(static_cast<size_t>(rows), -1);
    inset[0] = 0;
    int x = 0, row = 0;
    while (x <= w / 2) {
        const Wide e2 = 2 * err;
        if (e2 >= dx) {
            ++x;
            dx += stepX2;
            err += dx;
        }
        if (e2 <= dy) {
            ++row;
            dy += stepY2;
            err += dy;
            if (row < rows) inset[static_cast<size_t>(row)] = x;
        }
    }
    // Very narrow ellipses leave the trace before their tip; GDI leaves those
    // rows undefined (-1 here) and they stay out of the region.
}

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
    if (w <= kMaxNarrowSize && h <= kMaxNarrowSize)
        lowerHalfInsets<int64_t>(static_cast<int>(w), static_cast<int>(h), inset);
    else
        lowerHalfInsets<__int128>(static_cast<int>(w), static_cast<int>(h), inset);

    // Rows 0 .. h/2-1 mirror the lower half; row h/2 is the middle band that
    // stretches over the straight sides; the rest end at the bottom.
    const int ch = static_cast<int>(h), half = ch / 2;
    const bool ok = obj->rgn.fillBoxes(ch, [&](pixman_box32_t* boxes) {
        int n = 0;
        for (int i = 0; i < ch; ++i) {
            int in;
            int64_t y0;
            if (i < half) {
                in = inset[static_cast<size_t>(ch - 1 - i - half)];
                y0 = top + i;
            } else {
                in = inset[static_cast<size_t>(i - half)];
                y0 = bottom - ch + i;
            }
            const int64_t yEnd = y0 + 1;
            if (i == half) y0 = top + half;
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
