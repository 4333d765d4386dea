// Polygon scan conversion: shared edges, fill modes, polygon regions, bad
// input and huge coordinates.
#include "shape_canvas.h"

#include <gtest/gtest.h>

#include <random>

using shapetest::Canvas;
using shapetest::Selected;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

// Fills with white under XOR and no pen, so every pixel shows how many
// times it was filled (odd: white).
void xorFills(Canvas& c) {
    SelectObject(c.dc, GetStockObject(NULL_PEN));
    SelectObject(c.dc, GetStockObject(WHITE_BRUSH));
    SetROP2(c.dc, R2_XORPEN);
}

std::vector<POINT> randomPolygon(std::mt19937& rng, int n, int w, int h) {
    std::uniform_int_distribution<int> x(-5, w + 5), y(-5, h + 5);
    std::vector<POINT> p(static_cast<size_t>(n));
    for (POINT& q : p) q = {x(rng), y(rng)};
    return p;
}

TEST(PolygonFill, FanFromAnyPointCoversThePolygonOnce) {
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> n(3, 9), centre(-20, 80);
    for (int i = 0; i < 60; ++i) {
        const std::vector<POINT> poly = randomPolygon(rng, n(rng), 64, 64);
        Canvas fan(64, 64, kBlack), once(64, 64, kBlack);
        xorFills(fan);
        xorFills(once);
        // Triangles from one point to every edge: shared sides cancel, so
        // each pixel ends up filled as often, modulo two, as by the polygon.
        const POINT c{centre(rng), centre(rng)};
        for (size_t k = 0; k < poly.size(); ++k) {
            const POINT tri[3] = {c, poly[k], poly[(k + 1) % poly.size()]};
            Polygon(fan.dc, tri, 3);
        }
        Polygon(once.dc, poly.data(), static_cast<int>(poly.size()));
        ASSERT_EQ(fan.pixels(), once.pixels()) << "polygon " << i;
    }
}

TEST(PolygonFill, TrianglesOfAJitteredGridCoverTheirRectangleOnce) {
    std::mt19937 rng(9);
    std::uniform_int_distribution<int> jitter(-3, 3);
    const int n = 6, step = 10, x0 = 4, y0 = 6;
    POINT grid[n + 1][n + 1];
    for (int j = 0; j <= n; ++j)
        for (int i = 0; i <= n; ++i) {
            const bool border = i == 0 || j == 0 || i == n || j == n;
            grid[j][i] = {x0 + i * step + (border ? 0 : jitter(rng)), y0 + j * step + (border ? 0 : jitter(rng))};
        }
    Canvas c(80, 80, kBlack);
    xorFills(c);
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) {
            const POINT a = grid[j][i], b = grid[j][i + 1], d = grid[j + 1][i], e = grid[j + 1][i + 1];
            const POINT t1[3] = {a, b, e}, t2[3] = {a, e, d};
            Polygon(c.dc, t1, 3);
            Polygon(c.dc, t2, 3);
        }
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 80; ++x) {
            const bool inside = x >= x0 && x < x0 + n * step && y >= y0 && y < y0 + n * step;
            ASSERT_EQ(c.is(x, y, kWhite), inside) << x << "," << y;
        }
}

TEST(PolygonFill, WindingCountsDirectionAlternateDoesNot) {
    // An outer square with an inner one running the same way, then the other way.
    const POINT same[] = {{2, 2}, {30, 2}, {30, 30}, {2, 30}, {10, 10}, {22, 10}, {22, 22}, {10, 22}};
    const POINT opposite[] = {{2, 2}, {30, 2}, {30, 30}, {2, 30}, {10, 10}, {10, 22}, {22, 22}, {22, 10}};
    const INT counts[] = {4, 4};
    for (int mode : {ALTERNATE, WINDING})
        for (const POINT* pts : {same, opposite}) {
            Canvas c(32, 32);
            SelectObject(c.dc, GetStockObject(NULL_PEN));
            SelectObject(c.dc, GetStockObject(BLACK_BRUSH));
            SetPolyFillMode(c.dc, mode);
            EXPECT_TRUE(PolyPolygon(c.dc, pts, counts, 2));
            EXPECT_TRUE(c.is(5, 5, kBlack));
            EXPECT_EQ(c.is(16, 16, kBlack), mode == WINDING && pts == same);
        }
}

