// Geometric and wide pens: what ExtCreatePen refuses, what GetObject gives
// back, one stroke painted once under XOR, and strokes reaching far beyond
// the surface.
#include "shape_canvas.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstddef>
#include <random>
#include <vector>

using shapetest::Canvas;
using shapetest::Selected;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kInk = RGB(200, 40, 90);

HPEN geometric(DWORD style, DWORD width, COLORREF color = kInk, DWORD count = 0, const DWORD* dashes = nullptr) {
    const LOGBRUSH lb{BS_SOLID, color, 0};
    return ExtCreatePen(PS_GEOMETRIC | style, width, &lb, count, dashes);
}

TEST(ExtCreatePen, RefusesStyleArraysOutsideOneToSixteenEntries) {
    const DWORD dashes[17] = {4, 2, 4, 2, 4, 2, 4, 2, 4, 2, 4, 2, 4, 2, 4, 2, 4};
    EXPECT_EQ(geometric(PS_USERSTYLE, 5, kInk, 0, dashes), nullptr);
    EXPECT_EQ(geometric(PS_USERSTYLE, 5, kInk, 17, dashes), nullptr);
    EXPECT_EQ(geometric(PS_USERSTYLE, 5, kInk, 3, nullptr), nullptr);
    // Entries only go with PS_USERSTYLE.
    EXPECT_EQ(geometric(PS_DASH, 5, kInk, 2, dashes), nullptr);
    HPEN sixteen = geometric(PS_USERSTYLE, 5, kInk, 16, dashes);
    ASSERT_NE(sixteen, nullptr);
    DeleteObject(sixteen);
}

TEST(ExtCreatePen, RefusesWhatNoPenCanBe) {
    const LOGBRUSH solid{BS_SOLID, kInk, 0};
    EXPECT_EQ(ExtCreatePen(PS_GEOMETRIC | PS_SOLID, 3, nullptr, 0, nullptr), nullptr);
    // Cosmetic pens are one pixel wide and solid-coloured.
    EXPECT_EQ(ExtCreatePen(PS_COSMETIC | PS_SOLID, 3, &solid, 0, nullptr), nullptr);
    const LOGBRUSH hatch{BS_HATCHED, kInk, HS_CROSS};
    EXPECT_EQ(ExtCreatePen(PS_COSMETIC | PS_SOLID, 1, &hatch, 0, nullptr), nullptr);
    EXPECT_EQ(ExtCreatePen(PS_GEOMETRIC | PS_ALTERNATE, 3, &solid, 0, nullptr), nullptr);
    EXPECT_EQ(ExtCreatePen(PS_GEOMETRIC | PS_SOLID | 0x300, 3, &solid, 0, nullptr), nullptr);   // no such cap
    EXPECT_EQ(ExtCreatePen(PS_GEOMETRIC | PS_SOLID | 0x3000, 3, &solid, 0, nullptr), nullptr);  // no such join
}

TEST(ExtCreatePen, GetObjectAnswersWhatWasCreated) {
    const DWORD dashes[] = {7, 3, 1};
    HPEN pen = geometric(PS_USERSTYLE | PS_ENDCAP_SQUARE | PS_JOIN_MITER, 9, kInk, 3, dashes);
    ASSERT_NE(pen, nullptr);
    const int needed = GetObjectW(pen, 0, nullptr);
    EXPECT_EQ(needed, static_cast<int>(offsetof(EXTLOGPEN, elpStyleEntry) + 3 * sizeof(DWORD)));
    std::vector<unsigned char> buf(static_cast<size_t>(needed));
    EXPECT_EQ(GetObjectW(pen, needed - 1, buf.data()), 0);  // too small for the entries
    ASSERT_EQ(GetObjectW(pen, needed, buf.data()), needed);
    const auto* elp = reinterpret_cast<const EXTLOGPEN*>(buf.data());
    EXPECT_EQ(elp->elpPenStyle, static_cast<DWORD>(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_SQUARE | PS_JOIN_MITER));
    EXPECT_EQ(elp->elpWidth, 9u);
    EXPECT_EQ(elp->elpBrushStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(elp->elpColor, kInk);
    ASSERT_EQ(elp->elpNumEntries, 3u);
    EXPECT_EQ(elp->elpStyleEntry[0], 7u);
    EXPECT_EQ(elp->elpStyleEntry[1], 3u);
    EXPECT_EQ(elp->elpStyleEntry[2], 1u);
    // Not a LOGPEN.
    LOGPEN lp{};
    EXPECT_EQ(GetObjectW(pen, sizeof lp, &lp), 0);
    EXPECT_EQ(GetObjectType(pen), static_cast<DWORD>(OBJ_EXTPEN));
    DeleteObject(pen);

    HPEN wide = CreatePen(PS_INSIDEFRAME, 12, kInk);
    ASSERT_EQ(GetObjectW(wide, sizeof lp, &lp), static_cast<int>(sizeof lp));
    EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(PS_INSIDEFRAME));
    EXPECT_EQ(lp.lopnWidth.x, 12);
    DeleteObject(wide);
}

