// Fonts, text output, DrawTextW and USER's drawing helpers, as a caller sees
// them: metrics that agree with each other, pixels, and refusals of bad input.
#include <windows.h>

#include "font_p.h"  // the glyph cache's rasterisation counter
#include "shape_canvas.h"

#include <gtest/gtest.h>

#include <climits>
#include <cwchar>
#include <string>
#include <tuple>
#include <vector>

namespace {

// A white canvas whose pixels read as 0xRRGGBB, and where its ink lies.
class Canvas : public shapetest::Canvas {
public:
    Canvas(int w, int h) : shapetest::Canvas(w, h) {}
    void clear() { shapetest::Canvas::clear(RGB(255, 255, 255)); }
    uint32_t at(int x, int y) const { return shapetest::Canvas::at(x, y) & 0xFFFFFF; }
    bool ink(int x, int y) const { return at(x, y) != 0xFFFFFF; }
    // Bounding box of every non-white pixel; empty (right < left) when none.
    RECT inkBox() const {
        RECT r{width, height, -1, -1};
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (ink(x, y)) {
                    r.left = std::min<LONG>(r.left, x), r.top = std::min<LONG>(r.top, y);
                    r.right = std::max<LONG>(r.right, x), r.bottom = std::max<LONG>(r.bottom, y);
                }
        return r;
    }
    int inkCount() const {
        int n = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) n += ink(x, y);
        return n;
    }
};

HFONT makeFont(int height, const wchar_t* face, int escapement = 0, int weight = FW_NORMAL) {
    return CreateFontW(height, 0, escapement, escapement, weight, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                       NONANTIALIASED_QUALITY, 0, face);
}

SIZE extent(HDC dc, const std::wstring& s) {
    SIZE sz{};
    EXPECT_TRUE(GetTextExtentPoint32W(dc, s.c_str(), static_cast<int>(s.size()), &sz));
    return sz;
}

// ---- fonts and metrics -------------------------------------------------------

TEST(FontMetrics, AgreeWithEachOtherForTheCoreFacesAtEverySize) {
    Canvas c(8, 8);
    for (const wchar_t* face : {L"Arial", L"Times New Roman", L"Courier New"}) {
        for (int h = 8; h <= 72; h += 4) {
            for (int sign : {-1, 1}) {
                HFONT f = makeFont(sign * h, face);
                HGDIOBJ old = SelectObject(c.dc, f);
                TEXTMETRICW tm{};
                ASSERT_TRUE(GetTextMetricsW(c.dc, &tm));
                SCOPED_TRACE(testing::Message() << "face " << face << " height " << sign * h);
                EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
                if (sign < 0) {
                    EXPECT_NEAR(tm.tmHeight - tm.tmInternalLeading, h, 1);  // the em height
                } else {
                    EXPECT_LE(tm.tmHeight, h + 1);  // the cell height
                }
                EXPECT_GT(tm.tmAveCharWidth, 0);
                EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth);
                // An extent is the sum of its parts, and as tall as the font.
                const SIZE whole = extent(c.dc, L"Pressure 4.2 bar"), left = extent(c.dc, L"Pressure "),
                           right = extent(c.dc, L"4.2 bar");
                EXPECT_EQ(whole.cx, left.cx + right.cx);
                EXPECT_EQ(whole.cy, tm.tmHeight);
                if (face == std::wstring(L"Courier New")) {
                    EXPECT_EQ(extent(c.dc, L"iiii").cx, extent(c.dc, L"MMMM").cx);
                }
                SelectObject(c.dc, old);
                DeleteObject(f);
            }
        }
    }
}

