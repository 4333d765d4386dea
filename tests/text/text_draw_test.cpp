// CMyDC::ObjDrawText, ObjDrawTextVC, GetLine and CheckTextRect. Placement is
// checked to the pixel: each call is compared with plain TextOut calls at the
// points worked out here from the extents the GDI reports for the same fonts.
#include "text_canvas.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

using texttest::Canvas;
using texttest::Extent;
using texttest::Font;
using texttest::InkCount;
using texttest::SamePixels;
using texttest::TextDC;

namespace {

struct Placed {
    int x, y;
    std::wstring text;
};

// What the operation should amount to: lines in the turned view font at the
// given points, clipped to clip (device units), with the viewport origin set.
void DrawPlaced(Canvas& c, LOGFONTW lf, int angle, COLORREF color, const RECT& clip, POINT org,
                const std::vector<Placed>& lines) {
    lf.lfEscapement = angle * 10;
    SetViewportOrgEx(c.dc, -org.x, -org.y, nullptr);
    HFONT f = CreateFontIndirectW(&lf);
    HGDIOBJ old = SelectObject(c.dc, f);
    SetTextColor(c.dc, color);
    SetBkMode(c.dc, TRANSPARENT);
    HRGN r = CreateRectRgnIndirect(&clip);
    SelectClipRgn(c.dc, r);
    for (const Placed& p : lines) TextOutW(c.dc, p.x, p.y, p.text.c_str(), static_cast<int>(p.text.size()));
    SelectClipRgn(c.dc, nullptr);
    DeleteObject(r);
    SelectObject(c.dc, old);
    DeleteObject(f);
}

int Width(const LOGFONTW& lf, const std::wstring& s) { return Extent(lf, s).cx; }
int LineHeight(const LOGFONTW& lf, const std::wstring& s) { return Extent(lf, s).cy; }

constexpr COLORREF kInk = 0x202080;

// ---------------------------------------------------------------------------
// GetLine

TEST(GetLine, CutsAtLineFeedsAndDropsCarriageReturns) {
    TextDC dc;
    WCHAR line[256];
    int n = -1;
    const wchar_t* text = L"first\r\nse\rcond\n\nlast";
    const wchar_t* p = dc.GetLine(nullptr, line, text, &n, 0);
    EXPECT_STREQ(line, L"first");
    EXPECT_EQ(n, 5);
    EXPECT_EQ(p, text + 7);  // past the line feed
    p = dc.GetLine(nullptr, line, p, &n, 0);
    EXPECT_STREQ(line, L"second");
    EXPECT_EQ(n, 6);
    p = dc.GetLine(nullptr, line, p, &n, 0);
    EXPECT_STREQ(line, L"");
    EXPECT_EQ(n, 0);
    p = dc.GetLine(nullptr, line, p, &n, 0);
    EXPECT_STREQ(line, L"last");
    EXPECT_EQ(*p, L'\0');
    EXPECT_EQ(p, text + wcslen(text));  // at the terminating zero
}

TEST(GetLine, NullArguments) {
    TextDC dc;
    WCHAR line[4] = L"xyz";
    int n = 7;
    const wchar_t* text = L"abc";
    EXPECT_EQ(dc.GetLine(nullptr, nullptr, text, &n, 0), text);
    EXPECT_EQ(n, 0);
    n = 7;
    EXPECT_EQ(dc.GetLine(nullptr, line, nullptr, &n, 0), nullptr);
    EXPECT_EQ(n, 0);
    EXPECT_EQ(line[0], L'\0');
}

// A line holds 255 characters; the rest of a longer line comes as the next
// line, carriage returns do not count, and a surrogate pair is never split.
TEST(GetLine, LongLinesGoOnAsTheNextLine) {
    TextDC dc;
    WCHAR line[256];
    int n = 0;
    std::wstring text(300, L'x');
    text[255] = L'y';
    const wchar_t* p = dc.GetLine(nullptr, line, text.c_str(), &n, 0);
    EXPECT_EQ(n, 255);
    EXPECT_EQ(std::wstring(line), std::wstring(255, L'x'));
    EXPECT_EQ(p, text.c_str() + 255);
    p = dc.GetLine(nullptr, line, p, &n, 0);
    EXPECT_EQ(n, 45);
    EXPECT_EQ(line[0], L'y');
    EXPECT_EQ(*p, 0);

    // Exactly 255 characters and a line feed: one line, the feed consumed.
    std::wstring exact = std::wstring(255, L'a') + L"\r\nb";
    p = dc.GetLine(nullptr, line, exact.c_str(), &n, 0);
    EXPECT_EQ(n, 255);
    EXPECT_STREQ(p, L"b");

    // Carriage returns take no room.
    std::wstring returns;
    for (int k = 0; k < 255; ++k) returns += L"c\r";
    p = dc.GetLine(nullptr, line, returns.c_str(), &n, 0);
    EXPECT_EQ(n, 255);
    EXPECT_EQ(*p, 0);

    // A pair that would straddle the end starts the next line.
    std::wstring pair = std::wstring(254, L'z') + L"\xD83D\xDE00" + L"!";
    p = dc.GetLine(nullptr, line, pair.c_str(), &n, 0);
    EXPECT_EQ(n, 254);
    p = dc.GetLine(nullptr, line, p, &n, 0);
    EXPECT_EQ(n, 3);
    EXPECT_STREQ(line, L"\xD83D\xDE00!");
}

// ---------------------------------------------------------------------------
// CheckTextRect

TEST(CheckTextRect, MeasuresAtDocumentSizeAsDrawTextDoes) {
    TextDC dc;
    LOGFONTW lf = Font(-20);
    CMyRect r(0, 0, 0, 0);
    r.left = 5.5;
    r.top = 7.25;
    dc.CheckTextRect(CString(L"Level 42"), lf, r);
    EXPECT_DOUBLE_EQ(r.left, 5.5);
    EXPECT_DOUBLE_EQ(r.top, 7.25);
    const SIZE sz = Extent(lf, L"Level 42");
    EXPECT_DOUBLE_EQ(r.right, 5.5 + sz.cx);
    EXPECT_DOUBLE_EQ(r.bottom, 7.25 + sz.cy);

    // The ampersand prefix: "&&" is one ampersand, "&x" no character at all.
    CMyRect amp(0, 0, 0, 0);
    dc.CheckTextRect(CString(L"A&&B"), lf, amp);
    EXPECT_DOUBLE_EQ(amp.right, Extent(lf, L"A&B").cx);
    dc.CheckTextRect(CString(L"&File"), lf, amp);
    EXPECT_DOUBLE_EQ(amp.right, Extent(lf, L"File").cx);
}

// ---------------------------------------------------------------------------
// ObjDrawText: placement

struct AlignCase {
    int angle;
    UINT format;
};

class Placement : public ::testing::TestWithParam<AlignCase> {};

// Two lines of different widths in a box of 200 x 100 at (50, 40): each line
// by its own width, the lines one line height apart, in the turned font.
TEST_P(Placement, EachLineWhereItsWidthPutsIt) {
    const AlignCase c = GetParam();
    LOGFONTW lf = Font(-16);
    const std::wstring text = L"Wide first line\nab";
    const std::wstring lines[] = {L"Wide first line", L"ab"};
    CRect box(50, 40, 250, 140);

    Canvas got(300, 200), want(300, 200);
    TextDC dc(&got.dc, 100);
    CString s(text.c_str());
    dc.ObjDrawText(s, box, lf, kInk, 0xFFFFFF, c.format, 1, c.angle);

    LOGFONTW turned = lf;
    turned.lfEscapement = c.angle * 10;
    const int lh = LineHeight(lf, text);
    const bool centre = c.format & DT_CENTER, right = !centre && (c.format & DT_RIGHT);
    std::vector<Placed> placed;
    for (int k = 0; k < 2; ++k) {
        const int t = std::max(Width(lf, lines[k]), Width(turned, lines[k]));
        int x = 0, y = 0;
        switch (c.angle) {
        case 0:
            x = centre ? 50 + (200 - t) / 2 : right ? 250 - t : 50;
            y = 40 + k * lh;
            break;
        case 90: case -270:
            x = 51 + k * lh;
            y = centre ? 140 - (100 - t) / 2 : right ? 40 + t : 140;
            break;
        case 180: case -180:
            x = centre ? 250 - (200 - t) / 2 : right ? 50 + t : 250;
            y = 140 - k * lh;
            break;
        case 270: case -90:
            x = 249 - k * lh;
            y = centre ? 40 + (100 - t) / 2 : right ? 140 - t : 40;
            break;
        }
        placed.push_back({x, y, lines[k]});
    }
    DrawPlaced(want, lf, c.angle, kInk, RECT{49, 39, 250, 140}, POINT{0, 0}, placed);
    EXPECT_GT(InkCount(got), 50);
    EXPECT_TRUE(SamePixels(got, want));
}

INSTANTIATE_TEST_SUITE_P(
    AnglesAndAlignments, Placement,
    ::testing::Values(AlignCase{0, DT_LEFT}, AlignCase{0, DT_CENTER}, AlignCase{0, DT_RIGHT},
                      AlignCase{0, DT_CENTER | DT_RIGHT}, AlignCase{90, DT_LEFT}, AlignCase{90, DT_CENTER},
                      AlignCase{90, DT_RIGHT}, AlignCase{180, DT_LEFT}, AlignCase{180, DT_CENTER},
                      AlignCase{180, DT_RIGHT}, AlignCase{270, DT_LEFT}, AlignCase{270, DT_CENTER},
                      AlignCase{270, DT_RIGHT}, AlignCase{-90, DT_RIGHT}, AlignCase{-180, DT_CENTER},
                      AlignCase{-270, DT_LEFT},
                      // No other flag changes anything.
                      AlignCase{0, DT_VCENTER | DT_SINGLELINE | DT_WORDBREAK | DT_BOTTOM}),
    [](const ::testing::TestParamInfo<AlignCase>& info) {
        std::string a = info.param.angle < 0 ? "minus" + std::to_string(-info.param.angle)
                                             : std::to_string(info.param.angle);
        return "angle" + a + "_format" + std::to_string(info.param.format);
    });

// Centring divides with truncation toward zero: a line 31 units narrower
// than its box starts 15 units in, one 31 units wider starts 15 units out.
TEST(ObjDrawText, CentringTruncatesTowardZero) {
    LOGFONTW lf = Font(-16);
    const std::wstring line = L"Pressure high";
    const int t = Width(lf, line);
    ASSERT_GT(t, 40);
    for (int overhang : {-31, 31, 69}) {
        Canvas got(300, 80), want(300, 80);
        TextDC dc(&got.dc, 100);
        CRect box(100, 20, 100 + t + overhang, 60);
        CString s(line.c_str());
        dc.ObjDrawText(s, box, lf, kInk, 0, DT_CENTER, 1, 0);
        DrawPlaced(want, lf, 0, kInk, RECT{99, 19, box.right, 60}, POINT{0, 0}, {{100 + overhang / 2, 20, line}});
        EXPECT_TRUE(SamePixels(got, want)) << "box " << overhang << " units wider than the line";
    }
}

// The first measure (document size, scaled) wins when the view font is
// narrower than the scaled line: here the x scale is 2 and the y scale 1, so
// the view font is the document font and the line counts twice its width.
TEST(ObjDrawText, TheWiderOfTheTwoMeasuresPlacesALine) {
    LOGFONTW lf = Font(-16);
    const std::wstring line = L"Tank 7";
    const int w = Width(lf, line);
    Canvas got(400, 60), want(400, 60);
    CPoint docExt(100, 100), viewExt(200, 100), org(0, 0);
    TextDC dc(&got.dc, docExt, viewExt, org);
    CRect box(10, 10, 180, 50);  // (20, 10, 360, 50) in view units
    CString s(line.c_str());
    dc.ObjDrawText(s, box, lf, kInk, 0, DT_RIGHT, 1, 0);
    // (-1, 0, w - 1, h) doubled is (-2, 0, 2w - 2, h): 2w wide.
    DrawPlaced(want, lf, 0, kInk, RECT{19, 9, 361, 50}, POINT{0, 0}, {{360 - 2 * w, 10, line}});
    EXPECT_TRUE(SamePixels(got, want));

    // A doubled ampersand: one at document size, two on the DC, which win.
    Canvas got2(300, 60), want2(300, 60);
    TextDC dc2(&got2.dc, 100);
    CRect box2(10, 10, 250, 50);
    CString amp(L"Salt && pepper");
    dc2.ObjDrawText(amp, box2, lf, kInk, 0, DT_RIGHT, 1, 0);
    DrawPlaced(want2, lf, 0, kInk, RECT{9, 9, 250, 50}, POINT{0, 0},
               {{250 - Width(lf, L"Salt && pepper"), 10, L"Salt && pepper"}});
    EXPECT_TRUE(SamePixels(got2, want2));
}

// At zoom 150 with a scroll origin the box, the font and the clip rectangle
// scale; the clip is in device units.
TEST(ObjDrawText, ZoomAndScrollOrigin) {
    LOGFONTW lf = Font(-12, L"Times New Roman");
    const std::wstring text = L"Flow\n12.5 m3/h";
    Canvas got(300, 200), want(300, 200);
    CPoint org(30, -20);
    TextDC dc(&got.dc, 150, org);
    CRect box(40, 10, 140, 60);  // view (60, 15, 210, 90)
    CString s(text.c_str());
    dc.ObjDrawText(s, box, lf, kInk, 0, DT_CENTER, 1, 0);

    LOGFONTW view = lf;
    view.lfHeight = -18;
    const int lh = LineHeight(view, text);
    std::vector<Placed> placed;
    int k = 0;
    for (const std::wstring line : {L"Flow", L"12.5 m3/h"}) {
        const int doc = static_cast<int>((Width(lf, line) - 1) * 1.5) - static_cast<int>(-1 * 1.5);
        const int t = std::max(doc, Width(view, line));
        placed.push_back({60 + (150 - t) / 2, 15 + lh * k++, line});
    }
    // (40, 10, 141, 61) scaled is (60, 15, 211, 91); moved by (-1, -1) and by minus the origin.
    DrawPlaced(want, view, 0, kInk, RECT{59 - 30, 14 + 20, 210 - 30, 90 + 20}, POINT{30, -20}, placed);
    EXPECT_TRUE(SamePixels(got, want));
}

// Empty lines from line feeds take a line height; a final line feed adds
// nothing; carriage returns are neither drawn nor measured.
TEST(ObjDrawText, LineFeedsAndCarriageReturns) {
    LOGFONTW lf = Font(-14);
    const std::wstring text = L"\nsecond\r\n\nfo\rurth\n";
    Canvas got(200, 120), want(200, 120);
    TextDC dc(&got.dc, 100);
    CRect box(10, 5, 190, 115);
    CString s(text.c_str());
    dc.ObjDrawText(s, box, lf, kInk, 0, DT_RIGHT, 1, 0);
    const int lh = LineHeight(lf, text);
    DrawPlaced(want, lf, 0, kInk, RECT{9, 4, 190, 115}, POINT{0, 0},
               {{190, 5, L""},
                {190 - Width(lf, L"second"), 5 + lh, L"second"},
                {190, 5 + 2 * lh, L""},
                {190 - Width(lf, L"fourth"), 5 + 3 * lh, L"fourth"}});
    EXPECT_TRUE(SamePixels(got, want));
}

// The clip rectangles of the two forms, found by filling them: lines of full
// blocks, centred and wider than the box, stacked downwards (0 degrees) and
// upwards (180) past its edges. (10, 20, 110, 70) clips to (9, 19, 110, 70) as
// a CRect and to (9, 20, 110, 71) as a CMyRect; a view origin of (5, 7) moves
// both by (-5, -7).
TEST(ObjDrawText, ClipRectanglesOfTheTwoForms) {
    LOGFONTW lf = Font(-40);
    CString blocks(L"\x2588\x2588\x2588\x2588\x2588\x2588\x2588\n\x2588\x2588\x2588\x2588\x2588\x2588\x2588\n"
                   L"\x2588\x2588\x2588\x2588\x2588\x2588\x2588");
    struct Case {
        bool my;
        CPoint org;
        std::array<int, 4> clip;
    } const cases[] = {
        {false, {0, 0}, {9, 19, 110, 70}},
        {true, {0, 0}, {9, 20, 110, 71}},
        {false, {5, 7}, {4, 12, 105, 63}},
        {true, {5, 7}, {4, 13, 105, 64}},
    };
    for (const Case& c : cases) {
        Canvas got(160, 120);
        CPoint org = c.org;
        TextDC dc(&got.dc, 100, org);
        CRect box(10, 20, 110, 70);
        CMyRect mybox(box);
        for (int angle : {0, 180}) {
            if (c.my)
                dc.ObjDrawText(blocks, mybox, lf, 0, 0, DT_CENTER, 1, angle);
            else
                dc.ObjDrawText(blocks, box, lf, 0, 0, DT_CENTER, 1, angle);
        }
        int x0 = 999, y0 = 999, x1 = -1, y1 = -1;
        for (int y = 0; y < 120; ++y)
            for (int x = 0; x < 160; ++x)
                if (got.at(x, y) != 0xFFFFFF)
                    x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
        EXPECT_EQ((std::array<int, 4>{x0, y0, x1 + 1, y1 + 1}), c.clip)
            << (c.my ? "CMyRect" : "CRect") << ", origin (" << c.org.x << ", " << c.org.y << ")";
        EXPECT_EQ(InkCount(got), (c.clip[2] - c.clip[0]) * (c.clip[3] - c.clip[1])) << "not filled";
    }
}

// 180 degrees, left: the first line starts at the right edge along the
// bottom, upside down, later lines above it.
TEST(ObjDrawText, UpsideDownLinesStackUpwards) {
    LOGFONTW lf = Font(-14);
    Canvas got(200, 120), want(200, 120);
    TextDC dc(&got.dc, 100);
    CRect box(20, 10, 180, 110);
    CString s(L"bottom line\nabove it");
    dc.ObjDrawText(s, box, lf, kInk, 0, DT_LEFT, 1, 180);
    const int lh = LineHeight(lf, L"bottom line\nabove it");
    DrawPlaced(want, lf, 180, kInk, RECT{19, 9, 180, 110}, POINT{0, 0},
               {{180, 110, L"bottom line"}, {180, 110 - lh, L"above it"}});
    EXPECT_TRUE(SamePixels(got, want));
    // The ink lies in the lower part of the box.
    int top = 999;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 200; ++x)
            if (got.at(x, y) != 0xFFFFFF) top = std::min(top, y);
    EXPECT_GT(top, 110 - 2 * lh - 2);
}