// Pixels that differ from white.
std::vector<bool> footprint(const Canvas& c) {
    std::vector<bool> on(static_cast<size_t>(c.width) * c.height);
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) on[static_cast<size_t>(y) * c.width + x] = !c.is(x, y, kWhite);
    return on;
}

TEST(WidePen, XorPaintsEachPixelOfAStrokeOnce) {
    // Whatever the overlaps of segments, caps and joins, XOR covers exactly
    // what COPYPEN covers: a pixel painted twice would turn white again.
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> coord(-10, 90), width(2, 14), pick(0, 2), count(2, 9);
    const DWORD caps[] = {PS_ENDCAP_ROUND, PS_ENDCAP_SQUARE, PS_ENDCAP_FLAT};
    const DWORD joins[] = {PS_JOIN_ROUND, PS_JOIN_BEVEL, PS_JOIN_MITER};
    const DWORD styles[] = {PS_SOLID, PS_DASH, PS_DASHDOT};
    for (int round = 0; round < 60; ++round) {
        std::vector<POINT> pts(static_cast<size_t>(count(rng)));
        for (POINT& p : pts) p = {coord(rng), coord(rng)};
        const DWORD style = styles[pick(rng)] | caps[pick(rng)] | joins[pick(rng)];
        const DWORD w = static_cast<DWORD>(width(rng));
        const bool closed = round % 2;
        std::vector<bool> copied, xored;
        for (int rop : {R2_COPYPEN, R2_XORPEN}) {
            Canvas c(80, 80);
            Selected pen(c.dc, geometric(style, w, RGB(0, 0, 255)));
            SelectObject(c.dc, GetStockObject(NULL_BRUSH));
            SetROP2(c.dc, rop);
            const int n = static_cast<int>(pts.size());
            EXPECT_TRUE(closed ? Polygon(c.dc, pts.data(), n) : Polyline(c.dc, pts.data(), n));
            (rop == R2_COPYPEN ? copied : xored) = footprint(c);
        }
        EXPECT_EQ(copied, xored) << "round " << round;
    }
}

TEST(WidePen, XorShapesLeaveTheInteriorToTheBrushAlone) {
    // Drawing a filled shape twice with XOR pen and brush restores it: the
    // interior stops at the outline instead of being painted under it.
    Canvas c(90, 70);
    Selected pen(c.dc, CreatePen(PS_SOLID, 9, RGB(0, 255, 255)));
    Selected brush(c.dc, CreateSolidBrush(RGB(255, 0, 255)));
    SetROP2(c.dc, R2_XORPEN);
    Rectangle(c.dc, 5, 5, 40, 30);
    Ellipse(c.dc, 45, 5, 85, 40);
    Pie(c.dc, 5, 35, 40, 65, 40, 50, 5, 35);
    // The pen colour shows on the outline, the brush colour inside: nothing
    // there was painted by both.
    EXPECT_TRUE(c.is(5, 17, RGB(255, 0, 0)));        // white ^ cyan
    EXPECT_TRUE(c.is(22, 17, RGB(0, 255, 0)));       // white ^ magenta
    EXPECT_TRUE(c.is(65, 22, RGB(0, 255, 0)));
    Rectangle(c.dc, 5, 5, 40, 30);
    Ellipse(c.dc, 45, 5, 85, 40);
    Pie(c.dc, 5, 35, 40, 65, 40, 50, 5, 35);
    EXPECT_EQ(c.countNot(kWhite), 0);
}

