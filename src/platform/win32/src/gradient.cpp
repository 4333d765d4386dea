// GradientFill: horizontal and vertical rectangles and Gouraud triangles.
//
// Channels are interpolated in 16 bits and truncated to 8; rectangles cover
// [x0, x1) x [y0, y1) and a triangle covers, on each row between its top and
// bottom vertex, the pixels from its left to its right edge (right exclusive),
// with edge positions and colour weights rounded as the reference GDI rounds
// them. Surfaces of 16 bits and fewer are dithered with Bayer matrices.
#include "dc_p.h"
#include "printer_p.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

namespace hmigfx::win32 {
namespace {

// Bayer matrix of size n (a power of two), built by the usual recursion.
template <int N>
constexpr std::array<std::array<uint8_t, N>, N> bayer() {
    std::array<std::array<uint8_t, N>, N> m{};
    m[0][0] = 0;
    for (int size = 1; size < N; size *= 2)
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const int v = 4 * m[y][x];
                m[y][x] = static_cast<uint8_t>(v);
                m[y][x + size] = static_cast<uint8_t>(v + 2);
                m[y + size][x] = static_cast<uint8_t>(v + 3);
                m[y + size][x + size] = static_cast<uint8_t>(v + 1);
            }
    return m;
}

constexpr auto kBayer4 = bayer<4>();
constexpr auto kBayer16 = bayer<16>();

// 32-bit arithmetic that wraps like the reference's int arithmetic does for
// coordinates far outside any surface, without undefined behaviour.
inline int32_t wrapMul(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}
inline int32_t wrapSub(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}
inline int32_t wrapAdd(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

// The x of the edge (x1, y1)-(x2, y2) on row y, always followed from its
// right end so both sides of a shared edge round alike.
int edgeX(int y, int x1, int y1, int x2, int y2) {
    const int32_t dy = wrapSub(y2, y1);
    if (dy == 0) return x1;
    if (x2 > x1) return wrapAdd(x2, wrapMul(wrapSub(y, y2), wrapSub(x2, x1)) / dy);
    return wrapAdd(x1, wrapMul(wrapSub(y, y1), wrapSub(x2, x1)) / dy);
}

struct Vertex {
    int x, y;
    uint32_t c[4];  // red, green, blue, alpha, 16 bits each
};

Vertex vertexAt(const TRIVERTEX& t, POINT p) { return Vertex{p.x, p.y, {t.Red, t.Green, t.Blue, t.Alpha}}; }

// Writes interpolated channels (red, green, blue, alpha; 16-bit scale, as the
// integer quotients the interpolation gives) in the surface's pixel format.
class ChannelWriter {
public:
    ChannelWriter(const Surface& s, bool keepAlpha) : s_(s), keepAlpha_(keepAlpha) {}

    bool direct32() const { return s_.bpp == 32; }
    uint32_t* row32(int y) const { return s_.row32(y); }

    uint32_t pack32(const int64_t ch[4]) const {
        return (keepAlpha_ ? byte(ch[3]) << 24 : 0u) | (byte(ch[0]) << 16) | (byte(ch[1]) << 8) | byte(ch[2]);
    }

    void put(int x, int y, const int64_t ch[4]) const {
        switch (s_.bpp) {
        case 32:
            s_.row32(y)[x] = pack32(ch);
            return;
        case 24:
            writePixel(s_, x, y, (byte(ch[0]) << 16) | (byte(ch[1]) << 8) | byte(ch[2]));
            return;
        case 16: {
            // Half-precision channels plus a 4x4 threshold, five bits kept.
            const int t = kBayer4[y & 3][x & 3];
            auto five = [t](int64_t v) { return std::clamp(static_cast<int>(v / 128 + t) / 16, 0, 31); };
            writePixel(s_, x, y, static_cast<uint32_t>((five(ch[0]) << 10) | (five(ch[1]) << 5) | five(ch[2])));
            return;
        }
        default: {
            // Palettes: each channel dithered to 0, 127 or 254 and matched to the table.
            const int t = kBayer16[y & 15][x & 15];
            auto level = [t](int64_t v) { return static_cast<BYTE>(static_cast<uint8_t>((v / 128 + t) / 256) * 127); };
            uint32_t idx = colorToPixel(s_, RGB(level(ch[0]), level(ch[1]), level(ch[2])));
            if (s_.bpp == 1) idx = idx ? 1 : 0;
            writePixel(s_, x, y, idx);
            return;
        }
        }
    }

private:
    static uint32_t byte(int64_t v) { return static_cast<uint32_t>(static_cast<uint8_t>(v / 256)); }

    const Surface& s_;
    bool keepAlpha_;
};

// Calls f(rect) for every part of bounds inside the visible region.
template <class F>
void forEachVisible(const PixRegion& visible, const RECT& bounds, F f) {
    if (bounds.left >= bounds.right || bounds.top >= bounds.bottom) return;
    int n = 0;
    const pixman_box32_t* boxes = visible.rects(&n);
    for (int i = 0; i < n; ++i) {
        const RECT r{std::max<LONG>(bounds.left, boxes[i].x1), std::max<LONG>(bounds.top, boxes[i].y1),
                     std::min<LONG>(bounds.right, boxes[i].x2), std::min<LONG>(bounds.bottom, boxes[i].y2)};
        if (r.left < r.right && r.top < r.bottom) f(r);
    }
}

// Channel c of a rectangle gradient at pos of len, with the reference's unsigned arithmetic.
inline uint32_t rampChannel(const Vertex& a, const Vertex& b, int c, uint32_t pos, uint32_t len) {
    return (a.c[c] * (len - pos) + b.c[c] * pos) / len;
}

void fillRect(const DC& dc, const ChannelWriter& out, const Vertex& v0, const Vertex& v1, bool horizontal,
              const RECT& bounds) {
    const uint32_t len = static_cast<uint32_t>(horizontal ? v1.x - v0.x : v1.y - v0.y);
    auto channels = [&](int at, int64_t ch[4]) {
        const uint32_t pos = static_cast<uint32_t>(at - (horizontal ? v0.x : v0.y));
        for (int c = 0; c < 4; ++c) ch[c] = rampChannel(v0, v1, c, pos, len);
    };
    static thread_local std::vector<int64_t> ramp;
    static thread_local std::vector<uint32_t> row;
    forEachVisible(dc.visible, bounds, [&](const RECT& r) {
        const int w = r.right - r.left;
        if (horizontal) {
            // The colour depends on x alone: one row of channels serves every row.
            ramp.resize(static_cast<size_t>(w) * 4);
            for (int x = r.left; x < r.right; ++x) channels(x, &ramp[static_cast<size_t>(x - r.left) * 4]);
            if (out.direct32()) {
                row.resize(static_cast<size_t>(w));
                for (int i = 0; i < w; ++i) row[i] = out.pack32(&ramp[static_cast<size_t>(i) * 4]);
                for (int y = r.top; y < r.bottom; ++y) std::memcpy(out.row32(y) + r.left, row.data(), sizeof(uint32_t) * w);
                return;
            }
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.right; ++x) out.put(x, y, &ramp[static_cast<size_t>(x - r.left) * 4]);
            return;
        }
        for (int y = r.top; y < r.bottom; ++y) {
            int64_t ch[4];
            channels(y, ch);
            if (out.direct32()) {
                std::fill_n(out.row32(y) + r.left, w, out.pack32(ch));
                continue;
            }
            for (int x = r.left; x < r.right; ++x) out.put(x, y, ch);
        }
    });
}

// Walks num / det (truncated, det > 0) along a row where num grows by a
// constant: quotient and remainder are stepped instead of divided.
struct QuotientWalk {
    int64_t q = 0, r = 0, dq = 0, dr = 0, det = 1;

