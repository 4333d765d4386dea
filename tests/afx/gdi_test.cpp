// The GDI wrappers and CDC over the software GDI: ownership, temporary
// objects, selection and the state and drawing members.
#include "../support/test_support.h"

namespace {

using testsupport::Canvas;

TEST(CGdiObject, OwnsItsHandleUntilDetached) {
    HPEN h;
    {
        CPen pen(PS_SOLID, 1, RGB(1, 2, 3));
        h = pen;
        EXPECT_EQ(CGdiObject::FromHandle(h), &pen);  // the owner, not a temporary
        LOGPEN lp;
        ASSERT_EQ(pen.GetLogPen(&lp), static_cast<int>(sizeof lp));
        EXPECT_EQ(lp.lopnColor, RGB(1, 2, 3));
    }
    EXPECT_EQ(GetObjectType(h), 0u);  // deleted with its owner

    CBrush brush(RGB(9, 9, 9));
    HGDIOBJ hb = brush.Detach();
    EXPECT_EQ(brush.m_hObject, nullptr);
    EXPECT_FALSE(brush.DeleteObject());
    EXPECT_EQ(GetObjectType(hb), static_cast<DWORD>(OBJ_BRUSH));
    CBrush again;
    EXPECT_TRUE(again.Attach(hb));
    EXPECT_FALSE(again.Attach(nullptr));
}

TEST(CGdiObject, TemporariesWrapForeignHandlesWithoutOwningThem) {
    HPEN raw = CreatePen(PS_DASH, 1, RGB(0, 0, 255));
    CGdiObject* t = CGdiObject::FromHandle(raw);
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(t->IsKindOf(RUNTIME_CLASS(CPen)));  // of the handle's kind
    EXPECT_EQ(CPen::FromHandle(raw), t);            // one temporary per handle
    CGdiObject* region = CGdiObject::FromHandle(CreateRectRgn(0, 0, 1, 1));
    EXPECT_TRUE(region->IsKindOf(RUNTIME_CLASS(CRgn)));
    HGDIOBJ rgn = region->m_hObject;
    EXPECT_EQ(CGdiObject::FromHandle(nullptr), nullptr);

    EXPECT_TRUE(AfxUnlockTempMaps());
    EXPECT_FALSE(AfxUnlockTempMaps());  // nothing left
    // The handles outlive their temporaries.
    EXPECT_EQ(GetObjectType(raw), static_cast<DWORD>(OBJ_PEN));
    EXPECT_EQ(GetObjectType(rgn), static_cast<DWORD>(OBJ_REGION));
    DeleteObject(raw);
    DeleteObject(rgn);
}

TEST(CPen, AThrowingConstructorRaisesTheResourceException) {
    EXPECT_MFC_THROW(CPen bad(42, 1, RGB(0, 0, 0)), CResourceException);  // no such style
    CPen pen;
    EXPECT_FALSE(pen.CreatePen(42, 1, RGB(0, 0, 0)));
    EXPECT_EQ(pen.m_hObject, nullptr);
    LOGBRUSH lb{BS_SOLID, RGB(255, 0, 0), 0};
    const DWORD dashes[] = {3, 1};
    EXPECT_TRUE(pen.CreatePen(PS_GEOMETRIC | PS_USERSTYLE, 2, &lb, 2, dashes));
    EXPECT_EQ(pen.GetObjectType(), static_cast<UINT>(OBJ_EXTPEN));
}

TEST(CDC, SelectionReturnsThePreviousObjects) {
    Canvas c(16, 16);
    CPen pen(PS_SOLID, 1, RGB(255, 0, 0));
    CPen* before = c.dc.SelectObject(&pen);
    ASSERT_NE(before, nullptr);
    EXPECT_EQ(before->m_hObject, GetStockObject(BLACK_PEN));
    EXPECT_EQ(c.dc.GetCurrentPen(), &pen);
    EXPECT_EQ(c.dc.SelectObject(before), &pen);

    CGdiObject* oldBrush = c.dc.SelectStockObject(NULL_BRUSH);
    ASSERT_NE(oldBrush, nullptr);
    EXPECT_EQ(oldBrush->m_hObject, GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(c.dc.SelectObject(oldBrush)->m_hObject, GetStockObject(NULL_BRUSH));
    AfxUnlockTempMaps();
}

TEST(CDC, StateChangesReachTheDC) {
    Canvas c(8, 8);
    EXPECT_EQ(c.dc.SetBkColor(RGB(1, 2, 3)), RGB(255, 255, 255));
    EXPECT_EQ(c.dc.GetBkColor(), RGB(1, 2, 3));
    EXPECT_EQ(c.dc.SetBkMode(TRANSPARENT), OPAQUE);
    EXPECT_EQ(c.dc.GetBkMode(), TRANSPARENT);
    EXPECT_EQ(c.dc.SetTextColor(RGB(4, 5, 6)), RGB(0, 0, 0));
    EXPECT_EQ(c.dc.SetROP2(R2_NOTXORPEN), R2_COPYPEN);
    EXPECT_EQ(c.dc.GetROP2(), R2_NOTXORPEN);
    EXPECT_EQ(c.dc.SetViewportOrg(-5, -7), CPoint(0, 0));
    EXPECT_EQ(c.dc.GetViewportOrg(), CPoint(-5, -7));
    EXPECT_EQ(c.dc.SetBrushOrg(3, 4), CPoint(0, 0));
    EXPECT_EQ(c.dc.GetBrushOrg(), CPoint(3, 4));
    c.dc.MoveTo(10, 11);
    EXPECT_EQ(c.dc.GetCurrentPosition(), CPoint(10, 11));
}

TEST(CDC, ClipRegionsAreSelectedAndRemoved) {
    Canvas c(20, 10);
    CRgn rgn;
    ASSERT_TRUE(rgn.CreateRectRgn(2, 2, 6, 5));
    EXPECT_EQ(c.dc.SelectClipRgn(&rgn), SIMPLEREGION);
    CRect box;
    EXPECT_EQ(c.dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, CRect(2, 2, 6, 5));
    CBrush red(RGB(255, 0, 0));
    c.dc.FillRect(CRect(0, 0, 20, 10), &red);
    EXPECT_EQ(c.dc.GetPixel(2, 2), RGB(255, 0, 0));
    EXPECT_EQ(c.dc.GetPixel(6, 2), CLR_INVALID);  // outside the clip region
    EXPECT_EQ(c.dc.SelectClipRgn(nullptr), SIMPLEREGION);  // no clip region: the whole surface
    c.dc.GetClipBox(&box);
    EXPECT_EQ(box, CRect(0, 0, 20, 10));
    EXPECT_EQ(c.dc.GetPixel(6, 2), RGB(255, 255, 255));  // the fill stayed inside the region
    // Selecting a region object clips too, and answers with the region type.
    EXPECT_EQ(c.dc.SelectObject(&rgn), SIMPLEREGION);
}

TEST(CRgn, CombinesAndHitTests) {
    CRgn a, b, both;
    a.CreateRectRgn(0, 0, 10, 10);
    b.CreateRectRgn(5, 5, 15, 15);
    both.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(both.CombineRgn(&a, &b, RGN_AND), SIMPLEREGION);
    CRect box;
    both.GetRgnBox(&box);
    EXPECT_EQ(box, CRect(5, 5, 10, 10));
    EXPECT_EQ(both.CombineRgn(&a, &b, RGN_OR), COMPLEXREGION);
    EXPECT_TRUE(both.PtInRegion(12, 12));
    EXPECT_FALSE(both.PtInRegion(CPoint(12, 2)));
    EXPECT_EQ(both.CopyRgn(&a), SIMPLEREGION);
    EXPECT_TRUE(both.EqualRgn(&a));
    EXPECT_EQ(both.OffsetRgn(1, 1), SIMPLEREGION);
    EXPECT_FALSE(both.EqualRgn(&a));
}

TEST(CDC, DestructionDeletesTheDCUnlessDetached) {
    HDC kept;
    {
        CDC dc;
        ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
        EXPECT_EQ(dc.GetSafeHdc(), dc.m_hAttribDC);
        EXPECT_EQ(CDC::FromHandle(dc.m_hDC), &dc);
        kept = dc.Detach();
        EXPECT_EQ(dc.m_hDC, nullptr);
        EXPECT_EQ(dc.m_hAttribDC, nullptr);
    }
    EXPECT_EQ(GetObjectType(kept), static_cast<DWORD>(OBJ_MEMDC));
    CDC* temp = CDC::FromHandle(kept);
    EXPECT_FALSE(temp->IsPrinting());
    EXPECT_EQ(temp->GetSafeHdc(), kept);
    CDC::DeleteTempMap();
    EXPECT_EQ(GetObjectType(kept), static_cast<DWORD>(OBJ_MEMDC));  // the temporary left it alone
    {
        CDC owner;
        owner.Attach(kept);
    }
    EXPECT_EQ(GetObjectType(kept), 0u);
}

TEST(CClientDC, WithoutAWindowIsTheScreen) {
    CClientDC screen(nullptr);
    EXPECT_NE(screen.GetSafeHdc(), nullptr);
    EXPECT_EQ(screen.GetDeviceCaps(LOGPIXELSX), 96);
    EXPECT_EQ(screen.GetDeviceCaps(BITSPIXEL), 32);
}

TEST(CDC, DrawsThroughTheDC) {
    Canvas c(8, 8);
    c.dc.SetPixel(1, 1, RGB(0, 128, 0));
    EXPECT_EQ(c.dc.GetPixel(1, 1), RGB(0, 128, 0));
    CBrush blue(RGB(0, 0, 255));
    CBrush* old = c.dc.SelectObject(&blue);
    c.dc.PatBlt(4, 4, 2, 2, PATCOPY);
    c.dc.SelectObject(old);
    EXPECT_EQ(c.dc.GetPixel(5, 5), RGB(0, 0, 255));
    EXPECT_EQ(c.dc.GetPixel(6, 6), RGB(255, 255, 255));
    CBrush hatch(HS_CROSS, RGB(255, 0, 0));
    LOGBRUSH lb;
    hatch.GetLogBrush(&lb);
    EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_HATCHED));
    EXPECT_EQ(lb.lbHatch, static_cast<ULONG_PTR>(HS_CROSS));
    AfxUnlockTempMaps();
}

}  // namespace
