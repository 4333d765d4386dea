// CMyDC's shapes and rubber bands beyond the golden pictures: where region
// fills may paint, pie and chord regions, the DC state a call leaves, pens
// that cannot be made, rubber bands drawn twice, and point lists longer than
// the shared buffers.
#include <hmigfx/my_dc.h>

#include "../support/test_support.h"

#include <functional>
#include <memory>

using testsupport::Canvas;
using testsupport::rgbOf;

namespace {

constexpr COLORREF kPen = RGB(0, 0, 160);
constexpr COLORREF kFill = RGB(250, 200, 0);

LOGPEN pen(UINT style = PS_SOLID, LONG width = 1, COLORREF color = kPen) { return LOGPEN{style, {width, 0}, color}; }
LOGBRUSH brush(UINT style, ULONG_PTR hatch = 0) { return LOGBRUSH{style, RGB(1, 2, 3), hatch}; }

CMyPoint my(double x, double y) {
    CMyPoint p;
    p.x = x;
    p.y = y;
    return p;
}

CMyRect myRect(double l, double t, double r, double b) {
    CMyRect q(0, 0, 0, 0);
    q.left = l, q.top = t, q.right = r, q.bottom = b;
    return q;
}

// ---- region fills ----------------------------------------------------------

TEST(RegionFill, GradientsPaintOnlyInsideTheShapeAndTheHostRegionWhichComesBack) {
    for (int host = 0; host < 2; ++host) {
        SCOPED_TRACE(host ? "with a host region" : "without");
        Canvas c(120, 100);
        CPoint origin(-10, -5);
        CMyDC my(&c.dc, 150, origin);
        CRgn hostRgn, block;  // in device units: the left 60 columns and a block
        hostRgn.CreateRectRgn(0, 0, 60, 100);
        block.CreateRectRgn(60, 70, 120, 100);
        hostRgn.CombineRgn(&hostRgn, &block, RGN_OR);
        if (host) my.SetRegionData(&hostRgn);
        CRect rect(5, 5, 65, 55);  // view (7, 7, 97, 82) + 1; device + (10, 5)
        LOGPEN lp = pen(PS_NULL);
        LOGBRUSH lb = brush(4, 8);
        my.ObjDrawEllipse(rect, lp, lb, kFill, 0);
        CRgn shape;
        shape.CreateEllipticRgn(17, 12, 108, 88);
        for (int y = 0; y < c.height(); ++y)
            for (int x = 0; x < c.width(); ++x)
                ASSERT_EQ(!c.white(x, y), shape.PtInRegion(x, y) && (!host || hostRgn.PtInRegion(x, y))) << x << "," << y;
        EXPECT_GT(c.ink(), 1000);
        CRgn clip;
        clip.CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(::GetClipRgn(c.dc, clip), host);
        if (host) {
            EXPECT_TRUE(clip.EqualRgn(&hostRgn));
        }
    }
}

TEST(RegionFill, UnknownGradientModesAndTransparencyPaintNoGradient) {
    Canvas t(40, 40);
    CMyDC myT(&t.dc, 100);
    CRect rect(5, 5, 30, 30);
    LOGPEN lp = pen(PS_NULL);
    for (int mode : {22, -1}) {
        LOGBRUSH unknown = brush(4, static_cast<ULONG_PTR>(mode));
        myT.ObjDrawRectangle(rect, lp, unknown, kFill, 0);
    }
    LOGBRUSH three = brush(4, 3);
    myT.ObjDrawRectangle(rect, lp, three, kFill, 1);
    myT.ObjDrawRectangle(rect, lp, three, kFill, 2);
    EXPECT_EQ(t.ink(), 0);
}

// A pie's and a chord's region fill lies inside the outline GDI draws for the
// same figure: every pixel the gradient paints (with a null pen) is one that
// Pie/Chord with a pen and a solid brush covers.
TEST(RegionFill, PieAndChordFillsLieInsideTheirOutlines) {
    const struct {
        CRect rect;
        CPoint start, end;
    } figures[] = {
        {{0, 0, 100, 100}, {100, 50}, {50, 0}},   {{0, 0, 100, 100}, {50, 0}, {100, 50}},
        {{0, 0, 100, 100}, {100, 50}, {100, 40}}, {{0, 0, 100, 100}, {100, 40}, {100, 50}},
        {{0, 0, 150, 70}, {140, 5}, {10, 60}},     {{0, 0, 150, 70}, {10, 60}, {140, 5}},
        {{10, 5, 90, 95}, {0, 0}, {90, 90}},       {{10, 5, 90, 95}, {50, 95}, {50, 5}},
        {{0, 0, 61, 41}, {30, 20}, {61, 0}},       {{0, 0, 100, 100}, {80, 0}, {0, 80}},
        {{0, 0, 100, 100}, {0, 80}, {80, 0}},      {{0, 0, 101, 99}, {100, 0}, {100, 99}},
    };
    int paintedAll = 0;
    for (int zoom : {100, 150})
        for (const auto& f : figures)
            for (int chord = 0; chord < 2; ++chord) {
                SCOPED_TRACE(::testing::Message() << "zoom " << zoom << (chord ? " chord from " : " pie from ")
                                                  << f.start.x << "," << f.start.y << " to " << f.end.x << "," << f.end.y);
                Canvas filled(180, 180), outlined(180, 180);
                for (Canvas* c : {&filled, &outlined}) {
                    CRect rect = f.rect;
                    CPoint start = f.start, end = f.end, origin(-7, -9);
                    CMyDC my(&c->dc, zoom, origin);
                    LOGPEN lp = pen(c == &filled ? PS_NULL : PS_SOLID);
                    LOGBRUSH lb = c == &filled ? brush(4, 21) : brush(0);
                    chord ? my.ObjDrawChord(rect, start, end, lp, lb, kFill, 0)
                          : my.ObjDrawPie(rect, start, end, lp, lb, kFill, 0);
                }
                int outside = 0;
                for (int y = 0; y < 180; ++y)
                    for (int x = 0; x < 180; ++x) outside += !filled.white(x, y) && outlined.white(x, y);
                paintedAll += filled.ink();  // a thin chord may have no inside at all
                EXPECT_EQ(outside, 0);
            }
    EXPECT_GT(paintedAll, 100000);
}

// ---- pie and chord regions ----------------------------------------------------

bool in(const std::unique_ptr<CRgn>& r, int x, int y) { return r->PtInRegion(x, y) != FALSE; }

TEST(PieChordRegion, WedgesCapsAndTheirComplements) {
    CRect rect(0, 0, 100, 100);
    CPoint right(100, 50), top(50, 0), level(100, 50), above(100, 40);
    std::unique_ptr<CRgn> quarter(CMyDC::CreatePieRgn(rect, right, top)), rest(CMyDC::CreatePieRgn(rect, top, right));
    EXPECT_TRUE(in(quarter, 75, 25) && !in(quarter, 25, 25) && !in(quarter, 75, 75));
    EXPECT_TRUE(!in(rest, 75, 25) && in(rest, 25, 25) && in(rest, 75, 75));
    CRgn circle, missing;  // together they are the circle, give or take the shared radials
    circle.CreateEllipticRgn(0, 0, 100, 100);
    missing.CreateRectRgn(0, 0, 0, 0);
    missing.CombineRgn(quarter.get(), rest.get(), RGN_OR);
    EXPECT_EQ(missing.CombineRgn(&circle, &missing, RGN_DIFF), NULLREGION);
    // Both radials in one octant: a slice, or all but the slice.
    std::unique_ptr<CRgn> slice(CMyDC::CreatePieRgn(rect, level, above)), most(CMyDC::CreatePieRgn(rect, above, level));
    EXPECT_TRUE(in(slice, 90, 47) && !in(slice, 90, 53) && !in(slice, 25, 25));
    EXPECT_TRUE(!in(most, 90, 47) && in(most, 90, 53) && in(most, 25, 25));
    std::unique_ptr<CRgn> whole(CMyDC::CreatePieRgn(rect, level, level));  // the same radial twice: the whole ellipse
    EXPECT_TRUE(in(whole, 25, 25) && in(whole, 75, 25) && in(whole, 75, 75) && in(whole, 25, 75));
    // A chord is cut by the line between the ellipse points.
    std::unique_ptr<CRgn> cap(CMyDC::CreateChordRgn(rect, right, top)), big(CMyDC::CreateChordRgn(rect, top, right));
    EXPECT_TRUE(in(cap, 80, 20) && in(cap, 70, 10) && !in(cap, 60, 40) && !in(cap, 96, 4));
    EXPECT_TRUE(!in(big, 80, 20) && in(big, 60, 40) && in(big, 20, 80));
    // Edge points beyond the rectangle, and a start at the centre (pointing left).
    CRect wide(0, 0, 200, 100);
    CPoint start(190, 0), end(10, 100), centre(100, 50), down(100, 100);
    std::unique_ptr<CRgn> pie(CMyDC::CreatePieRgn(wide, start, end)), fromCentre(CMyDC::CreatePieRgn(wide, centre, down));
    CRgn ellipse;
    ellipse.CreateEllipticRgn(0, 0, 200, 100);
    EXPECT_EQ(ellipse.CombineRgn(pie.get(), &ellipse, RGN_DIFF), NULLREGION);
    EXPECT_TRUE(in(pie, 100, 20) && !in(pie, 150, 80));
    EXPECT_TRUE(in(fromCentre, 60, 70) && !in(fromCentre, 60, 30) && !in(fromCentre, 140, 70));
}

TEST(PieChordRegion, TheFillIsTheWedgeAndFractionalFormsTruncate) {
    Canvas filled(120, 120);
    CMyDC myDC(&filled.dc, 100);
    CRect rect(0, 0, 100, 100), device(0, 0, 101, 101);
    CPoint start(100, 50), end(50, 0);
    LOGPEN lp = pen(PS_NULL);
    LOGBRUSH lb = brush(4, 0);
    myDC.ObjDrawPie(rect, start, end, lp, lb, kFill, 0);
    std::unique_ptr<CRgn> wedge(CMyDC::CreatePieRgn(device, start, end));
    int inWedge = 0, strays = 0;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 120; ++x) {
            if (!filled.white(x, y)) {
                ASSERT_TRUE(in(wedge, x, y)) << x << "," << y;
            }
            if (in(wedge, x, y)) (filled.white(x, y) ? strays : inWedge)++;
        }
    EXPECT_GT(inWedge, 1900);  // a quarter of the circle
    EXPECT_LT(strays, 60);     // cut back a pixel along each radial at most
    CMyRect mr = myRect(-0.5, 0.9, 100.7, 100.2);
    CMyPoint ms = my(100.9, 50.5), me = my(50.1, -0.9);
    std::unique_ptr<CRgn> a(CMyDC::CreatePieRgn(mr, ms, me)), b(CMyDC::CreatePieRgn(rect, start, end));
    std::unique_ptr<CRgn> c(CMyDC::CreateChordRgn(mr, ms, me)), d(CMyDC::CreateChordRgn(rect, start, end));
    EXPECT_TRUE(a->EqualRgn(b.get()));
    EXPECT_TRUE(c->EqualRgn(d.get()));
}

