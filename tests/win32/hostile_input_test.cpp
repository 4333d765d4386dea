// Inputs the fuzz targets found: each call here once crashed, hung or read out
// of bounds. They must now finish at once with GDI's answer.
#include "../support/canvas.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

using testsupport::Canvas;

// A frame two billion pixels wide is walked only where it shows; logical
// coordinates at the ends of the int range with a viewport origin do not
// overflow on the way to the device.
TEST(HostileInput, FocusRectOfAnySize) {
    Canvas c(40, 20);
    const auto before = c.pixels();
    RECT huge{-1000000000, 5, 1000000000, 15};
    ASSERT_TRUE(DrawFocusRect(c.dc, &huge));
    long changed = 0;
    for (int x = 0; x < 40; ++x) changed += (c.at(x, 5) != 0xFFFFFFu) + (c.at(x, 14) != 0xFFFFFFu);
    EXPECT_EQ(changed, 40);  // every other pixel of the top and bottom rows
    ASSERT_TRUE(DrawFocusRect(c.dc, &huge));
    EXPECT_EQ(c.pixels(), before);

    SetViewportOrgEx(c.dc, 7, -9, nullptr);
    RECT extreme{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    EXPECT_TRUE(DrawFocusRect(c.dc, &extreme));
    EXPECT_EQ(c.pixels(), before);
}

// Underline and strike-out bars of an upright text three billion pixels
// long are scanned only over the rows that show.
TEST(HostileInput, TextBarsOfAnyLength) {
    Canvas c(40, 20);
    HFONT font = CreateFontW(-12, 0, 900, 900, FW_NORMAL, FALSE, TRUE, TRUE, ANSI_CHARSET, 0, 0, NONANTIALIASED_QUALITY,
                             0, L"Arial");
    HGDIOBJ old = SelectObject(c.dc, font);
    const INT dx[3] = {1500000000, 1500000000, 5};
    EXPECT_TRUE(ExtTextOutW(c.dc, 10, 1500000000, 0, nullptr, L"abc", 3, dx));
    EXPECT_GT(c.ink(), 0);  // the bars cross the canvas
    EXPECT_TRUE(TextOutW(c.dc, INT_MAX - 4, INT_MIN + 4, L"x", 1));
    SelectObject(c.dc, old);
    DeleteObject(font);
}

// Frame controls scale to any box; only what shows is painted, and a box
// across the whole int range neither overflows nor takes long.
TEST(HostileInput, FrameControlsOfAnySize) {
    Canvas c(30, 30);
    RECT all{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    for (UINT state : {DFCS_BUTTONPUSH, DFCS_BUTTONCHECK | DFCS_CHECKED, DFCS_BUTTONRADIO | DFCS_CHECKED}) {
        RECT r = all;
        EXPECT_TRUE(DrawFrameControl(c.dc, &r, DFC_BUTTON, state | DFCS_ADJUSTRECT));
    }
    RECT big{-1000000, -1000000, 1000000, 1000000};
    c.clear(RGB(255, 255, 255));
    EXPECT_TRUE(DrawFrameControl(c.dc, &big, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED));
    EXPECT_TRUE(c.is(15, 15, GetSysColor(COLOR_WINDOWTEXT)));  // inside the dot
}

// Text laid out in a rectangle spanning the int range: every position is
// saturated, none overflows.
TEST(HostileInput, DrawTextInTheWholeRange) {
    Canvas c(30, 20);
    RECT r{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    EXPECT_GT(DrawTextW(c.dc, L"a&b\nc", -1, &r, DT_CENTER | DT_WORDBREAK), 0);
    EXPECT_GT(DrawTextW(c.dc, L"ab", -1, &r, DT_SINGLELINE | DT_VCENTER | DT_RIGHT), 0);
    RECT calc{INT_MAX - 1, INT_MAX - 1, INT_MAX, INT_MAX};
    EXPECT_GT(DrawTextW(c.dc, L"abc\ndef", -1, &calc, DT_CALCRECT), 0);
    EXPECT_EQ(calc.right, INT_MAX);  // saturated, not wrapped
}

// Curves, arcs and clip rectangles from coordinates at the ends of the int
// range, offset by the viewport origin.
TEST(HostileInput, ShapesAtTheEndsOfTheIntRange) {
    Canvas c(30, 20);
    SetViewportOrgEx(c.dc, 96, -96, nullptr);
    const POINT bezier[4] = {{INT_MIN, 5}, {INT_MAX, INT_MIN}, {-1073741824, INT_MAX}, {1342177936, 6}};
    EXPECT_TRUE(PolyBezier(c.dc, bezier, 4));
    EXPECT_FALSE(Pie(c.dc, INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, 0, 5, 5));  // beyond what GDI follows
    EXPECT_TRUE(Chord(c.dc, -134217728, -40, 134217728, 40, 0, 0, 5, 5));
    EXPECT_NE(IntersectClipRect(c.dc, INT_MIN + 1, INT_MIN, INT_MAX, INT_MAX), ERROR);
    RECT box;
    EXPECT_EQ(GetClipBox(c.dc, &box), SIMPLEREGION);
}

// Tall, narrow ellipses far larger than the surface are followed column by
// column: the window shows exactly what the whole figure drawn on a surface
// that holds it has there, and a 134-million-pixel one takes no time.
TEST(HostileInput, TallNarrowCurves) {
    const int top = 980, rows = 40;
    Canvas whole(24, 2010), window(24, rows);
    SetViewportOrgEx(window.dc, 0, -top, nullptr);
    for (Canvas* c : {&whole, &window}) {
        LOGBRUSH lb{BS_SOLID, RGB(0, 0, 200), 0};
        SelectObject(c->dc, ExtCreatePen(PS_COSMETIC | PS_DASH, 1, &lb, 0, nullptr));
        SelectObject(c->dc, GetStockObject(LTGRAY_BRUSH));
        Pie(c->dc, 1, 3, 12, 2003, 12, 2003, 12, 0);
        Chord(c->dc, 6, 5, 23, 2005, 0, 1900, 23, 20);
        Arc(c->dc, 2, 1, 9, 2008, 9, 1000, 0, 990);
        DeleteObject(SelectObject(c->dc, GetStockObject(BLACK_PEN)));
    }
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < 24; ++x) ASSERT_EQ(window.at(x, y), whole.at(x, top + y)) << x << "," << y;
    EXPECT_TRUE(Pie(window.dc, -16, 11, -13, -134217728, 860460507, 62, 55, 66));
    EXPECT_TRUE(Chord(window.dc, 24, -121109216, 79, -10, 267, 70, -16, 44));
}

// Brush origins at the ends of the int range align tiles as their value
// modulo the tile size says (INT_MIN is a multiple of 8).
TEST(HostileInput, BrushOriginsAtTheEnds) {
    Canvas a(16, 16), b(16, 16);
    HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, RGB(200, 0, 0));
    SetBrushOrgEx(b.dc, INT_MIN, INT_MIN, nullptr);
    for (Canvas* c : {&a, &b}) {
        HGDIOBJ old = SelectObject(c->dc, hatch);
        PatBlt(c->dc, 0, 0, 16, 8, PATCOPY);
        PatBlt(c->dc, 0, 8, 16, 8, 0x5A0049);  // PATINVERT, through the blitter
        SelectObject(c->dc, old);
    }
    EXPECT_EQ(a.pixels(), b.pixels());
    DeleteObject(hatch);
}

// The current position after text wraps as 32-bit arithmetic does; a
// bottom-up DIB's source row far outside it is refused, not overflowed.
TEST(HostileInput, TextPositionAndDibRowsAtTheEnds) {
    Canvas c(20, 20);
    SetTextAlign(c.dc, TA_UPDATECP);
    MoveToEx(c.dc, INT_MAX - 1, 0, nullptr);
    EXPECT_TRUE(TextOutW(c.dc, 0, 0, L"ab", 2));
    POINT cp;
    GetCurrentPositionEx(c.dc, &cp);
    EXPECT_LT(cp.x, 0);  // wrapped past INT_MAX

    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 2, 2, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    const uint32_t bits[4] = {0xFF0000, 0xFF0000, 0xFF0000, 0xFF0000};
    StretchDIBits(c.dc, 0, 0, 4, 4, 0, INT_MIN, 2, 77, bits, &bi, DIB_RGB_COLORS, SRCCOPY);
    StretchDIBits(c.dc, 0, 0, 4, 4, 0, -9, 2, INT_MAX, bits, &bi, DIB_RGB_COLORS, SRCCOPY);
}

// USER's rectangle arithmetic and GDI's origins wrap as 32-bit arithmetic does.
TEST(HostileInput, CoordinateArithmeticWraps) {
    RECT r{INT_MIN, 0, INT_MAX, 10};
    ASSERT_TRUE(OffsetRect(&r, -1, 1));
    EXPECT_EQ(r.left, INT_MAX);
    EXPECT_EQ(r.right, INT_MAX - 1);
    ASSERT_TRUE(InflateRect(&r, 1, 0));
    EXPECT_EQ(r.left, INT_MAX - 1);
    EXPECT_EQ(r.right, INT_MAX);

    HDC dc = CreateCompatibleDC(nullptr);
    SetViewportOrgEx(dc, INT_MAX, 0, nullptr);
    ASSERT_TRUE(OffsetViewportOrgEx(dc, 1, 0, nullptr));
    POINT p{INT_MIN + 5, 0};
    ASSERT_TRUE(DPtoLP(dc, &p, 1));
    EXPECT_EQ(p.x, 5);
    DeleteDC(dc);
}

}  // namespace
