// Blits and gradients beyond the golden pictures (whose canvas is always 32
// bits): drawing into and converting between surfaces of every depth,
// MaskBlt, and what is refused or survived.
#include "../support/test_support.h"

#include <climits>
#include <cmath>
#include <random>

using testsupport::Canvas;

namespace {

RGBQUAD quad(BYTE r, BYTE g, BYTE b) { return RGBQUAD{b, g, r, 0}; }

std::vector<RGBQUAD> greys(int n) {
    std::vector<RGBQUAD> t(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) t[i] = quad(BYTE(i * 255 / (n - 1)), BYTE(i * 255 / (n - 1)), BYTE(i * 255 / (n - 1)));
    return t;
}

TEST(Conversion, MonochromeBitmapsAndTheDcColours) {
    // A monochrome DDB source takes the destination's colours: 1 bits the background.
    HDC mdc = CreateCompatibleDC(nullptr);
    const BYTE rows[4] = {0xA0, 0, 0x50, 0};  // 1 0 1 0 / 0 1 0 1, WORD-aligned rows
    HBITMAP mono = CreateBitmap(4, 2, 1, 1, rows);
    HGDIOBJ old = SelectObject(mdc, mono);
    Canvas dst(4, 2);
    SetTextColor(dst.dc, RGB(10, 20, 30));
    SetBkColor(dst.dc, RGB(200, 100, 50));
    ASSERT_TRUE(BitBlt(dst.dc, 0, 0, 4, 2, mdc, 0, 0, SRCCOPY));
    EXPECT_EQ(dst.color(0, 0), RGB(200, 100, 50));
    EXPECT_EQ(dst.color(1, 0), RGB(10, 20, 30));
    EXPECT_EQ(dst.color(1, 1), RGB(200, 100, 50));
    SelectObject(mdc, old);
    DeleteObject(mono);
    // Colour into a monochrome DDB: white where the source has its background colour.
    Canvas src(3, 1);
    src.bits()[0] = 0x102030;
    src.bits()[1] = 0xFFFFFF;
    src.bits()[2] = 0x102031;
    SetBkColor(src.dc, RGB(0x10, 0x20, 0x30));
    mono = CreateCompatibleBitmap(mdc, 3, 1);  // a fresh memory DC is monochrome
    old = SelectObject(mdc, mono);
    ASSERT_TRUE(BitBlt(mdc, 0, 0, 3, 1, src.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(GetPixel(mdc, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(mdc, 1, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(mdc, 2, 0), RGB(0, 0, 0));
    SelectObject(mdc, old);
    DeleteObject(mono);
    DeleteDC(mdc);
}

TEST(Conversion, IntoPalettesPicksTheNearestEntry) {
    const std::vector<RGBQUAD> table = {quad(0, 0, 0), quad(255, 0, 0), quad(0, 200, 0), quad(0, 0, 255),
                                        quad(255, 255, 255), quad(128, 128, 128)};
    for (int depth : {4, 8}) {
        Canvas dst(4, 1, RGB(0, 0, 0), depth, table), src(4, 1);
        const uint32_t near[] = {0xF01010, 0x10C010, 0x909090, 0xF0F0F0};
        const COLORREF want[] = {RGB(255, 0, 0), RGB(0, 200, 0), RGB(128, 128, 128), RGB(255, 255, 255)};
        std::copy(near, near + 4, src.bits());
        ASSERT_TRUE(BitBlt(dst.dc, 0, 0, 4, 1, src.dc, 0, 0, SRCCOPY));
        for (int x = 0; x < 4; ++x) EXPECT_EQ(GetPixel(dst.dc, x, 0), want[x]) << depth << " bpp at " << x;
    }
}

TEST(Conversion, BetweenDirectFormats) {
    Canvas src(2, 1), d16(2, 1, 0, 16), d24(2, 1, 0, 24), back(2, 1);
    src.bits()[0] = 0xFF8844;
    src.bits()[1] = 0x0F0F0F;
    ASSERT_TRUE(BitBlt(d16.dc, 0, 0, 2, 1, src.dc, 0, 0, SRCCOPY));
    ASSERT_TRUE(BitBlt(d24.dc, 0, 0, 2, 1, src.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(static_cast<const uint16_t*>(d16.raw())[0], (31 << 10) | (17 << 5) | 8);  // 5-5-5: the top five bits
    EXPECT_EQ(GetPixel(d24.dc, 0, 0), RGB(0xFF, 0x88, 0x44));
    ASSERT_TRUE(BitBlt(back.dc, 0, 0, 2, 1, d16.dc, 0, 0, SRCCOPY));  // the top bits repeated into the low ones
    EXPECT_EQ(back.at(0, 0), 0xFF8C42u);
    EXPECT_EQ(back.at(1, 0), 0x080808u);
}

// Fills, patterns, inversion, pixels and blits into DIB sections of every
// depth, read back through GetPixel and the raw bits.
TEST(Depths, DrawingIntoEveryDibDepth) {
    const std::vector<RGBQUAD> table = {quad(0, 0, 0), quad(255, 255, 255), quad(255, 0, 0), quad(0, 0, 255)};
    for (int depth : {1, 4, 8, 16, 24, 32}) {
        SCOPED_TRACE(depth);
        Canvas c(9, 5, RGB(255, 255, 255), depth,
                 depth > 8 ? std::vector<RGBQUAD>{} : std::vector<RGBQUAD>(table.begin(), table.begin() + (depth == 1 ? 2 : 4)));
        EXPECT_EQ(GetPixel(c.dc, 8, 4), RGB(255, 255, 255));
        HBRUSH hatch = CreateHatchBrush(HS_VERTICAL, RGB(0, 0, 0));
        HGDIOBJ old = SelectObject(c.dc, hatch);
        ASSERT_TRUE(PatBlt(c.dc, 0, 0, 9, 5, PATCOPY));
        EXPECT_EQ(GetPixel(c.dc, 4, 2), RGB(0, 0, 0));
        EXPECT_EQ(GetPixel(c.dc, 3, 2), RGB(255, 255, 255));
        // Inversion works on the raw values: colours for direct formats, indices for palettes.
        const RECT all{0, 0, 9, 5};
        ASSERT_TRUE(PatBlt(c.dc, 0, 0, 2, 5, DSTINVERT));
        ASSERT_TRUE(InvertRect(c.dc, &all));
        if (depth == 1 || depth >= 16) {
            EXPECT_EQ(GetPixel(c.dc, 1, 1), RGB(255, 255, 255));  // inverted twice
            EXPECT_EQ(GetPixel(c.dc, 5, 1), RGB(0, 0, 0));
        } else {
            const auto* row = static_cast<const uint8_t*>(c.raw());
            EXPECT_EQ(depth == 4 ? row[0] >> 4 : row[0], 1u);  // white's index, inverted twice
            EXPECT_EQ(depth == 4 ? row[2] >> 4 : row[4], depth == 4 ? 15u : 255u);  // black's, inverted once
        }
        SelectObject(c.dc, old);
        DeleteObject(hatch);
        if (depth > 1) {
            EXPECT_EQ(SetPixel(c.dc, 7, 3, RGB(255, 0, 0)), RGB(255, 0, 0));
            EXPECT_EQ(GetPixel(c.dc, 7, 3), RGB(255, 0, 0));
        }
        Canvas src(3, 2);
        src.bits()[4] = 0x000000;  // (1, 1)
        ASSERT_TRUE(BitBlt(c.dc, 6, 0, 3, 2, src.dc, 0, 0, SRCCOPY));
        EXPECT_EQ(GetPixel(c.dc, 7, 1), RGB(0, 0, 0));
        EXPECT_EQ(GetPixel(c.dc, 8, 1), RGB(255, 255, 255));
        // A raster operation that reads all three operands: D ^ (P | S) with a black pattern.
        Canvas bw(9, 5);
        for (int x = 0; x < 9; ++x) bw.bits()[x] = bw.bits()[9 + x] = x < 4 ? 0x000000 : 0xFFFFFF;
        FillRect(c.dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SelectObject(c.dc, GetStockObject(BLACK_BRUSH));
        ASSERT_TRUE(BitBlt(c.dc, 0, 0, 9, 2, bw.dc, 0, 0, 0x00560000));  // D ^ (P | S)
        EXPECT_EQ(GetPixel(c.dc, 1, 0), RGB(255, 255, 255));
        EXPECT_EQ(GetPixel(c.dc, 6, 1), RGB(0, 0, 0));
    }
}

TEST(MaskBlt, TheMaskPicksTheOperation) {
    Canvas src(4, 1, RGB(0, 255, 0)), dst(4, 1, RGB(0, 0, 255));
    const BYTE bits[2] = {0x90, 0};  // 1 0 0 1
    HBITMAP mask = CreateBitmap(4, 1, 1, 1, bits);
    // Foreground SRCCOPY where the mask is 1, background: keep the destination.
    ASSERT_TRUE(MaskBlt(dst.dc, 0, 0, 4, 1, src.dc, 0, 0, mask, 0, 0, (0xAAu << 24) | SRCCOPY));
    EXPECT_EQ(dst.at(0, 0), 0x00FF00u);
    EXPECT_EQ(dst.at(1, 0), 0x0000FFu);
    EXPECT_EQ(dst.at(3, 0), 0x00FF00u);
    // A colour mask is refused; no mask is a BitBlt.
    EXPECT_FALSE(MaskBlt(dst.dc, 0, 0, 4, 1, src.dc, 0, 0, src.bitmap(), 0, 0, SRCCOPY));
    dst.clear(RGB(0, 0, 0));
    EXPECT_TRUE(MaskBlt(dst.dc, 0, 0, 4, 1, src.dc, 0, 0, nullptr, 0, 0, SRCCOPY));
    EXPECT_EQ(dst.at(1, 0), 0x00FF00u);
    DeleteObject(mask);
}

TEST(BlitBadInput, BadHandlesAreRefusedAndWildCoordinatesSurvived) {
    Canvas a(16, 16), b(16, 16);
    const HDC bogus = reinterpret_cast<HDC>(uintptr_t(0xDEAD));
    EXPECT_FALSE(BitBlt(bogus, 0, 0, 4, 4, a.dc, 0, 0, SRCCOPY));
    EXPECT_FALSE(BitBlt(a.dc, 0, 0, 4, 4, bogus, 0, 0, SRCCOPY));
    EXPECT_FALSE(StretchBlt(a.dc, 0, 0, 4, 4, reinterpret_cast<HDC>(a.bitmap()), 0, 0, 2, 2, SRCCOPY));
    EXPECT_FALSE(BitBlt(a.dc, 0, 0, 4, 4, nullptr, 0, 0, SRCCOPY));  // a source operation without a source
    EXPECT_FALSE(StretchBlt(a.dc, 0, 0, 4, 4, nullptr, 0, 0, 2, 2, SRCAND));
    EXPECT_TRUE(BitBlt(a.dc, 0, 0, 4, 4, nullptr, 0, 0, DSTINVERT));
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

TEST(Gradient, MalformedMeshesAreRefused) {
    Canvas c(8, 8, RGB(0, 0, 0));
    TRIVERTEX v[2] = {{0, 0, 0, 0, 0, 0}, {8, 8, 0xFF00, 0xFF00, 0xFF00, 0}};
    ULONG rect[2] = {0, 1}, bad[2] = {0, 2};
    EXPECT_FALSE(GradientFill(reinterpret_cast<HDC>(uintptr_t(1)), v, 2, rect, 1, GRADIENT_FILL_RECT_H));
    EXPECT_FALSE(GradientFill(c.dc, nullptr, 2, rect, 1, GRADIENT_FILL_RECT_H));
    EXPECT_FALSE(GradientFill(c.dc, v, 0, rect, 1, GRADIENT_FILL_RECT_H));
    EXPECT_FALSE(GradientFill(c.dc, v, 2, nullptr, 1, GRADIENT_FILL_RECT_H));
    EXPECT_FALSE(GradientFill(c.dc, v, 2, rect, 0, GRADIENT_FILL_RECT_H));
    EXPECT_FALSE(GradientFill(c.dc, v, 2, bad, 1, GRADIENT_FILL_RECT_H));
    EXPECT_FALSE(GradientFill(c.dc, v, 2, rect, 1, 7));
    EXPECT_EQ(c.ink(RGB(0, 0, 0)), 0);
    EXPECT_TRUE(GradientFill(c.dc, v, 2, rect, 1, GRADIENT_FILL_RECT_H));
}

TEST(Gradient, TrianglesOfAFanCoverEachPixelOnce) {
    Canvas c(64, 64);
    const int n = 12;
    std::vector<TRIVERTEX> v(n + 1, TRIVERTEX{32, 32, 0xFF00, 0xFF00, 0xFF00, 0});
    for (int i = 0; i < n; ++i) {
        const double a = 6.283185307179586 * i / n;
        v[i + 1].x = static_cast<LONG>(32 + 40 * std::cos(a));
        v[i + 1].y = static_cast<LONG>(32 + 40 * std::sin(a));
    }
    std::vector<int> cover(64 * 64, 0);
    for (int i = 0; i < n; ++i) {
        c.clear(RGB(0, 0, 0));
        ULONG tri[3] = {0, static_cast<ULONG>(i + 1), static_cast<ULONG>((i + 1) % n + 1)};
        ASSERT_TRUE(GradientFill(c.dc, v.data(), static_cast<ULONG>(v.size()), tri, 1, GRADIENT_FILL_TRIANGLE));
        for (int k = 0; k < 64 * 64; ++k) cover[k] += c.bits()[k] != 0;
    }
    for (int k = 0; k < 64 * 64; ++k) ASSERT_LE(cover[k], 1) << "pixel " << k % 64 << "," << k / 64;
    EXPECT_EQ(cover[32 * 64 + 32], 1);
}

TEST(Gradient, LowDepthsAreDitheredAndHugeMeshesSurvived) {
    Canvas d16(16, 4, 0, 16);
    TRIVERTEX level[2] = {{0, 0, 0x4400, 0x4400, 0x4400, 0}, {16, 4, 0x4400, 0x4400, 0x4400, 0}};
    ULONG rect[2] = {0, 1};
    ASSERT_TRUE(GradientFill(d16.dc, level, 2, rect, 1, GRADIENT_FILL_RECT_V));
    // A level between two 5-bit steps comes out as a mix of both.
    const auto* p = static_cast<const uint16_t*>(d16.raw());
    int low = 0;
    for (int i = 0; i < 16; ++i) low += ((p[i] >> 10) & 31) == 8;
    EXPECT_GT(low, 0);
    EXPECT_LT(low, 16);
    std::mt19937 rng(5);
    std::vector<TRIVERTEX> v(3000);
    for (auto& t : v)
        t = {static_cast<LONG>(rng() % 120) - 30, static_cast<LONG>(rng() % 120) - 30, static_cast<COLOR16>(rng()),
             static_cast<COLOR16>(rng()), static_cast<COLOR16>(rng()), 0};
    std::vector<ULONG> mesh(1500);
    for (auto& m : mesh) m = rng() % v.size();
    for (int depth : {1, 4, 8, 16, 24, 32}) {
        Canvas c(64, 64, 0, depth, depth <= 8 ? greys(1 << depth) : std::vector<RGBQUAD>{});
        GradientFill(c.dc, v.data(), ULONG(v.size()), mesh.data(), ULONG(mesh.size() / 3), GRADIENT_FILL_TRIANGLE);
        EXPECT_TRUE(GradientFill(c.dc, v.data(), ULONG(v.size()), mesh.data(), ULONG(mesh.size() / 2), GRADIENT_FILL_RECT_V));
    }
}

}  // namespace
