// CMyPen drawn through a CMyDC puts the reference GDI's pixels: each style at
// two zooms with scroll origins, with thin pens and with wide ones
// (tests/gdi/my_pen_*.gdi hold the GDI calls this makes). And what a pen that
// cannot be made does, and whose the pen is.
#include <hmigfx/my_pen.h>

#include <hmigfx/my_dc.h>

#include "../support/test_support.h"

namespace {

struct Panel {
    int zoom;
    POINT width;  // LOGPEN width: whole units, hundredths
    CPoint origin;
};

struct Case {
    const char* golden;
    UINT style;
    Panel panels[2];
};

const Case kCases[] = {
    // Thin: at these zooms and widths every pen is 0 or 1 view unit wide.
    {"my_pen_solid", PS_SOLID, {{100, {1, 0}, {-10, -10}}, {400, {0, 20}, {-10, -130}}}},
    {"my_pen_dash", PS_DASH, {{50, {1, 0}, {-10, -10}}, {150, {1, 0}, {-10, -130}}}},
    {"my_pen_dot", PS_DOT, {{100, {1, 0}, {-10, -10}}, {400, {0, 20}, {-10, -130}}}},
    {"my_pen_dashdot", PS_DASHDOT, {{50, {1, 0}, {-10, -10}}, {150, {1, 0}, {-10, -130}}}},
    {"my_pen_dashdotdot", PS_DASHDOTDOT, {{100, {1, 0}, {-10, -10}}, {400, {0, 20}, {-10, -130}}}},
    {"my_pen_insideframe", PS_INSIDEFRAME, {{50, {1, 0}, {-10, -10}}, {150, {1, 0}, {-10, -130}}}},
    // Wide: 3 and 4 view units, with the dashes stretched by the same factor.
    {"my_pen_wide_solid", PS_SOLID, {{150, {2, 0}, {-10, -10}}, {400, {1, 0}, {-10, -70}}}},
    {"my_pen_wide_dash", PS_DASH, {{150, {2, 0}, {-10, -10}}, {400, {1, 0}, {-10, -70}}}},
    {"my_pen_wide_dot", PS_DOT, {{150, {2, 0}, {-10, -10}}, {400, {1, 0}, {-10, -70}}}},
    {"my_pen_wide_dashdot", PS_DASHDOT, {{150, {2, 0}, {-10, -10}}, {400, {1, 0}, {-10, -70}}}},
    {"my_pen_wide_dashdotdot", PS_DASHDOTDOT, {{150, {2, 0}, {-10, -10}}, {400, {1, 0}, {-10, -70}}}},
    {"my_pen_wide_insideframe", PS_INSIDEFRAME, {{150, {2, 0}, {-10, -10}}, {400, {1, 0}, {-10, -70}}}},
};

class PenGolden : public ::testing::TestWithParam<Case> {};

TEST_P(PenGolden, MatchesTheReferenceGdi) {
    const Case& c = GetParam();
    testsupport::Canvas canvas(180, 240);
    canvas.dc.SetBkColor(0xC0C0C0);
    // The figure in document units: a polyline, and a line on its own.
    CPoint polyline[] = {{0, 0}, {35, 0}, {35, 10}, {5, 20}, {38, 24}};
    CPoint from(0, 24), to(20, 12);
    for (const Panel& p : c.panels) {
        CPoint origin = p.origin;
        CMyDC myDC(&canvas.dc, p.zoom, origin);
        LOGPEN lp{c.style, p.width, RGB(1, 2, 3)};  // lopnColor is not what is drawn
        CMyPen pen(myDC, lp, 0xC00000);
        CPen* oldPen = canvas.dc.SelectObject(&pen);
        CPoint view[5];
        for (int i = 0; i < 5; ++i) view[i] = myDC.DocToView(polyline[i], 0);
        canvas.dc.Polyline(view, 5);
        canvas.dc.MoveTo(myDC.DocToView(from, 0));
        canvas.dc.LineTo(myDC.DocToView(to, 0));
        canvas.dc.SelectObject(oldPen);
    }
    EXPECT_TRUE(testsupport::matchesGolden(canvas, c.golden));
}

INSTANTIATE_TEST_SUITE_P(Styles, PenGolden, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.golden); });

TEST(CMyPen, IsAFrameworkPenThatDeletesItsHandle) {
    EXPECT_STREQ(RUNTIME_CLASS(CMyPen)->m_lpszClassName, "CMyPen");
    EXPECT_EQ(RUNTIME_CLASS(CMyPen)->m_pBaseClass, RUNTIME_CLASS(CPen));
    CMyPen none;
    EXPECT_EQ(none.m_hObject, nullptr);
    HGDIOBJ h;
    {
        CMyPen pen(PS_SOLID, RGB(4, 5, 6), 2);  // other styles go to CreatePen untouched
        h = pen.m_hObject;
        LOGPEN lp{};
        ASSERT_EQ(GetObjectW(h, sizeof lp, &lp), static_cast<int>(sizeof lp));
        EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(PS_SOLID));
        EXPECT_EQ(lp.lopnWidth.x, 2);
        EXPECT_EQ(lp.lopnColor, RGB(4, 5, 6));
    }
    EXPECT_EQ(GetObjectType(h), 0u);
}

}  // namespace
