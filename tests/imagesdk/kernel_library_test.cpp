// The kernel library of the built-in back end: records, and pictures moving
// in and out of DIBs.
#include "fixtures.h"

#include <imagesdk/dispatch.h>
#include <imagesdk/limits.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

using namespace imagesdk;
using fixtures::pixelAt;

namespace {

int init(struct_LEAD_Bitmap& b, int w = 1, int h = 1, int bpp = 1) { return call<Library::Kernel, 134>(&b, w, h, bpp); }
void freeBitmap(struct_LEAD_Bitmap& b) { call<Library::Kernel, 125>(&b); }

// A packed DIB in movable global memory.
HGLOBAL packedDib(int w, int h, int bpp, const std::vector<RGBQUAD>& table, const std::vector<unsigned char>& rows,
                  uint32_t compression = BI_RGB, const std::vector<DWORD>& masks = {}) {
    const size_t size = sizeof(BITMAPINFOHEADER) + masks.size() * 4 + table.size() * 4 + rows.size();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    auto* p = static_cast<unsigned char*>(GlobalLock(block));
    BITMAPINFOHEADER h0{};
    h0.biSize = sizeof h0;
    h0.biWidth = w;
    h0.biHeight = h;
    h0.biPlanes = 1;
    h0.biBitCount = static_cast<WORD>(bpp);
    h0.biCompression = compression;
    h0.biClrUsed = static_cast<DWORD>(table.size());
    std::memcpy(p, &h0, sizeof h0);
    p += sizeof h0;
    for (DWORD m : masks) {
        std::memcpy(p, &m, 4);
        p += 4;
    }
    for (const RGBQUAD& q : table) {
        std::memcpy(p, &q, 4);
        p += 4;
    }
    std::copy(rows.begin(), rows.end(), p);
    GlobalUnlock(block);
    return block;
}

const BITMAPINFOHEADER& headerOf(const void* dib) { return *static_cast<const BITMAPINFOHEADER*>(dib); }

}  // namespace

TEST(KernelLibrary, InitDescribesTheRecordAndRefusesToDropAPicture) {
    struct_LEAD_Bitmap b{};
    ASSERT_EQ(init(b, 1, 1, 1), IMGSDK_SUCCESS);
    EXPECT_EQ(b.uStructSize, sizeof(struct_LEAD_Bitmap));
    EXPECT_EQ(b.Width, 1);
    EXPECT_EQ(b.BitsPerPixel, 1);
    EXPECT_EQ(b.BytesPerLine, 4);
    EXPECT_EQ(b.Flags & BITMAPFLAG_ALLOCATED, 0u);
    EXPECT_EQ(b.pBits, nullptr);
    ASSERT_EQ(init(b, 33, 2, 24), IMGSDK_SUCCESS);
    EXPECT_EQ(b.BytesPerLine, 100);

    EXPECT_EQ(init(b, 1, 1, 3), IMGSDK_ERROR_BPP_NOT_SUPPORTED);
    EXPECT_EQ(init(b, -1, 1, 8), IMGSDK_ERROR_INV_PARAMETER);
    EXPECT_EQ((call<Library::Kernel, 134>(nullptr, 1, 1, 1)), IMGSDK_ERROR_INV_PARAMETER);

    HGLOBAL dib = packedDib(2, 1, 24, {}, {1, 2, 3, 4, 5, 6, 0, 0});
    ASSERT_EQ((call<Library::Kernel, 104>(&b, dib)), IMGSDK_SUCCESS);
    EXPECT_EQ(init(b), IMGSDK_ERROR_BITMAP_ALLOCATED);
    EXPECT_EQ(pixelAt(b, 1, 0), RGB(6, 5, 4));
    freeBitmap(b);
    EXPECT_EQ(b.Flags & BITMAPFLAG_ALLOCATED, 0u);
    EXPECT_EQ(b.pBits, nullptr);
    freeBitmap(b);  // freeing twice is harmless
    call<Library::Kernel, 125>(nullptr);
    EXPECT_EQ(init(b), IMGSDK_SUCCESS);
    GlobalFree(dib);
}

