// Closed shapes: where Rectangle and the ellipse family put their pixels, bad
// input, and curves far larger than the surface.
#include "shape_canvas.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using shapetest::Canvas;
using shapetest::Selected;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kGreen = RGB(0, 160, 0);

TEST(RectangleShape, OutlineOnTheBoxAndFillInside) {
    Canvas c(24, 24);
    Selected brush(c.dc, CreateSolidBrush(kGreen));
    EXPECT_TRUE(Rectangle(c.dc, 2, 3, 12, 10));
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x) {
            const bool inBox = x >= 2 && x < 12 && y >= 3 && y < 10;
            const bool edge = inBox && (x == 2 || x == 11 || y == 3 || y == 9);
            EXPECT_TRUE(c.is(x, y, !inBox ? kWhite : edge ? kBlack : kGreen)) << x << "," << y;
        }
}

TEST(RectangleShape, WithoutAPenFillsOneShortOfRightAndBottom) {
    Canvas c(24, 24);
    SelectObject(c.dc, GetStockObject(NULL_PEN));
    Selected brush(c.dc, CreateSolidBrush(kGreen));
    EXPECT_TRUE(Rectangle(c.dc, 12, 10, 2, 3));  // inverted corners make the same box
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x) EXPECT_EQ(c.is(x, y, kGreen), x >= 2 && x < 11 && y >= 3 && y < 9);
}

TEST(RectangleShape, EmptyBoxesDrawNothing) {
    Canvas c(16, 16);
    EXPECT_TRUE(Rectangle(c.dc, 5, 5, 5, 12));
    EXPECT_TRUE(Rectangle(c.dc, 5, 5, 12, 5));
    EXPECT_TRUE(Ellipse(c.dc, 3, 3, 3, 3));
    EXPECT_TRUE(RoundRect(c.dc, 3, 3, 9, 3, 4, 4));
    EXPECT_TRUE(Pie(c.dc, 3, 3, 9, 3, 0, 0, 1, 1));
    EXPECT_EQ(c.countNot(kWhite), 0);
}

TEST(EllipseShape, StaysInItsBoxAndIsSymmetric) {
    for (int w : {3, 4, 7, 10, 33, 64})
        for (int h : {3, 5, 8, 21, 40}) {
            Canvas c(80, 60);
            Selected brush(c.dc, CreateSolidBrush(kGreen));
            const int l = 6, t = 5;
            ASSERT_TRUE(Ellipse(c.dc, l, t, l + w, t + h));
            bool left = false, right = false, top = false, bottom = false;
            for (int y = 0; y < 60; ++y)
                for (int x = 0; x < 80; ++x) {
                    const uint32_t p = c.at(x, y);
                    if (p == shapetest::xrgb(kWhite)) continue;
                    ASSERT_TRUE(x >= l && x < l + w && y >= t && y < t + h) << w << "x" << h;
                    left |= x == l;
                    right |= x == l + w - 1;
                    top |= y == t;
                    bottom |= y == t + h - 1;
                    EXPECT_EQ(p, c.at(2 * l + w - 1 - x, y)) << w << "x" << h << " at " << x << "," << y;
                    EXPECT_EQ(p, c.at(x, 2 * t + h - 1 - y)) << w << "x" << h << " at " << x << "," << y;
                }
            // Very narrow ellipses stop short of their top and bottom rows,
            // as the reference's walk does.
            if (w >= 10) {
                EXPECT_TRUE(left && right && top && bottom) << w << "x" << h;
            }
        }
}

TEST(EllipseShape, RoundRectWithoutRoundingIsARectangle) {
    Canvas a(30, 30), b(30, 30);
    for (Canvas* c : {&a, &b}) SelectObject(c->dc, GetStockObject(GRAY_BRUSH));
    EXPECT_TRUE(RoundRect(a.dc, 3, 4, 25, 20, 2, 18));
    EXPECT_TRUE(Rectangle(b.dc, 3, 4, 25, 20));
    EXPECT_EQ(a.pixels(), b.pixels());
}

TEST(ShapeBadInput, InvalidDCsFail) {
    const HDC bogus = reinterpret_cast<HDC>(uintptr_t(0x5151));
    EXPECT_FALSE(Rectangle(bogus, 0, 0, 5, 5));
    EXPECT_FALSE(Ellipse(nullptr, 0, 0, 5, 5));
    EXPECT_FALSE(RoundRect(bogus, 0, 0, 5, 5, 2, 2));
    EXPECT_FALSE(Arc(bogus, 0, 0, 5, 5, 0, 0, 5, 5));
    EXPECT_FALSE(Pie(bogus, 0, 0, 5, 5, 0, 0, 5, 5));
    EXPECT_FALSE(Chord(bogus, 0, 0, 5, 5, 0, 0, 5, 5));
}

