// CMyDC's shapes beyond the golden pictures: where region fills may paint,
// the DC state a call leaves, black/white mode and transparency, pie and
// chord regions, and point lists longer than the shared buffers.
#include <hmigfx/my_dc.h>

#include "../afx/mfc_throw.h"
#include "canvas.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using testing_canvas::Canvas;
using testing_canvas::pixelOf;

constexpr COLORREF kPen = RGB(0, 0, 160);
constexpr COLORREF kFill = RGB(250, 200, 0);

LOGPEN pen(UINT style = PS_SOLID, LONG width = 1, COLORREF color = kPen) { return LOGPEN{style, {width, 0}, color}; }
LOGBRUSH brush(UINT style, ULONG_PTR hatch = 0) { return LOGBRUSH{style, RGB(1, 2, 3), hatch}; }

std::unique_ptr<CRgn> rectRgn(int l, int t, int r, int b) {
    auto rgn = std::make_unique<CRgn>();
    rgn->CreateRectRgn(l, t, r, b);
    return rgn;
}

// The DC's clip region now, or null when it has none.
std::unique_ptr<CRgn> clipOf(CDC& dc) {
    auto rgn = rectRgn(0, 0, 0, 0);
    if (::GetClipRgn(dc.m_hDC, *rgn) != 1) return nullptr;
    return rgn;
}

// ---------------------------------------------------------------------------
// Region fills: gradients stay inside the shape and the host's region

TEST(ObjDrawRegionFill, GradientPaintsOnlyInsideTheShapeAndTheHostRegion) {
    for (int host = 0; host < 2; ++host) {
        SCOPED_TRACE(host ? "with a host region" : "without");
        Canvas c(120, 100);
        CPoint origin(-10, -5);
        CMyDC my(&c.dc, 150, origin);
        // The host's region in device units: the left 60 columns and a block.
        CRgn hostRgn;
        hostRgn.CreateRectRgn(0, 0, 60, 100);
        CRgn block;
        block.CreateRectRgn(60, 70, 120, 100);
        hostRgn.CombineRgn(&hostRgn, &block, RGN_OR);
        if (host) my.SetRegionData(&hostRgn);

        CRect rect(5, 5, 65, 55);  // view (7, 7, 97, 82) + 1; device + (10, 5)
        LOGPEN lp = pen(PS_NULL);
        LOGBRUSH lb = brush(4, 8);
        my.ObjDrawEllipse(rect, lp, lb, kFill, 0);

        CRgn shape;
        shape.CreateEllipticRgn(17, 12, 108, 88);  // the device rectangle, right and bottom + 1
        int painted = 0;
        for (int y = 0; y < c.height(); ++y)
            for (int x = 0; x < c.width(); ++x) {
                const bool inside = shape.PtInRegion(x, y) && (!host || hostRgn.PtInRegion(x, y));
                EXPECT_EQ(!c.white(x, y), inside) << x << "," << y;
                painted += !c.white(x, y);
            }
        EXPECT_GT(painted, 1000);

        auto clip = clipOf(c.dc);
        if (host) {
            ASSERT_TRUE(clip);
            EXPECT_TRUE(clip->EqualRgn(&hostRgn));
        } else {
            EXPECT_FALSE(clip);
        }
    }
}

TEST(ObjDrawRegionFill, PolygonGradientFillsTheTriangleOnly) {
    Canvas c(60, 60);
    CMyDC my(&c.dc, 100);
    CPoint tri[] = {{10, 10}, {50, 10}, {10, 50}};
    CRect box(10, 10, 50, 50);
    LOGPEN lp = pen(PS_NULL);
    LOGBRUSH lb = brush(4, 0);
    my.ObjDrawPolyGon(box, tri, 3, lp, lb, kFill, 0);
    CRgn triRgn;
    triRgn.CreatePolygonRgn(tri, 3, ALTERNATE);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 60; ++x) EXPECT_EQ(!c.white(x, y), !!triRgn.PtInRegion(x, y)) << x << "," << y;
}