TEST(KernelLibrary, PackedDibsOfEveryDepthRoundTrip) {
    // One row of four pixels per depth, with the colours each depth can hold.
    struct Case {
        int bpp;
        std::vector<RGBQUAD> table;
        std::vector<unsigned char> row;
        std::vector<COLORREF> colors;
    };
    const std::vector<Case> cases = {
        {1, {{0, 0, 0, 0}, {255, 255, 255, 0}}, {0x50, 0, 0, 0}, {0, RGB(255, 255, 255), 0, RGB(255, 255, 255)}},
        {4, {{0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}}, {0x01, 0x22, 0, 0},
         {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(0, 0, 255)}},
        {8, {{10, 20, 30, 0}, {40, 50, 60, 0}}, {1, 0, 1, 1}, {RGB(60, 50, 40), RGB(30, 20, 10), RGB(60, 50, 40), RGB(60, 50, 40)}},
        {16, {}, {0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0xFF, 0x7F},
         {RGB(248, 0, 0), RGB(0, 248, 0), RGB(0, 0, 248), RGB(248, 248, 248)}},
        {24, {}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, {RGB(3, 2, 1), RGB(6, 5, 4), RGB(9, 8, 7), RGB(12, 11, 10)}},
        {32, {}, {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 10, 11, 12, 0},
         {RGB(3, 2, 1), RGB(6, 5, 4), RGB(9, 8, 7), RGB(12, 11, 10)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bpp);
        // Two rows: the bottom one (stored first) is zeros.
        std::vector<unsigned char> rows(c.row.size() + (4 - c.row.size() % 4) % 4, 0);
        std::vector<unsigned char> both(rows.size(), 0);
        std::memcpy(rows.data(), c.row.data(), c.row.size());
        both.insert(both.end(), rows.begin(), rows.end());
        HGLOBAL dib = packedDib(4, 2, c.bpp, c.table, both);

        struct_LEAD_Bitmap b{};
        init(b);
        ASSERT_EQ((call<Library::Kernel, 104>(&b, dib)), IMGSDK_SUCCESS);
        EXPECT_EQ(b.BitsPerPixel, c.bpp);
        EXPECT_EQ(b.Width, 4);
        EXPECT_EQ(b.Height, 2);
        for (int x = 0; x < 4; ++x) EXPECT_EQ(pixelAt(b, x, 0), c.colors[x]) << x;

        // A copy leaves the picture; handing it over empties the record.
        void* copy = call<Library::Kernel, 111>(&b);
        ASSERT_NE(copy, nullptr);
        EXPECT_TRUE(b.Flags & BITMAPFLAG_ALLOCATED);
        void* handed = call<Library::Kernel, 106>(&b);
        ASSERT_NE(handed, nullptr);
        EXPECT_FALSE(b.Flags & BITMAPFLAG_ALLOCATED);
        EXPECT_EQ((call<Library::Kernel, 106>(&b)), nullptr);

        for (void* out : {copy, handed}) {
            const auto* p = static_cast<const unsigned char*>(GlobalLock(out));
            ASSERT_NE(p, nullptr);
            const BITMAPINFOHEADER& h = headerOf(p);
            EXPECT_EQ(h.biWidth, 4);
            EXPECT_EQ(h.biHeight, 2);  // bottom-up
            EXPECT_EQ(h.biBitCount, c.bpp);
            EXPECT_EQ(h.biCompression, static_cast<DWORD>(BI_RGB));
            // Read it back through the DIB reader.
            struct_LEAD_Bitmap again{};
            init(again);
            ASSERT_EQ((call<Library::Kernel, 110>(&again, const_cast<BITMAPINFO*>(reinterpret_cast<const BITMAPINFO*>(p)),
                                                  nullptr)),
                      IMGSDK_SUCCESS);
            for (int x = 0; x < 4; ++x) EXPECT_EQ(pixelAt(again, x, 0), c.colors[x]) << x;
            freeBitmap(again);
            GlobalUnlock(out);
            GlobalFree(out);
        }
        // The caller's DIB is untouched and still its own.
        EXPECT_EQ(GlobalSize(dib), sizeof(BITMAPINFOHEADER) + c.table.size() * 4 + both.size());
        GlobalFree(dib);
    }
}

TEST(KernelLibrary, DibReadersHandleTopDownCoreAndMaskedLayouts) {
    struct_LEAD_Bitmap b{};
    init(b);

    // Top-down: the first stored row is the top one.
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 1, -2, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    unsigned char bits[8] = {1, 2, 3, 0, 4, 5, 6, 0};
    ASSERT_EQ((call<Library::Kernel, 110>(&b, &info, bits)), IMGSDK_SUCCESS);
    EXPECT_EQ(pixelAt(b, 0, 0), RGB(3, 2, 1));
    EXPECT_EQ(pixelAt(b, 0, 1), RGB(6, 5, 4));
    void* dib = call<Library::Kernel, 106>(&b);
    ASSERT_NE(dib, nullptr);
    const auto* p = static_cast<const unsigned char*>(GlobalLock(dib));
    EXPECT_EQ(headerOf(p).biHeight, 2);
    EXPECT_EQ(p[sizeof(BITMAPINFOHEADER)], 4);  // the bottom row comes first now
    GlobalUnlock(dib);
    GlobalFree(dib);

    // An OS/2 core header with a table of triples.
    unsigned char core[12 + 6 + 4] = {12, 0, 0, 0, 2, 0, 1, 0, 1, 0, 1, 0, 0, 0, 255, 0, 255, 0, 0x40, 0, 0, 0};
    ASSERT_EQ((call<Library::Kernel, 110>(&b, reinterpret_cast<BITMAPINFO*>(core), nullptr)), IMGSDK_SUCCESS);
    EXPECT_EQ(pixelAt(b, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(pixelAt(b, 1, 0), RGB(0, 255, 0));

    // 5-6-5 masks become 24 bits.
    HGLOBAL masked = packedDib(2, 1, 16, {}, {0x00, 0xF8, 0xE0, 0x07}, BI_BITFIELDS, {0xF800, 0x07E0, 0x001F});
    ASSERT_EQ((call<Library::Kernel, 104>(&b, masked)), IMGSDK_SUCCESS);
    EXPECT_EQ(b.BitsPerPixel, 24);
    EXPECT_EQ(pixelAt(b, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(pixelAt(b, 1, 0), RGB(0, 255, 0));
    GlobalFree(masked);
    freeBitmap(b);
}

TEST(KernelLibrary, BadDibsAreRefusedAndLeaveThePicture) {
    struct_LEAD_Bitmap b{};
    init(b);
    HGLOBAL good = packedDib(1, 1, 24, {}, {9, 8, 7, 0});
    ASSERT_EQ((call<Library::Kernel, 104>(&b, good)), IMGSDK_SUCCESS);

    auto refuse = [&](HGLOBAL dib, int want) {
        EXPECT_EQ((call<Library::Kernel, 104>(&b, dib)), want);
        EXPECT_EQ(pixelAt(b, 0, 0), RGB(7, 8, 9));
        GlobalFree(dib);
    };
    refuse(packedDib(1, 1, 3, {}, {0, 0, 0, 0}), IMGSDK_ERROR_BPP_NOT_SUPPORTED);
    refuse(packedDib(1, 1, 8, {}, {0, 0, 0, 0}, BI_RLE8), IMGSDK_ERROR_INV_DIB);
    refuse(packedDib(0, 1, 24, {}, {0, 0, 0, 0}), IMGSDK_ERROR_INV_DIB);
    refuse(packedDib(100, 100, 24, {}, {0, 0, 0, 0}), IMGSDK_ERROR_INV_DIB);  // rows missing
    refuse(packedDib(100000, 100000, 24, {}, {0, 0, 0, 0}), IMGSDK_ERROR_IMAGE_TOO_LARGE);
    refuse(packedDib(20000, 20000, 32, {}, {0, 0, 0, 0}), IMGSDK_ERROR_IMAGE_TOO_LARGE);

    HGLOBAL tiny = GlobalAlloc(GMEM_MOVEABLE, 2);
    refuse(tiny, IMGSDK_ERROR_INV_DIB);
    EXPECT_EQ((call<Library::Kernel, 104>(&b, nullptr)), IMGSDK_ERROR_INV_PARAMETER);
    int notAHandle = 0;
    EXPECT_EQ((call<Library::Kernel, 104>(&b, &notAHandle)), IMGSDK_ERROR_INV_PARAMETER);
    EXPECT_EQ((call<Library::Kernel, 110>(&b, nullptr, nullptr)), IMGSDK_ERROR_INV_PARAMETER);
    EXPECT_EQ((call<Library::Kernel, 111>(nullptr)), nullptr);

    freeBitmap(b);
    GlobalFree(good);
    // No picture, no DIB.
    EXPECT_EQ((call<Library::Kernel, 111>(&b)), nullptr);
}

TEST(KernelLibrary, RgbPicturesBecomeBgrDibs) {
    fixtures::TempDir dir;
    fixtures::writeFile(dir / "p.bmp", fixtures::gradientBmp(3, 2));
    struct_LEAD_Bitmap b{};
    init(b);
    std::string path = (dir / "p.bmp").string();
    ASSERT_EQ((call<Library::File, 102>(path.data(), &b, 24, ORDER_RGB, 3u, nullptr, nullptr, nullptr, nullptr)),
              IMGSDK_SUCCESS);
    void* dib = call<Library::Kernel, 106>(&b);
    ASSERT_NE(dib, nullptr);
    struct_LEAD_Bitmap back{};
    init(back);
    ASSERT_EQ((call<Library::Kernel, 104>(&back, dib)), IMGSDK_SUCCESS);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(pixelAt(back, x, y), fixtures::gradientColor(x, y));
    freeBitmap(back);
    GlobalFree(dib);
}
