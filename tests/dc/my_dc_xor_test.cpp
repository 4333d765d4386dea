// Rubber bands: drawn twice they leave every pixel as it was; they lie where
// the finished outline will; the DC gets its pen and raster operation back.
#include <hmigfx/my_dc.h>

#include "../afx/mfc_throw.h"
#include "canvas.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using testing_canvas::Canvas;
using testing_canvas::pixelOf;

// A background where neighbouring pixels differ, so that a band that does not
// cancel out shows.
void paintBackground(Canvas& c) {
    uint32_t* px = c.bits();
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            px[y * c.width() + x] = static_cast<uint32_t>((x * 37 + y * 11) & 0xFF) << 16 |
                                    static_cast<uint32_t>((x * 5 + y * 53) & 0xFF) << 8 |
                                    static_cast<uint32_t>((x * y) & 0xFF);
}

CMyPoint my(double x, double y) {
    CMyPoint p;
    p.x = x;
    p.y = y;
    return p;
}

CMyRect myRect(double l, double t, double r, double b) {
    CMyRect q;
    q.left = l;
    q.top = t;
    q.right = r;
    q.bottom = b;
    return q;
}

struct Band {
    std::string name;
    std::function<void(CMyDC&, int)> draw;
};

std::vector<Band> bands() {
    static CPoint poly[] = {{5, 5}, {60, 12}, {30, 50}, {70, 70}, {8, 66}};
    static CMyPoint myPoly[] = {my(5.5, 5.2), my(60.9, 12.1), my(30.3, 50.7), my(70.1, 70.4), my(8.8, 66.6)};
    return {
        {"Line", [](CMyDC& d, int s) { CPoint a(3, 4), b(70, 55); d.XorDrawLine(a, b, s); }},
        {"LineMy", [](CMyDC& d, int s) { CMyPoint a = my(3.7, 4.2); CPoint b(70, 55); d.XorDrawLine(a, b, s); }},
        {"PolyLine", [](CMyDC& d, int s) { d.XorDrawPolyLine(poly, 5, s); }},
        {"PolyLineMy", [](CMyDC& d, int s) { d.XorDrawPolyLine(myPoly, 5, s); }},
        {"PolyGon", [](CMyDC& d, int s) { d.XorDrawPolyGon(poly, 5, s); }},
        {"PolyGonMy", [](CMyDC& d, int s) { d.XorDrawPolyGon(myPoly, 5, s); }},
        {"Rect", [](CMyDC& d, int s) { CRect r(4, 6, 66, 50); d.XorDrawRect(r, s); }},
        {"RectMy", [](CMyDC& d, int s) { CMyRect r = myRect(4.5, 6.5, 66.5, 50.5); d.XorDrawRect(r, s); }},
        {"Circle", [](CMyDC& d, int s) { CRect r(4, 6, 66, 50); d.XorDrawCircle(r, s); }},
        {"CircleMy", [](CMyDC& d, int s) { CMyRect r = myRect(4.5, 6.5, 66.5, 50.5); d.XorDrawCircle(r, s); }},
        {"Round", [](CMyDC& d, int s) { CRect r(4, 6, 66, 50); CPoint k(20, 14); d.XorDrawRound(r, k, s); }},
        {"RoundMy", [](CMyDC& d, int s) {
             CMyRect r = myRect(4.5, 6.5, 66.5, 50.5);
             CMyPoint k = my(20.5, 14.5);
             d.XorDrawRound(r, k, s);
         }},
        {"Arc", [](CMyDC& d, int s) { CRect r(4, 6, 66, 50); CPoint a(66, 10), b(4, 40); d.XorDrawArc(r, a, b, s); }},
        {"ArcMy", [](CMyDC& d, int s) {
             CMyRect r = myRect(4.5, 6.5, 66.5, 50.5);
             CMyPoint a = my(66, 10), b = my(4, 40);
             d.XorDrawArc(r, a, b, s);
         }},
        {"Pie", [](CMyDC& d, int s) { CRect r(4, 6, 66, 50); CPoint a(66, 40), b(10, 6); d.XorDrawPie(r, a, b, s); }},
        {"PieMy", [](CMyDC& d, int s) {
             CMyRect r = myRect(4.5, 6.5, 66.5, 50.5);
             CMyPoint a = my(66, 40), b = my(10, 6);
             d.XorDrawPie(r, a, b, s);
         }},
        {"Chord", [](CMyDC& d, int s) {
             CRect r(4, 6, 66, 50);
             CPoint a(10, 6), b(66, 40);
             d.XorDrawChord(r, a, b, s);
         }},
        {"ChordMy", [](CMyDC& d, int s) {
             CMyRect r = myRect(4.5, 6.5, 66.5, 50.5);
             CMyPoint a = my(10, 6), b = my(66, 40);
             d.XorDrawChord(r, a, b, s);
         }},
    };
}

