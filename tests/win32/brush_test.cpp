// Brushes as a caller sees them: DIB pattern brushes of every depth and
// colour usage, pattern brushes from bitmaps, hatches under the background
// mode, brush origins, the rectangle calls of USER, and bad input. The
// pixels expected are the ones the reference GDI paints for the same calls.
#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

struct Canvas {
    HDC dc = nullptr;
    HBITMAP bmp = nullptr;
    HGDIOBJ old = nullptr;
    uint32_t* px = nullptr;
    int width, height;

    Canvas(int w, int h, uint32_t fill = 0x808080) : width(w), height(h) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        px = static_cast<uint32_t*>(bits);
        dc = CreateCompatibleDC(nullptr);
        old = SelectObject(dc, bmp);
        clear(fill);
    }
    ~Canvas() {
        SelectObject(dc, old);
        DeleteObject(bmp);
        DeleteDC(dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    void clear(uint32_t v) const {
        for (int i = 0; i < width * height; ++i) px[i] = v;
    }
    // As a COLORREF, to compare with RGB().
    COLORREF at(int x, int y) const {
        const uint32_t p = px[y * width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    void fill(HBRUSH b) const {
        RECT r{0, 0, width, height};
        FillRect(dc, &r, b);
    }
};

// A packed DIB: header, colour table (RGBQUADs or WORD indices), pixels.
struct PackedDib {
    std::vector<uint8_t> bytes;
    int width, height, bpp;
    size_t bitsAt = 0;
    size_t stride() const { return (static_cast<size_t>(width) * bpp + 31) / 32 * 4; }

    PackedDib(int w, int h, int depth, bool topDown, UINT usage, const std::vector<uint32_t>& table = {},
              DWORD compression = BI_RGB)
        : width(w), height(h), bpp(depth) {
        BITMAPINFOHEADER bih{};
        bih.biSize = sizeof bih;
        bih.biWidth = w;
        bih.biHeight = topDown ? -h : h;
        bih.biPlanes = 1;
        bih.biBitCount = static_cast<WORD>(depth);
        bih.biCompression = compression;
        bih.biClrUsed = static_cast<DWORD>(table.size());
        bytes.resize(sizeof bih);
        std::memcpy(bytes.data(), &bih, sizeof bih);
        for (uint32_t v : table) {
            if (usage == DIB_PAL_COLORS) {
                const WORD idx = static_cast<WORD>(v);
                bytes.insert(bytes.end(), reinterpret_cast<const uint8_t*>(&idx),
                             reinterpret_cast<const uint8_t*>(&idx) + 2);
            } else {
                bytes.insert(bytes.end(), reinterpret_cast<const uint8_t*>(&v), reinterpret_cast<const uint8_t*>(&v) + 4);
            }
        }
        while (bytes.size() % 4) bytes.push_back(0);
        bitsAt = bytes.size();
        bytes.resize(bitsAt + stride() * h);
    }
    // Stores a raw pixel value at (x, y), y counted from the top.
    void set(int x, int y, uint32_t v, bool topDown) {
        uint8_t* row = bytes.data() + bitsAt + stride() * static_cast<size_t>(topDown ? y : height - 1 - y);
        switch (bpp) {
        case 1: row[x >> 3] = static_cast<uint8_t>(row[x >> 3] | ((v & 1) << (7 - (x & 7)))); break;
        case 4: row[x >> 1] = static_cast<uint8_t>(row[x >> 1] | ((v & 15) << ((x & 1) ? 0 : 4))); break;
        case 8: row[x] = static_cast<uint8_t>(v); break;
        case 16: std::memcpy(row + 2 * x, &v, 2); break;
        case 24: std::memcpy(row + 3 * x, &v, 3); break;
        case 32: std::memcpy(row + 4 * x, &v, 4); break;
        }
    }
};

// 0x00RRGGBB as a table entry or pixel to a COLORREF.
COLORREF xrgb(uint32_t v) { return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF); }

int wrap(int v, int n) { return ((v % n) + n) % n; }

TEST(DibPatternBrush, EveryDepthTilesFromTheBrushOrigin) {
    const std::vector<uint32_t> table = {0x102030, 0xF0E0D0, 0x00FF00, 0x0000FF, 0xFF0000, 0x808000,
                                         0x00FFFF, 0xFF00FF, 0x123456, 0x654321, 0xABCDEF, 0x111111,
                                         0x222222, 0x333333, 0x444444, 0x555555};
    for (int bpp : {1, 4, 8, 16, 24, 32})
        for (bool topDown : {false, true}) {
            const int w = 5, h = 3;
            PackedDib dib(w, h, bpp, topDown, DIB_RGB_COLORS,
                          bpp <= 8 ? std::vector<uint32_t>(table.begin(), table.begin() + (bpp == 1 ? 2 : 16))
                                   : std::vector<uint32_t>{});
            std::vector<COLORREF> expect(w * h);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const uint32_t v = static_cast<uint32_t>(x * 3 + y * 5 + 1);
                    switch (bpp) {
                    case 1: dib.set(x, y, v & 1, topDown); expect[y * w + x] = xrgb(table[v & 1]); break;
                    case 4:
                    case 8: dib.set(x, y, v & 15, topDown); expect[y * w + x] = xrgb(table[v & 15]); break;
                    case 16: {
                        const uint32_t p = (v * 0x0842u + 0x1234u) & 0x7FFF;  // x-5-5-5
                        dib.set(x, y, p, topDown);
                        auto c5 = [](uint32_t c) { return static_cast<BYTE>((c << 3) | (c >> 2)); };
                        expect[y * w + x] = RGB(c5((p >> 10) & 31), c5((p >> 5) & 31), c5(p & 31));
                        break;
                    }
                    default: {
                        const uint32_t p = (v * 0x1F3D5Bu) & 0xFFFFFF;
                        dib.set(x, y, p | (bpp == 32 ? 0xAB000000u : 0), topDown);
                        expect[y * w + x] = xrgb(p);
                        break;
                    }
                    }
                }
            HBRUSH b = CreateDIBPatternBrushPt(dib.bytes.data(), DIB_RGB_COLORS);
            ASSERT_NE(b, nullptr) << bpp;
            Canvas c(12, 7);
            for (POINT org : {POINT{0, 0}, POINT{-2, 1}, POINT{7, -4}}) {
                SetBrushOrgEx(c.dc, org.x, org.y, nullptr);
                c.fill(b);
                for (int y = 0; y < c.height; ++y)
                    for (int x = 0; x < c.width; ++x)
                        ASSERT_EQ(c.at(x, y), expect[wrap(y - org.y, h) * w + wrap(x - org.x, w)])
                            << bpp << " bpp " << (topDown ? "top-down" : "bottom-up") << " at " << x << "," << y;
            }
            DeleteObject(b);
        }
}

TEST(DibPatternBrush, PaletteIndicesAndBitFields) {
    // DIB_PAL_COLORS: the table holds indices into the DC's palette, the
    // 20-colour default one here.
    PackedDib pal(2, 1, 8, false, DIB_PAL_COLORS, {13, 16});
    pal.set(0, 0, 0, false);
    pal.set(1, 0, 1, false);
    HBRUSH b = CreateDIBPatternBrushPt(pal.bytes.data(), DIB_PAL_COLORS);
    ASSERT_NE(b, nullptr);
    Canvas c(4, 1);
    c.fill(b);
    EXPECT_EQ(c.at(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(c.at(1, 0), RGB(0, 0, 255));
    DeleteObject(b);

    // 5-6-5 bit fields: masks follow the header.
    PackedDib f(2, 1, 16, false, DIB_RGB_COLORS, {0xF800, 0x07E0, 0x001F}, BI_BITFIELDS);
    BITMAPINFOHEADER* h = reinterpret_cast<BITMAPINFOHEADER*>(f.bytes.data());
    h->biClrUsed = 0;
    f.set(0, 0, 0xF800, false);
    f.set(1, 0, 0x07E0 | 0x001F, false);
    b = CreateDIBPatternBrushPt(f.bytes.data(), DIB_RGB_COLORS);
    ASSERT_NE(b, nullptr);
    c.fill(b);
    EXPECT_EQ(c.at(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(c.at(1, 0), RGB(0, 255, 255));
    DeleteObject(b);
}

TEST(DibPatternBrush, GlobalMemoryAndIndirectCreation) {
    PackedDib dib(2, 2, 32, true, DIB_RGB_COLORS);
    dib.set(0, 0, 0xFF0000, true);
    dib.set(1, 0, 0x00FF00, true);
    dib.set(0, 1, 0x0000FF, true);
    dib.set(1, 1, 0xFFFFFF, true);
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, dib.bytes.size());
    std::memcpy(GlobalLock(mem), dib.bytes.data(), dib.bytes.size());
    GlobalUnlock(mem);
    HBRUSH g = CreateDIBPatternBrush(mem, DIB_RGB_COLORS);
    ASSERT_NE(g, nullptr);
    LOGBRUSH lb{};
    ASSERT_EQ(GetObjectW(g, sizeof lb, &lb), static_cast<int>(sizeof lb));
    EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_DIBPATTERN));
    GlobalFree(mem);  // the brush keeps its own copy
    Canvas c(4, 4);
    c.fill(g);
    EXPECT_EQ(c.at(2, 0), RGB(255, 0, 0));
    EXPECT_EQ(c.at(3, 3), RGB(255, 255, 255));

    const LOGBRUSH pt{BS_DIBPATTERNPT, DIB_RGB_COLORS, reinterpret_cast<ULONG_PTR>(dib.bytes.data())};
    HBRUSH ib = CreateBrushIndirect(&pt);
    ASSERT_NE(ib, nullptr);
    c.clear(0);
    c.fill(ib);
    EXPECT_EQ(c.at(1, 0), RGB(0, 255, 0));
    EXPECT_EQ(c.at(0, 1), RGB(0, 0, 255));
    DeleteObject(g);
    DeleteObject(ib);
}

TEST(DibPatternBrush, MalformedDibsAreRefused) {
    PackedDib ok(5, 3, 8, false, DIB_RGB_COLORS, {0, 0xFFFFFF});
    EXPECT_EQ(CreateDIBPatternBrushPt(nullptr, DIB_RGB_COLORS), nullptr);
    EXPECT_EQ(CreateDIBPatternBrushPt(ok.bytes.data(), 2), nullptr);
    auto* h = reinterpret_cast<BITMAPINFOHEADER*>(ok.bytes.data());
    h->biCompression = BI_RLE8;
    EXPECT_EQ(CreateDIBPatternBrushPt(ok.bytes.data(), DIB_RGB_COLORS), nullptr);
    h->biCompression = BI_RGB;
    h->biBitCount = 7;
    EXPECT_EQ(CreateDIBPatternBrushPt(ok.bytes.data(), DIB_RGB_COLORS), nullptr);
    h->biBitCount = 8;
    h->biWidth = 0;
    EXPECT_EQ(CreateDIBPatternBrushPt(ok.bytes.data(), DIB_RGB_COLORS), nullptr);
    h->biWidth = 5;
    h->biHeight = INT_MIN;
    EXPECT_EQ(CreateDIBPatternBrushPt(ok.bytes.data(), DIB_RGB_COLORS), nullptr);
    EXPECT_EQ(CreateDIBPatternBrush(nullptr, DIB_RGB_COLORS), nullptr);
}

TEST(PatternBrush, MonochromeBitmapsTakeTheDcColoursDibSectionsTheirOwn) {
    const BYTE rows[16] = {0xF0, 0, 0xCC, 0, 0xAA, 0, 0x0F, 0, 0x33, 0, 0x55, 0, 0xFF, 0, 0x00, 0};
    HBITMAP mono = CreateBitmap(8, 8, 1, 1, rows);
    HBRUSH b = CreatePatternBrush(mono);
    DeleteObject(mono);  // the brush keeps a copy
    Canvas c(16, 8);
    SetTextColor(c.dc, RGB(255, 0, 0));
    SetBkColor(c.dc, RGB(0, 255, 0));
    SetBkMode(c.dc, TRANSPARENT);  // patterns ignore the mode
    c.fill(b);
    EXPECT_EQ(c.at(0, 0), RGB(0, 255, 0));  // 1 bits: background colour
    EXPECT_EQ(c.at(4, 0), RGB(255, 0, 0));  // 0 bits: text colour
    EXPECT_EQ(c.at(8, 0), RGB(0, 255, 0));
    DeleteObject(b);

    struct {
        BITMAPINFOHEADER h;
        RGBQUAD c[2];
    } bi{{sizeof(BITMAPINFOHEADER), 4, -4, 1, 1, BI_RGB, 0, 0, 0, 0, 0}, {{0x10, 0x20, 0x30, 0}, {0xF0, 0xE0, 0xD0, 0}}};
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS, &bits, nullptr, 0);
    static_cast<BYTE*>(bits)[0] = 0xA0;  // 1 0 1 0
    HBRUSH s = CreatePatternBrush(section);
    c.fill(s);
    EXPECT_EQ(c.at(0, 0), RGB(0xD0, 0xE0, 0xF0));
    EXPECT_EQ(c.at(1, 0), RGB(0x30, 0x20, 0x10));
    DeleteObject(s);
    DeleteObject(section);
}

TEST(PatternBrush, TopDownDibSectionsTileTheRightWayUp) {
    // The reference paints these black; Windows and we use the pattern.
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 2, -2, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* p = static_cast<BYTE*>(bits);
    p[2] = 0xFF;      // (0,0) red
    p[8 + 3 + 1] = 0xFF;  // (1,1) green: rows of 8 bytes, BGR
    HBRUSH b = CreatePatternBrush(section);
    Canvas c(4, 4);
    c.fill(b);
    EXPECT_EQ(c.at(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(c.at(3, 3), RGB(0, 255, 0));
    EXPECT_EQ(c.at(1, 0), RGB(0, 0, 0));
    DeleteObject(b);
    DeleteObject(section);
}

TEST(HatchBrush, LinesOnTheBackgroundAlignedToTheOrigin) {
    Canvas c(16, 16);
    HBRUSH h = CreateHatchBrush(HS_CROSS, RGB(255, 0, 0));
    SetBkColor(c.dc, RGB(0, 0, 255));
    c.fill(h);
    EXPECT_EQ(c.at(4, 0), RGB(255, 0, 0));  // column 4
    EXPECT_EQ(c.at(0, 3), RGB(255, 0, 0));  // row 3
    EXPECT_EQ(c.at(0, 0), RGB(0, 0, 255));
    SetBrushOrgEx(c.dc, -3, -13, nullptr);
    c.fill(h);
    EXPECT_EQ(c.at(1, 0), RGB(255, 0, 0));  // column (4 - 3) mod 8
    EXPECT_EQ(c.at(0, 6), RGB(255, 0, 0));  // row (3 - 13) mod 8 = 6
    SetBkMode(c.dc, TRANSPARENT);  // applies at once, no reselect needed
    c.clear(0x00FF00);
    c.fill(h);
    EXPECT_EQ(c.at(0, 0), RGB(0, 255, 0));
    EXPECT_EQ(c.at(1, 0), RGB(255, 0, 0));
    DeleteObject(h);
}

TEST(HatchBrush, StylesAndIndirectCreation) {
    EXPECT_EQ(CreateHatchBrush(-1, 0), nullptr);
    EXPECT_EQ(CreateHatchBrush(HS_DIAGCROSS + 1, 0), nullptr);
    const LOGBRUSH lb{BS_HATCHED, RGB(1, 2, 3), HS_BDIAGONAL};
    HBRUSH h = CreateBrushIndirect(&lb);
    ASSERT_NE(h, nullptr);
    LOGBRUSH out{};
    GetObjectW(h, sizeof out, &out);
    EXPECT_EQ(out.lbStyle, static_cast<UINT>(BS_HATCHED));
    EXPECT_EQ(out.lbColor, RGB(1, 2, 3));
    EXPECT_EQ(out.lbHatch, static_cast<ULONG_PTR>(HS_BDIAGONAL));
    Canvas c(8, 8, 0xFFFFFF);
    c.fill(h);
    for (int y = 0; y < 8; ++y) EXPECT_EQ(c.at(7 - y, y), RGB(1, 2, 3));  // x + y == 7
    EXPECT_EQ(c.at(0, 0), RGB(255, 255, 255));
    DeleteObject(h);
    const LOGBRUSH none{BS_NULL, 0, 0};
    EXPECT_EQ(CreateBrushIndirect(&none), GetStockObject(NULL_BRUSH));
    const LOGBRUSH bad{77, 0, 0};
    EXPECT_EQ(CreateBrushIndirect(&bad), nullptr);
    EXPECT_EQ(CreateBrushIndirect(nullptr), nullptr);
}

TEST(FillRect, SystemColourIndicesStockAndDcBrushes) {
    Canvas c(4, 4);
    RECT r{0, 0, 4, 4};
    EXPECT_EQ(FillRect(c.dc, &r, reinterpret_cast<HBRUSH>(static_cast<intptr_t>(COLOR_BTNFACE + 1))), 1);
    EXPECT_EQ(c.at(0, 0), GetSysColor(COLOR_BTNFACE));
    FillRect(c.dc, &r, reinterpret_cast<HBRUSH>(static_cast<intptr_t>(COLOR_HIGHLIGHT + 1)));
    EXPECT_EQ(c.at(3, 3), GetSysColor(COLOR_HIGHLIGHT));
    SetDCBrushColor(c.dc, RGB(0x12, 0x34, 0x56));
    FillRect(c.dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    EXPECT_EQ(c.at(1, 1), RGB(0x12, 0x34, 0x56));
    FillRect(c.dc, &r, static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH)));
    EXPECT_EQ(c.at(1, 1), RGB(64, 64, 64));
    FillRect(c.dc, &r, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
    EXPECT_EQ(c.at(1, 1), RGB(64, 64, 64));
    // A bad brush paints nothing and fails.
    EXPECT_EQ(FillRect(c.dc, &r, reinterpret_cast<HBRUSH>(uintptr_t(0x12345))), 0);
    EXPECT_EQ(c.at(1, 1), RGB(64, 64, 64));
    EXPECT_EQ(FillRect(c.dc, nullptr, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))), 0);
    EXPECT_EQ(FillRect(nullptr, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))), 0);
}

