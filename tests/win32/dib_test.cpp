// The DIB calls: GetDIBits, SetDIBits, StretchDIBits, SetDIBitsToDevice,
// CreateDIBitmap, Get/SetBitmapBits, the DIB colour table and logical
// palettes, with the headers a careless or hostile caller may pass.
#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

namespace {

// A BITMAPINFO with room for a full colour table or bit-field masks.
struct Info {
    std::vector<uint8_t> buf = std::vector<uint8_t>(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD), 0);
    BITMAPINFO* bi() { return reinterpret_cast<BITMAPINFO*>(buf.data()); }
    BITMAPINFOHEADER& h() { return bi()->bmiHeader; }

    Info(int w, int h, int bpp, DWORD compression = BI_RGB) {
        this->h() = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), w, h, 1, static_cast<WORD>(bpp), compression, 0, 0, 0, 0, 0};
    }
    void colors(std::initializer_list<RGBQUAD> c) {
        std::memcpy(bi()->bmiColors, c.begin(), c.size() * sizeof(RGBQUAD));
        h().biClrUsed = static_cast<DWORD>(c.size());
    }
    void masks(DWORD r, DWORD g, DWORD b) {
        const DWORD m[3] = {r, g, b};
        std::memcpy(bi()->bmiColors, m, sizeof m);
    }
};

RGBQUAD quad(BYTE r, BYTE g, BYTE b) { return RGBQUAD{b, g, r, 0}; }

struct MemDC {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bmp;
    HGDIOBJ old;
    explicit MemDC(HBITMAP b) : bmp(b), old(SelectObject(dc, b)) {}
    ~MemDC() {
        SelectObject(dc, old);
        DeleteObject(bmp);
        DeleteDC(dc);
    }
};

HBITMAP ddb32(int w, int h) { return CreateBitmap(w, h, 1, 32, nullptr); }

TEST(GetDIBits, DescribesTheBitmap) {
    MemDC m(ddb32(5, 3));
    Info info(0, 0, 0);
    ASSERT_NE(GetDIBits(m.dc, m.bmp, 0, 0, nullptr, info.bi(), DIB_RGB_COLORS), 0);
    EXPECT_EQ(info.h().biWidth, 5);
    EXPECT_EQ(info.h().biHeight, 3);
    EXPECT_EQ(info.h().biBitCount, 32);
    EXPECT_EQ(info.h().biSizeImage, 5u * 4 * 3);
    // Asking for a description with a buffer is an error.
    Info again(0, 0, 0);
    std::vector<uint8_t> sink(64);
    EXPECT_EQ(GetDIBits(m.dc, m.bmp, 0, 3, sink.data(), again.bi(), DIB_RGB_COLORS), 0);
}

TEST(DibBits, RoundTripsThroughEveryDepth) {
    // Eight colours that every depth below can hold exactly or by nearest match.
    const COLORREF colors[4] = {RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 0, 0), RGB(0, 0, 255)};
    MemDC m(ddb32(4, 2));
    for (int i = 0; i < 8; ++i) SetPixel(m.dc, i % 4, i / 4, colors[(i + i / 4) % 4]);
    for (int bpp : {1, 4, 8, 16, 24, 32}) {
        for (bool topDown : {false, true}) {
            Info info(4, topDown ? -2 : 2, bpp);
            std::vector<uint8_t> bits(64, 0xCC);
            ASSERT_EQ(GetDIBits(m.dc, m.bmp, 0, 2, bits.data(), info.bi(), DIB_RGB_COLORS), 2) << bpp;
            MemDC back(ddb32(4, 2));
            ASSERT_EQ(SetDIBits(back.dc, back.bmp, 0, 2, bits.data(), info.bi(), DIB_RGB_COLORS), 2) << bpp;
            for (int i = 0; i < 8; ++i) {
                COLORREF want = GetPixel(m.dc, i % 4, i / 4);
                if (bpp == 1) want = (want == RGB(255, 255, 255)) ? want : RGB(0, 0, 0);  // red, blue: nearer black
                EXPECT_EQ(GetPixel(back.dc, i % 4, i / 4), want) << bpp << " pixel " << i << (topDown ? " top-down" : "");
            }
        }
    }
}

