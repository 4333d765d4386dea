// Cosmetic lines: the current position, return values for bad input, and the
// pixels and dash phase of lines reaching far beyond the surface.
#include "shape_canvas.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cmath>
#include <random>

using shapetest::Canvas;
using shapetest::Selected;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

POINT position(HDC dc) {
    POINT p{-1, -1};
    EXPECT_TRUE(GetCurrentPositionEx(dc, &p));
    return p;
}

bool same(POINT a, POINT b) { return a.x == b.x && a.y == b.y; }

TEST(CurrentPosition, MovesWithLineToAndTheToFunctionsOnly) {
    Canvas c(64, 64);
    POINT old{};
    EXPECT_TRUE(MoveToEx(c.dc, 5, 6, &old));
    EXPECT_TRUE(same(old, POINT{0, 0}));
    EXPECT_TRUE(LineTo(c.dc, 10, 12));
    EXPECT_TRUE(same(position(c.dc), POINT{10, 12}));

    const POINT line[] = {{1, 1}, {20, 3}, {7, 30}};
    EXPECT_TRUE(Polyline(c.dc, line, 3));
    const DWORD counts[] = {2};
    EXPECT_TRUE(PolyPolyline(c.dc, line, counts, 1));
    EXPECT_TRUE(Rectangle(c.dc, 2, 2, 9, 9));
    EXPECT_TRUE(Ellipse(c.dc, 2, 2, 9, 9));
    EXPECT_TRUE(same(position(c.dc), POINT{10, 12}));

    const POINT to[] = {{20, 20}, {30, 25}};
    EXPECT_TRUE(PolylineTo(c.dc, to, 2));
    EXPECT_TRUE(same(position(c.dc), POINT{30, 25}));
    const POINT curve[] = {{40, 20}, {50, 40}, {60, 30}};
    EXPECT_TRUE(PolyBezierTo(c.dc, curve, 3));
    EXPECT_TRUE(same(position(c.dc), POINT{60, 30}));
    // The reference leaves PolyBezier's end as the current position too.
    const POINT bezier[] = {{0, 60}, {10, 40}, {20, 63}, {33, 50}};
    EXPECT_TRUE(PolyBezier(c.dc, bezier, 4));
    EXPECT_TRUE(same(position(c.dc), POINT{33, 50}));
}

TEST(CurrentPosition, ArcToDrawsFromItAndEndsOnTheEllipse) {
    Canvas c(64, 64);
    MoveToEx(c.dc, 2, 60, nullptr);
    // Counterclockwise from the right-hand point (60, 30) to the top (30, 0).
    EXPECT_TRUE(ArcTo(c.dc, 0, 0, 61, 61, 70, 30, 30, -10));
    // The true ellipse meets the end ray at (30.1, 0).
    EXPECT_TRUE(same(position(c.dc), POINT{30, 0}));
    EXPECT_TRUE(c.is(2, 60, kBlack));    // the line from the old position
    EXPECT_TRUE(c.is(31, 45, kBlack));
    EXPECT_TRUE(c.is(45, 55, kWhite));   // not the lower half of the ellipse
    EXPECT_TRUE(c.is(60, 30, kBlack));   // the arc's start
    EXPECT_TRUE(c.is(52, 9, kBlack) || c.is(51, 9, kBlack) || c.is(52, 8, kBlack));
}

TEST(CurrentPosition, FailingCallsLeaveIt) {
    Canvas c(16, 16);
    MoveToEx(c.dc, 3, 4, nullptr);
    const POINT p[] = {{1, 1}, {2, 2}};
    EXPECT_FALSE(PolylineTo(c.dc, p, 0));
    EXPECT_FALSE(PolyBezierTo(c.dc, p, 2));
    EXPECT_FALSE(PolyBezier(c.dc, p, 2));
    EXPECT_TRUE(same(position(c.dc), POINT{3, 4}));
}

