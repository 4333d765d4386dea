// The fills painted through a shape's region: CMyBrush::GradientFill and
// CMyBrush::UserPatternFill on their own and through CMyDC's shapes.
#include "../dc/canvas.h"
#include "../imagesdk/fixtures.h"

#include <hmigfx/my_brush.h>
#include <hmigfx/my_dc.h>
#include "brush/pattern_library_p.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace {

using testing_canvas::Canvas;
using testing_canvas::pixelOf;

// An installation whose pattern directory holds a 16 x 16 user picture in
// slot 7, loaded into the module's pattern library for the test's lifetime.
class UserPictures {
public:
    UserPictures() : app_(L"fills-test") {
        const fs::path brush = root_.path() / "Sys" / "Brush";
        fs::create_directories(brush);
        fixtures::writeFile(brush / "Picture.U07", fixtures::encode(".png", fixtures::gradient(16, 16)));
        std::free(const_cast<wchar_t*>(app_.m_pszHelpFilePath));
        app_.m_pszHelpFilePath = wcsdup((root_.path() / "host.HLP").wstring().c_str());
        GetPatternLibrary().Load();
    }
    ~UserPictures() { GetPatternLibrary().Unload(); }

private:
    fixtures::TempDir root_;
    CWinApp app_;
};

TEST(UserPatternFill, StretchesThePictureOnceOverTheRectangle) {
    UserPictures pictures;
    Canvas c(130, 90);
    CRect rect(10, 20, 110, 70);
    CMyBrush::UserPatternFill(c.dc.m_hDC, 7, rect);
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 130; ++x) {
            const bool inside = rect.PtInRect(CPoint(x, y));
            ASSERT_EQ(c.white(x, y), !inside) << x << "," << y;
        }
    // Each picture pixel becomes a block of about 6 x 3 pixels, from the corner.
    EXPECT_EQ(c.at(10, 20), pixelOf(fixtures::gradientColor(0, 0)));
    EXPECT_EQ(c.at(15, 22), pixelOf(fixtures::gradientColor(0, 0)));
    EXPECT_EQ(c.at(109, 20), pixelOf(fixtures::gradientColor(15, 0)));
    EXPECT_EQ(c.at(10, 69), pixelOf(fixtures::gradientColor(0, 15)));
    EXPECT_EQ(c.at(109, 69), pixelOf(fixtures::gradientColor(15, 15)));
    EXPECT_EQ(c.at(60, 45), pixelOf(fixtures::gradientColor(8, 8)));
}

TEST(UserPatternFill, SlotsOutOfRangeOrEmptyPaintNothing) {
    UserPictures pictures;
    Canvas c(40, 40);
    CRect rect(0, 0, 40, 40);
    for (int slot : {-1, 100, 6, 0}) CMyBrush::UserPatternFill(c.dc.m_hDC, slot, rect);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) ASSERT_TRUE(c.white(x, y));
}

TEST(UserPatternFill, RepeatedFillsLeaveTheSlotsPictureAlone) {
    UserPictures pictures;
    HGLOBAL dib = GetPatternLibrary().GetUserPattern(7);
    ASSERT_TRUE(dib);
    const SIZE_T size = ::GlobalSize(dib);
    std::vector<unsigned char> before(size);
    std::memcpy(before.data(), ::GlobalLock(dib), size);
    ::GlobalUnlock(dib);
    Canvas c(50, 50);
    CRect rect(0, 0, 50, 50);
    for (int i = 0; i < 3; ++i) CMyBrush::UserPatternFill(c.dc.m_hDC, 7, rect);
    ASSERT_EQ(GetPatternLibrary().GetUserPattern(7), dib);
    ASSERT_EQ(::GlobalSize(dib), size);
    EXPECT_EQ(std::memcmp(before.data(), ::GlobalLock(dib), size), 0);
    ::GlobalUnlock(dib);
}

