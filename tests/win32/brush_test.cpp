// Brushes and the rectangle and region fills beyond the golden pictures:
// packed DIB pattern brushes of every depth and colour usage (the scripts
// have only 32-bit ones), what creation and the fills refuse, their results,
// and where we deliberately differ from the reference.
#include "../support/test_support.h"

#include <climits>
#include <cstring>

using testsupport::Canvas;

namespace {

// A packed DIB: header, colour table (RGBQUADs or WORD indices), pixels.
struct PackedDib {
    std::vector<uint8_t> bytes;
    int width, height, bpp;
    bool topDown;
    size_t bitsAt = 0;
    size_t stride() const { return (static_cast<size_t>(width) * bpp + 31) / 32 * 4; }

    PackedDib(int w, int h, int depth, bool top, UINT usage, const std::vector<uint32_t>& table = {},
              DWORD compression = BI_RGB)
        : width(w), height(h), bpp(depth), topDown(top) {
        const BITMAPINFOHEADER bih{sizeof bih, w, top ? -h : h, 1, static_cast<WORD>(depth), compression, 0, 0, 0,
                                   static_cast<DWORD>(table.size()), 0};
        bytes.assign(reinterpret_cast<const uint8_t*>(&bih), reinterpret_cast<const uint8_t*>(&bih) + sizeof bih);
        for (uint32_t v : table) bytes.insert(bytes.end(), reinterpret_cast<uint8_t*>(&v),
                                              reinterpret_cast<uint8_t*>(&v) + (usage == DIB_PAL_COLORS ? 2 : 4));
        while (bytes.size() % 4) bytes.push_back(0);
        bitsAt = bytes.size();
        bytes.resize(bitsAt + stride() * h);
    }
    // Stores a raw pixel value at (x, y), y counted from the top.
    void set(int x, int y, uint32_t v) {
        uint8_t* row = bytes.data() + bitsAt + stride() * static_cast<size_t>(topDown ? y : height - 1 - y);
        switch (bpp) {
        case 1: row[x >> 3] |= static_cast<uint8_t>((v & 1) << (7 - (x & 7))); break;
        case 4: row[x >> 1] |= static_cast<uint8_t>((v & 15) << ((x & 1) ? 0 : 4)); break;
        case 8: row[x] = static_cast<uint8_t>(v); break;
        default: std::memcpy(row + bpp / 8 * x, &v, bpp / 8); break;
        }
    }
    BITMAPINFOHEADER& header() { return *reinterpret_cast<BITMAPINFOHEADER*>(bytes.data()); }
};

void fill(Canvas& c, HBRUSH b) {
    const RECT r{0, 0, c.width(), c.height()};
    FillRect(c.dc, &r, b);
}

int wrap(int v, int n) { return ((v % n) + n) % n; }

TEST(DibPatternBrush, EveryDepthTilesFromTheBrushOrigin) {
    const std::vector<uint32_t> table = {0x102030, 0xF0E0D0, 0x00FF00, 0x0000FF, 0xFF0000, 0x808000, 0x00FFFF, 0xFF00FF,
                                         0x123456, 0x654321, 0xABCDEF, 0x111111, 0x222222, 0x333333, 0x444444, 0x555555};
    auto c5 = [](uint32_t c) { return static_cast<BYTE>((c << 3) | (c >> 2)); };
    for (int bpp : {1, 4, 8, 16, 24, 32})
        for (bool topDown : {false, true}) {
            const int w = 5, h = 3;
            PackedDib dib(w, h, bpp, topDown, DIB_RGB_COLORS,
                          bpp > 8 ? std::vector<uint32_t>{} : std::vector<uint32_t>(table.begin(), table.begin() + (bpp == 1 ? 2 : 16)));
            std::vector<COLORREF> expect(w * h);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const uint32_t v = static_cast<uint32_t>(x * 3 + y * 5 + 1);
                    COLORREF& e = expect[y * w + x];
                    if (bpp <= 8) {
                        const uint32_t i = v & (bpp == 1 ? 1 : 15);
                        dib.set(x, y, i);
                        e = testsupport::colorOf(table[i]);
                    } else if (bpp == 16) {
                        const uint32_t p = (v * 0x0842u + 0x1234u) & 0x7FFF;  // x-5-5-5
                        dib.set(x, y, p);
                        e = RGB(c5((p >> 10) & 31), c5((p >> 5) & 31), c5(p & 31));
                    } else {
                        const uint32_t p = (v * 0x1F3D5Bu) & 0xFFFFFF;
                        dib.set(x, y, p | (bpp == 32 ? 0xAB000000u : 0));  // the top byte is not a colour
                        e = testsupport::colorOf(p);
                    }
                }
            HBRUSH b = CreateDIBPatternBrushPt(dib.bytes.data(), DIB_RGB_COLORS);
            ASSERT_NE(b, nullptr) << bpp;
            Canvas c(12, 7);
            for (POINT org : {POINT{0, 0}, POINT{-2, 1}, POINT{7, -4}}) {
                SetBrushOrgEx(c.dc, org.x, org.y, nullptr);
                fill(c, b);
                for (int y = 0; y < c.height(); ++y)
                    for (int x = 0; x < c.width(); ++x)
                        ASSERT_EQ(c.color(x, y), expect[wrap(y - org.y, h) * w + wrap(x - org.x, w)])
                            << bpp << " bpp " << (topDown ? "top-down" : "bottom-up") << " at " << x << "," << y;
            }
            DeleteObject(b);
        }
}