TEST(ObjDrawRegionFill, TransparentOrPrinterlessGradientsPaintNothing) {
    Canvas c(40, 40);
    CMyDC my(&c.dc, 100);
    CRect rect(5, 5, 30, 30);
    LOGPEN lp = pen(PS_NULL);
    for (int mode : {22, -1}) {
        LOGBRUSH lb = brush(4, static_cast<ULONG_PTR>(mode));
        my.ObjDrawRectangle(rect, lp, lb, kFill, 0);
    }
    LOGBRUSH lb = brush(4, 3);
    my.ObjDrawRectangle(rect, lp, lb, kFill, 1);
    my.ObjDrawRectangle(rect, lp, lb, kFill, 2);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) ASSERT_TRUE(c.white(x, y)) << x << "," << y;
}

// A pie's and a chord's region fill lies inside the outline GDI draws for
// the same figure: every pixel the gradient paints (with a null pen) is one
// that Pie/Chord with a pen and a solid brush covers.
TEST(ObjDrawRegionFill, PieAndChordFillsLieInsideTheirOutlines) {
    struct Figure {
        CRect rect;
        CPoint start, end;
    };
    const Figure figures[] = {
        {{0, 0, 100, 100}, {100, 50}, {50, 0}},   {{0, 0, 100, 100}, {50, 0}, {100, 50}},
        {{0, 0, 100, 100}, {100, 50}, {100, 40}}, {{0, 0, 100, 100}, {100, 40}, {100, 50}},
        {{0, 0, 150, 70}, {140, 5}, {10, 60}},     {{0, 0, 150, 70}, {10, 60}, {140, 5}},
        {{10, 5, 90, 95}, {0, 0}, {90, 90}},       {{10, 5, 90, 95}, {50, 95}, {50, 5}},
        {{0, 0, 61, 41}, {30, 20}, {61, 0}},       {{0, 0, 100, 100}, {80, 0}, {0, 80}},
        {{0, 0, 100, 100}, {0, 80}, {80, 0}},      {{0, 0, 101, 99}, {100, 0}, {100, 99}},
    };
    int paintedAll = 0;
    for (int zoom : {100, 150}) {
        for (const Figure& f : figures) {
            for (int chord = 0; chord < 2; ++chord) {
                SCOPED_TRACE(::testing::Message() << "zoom " << zoom << (chord ? " chord " : " pie ") << f.rect.left
                                                  << "," << f.rect.top << "," << f.rect.right << "," << f.rect.bottom
                                                  << " from " << f.start.x << "," << f.start.y << " to " << f.end.x
                                                  << "," << f.end.y);
                CRect rect = f.rect;
                CPoint start = f.start, end = f.end, origin(-7, -9);
                Canvas filled(180, 180), outlined(180, 180);
                {
                    CMyDC my(&filled.dc, zoom, origin);
                    LOGPEN lp = pen(PS_NULL);
                    LOGBRUSH lb = brush(4, 21);
                    chord ? my.ObjDrawChord(rect, start, end, lp, lb, kFill, 0)
                          : my.ObjDrawPie(rect, start, end, lp, lb, kFill, 0);
                }
                {
                    CMyDC my(&outlined.dc, zoom, origin);
                    LOGPEN lp = pen(PS_SOLID);
                    LOGBRUSH lb = brush(0);
                    chord ? my.ObjDrawChord(rect, start, end, lp, lb, kFill, 0)
                          : my.ObjDrawPie(rect, start, end, lp, lb, kFill, 0);
                }
                int painted = 0, outside = 0;
                for (int y = 0; y < 180; ++y)
                    for (int x = 0; x < 180; ++x)
                        if (!filled.white(x, y)) {
                            ++painted;
                            if (outlined.white(x, y)) ++outside;
                        }
                paintedAll += painted;  // a thin chord may have no inside at all
                EXPECT_EQ(outside, 0);
            }
        }
    }
    EXPECT_GT(paintedAll, 100000);
}

// The fill is the wedge region of CreatePieRgn/CreateChordRgn, cut back only
// where it would pass the outline.
TEST(ObjDrawRegionFill, PieFillIsTheWedgeRegionWithinTheOutline) {
    Canvas filled(120, 120);
    CMyDC my(&filled.dc, 100);
    CRect rect(0, 0, 100, 100);
    CPoint start(100, 50), end(50, 0);
    LOGPEN lp = pen(PS_NULL);
    LOGBRUSH lb = brush(4, 0);
    my.ObjDrawPie(rect, start, end, lp, lb, kFill, 0);
    CRect device(0, 0, 101, 101);
    std::unique_ptr<CRgn> wedge(CMyDC::CreatePieRgn(device, start, end));
    int inWedge = 0, strays = 0;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 120; ++x) {
            if (!filled.white(x, y)) {
                EXPECT_TRUE(wedge->PtInRegion(x, y)) << x << "," << y;
            }
            if (wedge->PtInRegion(x, y)) (filled.white(x, y) ? strays : inWedge)++;
        }
    EXPECT_GT(inWedge, 1900);  // a quarter of the circle
    EXPECT_LT(strays, 60);     // a pixel along each radial at most
}