TEST(FillRect, RopIndependentAndInvertedRectangles) {
    Canvas c(10, 10, 0xFFFFFF);
    SetROP2(c.dc, R2_XORPEN);  // FillRect always copies the pattern
    RECT inverted{6, 6, 2, 2};
    FillRect(c.dc, &inverted, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    // as PatBlt with negative extents: [3, 7) x [3, 7)
    EXPECT_EQ(c.at(3, 3), RGB(0, 0, 0));
    EXPECT_EQ(c.at(6, 6), RGB(0, 0, 0));
    EXPECT_EQ(c.at(2, 2), RGB(255, 255, 255));
    EXPECT_EQ(c.at(7, 7), RGB(255, 255, 255));
    InvertRect(c.dc, &inverted);
    EXPECT_EQ(c.at(3, 3), RGB(255, 255, 255));
}

TEST(FrameRect, OnePixelFrameAndDegenerateRectangles) {
    Canvas c(10, 10, 0xFFFFFF);
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    RECT r{1, 1, 6, 5};
    EXPECT_EQ(FrameRect(c.dc, &r, black), 1);
    EXPECT_EQ(c.at(1, 1), RGB(0, 0, 0));
    EXPECT_EQ(c.at(5, 4), RGB(0, 0, 0));
    EXPECT_EQ(c.at(3, 2), RGB(255, 255, 255));
    EXPECT_EQ(c.at(6, 1), RGB(255, 255, 255));
    RECT inverted{8, 8, 2, 2}, flat{7, 1, 7, 9};
    c.clear(0xFFFFFF);
    EXPECT_EQ(FrameRect(c.dc, &inverted, black), 0);
    EXPECT_EQ(FrameRect(c.dc, &flat, black), 0);
    RECT thin{8, 1, 9, 9};
    EXPECT_EQ(FrameRect(c.dc, &thin, black), 1);
    EXPECT_EQ(c.at(8, 4), RGB(0, 0, 0));
    EXPECT_EQ(c.at(2, 2), RGB(255, 255, 255));
}

TEST(PatBlt, PatternRopsOnlyAndHugeRectangles) {
    Canvas c(8, 8, 0x00FF00);
    SelectObject(c.dc, GetStockObject(BLACK_BRUSH));
    EXPECT_FALSE(PatBlt(c.dc, 0, 0, 8, 8, SRCCOPY));  // reads a source
    EXPECT_EQ(c.at(0, 0), RGB(0, 255, 0));
    EXPECT_TRUE(PatBlt(c.dc, 0, 0, 8, 8, 0x00AA0000));  // destination only, no low word
    EXPECT_EQ(c.at(0, 0), RGB(0, 255, 0));
    EXPECT_TRUE(PatBlt(c.dc, 0, 0, 8, 8, DSTINVERT));
    EXPECT_EQ(c.at(0, 0), RGB(255, 0, 255));
    EXPECT_TRUE(PatBlt(c.dc, 0, 0, 8, 8, 0x00500325));  // P & ~D
    EXPECT_EQ(c.at(0, 0), RGB(0, 0, 0));
    const int big = 1 << 27;
    EXPECT_TRUE(PatBlt(c.dc, -big, -big, 2 * big, 2 * big, WHITENESS));
    EXPECT_EQ(c.at(7, 7), RGB(255, 255, 255));
    EXPECT_TRUE(PatBlt(c.dc, INT_MAX, INT_MAX, INT_MAX, INT_MAX, BLACKNESS));
    EXPECT_TRUE(PatBlt(c.dc, INT_MIN, INT_MIN, -INT_MAX, -INT_MAX, BLACKNESS));
    RECT huge{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    EXPECT_EQ(FillRect(c.dc, &huge, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))), 1);
    EXPECT_EQ(c.at(3, 3), RGB(0, 0, 0));
    EXPECT_TRUE(InvertRect(c.dc, &huge));
    EXPECT_EQ(c.at(3, 3), RGB(255, 255, 255));
    EXPECT_FALSE(PatBlt(nullptr, 0, 0, 1, 1, PATCOPY));
}

