// GradientFill: horizontal and vertical rectangles and Gouraud triangles.
//
// Channels are interpolated in 16 bits and truncated to 8; rectangles cover
// [x0, x1) x [y0, y1) and a triangle covers, on each row between its top and
// bottom vertex, the pixels from its left to its right edge (right exclusive),
// with edge positions and colour weights rounded as the reference GDI rounds
// them. Surfaces of 16 bits and fewer are dithered with Bayer matrices.
//
// Every channel is a quotient whose numerator grows by a constant from pixel
// to pixel. On 32-bit surfaces a run of pixels is made four (with AVX2 eight)
// at a time by stepping quotient and remainder, with 256 times the divisor so
// that the quotient is the 8-bit channel itself: no division per pixel. The
// exact form (gradientFillExact) divides per pixel; the two agree bit for bit.
#include "dc_p.h"
#include "gradient_p.h"
#include "printer_p.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstring>
#include <cwchar>
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
    bool keepAlpha() const { return keepAlpha_; }
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

// ---- stepped runs -----------------------------------------------------------

inline int64_t floorDiv(int64_t a, int64_t b) {  // b > 0
    const int64_t q = a / b;
    return q - (a % b < 0);
}

// A numerator's increment as quotient and remainder of its divisor d.
struct Step {
    int64_t dq, dr;  // increment = dq * d + dr, 0 <= dr < d
};
Step stepOf(int64_t increment, int64_t d) {
    const int64_t q = floorDiv(increment, d);
    return {q, increment - q * d};
}

// floor(num / d) and the remainder, as num grows step by step.
struct Walk {
    int64_t q, r;
    void next(const Step& s, int64_t d) {
        r += s.dr;
        const bool carry = r >= d;
        r -= carry ? d : 0;
        q += s.dq + carry;
    }
};
Walk walkFrom(int64_t num, int64_t d) {
    const int64_t q = floorDiv(num, d);
    return {q, num - q * d};
}

// A divisor used for many rows: its reciprocal gives each quotient to within
// one, which one multiplication checks, where a division would cost more
// than the rest of a short row.
struct Divisor {
    int64_t d;
    double inverse;
    explicit Divisor(int64_t div) : d(div), inverse(1.0 / static_cast<double>(div)) {}
    // num >= 0 and below 2^53, so that a double holds it exactly.
    Walk walk(int64_t num) const {
        int64_t q = static_cast<int64_t>(static_cast<double>(num) * inverse);
        int64_t r = num - q * d;
        if (r < 0) --q, r += d;
        else if (r >= d) ++q, r -= d;
        return {q, r};
    }
};

// ---- runs of 32-bit pixels, several at a time ------------------------------------

// L values of T, which the compiler keeps in SIMD registers: four in SSE2's,
// eight in AVX2's.
template <class T, int L>
struct Lanes {
    typedef T type __attribute__((vector_size(L * sizeof(T))));
};
constexpr int kMaxLanes = 8;

// How a channel's numerator grows along a run: per pixel, per 4 and per 8
// pixels, and from a run's first pixel to each of its first eight.
struct Slope {
    Step pixel, lanes4, lanes8;
    int64_t laneQ[kMaxLanes], laneR[kMaxLanes];
    int32_t laneQ32[kMaxLanes], laneR32[kMaxLanes];

    // Set in place: a copy of a freshly built Slope stalls on its own stores.
    void set(int64_t increment, int64_t d) {
        pixel = stepOf(increment, d);
        Walk w{0, 0};
        for (int j = 0; j < kMaxLanes; ++j, w.next(pixel, d)) {
            if (j == 4) lanes4 = {w.q, w.r};
            laneQ[j] = w.q, laneR[j] = w.r;
            laneQ32[j] = static_cast<int32_t>(w.q), laneR32[j] = static_cast<int32_t>(w.r);
        }
        lanes8 = {w.q, w.r};
    }
    bool flat() const { return pixel.dq == 0 && pixel.dr == 0; }
};

// One channel of a run in L lanes: lane j walks pixels j, j + L, ...; the
// remainder is kept in [-d, 0), so that a carry is a sign test. Each step
// counts on a carry and takes it back where the sign says there was none.
// T is int32_t when d fits, which doubles the lanes per instruction.
// (Always inlined: the eight-lane form is compiled for AVX2 only.)
template <class T, int L>
struct LaneRun {
    using V = typename Lanes<T, L>::type;
    V q, r;
    T dq1, dr, d;  // dq1: the quotient's step plus the carry