// ---- the state a call leaves ------------------------------------------------------

TEST(ShapeState, PenAndBrushComeBackAndTheFillSettingsStay) {
    Canvas c(60, 60);
    CPoint origin(5, 5);
    CMyDC my(&c.dc, 200, origin);
    HGDIOBJ pen0 = ::GetCurrentObject(c.dc, OBJ_PEN), brush0 = ::GetCurrentObject(c.dc, OBJ_BRUSH);
    CRect rect(10, 10, 20, 20);
    LOGPEN lp = pen();
    LOGBRUSH lb = brush(2, HS_CROSS);
    my.ObjDrawEllipse(rect, lp, lb, kFill, 1);
    EXPECT_EQ(::GetCurrentObject(c.dc, OBJ_PEN), pen0);
    EXPECT_EQ(::GetCurrentObject(c.dc, OBJ_BRUSH), brush0);
    EXPECT_EQ(::GetBkColor(c.dc), kFill);
    EXPECT_EQ(::GetBkMode(c.dc), TRANSPARENT);
    EXPECT_EQ(::GetTextColor(c.dc), kPen);
    POINT org{};
    ::GetBrushOrgEx(c.dc, &org);
    EXPECT_TRUE(org.x == 15 && org.y == 15);  // device (20 - 5, 20 - 5)
    my.ObjDrawEllipse(rect, lp, lb, kFill, 2);
    EXPECT_EQ(::GetBkMode(c.dc), OPAQUE);
}