// The fields text_metrics_sweep.gdi cannot print, as the reference reports
// them at every height from 6 to 96 of either sign, regular and bold.
TEST(FontMetrics, CharacterRangeFamilyAndWeightAsTheReferenceReports) {
    Canvas c(8, 8);
    for (auto [face, last, family] : {std::tuple{L"Arial", 0xFFFC, 0x27}, std::tuple{L"Times New Roman", 0xFFFC, 0x17},
                                      std::tuple{L"Courier New", 0xFE23, 0x36}})
        for (int weight : {FW_NORMAL, FW_BOLD}) {
            HFONT f = makeFont(-17, face, 0, weight);
            HGDIOBJ old = SelectObject(c.dc, f);
            TEXTMETRICW tm{};
            ASSERT_TRUE(GetTextMetricsW(c.dc, &tm));
            const std::vector<long> got = {tm.tmWeight, tm.tmOverhang, tm.tmDigitizedAspectX, tm.tmDigitizedAspectY,
                                           tm.tmFirstChar, tm.tmLastChar, tm.tmDefaultChar, tm.tmBreakChar,
                                           tm.tmItalic | tm.tmUnderlined | tm.tmStruckOut, tm.tmPitchAndFamily, tm.tmCharSet};
            EXPECT_EQ(got, (std::vector<long>{weight, 0, 96, 96, 0x20, last, 0x1F, 0x20, 0, family, ANSI_CHARSET})) << face;
            SelectObject(c.dc, old);
            DeleteObject(f);
        }
}

TEST(FontMetrics, ExtentExReportsPartialExtentsAndWhatFits) {
    Canvas c(8, 8);
    HFONT f = makeFont(-16, L"Arial");
    SelectObject(c.dc, f);
    const std::wstring s = L"Hello, world";
    int dx[12] = {};
    int fit = -1;
    SIZE sz{};
    const int limit = extent(c.dc, L"Hello").cx;
    ASSERT_TRUE(GetTextExtentExPointW(c.dc, s.c_str(), 12, limit, &fit, dx, &sz));
    EXPECT_EQ(fit, 5);
    EXPECT_EQ(dx[4], limit);
    EXPECT_EQ(dx[11], sz.cx);
    EXPECT_EQ(sz.cx, extent(c.dc, s).cx);
    for (int i = 1; i < 12; ++i) EXPECT_GE(dx[i], dx[i - 1]);
    DeleteObject(f);
}