// A turn without a layout of its own still turns the font, laid out as 90 degrees.
TEST(ObjDrawText, OtherAnglesAreLaidOutAsNinety) {
    LOGFONTW lf = Font(-14);
    Canvas got(200, 200), want(200, 200);
    TextDC dc(&got.dc, 100);
    CRect box(20, 20, 180, 180);
    CString s(L"Diagonal\nnext");
    dc.ObjDrawText(s, box, lf, kInk, 0, DT_LEFT, 1, 45);
    const int lh = LineHeight(lf, L"Diagonal\nnext");
    DrawPlaced(want, lf, 45, kInk, RECT{19, 19, 180, 180}, POINT{0, 0},
               {{21, 180, L"Diagonal"}, {21 + lh, 180, L"next"}});
    EXPECT_TRUE(SamePixels(got, want));
}

// A line of 300 characters: 255 of them on the first line, the rest on the next.
TEST(ObjDrawText, LongLineGoesOnOverASecondLine) {
    LOGFONTW lf = Font(-8);
    std::wstring text;
    for (int k = 0; k < 300; ++k) text += static_cast<wchar_t>(L'a' + k % 26);
    Canvas got(400, 60), want(400, 60);
    TextDC dc(&got.dc, 100);
    CRect box(5, 5, 395, 55);
    CString s(text.c_str());
    dc.ObjDrawText(s, box, lf, kInk, 0, DT_LEFT, 1, 0);
    const int lh = LineHeight(lf, text);
    DrawPlaced(want, lf, 0, kInk, RECT{4, 4, 395, 55}, POINT{0, 0},
               {{5, 5, text.substr(0, 255)}, {5, 5 + lh, text.substr(255)}});
    EXPECT_TRUE(SamePixels(got, want));
}

