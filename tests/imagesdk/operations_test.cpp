// The kernel's and the image-processing library's operations: properties that
// hold at every depth and perspective, and filters on known inputs.
#include "pictures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

using namespace imagesdk;
using namespace pictures;

namespace {

struct Shape {
    int bpp;
    bool topLeft;
};
const Shape kShapes[] = {{1, false}, {4, true}, {8, false}, {16, true}, {24, false}, {24, true}, {32, false}};

}  // namespace

TEST(Operations, GeometryRoundTripsAtEveryDepth) {
    for (const Shape s : kShapes) {
        SCOPED_TRACE(testing::Message() << s.bpp << " bpp, top-left " << s.topLeft);
        Pic p;
        make(p, 13, 7, s.bpp, s.topLeft);
        const std::vector<COLORREF> before = colors(p.b);
        const COLORREF topLeft = at(p.b, 0, 0), bottomLeft = at(p.b, 0, 6);

        ASSERT_EQ((call<Library::Kernel, 124>(&p)), IMGSDK_SUCCESS);
        EXPECT_EQ(at(p.b, 0, 0), bottomLeft);
        call<Library::Kernel, 124>(&p);
        call<Library::Kernel, 144>(&p);
        EXPECT_EQ(at(p.b, 12, 0), topLeft);
        call<Library::Kernel, 144>(&p);
        EXPECT_EQ(colors(p.b), before);

        // A clockwise quarter turn takes the top-left corner to the top-right one.
        ASSERT_EQ((call<Library::Kernel, 145>(&p, 9000L, 1, 0ul)), IMGSDK_SUCCESS);
        EXPECT_EQ(p.b.Width, 7);
        EXPECT_EQ(at(p.b, 6, 0), topLeft);
        for (int i = 0; i < 3; ++i) call<Library::Kernel, 145>(&p, 9000L, 1, 0ul);
        EXPECT_EQ(colors(p.b), before);
        call<Library::Kernel, 145>(&p, -18000L, 0, 0ul);
        call<Library::Kernel, 145>(&p, 18000L, 0, 0ul);
        EXPECT_EQ(colors(p.b), before);
    }
}

TEST(Operations, RotateShearAndSizeMakeTheSizesTheyPromise) {
    SKIP_WITHOUT(Kernel, 150, "Rotation by any angle and shearing");
    Pic p;
    make(p, 40, 20);
    ASSERT_EQ((call<Library::Kernel, 145>(&p, 4500L, 1, 0x00FF00ul)), IMGSDK_SUCCESS);
    EXPECT_EQ(p.b.Width, 43);  // 40 cos 45 + 20 sin 45 = 42.4
    EXPECT_EQ(p.b.Height, 43);
    EXPECT_EQ(at(p.b, 0, 0), RGB(0, 255, 0));  // the corners are filled
    ASSERT_EQ((call<Library::Kernel, 145>(&p, 3000L, 0, 0ul)), IMGSDK_SUCCESS);
    EXPECT_EQ(p.b.Width, 43);

    make(p, 40, 20);
    ASSERT_EQ((call<Library::Kernel, 150>(&p, 4500, 1, 0ul)), IMGSDK_SUCCESS);
    EXPECT_EQ(p.b.Width, 59);
    EXPECT_EQ(p.b.Height, 20);
    ASSERT_EQ((call<Library::Kernel, 151>(&p, 7, 300, static_cast<unsigned long>(SIZE_RESAMPLE))), IMGSDK_SUCCESS);
    EXPECT_EQ(p.b.Width, 7);
    EXPECT_EQ(p.b.Height, 300);
    EXPECT_EQ((call<Library::Kernel, 150>(&p, 4501, 1, 0ul)), IMGSDK_ERROR_INV_PARAMETER);
    EXPECT_EQ((call<Library::Kernel, 151>(&p, 0, 3, 0ul)), IMGSDK_ERROR_INV_PARAMETER);
    EXPECT_EQ((call<Library::Kernel, 145>(&p, 100L, 2, 0ul)), IMGSDK_ERROR_INV_PARAMETER);
}