TEST(ShapeState, TransparencyLeavesOutFillsButNotHatches) {
    CRect rect(0, 0, 16, 16);
    for (int transparent : {0, 1, 2}) {
        SCOPED_TRACE(transparent);
        Canvas solid(20, 20), hatch(20, 20);
        CMyDC mySolid(&solid.dc, 100), myHatch(&hatch.dc, 100);
        LOGPEN lp = pen(PS_NULL);
        LOGBRUSH lbSolid = brush(0), lbHatch = brush(2, HS_HORIZONTAL);
        mySolid.ObjDrawRectangle(rect, lp, lbSolid, kFill, transparent);
        myHatch.ObjDrawRectangle(rect, lp, lbHatch, kFill, transparent);
        EXPECT_EQ(solid.at(5, 5), transparent ? 0xFFFFFFu : rgbOf(kFill));
        // The hatch line in the pen colour; its gaps take the fill colour unless TRANSPARENT.
        EXPECT_EQ(hatch.at(5, 3), rgbOf(kPen));
        EXPECT_EQ(hatch.at(5, 5), transparent == 1 ? 0xFFFFFFu : rgbOf(kFill));
    }
}

// ---- rubber bands -----------------------------------------------------------------

struct Band {
    const char* name;
    std::function<void(CMyDC&, int)> draw;
};