// ---------------------------------------------------------------------------
// Pie and chord regions

TEST(PieChordRegion, QuartersAndTheirComplements) {
    CRect rect(0, 0, 100, 100);
    CPoint right(100, 50), top(50, 0);
    std::unique_ptr<CRgn> quarter(CMyDC::CreatePieRgn(rect, right, top));
    std::unique_ptr<CRgn> rest(CMyDC::CreatePieRgn(rect, top, right));
    CRgn circle;
    circle.CreateEllipticRgn(0, 0, 100, 100);
    CRect box;
    EXPECT_EQ(quarter->GetRgnBox(&box), COMPLEXREGION);
    EXPECT_GE(box.left, 50);
    EXPECT_LE(box.bottom, 51);
    EXPECT_TRUE(quarter->PtInRegion(75, 25));
    EXPECT_FALSE(quarter->PtInRegion(25, 25));
    EXPECT_FALSE(quarter->PtInRegion(75, 75));
    EXPECT_FALSE(rest->PtInRegion(75, 25));
    EXPECT_TRUE(rest->PtInRegion(25, 25));
    EXPECT_TRUE(rest->PtInRegion(75, 75));
    // Together they are the circle, give or take the shared radials.
    CRgn both;
    both.CreateRectRgn(0, 0, 0, 0);
    both.CombineRgn(quarter.get(), rest.get(), RGN_OR);
    CRgn missing;
    missing.CreateRectRgn(0, 0, 0, 0);
    missing.CombineRgn(&circle, &both, RGN_DIFF);
    EXPECT_EQ(missing.GetRgnBox(&box), NULLREGION);
}

TEST(PieChordRegion, OneOctantGivesASliceOrAllButTheSlice) {
    CRect rect(0, 0, 100, 100);
    CPoint level(100, 50), above(100, 40);
    std::unique_ptr<CRgn> slice(CMyDC::CreatePieRgn(rect, level, above));
    std::unique_ptr<CRgn> rest(CMyDC::CreatePieRgn(rect, above, level));
    EXPECT_TRUE(slice->PtInRegion(90, 47));
    EXPECT_FALSE(slice->PtInRegion(90, 53));
    EXPECT_FALSE(slice->PtInRegion(25, 25));
    EXPECT_FALSE(rest->PtInRegion(90, 47));
    EXPECT_TRUE(rest->PtInRegion(90, 53));
    EXPECT_TRUE(rest->PtInRegion(25, 25));
}

TEST(PieChordRegion, ChordIsCutByTheLineBetweenTheEllipsePoints) {
    CRect rect(0, 0, 100, 100);
    CPoint right(100, 50), top(50, 0);
    std::unique_ptr<CRgn> chord(CMyDC::CreateChordRgn(rect, right, top));
    EXPECT_TRUE(chord->PtInRegion(80, 20));
    EXPECT_TRUE(chord->PtInRegion(70, 10));
    EXPECT_FALSE(chord->PtInRegion(60, 40));
    EXPECT_FALSE(chord->PtInRegion(96, 4));  // inside the box, outside the circle
    // From the top round to the right: the circle without that cap.
    std::unique_ptr<CRgn> big(CMyDC::CreateChordRgn(rect, top, right));
    EXPECT_FALSE(big->PtInRegion(80, 20));
    EXPECT_TRUE(big->PtInRegion(60, 40));
    EXPECT_TRUE(big->PtInRegion(20, 80));
}