TEST(Operations, RowsAndPixelsCountFromTheTopAsShown) {
    for (const Shape s : kShapes) {
        SCOPED_TRACE(s.bpp);
        Pic p;
        make(p, 9, 4, s.bpp, s.topLeft);
        const COLORREF c = at(p.b, 8, 3);
        ASSERT_EQ((call<Library::Kernel, 139>(&p, 0, 0, static_cast<unsigned long>(c))), IMGSDK_SUCCESS);
        EXPECT_EQ(at(p.b, 0, 0), c);
        std::vector<unsigned char> row(size_t(p.b.BytesPerLine) + 8, 0xAB);
        EXPECT_EQ((call<Library::Kernel, 129>(&p, row.data(), 3, 1000ul)), long(p.b.BytesPerLine));
        EXPECT_EQ(row[size_t(p.b.BytesPerLine)], 0xAB);  // no more than one row
        ASSERT_EQ((call<Library::Kernel, 137>(&p, row.data(), 0, 1000ul)), long(p.b.BytesPerLine));
        for (int x = 0; x < 9; ++x) EXPECT_EQ(at(p.b, x, 0), at(p.b, x, 3));
        EXPECT_EQ((call<Library::Kernel, 132>(&p, 4, 0)), static_cast<unsigned long>(IMGSDK_ERROR_INV_PARAMETER));
        EXPECT_EQ((call<Library::Kernel, 130>(&p, row.data(), 0, 9, 4ul)), IMGSDK_ERROR_INV_PARAMETER);
    }
}

TEST(Operations, HistogramCountsEveryPixelOnEveryChannel) {
    SKIP_WITHOUT(Image, 113, "The histogram");
    for (const Shape s : kShapes) {
        Pic p;
        make(p, 11, 5, s.bpp, s.topLeft);
        for (unsigned ch = CHANNEL_MASTER; ch <= CHANNEL_BLUE; ++ch) {
            unsigned long h[256];
            ASSERT_EQ((call<Library::Image, 113>(&p, h, ch)), IMGSDK_SUCCESS);
            EXPECT_EQ(std::accumulate(h, h + 256, 0ul), 55ul) << s.bpp << " channel " << ch;
        }
    }
}

TEST(Operations, SeparatedPlanesMergeBackToThePicture) {
    SKIP_WITHOUT(Image, 108, "Colour separation");
    for (unsigned long space : {COLORSEP_RGB, COLORSEP_CMYK, COLORSEP_CMY}) {
        Pic p, planes[4];
        make(p, 12, 6, 24, space == COLORSEP_CMYK);
        const std::vector<COLORREF> before = colors(p.b);
        struct_LEAD_Bitmap* ptrs[4] = {&planes[0].b, &planes[1].b, &planes[2].b, &planes[3].b};
        ASSERT_EQ((call<Library::Image, 108>(&p, ptrs, space)), IMGSDK_SUCCESS);
        EXPECT_EQ(planes[0].b.BitsPerPixel, 8);
        Pic merged;
        ASSERT_EQ((call<Library::Image, 107>(&merged, ptrs, space)), IMGSDK_SUCCESS);
        EXPECT_EQ(colors(merged.b), before) << "space " << space;
    }
}

