// The display library of the built-in back end: device bitmaps for a device
// context, made from pictures and read back.
#include "fixtures.h"

#include <imagesdk/dispatch.h>

#include <gtest/gtest.h>

using namespace imagesdk;
using fixtures::gradientColor;
using fixtures::pixelAt;

namespace {

struct Picture {
    struct_LEAD_Bitmap b{};
    explicit Picture(const std::filesystem::path& file, int bpp = 0) {
        call<Library::Kernel, 134>(&b, 1, 1, 1);
        std::string s = file.string();
        EXPECT_EQ((call<Library::File, 102>(s.data(), &b, bpp, ORDER_BGR, 3u, nullptr, nullptr, nullptr, nullptr)),
                  IMGSDK_SUCCESS);
    }
    ~Picture() { call<Library::Kernel, 125>(&b); }
};

// Colour of (x, y) of a bitmap, read through a memory device context.
COLORREF bitmapPixel(HBITMAP bm, int x, int y) {
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mem, bm);
    const COLORREF c = GetPixel(mem, x, y);
    SelectObject(mem, old);
    DeleteDC(mem);
    return c;
}

}  // namespace

TEST(DisplayLibrary, DeviceBitmapsShowThePictureForTheContext) {
    fixtures::TempDir dir;
    fixtures::writeFile(dir / "g.bmp", fixtures::gradientBmp(12, 9));
    HDC screen = GetDC(nullptr);

    for (int bpp : {24, 32, 16, 8, 4, 1}) {
        SCOPED_TRACE(bpp);
        Picture pic(dir / "g.bmp", bpp);
        std::vector<COLORREF> expected;
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 12; ++x) expected.push_back(pixelAt(pic.b, x, y));

        // A copy for the context: the picture stays.
        HBITMAP copy = call<Library::Display, 125>(screen, &pic.b);
        ASSERT_NE(copy, nullptr);
        EXPECT_TRUE(pic.b.Flags & BITMAPFLAG_ALLOCATED);
        BITMAP bm{};
        ASSERT_EQ(GetObject(copy, sizeof bm, &bm), static_cast<int>(sizeof bm));
        EXPECT_EQ(bm.bmWidth, 12);
        EXPECT_EQ(bm.bmHeight, 9);
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 12; ++x) {
                COLORREF want = expected[static_cast<size_t>(y * 12 + x)];
                if (bpp == 16) {  // five bits widen to eight by repeating the top bits
                    auto widen = [](int v) { return (v & 0xF8) | (v >> 5); };
                    want = RGB(widen(GetRValue(want)), widen(GetGValue(want)), widen(GetBValue(want)));
                }
                ASSERT_EQ(bitmapPixel(copy, x, y), want) << x << "," << y;
            }

        // Reading it back gives the same colours.
        Picture back(dir / "g.bmp");
        ASSERT_EQ((call<Library::Display, 124>(screen, &back.b, copy, nullptr)), IMGSDK_SUCCESS);
        EXPECT_EQ(back.b.Width, 12);
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 12; ++x) ASSERT_EQ(pixelAt(back.b, x, y), bitmapPixel(copy, x, y));
        EXPECT_EQ((call<Library::Display, 120>(screen, &back.b, copy, nullptr)), IMGSDK_SUCCESS);
        EXPECT_EQ(GetObjectType(copy), static_cast<DWORD>(OBJ_BITMAP));  // still the caller's
        DeleteObject(copy);

        // Handing over leaves the record without a picture.
        HBITMAP handed = call<Library::Display, 121>(screen, &pic.b);
        ASSERT_NE(handed, nullptr);
        EXPECT_FALSE(pic.b.Flags & BITMAPFLAG_ALLOCATED);
        EXPECT_EQ((call<Library::Display, 121>(screen, &pic.b)), nullptr);
        DeleteObject(handed);
    }
    ReleaseDC(nullptr, screen);
}

TEST(DisplayLibrary, BadArgumentsGiveNoBitmap) {
    struct_LEAD_Bitmap b{};
    call<Library::Kernel, 134>(&b, 1, 1, 1);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ((call<Library::Display, 121>(screen, &b)), nullptr);  // no picture
    EXPECT_EQ((call<Library::Display, 125>(screen, nullptr)), nullptr);
    EXPECT_EQ((call<Library::Display, 124>(screen, &b, nullptr, nullptr)), IMGSDK_ERROR_GDI);
    HBRUSH notABitmap = CreateSolidBrush(0);
    EXPECT_EQ((call<Library::Display, 124>(screen, &b, reinterpret_cast<HBITMAP>(notABitmap), nullptr)),
              IMGSDK_ERROR_GDI);
    DeleteObject(notABitmap);
    EXPECT_EQ((call<Library::Display, 120>(screen, nullptr, nullptr, nullptr)), IMGSDK_ERROR_INV_PARAMETER);
    EXPECT_FALSE(b.Flags & BITMAPFLAG_ALLOCATED);
    ReleaseDC(nullptr, screen);
}