TEST(WidePen, ZeroAndNegativeWidths) {
    Canvas c(40, 40);
    {
        // A geometric pen of width 0 draws one pixel wide.
        Selected pen(c.dc, geometric(PS_SOLID, 0));
        MoveToEx(c.dc, 5, 10, nullptr);
        EXPECT_TRUE(LineTo(c.dc, 30, 10));
        EXPECT_EQ(c.countNot(kWhite), 25);
    }
    c.clear(kWhite);
    {
        // CreatePen takes the magnitude of a negative width.
        Selected pen(c.dc, CreatePen(PS_SOLID, -5, kInk));
        MoveToEx(c.dc, 10, 20, nullptr);
        EXPECT_TRUE(LineTo(c.dc, 30, 20));
        for (int y = 18; y <= 22; ++y) EXPECT_TRUE(c.is(20, y, kInk)) << y;
        EXPECT_TRUE(c.is(20, 17, kWhite));
        EXPECT_TRUE(c.is(20, 23, kWhite));
    }
}

TEST(WidePen, DegenerateStyleArraysStillDraw) {
    Canvas c(60, 20);
    const DWORD none[] = {0, 0};
    Selected pen(c.dc, geometric(PS_USERSTYLE, 4, kInk, 2, none));
    MoveToEx(c.dc, 5, 10, nullptr);
    EXPECT_TRUE(LineTo(c.dc, 55, 10));
    // A pattern without length has nothing to repeat: the line is solid.
    for (int x = 5; x < 55; ++x) EXPECT_TRUE(c.is(x, 10, kInk)) << x;
}

TEST(WidePen, HugeCoordinatesAndWidthsDrawWhatShows) {
    Canvas c(64, 64);
    {
        Selected pen(c.dc, CreatePen(PS_SOLID, 7, kInk));
        MoveToEx(c.dc, INT_MIN, 30, nullptr);
        EXPECT_TRUE(LineTo(c.dc, INT_MAX, 30));
        for (int y = 27; y <= 33; ++y) EXPECT_TRUE(c.is(0, y, kInk) && c.is(63, y, kInk)) << y;
        EXPECT_TRUE(c.is(10, 26, kWhite));
        EXPECT_TRUE(c.is(10, 34, kWhite));
        const POINT far[] = {{-2000000000, -2000000000}, {2000000000, 2000000000}, {-2000000000, 2000000000}};
        EXPECT_TRUE(Polygon(c.dc, far, 3));
        Ellipse(c.dc, -2000000000, -2000000000, 2000000000, 20);  // too large to follow: refused or drawn
    }
    {
        Selected pen(c.dc, geometric(PS_SOLID, 0xFFFFFFFF));
        EXPECT_TRUE(Rectangle(c.dc, 10, 10, 20, 20));
        EXPECT_EQ(c.countNot(kInk), 0);  // a pen wider than anything covers it all
    }
}

TEST(WidePen, DashesFarAwayKeepTheirPhase) {
    // A dashed line starting a billion pixels away shows the same dashes as
    // one that starts a whole number of periods before the surface.
    const DWORD dashes[] = {9, 4, 3, 4};  // period 20
    std::vector<uint32_t> reference;
    for (const int from : {-1000000000, -1000000000 + 20 * 49999990}) {
        Canvas c(64, 32);
        Selected pen(c.dc, geometric(PS_USERSTYLE | PS_ENDCAP_FLAT, 5, kInk, 4, dashes));
        MoveToEx(c.dc, from, 16, nullptr);
        EXPECT_TRUE(LineTo(c.dc, 1000000000, 16));
        EXPECT_GT(c.countNot(kWhite), 64 * 5 / 3);
        if (reference.empty())
            reference = c.pixels();
        else
            EXPECT_EQ(c.pixels(), reference);
    }
}

TEST(WidePen, PatternBrushPenOutlivesItsBitmap) {
    Canvas c(40, 40);
    const uint32_t bits[4] = {0x00FF0000, 0x0000FF00, 0x0000FF00, 0x00FF0000};
    HBITMAP bmp = CreateBitmap(2, 2, 1, 32, bits);
    ASSERT_NE(bmp, nullptr);
    const LOGBRUSH lb{BS_PATTERN, 0, reinterpret_cast<ULONG_PTR>(bmp)};
    HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, 8, &lb, 0, nullptr);
    ASSERT_NE(pen, nullptr);
    DeleteObject(bmp);
    Selected keep(c.dc, pen);
    MoveToEx(c.dc, 4, 20, nullptr);
    EXPECT_TRUE(LineTo(c.dc, 36, 20));
    EXPECT_TRUE(c.is(10, 20, RGB(255, 0, 0)));
    EXPECT_TRUE(c.is(11, 20, RGB(0, 255, 0)));
    EXPECT_TRUE(c.is(10, 21, RGB(0, 255, 0)));
    EXPECT_TRUE(c.is(10, 10, kWhite));
}

}  // namespace