std::vector<Band> bands() {
    static CPoint poly[] = {{5, 5}, {60, 12}, {30, 50}, {70, 70}, {8, 66}};
    static CMyPoint myPoly[] = {my(5.5, 5.2), my(60.9, 12.1), my(30.3, 50.7), my(70.1, 70.4), my(8.8, 66.6)};
    static CRect r(4, 6, 66, 50);
    static CMyRect mr = myRect(4.5, 6.5, 66.5, 50.5);
    static CPoint k(20, 14), a(66, 10), b(4, 40), c(66, 40), d(10, 6), from(3, 4), to(70, 55);
    static CMyPoint mk = my(20.5, 14.5), ma = my(66, 10), mb = my(4, 40), mc = my(66, 40), md = my(10, 6),
                    mfrom = my(3.7, 4.2);
    return {
        {"Line", [](CMyDC& m, int s) { m.XorDrawLine(from, to, s); }},
        {"LineMy", [](CMyDC& m, int s) { m.XorDrawLine(mfrom, to, s); }},
        {"PolyLine", [](CMyDC& m, int s) { m.XorDrawPolyLine(poly, 5, s); }},
        {"PolyLineMy", [](CMyDC& m, int s) { m.XorDrawPolyLine(myPoly, 5, s); }},
        {"PolyGon", [](CMyDC& m, int s) { m.XorDrawPolyGon(poly, 5, s); }},
        {"PolyGonMy", [](CMyDC& m, int s) { m.XorDrawPolyGon(myPoly, 5, s); }},
        {"Rect", [](CMyDC& m, int s) { m.XorDrawRect(r, s); }},
        {"RectMy", [](CMyDC& m, int s) { m.XorDrawRect(mr, s); }},
        {"Circle", [](CMyDC& m, int s) { m.XorDrawCircle(r, s); }},
        {"CircleMy", [](CMyDC& m, int s) { m.XorDrawCircle(mr, s); }},
        {"Round", [](CMyDC& m, int s) { m.XorDrawRound(r, k, s); }},
        {"RoundMy", [](CMyDC& m, int s) { m.XorDrawRound(mr, mk, s); }},
        {"Arc", [](CMyDC& m, int s) { m.XorDrawArc(r, a, b, s); }},
        {"ArcMy", [](CMyDC& m, int s) { m.XorDrawArc(mr, ma, mb, s); }},
        {"Pie", [](CMyDC& m, int s) { m.XorDrawPie(r, c, d, s); }},
        {"PieMy", [](CMyDC& m, int s) { m.XorDrawPie(mr, mc, md, s); }},
        {"Chord", [](CMyDC& m, int s) { m.XorDrawChord(r, d, c, s); }},
        {"ChordMy", [](CMyDC& m, int s) { m.XorDrawChord(mr, md, mc, s); }},
    };
}