    [[gnu::always_inline]] LaneRun(const Walk& w, const Slope& s, int64_t div)
        : dq1(static_cast<T>((L == 4 ? s.lanes4 : s.lanes8).dq + 1)),
          dr(static_cast<T>((L == 4 ? s.lanes4 : s.lanes8).dr)),
          d(static_cast<T>(div)) {
        V offQ, offR;
        std::memcpy(&offQ, sizeof(T) == 4 ? static_cast<const void*>(s.laneQ32) : s.laneQ, sizeof offQ);
        std::memcpy(&offR, sizeof(T) == 4 ? static_cast<const void*>(s.laneR32) : s.laneR, sizeof offR);
        q = static_cast<T>(w.q) + offQ;
        r = static_cast<T>(w.r - div) + offR;
        settle(1);  // both remainders were below d, so their sum carries at most once
    }
    [[gnu::always_inline]] void next() {
        r += dr;
        settle(dq1);
    }
    [[gnu::always_inline]] void settle(T step) {
        const V none = r >> (8 * sizeof(T) - 1);  // -1 in the lanes whose remainder stayed below d
        q += step;
        q += none;
        r -= ~none & d;
    }
};

// A run's red, green, blue and, when it changes along the run, alpha: each
// floor(num / d) with num growing by its slope, and in 0..255 all along the
// run as interpolated 16-bit channels are.
struct Channels {
    Walk w[4];
    const Slope* slope;  // four
    int64_t d;
};

// n pixels of a run, L at a time; `fixed` holds an alpha that does not
// change along the run.
template <class T, bool kAlpha, int L>
[[gnu::always_inline]] inline void paintLanes(uint32_t* out, int n, const Channels& ch, uint32_t fixed) {
    LaneRun<T, L> red(ch.w[0], ch.slope[0], ch.d), green(ch.w[1], ch.slope[1], ch.d), blue(ch.w[2], ch.slope[2], ch.d);
    LaneRun<T, L> alpha(ch.w[kAlpha ? 3 : 2], ch.slope[kAlpha ? 3 : 2], ch.d);  // unused without kAlpha
    using P = typename Lanes<uint32_t, L>::type;
    for (int i = 0;; i += L) {  // n > 0
        P px = __builtin_convertvector(red.q, P) << 16 | __builtin_convertvector(green.q, P) << 8 |
               __builtin_convertvector(blue.q, P) | fixed;
        if constexpr (kAlpha) px |= __builtin_convertvector(alpha.q, P) << 24;
        if (n - i > L) {
            std::memcpy(out + i, &px, sizeof px);
        } else {
            // The last pixels one by one (a loop would become a call to memcpy).
            int j = 0;
            if (L == 8 && n - i > 4) {
                std::memcpy(out + i, &px, 4 * sizeof(uint32_t));
                j = 4;
            }
            out[i + j] = px[j];
            if (n - i > j + 1) out[i + j + 1] = px[j + 1];
            if (n - i > j + 2) out[i + j + 2] = px[j + 2];
            if (n - i > j + 3) out[i + j + 3] = px[j + 3];
            return;
        }
        red.next();
        green.next();
        blue.next();
        if constexpr (kAlpha) alpha.next();
    }
}

template <class T, bool kAlpha>
void paintRun(uint32_t* out, int n, const Channels& ch, uint32_t fixed) {
    paintLanes<T, kAlpha, 4>(out, n, ch, fixed);
}

using RunPainter = void (*)(uint32_t* out, int n, const Channels& ch, uint32_t fixed);

#if defined(__x86_64__) || defined(__i386__)
template <class T, bool kAlpha>
__attribute__((target("avx2"))) void paintRunAvx2(uint32_t* out, int n, const Channels& ch, uint32_t fixed) {
    if (n <= 4)
        paintLanes<T, kAlpha, 4>(out, n, ch, fixed);  // fewer lanes to set up
    else
        paintLanes<T, kAlpha, 8>(out, n, ch, fixed);
}
bool gWideLanes = (__builtin_cpu_init(), __builtin_cpu_supports("avx2"));
#else
bool gWideLanes = false;
#endif