TEST(UserPatternFill, ShapesShowThePictureInsideTheirOutlineOnly) {
    UserPictures pictures;
    Canvas c(80, 60);
    CMyDC my(&c.dc, 100);
    CRect rect(5, 5, 70, 50);
    LOGPEN lp{PS_NULL, {1, 0}, 0};
    LOGBRUSH lb{6, 0, 7};
    my.ObjDrawEllipse(rect, lp, lb, RGB(255, 255, 255), 0);
    CRgn ellipse;
    ellipse.CreateEllipticRgn(5, 5, 71, 51);
    int painted = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 80; ++x) {
            ASSERT_EQ(!c.white(x, y), !!ellipse.PtInRegion(x, y)) << x << "," << y;
            painted += !c.white(x, y);
        }
    EXPECT_GT(painted, 2000);
    // Transparent: no picture.
    Canvas t(80, 60);
    CMyDC myT(&t.dc, 100);
    myT.ObjDrawEllipse(rect, lp, lb, RGB(255, 255, 255), 1);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 80; ++x) ASSERT_TRUE(t.white(x, y));
}

// ---------------------------------------------------------------------------
// GradientFill

TEST(GradientFill, VertexColoursAreTheColoursHighBytes) {
    Canvas c(12, 12);
    CRect rect(0, 0, 10, 10);
    CMyBrush::GradientFill(c.dc.m_hDC, 0, rect, RGB(255, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(c.at(0, 0), 0xFF0000u);
    EXPECT_EQ(c.at(9, 0), 0xFF0000u);
    EXPECT_EQ(c.at(5, 5), 0x7F007Fu);  // 0xFF00 / 2 = 0x7F80 in each channel: the high byte
    EXPECT_TRUE(c.white(0, 10));  // the rectangle's bottom row is not painted
    EXPECT_TRUE(c.white(10, 0));
    // Mode 1 swaps the ends, mode 4 turns the direction.
    CMyBrush::GradientFill(c.dc.m_hDC, 1, rect, RGB(255, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(c.at(3, 0), 0x0000FFu);
    CMyBrush::GradientFill(c.dc.m_hDC, 4, rect, RGB(255, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(c.at(0, 7), 0xFF0000u);
}

TEST(GradientFill, MirroredModesPutTheSecondColourAcrossTheMiddle) {
    Canvas c(21, 21);
    CRect rect(0, 0, 21, 21);
    CMyBrush::GradientFill(c.dc.m_hDC, 2, rect, RGB(0, 0, 0), RGB(200, 100, 50));
    EXPECT_EQ(c.at(4, 0), 0x000000u);
    EXPECT_EQ(c.at(4, 10), pixelOf(RGB(200, 100, 50)));  // the middle row (0 + 21) / 2
    EXPECT_EQ(c.at(20, 20), pixelOf(RGB(200 * 1 / 11, 100 * 1 / 11, 50 * 1 / 11)));
    CMyBrush::GradientFill(c.dc.m_hDC, 6, rect, RGB(0, 0, 0), RGB(200, 100, 50));
    EXPECT_EQ(c.at(0, 3), 0x000000u);
    EXPECT_EQ(c.at(10, 3), pixelOf(RGB(200, 100, 50)));
}

TEST(GradientFill, UnknownModesPaintNothing) {
    Canvas c(12, 12);
    CRect rect(0, 0, 12, 12);
    for (int mode : {22, -1, 1000}) CMyBrush::GradientFill(c.dc.m_hDC, mode, rect, 0, 0);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) ASSERT_TRUE(c.white(x, y));
}

TEST(GradientFill, CentreModesPeakAtTheCentre) {
    Canvas c(11, 7);
    CRect rect(0, 0, 11, 7);
    CMyBrush::GradientFill(c.dc.m_hDC, 20, rect, RGB(255, 255, 255), RGB(0, 0, 0));
    // The centre vertex is (5, 3); the colour falls off toward the corners.
    uint32_t centre = c.at(5, 3) & 0xFF;
    EXPECT_GT(centre, c.at(0, 0) & 0xFF);
    EXPECT_GT(centre, c.at(2, 3) & 0xFF);
    EXPECT_GE(centre, c.at(6, 3) & 0xFF);
    EXPECT_EQ(c.at(0, 0), 0x000000u);
}

}  // namespace
