// Ellipse outlines and rounded-rectangle regions.
#include "ellipse_p.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace hmigfx::win32 {
namespace {

// The error terms of the walk for diameters a = width-1 and b = height-1.
struct EllipseWalk {
    int64_t asq, bsq, dx, dy, err;

    EllipseWalk(int width, int height) {
        const int64_t a = width - 1, b = height - 1;
        asq = 8 * a * a;
        bsq = 8 * b * b;
        dx = 4 * b * b * (1 - a);
        dy = 4 * a * a * (1 + b % 2);
        // The reference forms a*a in 32 bits here; beyond 46340 pixels that
        // wraps, and the pixels it chooses follow the wrapped value.
        const auto aa = static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(a));
        err = dx + dy + int64_t{aa} * (b % 2);
    }
};

}  // namespace

size_t ellipseQuadrant(int width, int height, std::vector<POINT>& out) {
    EllipseWalk w(width, height);
    POINT pt{width - 1, height / 2};
    const size_t start = out.size();
    while (pt.x >= width / 2) {
        out.push_back(pt);
        const int64_t e2 = 2 * w.err;
        if (e2 >= w.dx) {
            --pt.x;
            w.dx += w.bsq;
            w.err += w.dx;
        }
        if (e2 <= w.dy) {
            ++pt.y;
            w.dy += w.asq;
            w.err += w.dy;
        }
    }
    return out.size() - start;
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
    auto mirror = [&](bool horizontal, int extent, int full) {
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
    mirror(true, ew, rc.right - rc.left);
    mirror(false, eh, rc.bottom - rc.top);
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
            out.push_back(Span{l, static_cast<int>(y), r - l});
    };
    if (ew < 2 || eh < 2) {
        rows(top, bottom, left, right);
        return;
    }
    // The walk gives the rows of the lower half, from the middle down; each
    // also stands for its mirror in the upper half. Rows the walk does not
    // reach (very narrow ellipses) stay empty.
    const int b = eh - 1, mid = eh / 2;
    auto emit = [&](int j, int x) {
        const int l = left + x, r = right - x;
        if (j == mid)
            rows(int64_t{top} + mid, int64_t{bottom} - eh + mid + 1, l, r);  // the straight sides
        else
            rows(int64_t{bottom} - eh + j, int64_t{bottom} - eh + j + 1, l, r);
        const int i = b - j;
        if (i < mid) rows(int64_t{top} + i, int64_t{top} + i + 1, l, r);
    };
    EllipseWalk w(ew, eh);
    int x = 0, j = mid;
    emit(j, 0);
    while (x <= ew / 2) {
        const int64_t e2 = 2 * w.err;
        if (e2 >= w.dx) {
            ++x;
            w.dx += w.bsq;
            w.err += w.dx;
        }
        if (e2 <= w.dy) {
            ++j;
            w.dy += w.asq;
            w.err += w.dy;
            if (j > b) break;
            emit(j, x);
        }
    }
}

}  // namespace hmigfx::win32