RunPainter runPainter(int64_t d, bool alpha) {
#if defined(__x86_64__) || defined(__i386__)
    if (gWideLanes) {
        if (d <= INT32_MAX) return alpha ? paintRunAvx2<int32_t, true> : paintRunAvx2<int32_t, false>;
        return alpha ? paintRunAvx2<int64_t, true> : paintRunAvx2<int64_t, false>;
    }
#endif
    if (d <= INT32_MAX) return alpha ? paintRun<int32_t, true> : paintRun<int32_t, false>;
    return alpha ? paintRun<int64_t, true> : paintRun<int64_t, false>;
}

static_assert(sizeof(wchar_t) == sizeof(uint32_t), "32-bit stores go through wmemset");
inline void fill32(uint32_t* p, size_t n, uint32_t v) {
    std::wmemset(reinterpret_cast<wchar_t*>(p), static_cast<wchar_t>(v), n);
}

// ---- rectangles -----------------------------------------------------------------

// Channel c of a rectangle gradient at pos of len, with the reference's unsigned arithmetic.
inline uint32_t rampChannel(const Vertex& a, const Vertex& b, int c, uint32_t pos, uint32_t len) {
    return (a.c[c] * (len - pos) + b.c[c] * pos) / len;
}

void fillRect(const DC& dc, const ChannelWriter& out, const Vertex& v0, const Vertex& v1, bool horizontal,
              const RECT& bounds, bool exact) {
    // Differences wrap as the reference's unsigned arithmetic does.
    const uint32_t len = static_cast<uint32_t>(horizontal ? int64_t{v1.x} - v0.x : int64_t{v1.y} - v0.y);
    const int origin = horizontal ? v0.x : v0.y;
    auto channels = [&](int at, int64_t ch[4]) {
        const uint32_t pos = static_cast<uint32_t>(int64_t{at} - origin);
        for (int c = 0; c < 4; ++c) ch[c] = rampChannel(v0, v1, c, pos, len);
    };
    // Stepped while the numerators stay below 2^32, where the reference's
    // unsigned arithmetic does not wrap.
    uint64_t top = 0;
    for (int c = 0; c < (out.keepAlpha() ? 4 : 3); ++c) top = std::max<uint64_t>(top, std::max(v0.c[c], v1.c[c]));
    const bool stepped = !exact && out.direct32() && len > 0 && len <= (1u << 23) && top * len <= UINT32_MAX;
    // The 8-bit channel itself is stepped: numerator / (256 len). An alpha
    // equal at both ends is a constant.
    const int64_t d = int64_t{256} * len;
    const bool alphaSteps = out.keepAlpha() && v0.c[3] != v1.c[3];
    const uint32_t fixed = out.keepAlpha() && !alphaSteps ? (v0.c[3] >> 8) << 24 : 0;
    Slope slope[4];
    if (stepped)
        for (int c = 0; c < (alphaSteps ? 4 : 3); ++c) slope[c].set(int64_t{v1.c[c]} - int64_t{v0.c[c]}, d);
    const RunPainter paint = runPainter(d, alphaSteps);
    auto channelsFrom = [&](int at) {
        const uint32_t pos = static_cast<uint32_t>(int64_t{at} - origin);
        Channels ch{{}, slope, d};
        for (int c = 0; c < 4; ++c) ch.w[c] = walkFrom(int64_t{v0.c[c]} * (len - pos) + int64_t{v1.c[c]} * pos, d);
        return ch;
    };
    static thread_local std::vector<int64_t> ramp;
    static thread_local std::vector<uint32_t> row;
    forEachVisible(dc.visible, bounds, [&](const RECT& r) {
        const int w = r.right - r.left;
        if (stepped) {
            if (horizontal) {
                // One row, copied to the others.
                uint32_t* first = out.row32(r.top) + r.left;
                paint(first, w, channelsFrom(r.left), fixed);
                for (int y = r.top + 1; y < r.bottom; ++y) std::memcpy(out.row32(y) + r.left, first, sizeof(uint32_t) * w);
            } else {
                const int h = r.bottom - r.top;
                row.resize(static_cast<size_t>(h));
                paint(row.data(), h, channelsFrom(r.top), fixed);
                for (int y = r.top; y < r.bottom; ++y) fill32(out.row32(y) + r.left, static_cast<size_t>(w), row[y - r.top]);
            }
            return;
        }
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
                fill32(out.row32(y) + r.left, static_cast<size_t>(w), out.pack32(ch));
                continue;
            }
            for (int x = r.left; x < r.right; ++x) out.put(x, y, ch);
        }
    });
}

