// Handles, selection, deletion and GetObject as a Win32 caller sees them.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(Handles, StaleAndForgedHandlesAreRefused) {
    HBRUSH b = CreateSolidBrush(RGB(1, 2, 3));
    ASSERT_NE(b, nullptr);
    EXPECT_TRUE(DeleteObject(b));
    EXPECT_FALSE(DeleteObject(b));  // already gone
    LOGBRUSH lb;
    EXPECT_EQ(GetObjectW(b, sizeof lb, &lb), 0);
    EXPECT_EQ(GetObjectType(b), 0u);
    EXPECT_FALSE(DeleteObject(reinterpret_cast<HGDIOBJ>(uintptr_t(0x12345678))));
    EXPECT_EQ(SelectObject(reinterpret_cast<HDC>(uintptr_t(0x999)), GetStockObject(BLACK_PEN)), nullptr);
    // A new object reusing the slot gets a different handle.
    HBRUSH c = CreateSolidBrush(0);
    EXPECT_NE(c, b);
    EXPECT_EQ(GetObjectType(c), static_cast<DWORD>(OBJ_BRUSH));
    DeleteObject(c);
}

TEST(Handles, WrongKindIsRefused) {
    HDC dc = CreateCompatibleDC(nullptr);
    HRGN rgn = CreateRectRgn(0, 0, 1, 1);
    EXPECT_EQ(CombineRgn(reinterpret_cast<HRGN>(dc), rgn, rgn, RGN_OR), ERROR);
    EXPECT_EQ(SetBkColor(reinterpret_cast<HDC>(rgn), 0), CLR_INVALID);
    DeleteObject(rgn);
    DeleteDC(dc);
}

TEST(Selection, DeletingASelectedObjectWaitsForItsRelease) {
    HDC dc = CreateCompatibleDC(nullptr);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    HGDIOBJ old = SelectObject(dc, pen);
    EXPECT_EQ(old, GetStockObject(BLACK_PEN));
    EXPECT_TRUE(DeleteObject(pen));
    // Still usable while selected.
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    LOGPEN lp;
    EXPECT_EQ(GetObjectW(pen, sizeof lp, &lp), static_cast<int>(sizeof lp));
    SelectObject(dc, old);
    EXPECT_EQ(GetObjectType(pen), 0u);  // freed on release
    DeleteDC(dc);
}

TEST(Selection, StockObjectsSurviveDeletion) {
    HGDIOBJ white = GetStockObject(WHITE_BRUSH);
    EXPECT_TRUE(DeleteObject(white));
    LOGBRUSH lb;
    ASSERT_EQ(GetObjectW(white, sizeof lb, &lb), static_cast<int>(sizeof lb));
    EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(lb.lbColor, RGB(255, 255, 255));
}

TEST(Selection, ABitmapLivesInOneDCAtATime) {
    HDC a = CreateCompatibleDC(nullptr);
    HDC b = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateBitmap(4, 4, 1, 32, nullptr);
    ASSERT_NE(SelectObject(a, bmp), nullptr);
    EXPECT_EQ(SelectObject(b, bmp), nullptr);
    DeleteDC(a);  // releases the bitmap
    EXPECT_NE(SelectObject(b, bmp), nullptr);
    DeleteDC(b);
    EXPECT_TRUE(DeleteObject(bmp));
}

TEST(GetObject, ReportsWhatWasCreated) {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 5, 3, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(dib, nullptr);
    DIBSECTION ds{};
    ASSERT_EQ(GetObjectW(dib, sizeof ds, &ds), static_cast<int>(sizeof ds));
    EXPECT_EQ(ds.dsBm.bmWidth, 5);
    EXPECT_EQ(ds.dsBm.bmWidthBytes, 16);  // DWORD-aligned rows
    EXPECT_EQ(ds.dsBm.bmBits, bits);
    EXPECT_EQ(ds.dsBmih.biBitCount, 24);
    DeleteObject(dib);
}

TEST(DCState, SaveAndRestoreBringBackStateAndObjects) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    SetBkColor(dc, RGB(1, 2, 3));
    const int level = SaveDC(dc);
    EXPECT_EQ(level, 1);
    SelectObject(dc, red);
    SetBkColor(dc, RGB(9, 9, 9));
    SetROP2(dc, R2_XORPEN);
    SetViewportOrgEx(dc, 5, 6, nullptr);
    EXPECT_EQ(SaveDC(dc), 2);
    EXPECT_TRUE(RestoreDC(dc, -2));
    EXPECT_EQ(GetBkColor(dc), RGB(1, 2, 3));
    EXPECT_EQ(GetROP2(dc), R2_COPYPEN);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    POINT org;
    GetViewportOrgEx(dc, &org);
    EXPECT_EQ(org.x, 0);
    EXPECT_FALSE(RestoreDC(dc, 1));  // nothing saved any more
    EXPECT_TRUE(DeleteObject(red));
    EXPECT_EQ(GetObjectType(red), 0u);
    DeleteDC(dc);
}

TEST(DCState, SettersRefuseValuesOutsideTheirRange) {
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SetROP2(dc, 0), 0);
    EXPECT_EQ(SetROP2(dc, 17), 0);
    EXPECT_EQ(SetBkMode(dc, 3), 0);
    EXPECT_EQ(SetPolyFillMode(dc, 0), 0);
    EXPECT_EQ(SetMapMode(dc, MM_LOMETRIC), 0);  // only MM_TEXT is offered
    EXPECT_EQ(GetMapMode(dc), MM_TEXT);
    EXPECT_EQ(SetROP2(dc, R2_NOT), R2_COPYPEN);
    EXPECT_EQ(GetROP2(dc), R2_NOT);
    DeleteDC(dc);
}

TEST(ScreenDC, IsA96DpiTrueColourDisplay) {
    HDC screen = GetDC(nullptr);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSX), 96);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 96);
    EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 32);
    EXPECT_EQ(GetDeviceCaps(screen, TECHNOLOGY), DT_RASDISPLAY);
    EXPECT_GT(GetDeviceCaps(screen, HORZRES), 0);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 10, 10);
    BITMAP bm;
    GetObjectW(bmp, sizeof bm, &bm);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    DeleteObject(bmp);
    EXPECT_EQ(ReleaseDC(nullptr, screen), 1);

    // A fresh memory DC holds a monochrome bitmap, and so do its compatible bitmaps.
    HDC mem = CreateCompatibleDC(nullptr);
    HBITMAP mono = CreateCompatibleBitmap(mem, 10, 10);
    GetObjectW(mono, sizeof bm, &bm);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    DeleteObject(mono);
    DeleteDC(mem);
}

}  // namespace