TEST(PolygonRegion, CoversExactlyWhatPolygonFills) {
    std::mt19937 rng(13);
    std::uniform_int_distribution<int> n(3, 12);
    for (int i = 0; i < 80; ++i) {
        const std::vector<POINT> poly = randomPolygon(rng, n(rng), 48, 48);
        const int mode = i % 2 ? WINDING : ALTERNATE;
        Canvas filled(48, 48), painted(48, 48);
        SelectObject(filled.dc, GetStockObject(NULL_PEN));
        SelectObject(filled.dc, GetStockObject(BLACK_BRUSH));
        SetPolyFillMode(filled.dc, mode);
        Polygon(filled.dc, poly.data(), static_cast<int>(poly.size()));
        HRGN rgn = CreatePolygonRgn(poly.data(), static_cast<int>(poly.size()), mode);
        ASSERT_NE(rgn, nullptr);
        FillRgn(painted.dc, rgn, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        // Each pixel the region holds, and no other, was filled.
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 48; ++x) ASSERT_EQ(PtInRegion(rgn, x, y) != 0, filled.is(x, y, kBlack));
        DeleteObject(rgn);
        ASSERT_EQ(filled.pixels(), painted.pixels()) << "polygon " << i;
    }
}

TEST(PolygonBadInput, CountsBelowTwoFail) {
    Canvas c(16, 16);
    const POINT p[] = {{1, 1}, {12, 2}, {6, 12}, {2, 9}};
    EXPECT_FALSE(Polygon(c.dc, p, 1));
    EXPECT_FALSE(Polygon(c.dc, p, 0));
    EXPECT_FALSE(Polygon(c.dc, p, -4));
    EXPECT_FALSE(Polygon(c.dc, nullptr, 3));
    EXPECT_FALSE(Polygon(reinterpret_cast<HDC>(uintptr_t(0x77)), p, 3));
    const INT counts[] = {3, 1};
    EXPECT_FALSE(PolyPolygon(c.dc, p, counts, 2));
    EXPECT_FALSE(PolyPolygon(c.dc, p, counts, 0));
    EXPECT_EQ(c.countNot(kWhite), 0);
    // Two points make an empty figure, drawn as its outline.
    EXPECT_TRUE(Polygon(c.dc, p, 2));
}

TEST(PolygonBadInput, Regions) {
    const POINT p[] = {{1, 1}, {12, 2}, {6, 12}};
    HRGN one = CreatePolygonRgn(p, 1, ALTERNATE);
    ASSERT_NE(one, nullptr);
    RECT box;
    EXPECT_EQ(GetRgnBox(one, &box), NULLREGION);
    DeleteObject(one);
    EXPECT_EQ(CreatePolygonRgn(p, -3, ALTERNATE), nullptr);
    EXPECT_EQ(CreatePolygonRgn(nullptr, 3, ALTERNATE), nullptr);
    // A region too tall to hold is refused rather than allocated.
    const POINT huge[] = {{-(1 << 27), -(1 << 27)}, {1 << 27, 0}, {-(1 << 27), 1 << 27}};
    EXPECT_EQ(CreatePolygonRgn(huge, 3, WINDING), nullptr);
}

TEST(PolygonFill, HugeCoordinatesAreClippedNotWalked) {
    Canvas c(40, 40);
    SelectObject(c.dc, GetStockObject(BLACK_BRUSH));
    SelectObject(c.dc, GetStockObject(NULL_PEN));
    const int big = 1 << 27;
    // The upper edge runs from (-2^27, 10) to (2^27, 30): through x = 0 at
    // row 20, climbing one row per 2^27/10 pixels, so the canvas sees it as
    // the level line between rows 20 and 21.
    const POINT tri[] = {{-big, 10}, {big, 30}, {0, big}};
    EXPECT_TRUE(Polygon(c.dc, tri, 3));
    for (int y = 0; y < 40; ++y)
        for (int x : {0, 1, 20, 39}) EXPECT_EQ(c.is(x, y, kBlack), y >= 21) << x << "," << y;
    // With a pen, the edge's own pixels show on row 20.
    {
        Selected pen(c.dc, CreatePen(PS_SOLID, 1, RGB(255, 0, 0)));
        EXPECT_TRUE(Polygon(c.dc, tri, 3));
    }
    for (int x = 0; x < 40; ++x) EXPECT_TRUE(c.is(x, 20, RGB(255, 0, 0)) && c.is(x, 21, kBlack)) << x;
    const POINT extreme[] = {{INT_MIN, INT_MIN}, {INT_MAX, 0}, {INT_MIN, INT_MAX}, {0, 0}};
    EXPECT_TRUE(Polygon(c.dc, extreme, 4));
    HRGN r = CreatePolygonRgn(extreme, 4, ALTERNATE);
    if (r) DeleteObject(r);
}

}  // namespace
