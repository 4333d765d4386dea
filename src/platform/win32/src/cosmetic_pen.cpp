// Cosmetic pen rasterisation: dash patterns and exact, analytically clipped
// line pixels.
#include "cosmetic_pen_p.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace hmigfx::win32 {
namespace {

int64_t floorDiv(int64_t a, int64_t b) {  // b > 0
    const int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}
int64_t ceilDiv(int64_t a, int64_t b) { return -floorDiv(-a, b); }

// Lines this long are shortened by GDI before rasterising: points with a
// coordinate of 2^28 or more are divided by 8.
POINT cropHuge(POINT p, bool* cropped) {
    constexpr int kLimit = 0x10000000;
    if (p.x >= kLimit || p.x <= -kLimit || p.y >= kLimit || p.y <= -kLimit) {
        *cropped = true;
        return {p.x / 8, p.y / 8};
    }
    return p;
}

void put(CosmeticRaster& r, bool on, int x, int y, int len) {
    std::vector<Span>* out = on ? r.on : r.off;
    if (out) appendSpan(*out, x, y, len);
}

// Pixels start, start+step, ... (n of them) on a row (horizontal) or column.
void axisLine(CosmeticRaster& r, bool horizontal, int fixed, int start, int step, int64_t n) {
    const int fixLo = horizontal ? r.box.top : r.box.left, fixHi = horizontal ? r.box.bottom : r.box.right;
    const int lo = horizontal ? r.box.left : r.box.top, hi = horizontal ? r.box.right : r.box.bottom;
    DashCursor c = r.cursor;
    if (!r.pattern.solid()) r.cursor.skip(static_cast<uint64_t>(n));
    if (fixed < fixLo || fixed >= fixHi || lo >= hi) return;
    // Offsets k with start + step*k in [lo, hi).
    int64_t ka, kb;
    if (step > 0) {
        ka = int64_t{lo} - start;
        kb = int64_t{hi} - 1 - start;
    } else {
        ka = int64_t{start} - (hi - 1);
        kb = int64_t{start} - lo;
    }
    ka = std::max<int64_t>(ka, 0);
    kb = std::min<int64_t>(kb, n - 1);
    if (ka > kb) return;
    auto emit = [&](int64_t k, int64_t len, bool on) {
        const int64_t first = step > 0 ? start + k : start - (k + len - 1);
        const int a = static_cast<int>(first), l = static_cast<int>(len);
        if (horizontal) {
            put(r, on, a, fixed, l);
        } else {
            for (int i = 0; i < l; ++i) put(r, on, fixed, a + i, 1);
        }
    };
    if (r.pattern.solid()) {
        emit(ka, kb - ka + 1, true);
        return;
    }
    // Whole dashes at a time; an empty entry is passed over.
    if (ka != 0) c.skip(static_cast<uint64_t>(ka));
    for (int64_t k = ka; k <= kb;) {
        const int64_t len = std::min<int64_t>(c.left, kb - k + 1);
        if (len > 0) emit(k, len, c.on);
        k += len;
        c.skip(static_cast<uint64_t>(len));
    }
}

// GDI's octants, numbered clockwise from the positive x axis (y down).
int octantOf(int64_t dx, int64_t dy) {
    if (dy > 0) {
        if (dx > 0) return dx > dy ? 1 : 2;
        return -dx > dy ? 4 : 3;
    }
    if (dx < 0) return -dx > -dy ? 5 : 6;
    return dx > -dy ? 8 : 7;
}

void slantedLine(CosmeticRaster& r, POINT p, POINT q, bool includeEnd) {
    const int64_t dx = int64_t{q.x} - p.x, dy = int64_t{q.y} - p.y;
    const int oct = octantOf(dx, dy);
    const bool xMajor = oct == 1 || oct == 4 || oct == 5 || oct == 8;
    // Ties between two rows (columns) go one way in these octants, the other
    // way in the rest, so a line and its reverse cover the same pixels.
    const int64_t bias = (oct == 3 || oct == 5 || oct == 6 || oct == 8) ? 1 : 0;
    const int sx = (oct == 1 || oct == 2 || oct == 7 || oct == 8) ? 1 : -1;
    const int sy = oct <= 4 ? 1 : -1;
    const int64_t dmaj = xMajor ? std::llabs(dx) : std::llabs(dy);
    const int64_t dmin = xMajor ? std::llabs(dy) : std::llabs(dx);
    const int64_t n = dmaj + (includeEnd ? 1 : 0);

    DashCursor c = r.cursor;
    if (!r.pattern.solid()) r.cursor.skip(static_cast<uint64_t>(dmaj));
    if (n <= 0) return;

    const int pm = xMajor ? p.x : p.y, pn = xMajor ? p.y : p.x;
    const int smaj = xMajor ? sx : sy, smin = xMajor ? sy : sx;
    const int mlo = xMajor ? r.box.left : r.box.top, mhi = xMajor ? r.box.right : r.box.bottom;
    const int nlo = xMajor ? r.box.top : r.box.left, nhi = xMajor ? r.box.bottom : r.box.right;
    if (mlo >= mhi || nlo >= nhi) return;

    // Pixel k sits at major pm + smaj*k and minor pn + smin*m(k) with
    // m(k) = floor((2k*dmin + dmaj + bias - 1) / (2*dmaj)), so the visible k
    // follow from the box directly.
    int64_t ka, kb;
    if (smaj > 0) {
        ka = int64_t{mlo} - pm;
        kb = int64_t{mhi} - 1 - pm;
    } else {
        ka = int64_t{pm} - (mhi - 1);
        kb = int64_t{pm} - mlo;
    }
    int64_t mLo, mHi;
    if (smin > 0) {
        mLo = int64_t{nlo} - pn;
        mHi = int64_t{nhi} - 1 - pn;
    } else {
        mLo = int64_t{pn} - (nhi - 1);
        mHi = int64_t{pn} - nlo;
    }
    mLo = std::max<int64_t>(mLo, 0);
    if (mLo > mHi) return;
    if (dmin == 0) {
        if (mLo > 0) return;
    } else {
        if (mLo > 0) ka = std::max(ka, ceilDiv(2 * dmaj * mLo - dmaj - bias + 1, 2 * dmin));
        kb = std::min(kb, ceilDiv(2 * dmaj * (mHi + 1) - dmaj - bias + 1, 2 * dmin) - 1);
    }
    ka = std::max<int64_t>(ka, 0);
    kb = std::min(kb, n - 1);
    if (ka > kb) return;

    int64_t m = floorDiv(2 * ka * dmin + dmaj + bias - 1, 2 * dmaj);
    int64_t err = 2 * (ka + 1) * dmin - dmaj - 2 * m * dmaj;
    const bool styled = !r.pattern.solid();
    if (styled) c.skip(static_cast<uint64_t>(ka));
    if (!styled) {
        // Solid: whole runs at once, one span per row.
        std::vector<Span>& out = *r.on;
        if (xMajor) {
            for (int64_t k = ka; k <= kb;) {
                const int64_t start = k;
                bool moved = false;
                while (k <= kb && !moved) {
                    moved = err + bias > 0;
                    err += moved ? 2 * dmin - 2 * dmaj : 2 * dmin;
                    ++k;
                }
                const int64_t a = pm + smaj * start, b = pm + smaj * (k - 1);
                appendSpan(out, static_cast<int>(std::min(a, b)), static_cast<int>(pn + smin * m),
                           static_cast<int>(k - start));
                if (moved) ++m;
            }
        } else {
            for (int64_t k = ka; k <= kb; ++k) {
                out.push_back(Span{static_cast<int>(pn + smin * m), static_cast<int>(pm + smaj * k), 1});
                if (err + bias > 0) {
                    ++m;
                    err += 2 * dmin - 2 * dmaj;
                } else {
                    err += 2 * dmin;
                }
            }
        }
        return;
    }
    for (int64_t k = ka; k <= kb; ++k) {
        const int major = static_cast<int>(pm + smaj * k), minor = static_cast<int>(pn + smin * m);
        bool on = true;
        if (styled) {
            // Each pixel takes the state it meets, then moves one on.
            on = c.on;
            c.skip(1);
        }
        if (xMajor)
            put(r, on, major, minor, 1);
        else
            put(r, on, minor, major, 1);
        if (err + bias > 0) {
            ++m;
            err += 2 * dmin - 2 * dmaj;
        } else {
            err += 2 * dmin;
        }
    }
}

}  // namespace

