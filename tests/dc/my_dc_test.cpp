// CMyDC: construction, the document/view/device mapping, pen widths, the
// black/white rule, the DC state it touches, and that without a DC every
// drawing operation does nothing.
#include <hmigfx/my_dc.h>
#include <hmigfx/object3d.h>

#include "../support/test_support.h"

using testsupport::Canvas;

namespace {

TEST(CMyDC, ConstructorsSetTheMappingAndClearTheModes) {
    Canvas c(4, 4);
    CPoint doc(0, 4), view(3, 8), org(5, 6);
    CMyDC a(&c.dc, doc, view, org);
    EXPECT_EQ(a.GetDC(), &c.dc);
    EXPECT_EQ(a.m_dScaleX, 1.0);  // an extent below 1 leaves the axis unscaled
    EXPECT_EQ(a.m_dScaleY, 2.0);
    EXPECT_EQ(a.m_bScale, 1);
    EXPECT_EQ(a.m_bReversePrint, 0);
    EXPECT_EQ(a.m_bTemptDC, 0);
    EXPECT_EQ(a.m_pRegionData, nullptr);
    EXPECT_EQ(a.m_bPreDrawMode, 0);
    EXPECT_EQ(c.dc.GetViewportOrg(), CPoint(-5, -6));

    CMyDC none;
    EXPECT_EQ(none.m_pDC, nullptr);
    EXPECT_EQ(none.m_ptDocExt, CPoint(1, 1));
    EXPECT_EQ(none.m_ptViewExt, CPoint(1, 1));
    EXPECT_EQ(none.m_bScale, 0);
    CPoint o(7, 8);
    CMyDC zoom(&c.dc, 250, o);
    EXPECT_EQ(zoom.m_ptDocExt, CPoint(100, 100));
    EXPECT_EQ(zoom.m_ptViewExt, CPoint(250, 250));
    EXPECT_EQ(zoom.m_dScaleX, 2.5);
    EXPECT_EQ(c.dc.GetViewportOrg(), CPoint(-7, -8));
    EXPECT_EQ(CMyDC(50, o).m_dScaleY, 0.5);
    CMyDC plain(&c.dc, 100);
    EXPECT_EQ(plain.m_bScale, 0);
    EXPECT_EQ(c.dc.GetViewportOrg(), CPoint(0, 0));
    CPoint zeroView(0, 100), docExt(100, 100);
    CMyDC flat(docExt, zeroView, o);  // a zero view extent gives a zero scale
    EXPECT_EQ(flat.m_dScaleX, 0.0);
    EXPECT_EQ(flat.xDocToView(50), 0);
}

TEST(CMyDC, MappingTruncatesTowardZeroScaleFirstThenTheOrigin) {
    CPoint none(0, 0);
    CMyDC z100(nullptr, 100);
    CRect r(-3, 4, 1000000, -7);
    EXPECT_EQ(z100.DocToView(r, 0), r);
    CMyRect m(0, 0, 0, 0);
    m.left = 2.9;
    m.right = -2.9;
    const CRect v = z100.DocToView(m, 0);
    EXPECT_EQ(v.left, 2);
    EXPECT_EQ(v.right, -2);

    CMyDC z150(150, none);
    CRect box(10, 10, 21, 21);
    EXPECT_EQ(z150.DocToView(box, 0), CRect(15, 15, 31, 31));
    CPoint p(-7, 7);
    EXPECT_EQ(z150.DocToView(p, 0), CPoint(-10, 10));
    EXPECT_EQ(z150.xDocToView(21), 31);
    EXPECT_EQ(z150.xViewToDoc(31), 20);  // there and back is not exact
    EXPECT_EQ(z150.yDocToView(-7), -10);
    EXPECT_EQ(z150.yViewToDoc(-10), -6);
    CRect back(15, 15, 31, 31);
    EXPECT_EQ(z150.ViewToDoc(back, 0), CRect(10, 10, 20, 20));

    CPoint org(50, 20);
    CMyDC shifted(100, org);
    CPoint q(60, 25), dev(10, 5);
    EXPECT_EQ(shifted.DocToView(q, 1), CPoint(10, 5));
    EXPECT_EQ(shifted.ViewToDoc(dev, 1), CPoint(60, 25));
    POINT api{60, 25};
    const POINT& out = shifted.DocToView(api, 1);
    EXPECT_EQ(out.x, 10);
    EXPECT_EQ(out.y, 5);
    CMyPoint mp(60, 25);
    mp.x = 60.9;
    EXPECT_EQ(shifted.DocToView(mp, 1), CPoint(10, 5));
    EXPECT_EQ(shifted.xDocToView(60), 60);  // lengths never take the origin
    CRect rect(60, 25, 70, 35);
    shifted.RegionToView(rect);
    EXPECT_EQ(rect, CRect(10, 5, 20, 15));

    CPoint org2(10, 0);
    CMyDC z200(200, org2);
    CPoint s(5, 5), d(0, 10);
    EXPECT_EQ(z200.DocToView(s, 1), CPoint(0, 10));  // scale, then the origin
    EXPECT_EQ(z200.ViewToDoc(d, 1), CPoint(5, 5));   // the origin, then unscale
    // Each axis has its own scale.
    CPoint docExt(100, 100), viewExt(100, 300);
    CMyDC tall(docExt, viewExt, none);
    CPoint t(30, 30);
    EXPECT_EQ(tall.ViewToDoc(t, 0), CPoint(30, 10));
    CRect tr(30, 30, 60, 60);
    EXPECT_EQ(tall.ViewToDoc(tr, 0), CRect(30, 10, 60, 20));
}

TEST(CMyDC, PenWidthsUseTheHorizontalScaleWithoutTruncation) {
    CPoint org(0, 0);
    const POINT w{2, 50};
    EXPECT_EQ(CMyDC(200, org).penDocToView(w), 5.0);
    EXPECT_EQ(CMyDC(100, org).penDocToView(w), 2.5);
    CPoint doc(1, 1), view(1, 3);  // only the vertical axis scales
    EXPECT_EQ(CMyDC(doc, view, org).penDocToView(w), 2.5);
    EXPECT_DOUBLE_EQ(CMyDC(150, org).penDocToView(POINT{0, 33}), 0.495);
}

// The rule, and that drawing follows it: a black outline and a white fill
// swap, every other colour passes.
TEST(CMyDC, TheBlackWhiteRuleSwapsOnlyPureBlackAndWhite) {
    CMyDC dc;
    EXPECT_EQ(dc.GetColorForReverse(0xFFFFFF), 0xFFFFFFu);  // mode off: unchanged
    dc.SetReversePrint(1);
    EXPECT_EQ(dc.GetBlackWhiteMode(), 1);
    EXPECT_EQ(dc.GetColorForReverse(RGB(255, 255, 255)), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetColorForReverse(RGB(0, 0, 0)), RGB(255, 255, 255));
    EXPECT_EQ(dc.GetColorForReverse(0x02000000), 0x02FFFFFFu);  // the top byte stays
    EXPECT_EQ(dc.GetColorForReverse(0x01FFFFFF), 0x01000000u);
    EXPECT_EQ(dc.GetColorForReverse(0xFFFFFE), 0xFFFFFEu);  // one step off white
    EXPECT_EQ(dc.GetColorForReverse(RGB(255, 0, 0)), RGB(255, 0, 0));

    Canvas c(30, 30, RGB(128, 128, 128));
    CMyDC my(&c.dc, 100);
    my.SetReversePrint(1);
    CRect rect(2, 2, 20, 20), hatched(0, 22, 16, 29);
    LOGPEN black{PS_SOLID, {1, 0}, RGB(0, 0, 0)}, white{PS_NULL, {1, 0}, RGB(255, 255, 255)};
    LOGBRUSH solid{BS_SOLID, 0, 0}, hatch{BS_HATCHED, 0, HS_HORIZONTAL};
    my.ObjDrawRectangle(rect, black, solid, RGB(255, 255, 255), 0);
    EXPECT_EQ(c.at(2, 2), 0xFFFFFFu);
    EXPECT_EQ(c.at(10, 10), 0x000000u);
    my.ObjDrawRectangle(hatched, white, hatch, RGB(100, 100, 100), 0);  // a white hatch line drawn black
    EXPECT_EQ(c.at(5, 25), 0x000000u);
    EXPECT_EQ(c.at(5, 24), 0x646464u);
}

TEST(CMyDC, HostFlagsRegionDataAndBackgroundMode) {
    CMyDC flags;
    flags.SetTemptDC(3);
    flags.SetPreDrawMode(1);
    EXPECT_EQ(flags.GetTemptDC(), 3);
    EXPECT_EQ(flags.GetPreDrawMode(), 1);
    CRgn rgn;
    rgn.CreateRectRgn(1, 1, 3, 3);
    flags.SetRegionData(&rgn);  // needs a DC
    EXPECT_EQ(flags.m_pRegionData, nullptr);

    Canvas c(10, 10);
    CPoint org(4, 4);
    CMyDC dc(&c.dc, 100, org);
    dc.SetRegionData(&rgn);
    EXPECT_EQ(dc.m_pRegionData, &rgn);
    CRect box;
    EXPECT_EQ(c.dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, CRect(5, 5, 7, 7));  // device (1,1)-(3,3), logical under the viewport origin
    dc.SetRegionData(nullptr);
    c.dc.GetClipBox(&box);
    EXPECT_EQ(box, CRect(4, 4, 14, 14));
    // bTransparent: exactly 1 is TRANSPARENT.
    struct OpenDC : CMyDC {
        using CMyDC::CMyDC;
        using CMyDC::SelectBkMode;
    } open(&c.dc, 100);
    for (int value : {1, 2, 1, 0}) {
        open.SelectBkMode(value);
        EXPECT_EQ(c.dc.GetBkMode(), value == 1 ? TRANSPARENT : OPAQUE) << value;
    }
}

TEST(CMyDC, ViewportOriginFollowsTheMapping) {
    Canvas c(40, 40);
    CPoint org(10, 5);
    {
        CMyDC dc(&c.dc, 200, org);
        dc.ResetViewportOrg(1, 2);
        EXPECT_EQ(c.dc.GetViewportOrg(), CPoint(-1, -2));
        EXPECT_EQ(dc.m_ptOrg, CPoint(10, 5));
        dc.SetViewportOrg();
        EXPECT_EQ(c.dc.GetViewportOrg(), CPoint(-10, -5));
        // A figure drawn at view coordinates lands at device = view - origin.
        CRect doc(10, 10, 15, 15);
        const CRect v = dc.DocToView(doc, 0);
        c.dc.PatBlt(v.left, v.top, v.Width(), v.Height(), BLACKNESS);
        EXPECT_EQ(c.at(10, 15), 0x000000u);
        EXPECT_EQ(c.at(19, 24), 0x000000u);
        EXPECT_EQ(c.at(20, 15), 0xFFFFFFu);
        CPoint docExt(1, 1), viewExt(3, 3), org2(0, 30);
        dc.ChangeDC(docExt, viewExt, org2);
        EXPECT_EQ(dc.m_dScaleX, 3.0);
        EXPECT_EQ(c.dc.GetViewportOrg(), CPoint(0, -30));
    }
    EXPECT_EQ(c.dc.GetViewportOrg(), CPoint(0, -30));  // the destructor leaves it
}

// A CMyDC without a DC maps coordinates, but every drawing operation returns
// at once (under the sanitizers: touching nothing).
TEST(CMyDC, WithoutADcEveryDrawingOperationDoesNothing) {
    CPoint org(0, 0);
    CMyDC none(100, org);
    CRect rect(0, 0, 10, 10);
    CMyRect myRect(rect);
    CPoint pts[3] = {{0, 0}, {5, 5}, {0, 9}}, a(1, 1), b(8, 8), k(2, 2);
    CMyPoint myPts[3] = {pts[0], pts[1], pts[2]}, ma(a), mb(b), mk(k);
    LOGPEN lp{PS_DASH, {1, 0}, RGB(9, 9, 9)};
    LOGBRUSH lb{4, 0, 0};
    LOGFONTW lf{};
    CString s(L"x");
    Object3D o;
    POINT square[4] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    _ITEM* item = o.CreatePolygonItem(0, square, 4);
    const COLORREF fill = RGB(7, 7, 7);
    none.ObjDrawPolyLine(pts, 3, lp, fill, 0);
    none.ObjDrawPolyLine(myPts, 3, lp, fill, 0);
    none.ObjDrawPolyGon(rect, pts, 3, lp, lb, fill, 0);
    none.ObjDrawPolyGon(myRect, myPts, 3, lp, lb, fill, 0);
    none.ObjDrawRectangle(rect, lp, lb, fill, 0);
    none.ObjDrawRectangle(myRect, lp, lb, fill, 0);
    none.ObjDrawEllipse(rect, lp, lb, fill, 0);
    none.ObjDrawEllipse(myRect, lp, lb, fill, 0);
    none.ObjDrawRoundRect(rect, k, lp, lb, fill, 0);
    none.ObjDrawRoundRect(myRect, mk, lp, lb, fill, 0);
    none.ObjDrawArc(rect, a, b, lp, fill, 0);
    none.ObjDrawArc(myRect, ma, mb, lp, fill, 0);
    none.ObjDrawPie(rect, a, b, lp, lb, fill, 0);
    none.ObjDrawPie(myRect, ma, mb, lp, lb, fill, 0);
    none.ObjDrawChord(rect, a, b, lp, lb, fill, 0);
    none.ObjDrawChord(myRect, ma, mb, lp, lb, fill, 0);
    none.XorDrawLine(a, b, PS_DOT);
    none.XorDrawLine(ma, b, PS_DOT);
    none.XorDrawPolyLine(pts, 3, PS_SOLID);
    none.XorDrawPolyGon(myPts, 3, PS_SOLID);
    none.XorDrawRect(rect, PS_DOT);
    none.XorDrawCircle(myRect, PS_DOT);
    none.XorDrawRound(rect, k, PS_DOT);
    none.XorDrawArc(rect, a, b, PS_DOT);
    none.XorDrawPie(myRect, ma, mb, PS_DOT);
    none.XorDrawChord(rect, a, b, PS_DOT);
    none.ObjDrawText(s, rect, lf, 0, fill, 0, 0, 0);
    none.ObjDrawText(s, myRect, lf, 0, fill, 0, 0, 0);
    none.ObjDrawTextVC(s, rect, lf, 0, fill, 0, 0, 0);
    none.ObjDrawTextVC(s, myRect, lf, 0, fill, 0, 0, 0);
    none.ObjDrawButton(s, 1, 1, rect, lf, 0, fill, 0);
    none.ObjDrawButton(s, 1, 1, myRect, lf, 0, fill, 0);
    none.objDraw3DObject(item, &o);
    none.objDraw3DObjectInRgn(item, &o, nullptr);
    Object3D::ReleaseItem(item);
}

}  // namespace