TEST(LineBadInput, RefusesWithoutDrawing) {
    Canvas c(16, 16);
    const POINT p[] = {{1, 1}, {9, 9}, {1, 9}, {9, 1}, {4, 4}, {5, 5}, {6, 6}};
    const HDC bogus = reinterpret_cast<HDC>(uintptr_t(0x4242));
    EXPECT_FALSE(LineTo(nullptr, 1, 1));
    EXPECT_FALSE(LineTo(bogus, 1, 1));
    EXPECT_FALSE(Polyline(bogus, p, 2));
    EXPECT_FALSE(PolylineTo(bogus, p, 2));
    EXPECT_FALSE(PolyBezier(bogus, p, 4));
    EXPECT_FALSE(PolyBezierTo(bogus, p, 3));
    EXPECT_FALSE(ArcTo(bogus, 0, 0, 5, 5, 0, 0, 5, 5));
    EXPECT_FALSE(Polyline(c.dc, p, 1));
    EXPECT_FALSE(Polyline(c.dc, p, 0));
    EXPECT_FALSE(Polyline(c.dc, p, -5));
    EXPECT_FALSE(Polyline(c.dc, nullptr, 3));
    for (DWORD n : {0u, 1u, 2u, 3u, 5u, 6u}) EXPECT_FALSE(PolyBezier(c.dc, p, n)) << n;
    for (DWORD n : {0u, 1u, 2u, 4u}) EXPECT_FALSE(PolyBezierTo(c.dc, p, n)) << n;
    // One polyline of a single point spoils the whole call.
    const DWORD counts[] = {2, 1, 2};
    EXPECT_FALSE(PolyPolyline(c.dc, p, counts, 3));
    EXPECT_EQ(c.countNot(kWhite), 0);
    EXPECT_TRUE(PolyBezier(c.dc, p, 4));
    EXPECT_TRUE(PolyBezier(c.dc, p, 7));
}

TEST(LinePixels, EndPointIsLeftOutAndReversedLinesAgree) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> coord(0, 39);
    for (int i = 0; i < 300; ++i) {
        const POINT a{coord(rng), coord(rng)}, b{coord(rng), coord(rng)};
        Canvas fwd(40, 40), rev(40, 40);
        MoveToEx(fwd.dc, a.x, a.y, nullptr);
        LineTo(fwd.dc, b.x, b.y);
        MoveToEx(rev.dc, b.x, b.y, nullptr);
        LineTo(rev.dc, a.x, a.y);
        if (!same(a, b)) {
            EXPECT_TRUE(fwd.is(a.x, a.y, kBlack));
            EXPECT_TRUE(fwd.is(b.x, b.y, kWhite));
        }
        // Apart from the end points each direction leaves out, the pixels agree.
        SetPixelV(fwd.dc, b.x, b.y, kBlack);
        SetPixelV(rev.dc, a.x, a.y, kBlack);
        ASSERT_EQ(fwd.pixels(), rev.pixels()) << a.x << "," << a.y << " -> " << b.x << "," << b.y;
    }
}

TEST(LinePixels, DashPhaseRunsOnAcrossAPolylineAndRestartsAtLineTo) {
    Canvas a(32, 4), b(32, 4);
    {
        Selected pen(a.dc, CreatePen(PS_DOT, 1, kBlack));
        SetBkMode(a.dc, TRANSPARENT);
        const POINT p[] = {{0, 1}, {4, 1}, {20, 1}};
        Polyline(a.dc, p, 3);
    }
    {
        Selected pen(b.dc, CreatePen(PS_DOT, 1, kBlack));
        SetBkMode(b.dc, TRANSPARENT);
        MoveToEx(b.dc, 0, 1, nullptr);
        LineTo(b.dc, 4, 1);
        LineTo(b.dc, 20, 1);
    }
    for (int x = 0; x < 20; ++x) {
        EXPECT_EQ(a.is(x, 1, kBlack), x % 6 < 3) << x;
        const int k = x < 4 ? x : x - 4;  // the pattern starts again at x = 4
        EXPECT_EQ(b.is(x, 1, kBlack), k % 6 < 3) << x;
    }
}

TEST(LinePixels, FarAwayStartKeepsThePhase) {
    Canvas c(64, 64);
    Selected pen(c.dc, CreatePen(PS_DASHDOT, 1, RGB(255, 0, 0)));
    SetBkColor(c.dc, RGB(0, 0, 255));
    const int far = 100000007;
    MoveToEx(c.dc, -far, 5, nullptr);
    LineTo(c.dc, 63, 5);
    MoveToEx(c.dc, 9, far, nullptr);
    LineTo(c.dc, 9, 0);
    // PS_DASHDOT: 9 on, 6 off, 3 on, 6 off; gaps in the background colour.
    auto on = [](long long k) {
        const long long m = k % 24;
        return m < 9 || (m >= 15 && m < 18);
    };
    for (int x = 10; x < 63; ++x)
        EXPECT_TRUE(c.is(x, 5, on(x + static_cast<long long>(far)) ? RGB(255, 0, 0) : RGB(0, 0, 255))) << x;
    for (int y = 6; y < 64; ++y)
        EXPECT_TRUE(c.is(9, y, on(static_cast<long long>(far) - y) ? RGB(255, 0, 0) : RGB(0, 0, 255))) << y;
    EXPECT_TRUE(c.is(9, 0, kWhite));  // the end point
}