// ---- triangles ------------------------------------------------------------------

// The x of an edge as edgeX gives it, row by row: on the rows the edge spans
// its quotient is <= 0, where truncation is the ceiling, stepped as the
// floor of its negation. Coordinates must be small enough not to wrap.
class Edge {
public:
    Edge(const Vertex& top, const Vertex& bottom)
        : dy_(std::max(1, bottom.y - top.y)),
          // edgeX works from the right-hand end. (A level edge spans no row.)
          x0_(bottom.x > top.x ? bottom.x : top.x),
          y0_(bottom.x > top.x ? bottom.y : top.y),
          dx_(bottom.x - top.x),
          step_(stepOf(-dx_, dy_)) {}
    void start(int y) { walk_ = walkFrom(-int64_t{y - y0_} * dx_, dy_); }
    void next() { walk_.next(step_, dy_); }
    int x() const { return x0_ - static_cast<int>(walk_.q); }

private:
    int dy_, x0_, y0_, dx_;
    Step step_;
    Walk walk_{};
};

// False for a triangle without area that reaches visible pixels, which the
// reference refuses.
bool fillTriangle(const DC& dc, const ChannelWriter& out, Vertex v[3], bool exact) {
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

    // Channel k at (x, y) is num_k / det, truncated, with the barycentric
    // weights l1 of a and l2 of b (c takes the rest), in the reference's
    // wrapping 32-bit arithmetic.
    auto exactPixel = [&](int x, int y, int64_t ch[4]) {
        const int64_t l1 = wrapSub(wrapMul(wrapSub(b.y, c.y), wrapSub(x, c.x)), wrapMul(wrapSub(b.x, c.x), wrapSub(y, c.y)));
        const int64_t l2 = wrapSub(wrapMul(wrapSub(c.y, a.y), wrapSub(x, c.x)), wrapMul(wrapSub(c.x, a.x), wrapSub(y, c.y)));
        for (int k = 0; k < 4; ++k)
            ch[k] = (static_cast<int64_t>(a.c[k]) * l1 + static_cast<int64_t>(b.c[k]) * l2 +
                     static_cast<int64_t>(c.c[k]) * (det - l1 - l2)) / det;
    };
    // With coordinates this small nothing wraps: num_k grows by slope_k from
    // pixel to pixel and each edge's x is a quotient stepped from row to row.
    // Signs are turned so that the divisor is positive. Every pixel of a row
    // lies inside the closed triangle (the edges round towards it), so every
    // numerator is >= 0 and truncation is the floor that a run steps.
    constexpr int kSmall = 1 << 14;
    auto small = [&](int v) { return v > -kSmall && v < kSmall; };
    const bool stepped = !exact && small(a.x) && small(a.y) && small(b.x) && small(b.y) && small(c.x) &&
                         small(c.y) && dc.surface.width < kSmall && dc.surface.height < kSmall;
    if (!stepped) {
        forEachVisible(dc.visible, bounds, [&](const RECT& r) {
            for (int y = r.top; y < r.bottom; ++y) {
                const int xa = y < b.y ? edgeX(y, a.x, a.y, b.x, b.y) : edgeX(y, b.x, b.y, c.x, c.y);
                const int xb = edgeX(y, a.x, a.y, c.x, c.y);
                int64_t ch[4];
                for (int x = std::max<int>(r.left, std::min(xa, xb)); x < std::min<int>(r.right, std::max(xa, xb)); ++x) {
                    exactPixel(x, y, ch);
                    out.put(x, y, ch);
                }
            }
        });
        return true;
    }
    const int64_t sign = det < 0 ? -1 : 1, d = sign * det;
    const int64_t dl1 = b.y - c.y, dl2 = c.y - a.y;
    // 32-bit rows step the 8-bit channel itself: num_k / (256 det).
    const int64_t dRun = out.direct32() ? 256 * d : d;
    const Divisor divisor(dRun);
    // An alpha equal at all three corners is a constant; one that changes
    // only from row to row is a constant of each row.
    const bool flatAlpha = a.c[3] == b.c[3] && b.c[3] == c.c[3];
    const int nch = out.direct32() && (!out.keepAlpha() || flatAlpha) ? 3 : 4;
    // num_k = perX_k x + perY_k y + at0_k, from the weights' own linear forms.
    int64_t perX[4], perY[4], at0[4];
    for (int k = 0; k < nch; ++k) {
        const int64_t ka = a.c[k], kb = b.c[k], kc = c.c[k];
        perX[k] = sign * (ka * dl1 + kb * dl2 - kc * (dl1 + dl2));
        perY[k] = sign * (-(ka - kc) * (b.x - c.x) - (kb - kc) * (c.x - a.x));
        at0[k] = sign * (kc * det - (ka - kc) * (dl1 * c.x - int64_t(b.x - c.x) * c.y) -
                         (kb - kc) * (dl2 * c.x - int64_t(c.x - a.x) * c.y));
    }
    Slope slope[4];
    for (int k = 0; k < nch; ++k) slope[k].set(perX[k], dRun);
    const bool alphaSteps = nch == 4 && !slope[3].flat();
    const uint32_t fixed = out.keepAlpha() && flatAlpha ? (a.c[3] >> 8) << 24 : 0;
    const RunPainter paint = runPainter(dRun, alphaSteps);
    Edge ab(a, b), bc(b, c), ac(a, c);

    auto row = [&](const RECT& r, int y, int xa, int xb) {
        const int left = std::max<int>(r.left, std::min(xa, xb));
        const int right = std::min<int>(r.right, std::max(xa, xb));
        if (left >= right) return;
        Channels ch;
        ch.slope = slope;
        ch.d = dRun;
        auto start = [&](int k) { ch.w[k] = divisor.walk(perX[k] * left + perY[k] * y + at0[k]); };
        start(0), start(1), start(2);
        if (nch == 4) start(3);
        else ch.w[3] = {};
        if (out.direct32()) {
            paint(out.row32(y) + left, right - left, ch, nch == 4 && !alphaSteps ? static_cast<uint32_t>(ch.w[3].q) << 24 : fixed);
            return;
        }
        for (int x = left; x < right; ++x) {
            const int64_t v[4] = {ch.w[0].q, ch.w[1].q, ch.w[2].q, ch.w[3].q};
            out.put(x, y, v);
            for (int k = 0; k < 4; ++k) ch.w[k].next(slope[k].pixel, dRun);
        }
    };
    forEachVisible(dc.visible, bounds, [&](const RECT& r) {
        // Rows above b are bounded by a-b and a-c, the others by b-c and a-c.
        const int mid = std::clamp<int>(b.y, r.top, r.bottom);
        ac.start(r.top);
        ab.start(r.top);
        for (int y = r.top; y < mid; ++y, ab.next(), ac.next()) row(r, y, ab.x(), ac.x());
        bc.start(mid);
        for (int y = mid; y < r.bottom; ++y, bc.next(), ac.next()) row(r, y, bc.x(), ac.x());
    });
    return true;
}

