// Bézier flattening by recursive midpoint subdivision on a 1/16 pixel grid.
#include "bezier_p.h"

#include <cstdint>
#include <cstdlib>

namespace hmigfx::win32 {
namespace {

constexpr int kFraction = 4;  // bits below the pixel
constexpr int kOnePixel = 1 << kFraction;
constexpr int kMaxDepth = 8;

int toGrid(int v) { return static_cast<int>(static_cast<unsigned>(v) << kFraction); }
// Back to pixels, rounding halves up (arithmetic shift).
int64_t toPixel(int64_t v) { return (v + (kOnePixel >> 1)) >> kFraction; }
int toPixel(int v) { return static_cast<int>(toPixel(int64_t{v})); }
POINT toPixel(POINT p) { return {toPixel(p.x), toPixel(p.y)}; }
// Midpoint rounded as the reference does it (division truncating toward zero).
POINT middle(POINT a, POINT b) {
    return {static_cast<int>((int64_t{a.x} + b.x + 1) / 2), static_cast<int>((int64_t{a.y} + b.y + 1) / 2)};
}

// The control coordinate c lies between the end coordinates a and b.
bool between(int64_t c, int64_t a, int64_t b) { return c < a ? c >= b : c <= b; }

// Flat enough to draw as its chord: both control points lie between the end
// points along the major axis and within a pixel of the chord across it.
bool flatEnough(const POINT c[4]) {
    // 64 bits: grid coordinates fill the int range, their differences do not fit.
    const int64_t dx = int64_t{c[3].x} - c[0].x, dy = int64_t{c[3].y} - c[0].y;
    const bool shallow = std::abs(dy) <= std::abs(dx);
    auto major = [shallow](POINT p) { return int64_t{shallow ? p.x : p.y}; };
    auto minor = [shallow](POINT p) { return int64_t{shallow ? p.y : p.x}; };
    if (!between(major(c[1]), major(c[0]), major(c[3])) || !between(major(c[2]), major(c[0]), major(c[3])))
        return false;
    const int64_t dMajor = toPixel(shallow ? dx : dy);
    if (dMajor == 0) return true;
    const int64_t slope = (shallow ? dy : dx) / dMajor;  // minor grid units per major pixel, truncated
    for (int i = 1; i <= 2; ++i) {
        const int64_t off = minor(c[i]) - minor(c[0]) - slope * toPixel(major(c[i]) - major(c[0]));
        if (std::abs(off) > kOnePixel) return false;
    }
    return true;
}

void subdivide(POINT c[4], std::vector<POINT>& out, bool& first, int depth) {
    if (depth == 0 || flatEnough(c)) {
        if (first) {
            out.push_back(toPixel(c[0]));
            first = false;
        }
        out.push_back(toPixel(c[3]));
        return;
    }
    // de Casteljau at t = 1/2 with the reference's rounding and order.
    POINT right[4];
    right[3] = c[3];
    right[2] = middle(c[2], c[3]);
    right[0] = middle(c[1], c[2]);
    right[1] = middle(right[0], right[2]);
    c[1] = middle(c[0], c[1]);
    c[2] = middle(c[1], right[0]);
    c[3] = middle(c[2], right[1]);
    right[0] = c[3];
    subdivide(c, out, first, depth - 1);
    subdivide(right, out, first, depth - 1);
}

}  // namespace

void flattenBeziers(const POINT* pts, size_t count, std::vector<POINT>& out) {
    bool first = true;
    for (size_t i = 0; i + 3 < count; i += 3) {
        POINT c[4];
        for (int j = 0; j < 4; ++j) c[j] = {toGrid(pts[i + j].x), toGrid(pts[i + j].y)};
        subdivide(c, out, first, kMaxDepth);
    }
}

}  // namespace hmigfx::win32