TEST(PieChordRegion, EdgePointsBeyondTheRectangleStillGiveExactRegions) {
    CRect wide(0, 0, 200, 100);
    CPoint start(190, 0), end(10, 100);
    std::unique_ptr<CRgn> pie(CMyDC::CreatePieRgn(wide, start, end));
    CRgn ellipse;
    ellipse.CreateEllipticRgn(0, 0, 200, 100);
    CRgn outside;
    outside.CreateRectRgn(0, 0, 0, 0);
    CRect box;
    EXPECT_EQ(outside.CombineRgn(pie.get(), &ellipse, RGN_DIFF), NULLREGION);
    EXPECT_TRUE(pie->PtInRegion(100, 20));  // the upper-left half
    EXPECT_FALSE(pie->PtInRegion(150, 80));
    // A start at the centre counts as pointing left.
    CPoint centre(100, 50), down(100, 100);
    std::unique_ptr<CRgn> fromCentre(CMyDC::CreatePieRgn(wide, centre, down));
    EXPECT_TRUE(fromCentre->PtInRegion(60, 70));   // lower left
    EXPECT_FALSE(fromCentre->PtInRegion(60, 30));  // upper left
    EXPECT_FALSE(fromCentre->PtInRegion(140, 70));
}

TEST(PieChordRegion, FractionalFormsTruncateEveryCoordinate) {
    CMyRect myRect;
    myRect.left = -0.5;
    myRect.top = 0.9;
    myRect.right = 100.7;
    myRect.bottom = 100.2;
    CMyPoint myStart, myEnd;
    myStart.x = 100.9;
    myStart.y = 50.5;
    myEnd.x = 50.1;
    myEnd.y = -0.9;
    CRect rect(0, 0, 100, 100);
    CPoint start(100, 50), end(50, 0);
    std::unique_ptr<CRgn> a(CMyDC::CreatePieRgn(myRect, myStart, myEnd)), b(CMyDC::CreatePieRgn(rect, start, end));
    std::unique_ptr<CRgn> c(CMyDC::CreateChordRgn(myRect, myStart, myEnd)), d(CMyDC::CreateChordRgn(rect, start, end));
    EXPECT_TRUE(a->EqualRgn(b.get()));
    EXPECT_TRUE(c->EqualRgn(d.get()));
}

// ---------------------------------------------------------------------------
// The state a call leaves, colours and transparency

TEST(ObjDrawState, PenAndBrushComeBackAndTheFillSettingsStay) {
    Canvas c(60, 60);
    CPoint origin(5, 5);
    CMyDC my(&c.dc, 200, origin);
    HGDIOBJ pen0 = ::GetCurrentObject(c.dc.m_hDC, OBJ_PEN), brush0 = ::GetCurrentObject(c.dc.m_hDC, OBJ_BRUSH);
    CRect rect(10, 10, 20, 20);
    LOGPEN lp = pen();
    LOGBRUSH lb = brush(2, HS_CROSS);
    my.ObjDrawEllipse(rect, lp, lb, kFill, 1);
    EXPECT_EQ(::GetCurrentObject(c.dc.m_hDC, OBJ_PEN), pen0);
    EXPECT_EQ(::GetCurrentObject(c.dc.m_hDC, OBJ_BRUSH), brush0);
    EXPECT_EQ(::GetBkColor(c.dc.m_hDC), kFill);
    EXPECT_EQ(::GetBkMode(c.dc.m_hDC), TRANSPARENT);
    EXPECT_EQ(::GetTextColor(c.dc.m_hDC), kPen);
    POINT org{};
    ::GetBrushOrgEx(c.dc.m_hDC, &org);
    EXPECT_EQ(org.x, 15);  // device (20 - 5, 20 - 5)
    EXPECT_EQ(org.y, 15);
    // The outline: Ellipse (20, 20, 41, 41) in view units, device 15..35.
    EXPECT_EQ(c.at(25, 15), pixelOf(kPen));
    EXPECT_EQ(c.at(25, 35), pixelOf(kPen));
    EXPECT_TRUE(c.white(25, 36));
    // The pen is two pixels wide at this zoom: the extra one goes above.
    EXPECT_EQ(c.at(25, 14), pixelOf(kPen));
    EXPECT_TRUE(c.white(25, 13));
    my.ObjDrawEllipse(rect, lp, lb, kFill, 2);
    EXPECT_EQ(::GetBkMode(c.dc.m_hDC), OPAQUE);
}

