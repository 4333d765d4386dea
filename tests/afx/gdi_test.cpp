// The GDI wrappers and CDC over the software GDI: ownership, temporary
// objects and selection. (The members that only forward a call are used by
// every drawing test of the library.)
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
    // GDI refuses no CreatePen style; a geometric pen cannot alternate.
    LOGBRUSH lb{BS_SOLID, RGB(255, 0, 0), 0};
    EXPECT_MFC_THROW(CPen bad(PS_GEOMETRIC | PS_ALTERNATE, 3, &lb), CResourceException);
    CPen pen;
    EXPECT_FALSE(pen.CreatePen(PS_GEOMETRIC | PS_ALTERNATE, 3, &lb));
    EXPECT_EQ(pen.m_hObject, nullptr);
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

}  // namespace