    static int64_t floorDiv(int64_t a, int64_t b) {
        int64_t q = a / b;
        if (a % b != 0 && a < 0) --q;
        return q;
    }
    void start(int64_t num, int64_t step, int64_t d) {
        det = d;
        q = floorDiv(num, d);
        r = num - q * d;
        dq = floorDiv(step, d);
        dr = step - dq * d;
    }
    int64_t value() const { return q + (q < 0 && r != 0); }
    void next() {
        q += dq;
        r += dr;
        if (r >= det) {
            r -= det;
            ++q;
        }
    }
};

// False for a triangle without area that reaches visible pixels, which the
// reference refuses.
bool fillTriangle(const DC& dc, const ChannelWriter& out, Vertex v[3]) {
    // Ordered from top to bottom, keeping the given order between equal rows.
    int o[3];
    if (v[0].y > v[1].y) {
        if (v[2].y < v[1].y) o[0] = 2, o[1] = 1, o[2] = 0;
        else if (v[2].y < v[0].y) o[0] = 1, o[1] = 2, o[2] = 0;
        else o[0] = 1, o[1] = 0, o[2] = 2;
    } else {
        if (v[2].y < v[0].y) o[0] = 2, o[1] = 0, o[2] = 1;
        else if (v[2].y < v[1].y) o[0] = 0, o[1] = 2, o[2] = 1;
        else o[0] = 0, o[1] = 1, o[2] = 2;
    }
    const Vertex a = v[o[0]], b = v[o[1]], c = v[o[2]];
    const int32_t det = wrapSub(wrapMul(wrapSub(c.y, b.y), wrapSub(c.x, a.x)), wrapMul(wrapSub(c.x, b.x), wrapSub(c.y, a.y)));
    const RECT bounds{std::min({a.x, b.x, c.x}), a.y, std::max({a.x, b.x, c.x}), c.y};
    bool visible = false;
    forEachVisible(dc.visible, bounds, [&](const RECT&) { visible = true; });
    if (!visible) return true;
    if (det == 0) return false;
    // With coordinates this small no product overflows, and the weights can be stepped along each row.
    constexpr int kSmall = 1 << 14;
    auto small = [&](int v) { return v > -kSmall && v < kSmall; };
    const bool stepped = small(a.x) && small(a.y) && small(b.x) && small(b.y) && small(c.x) && small(c.y) &&
                         dc.surface.width < kSmall && dc.surface.height < kSmall;
    const int64_t sign = det < 0 ? -1 : 1;
    forEachVisible(dc.visible, bounds, [&](const RECT& r) {
        for (int y = r.top; y < r.bottom; ++y) {
            const int xa = y < b.y ? edgeX(y, a.x, a.y, b.x, b.y) : edgeX(y, b.x, b.y, c.x, c.y);
            const int xb = edgeX(y, a.x, a.y, c.x, c.y);
            const int left = std::max<int>(r.left, std::min(xa, xb));
            const int right = std::min<int>(r.right, std::max(xa, xb));
            if (left >= right) continue;
            if (stepped) {
                // num_k(x) = a_k l1 + b_k l2 + c_k (det - l1 - l2), linear in x.
                const int64_t l1 = int64_t(b.y - c.y) * (left - c.x) - int64_t(b.x - c.x) * (y - c.y);
                const int64_t l2 = int64_t(c.y - a.y) * (left - c.x) - int64_t(c.x - a.x) * (y - c.y);
                const int64_t dl1 = b.y - c.y, dl2 = c.y - a.y;
                QuotientWalk walk[4];
                for (int k = 0; k < 4; ++k) {
                    const int64_t num = int64_t(a.c[k]) * l1 + int64_t(b.c[k]) * l2 + int64_t(c.c[k]) * (det - l1 - l2);
                    const int64_t step = int64_t(a.c[k]) * dl1 + int64_t(b.c[k]) * dl2 - int64_t(c.c[k]) * (dl1 + dl2);
                    walk[k].start(sign * num, sign * step, sign * det);
                }
                uint32_t* row = out.direct32() ? out.row32(y) : nullptr;
                for (int x = left; x < right; ++x) {
                    const int64_t ch[4] = {walk[0].value(), walk[1].value(), walk[2].value(), walk[3].value()};
                    if (row)
                        row[x] = out.pack32(ch);
                    else
                        out.put(x, y, ch);
                    for (QuotientWalk& w : walk) w.next();
                }
                continue;
            }
            for (int x = left; x < right; ++x) {
                // Barycentric weights of a and b; c takes the rest.
                const int64_t l1 = wrapSub(wrapMul(wrapSub(b.y, c.y), wrapSub(x, c.x)), wrapMul(wrapSub(b.x, c.x), wrapSub(y, c.y)));
                const int64_t l2 = wrapSub(wrapMul(wrapSub(c.y, a.y), wrapSub(x, c.x)), wrapMul(wrapSub(c.x, a.x), wrapSub(y, c.y)));
                int64_t ch[4];
                for (int k = 0; k < 4; ++k)
                    ch[k] = (static_cast<int64_t>(a.c[k]) * l1 + static_cast<int64_t>(b.c[k]) * l2 +
                             static_cast<int64_t>(c.c[k]) * (det - l1 - l2)) / det;
                out.put(x, y, ch);
            }
        }
    });
    return true;
}

}  // namespace
}  // namespace hmigfx::win32