// Each filter on a small grey picture of known values.
TEST(Operations, FiltersOnKnownInputs) {
    SKIP_WITHOUT(Image, 118, "Image processing");
    auto grey = [](Pic& p, std::initializer_list<int> values, int w) {
        make(p, w, int(values.size()) / w);
        int i = 0;
        for (int v : values) call<Library::Kernel, 139>(&p, i / w, i % w, static_cast<unsigned long>(RGB(v, v, v))), ++i;
        call<Library::Kernel, 133>(&p, 8);
    };
    auto level = [](Pic& p, int x, int y) { return int(GetRValue(at(p.b, x, y))); };
    Pic p;

    grey(p, {10, 10, 10, 10, 250, 10, 10, 10, 10}, 3);  // one speck
    ASSERT_EQ((call<Library::Image, 118>(&p, 3u)), IMGSDK_SUCCESS);
    EXPECT_EQ(level(p, 1, 1), 10);
    EXPECT_EQ((call<Library::Image, 118>(&p, 4u)), IMGSDK_ERROR_INV_PARAMETER);

    grey(p, {0, 0, 0, 0, 90, 0, 0, 0, 0}, 3);
    ASSERT_EQ((call<Library::Image, 101>(&p, 3u)), IMGSDK_SUCCESS);
    EXPECT_EQ(level(p, 1, 1), 10);

    const int32_t cross[9] = {0, 1, 0, 1, 1, 1, 0, 1, 0};
    BINARYFLT dilate{sizeof(BINARYFLT), 1, 3, cross};
    grey(p, {0, 0, 0, 0, 200, 0, 0, 0, 0}, 3);
    ASSERT_EQ((call<Library::Image, 102>(&p, &dilate)), IMGSDK_SUCCESS);
    EXPECT_EQ(level(p, 1, 0), 200);
    EXPECT_EQ(level(p, 0, 0), 0);

    // A kernel that takes the pixel above, halves it and adds 5.
    const int32_t above[9] = {0, 1, 0, 0, 0, 0, 0, 0, 0};
    SPATIALFLT shift{sizeof(SPATIALFLT), 2, 5, 3, above};
    grey(p, {100, 100, 100, 40, 40, 40, 0, 0, 0}, 3);
    ASSERT_EQ((call<Library::Image, 123>(&p, &shift)), IMGSDK_SUCCESS);
    EXPECT_EQ(level(p, 1, 1), 55);
    EXPECT_EQ(level(p, 1, 2), 25);
    shift.Divisor = 0;
    EXPECT_EQ((call<Library::Image, 123>(&p, &shift)), IMGSDK_ERROR_INV_PARAMETER);

    grey(p, {0, 60, 130, 200, 255, 90}, 3);
    ASSERT_EQ((call<Library::Image, 120>(&p, 2u)), IMGSDK_SUCCESS);  // two levels
    for (int i = 0; i < 6; ++i) EXPECT_TRUE(level(p, i % 3, i / 3) == 0 || level(p, i % 3, i / 3) == 255);
    grey(p, {50, 60, 70}, 3);
    ASSERT_EQ((call<Library::Image, 124>(&p)), IMGSDK_SUCCESS);
    EXPECT_EQ(level(p, 0, 0), 0);
    EXPECT_EQ(level(p, 2, 0), 255);
    ASSERT_EQ((call<Library::Image, 117>(&p)), IMGSDK_SUCCESS);
    EXPECT_EQ(level(p, 0, 0), 255);
    ASSERT_EQ((call<Library::Image, 105>(&p, -1000)), IMGSDK_SUCCESS);
    EXPECT_EQ(level(p, 0, 0), 0);
    grey(p, {100, 200, 120}, 3);
    ASSERT_EQ((call<Library::Image, 116>(&p, 110u, 150u)), IMGSDK_SUCCESS);
    EXPECT_EQ(level(p, 0, 0), 0);
    EXPECT_EQ(level(p, 2, 0), 255);
    EXPECT_EQ((call<Library::Image, 103>(&p, 1001)), IMGSDK_ERROR_INV_PARAMETER);
    EXPECT_EQ((call<Library::Image, 112>(&p, 0u)), IMGSDK_ERROR_INV_PARAMETER);

    int lo = 0, hi = 0;
    grey(p, {3, 40, 12}, 3);
    ASSERT_EQ((call<Library::Image, 133>(&p, &lo, &hi)), IMGSDK_SUCCESS);
    EXPECT_EQ(lo, 3);
    EXPECT_EQ(hi, 40);
    ASSERT_EQ((call<Library::Image, 134>(&p, &lo, &hi)), IMGSDK_SUCCESS);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 5);
}