TEST(DibBits, BottomUpRowsAndScanLineRanges) {
    MemDC m(ddb32(2, 4));
    for (int y = 0; y < 4; ++y) SetPixel(m.dc, 0, y, RGB(y * 10, 0, 0));
    Info info(2, 4, 32);
    std::vector<uint32_t> bits(8, 0);
    // Scan lines 1 and 2 of a bottom-up DIB are rows 2 and 1 from the top.
    ASSERT_EQ(GetDIBits(m.dc, m.bmp, 1, 2, bits.data(), info.bi(), DIB_RGB_COLORS), 2);
    EXPECT_EQ(bits[0], 0x140000u);  // scan line 1: row 2
    EXPECT_EQ(bits[2], 0x0A0000u);  // scan line 2: row 1
    EXPECT_EQ(GetDIBits(m.dc, m.bmp, 4, 1, bits.data(), info.bi(), DIB_RGB_COLORS), 0);  // past the end
    EXPECT_EQ(GetDIBits(m.dc, m.bmp, 3, 9, bits.data(), info.bi(), DIB_RGB_COLORS), 1);  // clipped
}

TEST(GetDIBits, ColourTablesAndMasks) {
    MemDC m(ddb32(2, 1));
    Info mono(2, 1, 1);
    uint32_t bits = 0;
    ASSERT_EQ(GetDIBits(m.dc, m.bmp, 0, 1, &bits, mono.bi(), DIB_RGB_COLORS), 1);
    EXPECT_EQ(mono.bi()->bmiColors[1].rgbRed, 255);
    Info pal(2, 1, 8);
    ASSERT_EQ(GetDIBits(m.dc, m.bmp, 0, 1, &bits, pal.bi(), DIB_PAL_COLORS), 1);
    EXPECT_EQ(reinterpret_cast<WORD*>(pal.bi()->bmiColors)[7], 7);
    SetPixel(m.dc, 0, 0, RGB(255, 255, 255));
    Info f565(2, 1, 16, BI_BITFIELDS);
    ASSERT_EQ(GetDIBits(m.dc, m.bmp, 0, 1, &bits, f565.bi(), DIB_RGB_COLORS), 1);
    EXPECT_EQ(reinterpret_cast<DWORD*>(f565.bi()->bmiColors)[1], 0x07E0u);
    EXPECT_EQ(bits & 0xFFFF, 0xFFFFu);
}

TEST(SetDIBits, ReadsPalettesRleAndOddFormats) {
    MemDC m(ddb32(4, 2));
    // 5-6-5 pixels.
    Info f565(2, 1, 16, BI_BITFIELDS);
    f565.masks(0xF800, 0x07E0, 0x001F);
    const uint16_t px565[2] = {0xF800, 0x07E0};
    ASSERT_EQ(SetDIBits(m.dc, m.bmp, 0, 1, px565, f565.bi(), DIB_RGB_COLORS), 1);
    EXPECT_EQ(GetPixel(m.dc, 0, 0), RGB(255, 0, 0));  // DIB rows land on bitmap rows from the top
    EXPECT_EQ(GetPixel(m.dc, 1, 0), RGB(0, 255, 0));
    // RLE8: a run of one, a literal of three, end of bitmap.
    Info rle(4, 2, 8, BI_RLE8);
    rle.colors({quad(0, 0, 0), quad(10, 20, 30), quad(40, 50, 60), quad(70, 80, 90)});
    const BYTE data[] = {1, 1, 0, 3, 2, 3, 1, 0, 0, 1};
    rle.h().biSizeImage = sizeof data;
    ASSERT_EQ(SetDIBits(m.dc, m.bmp, 0, 2, data, rle.bi(), DIB_RGB_COLORS), 2);
    EXPECT_EQ(GetPixel(m.dc, 0, 1), RGB(10, 20, 30));
    EXPECT_EQ(GetPixel(m.dc, 2, 1), RGB(70, 80, 90));
    EXPECT_EQ(GetPixel(m.dc, 0, 0), RGB(0, 0, 0));  // not reached: index 0
}