void DashCursor::skip(uint64_t n) {
    n %= pattern->period;
    do {
        if (left > n) {
            left -= static_cast<uint32_t>(n);
            return;
        }
        n -= left;
        if (++index == pattern->count) index = 0;
        left = pattern->len[index];
        on = !on;
    } while (n);
}

uint64_t segmentAdvance(POINT from, POINT to) {
    if (from.y == to.y || from.x == to.x)
        return static_cast<uint64_t>(std::llabs(int64_t{to.x} - from.x) + std::llabs(int64_t{to.y} - from.y));
    bool cropped = false;
    const POINT p = cropHuge(from, &cropped), q = cropHuge(to, &cropped);
    return static_cast<uint64_t>(std::max(std::llabs(int64_t{q.x} - p.x), std::llabs(int64_t{q.y} - p.y)));
}

void rasterSegment(CosmeticRaster& r, POINT from, POINT to) {
    const int64_t dx = int64_t{to.x} - from.x, dy = int64_t{to.y} - from.y;
    if (r.pattern.solid() && dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1) {
        // A step to a neighbour draws just its start: most of a curve's outline.
        if ((dx || dy) && from.x >= r.box.left && from.x < r.box.right && from.y >= r.box.top &&
            from.y < r.box.bottom)
            appendSpan(*r.on, from.x, from.y, 1);
        return;
    }
    if (from.y == to.y) {
        const int64_t n = std::llabs(int64_t{to.x} - from.x);
        axisLine(r, true, from.y, from.x, to.x >= from.x ? 1 : -1, n);
        return;
    }
    if (from.x == to.x) {
        const int64_t n = std::llabs(int64_t{to.y} - from.y);
        axisLine(r, false, from.x, from.y, to.y >= from.y ? 1 : -1, n);
        return;
    }
    bool cropStart = false, cropEnd = false;
    const POINT p = cropHuge(from, &cropStart), q = cropHuge(to, &cropEnd);
    // A styled line whose end point was shortened keeps that end pixel.
    slantedLine(r, p, q, cropEnd && !r.pattern.solid());
}

}  // namespace hmigfx::win32