TEST(Operations, ColourOperationsKeepWhatTheyPromise) {
    SKIP_WITHOUT(Image, 104, "Image processing");
    Pic p;
    make(p, 10, 10, 24);
    // Hue and saturation leave grey alone; a full turn of hue changes nothing much.
    call<Library::Kernel, 139>(&p, 0, 0, static_cast<unsigned long>(RGB(128, 128, 128)));
    ASSERT_EQ((call<Library::Image, 104>(&p, 120)), IMGSDK_SUCCESS);
    ASSERT_EQ((call<Library::Image, 106>(&p, 500)), IMGSDK_SUCCESS);
    EXPECT_EQ(at(p.b, 0, 0), RGB(128, 128, 128));
    ASSERT_EQ((call<Library::Image, 106>(&p, -1000)), IMGSDK_SUCCESS);  // no saturation: grey everywhere
    const COLORREF c = at(p.b, 3, 4);
    EXPECT_LE(std::abs(GetRValue(c) - GetBValue(c)), 1);

    // At 8 bits with no more than 256 colours, an optimised table loses nothing.
    make(p, 16, 16, 24);
    const std::vector<COLORREF> before = colors(p.b);
    ASSERT_EQ((call<Library::Kernel, 108>(&p, nullptr, 8, static_cast<unsigned long>(CRF_OPTIMIZEDPALETTE), nullptr,
                                          HPALETTE(nullptr), 0u, LEADFILECALLBACK(nullptr), nullptr)),
              IMGSDK_SUCCESS);
    EXPECT_EQ(p.b.BitsPerPixel, 8);
    EXPECT_EQ(colors(p.b), before);
    ASSERT_EQ((call<Library::Kernel, 133>(&p, 8)), IMGSDK_SUCCESS);
    EXPECT_EQ(p.b.Order, unsigned(ORDER_GRAY));
    EXPECT_EQ((call<Library::Kernel, 133>(&p, 4)), IMGSDK_ERROR_BPP_NOT_SUPPORTED);
}

TEST(Operations, CombineAppliesItsOperationInsideBothPictures) {
    SKIP_WITHOUT(Kernel, 241, "Combining pictures");
    Pic a, b;
    make(a, 8, 8);
    make(b, 8, 8);
    call<Library::Kernel, 123>(&b, 0x00808080ul);
    const std::vector<COLORREF> before = colors(a.b);
    // XOR twice with the same picture restores; the rectangle is clipped to both pictures.
    for (int i = 0; i < 2; ++i)
        ASSERT_EQ((call<Library::Kernel, 241>(&a, 2, 2, 100, 100, &b, 0, 0, static_cast<unsigned long>(CB_OP_XOR))),
                  IMGSDK_SUCCESS);
    EXPECT_EQ(colors(a.b), before);
    ASSERT_EQ((call<Library::Kernel, 241>(&a, 4, 0, 2, 1, &b, 0, 0, static_cast<unsigned long>(CB_OP_ADD | CB_RES_NOT))),
              IMGSDK_SUCCESS);
    const COLORREF c = before[4];
    auto inv = [](int v, int add) { return 255 - std::min(255, v + add); };
    EXPECT_EQ(at(a.b, 4, 0), RGB(inv(GetRValue(c), 128), inv(GetGValue(c), 128), inv(GetBValue(c), 128)));
    EXPECT_EQ(at(a.b, 3, 0), before[3]);
    EXPECT_EQ((call<Library::Kernel, 241>(&a, 0, 0, 1, 1, &b, 0, 0, 99ul)), IMGSDK_ERROR_INV_PARAMETER);
}

TEST(Operations, DeskewFindsTheSkewOfATextPage) {
    SKIP_WITHOUT(Image, 109, "Deskewing");
    for (long skew : {370L, -215L}) {
        // Lines of "words" on a white page, turned by the skew.
        Pic page;
        make(page, 600, 400);
        call<Library::Kernel, 123>(&page, 0xFFFFFFul);
        for (int line = 0; line < 12; ++line)
            for (int x = 40; x < 560; ++x)
                if ((x / 23) % 4 != 3)
                    for (int y = 0; y < 6; ++y) call<Library::Kernel, 139>(&page, 40 + line * 28 + y, x, 0ul);
        ASSERT_EQ((call<Library::Kernel, 145>(&page, skew, 0, 0xFFFFFFul)), IMGSDK_SUCCESS);
        long found = 0;
        ASSERT_EQ((call<Library::Image, 109>(&page, &found)), IMGSDK_SUCCESS);
        EXPECT_NEAR(found, skew, 50);
        long again = 0;
        call<Library::Image, 109>(&page, &again);
        EXPECT_NEAR(again, 0, 50);
    }
}