using namespace hmigfx::win32;

extern "C" {

BOOL WINAPI GradientFill(HDC hdc, PTRIVERTEX vertices, ULONG nVertex, PVOID mesh, ULONG nMesh, ULONG mode) {
    const PageRecord rec(hdc, [&] {
        const long long per = mode == GRADIENT_FILL_TRIANGLE ? 3 : 2;
        return [v = keepArray(vertices, nVertex), m = keepArray(static_cast<const ULONG*>(mesh), per * nMesh), nVertex,
                nMesh, mode](HDC d) mutable {
            GradientFill(d, v.empty() ? nullptr : v.data(), nVertex, m.empty() ? nullptr : m.data(), nMesh, mode);
        };
    });
    DC* dc = findDC(hdc);
    if (!dc || !vertices || !nVertex || !mesh || !nMesh || mode > GRADIENT_FILL_TRIANGLE) return FALSE;
    const ULONG per = mode == GRADIENT_FILL_TRIANGLE ? 3 : 2;
    const auto* idx = static_cast<const ULONG*>(mesh);
    if (nMesh > (SIZE_MAX / sizeof(ULONG)) / per) return FALSE;
    for (size_t i = 0; i < static_cast<size_t>(nMesh) * per; ++i)
        if (idx[i] >= nVertex) return FALSE;
    if (!dc->surface.valid()) return FALSE;

    // 32-bit DIB sections declared with bit fields keep no alpha, as on Windows.
    const Bitmap* bmp = dc->bitmap();
    const bool keepAlpha = !(bmp && bmp->dib && bmp->header.biCompression == BI_BITFIELDS);
    const ChannelWriter out(dc->surface, keepAlpha);
    auto vertex = [&](ULONG i) { return vertexAt(vertices[i], dc->toDevice(POINT{vertices[i].x, vertices[i].y})); };

    BOOL ok = TRUE;
    for (ULONG m = 0; m < nMesh; ++m) {
        if (mode == GRADIENT_FILL_TRIANGLE) {
            Vertex v[3] = {vertex(idx[3 * m]), vertex(idx[3 * m + 1]), vertex(idx[3 * m + 2])};
            if (!fillTriangle(*dc, out, v)) ok = FALSE;
            continue;
        }
        Vertex v0 = vertex(idx[2 * m]), v1 = vertex(idx[2 * m + 1]);
        const bool horizontal = mode == GRADIENT_FILL_RECT_H;
        // The colours follow the corners: the left (top) one starts the ramp.
        if (horizontal ? v1.x < v0.x : v1.y < v0.y) std::swap(v0, v1);
        const RECT bounds = horizontal ? RECT{v0.x, std::min(v0.y, v1.y), v1.x, std::max(v0.y, v1.y)}
                                       : RECT{std::min(v0.x, v1.x), v0.y, std::max(v0.x, v1.x), v1.y};
        fillRect(*dc, out, v0, v1, horizontal, bounds);
    }
    return ok;
}

}  // extern "C"