TEST(SetDIBits, RefusesMalformedHeaders) {
    MemDC m(ddb32(4, 4));
    std::vector<uint8_t> bits(4096, 0);
    auto refused = [&](Info& info) { return SetDIBits(m.dc, m.bmp, 0, 1, bits.data(), info.bi(), DIB_RGB_COLORS) == 0; };
    Info planes(4, 4, 32);
    planes.h().biPlanes = 2;
    EXPECT_TRUE(refused(planes));
    Info depth(4, 4, 3);
    EXPECT_TRUE(refused(depth));
    Info noWidth(0, 4, 32);
    EXPECT_TRUE(refused(noWidth));
    Info minHeight(4, INT_MIN, 32);
    EXPECT_TRUE(refused(minHeight));
    Info huge(INT_MAX, INT_MAX, 32);
    EXPECT_TRUE(refused(huge));
    Info jpeg(4, 4, 24, BI_JPEG);
    EXPECT_TRUE(refused(jpeg));
    Info fields8(4, 4, 8, BI_BITFIELDS);
    EXPECT_TRUE(refused(fields8));
    Info oddMasks(4, 4, 32, BI_BITFIELDS);
    oddMasks.masks(0xFF, 0xFF00, 0xFF0000);
    EXPECT_TRUE(refused(oddMasks));
    Info rleTopDown(4, -4, 8, BI_RLE8);
    rleTopDown.h().biSizeImage = 2;
    EXPECT_TRUE(refused(rleTopDown));
    Info rleNoSize(4, 4, 8, BI_RLE8);
    EXPECT_TRUE(refused(rleNoSize));
    Info badSize(4, 4, 32);
    badSize.h().biSize = 20;
    EXPECT_TRUE(refused(badSize));
    Info ok(4, 4, 32);
    EXPECT_EQ(SetDIBits(m.dc, m.bmp, 0, 4, nullptr, ok.bi(), DIB_RGB_COLORS), 0);
    EXPECT_EQ(SetDIBits(m.dc, nullptr, 0, 4, bits.data(), ok.bi(), DIB_RGB_COLORS), 0);
    EXPECT_EQ(SetDIBits(m.dc, m.bmp, 0, 4, bits.data(), nullptr, DIB_RGB_COLORS), 0);
    EXPECT_EQ(SetDIBits(m.dc, m.bmp, 0, 4, bits.data(), ok.bi(), 7), 0);
}

