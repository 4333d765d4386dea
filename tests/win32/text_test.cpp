// Fonts, text and USER's drawing helpers beyond the golden pictures: metrics
// that agree with each other at every size, the face actually used, the glyph
// cache, calls the scripts do not make, and refusals of bad input.
#include "../support/test_support.h"

#include "font_p.h"  // the glyph cache's rasterisation counter

#include <climits>
#include <cwchar>
#include <string>
#include <tuple>
#include <vector>

using testsupport::Canvas;

namespace {

HFONT makeFont(int height, const wchar_t* face, int escapement = 0, int weight = FW_NORMAL) {
    return CreateFontW(height, 0, escapement, escapement, weight, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                       NONANTIALIASED_QUALITY, 0, face);
}

SIZE extent(HDC dc, const std::wstring& s) {
    SIZE sz{};
    EXPECT_TRUE(GetTextExtentPoint32W(dc, s.c_str(), static_cast<int>(s.size()), &sz));
    return sz;
}

// Selects a new font for the life of the object.
struct WithFont {
    HDC dc;
    HFONT font;
    HGDIOBJ old;
    WithFont(HDC d, HFONT f) : dc(d), font(f), old(SelectObject(d, f)) {}
    ~WithFont() {
        SelectObject(dc, old);
        DeleteObject(font);
    }
};

// (Metrics and extents of the core faces at every size: the golden text_metrics.)

// The fields text_metrics_sweep.gdi cannot print, as the reference reports
// them at every height from 6 to 96 of either sign, regular and bold.
TEST(FontMetrics, CharacterRangeFamilyAndWeightAsTheReferenceReports) {
    Canvas c(8, 8);
    for (auto [face, last, family] : {std::tuple{L"Arial", 0xFFFC, 0x27}, std::tuple{L"Times New Roman", 0xFFFC, 0x17},
                                      std::tuple{L"Courier New", 0xFE23, 0x36}})
        for (int weight : {FW_NORMAL, FW_BOLD}) {
            WithFont f(c.dc, makeFont(-17, face, 0, weight));
            TEXTMETRICW tm{};
            ASSERT_TRUE(GetTextMetricsW(c.dc, &tm));
            const std::vector<long> got = {tm.tmWeight, tm.tmOverhang, tm.tmDigitizedAspectX, tm.tmDigitizedAspectY,
                                           tm.tmFirstChar, tm.tmLastChar, tm.tmDefaultChar, tm.tmBreakChar,
                                           tm.tmItalic | tm.tmUnderlined | tm.tmStruckOut, tm.tmPitchAndFamily, tm.tmCharSet};
            EXPECT_EQ(got, (std::vector<long>{weight, 0, 96, 96, 0x20, last, 0x1F, 0x20, 0, family, ANSI_CHARSET})) << face;
        }
}

TEST(Fonts, ExtentExReportsPartialExtentsAndWhatFits) {
    Canvas c(8, 8);
    WithFont f(c.dc, makeFont(-16, L"Arial"));
    int dx[12] = {}, fit = -1;
    SIZE sz{};
    const int limit = extent(c.dc, L"Hello").cx;
    ASSERT_TRUE(GetTextExtentExPointW(c.dc, L"Hello, world", 12, limit, &fit, dx, &sz));
    EXPECT_EQ(fit, 5);
    EXPECT_EQ(dx[4], limit);
    EXPECT_EQ(dx[11], sz.cx);
    for (int i = 1; i < 12; ++i) EXPECT_GE(dx[i], dx[i - 1]);
}

TEST(Fonts, FacesMapToInstalledFontsAndReportTheFaceUsed) {
    Canvas c(8, 8);
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"Arial", L"Arial"}, {L"times new roman", L"Times New Roman"},  // names compare case-insensitively
        {L"MS Shell Dlg", L"Tahoma"}, {L"No Such Face 123", L"Liberation Sans"}};
    for (const auto& [asked, reported] : cases) {
        WithFont f(c.dc, makeFont(-12, asked));
        WCHAR name[LF_FACESIZE] = {};
        EXPECT_EQ(GetTextFaceW(c.dc, LF_FACESIZE, name), static_cast<int>(std::wcslen(reported)) + 1);
        EXPECT_STREQ(name, reported);
    }
    // A short buffer gets a terminated prefix; no buffer asks for the size.
    {
        WithFont f(c.dc, makeFont(-12, L"Courier New"));
        WCHAR small[4] = {L'x', L'x', L'x', L'x'};
        EXPECT_EQ(GetTextFaceW(c.dc, 4, small), 4);
        EXPECT_STREQ(small, L"Cou");
        EXPECT_EQ(GetTextFaceW(c.dc, 0, nullptr), 12);
    }
    SelectObject(c.dc, GetStockObject(DEFAULT_GUI_FONT));  // stock fonts are realised too
    TEXTMETRICW tm{};
    EXPECT_TRUE(GetTextMetricsW(c.dc, &tm));
    EXPECT_GT(tm.tmHeight, 8);
    HFONT g = makeFont(-20, L"Arial", 450, FW_BOLD);
    LOGFONTW lf{};
    ASSERT_EQ(GetObjectW(g, sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_EQ(lf.lfHeight, -20);
    EXPECT_EQ(lf.lfEscapement, 450);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_STREQ(lf.lfFaceName, L"Arial");
    DeleteObject(g);
}

// Characters the face lacks come from a font that has them: real glyphs,
// not the empty box of a character that has none anywhere.
TEST(Fonts, CjkTextFallsBackToAFontThatHasTheGlyphs) {
    Canvas c(120, 40);
    WithFont f(c.dc, makeFont(-24, L"Arial"));
    SetBkMode(c.dc, TRANSPARENT);
    auto drawn = [&](const wchar_t* s) {
        c.clear(testsupport::kWhite);
        TextOutW(c.dc, 4, 4, s, static_cast<int>(std::wcslen(s)));
        return c.pixels();
    };
    const auto missing = drawn(L"\u0378"), wen = drawn(L"\u6587"), zhong = drawn(L"\u4E2D");  // U+0378 is unassigned
    EXPECT_GT(c.ink(), 40);
    EXPECT_NE(zhong, wen);
    EXPECT_NE(zhong, missing);
    EXPECT_GT(extent(c.dc, L"\u4E2D\u6587").cx, 30);  // full-width characters
}

TEST(Fonts, GlyphsAreRasterisedOnceAndStayForTheNextRepaint) {
    Canvas c(200, 40);
    const uint64_t before = hmigfx::win32::glyphRasterizations();
    {
        WithFont f(c.dc, makeFont(-17, L"Times New Roman"));  // a size no other test uses
        ASSERT_TRUE(TextOutW(c.dc, 2, 2, L"Cache me", 8));
        EXPECT_EQ(hmigfx::win32::glyphRasterizations() - before, 7u);  // the second e is there already
        const auto picture = c.pixels();
        c.clear(testsupport::kWhite);
        ASSERT_TRUE(TextOutW(c.dc, 2, 2, L"Cache me", 8));
        EXPECT_EQ(c.pixels(), picture);
    }
    // Another font object with the same LOGFONT shares the cache.
    WithFont same(c.dc, makeFont(-17, L"Times New Roman"));
    ASSERT_TRUE(TextOutW(c.dc, 2, 2, L"me Cache", 8));
    EXPECT_EQ(hmigfx::win32::glyphRasterizations() - before, 7u);
    // A repaint that makes and deletes its fonts again, as text objects do,
    // finds the glyphs of a hundred styles still rasterised.
    auto paint = [&c] {
        for (int k = 0; k < 100; ++k) {
            WithFont f(c.dc, makeFont(-(20 + k % 50), k < 50 ? L"Arial" : L"Courier New"));
            TextOutW(c.dc, 2, 2, L"Page", 4);
        }
    };
    paint();
    const uint64_t painted = hmigfx::win32::glyphRasterizations();
    paint();
    EXPECT_EQ(hmigfx::win32::glyphRasterizations(), painted);
}

TEST(TextOut, EscapementsWrapAroundAndUpdateCpMovesAlong) {
    Canvas c(200, 200);
    SetBkMode(c.dc, TRANSPARENT);
    auto inkFor = [&](int escapement) {
        WithFont f(c.dc, makeFont(-16, L"Arial", escapement));
        c.clear(testsupport::kWhite);
        TextOutW(c.dc, 100, 100, L"Rotated", 7);
        return c.inkBox();
    };
    const RECT north = inkFor(900), south = inkFor(2700);
    EXPECT_LE(north.bottom, 100);  // runs upwards
    EXPECT_EQ(inkFor(3600 * 1000 + 900).top, north.top);
    EXPECT_EQ(inkFor(-900).left, south.left);
    inkFor(INT_MIN);
    inkFor(INT_MAX);
    WithFont f(c.dc, makeFont(-20, L"Arial"));
    SetTextAlign(c.dc, TA_LEFT | TA_TOP | TA_UPDATECP);
    MoveToEx(c.dc, 10, 10, nullptr);
    TextOutW(c.dc, 999, 999, L"Align", 5);
    POINT cp{};
    GetCurrentPositionEx(c.dc, &cp);
    EXPECT_EQ(cp.x, 10 + extent(c.dc, L"Align").cx);
    EXPECT_EQ(cp.y, 10);
}

TEST(TextOut, ExtTextOutFillsClipsAndSpaces) {
    Canvas c(120, 60);
    WithFont f(c.dc, makeFont(-16, L"Arial"));
    SetBkMode(c.dc, TRANSPARENT);
    SetBkColor(c.dc, RGB(0, 0, 255));
    const RECT r{10, 10, 40, 30};
    // ETO_OPAQUE fills the rectangle whatever the background mode, even without text.
    ASSERT_TRUE(ExtTextOutW(c.dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr));
    EXPECT_TRUE(c.is(10, 10, RGB(0, 0, 255)) && c.is(39, 29, RGB(0, 0, 255)) && c.white(40, 30));
    c.clear(testsupport::kWhite);
    ASSERT_TRUE(ExtTextOutW(c.dc, 5, 12, ETO_CLIPPED, &r, L"Clipped text", 12, nullptr));
    const RECT box = c.inkBox();
    EXPECT_TRUE(box.left >= 10 && box.right <= 39);
    EXPECT_GT(c.ink(), 10);
    c.clear(testsupport::kWhite);
    const INT dx[3] = {30, 30, 30};
    ASSERT_TRUE(ExtTextOutW(c.dc, 0, 0, 0, nullptr, L"iii", 3, dx));
    EXPECT_GE(c.inkBox().right, 60);
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
    sz = SIZE{5, 5};
    EXPECT_TRUE(GetTextExtentPoint32W(c.dc, L"abc", 0, &sz));  // no text measures 0 x 0, as the reference answers
    EXPECT_TRUE(sz.cx == 0 && sz.cy == 0);
    EXPECT_FALSE(GetTextMetricsW(c.dc, nullptr));
    EXPECT_EQ(CreateFontIndirectW(nullptr), nullptr);
    RECT small{20, 20, 50, 30};
    EXPECT_EQ(DrawTextW(c.dc, nullptr, 3, &small, 0), 0);
    EXPECT_EQ(DrawTextW(c.dc, L"x", 1, nullptr, 0), 0);
    EXPECT_EQ(DrawTextW(nullptr, L"x", 1, &small, 0), 0);
    EXPECT_EQ(c.ink(), 0);
    // Absurd sizes are realised at a capped size rather than failing or crashing.
    for (int h : {INT_MIN, INT_MAX, -100000}) {
        WithFont f(c.dc, makeFont(h, L"Arial"));
        TEXTMETRICW tm{};
        EXPECT_TRUE(GetTextMetricsW(c.dc, &tm));
        EXPECT_GT(tm.tmHeight, 0);
        EXPECT_TRUE(TextOutW(c.dc, 0, 0, L"x", 1));
    }
}

TEST(TextInABox, AWordTooLongForTheLineGetsALineOfItsOwn) {
    Canvas c(8, 8);
    WithFont f(c.dc, makeFont(-16, L"Arial"));
    TEXTMETRICW tm{};
    GetTextMetricsW(c.dc, &tm);
    RECT r{10, 20, 50, 20};
    EXPECT_EQ(DrawTextW(c.dc, L"Supercalifragilistic word", -1, &r, DT_WORDBREAK | DT_CALCRECT), 2 * tm.tmHeight);
    EXPECT_EQ(r.right - r.left, extent(c.dc, L"Supercalifragilistic").cx);
}

TEST(TextInABox, PrefixUnderlineCanBeHidden) {
    Canvas c(200, 50);
    WithFont f(c.dc, makeFont(-16, L"Arial"));
    SetBkMode(c.dc, TRANSPARENT);
    TEXTMETRICW tm{};
    GetTextMetricsW(c.dc, &tm);
    auto underline = [&](UINT flags) {
        c.clear(testsupport::kWhite);
        RECT r{10, 10, 190, 40};
        DrawTextW(c.dc, L"&File", -1, &r, DT_LEFT | flags);
        int n = 0;
        for (int x = 10; x < 10 + extent(c.dc, L"F").cx; ++x) n += !c.white(x, 10 + tm.tmAscent + 1);
        return n;
    };
    EXPECT_EQ(underline(0), extent(c.dc, L"F").cx - 1);  // one pixel below the baseline
    EXPECT_EQ(underline(DT_HIDEPREFIX), 0);
}

TEST(UserDrawing, FrameControlsAndEdgesAdjustTheRectangle) {
    Canvas c(100, 60);
    RECT r{10, 10, 50, 30};
    ASSERT_TRUE(DrawFrameControl(c.dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT));
    EXPECT_TRUE(r.left == 12 && r.bottom == 28);
    RECT check{10, 40, 23, 53};
    DrawFrameControl(c.dc, &check, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    EXPECT_EQ(c.at(19, 43), 0x000000u);  // the mark's top-right stroke
    EXPECT_EQ(c.at(14, 44), 0xFFFFFFu);  // window-coloured inside
    RECT e{60, 40, 80, 55};
    ASSERT_TRUE(DrawEdge(c.dc, &e, EDGE_SUNKEN, BF_RECT | BF_ADJUST));
    EXPECT_TRUE(e.left == 62 && e.bottom == 53);
    EXPECT_EQ(c.at(60, 40), 0xA0A0A0u);
    RECT any{0, 0, 5, 5};
    EXPECT_FALSE(DrawFrameControl(c.dc, &any, DFC_MENU, 0));
    EXPECT_FALSE(DrawFrameControl(c.dc, nullptr, DFC_BUTTON, DFCS_BUTTONPUSH));
    EXPECT_FALSE(DrawFocusRect(c.dc, nullptr));
}

}  // namespace