TEST(FontFaces, MapToInstalledFontsAndReportTheFaceUsed) {
    Canvas c(8, 8);
    struct Case {
        const wchar_t* asked;
        const wchar_t* reported;
    } cases[] = {{L"Arial", L"Arial"},
                 {L"times new roman", L"Times New Roman"},  // names compare case-insensitively
                 {L"Courier New", L"Courier New"},
                 {L"MS Shell Dlg", L"Tahoma"},
                 {L"No Such Face 123", L"Liberation Sans"}};
    for (const Case& k : cases) {
        HFONT f = makeFont(-12, k.asked);
        SelectObject(c.dc, f);
        WCHAR name[LF_FACESIZE] = {};
        EXPECT_EQ(GetTextFaceW(c.dc, LF_FACESIZE, name), static_cast<int>(std::wcslen(k.reported)) + 1);
        EXPECT_STREQ(name, k.reported);
        SelectObject(c.dc, GetStockObject(SYSTEM_FONT));
        DeleteObject(f);
    }
    // A short buffer gets a terminated prefix; no buffer asks for the size.
    HFONT f = makeFont(-12, L"Courier New");
    SelectObject(c.dc, f);
    WCHAR small[4] = {L'x', L'x', L'x', L'x'};
    EXPECT_EQ(GetTextFaceW(c.dc, 4, small), 4);
    EXPECT_STREQ(small, L"Cou");
    EXPECT_EQ(GetTextFaceW(c.dc, 0, nullptr), 12);
    // Stock fonts are realised too.
    SelectObject(c.dc, GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW tm{};
    EXPECT_TRUE(GetTextMetricsW(c.dc, &tm));
    EXPECT_GT(tm.tmHeight, 8);
    DeleteObject(f);
    LOGFONTW lf{};
    HFONT g = makeFont(-20, L"Arial", 450, FW_BOLD);
    ASSERT_EQ(GetObjectW(g, sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_EQ(lf.lfHeight, -20);
    EXPECT_EQ(lf.lfEscapement, 450);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_STREQ(lf.lfFaceName, L"Arial");
    DeleteObject(g);
}

TEST(FontFaces, CjkTextFallsBackToAFontThatHasTheGlyphs) {
    Canvas c(120, 40);
    HFONT f = makeFont(-24, L"Arial");
    SelectObject(c.dc, f);
    SetBkMode(c.dc, TRANSPARENT);
    auto drawn = [&](const wchar_t* s) {
        c.clear();
        TextOutW(c.dc, 4, 4, s, static_cast<int>(std::wcslen(s)));
        return c.pixels();
    };
    const auto zhong = drawn(L"\u4E2D"), wen = drawn(L"\u6587"), missing = drawn(L"\u0378");  // U+0378 is unassigned
    EXPECT_NE(zhong, wen);
    EXPECT_NE(zhong, missing);  // a real glyph, not the empty box
    c.clear();
    TextOutW(c.dc, 4, 4, L"\u4E2D", 1);
    EXPECT_GT(c.inkCount(), 40);
    EXPECT_GT(extent(c.dc, L"\u4E2D\u6587").cx, 30);  // full-width characters
    DeleteObject(f);
}

// ---- TextOutW / ExtTextOutW --------------------------------------------------

TEST(TextOut, GlyphCacheRasterisesEachGlyphOnce) {
    Canvas c(200, 40);
    HFONT f = makeFont(-17, L"Times New Roman");  // a size no other test uses
    SelectObject(c.dc, f);
    const uint64_t before = hmigfx::win32::glyphRasterizations();
    ASSERT_TRUE(TextOutW(c.dc, 2, 2, L"Cache me", 8));
    const uint64_t first = hmigfx::win32::glyphRasterizations() - before;
    EXPECT_EQ(first, 7u);  // C a c h e, the blank and m: the second e is already there
    const auto picture = c.pixels();
    c.clear();
    ASSERT_TRUE(TextOutW(c.dc, 2, 2, L"Cache me", 8));
    EXPECT_EQ(hmigfx::win32::glyphRasterizations() - before, first);
    EXPECT_EQ(c.pixels(), picture);
    // Another font object with the same LOGFONT shares the cache.
    HFONT same = makeFont(-17, L"Times New Roman");
    SelectObject(c.dc, same);
    ASSERT_TRUE(TextOutW(c.dc, 2, 2, L"me Cache", 8));
    EXPECT_EQ(hmigfx::win32::glyphRasterizations() - before, first);
    SelectObject(c.dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(f);
    DeleteObject(same);
}

// A repaint that makes and deletes its fonts again, as text objects do, finds
// the glyphs of a hundred font styles still rasterised.
TEST(TextOut, DeletedFontsOfAPageStayRealised) {
    Canvas c(200, 40);
    auto paint = [&c] {
        for (int k = 0; k < 100; ++k) {
            HFONT f = makeFont(-(20 + k % 50), k < 50 ? L"Arial" : L"Courier New");
            HGDIOBJ old = SelectObject(c.dc, f);
            TextOutW(c.dc, 2, 2, L"Page", 4);
            SelectObject(c.dc, old);
            DeleteObject(f);
        }
    };
    paint();
    const uint64_t before = hmigfx::win32::glyphRasterizations();
    paint();
    EXPECT_EQ(hmigfx::win32::glyphRasterizations(), before);
}

TEST(TextOut, AlignmentPlacesTheStringAboutTheReferencePoint) {
    Canvas c(300, 100);
    HFONT f = makeFont(-20, L"Arial");
    SelectObject(c.dc, f);
    SetBkMode(c.dc, OPAQUE);
    SetBkColor(c.dc, RGB(0, 0, 0));  // the opaque box is the cell: easy to measure
    TEXTMETRICW tm{};
    GetTextMetricsW(c.dc, &tm);
    const SIZE sz = extent(c.dc, L"Align");
    struct Case {
        UINT align;
        LONG left, top;
    } cases[] = {{TA_LEFT | TA_TOP, 150, 50},
                 {TA_RIGHT | TA_TOP, 150 - sz.cx, 50},
                 {TA_CENTER | TA_TOP, 150 - sz.cx / 2, 50},
                 {TA_LEFT | TA_BASELINE, 150, 50 - tm.tmAscent},
                 {TA_LEFT | TA_BOTTOM, 150, 50 - tm.tmHeight}};
    for (const Case& k : cases) {
        c.clear();
        SetTextAlign(c.dc, k.align);
        ASSERT_TRUE(TextOutW(c.dc, 150, 50, L"Align", 5));
        const RECT box = c.inkBox();
        EXPECT_EQ(box.left, k.left) << k.align;
        EXPECT_EQ(box.top, k.top) << k.align;
        EXPECT_EQ(box.right - box.left + 1, sz.cx) << k.align;
        EXPECT_EQ(box.bottom - box.top + 1, tm.tmHeight) << k.align;
    }
    // TA_UPDATECP draws at the current position and moves it along.
    SetTextAlign(c.dc, TA_LEFT | TA_TOP | TA_UPDATECP);
    MoveToEx(c.dc, 10, 10, nullptr);
    TextOutW(c.dc, 999, 999, L"Align", 5);
    POINT cp{};
    GetCurrentPositionEx(c.dc, &cp);
    EXPECT_EQ(cp.x, 10 + sz.cx);
    EXPECT_EQ(cp.y, 10);
    DeleteObject(f);
}

TEST(TextOut, EscapementTurnsTheTextAboutTheReferencePoint) {
    Canvas c(200, 200);
    auto inkFor = [&](int escapement) {
        HFONT f = makeFont(-16, L"Arial", escapement);
        SelectObject(c.dc, f);
        c.clear();
        SetBkMode(c.dc, TRANSPARENT);
        TextOutW(c.dc, 100, 100, L"Rotated", 7);
        SelectObject(c.dc, GetStockObject(SYSTEM_FONT));
        DeleteObject(f);
        return c.inkBox();
    };
    const RECT east = inkFor(0), north = inkFor(900), west = inkFor(1800), south = inkFor(2700);
    EXPECT_GE(east.left, 100);
    EXPECT_GE(east.top, 100);
    EXPECT_LE(north.bottom, 100);  // runs upwards, glyph tops to the left
    EXPECT_GE(north.left, 100);
    EXPECT_LE(west.right, 100);
    EXPECT_LE(west.bottom, 100);
    EXPECT_GE(south.top, 100);
    EXPECT_LE(south.right, 100);
    // A quarter turn swaps the box's width and height.
    EXPECT_NEAR(north.bottom - north.top, east.right - east.left, 1);
    EXPECT_NEAR(north.right - north.left, east.bottom - east.top, 1);
    // Escapements wrap around: huge and negative values are angles too.
    EXPECT_EQ(inkFor(3600 * 1000 + 900).top, north.top);
    EXPECT_EQ(inkFor(-900).left, south.left);
    inkFor(INT_MIN);
    inkFor(INT_MAX);
}

TEST(TextOut, OpaqueRectangleAndClipping) {
    Canvas c(120, 60);
    HFONT f = makeFont(-16, L"Arial");
    SelectObject(c.dc, f);
    SetBkMode(c.dc, TRANSPARENT);
    SetBkColor(c.dc, RGB(0, 0, 255));
    const RECT r{10, 10, 40, 30};
    // ETO_OPAQUE fills the rectangle whatever the background mode, even without text.
    ASSERT_TRUE(ExtTextOutW(c.dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr));
    EXPECT_EQ(c.at(10, 10), 0x0000FFu);
    EXPECT_EQ(c.at(39, 29), 0x0000FFu);
    EXPECT_FALSE(c.ink(40, 30));
    c.clear();
    // ETO_CLIPPED keeps the text inside the rectangle.
    ASSERT_TRUE(ExtTextOutW(c.dc, 5, 12, ETO_CLIPPED, &r, L"Clipped text", 12, nullptr));
    const RECT box = c.inkBox();
    EXPECT_GE(box.left, 10);
    EXPECT_LE(box.right, 39);
    EXPECT_GT(c.inkCount(), 10);
    // lpDx spaces the characters.
    c.clear();
    const INT dx[3] = {30, 30, 30};
    ASSERT_TRUE(ExtTextOutW(c.dc, 0, 0, 0, nullptr, L"iii", 3, dx));
    EXPECT_GE(c.inkBox().right, 60);
    DeleteObject(f);
}

TEST(TextOut, UnderlineAndStrikeOutSpanTheString) {
    Canvas c(200, 40);
    HFONT f = CreateFontW(-20, 0, 0, 0, FW_NORMAL, 0, TRUE, TRUE, DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0,
                          L"Arial");
    SelectObject(c.dc, f);
    SetBkMode(c.dc, TRANSPARENT);
    const SIZE sz = extent(c.dc, L"a  b");
    TextOutW(c.dc, 10, 5, L"a  b", 4);
    // Between the letters only the bars have ink: two separate rows.
    const int mid = 10 + sz.cx / 2;
    int runs = 0;
    for (int y = 0; y < 40; ++y)
        if (c.ink(mid, y) && !c.ink(mid, y - 1)) ++runs;
    EXPECT_EQ(runs, 2);
    DeleteObject(f);
}

TEST(TextOut, BadInputIsRefusedWithoutHarm) {
    Canvas c(50, 50);
    SIZE sz{};
    EXPECT_FALSE(TextOutW(c.dc, 0, 0, nullptr, 3));
    EXPECT_FALSE(TextOutW(c.dc, 0, 0, L"abc", -1));
    EXPECT_TRUE(TextOutW(c.dc, 0, 0, nullptr, 0));
    EXPECT_FALSE(TextOutW(nullptr, 0, 0, L"abc", 3));
    EXPECT_FALSE(GetTextExtentPoint32W(c.dc, L"abc", -2, &sz));
    EXPECT_FALSE(GetTextExtentPoint32W(c.dc, nullptr, 2, &sz));
    EXPECT_FALSE(GetTextExtentPoint32W(c.dc, L"abc", 3, nullptr));
    // No text measures 0 x 0, as the reference answers.
    sz = SIZE{5, 5};
    EXPECT_TRUE(GetTextExtentPoint32W(c.dc, L"abc", 0, &sz));
    EXPECT_EQ(sz.cx, 0);
    EXPECT_EQ(sz.cy, 0);
    EXPECT_FALSE(GetTextMetricsW(c.dc, nullptr));
    EXPECT_EQ(CreateFontIndirectW(nullptr), nullptr);
    EXPECT_EQ(c.inkCount(), 0);
    // Absurd sizes are realised at a capped size rather than failing or crashing.
    for (int h : {INT_MIN, INT_MAX, -100000}) {
        HFONT f = makeFont(h, L"Arial");
        SelectObject(c.dc, f);
        TEXTMETRICW tm{};
        EXPECT_TRUE(GetTextMetricsW(c.dc, &tm));
        EXPECT_GT(tm.tmHeight, 0);
        EXPECT_TRUE(TextOutW(c.dc, 0, 0, L"x", 1));
        SelectObject(c.dc, GetStockObject(SYSTEM_FONT));
        DeleteObject(f);
    }
}

// ---- DrawTextW --------------------------------------------------------------

class DrawTextTest : public testing::Test {
protected:
    DrawTextTest() : c(200, 120) {
        font = makeFont(-16, L"Arial");
        SelectObject(c.dc, font);
        SetBkMode(c.dc, TRANSPARENT);
        GetTextMetricsW(c.dc, &tm);
    }
    ~DrawTextTest() override {
        SelectObject(c.dc, GetStockObject(SYSTEM_FONT));
        DeleteObject(font);
    }
    RECT calc(const wchar_t* s, UINT flags, int width = 100) {
        RECT r{10, 20, 10 + width, 20};
        last = DrawTextW(c.dc, s, -1, &r, flags | DT_CALCRECT);
        return r;
    }
    Canvas c;
    HFONT font = nullptr;
    TEXTMETRICW tm{};
    int last = 0;
};

TEST_F(DrawTextTest, LineFeedsAndWordBreaksMakeLines) {
    RECT r = calc(L"one\ntwo\r\nthree", 0);
    EXPECT_EQ(last, 3 * tm.tmHeight);
    EXPECT_EQ(r.bottom - r.top, 3 * tm.tmHeight);
    EXPECT_EQ(r.right - r.left, extent(c.dc, L"three").cx);
    r = calc(L"one\ntwo", DT_SINGLELINE);
    EXPECT_EQ(last, tm.tmHeight);
    // Word breaks: every line fits, or holds a single word too long to fit.
    // (the reference: 4 lines, 79 px wide)
    r = calc(L"alpha beta gamma delta epsilon", DT_WORDBREAK, 90);
    EXPECT_EQ(last, 4 * tm.tmHeight);
    EXPECT_EQ(r.right - r.left, 79);
    r = calc(L"Supercalifragilistic word", DT_WORDBREAK, 40);
    EXPECT_EQ(last, 2 * tm.tmHeight);
    EXPECT_EQ(r.right - r.left, extent(c.dc, L"Supercalifragilistic").cx);
    // Without DT_WORDBREAK a long line stays one line.
    calc(L"alpha beta gamma delta epsilon", 0, 40);
    EXPECT_EQ(last, tm.tmHeight);
    // Empty text: no lines, an empty rectangle.
    r = calc(L"", DT_WORDBREAK);
    EXPECT_EQ(r.right, r.left);
    EXPECT_EQ(r.bottom, r.top);
}

TEST_F(DrawTextTest, PrefixesAreResolved) {
    EXPECT_EQ(calc(L"&File", 0).right - 10, extent(c.dc, L"File").cx);
    EXPECT_EQ(calc(L"A&&B", 0).right - 10, extent(c.dc, L"A&B").cx);
    EXPECT_EQ(calc(L"A&&B", DT_NOPREFIX).right - 10, extent(c.dc, L"A&&B").cx);
    EXPECT_EQ(calc(L"Tail&", 0).right - 10, extent(c.dc, L"Tail&").cx);  // a final '&' stays
    // The prefixed character is underlined one pixel below the baseline.
    RECT r{10, 10, 190, 40};
    DrawTextW(c.dc, L"&File", -1, &r, DT_LEFT);
    const int y = 10 + tm.tmAscent + 1;
    int underline = 0;
    for (int x = 10; x < 10 + extent(c.dc, L"F").cx; ++x) underline += c.ink(x, y);
    EXPECT_EQ(underline, extent(c.dc, L"F").cx - 1);
    c.clear();
    DrawTextW(c.dc, L"&File", -1, &r, DT_LEFT | DT_HIDEPREFIX);
    underline = 0;
    for (int x = 10; x < 20; ++x) underline += c.ink(x, y);
    EXPECT_EQ(underline, 0);
}

TEST_F(DrawTextTest, AlignmentTabsAndClipping) {
    EXPECT_EQ(calc(L"a\tb", DT_EXPANDTABS).right - 10, 8 * tm.tmAveCharWidth + extent(c.dc, L"b").cx);
    RECT r{20, 20, 180, 60};
    DrawTextW(c.dc, L"Right", -1, &r, DT_RIGHT | DT_SINGLELINE);
    EXPECT_LE(c.inkBox().right, 179);
    EXPECT_GE(c.inkBox().right, 176);
    c.clear();
    const int h = DrawTextW(c.dc, L"Middle", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EXPECT_EQ(h, 40 / 2 - tm.tmHeight / 2 + tm.tmHeight);  // from the top to the bottom of the line
    const RECT box = c.inkBox();
    EXPECT_NEAR((box.left + box.right) / 2, 100, 2);
    c.clear();
    RECT small{20, 20, 50, 30};
    DrawTextW(c.dc, L"Clipped words", -1, &small, DT_LEFT);
    EXPECT_LE(c.inkBox().right, 49);
    EXPECT_LE(c.inkBox().bottom, 29);
    c.clear();
    DrawTextW(c.dc, L"Clipped words", -1, &small, DT_LEFT | DT_NOCLIP);
    EXPECT_GT(c.inkBox().right, 49);
    EXPECT_EQ(DrawTextW(c.dc, nullptr, 3, &small, 0), 0);
    EXPECT_EQ(DrawTextW(c.dc, L"x", 1, nullptr, 0), 0);
    EXPECT_EQ(DrawTextW(nullptr, L"x", 1, &small, 0), 0);
}

// ---- USER drawing -------------------------------------------------------------

TEST(UserDrawing, FocusRectangleDrawnTwiceVanishes) {
    Canvas c(60, 40);
    HBRUSH b = CreateSolidBrush(RGB(10, 200, 30));
    RECT all{0, 0, 60, 40};
    FillRect(c.dc, &all, b);
    const auto before = c.pixels();
    RECT r{5, 5, 45, 30};
    ASSERT_TRUE(DrawFocusRect(c.dc, &r));
    EXPECT_NE(c.pixels(), before);
    EXPECT_EQ(c.at(44, 5), 0xFFFFFFu - 0x0AC81Eu);  // inverted, starting at the top-right
    EXPECT_EQ(c.at(44, 6), 0x0AC81Eu);              // every other pixel
    ASSERT_TRUE(DrawFocusRect(c.dc, &r));
    EXPECT_EQ(c.pixels(), before);
    DeleteObject(b);
}

TEST(UserDrawing, SystemColourBrushValuesFill) {
    Canvas c(20, 20);
    RECT r{2, 2, 10, 10};
    EXPECT_TRUE(FillRect(c.dc, &r, reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_BTNFACE + 1))));
    EXPECT_EQ(c.at(2, 2), 0xF0F0F0u);
    EXPECT_EQ(c.at(9, 9), 0xF0F0F0u);
    EXPECT_FALSE(c.ink(10, 10));
}

TEST(UserDrawing, FrameControlsAndEdgesAdjustTheRectangle) {
    Canvas c(100, 60);
    RECT r{10, 10, 50, 30};
    ASSERT_TRUE(DrawFrameControl(c.dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT));
    EXPECT_EQ(r.left, 12);
    EXPECT_EQ(r.bottom, 28);
    EXPECT_EQ(c.at(10, 10), 0xFFFFFFu);  // highlight outside
    EXPECT_EQ(c.at(49, 29), 0x696969u);  // dark shadow owns the corner
    EXPECT_EQ(c.at(20, 20), 0xF0F0F0u);  // face
    RECT pushed{60, 10, 90, 30};
    DrawFrameControl(c.dc, &pushed, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
    EXPECT_EQ(c.at(60, 10), 0x696969u);
    EXPECT_EQ(c.at(89, 29), 0xFFFFFFu);
    RECT check{10, 40, 23, 53};
    DrawFrameControl(c.dc, &check, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    EXPECT_EQ(c.at(19, 43), 0x000000u);  // the mark's top-right stroke
    EXPECT_EQ(c.at(14, 44), 0xFFFFFFu);  // window-coloured inside
    RECT e{60, 40, 80, 55};
    ASSERT_TRUE(DrawEdge(c.dc, &e, EDGE_SUNKEN, BF_RECT | BF_ADJUST));
    EXPECT_EQ(e.left, 62);
    EXPECT_EQ(e.bottom, 53);
    EXPECT_EQ(c.at(60, 40), 0xA0A0A0u);
    RECT any{0, 0, 5, 5};
    EXPECT_FALSE(DrawFrameControl(c.dc, &any, DFC_MENU, 0));
    EXPECT_FALSE(DrawFrameControl(c.dc, nullptr, DFC_BUTTON, DFCS_BUTTONPUSH));
    EXPECT_FALSE(DrawFocusRect(c.dc, nullptr));
}

}  // namespace