// Drawing a rubber band twice leaves every pixel as it was, over a background
// where neighbouring pixels differ, with and without a brush selected; the DC
// gets its pen, brush and raster operation back.
TEST(RubberBand, TwiceLeavesEveryPixelAsItWasAndTheDcAsItWas) {
    for (const Band& band : bands())
        for (int style : {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT})
            for (int withBrush = 0; withBrush < 2; ++withBrush) {
                SCOPED_TRACE(::testing::Message() << band.name << " style " << style << " brush " << withBrush);
                Canvas c(120, 120);
                for (int y = 0; y < 120; ++y)
                    for (int x = 0; x < 120; ++x)
                        c.bits()[y * 120 + x] = uint32_t((x * 37 + y * 11) & 0xFF) << 16 |
                                                uint32_t((x * 5 + y * 53) & 0xFF) << 8 | uint32_t((x * y) & 0xFF);
                CBrush solid(RGB(40, 200, 90));
                CPen red(PS_SOLID, 1, RGB(255, 0, 0));
                HGDIOBJ oldBrush = ::SelectObject(c.dc, withBrush ? solid.m_hObject : ::GetStockObject(NULL_BRUSH));
                HGDIOBJ oldPen = ::SelectObject(c.dc, red.m_hObject);
                c.dc.SetROP2(R2_MASKPEN);
                const HGDIOBJ brush0 = ::GetCurrentObject(c.dc, OBJ_BRUSH);
                const std::vector<uint32_t> before = c.pixels();
                CPoint origin(-6, -3);
                CMyDC myDC(&c.dc, 150, origin);
                band.draw(myDC, style);
                EXPECT_NE(c.pixels(), before);
                band.draw(myDC, style);
                EXPECT_EQ(c.pixels(), before);
                EXPECT_EQ(::GetCurrentObject(c.dc, OBJ_PEN), red.m_hObject);
                EXPECT_EQ(::GetCurrentObject(c.dc, OBJ_BRUSH), brush0);
                EXPECT_EQ(::GetROP2(c.dc), R2_MASKPEN);
                ::SelectObject(c.dc, oldBrush);
                ::SelectObject(c.dc, oldPen);
            }
}

// ---- point lists longer than the shared buffers -------------------------------------

TEST(ManyPoints, PolylinesAndPolygonsBeyondEightThousandPointsDrawWhole) {
    for (int n : {8000, 8001, 20000}) {
        SCOPED_TRACE(n);
        std::vector<CPoint> pts(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i) pts[size_t(i)] = CPoint(i % 2 ? 10 : 90, 5 + (i * 90) / n);
        // The last segment runs alone along the bottom: it shows whether the whole list was drawn.
        pts[pts.size() - 2] = CPoint(100, 115);
        pts.back() = CPoint(118, 115);
        std::vector<CMyPoint> myPts(pts.begin(), pts.end());
        CRect box(10, 5, 118, 118);
        CMyRect myBox(box);
        LOGPEN lp = pen();
        LOGBRUSH solid = brush(0), gradient = brush(4, 20);
        const std::function<void(CMyDC&)> calls[] = {
            [&](CMyDC& m) { m.ObjDrawPolyLine(pts.data(), n, lp, kFill, 0); },
            [&](CMyDC& m) { m.ObjDrawPolyLine(myPts.data(), n, lp, kFill, 0); },
            [&](CMyDC& m) { m.ObjDrawPolyGon(box, pts.data(), n, lp, solid, kFill, 0); },
            [&](CMyDC& m) { m.ObjDrawPolyGon(box, pts.data(), n, lp, gradient, kFill, 0); },
            [&](CMyDC& m) { m.ObjDrawPolyGon(myBox, myPts.data(), n, lp, gradient, kFill, 0); },
            [&](CMyDC& m) { m.XorDrawPolyLine(pts.data(), n, PS_SOLID); },
            [&](CMyDC& m) { m.XorDrawPolyLine(myPts.data(), n, PS_SOLID); },
            [&](CMyDC& m) { m.XorDrawPolyGon(pts.data(), n, PS_SOLID); },
        };
        for (const auto& call : calls) {
            Canvas c(120, 120);
            ::SelectObject(c.dc, ::GetStockObject(NULL_BRUSH));
            CMyDC myDC(&c.dc, 100);
            call(myDC);
            EXPECT_NE(c.at(110, 115), 0xFFFFFFu);
        }
    }
}

}  // namespace