TEST(XorDraw, TwiceLeavesEveryPixelAsItWas) {
    for (const Band& band : bands()) {
        for (int style : {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT}) {
            for (int withBrush = 0; withBrush < 2; ++withBrush) {
                SCOPED_TRACE(::testing::Message() << band.name << " style " << style << " brush " << withBrush);
                Canvas c(120, 120);
                paintBackground(c);
                CBrush solid;
                solid.CreateSolidBrush(RGB(40, 200, 90));
                CBrush* oldBrush = withBrush ? c.dc.SelectObject(&solid)
                                             : CBrush::FromHandle(static_cast<HBRUSH>(
                                                   ::SelectObject(c.dc.m_hDC, ::GetStockObject(NULL_BRUSH))));
                const std::vector<uint32_t> before = c.pixels();
                CPoint origin(-6, -3);
                CMyDC myDC(&c.dc, 150, origin);
                band.draw(myDC, style);
                EXPECT_NE(c.pixels(), before);
                band.draw(myDC, style);
                EXPECT_EQ(c.pixels(), before);
                c.dc.SelectObject(oldBrush);
            }
        }
    }
}

TEST(XorDraw, TheDcGetsItsPenAndRasterOperationBack) {
    Canvas c(40, 40);
    CMyDC my(&c.dc, 100);
    CPen red;
    red.CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    c.dc.SelectObject(&red);
    c.dc.SetROP2(R2_MASKPEN);
    HGDIOBJ brush0 = ::GetCurrentObject(c.dc.m_hDC, OBJ_BRUSH);
    for (const Band& band : bands()) {
        band.draw(my, PS_DASH);
        EXPECT_EQ(::GetCurrentObject(c.dc.m_hDC, OBJ_PEN), red.m_hObject) << band.name;
        EXPECT_EQ(::GetROP2(c.dc.m_hDC), R2_MASKPEN) << band.name;
        EXPECT_EQ(::GetCurrentObject(c.dc.m_hDC, OBJ_BRUSH), brush0) << band.name;
    }
    c.dc.SelectStockObject(BLACK_PEN);
}

TEST(XorDraw, APenThatCannotBeMadeChangesNothing) {
    Canvas c(40, 40);
    CMyDC my(&c.dc, 100);
    c.dc.SetROP2(R2_COPYPEN);
    HGDIOBJ pen0 = ::GetCurrentObject(c.dc.m_hDC, OBJ_PEN);
    CRect rect(2, 2, 30, 30);
    CPoint a(1, 1), b(20, 20);
    EXPECT_MFC_THROW(my.XorDrawRect(rect, 42), CResourceException);
    EXPECT_MFC_THROW(my.XorDrawLine(a, b, -3), CResourceException);
    EXPECT_EQ(::GetROP2(c.dc.m_hDC), R2_COPYPEN);
    EXPECT_EQ(::GetCurrentObject(c.dc.m_hDC, OBJ_PEN), pen0);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) ASSERT_TRUE(c.white(x, y));
}

TEST(XorDraw, RectangleCoversTheFinishedOutline) {
    for (int zoom : {100, 150}) {
        SCOPED_TRACE(zoom);
        Canvas band(40, 40), outline(40, 40);
        CPoint origin(-3, -2);
        CMyDC myBand(&band.dc, zoom, origin), myOutline(&outline.dc, zoom, origin);
        ::SelectObject(band.dc.m_hDC, ::GetStockObject(NULL_BRUSH));
        CRect rect(0, 0, 10, 10);
        myBand.XorDrawRect(rect, PS_SOLID);
        LOGPEN lp{PS_SOLID, {1, 0}, RGB(0, 0, 0)};
        LOGBRUSH lb{BS_NULL, 0, 0};
        myOutline.ObjDrawRectangle(rect, lp, lb, RGB(255, 255, 255), 0);
        EXPECT_EQ(band.pixels(), outline.pixels());
        EXPECT_EQ(band.at(3 + (zoom == 100 ? 10 : 15), 2), 0u);  // the right edge is included
    }
}

TEST(XorDraw, LineMapsWithZoomAndOrigin) {
    Canvas c(50, 20);
    CPoint origin(10, 0);
    CMyDC my(&c.dc, 200, origin);
    CPoint from(5, 5), to(20, 5);
    my.XorDrawLine(from, to, PS_SOLID);
    for (int x = 0; x < 50; ++x) EXPECT_EQ(c.at(x, 10), x < 30 ? 0u : 0xFFFFFFu) << x;
    EXPECT_EQ(c.dc.GetCurrentPosition(), CPoint(40, 10));
}

}  // namespace
