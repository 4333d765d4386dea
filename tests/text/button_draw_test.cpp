// CMyDC::ObjDrawButton: the frame, face, focus rectangle and caption each
// land inside the previous one by the documented insets. Each state is
// compared with the plain USER and GDI calls on the expected rectangles.
#include "text_canvas.h"

using texttest::Canvas;
using texttest::Font;
using texttest::SamePixels;
using texttest::TextDC;

namespace {

struct Insets {
    int l, t, r, b;
};

struct State {
    const char* name;
    int focus, pushed;
    bool sunken;
    bool focusRect;
    Insets focusInset;    // from the button box, right and bottom edges included
    Insets captionInset;
};

const State kStates[] = {
    {"raised", 0, 0, false, false, {}, {3, 3, 3, 3}},
    {"pushed_without_focus", 0, 1, false, false, {}, {3, 3, 3, 3}},
    {"focused", 1, 0, false, true, {3, 3, 3, 3}, {4, 4, 4, 4}},
    {"focused_and_pushed", 1, 1, true, true, {3, 3, 2, 2}, {4, 4, 3, 3}},
};

RECT Inset(RECT r, Insets i) { return RECT{r.left + i.l, r.top + i.t, r.right - i.r, r.bottom - i.b}; }

// The calls the button should amount to; box in view units, edges included.
void DrawExpected(Canvas& c, const State& s, RECT box, const LOGFONTW& viewFont, const wchar_t* caption,
                  COLORREF text, COLORREF face, UINT format) {
    DrawFrameControl(c.dc, &box, DFC_BUTTON, s.sunken ? DFCS_BUTTONPUSH | DFCS_PUSHED : DFCS_BUTTONPUSH);
    RECT inner = Inset(box, {2, 2, 2, 2});
    HBRUSH b = CreateSolidBrush(face);
    FillRect(c.dc, &inner, b);
    DeleteObject(b);
    if (s.focusRect) {
        RECT f = Inset(box, s.focusInset);
        DrawFocusRect(c.dc, &f);
    }
    if (*caption) {
        RECT cap = Inset(box, s.captionInset);
        HFONT font = CreateFontIndirectW(&viewFont);
        HGDIOBJ old = SelectObject(c.dc, font);
        SetBkMode(c.dc, TRANSPARENT);
        SetTextColor(c.dc, text);
        DrawTextW(c.dc, caption, -1, &cap, format);
        SelectObject(c.dc, old);
        DeleteObject(font);
    }
}

class ButtonState : public ::testing::TestWithParam<State> {};

TEST_P(ButtonState, FrameFaceFocusAndCaptionInsets) {
    const State& s = GetParam();
    LOGFONTW lf = Font(-14);
    for (const wchar_t* caption : {L"", L"&Start", L"Two lines\nof caption"}) {
        for (UINT format : {UINT(DT_CENTER | DT_VCENTER | DT_SINGLELINE), UINT(DT_LEFT | DT_NOPREFIX)}) {
            Canvas got(140, 70), want(140, 70);
            TextDC dc(&got.dc, 100);
            CRect rect(10, 10, 129, 59);
            CString str(caption);
            dc.ObjDrawButton(str, s.focus, s.pushed, rect, lf, RGB(0, 0, 128), RGB(255, 240, 200), format);
            DrawExpected(want, s, RECT{10, 10, 130, 60}, lf, caption, RGB(0, 0, 128), RGB(255, 240, 200), format);
            EXPECT_TRUE(SamePixels(got, want)) << "caption of " << wcslen(caption) << " characters, format "
                                               << format;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(States, ButtonState, ::testing::ValuesIn(kStates),
                         [](const ::testing::TestParamInfo<State>& info) { return std::string(info.param.name); });

// At zoom 150 with a scroll origin: the box and the font scale, the CMyRect
// form truncates.
TEST(ObjDrawButton, ZoomAndTheCMyRectForm) {
    LOGFONTW lf = Font(-12, L"Times New Roman");
    LOGFONTW view = lf;
    view.lfHeight = -18;
    Canvas got(200, 120), want(200, 120);
    CPoint org(-10, 5);
    TextDC dc(&got.dc, 150, org);
    CMyRect rect(0, 0, 0, 0);
    rect.left = 10.5;
    rect.top = 20.9;
    rect.right = 100.2;
    rect.bottom = 60.7;
    CString str(L"Acknowledge");
    dc.ObjDrawButton(str, 1, 1, rect, lf, 0, RGB(200, 255, 200), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SetViewportOrgEx(want.dc, 10, -5, nullptr);
    // (15.75, 31.35, 150.3, 91.05) truncated, right and bottom taken in.
    DrawExpected(want, kStates[3], RECT{15, 31, 151, 92}, view, L"Acknowledge", 0, RGB(200, 255, 200),
                 DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EXPECT_TRUE(SamePixels(got, want));
}

// The DC keeps its font; after a caption its text colour and transparent
// mode stay set, without one they are untouched. No clip region is touched.
TEST(ObjDrawButton, LeavesTheDcAsDocumented) {
    LOGFONTW lf = Font(-14);
    for (const wchar_t* caption : {L"", L"OK"}) {
        Canvas c(100, 60);
        TextDC dc(&c.dc, 100);
        CRgn host;
        host.CreateRectRgn(0, 0, 50, 60);
        dc.SetRegionData(&host);
        HGDIOBJ font = GetCurrentObject(c.dc, OBJ_FONT);
        SetBkMode(c.dc, OPAQUE);
        SetTextColor(c.dc, RGB(1, 2, 3));
        CRect rect(10, 10, 89, 49);
        CString str(caption);
        dc.ObjDrawButton(str, 0, 0, rect, lf, RGB(100, 0, 0), RGB(0, 100, 0), DT_CENTER);
        EXPECT_EQ(GetCurrentObject(c.dc, OBJ_FONT), font);
        EXPECT_EQ(GetTextColor(c.dc), *caption ? RGB(100, 0, 0) : RGB(1, 2, 3));
        EXPECT_EQ(GetBkMode(c.dc), *caption ? TRANSPARENT : OPAQUE);
        HRGN probe = CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(GetClipRgn(c.dc, probe), 1) << "the host's region is gone";
        DeleteObject(probe);
        EXPECT_EQ(c.at(30, 30), 0x006400u) << "the face";
        EXPECT_EQ(c.at(70, 30), 0xFFFFFFu) << "drawn outside the host's region";
    }
}

// Black/white mode swaps a white face and a black caption.
TEST(ObjDrawButton, BlackAndWhiteMode) {
    LOGFONTW lf = Font(-14);
    Canvas c(100, 60);
    TextDC dc(&c.dc, 100);
    dc.SetReversePrint(1);
    CRect rect(10, 10, 89, 49);
    CString str(L"OK");
    dc.ObjDrawButton(str, 0, 0, rect, lf, RGB(0, 0, 0), RGB(255, 255, 255), DT_CENTER);
    EXPECT_EQ(c.at(15, 45), 0x000000u);
    EXPECT_EQ(GetTextColor(c.dc), RGB(255, 255, 255));
}

}  // namespace
