// BitBlt, StretchBlt, MaskBlt and GradientFill as a caller sees them: pixels
// against the truth tables, conversions between pixel formats, stretch
// sample positions, and bad input.
#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

namespace {

// A DIB section of any depth selected into its own memory DC.
struct Canvas {
    HDC dc = nullptr;
    HBITMAP bmp = nullptr;
    HGDIOBJ old = nullptr;
    void* bits = nullptr;
    int width = 0, height = 0, bpp = 32;

    Canvas(int w, int h, int depth = 32, const std::vector<RGBQUAD>& colors = {}) : width(w), height(h), bpp(depth) {
        std::vector<uint8_t> buf(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
        auto* bi = reinterpret_cast<BITMAPINFO*>(buf.data());
        bi->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bi->bmiHeader.biWidth = w;
        bi->bmiHeader.biHeight = -h;
        bi->bmiHeader.biPlanes = 1;
        bi->bmiHeader.biBitCount = static_cast<WORD>(depth);
        bi->bmiHeader.biCompression = BI_RGB;
        bi->bmiHeader.biClrUsed = static_cast<DWORD>(colors.size());
        if (!colors.empty()) std::memcpy(bi->bmiColors, colors.data(), colors.size() * sizeof(RGBQUAD));
        bmp = CreateDIBSection(nullptr, bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        dc = CreateCompatibleDC(nullptr);
        old = SelectObject(dc, bmp);
    }
    ~Canvas() {
        SelectObject(dc, old);
        DeleteObject(bmp);
        DeleteDC(dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    uint32_t* px32() const { return static_cast<uint32_t*>(bits); }
    uint32_t& at(int x, int y) const { return px32()[y * width + x]; }
    void fill(uint32_t v) const {
        for (int i = 0; i < width * height; ++i) px32()[i] = v;
    }
    COLORREF get(int x, int y) const { return GetPixel(dc, x, y); }
};

RGBQUAD quad(BYTE r, BYTE g, BYTE b) { return RGBQUAD{b, g, r, 0}; }

uint32_t truthTable(unsigned code, uint32_t p, uint32_t s, uint32_t d) {
    uint32_t r = 0;
    for (int i = 0; i < 32; ++i) {
        const unsigned idx = 4 * ((p >> i) & 1) + 2 * ((s >> i) & 1) + ((d >> i) & 1);
        r |= ((code >> idx) & 1u) << i;
    }
    return r;
}

uint32_t xrgb(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

// ---- raster operations ----------------------------------------------------------

class AllRops : public ::testing::TestWithParam<bool> {};

// Every code, with a solid and with a tiled pattern, against the truth table.
TEST_P(AllRops, MatchTheTruthTable) {
    const bool tiled = GetParam();
    std::mt19937 rng(tiled ? 7 : 3);
    Canvas src(8, 8), dst(8, 8);
    std::vector<uint32_t> pat(16);
    for (auto& v : pat) v = rng() & 0xFFFFFF;
    std::vector<uint8_t> packed(sizeof(BITMAPINFOHEADER) + pat.size() * 4);
    BITMAPINFOHEADER bih{sizeof(BITMAPINFOHEADER), 4, -4, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::memcpy(packed.data(), &bih, sizeof bih);
    std::memcpy(packed.data() + sizeof bih, pat.data(), pat.size() * 4);
    const COLORREF solid = RGB(0x5A, 0x3C, 0xC3);
    HBRUSH brush = tiled ? CreateDIBPatternBrushPt(packed.data(), DIB_RGB_COLORS) : CreateSolidBrush(solid);
    HGDIOBJ oldBrush = SelectObject(dst.dc, brush);
    SetBrushOrgEx(dst.dc, 1, 2, nullptr);
    for (unsigned code = 0; code < 256; ++code) {
        std::vector<uint32_t> before(64);
        for (int i = 0; i < 64; ++i) {
            src.px32()[i] = rng() & 0xFFFFFF;
            dst.px32()[i] = before[i] = rng() & 0xFFFFFF;
        }
        ASSERT_TRUE(BitBlt(dst.dc, 0, 0, 8, 8, src.dc, 0, 0, code << 16)) << code;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                const uint32_t p = tiled ? pat[((y - 2 + 8) % 4) * 4 + (x - 1 + 8) % 4] : xrgb(solid);
                const uint32_t want = truthTable(code, p, src.at(x, y), before[y * 8 + x]);
                ASSERT_EQ(dst.at(x, y), want) << "code " << code << " at " << x << "," << y;
            }
    }
    SelectObject(dst.dc, oldBrush);
    DeleteObject(brush);
}

INSTANTIATE_TEST_SUITE_P(Brushes, AllRops, ::testing::Values(false, true));

TEST(Rops, OperationsWithoutASourceNeedNoSourceDC) {
    Canvas c(4, 4);
    c.fill(0x123456);
    EXPECT_TRUE(BitBlt(c.dc, 0, 0, 4, 4, nullptr, 0, 0, DSTINVERT));
    EXPECT_EQ(c.at(3, 3), 0xFFEDCBA9u);
    EXPECT_TRUE(BitBlt(c.dc, 0, 0, 2, 2, nullptr, 0, 0, BLACKNESS));
    EXPECT_EQ(c.get(1, 1), RGB(0, 0, 0));
    EXPECT_FALSE(BitBlt(c.dc, 0, 0, 4, 4, nullptr, 0, 0, SRCCOPY));
    EXPECT_FALSE(StretchBlt(c.dc, 0, 0, 4, 4, nullptr, 0, 0, 2, 2, SRCAND));
}

TEST(Rops, TransparentHatchGapsKeepTheDestination) {
    Canvas src(8, 8), dst(8, 8);
    src.fill(0x00FF00);
    dst.fill(0x0000FF);
    HBRUSH hatch = CreateHatchBrush(HS_VERTICAL, RGB(255, 0, 0));
    SelectObject(dst.dc, hatch);
    SetBkMode(dst.dc, TRANSPARENT);
    ASSERT_TRUE(BitBlt(dst.dc, 0, 0, 8, 8, src.dc, 0, 0, MERGECOPY));
    EXPECT_EQ(dst.at(4, 0), 0x000000u);  // red line AND green source
    EXPECT_EQ(dst.at(0, 0), 0x0000FFu);  // gap: untouched
    SelectObject(dst.dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(hatch);
}

// ---- format conversions -------------------------------------------------------------

TEST(Conversion, MonochromeDdbTakesTheDestinationColours) {
    HDC mdc = CreateCompatibleDC(nullptr);
    const BYTE rows[4] = {0xA0, 0, 0x50, 0};  // 1 0 1 0 / 0 1 0 1, WORD-aligned rows
    HBITMAP mono = CreateBitmap(4, 2, 1, 1, rows);
    HGDIOBJ old = SelectObject(mdc, mono);
    Canvas dst(4, 2);
    SetTextColor(dst.dc, RGB(10, 20, 30));
    SetBkColor(dst.dc, RGB(200, 100, 50));
    ASSERT_TRUE(BitBlt(dst.dc, 0, 0, 4, 2, mdc, 0, 0, SRCCOPY));
    EXPECT_EQ(dst.get(0, 0), RGB(200, 100, 50));  // 1 bits: background colour
    EXPECT_EQ(dst.get(1, 0), RGB(10, 20, 30));    // 0 bits: text colour
    EXPECT_EQ(dst.get(1, 1), RGB(200, 100, 50));
    SelectObject(mdc, old);
    DeleteObject(mono);
    DeleteDC(mdc);
}

TEST(Conversion, MonochromeDibKeepsItsColourTable) {
    Canvas mono(4, 1, 1, {quad(255, 0, 0), quad(0, 0, 255)});
    static_cast<uint8_t*>(mono.bits)[0] = 0x50;  // 0 1 0 1
    Canvas dst(4, 1);
    SetTextColor(dst.dc, RGB(0, 255, 0));
    SetBkColor(dst.dc, RGB(255, 255, 0));
    ASSERT_TRUE(BitBlt(dst.dc, 0, 0, 4, 1, mono.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(dst.get(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(dst.get(1, 0), RGB(0, 0, 255));
}

TEST(Conversion, ColourToMonochromeDdbMatchesTheSourceBackground) {
    Canvas src(3, 1);
    src.at(0, 0) = 0x102030;
    src.at(1, 0) = 0xFFFFFF;
    src.at(2, 0) = 0x102031;
    SetBkColor(src.dc, RGB(0x10, 0x20, 0x30));
    HDC mdc = CreateCompatibleDC(nullptr);
    HBITMAP mono = CreateCompatibleBitmap(mdc, 3, 1);  // a fresh memory DC is monochrome
    HGDIOBJ old = SelectObject(mdc, mono);
    ASSERT_TRUE(BitBlt(mdc, 0, 0, 3, 1, src.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(GetPixel(mdc, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(mdc, 1, 0), RGB(0, 0, 0));  // white, but not the background colour
    EXPECT_EQ(GetPixel(mdc, 2, 0), RGB(0, 0, 0));
    SelectObject(mdc, old);
    DeleteObject(mono);
    DeleteDC(mdc);
}

TEST(Conversion, IntoPalettesPicksTheNearestEntry) {
    const std::vector<RGBQUAD> table = {quad(0, 0, 0), quad(255, 0, 0), quad(0, 200, 0), quad(0, 0, 255),
                                        quad(255, 255, 255), quad(128, 128, 128)};
    for (int depth : {4, 8}) {
        Canvas dst(4, 1, depth, table);
        Canvas src(4, 1);
        src.at(0, 0) = 0xF01010;  // near red
        src.at(1, 0) = 0x10C010;  // near green
        src.at(2, 0) = 0x909090;  // grey
        src.at(3, 0) = 0xF0F0F0;  // near white
        ASSERT_TRUE(BitBlt(dst.dc, 0, 0, 4, 1, src.dc, 0, 0, SRCCOPY));
        EXPECT_EQ(dst.get(0, 0), RGB(255, 0, 0)) << depth;
        EXPECT_EQ(dst.get(1, 0), RGB(0, 200, 0)) << depth;
        EXPECT_EQ(dst.get(2, 0), RGB(128, 128, 128)) << depth;
        EXPECT_EQ(dst.get(3, 0), RGB(255, 255, 255)) << depth;
    }
}

TEST(Conversion, BetweenDirectFormats) {
    Canvas src(2, 1);
    src.at(0, 0) = 0xFF8844;
    src.at(1, 0) = 0x0F0F0F;
    Canvas d16(2, 1, 16), d24(2, 1, 24), back(2, 1);
    ASSERT_TRUE(BitBlt(d16.dc, 0, 0, 2, 1, src.dc, 0, 0, SRCCOPY));
    ASSERT_TRUE(BitBlt(d24.dc, 0, 0, 2, 1, src.dc, 0, 0, SRCCOPY));
    const auto* p16 = static_cast<const uint16_t*>(d16.bits);
    EXPECT_EQ(p16[0], (31 << 10) | (17 << 5) | 8);  // 5-5-5 keeps the top five bits
    EXPECT_EQ(d24.get(0, 0), RGB(0xFF, 0x88, 0x44));
    // 16 to 32 bits repeats the top bits into the low ones.
    ASSERT_TRUE(BitBlt(back.dc, 0, 0, 2, 1, d16.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(back.at(0, 0), 0xFF8C42u);
    EXPECT_EQ(back.at(1, 0), 0x080808u);
}

// Drawing into every depth through a raster operation that reads all three operands.
TEST(Conversion, RopsInEveryDepth) {
    for (int depth : {1, 4, 8, 16, 24}) {
        // Grey levels: 8-bit targets match colours by their top five bits, so no near-black entries.
        std::vector<RGBQUAD> table;
        if (depth <= 8) {
            table.resize(depth == 1 ? 2 : 16);
            for (size_t i = 0; i < table.size(); ++i) {
                const BYTE v = static_cast<BYTE>(i * 255 / (table.size() - 1));
                table[i] = quad(v, v, v);
            }
        }
        Canvas dst(6, 2, depth, table);
        Canvas src(6, 2);
        HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        RECT all{0, 0, 6, 2};
        FillRect(dst.dc, &all, white);
        for (int x = 0; x < 6; ++x) src.at(x, 0) = src.at(x, 1) = x < 3 ? 0x000000 : 0xFFFFFF;
        SelectObject(dst.dc, GetStockObject(BLACK_BRUSH));
        // P | S: a black pattern leaves the source.
        ASSERT_TRUE(BitBlt(dst.dc, 0, 0, 6, 2, src.dc, 0, 0, 0x00FC0000)) << depth;
        EXPECT_EQ(dst.get(0, 1), RGB(0, 0, 0)) << depth;
        EXPECT_EQ(dst.get(5, 1), RGB(255, 255, 255)) << depth;
        // D ^ S inverts where the source is white.
        ASSERT_TRUE(BitBlt(dst.dc, 0, 0, 6, 2, src.dc, 0, 0, SRCINVERT)) << depth;
        EXPECT_EQ(dst.get(1, 0), RGB(0, 0, 0)) << depth;
        EXPECT_EQ(dst.get(4, 0), RGB(0, 0, 0)) << depth;
    }
}

// Fills, pattern fills, inversion and blits into DIB sections of every depth,
// top-down and bottom-up, read back through GetPixel and the raw bits.
TEST(Depths, DrawingIntoEveryDibDepth) {
    const std::vector<RGBQUAD> table = {quad(0, 0, 0), quad(255, 255, 255), quad(255, 0, 0), quad(0, 0, 255)};
    for (int depth : {1, 4, 8, 16, 24, 32}) {
        std::vector<RGBQUAD> colors(table.begin(), table.begin() + (depth == 1 ? 2 : 4));
        if (depth > 8) colors.clear();
        Canvas c(9, 5, depth, colors);
        SCOPED_TRACE(depth);
        RECT all{0, 0, 9, 5};
        HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        ASSERT_TRUE(FillRect(c.dc, &all, white));
        EXPECT_EQ(c.get(8, 4), RGB(255, 255, 255));
        // A hatch: its lines black, the gaps in the background colour.
        HBRUSH hatch = CreateHatchBrush(HS_VERTICAL, RGB(0, 0, 0));
        SetBkColor(c.dc, RGB(255, 255, 255));
        HGDIOBJ old = SelectObject(c.dc, hatch);
        ASSERT_TRUE(PatBlt(c.dc, 0, 0, 9, 5, PATCOPY));
        EXPECT_EQ(c.get(4, 2), RGB(0, 0, 0));
        EXPECT_EQ(c.get(3, 2), RGB(255, 255, 255));
        // Inversion works on the raw values: colours for direct formats, indices for palettes.
        ASSERT_TRUE(PatBlt(c.dc, 0, 0, 2, 5, DSTINVERT));
        ASSERT_TRUE(InvertRect(c.dc, &all));
        if (depth == 1 || depth >= 16) {
            EXPECT_EQ(c.get(1, 1), RGB(255, 255, 255));  // inverted twice
            EXPECT_EQ(c.get(4, 1), RGB(255, 255, 255));
            EXPECT_EQ(c.get(5, 1), RGB(0, 0, 0));
        } else {
            const auto* row = static_cast<const uint8_t*>(c.bits);
            EXPECT_EQ(depth == 4 ? row[0] >> 4 : row[0], 1u);   // white's index, inverted twice
            EXPECT_EQ(depth == 4 ? row[2] >> 4 : row[4], depth == 4 ? 15u : 255u);  // black (index 0), inverted once
        }
        SelectObject(c.dc, old);
        DeleteObject(hatch);
        // Pixels and a blit of a two-colour 32-bit picture.
        if (depth > 1) {
            EXPECT_EQ(SetPixel(c.dc, 7, 3, RGB(255, 0, 0)), RGB(255, 0, 0));
            EXPECT_EQ(c.get(7, 3), RGB(255, 0, 0));
        }
        Canvas src(3, 2);
        src.fill(0xFFFFFF);
        src.at(1, 1) = 0x000000;
        ASSERT_TRUE(BitBlt(c.dc, 6, 0, 3, 2, src.dc, 0, 0, SRCCOPY));
        EXPECT_EQ(c.get(7, 1), RGB(0, 0, 0));
        EXPECT_EQ(c.get(8, 1), RGB(255, 255, 255));
        // The pixels outside what was drawn are untouched.
        if (depth == 1 || depth >= 16) {
            EXPECT_EQ(c.get(5, 4), RGB(0, 0, 0));
        }
    }
}

// ---- stretching ---------------------------------------------------------------------------

std::vector<uint32_t> stretchRow(const std::vector<uint32_t>& row, int dw, int mode) {
    Canvas src(static_cast<int>(row.size()), 1), dst(dw, 1);
    for (size_t i = 0; i < row.size(); ++i) src.at(static_cast<int>(i), 0) = row[i];
    SetStretchBltMode(dst.dc, mode);
    EXPECT_TRUE(StretchBlt(dst.dc, 0, 0, dw, 1, src.dc, 0, 0, static_cast<int>(row.size()), 1, SRCCOPY));
    return std::vector<uint32_t>(dst.px32(), dst.px32() + dw);
}

TEST(Stretch, EnlargingSamplesPixelCentres) {
    // Destination pixel k takes source pixel ceil((k + 1/2) * 2 / 5) - 1.
    EXPECT_EQ(stretchRow({1, 2}, 5, COLORONCOLOR), (std::vector<uint32_t>{1, 1, 1, 2, 2}));
    EXPECT_EQ(stretchRow({1, 2, 3}, 7, COLORONCOLOR), (std::vector<uint32_t>{1, 1, 2, 2, 2, 3, 3}));
}

TEST(Stretch, ShrinkingModes) {
    const std::vector<uint32_t> row = {0xF0F0F0, 0x0F0F0F, 0xFF0000, 0x00FF00, 0x0000FF, 0x123456};
    EXPECT_EQ(stretchRow(row, 2, BLACKONWHITE), (std::vector<uint32_t>{0x000000, 0x000000}));
    EXPECT_EQ(stretchRow(row, 2, WHITEONBLACK), (std::vector<uint32_t>{0xFFFFFF, 0x12FFFF}));
    // Without merging, the last pixel of each group stays (along a row).
    EXPECT_EQ(stretchRow(row, 2, COLORONCOLOR), (std::vector<uint32_t>{0xFF0000, 0x123456}));
}

TEST(Stretch, HalftoneInterpolates) {
    const auto out = stretchRow({0x000000, 0xFEFEFE}, 4, HALFTONE);
    EXPECT_EQ(out.front(), 0x000000u);
    EXPECT_EQ(out[1], 0x7F7F7Fu);
    EXPECT_EQ(out.back(), 0xFEFEFEu);
}

TEST(Stretch, MirroredExtents) {
    Canvas src(3, 1), dst(3, 1);
    src.at(0, 0) = 1;
    src.at(1, 0) = 2;
    src.at(2, 0) = 3;
    ASSERT_TRUE(StretchBlt(dst.dc, 0, 0, 3, 1, src.dc, 2, 0, -3, 1, SRCCOPY));
    EXPECT_EQ(dst.at(0, 0), 3u);
    EXPECT_EQ(dst.at(2, 0), 1u);
    // Both extents negative: a plain copy of the rectangle left of the origins.
    dst.fill(0);
    ASSERT_TRUE(StretchBlt(dst.dc, 2, 0, -2, 1, src.dc, 2, 0, -2, 1, SRCCOPY));
    EXPECT_EQ(dst.at(1, 0), 2u);
    EXPECT_EQ(dst.at(2, 0), 3u);
}

TEST(Stretch, OverlappingSelfCopiesReadBeforeWriting) {
    Canvas c(10, 1);
    for (int x = 0; x < 10; ++x) c.at(x, 0) = static_cast<uint32_t>(x);
    ASSERT_TRUE(BitBlt(c.dc, 2, 0, 8, 1, c.dc, 0, 0, SRCCOPY));
    for (int x = 2; x < 10; ++x) EXPECT_EQ(c.at(x, 0), static_cast<uint32_t>(x - 2));
    ASSERT_TRUE(StretchBlt(c.dc, 0, 0, 10, 1, c.dc, 2, 0, 5, 1, SRCCOPY));
    EXPECT_EQ(c.at(0, 0), 0u);
    EXPECT_EQ(c.at(9, 0), 4u);
}

// ---- MaskBlt --------------------------------------------------------------------------------

TEST(MaskBlt, TheMaskPicksTheOperation) {
    Canvas src(4, 1), dst(4, 1);
    src.fill(0x00FF00);
    dst.fill(0x0000FF);
    const BYTE bits[2] = {0x90, 0};  // 1 0 0 1
    HBITMAP mask = CreateBitmap(4, 1, 1, 1, bits);
    // Foreground SRCCOPY where the mask is 1, background: keep the destination.
    ASSERT_TRUE(MaskBlt(dst.dc, 0, 0, 4, 1, src.dc, 0, 0, mask, 0, 0, (0xAAu << 24) | SRCCOPY));
    EXPECT_EQ(dst.at(0, 0), 0x00FF00u);
    EXPECT_EQ(dst.at(1, 0), 0x0000FFu);
    EXPECT_EQ(dst.at(3, 0), 0x00FF00u);
    // A colour mask is refused; no mask is a BitBlt.
    Canvas colour(4, 1);
    EXPECT_FALSE(MaskBlt(dst.dc, 0, 0, 4, 1, src.dc, 0, 0, colour.bmp, 0, 0, SRCCOPY));
    dst.fill(0);
    EXPECT_TRUE(MaskBlt(dst.dc, 0, 0, 4, 1, src.dc, 0, 0, nullptr, 0, 0, SRCCOPY));
    EXPECT_EQ(dst.at(1, 0), 0x00FF00u);
    DeleteObject(mask);
}

// ---- bad input ------------------------------------------------------------------------------------

TEST(BadInput, BlitsRefuseBadHandlesAndSurviveWildCoordinates) {
    Canvas a(16, 16), b(16, 16);
    HDC bogus = reinterpret_cast<HDC>(uintptr_t(0xDEAD));
    EXPECT_FALSE(BitBlt(bogus, 0, 0, 4, 4, a.dc, 0, 0, SRCCOPY));
    EXPECT_FALSE(BitBlt(a.dc, 0, 0, 4, 4, bogus, 0, 0, SRCCOPY));
    EXPECT_FALSE(StretchBlt(a.dc, 0, 0, 4, 4, reinterpret_cast<HDC>(a.bmp), 0, 0, 2, 2, SRCCOPY));
    const int big = 1 << 27;
    for (int mode : {BLACKONWHITE, COLORONCOLOR, HALFTONE}) {
        SetStretchBltMode(a.dc, mode);
        EXPECT_TRUE(StretchBlt(a.dc, -big, -big, 2 * big, 2 * big, b.dc, 0, 0, 16, 16, SRCCOPY));
        EXPECT_TRUE(StretchBlt(a.dc, 0, 0, 16, 16, b.dc, -big, -big, 2 * big, 2 * big, SRCCOPY));
        EXPECT_TRUE(StretchBlt(a.dc, big, 0, 16, 16, b.dc, 0, 0, 16, 16, SRCCOPY));
        EXPECT_TRUE(StretchBlt(a.dc, 0, 0, INT_MIN, -1, b.dc, 0, 0, INT_MAX, 16, SRCCOPY));
        EXPECT_TRUE(StretchBlt(a.dc, 0, 0, 0, 16, b.dc, 0, 0, 16, 16, SRCCOPY));
        EXPECT_TRUE(StretchBlt(a.dc, 0, 0, 16, 16, b.dc, 0, 0, 0, 0, SRCCOPY));
    }
    EXPECT_TRUE(BitBlt(a.dc, big, big, big, big, b.dc, -big, -big, SRCINVERT));
    EXPECT_TRUE(BitBlt(a.dc, 0, 0, -big, -big, b.dc, 0, 0, SRCINVERT));
}

TEST(BadInput, GradientFillRefusesMalformedMeshes) {
    Canvas c(8, 8);
    TRIVERTEX v[2] = {{0, 0, 0, 0, 0, 0}, {8, 8, 0xFF00, 0xFF00, 0xFF00, 0}};
    ULONG rect[2] = {0, 1}, bad[2] = {0, 2};
    EXPECT_FALSE(GradientFill(reinterpret_cast<HDC>(uintptr_t(1)), v, 2, rect, 1, GRADIENT_FILL_RECT_H));
    EXPECT_FALSE(GradientFill(c.dc, nullptr, 2, rect, 1, GRADIENT_FILL_RECT_H));
    EXPECT_FALSE(GradientFill(c.dc, v, 0, rect, 1, GRADIENT_FILL_RECT_H));
    EXPECT_FALSE(GradientFill(c.dc, v, 2, nullptr, 1, GRADIENT_FILL_RECT_H));
    EXPECT_FALSE(GradientFill(c.dc, v, 2, rect, 0, GRADIENT_FILL_RECT_H));
    EXPECT_FALSE(GradientFill(c.dc, v, 2, bad, 1, GRADIENT_FILL_RECT_H));
    EXPECT_FALSE(GradientFill(c.dc, v, 2, rect, 1, 7));
    EXPECT_EQ(c.at(3, 3), 0u);  // nothing drawn by the refused calls
    EXPECT_TRUE(GradientFill(c.dc, v, 2, rect, 1, GRADIENT_FILL_RECT_H));
    EXPECT_EQ(c.at(7, 0), 0x00DFDFDFu);  // 7/8 of the way
}

// ---- gradients -------------------------------------------------------------------------------------

TEST(Gradient, TrianglesOfAMeshCoverEachPixelOnce) {
    // A fan around a point, one triangle at a time: count the coverage.
    Canvas c(64, 64);
    const int n = 12;
    std::vector<TRIVERTEX> v(n + 1);
    v[0] = {32, 32, 0xFF00, 0xFF00, 0xFF00, 0};
    for (int i = 0; i < n; ++i) {
        const double a = 6.283185307179586 * i / n;
        v[i + 1] = {static_cast<LONG>(32 + 40 * std::cos(a)), static_cast<LONG>(32 + 40 * std::sin(a)), 0xFF00, 0xFF00,
                    0xFF00, 0};
    }
    std::vector<uint32_t> cover(64 * 64, 0);
    for (int i = 0; i < n; ++i) {
        c.fill(0);
        ULONG tri[3] = {0, static_cast<ULONG>(i + 1), static_cast<ULONG>((i + 1) % n + 1)};
        ASSERT_TRUE(GradientFill(c.dc, v.data(), static_cast<ULONG>(v.size()), tri, 1, GRADIENT_FILL_TRIANGLE));
        for (int k = 0; k < 64 * 64; ++k) cover[k] += c.px32()[k] != 0;
    }
    for (int k = 0; k < 64 * 64; ++k) ASSERT_LE(cover[k], 1u) << "pixel " << k % 64 << "," << k / 64;
    EXPECT_EQ(cover[32 * 64 + 32], 1u);
}

TEST(Gradient, HugeMeshesAndLowDepths) {
    std::mt19937 rng(5);
    std::vector<TRIVERTEX> v(3000);
    for (auto& t : v)
        t = {static_cast<LONG>(rng() % 120) - 30, static_cast<LONG>(rng() % 120) - 30, static_cast<COLOR16>(rng()),
             static_cast<COLOR16>(rng()), static_cast<COLOR16>(rng()), 0};
    std::vector<ULONG> mesh(1500);
    for (auto& m : mesh) m = rng() % v.size();
    for (int depth : {1, 4, 8, 16, 24, 32}) {
        std::vector<RGBQUAD> table;
        if (depth <= 8) table.assign(size_t(1) << depth, quad(0, 0, 0));
        for (size_t i = 0; i < table.size(); ++i) table[i] = quad(static_cast<BYTE>(i * 37), static_cast<BYTE>(i * 91), static_cast<BYTE>(i * 13));
        Canvas c(64, 64, depth, table);
        GradientFill(c.dc, v.data(), static_cast<ULONG>(v.size()), mesh.data(), static_cast<ULONG>(mesh.size() / 3),
                     GRADIENT_FILL_TRIANGLE);
        EXPECT_TRUE(GradientFill(c.dc, v.data(), static_cast<ULONG>(v.size()), mesh.data(),
                                 static_cast<ULONG>(mesh.size() / 2), GRADIENT_FILL_RECT_V));
    }
}

TEST(Gradient, SixteenBitsAreDithered) {
    Canvas c(16, 4, 16);
    TRIVERTEX v[2] = {{0, 0, 0x4400, 0x4400, 0x4400, 0}, {16, 4, 0x4400, 0x4400, 0x4400, 0}};
    ULONG rect[2] = {0, 1};
    ASSERT_TRUE(GradientFill(c.dc, v, 2, rect, 1, GRADIENT_FILL_RECT_V));
    // A level between two 5-bit steps comes out as a mix of both.
    const auto* p = static_cast<const uint16_t*>(c.bits);
    int low = 0, high = 0;
    for (int i = 0; i < 16; ++i) (((p[i] >> 10) & 31) == 8 ? low : high)++;
    EXPECT_GT(low, 0);
    EXPECT_GT(high, 0);
}

}  // namespace