// The pixels of a slanted line by plain rational rounding: pixel k along the
// major axis sits at k*dmin/dmaj across it; exact halves go up (away from the
// start) in the octants GDI rounds that way (which the golden pictures check).
struct IdealLine {
    long long x0, y0, dx, dy, len;
    bool xMajor, roundUp;
    int sx, sy;

    IdealLine(POINT a, POINT b) : x0(a.x), y0(a.y), dx(b.x - x0), dy(b.y - y0) {
        xMajor = std::llabs(dx) > std::llabs(dy);
        len = xMajor ? std::llabs(dx) : std::llabs(dy);
        sx = dx < 0 ? -1 : 1;
        sy = dy < 0 ? -1 : 1;
        const bool downLeftSteep = dy > 0 && dx <= 0 && -dx <= dy;
        const bool upLeft = dy <= 0 && dx < 0;
        const bool upRightShallow = dy <= 0 && dx >= 0 && dx > -dy;
        roundUp = downLeftSteep || upLeft || upRightShallow;
    }
    POINT at(long long k) const {
        const long long dmin = xMajor ? std::llabs(dy) : std::llabs(dx);
        const long long num = 2 * k * dmin + len;  // (offset + 1/2) * 2 * len
        long long m = num / (2 * len);
        if (num % (2 * len) == 0 && !roundUp) --m;
        if (xMajor) return {static_cast<LONG>(x0 + sx * k), static_cast<LONG>(y0 + sy * m)};
        return {static_cast<LONG>(x0 + sx * m), static_cast<LONG>(y0 + sy * k)};
    }
};

TEST(LinePixels, LongLinesClippedToTheSurfaceMatchTheIdealLine) {
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> onCanvas(0, 47), span(1000, 3000000);
    std::uniform_real_distribution<double> angle(0, 6.2831853);
    for (int i = 0; i < 120; ++i) {
        // A line through a point of the canvas, its ends far off.
        const double t = angle(rng);
        const int px = onCanvas(rng), py = onCanvas(rng);
        const int r1 = span(rng), r2 = span(rng) % 700 + 1;
        const POINT a{px - static_cast<LONG>(r1 * std::cos(t)), py - static_cast<LONG>(r1 * std::sin(t))};
        const POINT b{px + static_cast<LONG>(r2 * std::cos(t)), py + static_cast<LONG>(r2 * std::sin(t))};
        if (a.x == b.x || a.y == b.y) continue;
        Canvas c(48, 48);
        MoveToEx(c.dc, a.x, a.y, nullptr);
        LineTo(c.dc, b.x, b.y);
        Canvas want(48, 48);
        const IdealLine line(a, b);
        // Only the steps whose major coordinate falls on the canvas.
        const long long m0 = line.xMajor ? a.x : a.y, s = line.xMajor ? line.sx : line.sy;
        long long k0 = s > 0 ? -m0 : m0 - 47, k1 = s > 0 ? 47 - m0 : m0;
        k0 = std::max(k0, 0LL);
        k1 = std::min(k1, line.len - 1);
        for (long long k = k0; k <= k1; ++k) {
            const POINT p = line.at(k);
            if (p.x >= 0 && p.x < 48 && p.y >= 0 && p.y < 48) want.bits[p.y * 48 + p.x] = 0;
        }
        ASSERT_EQ(c.pixels(), want.pixels()) << a.x << "," << a.y << " -> " << b.x << "," << b.y;
    }
}

TEST(LinePixels, ExtremeCoordinatesAreSafe) {
    Canvas c(32, 32);
    const int v[] = {INT_MIN, INT_MIN + 1, -(1 << 27), -1, 0, 17, 1 << 27, INT_MAX - 1, INT_MAX};
    for (int x0 : v)
        for (int y1 : v) {
            MoveToEx(c.dc, x0, y1, nullptr);
            EXPECT_TRUE(LineTo(c.dc, y1, x0));
        }
    const POINT p[] = {{INT_MIN, INT_MAX}, {INT_MAX, INT_MIN}, {5, 5}, {INT_MAX, INT_MAX}};
    Selected pen(c.dc, CreatePen(PS_DASHDOTDOT, 1, kBlack));
    EXPECT_TRUE(Polyline(c.dc, p, 4));
    EXPECT_TRUE(PolyBezier(c.dc, p, 4));
    SetViewportOrgEx(c.dc, INT_MAX, INT_MIN, nullptr);
    EXPECT_TRUE(Polyline(c.dc, p, 4));
}

}  // namespace
