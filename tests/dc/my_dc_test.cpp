// CMyDC: construction, the document/view/device mapping with its shared
// results, pen widths, the black/white rule and the DC state it touches.
#include <hmigfx/my_dc.h>

#include <gtest/gtest.h>

namespace {

// Opens the protected members a drawing operation uses.
class OpenDC : public CMyDC {
public:
    using CMyDC::CMyDC;
    using CMyDC::CheckReverseColor;
    using CMyDC::SelectBkMode;
};

// A 32-bpp memory DC.
struct Canvas {
    CDC dc;
    CBitmap bmp;
    HGDIOBJ old = nullptr;
    Canvas(int w, int h) {
        dc.CreateCompatibleDC(nullptr);
        bmp.CreateBitmap(w, h, 1, 32, nullptr);
        old = dc.SelectObject(&bmp)->m_hObject;
        dc.PatBlt(0, 0, w, h, WHITENESS);
    }
    ~Canvas() { dc.SelectObject(old); }
};

TEST(CMyDC, ConstructorsSetTheMappingAndClearTheModes) {
    Canvas c(4, 4);
    CPoint doc(0, 4), view(3, 8), org(5, 6);
    OpenDC a(&c.dc, doc, view, org);
    EXPECT_EQ(a.m_pDC, &c.dc);
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
    EXPECT_EQ(none.m_ptOrg, CPoint(0, 0));
    EXPECT_EQ(none.m_bScale, 0);

    CPoint o(7, 8);
    CMyDC zoom(&c.dc, 250, o);
    EXPECT_EQ(zoom.m_ptDocExt, CPoint(100, 100));
    EXPECT_EQ(zoom.m_ptViewExt, CPoint(250, 250));
    EXPECT_EQ(zoom.m_dScaleX, 2.5);
    EXPECT_EQ(c.dc.GetViewportOrg(), CPoint(-7, -8));
    CMyDC mapOnly(50, o);
    EXPECT_EQ(mapOnly.m_pDC, nullptr);
    EXPECT_EQ(mapOnly.m_dScaleY, 0.5);
    CMyDC plain(&c.dc, 100);
    EXPECT_EQ(plain.m_bScale, 0);
    EXPECT_EQ(plain.m_ptOrg, CPoint(0, 0));
    EXPECT_EQ(c.dc.GetViewportOrg(), CPoint(0, 0));
}

TEST(CMyDC, AtZoom100NothingIsScaled) {
    CMyDC dc(nullptr, 100);
    EXPECT_EQ(dc.m_bScale, 0);
    CRect r(-3, 4, 1000000, -7);
    EXPECT_EQ(dc.DocToView(r, 0), r);
    CMyRect m(0, 0, 0, 0);
    m.left = 2.9;
    m.right = -2.9;
    CRect v = dc.DocToView(m, 0);
    EXPECT_EQ(v.left, 2);
    EXPECT_EQ(v.right, -2);
}

TEST(CMyDC, ScalingTruncatesTowardZero) {
    CPoint org(0, 0);
    CMyDC dc(150, org);
    CRect r(10, 10, 21, 21);
    EXPECT_EQ(dc.DocToView(r, 0), CRect(15, 15, 31, 31));
    CPoint p(-7, 7);
    EXPECT_EQ(dc.DocToView(p, 0), CPoint(-10, 10));
    EXPECT_EQ(dc.xDocToView(21), 31);
    EXPECT_EQ(dc.xViewToDoc(31), 20);  // there and back is not exact
    EXPECT_EQ(dc.yDocToView(-7), -10);
    EXPECT_EQ(dc.yViewToDoc(-10), -6);
    CRect back(15, 15, 31, 31);
    EXPECT_EQ(dc.ViewToDoc(back, 0), CRect(10, 10, 20, 20));
}

TEST(CMyDC, TheOriginMakesDeviceUnits) {
    CPoint org(50, 20);
    CMyDC dc(100, org);
    CPoint p(60, 25);
    EXPECT_EQ(dc.DocToView(p, 0), CPoint(60, 25));
    EXPECT_EQ(dc.DocToView(p, 1), CPoint(10, 5));
    CPoint dev(10, 5);
    EXPECT_EQ(dc.ViewToDoc(dev, 1), CPoint(60, 25));
    POINT api{60, 25};
    POINT& out = dc.DocToView(api, 1);
    EXPECT_EQ(out.x, 10);
    EXPECT_EQ(out.y, 5);
    CMyPoint mp(60, 25);
    mp.x = 60.9;
    EXPECT_EQ(dc.DocToView(mp, 1), CPoint(10, 5));
    // Lengths never take the origin.
    EXPECT_EQ(dc.xDocToView(60), 60);
    CRect rect(60, 25, 70, 35);
    dc.RegionToView(rect);
    EXPECT_EQ(rect, CRect(10, 5, 20, 15));

    // Scale first, then the origin; back: origin first, then unscale.
    CPoint org2(10, 0);
    CMyDC z(200, org2);
    CPoint q(5, 5);
    EXPECT_EQ(z.DocToView(q, 1), CPoint(0, 10));
    CPoint d(0, 10);
    EXPECT_EQ(z.ViewToDoc(d, 1), CPoint(5, 5));
}

TEST(CMyDC, EachOverloadHasOneSharedResult) {
    CPoint org(0, 0);
    CMyDC a(200, org), b(100, org);
    CRect r1(1, 1, 2, 2), r2(3, 3, 4, 4);
    CRect& first = a.DocToView(r1, 0);
    CPoint p(9, 9);
    CPoint& pr = a.DocToView(p, 0);
    EXPECT_EQ(first, CRect(2, 2, 4, 4));  // another overload leaves it alone
    CRect& second = b.DocToView(r2, 0);   // the same overload on another CMyDC
    EXPECT_EQ(&first, &second);
    EXPECT_EQ(first, CRect(3, 3, 4, 4));
    EXPECT_EQ(pr, CPoint(18, 18));
    CMyRect m(r1);
    EXPECT_NE(&a.DocToView(m, 0), &first);  // the fractional overload has its own
    EXPECT_EQ(first, CRect(3, 3, 4, 4));
    CRect v(2, 2, 4, 4);
    EXPECT_NE(&a.ViewToDoc(v, 0), &first);
    CPoint vp(2, 2);
    EXPECT_NE(&a.ViewToDoc(vp, 0), &pr);
    EXPECT_EQ(pr, CPoint(18, 18));
}

TEST(CMyDC, PenWidthsUseTheHorizontalScaleWithoutTruncation) {
    CPoint org(0, 0);
    CMyDC z200(200, org), z100(100, org);
    const POINT w{2, 50};
    EXPECT_EQ(z200.penDocToView(w), 5.0);
    EXPECT_EQ(z100.penDocToView(w), 2.5);
    CPoint doc(1, 1), view(1, 3);  // only the vertical axis scales
    CMyDC tall(doc, view, org);
    EXPECT_EQ(tall.penDocToView(w), 2.5);
    CMyDC z150(150, org);
    EXPECT_DOUBLE_EQ(z150.penDocToView(POINT{0, 33}), 0.495);
}

TEST(CMyDC, TheBlackWhiteRuleSwapsOnlyPureBlackAndWhite) {
    OpenDC dc;
    EXPECT_EQ(dc.GetColorForReverse(0xFFFFFF), 0xFFFFFFu);  // mode off: unchanged
    dc.SetReversePrint(1);
    EXPECT_EQ(dc.GetBlackWhiteMode(), 1);
    EXPECT_EQ(dc.GetColorForReverse(RGB(255, 255, 255)), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetColorForReverse(RGB(0, 0, 0)), RGB(255, 255, 255));
    EXPECT_EQ(dc.GetColorForReverse(0x02000000), 0x02FFFFFFu);  // the top byte stays
    EXPECT_EQ(dc.GetColorForReverse(0x01FFFFFF), 0x01000000u);
    EXPECT_EQ(dc.GetColorForReverse(0xFFFFFE), 0xFFFFFEu);  // one step off white
    EXPECT_EQ(dc.GetColorForReverse(RGB(255, 0, 0)), RGB(255, 0, 0));

    EXPECT_EQ(dc.CheckReverseColor(RGB(0, 0, 0), RGB(255, 255, 255)),
              std::make_pair(RGB(255, 255, 255), RGB(0, 0, 0)));
    dc.SetReversePrint(0);
    EXPECT_EQ(dc.CheckReverseColor(RGB(0, 0, 0), RGB(1, 2, 3)), std::make_pair(RGB(0, 0, 0), RGB(1, 2, 3)));
}

TEST(CMyDC, HostFlagsAreKept) {
    CMyDC dc;
    dc.SetTemptDC(3);
    dc.SetPreDrawMode(1);
    EXPECT_EQ(dc.GetTemptDC(), 3);
    EXPECT_EQ(dc.GetPreDrawMode(), 1);
}

TEST(CMyDC, RegionDataNeedsADC) {
    CRgn rgn;
    rgn.CreateRectRgn(1, 1, 3, 3);
    CMyDC mapOnly;
    mapOnly.SetRegionData(&rgn);
    EXPECT_EQ(mapOnly.m_pRegionData, nullptr);

    Canvas c(10, 10);
    CPoint org(4, 4);
    CMyDC dc(&c.dc, 100, org);
    dc.SetRegionData(&rgn);
    EXPECT_EQ(dc.m_pRegionData, &rgn);
    CRect box;
    EXPECT_EQ(c.dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, CRect(5, 5, 7, 7));  // device (1,1)-(3,3), in logical units under the viewport origin
    dc.SetRegionData(nullptr);
    EXPECT_EQ(dc.m_pRegionData, nullptr);
    c.dc.GetClipBox(&box);
    EXPECT_EQ(box, CRect(4, 4, 14, 14));  // no clip region
}

TEST(CMyDC, BackgroundModeIsTransparentOnlyForOne) {
    Canvas c(2, 2);
    OpenDC dc(&c.dc, 100);
    dc.SelectBkMode(1);
    EXPECT_EQ(c.dc.GetBkMode(), TRANSPARENT);
    dc.SelectBkMode(2);
    EXPECT_EQ(c.dc.GetBkMode(), OPAQUE);
    dc.SelectBkMode(1);
    dc.SelectBkMode(0);
    EXPECT_EQ(c.dc.GetBkMode(), OPAQUE);
}

TEST(CMyDC, ViewportOriginFollowsTheMapping) {
    Canvas c(40, 40);
    CPoint org(10, 5);
    {
        CMyDC dc(&c.dc, 200, org);
        EXPECT_EQ(c.dc.GetViewportOrg(), CPoint(-10, -5));
        dc.ResetViewportOrg(1, 2);
        EXPECT_EQ(c.dc.GetViewportOrg(), CPoint(-1, -2));
        EXPECT_EQ(dc.m_ptOrg, CPoint(10, 5));
        dc.SetViewportOrg();
        EXPECT_EQ(c.dc.GetViewportOrg(), CPoint(-10, -5));

        // A figure drawn at view coordinates lands at device = view - origin.
        CRect doc(10, 10, 15, 15);
        const CRect v = dc.DocToView(doc, 0);
        EXPECT_EQ(v, CRect(20, 20, 30, 30));
        c.dc.PatBlt(v.left, v.top, v.Width(), v.Height(), BLACKNESS);
        dc.ResetViewportOrg(0, 0);
        EXPECT_EQ(c.dc.GetPixel(10, 15), RGB(0, 0, 0));
        EXPECT_EQ(c.dc.GetPixel(19, 24), RGB(0, 0, 0));
        EXPECT_EQ(c.dc.GetPixel(20, 15), RGB(255, 255, 255));

        CPoint docExt(1, 1), viewExt(3, 3), org2(0, 30);
        dc.ChangeDC(docExt, viewExt, org2);
        EXPECT_EQ(dc.m_dScaleX, 3.0);
        EXPECT_EQ(dc.m_pDC, &c.dc);
        EXPECT_EQ(c.dc.GetViewportOrg(), CPoint(0, -30));
    }
    EXPECT_EQ(c.dc.GetViewportOrg(), CPoint(0, -30));  // the destructor leaves it
}

TEST(CMyDC, AZeroViewExtentGivesAZeroScale) {
    CPoint doc(100, 100), view(0, 100), org(0, 0);
    CMyDC dc(doc, view, org);
    EXPECT_EQ(dc.m_dScaleX, 0.0);
    EXPECT_EQ(dc.m_bScale, 1);
    EXPECT_EQ(dc.xDocToView(50), 0);
}

}  // namespace