// Draws a script of shapes twice: whole on a large canvas (every outline
// point walked), and through small windows whose view of the same shapes is
// built from the visible rows only. Both must agree pixel for pixel.
struct ShapeCall {
    int kind;  // 0 Ellipse, 1 RoundRect, 2 Arc, 3 Pie, 4 Chord
    int v[8];
};

void drawCalls(HDC dc, const std::vector<ShapeCall>& calls) {
    for (const ShapeCall& s : calls) {
        const int* v = s.v;
        switch (s.kind) {
        case 0: Ellipse(dc, v[0], v[1], v[2], v[3]); break;
        case 1: RoundRect(dc, v[0], v[1], v[2], v[3], v[4], v[5]); break;
        case 2: Arc(dc, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]); break;
        case 3: Pie(dc, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]); break;
        default: Chord(dc, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]); break;
        }
    }
}

void setUp(HDC dc, int style, bool clockwise, POINT origin) {
    SelectObject(dc, style < 0 ? GetStockObject(BLACK_PEN) : CreatePen(style, 1, RGB(0, 0, 255)));
    SelectObject(dc, CreateHatchBrush(HS_DIAGCROSS, kGreen));
    SetBkColor(dc, RGB(255, 255, 0));
    SetArcDirection(dc, clockwise ? AD_CLOCKWISE : AD_COUNTERCLOCKWISE);
    SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
    SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
}

TEST(LargeCurves, WindowsOntoThemMatchTheWholeShape) {
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> pos(10, 250), ext(150, 700), ray(-100, 900), kind(0, 4);
    const int styles[] = {-1, PS_DOT, PS_DASHDOTDOT};
    for (int round = 0; round < 6; ++round) {
        std::vector<ShapeCall> calls;
        for (int i = 0; i < 3; ++i) {
            const int x = pos(rng), y = pos(rng), w = ext(rng), h = ext(rng);
            calls.push_back({kind(rng), {x, y, x + w, y + h, ray(rng), ray(rng), ray(rng), ray(rng)}});
        }
        const int style = styles[round % 3];
        const bool clockwise = round % 2;
        Canvas whole(960, 960);
        setUp(whole.dc, style, clockwise, {0, 0});
        drawCalls(whole.dc, calls);
        std::uniform_int_distribution<int> win(0, 960 - 40);
        for (int w = 0; w < 10; ++w) {
            const int ox = win(rng), oy = win(rng);
            Canvas part(40, 30);
            setUp(part.dc, style, clockwise, {-ox, -oy});
            drawCalls(part.dc, calls);
            for (int y = 0; y < 30; ++y)
                for (int x = 0; x < 40; ++x)
                    ASSERT_EQ(part.at(x, y), whole.at(ox + x, oy + y))
                        << "round " << round << " window " << ox << "," << oy << " pixel " << x << "," << y;
        }
    }
}

TEST(LargeCurves, HugeEllipsesAreDrawnWhereTheyShow) {
    Canvas c(64, 64);
    Selected brush(c.dc, CreateSolidBrush(kGreen));
    const int big = 1 << 27;
    // The canvas lies deep inside: all brush.
    EXPECT_TRUE(Ellipse(c.dc, -big, -big, big, big));
    EXPECT_EQ(c.countNot(kGreen), 0);
    c.clear(kWhite);
    // The top of a huge ellipse runs flat through row 10 near its middle.
    EXPECT_TRUE(Ellipse(c.dc, -big + 32, 10, big + 32, 10 + big));
    for (int x = 0; x < 64; ++x) {
        EXPECT_TRUE(c.is(x, 9, kWhite)) << x;
        EXPECT_TRUE(c.is(x, 10, kBlack)) << x;
        EXPECT_TRUE(c.is(x, 11, kGreen)) << x;
    }
    // Half of a huge pie, split along the x axis.
    c.clear(kWhite);
    EXPECT_TRUE(Pie(c.dc, -big, -big, big, big, 10, 0, -10, 0));
    EXPECT_TRUE(c.is(5, 5, kWhite));
    EXPECT_TRUE(c.is(0, 0, kBlack));
    // Beyond 2^29 pixels curves are refused.
    EXPECT_FALSE(Ellipse(c.dc, -(1 << 30), 0, 1 << 30, 100));
}

}  // namespace