TEST(DibPatternBrush, PaletteIndicesBitFieldsGlobalMemoryAndIndirectCreation) {
    Canvas c(4, 4);
    // DIB_PAL_COLORS: indices into the DC's palette, the 20-colour default one.
    PackedDib pal(2, 1, 8, false, DIB_PAL_COLORS, {13, 16});
    pal.set(1, 0, 1);
    HBRUSH b = CreateDIBPatternBrushPt(pal.bytes.data(), DIB_PAL_COLORS);
    fill(c, b);
    EXPECT_EQ(c.color(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(c.color(1, 0), RGB(0, 0, 255));
    DeleteObject(b);
    // 5-6-5 bit fields: the masks follow the header.
    PackedDib f(2, 1, 16, false, DIB_RGB_COLORS, {0xF800, 0x07E0, 0x001F}, BI_BITFIELDS);
    f.header().biClrUsed = 0;
    f.set(0, 0, 0xF800);
    f.set(1, 0, 0x07E0 | 0x001F);
    b = CreateDIBPatternBrushPt(f.bytes.data(), DIB_RGB_COLORS);
    fill(c, b);
    EXPECT_EQ(c.color(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(c.color(1, 0), RGB(0, 255, 255));
    DeleteObject(b);
    // From global memory (the brush keeps a copy) and through a LOGBRUSH.
    PackedDib dib(2, 2, 32, true, DIB_RGB_COLORS);
    dib.set(0, 0, 0xFF0000);
    dib.set(1, 1, 0xFFFFFF);
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, dib.bytes.size());
    std::memcpy(GlobalLock(mem), dib.bytes.data(), dib.bytes.size());
    GlobalUnlock(mem);
    b = CreateDIBPatternBrush(mem, DIB_RGB_COLORS);
    GlobalFree(mem);
    LOGBRUSH lb{};
    ASSERT_EQ(GetObjectW(b, sizeof lb, &lb), static_cast<int>(sizeof lb));
    EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_DIBPATTERN));
    fill(c, b);
    EXPECT_EQ(c.color(2, 0), RGB(255, 0, 0));
    EXPECT_EQ(c.color(3, 3), RGB(255, 255, 255));
    DeleteObject(b);
    const LOGBRUSH pt{BS_DIBPATTERNPT, DIB_RGB_COLORS, reinterpret_cast<ULONG_PTR>(dib.bytes.data())};
    b = CreateBrushIndirect(&pt);
    c.clear(RGB(0, 0, 0));
    fill(c, b);
    EXPECT_EQ(c.color(0, 2), RGB(255, 0, 0));
    DeleteObject(b);
}

TEST(DibPatternBrush, MalformedDibsAreRefused) {
    PackedDib dib(5, 3, 8, false, DIB_RGB_COLORS, {0, 0xFFFFFF});
    BITMAPINFOHEADER& h = dib.header();
    auto refused = [&] { return CreateDIBPatternBrushPt(dib.bytes.data(), DIB_RGB_COLORS) == nullptr; };
    EXPECT_EQ(CreateDIBPatternBrushPt(nullptr, DIB_RGB_COLORS), nullptr);
    EXPECT_EQ(CreateDIBPatternBrushPt(dib.bytes.data(), 2), nullptr);
    EXPECT_EQ(CreateDIBPatternBrush(nullptr, DIB_RGB_COLORS), nullptr);
    h.biCompression = BI_RLE8;
    EXPECT_TRUE(refused());
    h.biCompression = BI_RGB;
    h.biBitCount = 7;
    EXPECT_TRUE(refused());
    h.biBitCount = 8;
    h.biWidth = 0;
    EXPECT_TRUE(refused());
    h.biWidth = 5;
    h.biHeight = INT_MIN;
    EXPECT_TRUE(refused());
}

TEST(PatternBrush, TopDownDibSectionsTileTheRightWayUp) {
    // The reference paints these black; Windows and we use the pattern.
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 2, -2, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* p = static_cast<BYTE*>(bits);
    p[2] = 0xFF;          // (0,0) red
    p[8 + 3 + 1] = 0xFF;  // (1,1) green: rows of 8 bytes, BGR
    HBRUSH b = CreatePatternBrush(section);
    Canvas c(4, 4);
    fill(c, b);
    EXPECT_EQ(c.color(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(c.color(3, 3), RGB(0, 255, 0));
    EXPECT_EQ(c.color(1, 0), RGB(0, 0, 0));
    DeleteObject(b);
    DeleteObject(section);
}

TEST(HatchBrush, TheBackgroundModeAppliesAtOnceAndCreationIsChecked) {
    // The reference keeps a hatch's background until it is selected again (a
    // Wine bug the scripts work around); Windows and we apply it at once.
    Canvas c(8, 8, RGB(0, 255, 0));
    HBRUSH h = CreateHatchBrush(HS_CROSS, RGB(255, 0, 0));
    SetBkColor(c.dc, RGB(0, 0, 255));
    fill(c, h);
    EXPECT_EQ(c.color(0, 0), RGB(0, 0, 255));
    SetBkMode(c.dc, TRANSPARENT);
    c.clear(RGB(0, 255, 0));
    fill(c, h);
    EXPECT_EQ(c.color(0, 0), RGB(0, 255, 0));
    EXPECT_EQ(c.color(4, 0), RGB(255, 0, 0));
    DeleteObject(h);

    EXPECT_EQ(CreateHatchBrush(-1, 0), nullptr);
    EXPECT_EQ(CreateHatchBrush(HS_DIAGCROSS + 1, 0), nullptr);
    const LOGBRUSH lb{BS_HATCHED, RGB(1, 2, 3), HS_BDIAGONAL};
    HBRUSH made = CreateBrushIndirect(&lb);
    LOGBRUSH out{};
    GetObjectW(made, sizeof out, &out);
    EXPECT_EQ(out.lbStyle, static_cast<UINT>(BS_HATCHED));
    EXPECT_EQ(out.lbColor, RGB(1, 2, 3));
    EXPECT_EQ(out.lbHatch, static_cast<ULONG_PTR>(HS_BDIAGONAL));
    DeleteObject(made);
    const LOGBRUSH none{BS_NULL, 0, 0}, bad{77, 0, 0};
    EXPECT_EQ(CreateBrushIndirect(&none), GetStockObject(NULL_BRUSH));
    EXPECT_EQ(CreateBrushIndirect(&bad), nullptr);
    EXPECT_EQ(CreateBrushIndirect(nullptr), nullptr);
}

TEST(Fills, ResultsAndRefusals) {
    Canvas c(10, 10);
    const HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    RECT r{0, 0, 10, 10};
    EXPECT_EQ(FillRect(c.dc, &r, reinterpret_cast<HBRUSH>(static_cast<intptr_t>(COLOR_HIGHLIGHT + 1))), 1);
    EXPECT_EQ(c.color(3, 3), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(FillRect(c.dc, &r, reinterpret_cast<HBRUSH>(uintptr_t(0x12345))), 0);  // paints nothing
    EXPECT_EQ(c.color(3, 3), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(FillRect(c.dc, nullptr, black), 0);
    EXPECT_EQ(FillRect(nullptr, &r, black), 0);
    // FillRect copies the pattern whatever the ROP2.
    SetROP2(c.dc, R2_XORPEN);
    EXPECT_EQ(FillRect(c.dc, &r, black), 1);
    EXPECT_TRUE(c.is(3, 3, RGB(0, 0, 0)));
    SetROP2(c.dc, R2_COPYPEN);
    // FrameRect refuses what has no inside.
    RECT inverted{8, 8, 2, 2}, flat{7, 1, 7, 9}, thin{8, 1, 9, 9};
    EXPECT_EQ(FrameRect(c.dc, &inverted, black), 0);
    EXPECT_EQ(FrameRect(c.dc, &flat, black), 0);
    EXPECT_EQ(FrameRect(c.dc, &thin, black), 1);
    // PatBlt takes raster operations without a source only.
    SelectObject(c.dc, black);
    c.clear(RGB(0, 255, 0));
    EXPECT_FALSE(PatBlt(c.dc, 0, 0, 8, 8, SRCCOPY));
    EXPECT_TRUE(PatBlt(c.dc, 0, 0, 8, 8, 0x00AA0000));  // destination only, no low word
    EXPECT_TRUE(c.is(0, 0, RGB(0, 255, 0)));
    EXPECT_TRUE(PatBlt(c.dc, 0, 0, 8, 8, 0x00500325));  // P & ~D
    EXPECT_TRUE(c.is(0, 0, RGB(0, 0, 0)));
    EXPECT_FALSE(PatBlt(nullptr, 0, 0, 1, 1, PATCOPY));
    // Rectangles to the ends of the coordinate range.
    const int big = 1 << 27;
    EXPECT_TRUE(PatBlt(c.dc, -big, -big, 2 * big, 2 * big, WHITENESS));
    EXPECT_TRUE(c.white(7, 7));
    EXPECT_TRUE(PatBlt(c.dc, INT_MAX, INT_MAX, INT_MAX, INT_MAX, BLACKNESS));
    EXPECT_TRUE(PatBlt(c.dc, INT_MIN, INT_MIN, -INT_MAX, -INT_MAX, BLACKNESS));
    RECT huge{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    EXPECT_EQ(FillRect(c.dc, &huge, black), 1);
    EXPECT_TRUE(c.is(3, 3, RGB(0, 0, 0)));
    EXPECT_TRUE(InvertRect(c.dc, &huge));
    EXPECT_TRUE(c.white(3, 3));
}

TEST(Fills, RegionPaintersRefuseAndReachFar) {
    Canvas c(20, 20);
    HRGN r = CreateRectRgn(2, 2, 12, 10), empty = CreateRectRgn(0, 0, 0, 0);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    EXPECT_TRUE(FrameRgn(c.dc, r, red, -2, 1));  // widths by magnitude
    EXPECT_TRUE(c.is(3, 5, RGB(255, 0, 0)) && c.white(4, 5));
    EXPECT_TRUE(FrameRgn(c.dc, r, red, INT_MIN, INT_MIN));  // the whole region
    EXPECT_TRUE(c.is(6, 5, RGB(255, 0, 0)));
    EXPECT_FALSE(FrameRgn(c.dc, empty, red, 1, 1));
    EXPECT_TRUE(FillRgn(c.dc, empty, red));
    EXPECT_FALSE(FillRgn(c.dc, r, nullptr));
    EXPECT_FALSE(FillRgn(c.dc, nullptr, red));
    EXPECT_FALSE(PaintRgn(nullptr, r));
    EXPECT_FALSE(InvertRgn(c.dc, reinterpret_cast<HRGN>(red)));
    const int big = 1 << 27;
    HRGN huge = CreateRectRgn(-big, -big, big, big);
    SetViewportOrgEx(c.dc, big, -big, nullptr);
    EXPECT_TRUE(FillRgn(c.dc, huge, red));
    EXPECT_TRUE(FrameRgn(c.dc, huge, red, big, big));
    for (HGDIOBJ o : {HGDIOBJ(red), HGDIOBJ(r), HGDIOBJ(empty), HGDIOBJ(huge)}) DeleteObject(o);
}

}  // namespace