// ---------------------------------------------------------------------------
// ObjDrawTextVC

TEST(ObjDrawTextVC, CentresTheBlockAcrossItsLines) {
    LOGFONTW lf = Font(-14);
    struct Case {
        int angle;
        std::wstring text;
        int lines;  // counted for the block
    } const cases[] = {
        {0, L"One line", 1}, {0, L"Two\nlines", 2}, {0, L"Trailing feed\n", 2}, {0, L"A\nB\nC\nD\nE\nF", 6},
        {90, L"Up\nwards", 2}, {-270, L"Up", 1}, {180, L"Upside\ndown", 2}, {270, L"Down\nwards\n", 3},
    };
    for (const Case& c : cases) {
        Canvas got(200, 200), want(200, 200);
        TextDC dc(&got.dc, 100);
        CRect box(30, 40, 170, 110);  // 140 x 70: a block of six lines is taller
        CString s(c.text.c_str());
        dc.ObjDrawTextVC(s, box, lf, kInk, 0, DT_LEFT, 1, c.angle);
        const int lh = LineHeight(lf, c.text);
        const int block = lh * c.lines;
        std::vector<Placed> placed;
        std::wstring rest = c.text;
        int k = 0;
        while (!rest.empty()) {
            const size_t feed = rest.find(L'\n');
            const std::wstring line = rest.substr(0, feed);
            rest = feed == std::wstring::npos ? L"" : rest.substr(feed + 1);
            switch (c.angle) {
            case 0: placed.push_back({30, 40 + (70 - block) / 2 + k * lh, line}); break;
            case 90: case -270: placed.push_back({30 + (140 - block) / 2 + 1 + k * lh, 110, line}); break;
            case 180: placed.push_back({170, 110 - (70 - block) / 2 - k * lh, line}); break;
            case 270: placed.push_back({170 - (140 - block) / 2 - 1 - k * lh, 40, line}); break;
            }
            ++k;
        }
        DrawPlaced(want, lf, c.angle, kInk, RECT{29, 39, 170, 110}, POINT{0, 0}, placed);
        EXPECT_TRUE(SamePixels(got, want)) << "angle " << c.angle << ", " << c.lines << " lines";
    }
}