TEST(RegionPainters, RopsFramesAndBadInput) {
    Canvas c(20, 20, 0x0000FF);
    HRGN r = CreateRectRgn(2, 2, 12, 10);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    SetROP2(c.dc, R2_XORPEN);
    EXPECT_TRUE(FillRgn(c.dc, r, red));
    EXPECT_EQ(c.at(2, 2), RGB(255, 0, 255));  // FillRgn and PaintRgn mix with ROP2
    SelectObject(c.dc, red);
    EXPECT_TRUE(PaintRgn(c.dc, r));
    EXPECT_EQ(c.at(2, 2), RGB(0, 0, 255));
    SetROP2(c.dc, R2_BLACK);
    EXPECT_TRUE(InvertRgn(c.dc, r));  // InvertRgn ignores it
    EXPECT_EQ(c.at(2, 2), RGB(255, 255, 0));
    SetROP2(c.dc, R2_COPYPEN);
    c.clear(0xFFFFFF);
    EXPECT_TRUE(FrameRgn(c.dc, r, red, -2, 1));  // widths by magnitude
    EXPECT_EQ(c.at(3, 5), RGB(255, 0, 0));
    EXPECT_EQ(c.at(4, 5), RGB(255, 255, 255));
    EXPECT_EQ(c.at(6, 2), RGB(255, 0, 0));
    EXPECT_EQ(c.at(6, 3), RGB(255, 255, 255));
    EXPECT_TRUE(FrameRgn(c.dc, r, red, INT_MIN, INT_MIN));  // the whole region
    EXPECT_EQ(c.at(6, 5), RGB(255, 0, 0));
    HRGN empty = CreateRectRgn(0, 0, 0, 0);
    EXPECT_FALSE(FrameRgn(c.dc, empty, red, 1, 1));
    EXPECT_TRUE(FillRgn(c.dc, empty, red));
    EXPECT_FALSE(FillRgn(c.dc, r, nullptr));
    EXPECT_FALSE(FillRgn(c.dc, nullptr, red));
    EXPECT_FALSE(PaintRgn(nullptr, r));
    EXPECT_FALSE(InvertRgn(c.dc, reinterpret_cast<HRGN>(red)));
    // Regions far outside the surface.
    const int big = 1 << 27;
    HRGN huge = CreateRectRgn(-big, -big, big, big);
    SetViewportOrgEx(c.dc, big, -big, nullptr);
    EXPECT_TRUE(FillRgn(c.dc, huge, red));
    EXPECT_TRUE(FrameRgn(c.dc, huge, red, big, big));
    SelectObject(c.dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(red);
    DeleteObject(r);
    DeleteObject(empty);
    DeleteObject(huge);
}

}  // namespace