TEST(ObjDrawState, RectangleTakesInItsRightAndBottomEdges) {
    Canvas c(20, 20);
    CMyDC my(&c.dc, 100);
    CRect rect(0, 0, 10, 10);
    LOGPEN lp = pen();
    LOGBRUSH lb = brush(1);
    my.ObjDrawRectangle(rect, lp, lb, kFill, 0);
    EXPECT_EQ(c.at(10, 10), pixelOf(kPen));
    EXPECT_EQ(c.at(10, 0), pixelOf(kPen));
    EXPECT_TRUE(c.white(11, 10));
    EXPECT_TRUE(c.white(5, 5));  // hollow
}

TEST(ObjDrawState, TransparencyLeavesOutFillsButNotHatches) {
    CRect rect(0, 0, 16, 16);
    for (int transparent : {0, 1, 2}) {
        SCOPED_TRACE(transparent);
        Canvas solid(20, 20), hatch(20, 20);
        CMyDC mySolid(&solid.dc, 100), myHatch(&hatch.dc, 100);
        LOGPEN lp = pen(PS_NULL);
        LOGBRUSH lbSolid = brush(0), lbHatch = brush(2, HS_HORIZONTAL);
        mySolid.ObjDrawRectangle(rect, lp, lbSolid, kFill, transparent);
        myHatch.ObjDrawRectangle(rect, lp, lbHatch, kFill, transparent);
        // Solid: filled only without transparency.
        EXPECT_EQ(solid.white(5, 5), transparent != 0);
        if (!transparent) {
            EXPECT_EQ(solid.at(5, 5), pixelOf(kFill));
        }
        // Hatch: row 3 of the tile is the line, in the pen colour; the gaps
        // take the fill colour unless the background mode is TRANSPARENT.
        EXPECT_EQ(hatch.at(5, 3), pixelOf(kPen));
        EXPECT_EQ(hatch.at(5, 5), transparent == 1 ? 0xFFFFFFu : pixelOf(kFill));
    }
}

TEST(ObjDrawState, BlackWhiteModeSwapsBlackAndWhite) {
    Canvas c(30, 30);
    CMyDC my(&c.dc, 100);
    my.SetReversePrint(1);
    CRect rect(2, 2, 20, 20);
    LOGPEN lp = pen(PS_SOLID, 1, RGB(0, 0, 0));
    LOGBRUSH lb = brush(0);
    c.dc.PatBlt(0, 0, 30, 30, BLACKNESS);
    my.ObjDrawRectangle(rect, lp, lb, RGB(255, 255, 255), 0);
    EXPECT_EQ(c.at(2, 2), 0xFFFFFFu);   // the black outline drawn white
    EXPECT_EQ(c.at(10, 10), 0x000000u);  // the white fill drawn black
    // A hatch with a white pen becomes black on the (unchanged) grey fill.
    c.dc.PatBlt(0, 0, 30, 30, WHITENESS);
    LOGPEN white = pen(PS_NULL, 1, RGB(255, 255, 255));
    LOGBRUSH lbHatch = brush(2, HS_HORIZONTAL);
    CRect r2(0, 0, 16, 16);
    my.ObjDrawRectangle(r2, white, lbHatch, RGB(128, 128, 128), 0);
    EXPECT_EQ(c.at(5, 3), 0x000000u);
    EXPECT_EQ(c.at(5, 5), 0x808080u);
}

TEST(ObjDrawState, LbColorIsNeverDrawn) {
    Canvas a(20, 20), b(20, 20);
    CMyDC myA(&a.dc, 100), myB(&b.dc, 100);
    CRect rect(0, 0, 16, 16);
    LOGPEN lp = pen();
    LOGBRUSH lbA{BS_HATCHED, RGB(255, 0, 0), HS_CROSS}, lbB{BS_HATCHED, RGB(0, 255, 0), HS_CROSS};
    myA.ObjDrawRectangle(rect, lp, lbA, kFill, 0);
    myB.ObjDrawRectangle(rect, lp, lbB, kFill, 0);
    EXPECT_EQ(a.pixels(), b.pixels());
}

