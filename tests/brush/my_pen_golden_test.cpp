// CMyPen drawn through a CMyDC puts the reference GDI's pixels. Each style is
// drawn at two zooms with scroll origins, once with thin pens and once with wide
// ones; tests/gdi/<golden>.gdi holds the GDI calls this makes (the same pens,
// points and origins), and its golden picture comes from the reference GDI.
#include <hmigfx/my_pen.h>

#include <hmigfx/my_dc.h>
#include <hmigfx/png_io.h>

#include <gtest/gtest.h>

#include <string>

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

constexpr COLORREF kColor = 0xC00000;
constexpr int kWidth = 180, kHeight = 240;

class PenGolden : public ::testing::TestWithParam<Case> {};

TEST_P(PenGolden, MatchesTheReferenceGdi) {
    const Case& c = GetParam();
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = kWidth;
    bi.bmiHeader.biHeight = -kHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    CBitmap surface;
    ASSERT_TRUE(surface.Attach(CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0)));
    HGDIOBJ oldBitmap = dc.SelectObject(&surface)->m_hObject;
    dc.PatBlt(0, 0, kWidth, kHeight, WHITENESS);
    dc.SetBkColor(0xC0C0C0);

    // The figure in document units: a polyline, and a line on its own.
    CPoint polyline[] = {{0, 0}, {35, 0}, {35, 10}, {5, 20}, {38, 24}};
    CPoint from(0, 24), to(20, 12);
    for (const Panel& p : c.panels) {
        CPoint origin = p.origin;
        CMyDC myDC(&dc, p.zoom, origin);
        LOGPEN lp{c.style, p.width, RGB(1, 2, 3)};  // lopnColor is not what is drawn
        CMyPen pen(myDC, lp, kColor);
        CPen* oldPen = dc.SelectObject(&pen);
        CPoint view[5];
        for (int i = 0; i < 5; ++i) view[i] = myDC.DocToView(polyline[i], 0);
        dc.Polyline(view, 5);
        dc.MoveTo(myDC.DocToView(from, 0));
        dc.LineTo(myDC.DocToView(to, 0));
        dc.SelectObject(oldPen);
    }
    dc.SelectObject(oldBitmap);
    AfxUnlockTempMaps();

    hmigfx::pngio::Image expected;
    std::string error;
    const std::string golden = std::string(HMIGFX_GOLDEN_DIR) + "/" + c.golden + ".png";
    ASSERT_TRUE(hmigfx::pngio::readImage(golden, expected, &error)) << error;
    ASSERT_EQ(expected.width, kWidth);
    ASSERT_EQ(expected.height, kHeight);
    const auto* px = static_cast<const uint32_t*>(bits);
    int differing = 0, firstX = -1, firstY = -1;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            if ((px[y * kWidth + x] & 0xFFFFFF) != expected.at(x, y) && differing++ == 0) {
                firstX = x;
                firstY = y;
            }
    EXPECT_EQ(differing, 0) << "first at (" << firstX << ", " << firstY << ")";
}

INSTANTIATE_TEST_SUITE_P(Styles, PenGolden, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.golden); });

}  // namespace