// A box upside down (top below bottom) moves its top by half of its height
// plus the block height.
TEST(ObjDrawTextVC, UpsideDownBox) {
    LOGFONTW lf = Font(-14);
    Canvas got(200, 120), want(200, 120);
    TextDC dc(&got.dc, 100);
    CRect box(20, 100, 180, 20);  // height -80
    CString s(L"Inverted");
    dc.ObjDrawTextVC(s, box, lf, kInk, 0, DT_LEFT, 1, 0);
    const int lh = LineHeight(lf, L"Inverted");
    // The clip rectangle is upside down too; the region made of it is not.
    DrawPlaced(want, lf, 0, kInk, RECT{19, 99, 180, 20}, POINT{0, 0}, {{20, 100 + (-80 + lh) / 2, L"Inverted"}});
    EXPECT_TRUE(SamePixels(got, want));
}

// ---------------------------------------------------------------------------
// Background and what the DC is left with

TEST(ObjDrawText, BackgroundFillLeavesOutRightAndBottomEdges) {
    LOGFONTW lf = Font(-14);
    for (int transparent : {0, 1, 2}) {
        Canvas c(100, 80);
        TextDC dc(&c.dc, 100);
        CRect box(10, 20, 60, 50);
        CString empty;
        dc.ObjDrawText(empty, box, lf, 0, RGB(0, 128, 255), 0, transparent, 0);
        if (transparent == 0) {
            EXPECT_EQ(c.at(10, 20), 0x0080FFu);
            EXPECT_EQ(c.at(58, 48), 0x0080FFu);
            EXPECT_EQ(c.at(59, 30), 0xFFFFFFu);
            EXPECT_EQ(c.at(30, 49), 0xFFFFFFu);
            EXPECT_EQ(InkCount(c), 49 * 29);
        } else {
            EXPECT_EQ(InkCount(c), 0) << "bTransparent " << transparent;
        }
    }
}