TEST(ObjDrawState, APenThatCannotBeMadeThrowsBeforeAnythingIsSelected) {
    Canvas c(30, 30);
    CMyDC my(&c.dc, 100);
    HGDIOBJ pen0 = ::GetCurrentObject(c.dc.m_hDC, OBJ_PEN), brush0 = ::GetCurrentObject(c.dc.m_hDC, OBJ_BRUSH);
    const COLORREF bk0 = ::GetBkColor(c.dc.m_hDC);
    CRect rect(2, 2, 20, 20);
    LOGPEN lp = pen(42);
    LOGBRUSH lb = brush(0);
    EXPECT_MFC_THROW(my.ObjDrawRectangle(rect, lp, lb, kFill, 0), CResourceException);
    EXPECT_EQ(::GetCurrentObject(c.dc.m_hDC, OBJ_PEN), pen0);
    EXPECT_EQ(::GetCurrentObject(c.dc.m_hDC, OBJ_BRUSH), brush0);
    EXPECT_EQ(::GetBkColor(c.dc.m_hDC), bk0);
    EXPECT_TRUE(c.white(10, 10));
}

TEST(ObjDrawState, WithoutADcNothingHappensNotEvenThePen) {
    CRect rect(0, 0, 10, 10);
    CPoint pts[2] = {{0, 0}, {5, 5}};
    LOGBRUSH lb = brush(4, 0);
    CPoint origin(0, 0);
    CMyDC my(100, origin);
    // A pen CreatePen refuses: made, it would throw.
    LOGPEN other = pen(42, 1, RGB(9, 9, 9));
    EXPECT_NO_THROW(my.ObjDrawRectangle(rect, other, lb, RGB(7, 7, 7), 0));
    EXPECT_NO_THROW(my.ObjDrawPolyLine(pts, 2, other, RGB(7, 7, 7), 0));
    EXPECT_NO_THROW(my.ObjDrawPie(rect, pts[0], pts[1], other, lb, RGB(7, 7, 7), 0));
    EXPECT_NO_THROW(my.XorDrawRect(rect, 42));
    EXPECT_NO_THROW(my.XorDrawPolyGon(pts, 2, 42));
}

// ---------------------------------------------------------------------------
// Point lists longer than the shared buffers

std::vector<CPoint> zigzag(int n) {
    std::vector<CPoint> pts(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) pts[static_cast<size_t>(i)] = CPoint(i % 2 ? 10 : 90, 5 + (i * 90) / n);
    return pts;
}

TEST(ObjDrawManyPoints, PolylinesAndPolygonsBeyondEightThousandPointsDrawWhole) {
    for (int n : {8000, 8001, 20000}) {
        SCOPED_TRACE(n);
        std::vector<CPoint> pts = zigzag(n);
        // The last segment runs alone along the bottom, so that it shows
        // whether the whole list was drawn.
        pts[pts.size() - 2] = CPoint(100, 115);
        pts.back() = CPoint(118, 115);
        CRect box(10, 5, 118, 118);
        LOGPEN lp = pen();
        {
            Canvas c(120, 120);
            CMyDC my(&c.dc, 100);
            my.ObjDrawPolyLine(pts.data(), n, lp, kFill, 0);
            EXPECT_EQ(c.at(110, 115), pixelOf(kPen));
        }
        for (UINT style : {0u, 4u}) {
            Canvas c(120, 120);
            CMyDC my(&c.dc, 100);
            LOGBRUSH lb = brush(style, 0);
            my.ObjDrawPolyGon(box, pts.data(), n, lp, lb, kFill, 0);
            EXPECT_EQ(c.at(110, 115), pixelOf(kPen));
        }
        {
            Canvas c(120, 120);
            CMyDC my(&c.dc, 100);
            ::SelectObject(c.dc.m_hDC, ::GetStockObject(NULL_BRUSH));
            my.XorDrawPolyLine(pts.data(), n, PS_SOLID);
            EXPECT_EQ(c.at(110, 115), 0x000000u);
            my.XorDrawPolyGon(pts.data(), n, PS_SOLID);
        }
        std::vector<CMyPoint> myPts(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i) myPts[static_cast<size_t>(i)] = pts[static_cast<size_t>(i)];
        {
            Canvas c(120, 120);
            CMyDC my(&c.dc, 100);
            my.ObjDrawPolyLine(myPts.data(), n, lp, kFill, 0);
            EXPECT_EQ(c.at(110, 115), pixelOf(kPen));
            my.XorDrawPolyLine(myPts.data(), n, PS_SOLID);
            CMyRect myBox(box);
            LOGBRUSH lb = brush(4, 20);
            my.ObjDrawPolyGon(myBox, myPts.data(), n, lp, lb, kFill, 0);
        }
    }
}

}  // namespace