TEST(StretchDIBits, CountsBottomUpSourcesFromTheLowerLeft) {
    MemDC m(ddb32(4, 4));
    Info info(2, 2, 32);  // bottom-up: the first stored row is the bottom one
    const uint32_t px[4] = {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF};
    ASSERT_EQ(StretchDIBits(m.dc, 0, 0, 4, 4, 0, 0, 2, 2, px, info.bi(), DIB_RGB_COLORS, SRCCOPY), 2);
    EXPECT_EQ(GetPixel(m.dc, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(m.dc, 3, 3), RGB(0, 255, 0));
    // One source row from the bottom: the blue/green row.
    ASSERT_EQ(StretchDIBits(m.dc, 0, 0, 2, 1, 0, 0, 2, 1, px, info.bi(), DIB_RGB_COLORS, SRCCOPY), 2);
    EXPECT_EQ(GetPixel(m.dc, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(StretchDIBits(m.dc, 0, 0, 2, 2, 0, 0, 2, 2, nullptr, info.bi(), DIB_RGB_COLORS, SRCCOPY), 0);
    EXPECT_EQ(StretchDIBits(nullptr, 0, 0, 2, 2, 0, 0, 2, 2, px, info.bi(), DIB_RGB_COLORS, SRCCOPY), 0);
}

TEST(SetDIBitsToDevice, PlacesPartialScanLines) {
    MemDC m(ddb32(3, 4));
    Info info(3, 4, 32);  // bottom-up, 4 scan lines
    // The buffer holds scan lines 1 and 2 only.
    const uint32_t px[6] = {0x010101, 0x020202, 0x030303, 0x040404, 0x050505, 0x060606};
    ASSERT_EQ(SetDIBitsToDevice(m.dc, 0, 0, 3, 4, 0, 0, 1, 2, px, info.bi(), DIB_RGB_COLORS), 2);
    // Scan line 2 is the second row from the top, scan line 1 the third.
    EXPECT_EQ(GetPixel(m.dc, 0, 1), RGB(4, 4, 4));
    EXPECT_EQ(GetPixel(m.dc, 2, 2), RGB(3, 3, 3));
    EXPECT_EQ(GetPixel(m.dc, 0, 0), RGB(0, 0, 0));  // lines not supplied stay as they were
    EXPECT_EQ(SetDIBitsToDevice(m.dc, 0, 0, 3, 4, 0, 0, 4, 1, px, info.bi(), DIB_RGB_COLORS), 0);
    EXPECT_EQ(SetDIBitsToDevice(m.dc, 0, 0, UINT_MAX, 4, 0, 0, 0, 4, px, info.bi(), DIB_RGB_COLORS), 0);
}

TEST(CreateDIBitmap, BlackAndWhiteDibsGiveMonochromeBitmaps) {
    Info mono(8, 1, 1);
    mono.colors({quad(0, 0, 0), quad(255, 255, 255)});
    const BYTE row[4] = {0xF0, 0, 0, 0};
    HBITMAP b = CreateDIBitmap(nullptr, &mono.h(), CBM_INIT, row, mono.bi(), DIB_RGB_COLORS);
    BITMAP bm;
    ASSERT_EQ(GetObjectW(b, sizeof bm, &bm), static_cast<int>(sizeof bm));
    EXPECT_EQ(bm.bmBitsPixel, 1);
    MemDC m(b);
    EXPECT_EQ(GetPixel(m.dc, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(m.dc, 7, 0), RGB(0, 0, 0));
    Info tinted(8, 1, 1);
    tinted.colors({quad(255, 0, 0), quad(0, 0, 255)});
    HBITMAP c = CreateDIBitmap(nullptr, &tinted.h(), CBM_INIT, row, tinted.bi(), DIB_RGB_COLORS);
    ASSERT_EQ(GetObjectW(c, sizeof bm, &bm), static_cast<int>(sizeof bm));
    EXPECT_EQ(bm.bmBitsPixel, 32);
    MemDC n(c);
    EXPECT_EQ(GetPixel(n.dc, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(CreateDIBitmap(nullptr, nullptr, 0, nullptr, nullptr, 0), nullptr);
}

TEST(BitmapBits, DeviceLayoutWithWordAlignedRows) {
    HBITMAP b = CreateBitmap(3, 2, 1, 8, nullptr);
    EXPECT_EQ(GetBitmapBits(b, 0, nullptr), 8);  // 3 bytes padded to 4, two rows
    const BYTE in[8] = {1, 2, 3, 0, 4, 5, 6, 0};
    EXPECT_EQ(SetBitmapBits(b, sizeof in, in), 8);
    BYTE out[8] = {};
    EXPECT_EQ(GetBitmapBits(b, 5, out), 5);  // partial
    EXPECT_EQ(out[4], 4);
    EXPECT_EQ(out[5], 0);
    EXPECT_EQ(GetBitmapBits(b, sizeof out, out), 8);
    EXPECT_EQ(out[6], 6);
    EXPECT_EQ(GetBitmapBits(nullptr, 8, out), 0);
    EXPECT_EQ(SetBitmapBits(b, 8, nullptr), 0);
    DeleteObject(b);
    // DIB sections answer in the same layout, top row first.
    Info info(1, 2, 32);
    void* bits = nullptr;
    HBITMAP d = CreateDIBSection(nullptr, info.bi(), DIB_RGB_COLORS, &bits, nullptr, 0);
    static_cast<uint32_t*>(bits)[0] = 0xAA;  // bottom row
    uint32_t rows[2] = {};
    EXPECT_EQ(GetBitmapBits(d, sizeof rows, rows), 8);
    EXPECT_EQ(rows[1], 0xAAu);
    DeleteObject(d);
}

TEST(DibColorTable, ChangingTheTableRecoloursThePixels) {
    Info info(2, 1, 8);
    info.colors({quad(10, 10, 10), quad(200, 0, 0)});
    void* bits = nullptr;
    HBITMAP d = CreateDIBSection(nullptr, info.bi(), DIB_RGB_COLORS, &bits, nullptr, 0);
    static_cast<BYTE*>(bits)[1] = 1;
    MemDC m(d);
    RGBQUAD got[4];
    EXPECT_EQ(GetDIBColorTable(m.dc, 0, 4, got), 4u);
    EXPECT_EQ(got[1].rgbRed, 200);
    EXPECT_EQ(GetDIBColorTable(m.dc, 255, 4, got), 1u);
    EXPECT_EQ(GetDIBColorTable(m.dc, 256, 4, got), 0u);
    const RGBQUAD green = quad(0, 255, 0);
    EXPECT_EQ(SetDIBColorTable(m.dc, 1, 1, &green), 1u);
    EXPECT_EQ(GetPixel(m.dc, 1, 0), RGB(0, 255, 0));
    // Brush colours map to the new table.
    HBRUSH b = CreateSolidBrush(RGB(0, 250, 0));
    RECT r{0, 0, 1, 1};
    FillRect(m.dc, &r, b);
    EXPECT_EQ(static_cast<BYTE*>(bits)[0], 1);
    DeleteObject(b);
    // Device-dependent bitmaps have no table to read.
    MemDC ddb(ddb32(2, 2));
    EXPECT_EQ(GetDIBColorTable(ddb.dc, 0, 1, got), 0u);
    EXPECT_EQ(SetDIBColorTable(ddb.dc, 0, 1, &green), 0u);
}

}  // namespace

namespace {

HPALETTE threeColors() {
    struct {
        WORD version, count;
        PALETTEENTRY entries[3];
    } lp{0x300, 3, {{255, 0, 0, 0}, {0, 255, 0, 0}, {10, 10, 10, 0}}};
    return CreatePalette(reinterpret_cast<LOGPALETTE*>(&lp));
}

}  // namespace

TEST(Palette, KeepsItsEntriesAndFindsTheNearest) {
    HPALETTE pal = threeColors();
    ASSERT_NE(pal, nullptr);
    EXPECT_EQ(GetObjectType(pal), static_cast<DWORD>(OBJ_PAL));
    WORD count = 0;
    EXPECT_EQ(GetObjectW(pal, sizeof count, &count), static_cast<int>(sizeof count));
    EXPECT_EQ(count, 3);
    PALETTEENTRY e[3] = {};
    EXPECT_EQ(GetPaletteEntries(pal, 0, 0, nullptr), 3u);
    EXPECT_EQ(GetPaletteEntries(pal, 1, 5, e), 2u);
    EXPECT_EQ(e[0].peGreen, 255);
    EXPECT_EQ(e[1].peRed, 10);
    EXPECT_EQ(GetPaletteEntries(pal, 3, 1, e), 0u);
    EXPECT_EQ(GetNearestPaletteIndex(pal, RGB(200, 30, 30)), 0u);
    EXPECT_EQ(GetNearestPaletteIndex(pal, RGB(0, 0, 0)), 2u);
    EXPECT_TRUE(DeleteObject(pal));
    EXPECT_EQ(GetObjectType(pal), 0u);
    EXPECT_EQ(GetNearestPaletteIndex(pal, 0), CLR_INVALID);
}

TEST(Palette, BadRecordsMakeNoPalette) {
    LOGPALETTE lp{0x300, 0, {{0, 0, 0, 0}}};
    EXPECT_EQ(CreatePalette(&lp), nullptr);
    lp = {0x200, 1, {{0, 0, 0, 0}}};
    EXPECT_EQ(CreatePalette(&lp), nullptr);
    EXPECT_EQ(CreatePalette(nullptr), nullptr);
}

TEST(Palette, SelectingSwapsTheContextsPaletteAndHoldsIt) {
    HDC dc = CreateCompatibleDC(nullptr);
    HPALETTE pal = threeColors();
    HPALETTE old = SelectPalette(dc, pal, FALSE);
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PAL), static_cast<HGDIOBJ>(pal));
    EXPECT_EQ(RealizePalette(dc), 0u);  // a true-colour surface maps nothing
    EXPECT_TRUE(DeleteObject(pal));     // selected: freed when let go
    EXPECT_EQ(GetObjectType(pal), static_cast<DWORD>(OBJ_PAL));
    EXPECT_EQ(SelectPalette(dc, old, FALSE), pal);
    EXPECT_EQ(GetObjectType(pal), 0u);
    EXPECT_EQ(SelectPalette(dc, reinterpret_cast<HPALETTE>(dc), FALSE), nullptr);
    DeleteDC(dc);
}
