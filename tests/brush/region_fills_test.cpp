// User-picture fills: CMyBrush::UserPatternFill on its own and through a
// shape (the golden pictures have no user pictures), and gradient modes that
// do not exist.
#include "../imagesdk/fixtures.h"

#include <hmigfx/my_brush.h>
#include <hmigfx/my_dc.h>
#include "brush/pattern_library_p.h"

#include <cstring>

using testsupport::Canvas;
using testsupport::rgbOf;

namespace {

// A 16 x 16 user picture in slot 7, loaded for the test's lifetime.
struct UserPictures : fixtures::Installation {
    UserPictures() {
        add("Picture.U07", fixtures::gradientBmp(16, 16));
        GetPatternLibrary().Load();
    }
    ~UserPictures() { GetPatternLibrary().Unload(); }
};

TEST(UserPatternFill, StretchesThePictureOnceOverTheRectangle) {
    UserPictures pictures;
    Canvas c(130, 90);
    CRect rect(10, 20, 110, 70);
    CMyBrush::UserPatternFill(c.dc, 7, rect);
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 130; ++x) ASSERT_EQ(c.white(x, y), !rect.PtInRect(CPoint(x, y))) << x << "," << y;
    // Each picture pixel becomes a block of about 6 x 3 pixels, from the corner.
    EXPECT_EQ(c.at(10, 20), rgbOf(fixtures::gradientColor(0, 0)));
    EXPECT_EQ(c.at(15, 22), rgbOf(fixtures::gradientColor(0, 0)));
    EXPECT_EQ(c.at(109, 20), rgbOf(fixtures::gradientColor(15, 0)));
    EXPECT_EQ(c.at(10, 69), rgbOf(fixtures::gradientColor(0, 15)));
    EXPECT_EQ(c.at(109, 69), rgbOf(fixtures::gradientColor(15, 15)));
    EXPECT_EQ(c.at(60, 45), rgbOf(fixtures::gradientColor(8, 8)));
    // Slots out of range or empty paint nothing; gradient modes past 21 neither.
    Canvas none(40, 40);
    CRect all(0, 0, 40, 40);
    for (int slot : {-1, 100, 6, 0}) CMyBrush::UserPatternFill(none.dc, slot, all);
    for (int mode : {22, -1, 1000}) CMyBrush::GradientFill(none.dc, mode, all, 0, 0);
    EXPECT_EQ(none.ink(), 0);
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
    for (int i = 0; i < 3; ++i) CMyBrush::UserPatternFill(c.dc, 7, rect);
    ASSERT_EQ(GetPatternLibrary().GetUserPattern(7), dib);
    ASSERT_EQ(::GlobalSize(dib), size);
    EXPECT_EQ(std::memcmp(before.data(), ::GlobalLock(dib), size), 0);
    ::GlobalUnlock(dib);
}

TEST(UserPatternFill, ShapesShowThePictureInsideTheirOutlineUnlessTransparent) {
    UserPictures pictures;
    CRect rect(5, 5, 70, 50);
    LOGPEN lp{PS_NULL, {1, 0}, 0};
    LOGBRUSH lb{6, 0, 7};
    CRgn ellipse;
    ellipse.CreateEllipticRgn(5, 5, 71, 51);
    for (int transparent : {0, 1}) {
        Canvas c(80, 60);
        CMyDC my(&c.dc, 100);
        my.ObjDrawEllipse(rect, lp, lb, RGB(255, 255, 255), transparent);
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 80; ++x)
                ASSERT_EQ(!c.white(x, y), !transparent && ellipse.PtInRegion(x, y)) << x << "," << y;
        EXPECT_GT(c.ink(), transparent ? -1 : 2000);
    }
}

}  // namespace