BOOL gradientFill(HDC hdc, PTRIVERTEX vertices, ULONG nVertex, PVOID mesh, ULONG nMesh, ULONG mode, bool exact) {
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
            if (!fillTriangle(*dc, out, v, exact)) ok = FALSE;
            continue;
        }
        Vertex v0 = vertex(idx[2 * m]), v1 = vertex(idx[2 * m + 1]);
        const bool horizontal = mode == GRADIENT_FILL_RECT_H;
        // The colours follow the corners: the left (top) one starts the ramp.
        if (horizontal ? v1.x < v0.x : v1.y < v0.y) std::swap(v0, v1);
        const RECT bounds = horizontal ? RECT{v0.x, std::min(v0.y, v1.y), v1.x, std::max(v0.y, v1.y)}
                                       : RECT{std::min(v0.x, v1.x), v0.y, std::max(v0.x, v1.x), v1.y};
        fillRect(*dc, out, v0, v1, horizontal, bounds, exact);
    }
    return ok;
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
    return gradientFill(hdc, vertices, nVertex, mesh, nMesh, mode, false);
}

}  // extern "C"

bool hmigfx::win32::gradientWideLanes(bool wide) {
    const bool was = gWideLanes;
#if defined(__x86_64__) || defined(__i386__)
    gWideLanes = wide && __builtin_cpu_supports("avx2");
#else
    (void)wide;
#endif
    return was;
}

BOOL hmigfx::win32::gradientFillExact(HDC hdc, PTRIVERTEX vertices, ULONG nVertex, PVOID mesh, ULONG nMesh, ULONG mode) {
    return gradientFill(hdc, vertices, nVertex, mesh, nMesh, mode, true);
}