// Afterwards: the previous font, pen and brush, no clip region (the host's is
// gone too), the text colour set and the background mode transparent. The
// text is clipped to its box only, not to the host's region.
TEST(ObjDrawText, LeavesTheDcAsDocumented) {
    LOGFONTW lf = Font(-14);
    for (int variant = 0; variant < 2; ++variant) {
        Canvas c(200, 100);
        TextDC dc(&c.dc, 100);
        CRgn host;
        host.CreateRectRgn(0, 0, 20, 20);
        dc.SetRegionData(&host);
        LOGFONTW mine = Font(-30, L"Courier New");
        HFONT font = CreateFontIndirectW(&mine);
        HGDIOBJ defaultFont = SelectObject(c.dc, font);
        HGDIOBJ pen = GetCurrentObject(c.dc, OBJ_PEN), brush = GetCurrentObject(c.dc, OBJ_BRUSH);
        SetBkMode(c.dc, OPAQUE);
        SetTextColor(c.dc, RGB(1, 2, 3));
        CRect box(50, 30, 190, 90);
        CString s(L"Outside the host region");
        if (variant == 0)
            dc.ObjDrawText(s, box, lf, RGB(200, 0, 0), RGB(0, 0, 200), 0, 0, 0);
        else
            dc.ObjDrawTextVC(s, box, lf, RGB(200, 0, 0), RGB(0, 0, 200), 0, 0, 0);
        EXPECT_EQ(GetCurrentObject(c.dc, OBJ_FONT), font);
        EXPECT_EQ(GetCurrentObject(c.dc, OBJ_PEN), pen);
        EXPECT_EQ(GetCurrentObject(c.dc, OBJ_BRUSH), brush);
        HRGN probe = CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(GetClipRgn(c.dc, probe), 0) << "a clip region is left selected";
        DeleteObject(probe);
        EXPECT_EQ(GetTextColor(c.dc), RGB(200, 0, 0));
        EXPECT_EQ(GetBkMode(c.dc), TRANSPARENT);
        // The background went in under the host's region, which kept it out;
        // the text was clipped to its box alone.
        EXPECT_EQ(c.at(60, 40), 0xFFFFFFu);
        int red = 0;
        for (int y = 30; y < 90; ++y)
            for (int x = 50; x < 190; ++x) red += c.at(x, y) == 0xC80000u;
        EXPECT_GT(red, 50);
        SelectObject(c.dc, defaultFont);
        DeleteObject(font);
    }
}

