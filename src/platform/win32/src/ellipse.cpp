// Ellipse outlines and rounded-rectangle regions.
#include "ellipse_p.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>

namespace hmigfx::win32 {
namespace {

template <class Wide>
size_t quadrantWith(int width, int height, std::vector<POINT>& out) {
    EllipseWalk<Wide> walk(width, height, true);
    POINT pt{width - 1, height / 2};
    const size_t start = out.size();
    while (pt.x >= width / 2) {
        out.push_back(pt);
        bool across, down;
        walk.step(across, down);
        if (across) --pt.x;
        if (down) ++pt.y;
    }
    return out.size() - start;
}

template <class Wide>
void insetsWith(int w, int h, bool wrapSquare, std::vector<int>& inset) {
    EllipseWalk<Wide> walk(w, h, wrapSquare);
    const int rows = h - h / 2;
    inset.assign(static_cast<size_t>(rows), -1);
    inset[0] = 0;
    int x = 0, row = 0;
    while (x <= w / 2) {
        bool across, down;
        walk.step(across, down);
        if (across) ++x;
        if (down) {
            if (++row >= rows) break;
            inset[static_cast<size_t>(row)] = x;
        }
    }
}

bool narrow(int width, int height) { return width <= kNarrowWalkExtent && height <= kNarrowWalkExtent; }

}  // namespace

size_t ellipseQuadrant(int width, int height, std::vector<POINT>& out) {
    return narrow(width, height) ? quadrantWith<int64_t>(width, height, out)
                                 : quadrantWith<__int128>(width, height, out);
}

void cornerInsets(int w, int h, bool wrapSquare, std::vector<int>& inset) {
    if (narrow(w, h))
        insetsWith<int64_t>(w, h, wrapSquare, inset);
    else
        insetsWith<__int128>(w, h, wrapSquare, inset);
}

void roundRectOutline(const RECT& rc, int ew, int eh, int arcDirection, std::vector<POINT>& out) {
    out.clear();
    const size_t count = ellipseQuadrant(ew, eh, out);
    // Into the bottom-right corner (clockwise) or the top-right one.
    for (size_t i = 0; i < count; ++i) {
        out[i].x = rc.right - ew + out[i].x;
        out[i].y = arcDirection == AD_CLOCKWISE ? rc.bottom - eh + out[i].y : rc.top + eh - 1 - out[i].y;
    }
    // Mirror left, then up (or down); the middle point of a full-width
    // (full-height) odd ellipse is not repeated.
    auto mirror = [&](bool horizontal, int extent, int64_t full) {
        const size_t n = out.size();
        const size_t total = 2 * n - ((extent % 2 && extent == full) ? 1 : 0);
        out.resize(total);
        for (size_t i = 0; i < n; ++i) {
            POINT p = out[i];
            if (horizontal)
                p.x = rc.left + rc.right - 1 - p.x;
            else
                p.y = rc.top + rc.bottom - 1 - p.y;
            out[total - 1 - i] = p;
        }
    };
    mirror(true, ew, int64_t{rc.right} - rc.left);
    mirror(false, eh, int64_t{rc.bottom} - rc.top);
}

void roundRectRegionSpans(RECT box, int ew, int eh, int yLo, int yHi, std::vector<Span>& out) {
    if (box.left > box.right) std::swap(box.left, box.right);
    if (box.top > box.bottom) std::swap(box.top, box.bottom);
    const int left = box.left, top = box.top, right = box.right - 1, bottom = box.bottom - 1;
    ew = std::min<int64_t>(int64_t{right} - left, std::llabs(ew));
    eh = std::min<int64_t>(int64_t{bottom} - top, std::llabs(eh));
    auto rows = [&](int64_t y0, int64_t y1, int l, int r) {
        if (l >= r) return;
        for (int64_t y = std::max<int64_t>(y0, yLo); y < std::min<int64_t>(y1, yHi); ++y)
            out.push_back(Span{l, static_cast<int>(y), static_cast<int>(std::min<int64_t>(int64_t{r} - l, INT_MAX))});
    };
    if (ew < 2 || eh < 2) {
        rows(top, bottom, left, right);
        return;
    }
    // The lower half's rows, from the middle down, each with its mirror above.
    thread_local std::vector<int> inset;  // reused: no allocation per call
    cornerInsets(ew, eh, true, inset);
    const CornerRows c{left, top, right, bottom, ew, eh};
    for (size_t k = 0; k < inset.size(); ++k) {
        const int x = inset[k];
        if (x < 0) continue;
        const int j = c.mid() + static_cast<int>(k);
        const auto [y0, y1] = c.lower(j);
        rows(y0, y1, left + x, right - x);
        if (c.hasUpper(j)) rows(c.upper(j), c.upper(j) + 1, left + x, right - x);
    }
}

}  // namespace hmigfx::win32
