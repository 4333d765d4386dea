// Text beyond the golden scripts (tests/gdi/textobj_*.gdi lay out every
// alignment, rotation, zoom, vertical centring and button state): how a
// string is cut into lines, the document-size measure, a scale that differs
// per axis, the clip rectangles of the two rectangle forms, and the DC state
// a text or button call leaves.
#include <hmigfx/my_dc.h>

#include "../support/test_support.h"

#include <cwchar>

using testsupport::Canvas;

namespace {

// CMyDC with its protected text helpers in reach.
struct TextDC : CMyDC {
    using CMyDC::CMyDC;
    using CMyDC::CheckTextRect;
    using CMyDC::GetLine;
};

using testsupport::logFont;

// The extent of s in lf, read back from the GDI.
SIZE extent(const LOGFONTW& lf, const std::wstring& s) {
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT f = CreateFontIndirectW(&lf);
    HGDIOBJ old = SelectObject(dc, f);
    SIZE sz{};
    GetTextExtentPoint32W(dc, s.c_str(), static_cast<int>(s.size()), &sz);
    SelectObject(dc, old);
    DeleteObject(f);
    DeleteDC(dc);
    return sz;
}

// The lines GetLine cuts s into, and where each call leaves off.
std::vector<std::pair<std::wstring, size_t>> lines(const std::wstring& s) {
    TextDC dc;
    WCHAR line[256];
    std::vector<std::pair<std::wstring, size_t>> out;
    for (const wchar_t* p = s.c_str(); *p;) {
        int n = -1;
        p = dc.GetLine(nullptr, line, p, &n, 0);
        EXPECT_EQ(n, static_cast<int>(std::wcslen(line)));
        out.emplace_back(line, static_cast<size_t>(p - s.c_str()));
    }
    return out;
}

TEST(GetLine, CutsAtLineFeedsAndAfter255CharactersDroppingCarriageReturns) {
    using L = std::vector<std::pair<std::wstring, size_t>>;
    EXPECT_EQ(lines(L"first\r\nse\rcond\n\nlast"), (L{{L"first", 7}, {L"second", 15}, {L"", 16}, {L"last", 20}}));
    // A longer line goes on as the next line; exactly 255 and a feed is one line.
    std::wstring text(300, L'x');
    text[255] = L'y';
    EXPECT_EQ(lines(text), (L{{std::wstring(255, L'x'), 255}, {L'y' + std::wstring(44, L'x'), 300}}));
    EXPECT_EQ(lines(std::wstring(255, L'a') + L"\r\nb"), (L{{std::wstring(255, L'a'), 257}, {L"b", 258}}));
    std::wstring returns;  // carriage returns take no room
    for (int k = 0; k < 255; ++k) returns += L"c\r";
    EXPECT_EQ(lines(returns), (L{{std::wstring(255, L'c'), 510}}));
    // A surrogate pair that would straddle the end starts the next line.
    EXPECT_EQ(lines(std::wstring(254, L'z') + L"\xD83D\xDE00!"),
              (L{{std::wstring(254, L'z'), 254}, {L"\xD83D\xDE00!", 257}}));
    // Null arguments.
    TextDC dc;
    WCHAR line[4] = L"xyz";
    int n = 7;
    const wchar_t* abc = L"abc";
    EXPECT_EQ(dc.GetLine(nullptr, nullptr, abc, &n, 0), abc);
    EXPECT_EQ(n, 0);
    n = 7;
    EXPECT_EQ(dc.GetLine(nullptr, line, nullptr, &n, 0), nullptr);
    EXPECT_EQ(n, 0);
    EXPECT_EQ(line[0], L'\0');
}

TEST(CheckTextRect, MeasuresAtDocumentSizeAsDrawTextDoes) {
    TextDC dc;
    LOGFONTW lf = logFont(-20);
    CMyRect r(0, 0, 0, 0);
    r.left = 5.5;
    r.top = 7.25;
    dc.CheckTextRect(CString(L"Level 42"), lf, r);
    const SIZE sz = extent(lf, L"Level 42");
    EXPECT_DOUBLE_EQ(r.left, 5.5);
    EXPECT_DOUBLE_EQ(r.right, 5.5 + sz.cx);
    EXPECT_DOUBLE_EQ(r.bottom, 7.25 + sz.cy);
    // The ampersand prefix: "&&" is one ampersand, "&x" no character at all.
    CMyRect amp(0, 0, 0, 0);
    dc.CheckTextRect(CString(L"A&&B"), lf, amp);
    EXPECT_DOUBLE_EQ(amp.right, extent(lf, L"A&B").cx);
    dc.CheckTextRect(CString(L"&File"), lf, amp);
    EXPECT_DOUBLE_EQ(amp.right, extent(lf, L"File").cx);
}

// Text as plain GDI calls: lines at the given points in the view font,
// clipped to clip (device units).
void drawPlaced(Canvas& c, const LOGFONTW& lf, const RECT& clip, const std::vector<std::pair<POINT, std::wstring>>& at) {
    HFONT f = CreateFontIndirectW(&lf);
    HGDIOBJ old = SelectObject(c.dc, f);
    SetTextColor(c.dc, RGB(0, 0, 128));
    SetBkMode(c.dc, TRANSPARENT);
    HRGN r = CreateRectRgnIndirect(&clip);
    SelectClipRgn(c.dc, r);
    for (const auto& [p, text] : at) TextOutW(c.dc, p.x, p.y, text.c_str(), static_cast<int>(text.size()));
    SelectClipRgn(c.dc, nullptr);
    DeleteObject(r);
    SelectObject(c.dc, old);
    DeleteObject(f);
}

// The wider of two measures places a right-aligned line: the line at document
// size scaled to the view, and the line in the view font. With an x scale of
// 2 and a y scale of 1 the view font is the document font and the first wins;
// a doubled ampersand counts once at document size and twice on the DC.
TEST(ObjDrawText, TheWiderOfTheTwoMeasuresPlacesALine) {
    LOGFONTW lf = logFont(-16);
    Canvas got(400, 60), want(400, 60);
    CPoint docExt(100, 100), viewExt(200, 100), org(0, 0);
    CMyDC dc(&got.dc, docExt, viewExt, org);
    CRect box(10, 10, 180, 50);  // (20, 10, 360, 50) in view units
    CString s(L"Tank 7");
    dc.ObjDrawText(s, box, lf, RGB(0, 0, 128), 0, DT_RIGHT, 1, 0);
    // (-1, 0, w - 1, h) doubled is (-2, 0, 2w - 2, h): 2w wide.
    drawPlaced(want, lf, RECT{19, 9, 361, 50}, {{{360 - 2 * extent(lf, L"Tank 7").cx, 10}, L"Tank 7"}});
    EXPECT_TRUE(testsupport::samePicture(got, want));

    Canvas got2(300, 60), want2(300, 60);
    CMyDC dc2(&got2.dc, 100);
    CRect box2(10, 10, 250, 50);
    CString amp(L"Salt && pepper");
    dc2.ObjDrawText(amp, box2, lf, RGB(0, 0, 128), 0, DT_RIGHT, 1, 0);
    drawPlaced(want2, lf, RECT{9, 9, 250, 50}, {{{250 - extent(lf, L"Salt && pepper").cx, 10}, L"Salt && pepper"}});
    EXPECT_TRUE(testsupport::samePicture(got2, want2));
}

// The clip rectangles of the two forms, found by filling them with lines of
// full blocks wider than the box, stacked down (0 degrees) and up (180) past
// its edges: (10, 20, 110, 70) clips to (9, 19, 110, 70) as a CRect and to
// (9, 20, 110, 71) as a CMyRect; a view origin of (5, 7) moves both by (-5, -7).
TEST(ObjDrawText, ClipRectanglesOfTheTwoForms) {
    LOGFONTW lf = logFont(-40);
    const std::wstring row(7, L'\x2588');
    CString blocks((row + L"\n" + row + L"\n" + row).c_str());
    const struct {
        bool my;
        CPoint org;
        RECT clip;
    } cases[] = {{false, {0, 0}, {9, 19, 110, 70}}, {true, {0, 0}, {9, 20, 110, 71}},
                 {false, {5, 7}, {4, 12, 105, 63}}, {true, {5, 7}, {4, 13, 105, 64}}};
    for (const auto& c : cases) {
        Canvas got(160, 120);
        CPoint org = c.org;
        CMyDC dc(&got.dc, 100, org);
        CRect box(10, 20, 110, 70);
        CMyRect mybox(box);
        for (int angle : {0, 180}) {
            if (c.my)
                dc.ObjDrawText(blocks, mybox, lf, 0, 0, DT_CENTER, 1, angle);
            else
                dc.ObjDrawText(blocks, box, lf, 0, 0, DT_CENTER, 1, angle);
        }
        const RECT ink = got.inkBox();
        SCOPED_TRACE(::testing::Message() << (c.my ? "CMyRect" : "CRect") << ", origin " << c.org.x << "," << c.org.y);
        EXPECT_TRUE(ink.left == c.clip.left && ink.top == c.clip.top && ink.right + 1 == c.clip.right &&
                    ink.bottom + 1 == c.clip.bottom);
        EXPECT_EQ(got.ink(), (c.clip.right - c.clip.left) * (c.clip.bottom - c.clip.top)) << "not filled";
    }
}

// Afterwards: the previous font, pen and brush; no clip region after text
// (the host's is gone too), the host's kept after a button; the text colour
// set and the background mode transparent where a caption was drawn. The
// background and the face keep to the host's region, a text's glyphs to their
// box alone, a button's caption to the host's region.
TEST(TextState, TextAndButtonsLeaveTheDcAsDocumented) {
    LOGFONTW lf = logFont(-14);
    for (int variant = 0; variant < 4; ++variant) {
        SCOPED_TRACE(variant);
        Canvas c(200, 100);
        CMyDC dc(&c.dc, 100);
        CRgn host;
        host.CreateRectRgn(0, 0, 120, 100);
        dc.SetRegionData(&host);
        LOGFONTW mine = logFont(-30, L"Courier New");
        HFONT own = CreateFontIndirectW(&mine);
        HGDIOBJ defaultFont = SelectObject(c.dc, own);
        const HGDIOBJ pen = GetCurrentObject(c.dc, OBJ_PEN), brush = GetCurrentObject(c.dc, OBJ_BRUSH);
        SetBkMode(c.dc, OPAQUE);
        SetTextColor(c.dc, RGB(1, 2, 3));
        CRect box(50, 30, 190, 90);
        CString s(variant == 3 ? L"" : L"Outside the host region");
        const bool button = variant >= 2;
        switch (variant) {
        case 0: dc.ObjDrawText(s, box, lf, RGB(200, 0, 0), RGB(0, 0, 200), 0, 0, 0); break;
        case 1: dc.ObjDrawTextVC(s, box, lf, RGB(200, 0, 0), RGB(0, 0, 200), 0, 0, 0); break;
        default: dc.ObjDrawButton(s, 0, 0, box, lf, RGB(200, 0, 0), RGB(0, 0, 200), DT_CENTER); break;
        }
        EXPECT_EQ(GetCurrentObject(c.dc, OBJ_FONT), own);
        EXPECT_EQ(GetCurrentObject(c.dc, OBJ_PEN), pen);
        EXPECT_EQ(GetCurrentObject(c.dc, OBJ_BRUSH), brush);
        HRGN probe = CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(GetClipRgn(c.dc, probe), button ? 1 : 0);
        DeleteObject(probe);
        EXPECT_EQ(GetTextColor(c.dc), variant == 3 ? RGB(1, 2, 3) : RGB(200, 0, 0));
        EXPECT_EQ(GetBkMode(c.dc), variant == 3 ? OPAQUE : TRANSPARENT);
        EXPECT_EQ(c.at(60, 80), 0x0000C8u);   // the background or face inside the host's region
        EXPECT_EQ(c.at(185, 85), 0xFFFFFFu);  // and none outside it
        int red = 0;
        for (int y = 30; y < 90; ++y)
            for (int x = 120; x < 190; ++x) red += c.at(x, y) == 0xC80000u;
        EXPECT_EQ(red > 10, !button);
        SelectObject(c.dc, defaultFont);
        DeleteObject(own);
    }
}

}  // namespace