// Black/white mode: white text on black becomes black on white.
TEST(ObjDrawText, BlackAndWhiteModeSwapsTheColours) {
    LOGFONTW lf = Font(-14);
    Canvas c(100, 60, RGB(128, 128, 128));
    TextDC dc(&c.dc, 100);
    dc.SetReversePrint(1);
    CRect box(10, 10, 90, 50);
    CString s(L"Alarm");
    dc.ObjDrawText(s, box, lf, RGB(255, 255, 255), RGB(0, 0, 0), 0, 0, 0);
    EXPECT_EQ(c.at(85, 45), 0xFFFFFFu);
    EXPECT_EQ(GetTextColor(c.dc), RGB(0, 0, 0));
}

TEST(ObjDrawText, WithoutADcNothingHappens) {
    CPoint org(0, 0);
    TextDC dc(100, org);
    LOGFONTW lf = Font(-14);
    CRect box(0, 0, 10, 10);
    CMyRect mybox(box);
    CString s(L"x");
    dc.ObjDrawText(s, box, lf, 0, 0, 0, 0, 0);
    dc.ObjDrawText(s, mybox, lf, 0, 0, 0, 0, 0);
    dc.ObjDrawTextVC(s, box, lf, 0, 0, 0, 0, 0);
    dc.ObjDrawTextVC(s, mybox, lf, 0, 0, 0, 0, 0);
    dc.ObjDrawButton(s, 1, 1, box, lf, 0, 0, 0);
    dc.ObjDrawButton(s, 1, 1, mybox, lf, 0, 0, 0);
    SUCCEED();
}

// ---------------------------------------------------------------------------
// Chinese text in a Latin face: drawn from a font that has the glyphs, the
// same as in that font itself, never as empty boxes.
TEST(ObjDrawText, ChineseDrawsWithAFontThatHasTheGlyphs) {
    const std::wstring text = L"\x6C34\x6CF5";  // "water pump"
    auto inkBox = [](const Canvas& c) {
        std::vector<uint32_t> crop;
        int x0 = c.width(), y0 = c.height(), x1 = -1, y1 = -1;
        for (int y = 0; y < c.height(); ++y)
            for (int x = 0; x < c.width(); ++x)
                if (c.at(x, y) != 0xFFFFFF)
                    x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) crop.push_back(c.at(x, y));
        return std::make_pair(std::array<int, 2>{x1 - x0, y1 - y0}, crop);
    };
    Canvas latin(120, 60), cjk(120, 60), other(120, 60);
    TextDC dc1(&latin.dc, 100), dc2(&cjk.dc, 100), dc3(&other.dc, 100);
    CRect box(10, 10, 110, 50);
    CString s(text.c_str());
    LOGFONTW arial = Font(-20), wqy = Font(-20, L"WenQuanYi Micro Hei");
    dc1.ObjDrawText(s, box, arial, 0, 0, 0, 1, 0);
    dc2.ObjDrawText(s, box, wqy, 0, 0, 0, 1, 0);
    CString t(L"\x538B\x529B");  // "pressure"
    dc3.ObjDrawText(t, box, arial, 0, 0, 0, 1, 0);
    const auto a = inkBox(latin), b = inkBox(cjk), c = inkBox(other);
    EXPECT_GT(InkCount(latin), 60);
    EXPECT_EQ(a, b) << "the fallback glyphs differ from the CJK font's own";
    EXPECT_NE(a.second, c.second) << "two different strings drew the same (empty boxes?)";
}

}  // namespace
