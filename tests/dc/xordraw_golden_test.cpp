// CMyDC's rubber bands put the reference GDI's pixels: every figure at zoom
// 150 with its own scroll origin and pen style over a gradient, the last row
// over a solid brush the host selected; three figures drawn twice vanish.
// tests/gdi/xordraw_bands.gdi holds the GDI calls (written by
// tests/gdi/objdraw-scripts), its golden picture comes from the reference GDI.
#include <hmigfx/my_dc.h>

#include "canvas.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <string>

namespace {

using testing_canvas::Canvas;

void drawBand(CMyDC& my, int i) {
    CPoint poly[] = {{2, 2}, {30, 6}, {15, 25}, {38, 28}, {4, 26}};
    CRect rect(2, 3, 38, 28);
    CPoint corner(12, 8), from(2, 3), to(40, 28);
    CPoint arc[2] = {{38, 5}, {2, 24}}, pie[2] = {{38, 24}, {6, 3}}, chord[2] = {{6, 3}, {38, 24}};
    const int style = i % 5;
    switch (i) {
    case 0: my.XorDrawLine(from, to, style); break;
    case 1: my.XorDrawPolyLine(poly, 5, style); break;
    case 2: my.XorDrawPolyGon(poly, 5, style); break;
    case 3: my.XorDrawRect(rect, style); break;
    case 4: my.XorDrawCircle(rect, style); break;
    case 5: my.XorDrawRound(rect, corner, style); break;
    case 6: my.XorDrawArc(rect, arc[0], arc[1], style); break;
    case 7: my.XorDrawPie(rect, pie[0], pie[1], style); break;
    case 8: my.XorDrawChord(rect, chord[0], chord[1], style); break;
    }
}

TEST(XorDrawGolden, MatchesTheReferenceGdi) {
    Canvas c(200, 160);
    TRIVERTEX v[2] = {{0, 0, 0xC000, 0x6000, 0x3000, 0}, {200, 160, 0x4000, 0xE000, 0xC000, 0}};
    GRADIENT_RECT r{0, 1};
    ::GradientFill(c.dc.m_hDC, v, 2, &r, 1, GRADIENT_FILL_RECT_H);
    CBrush solid;
    solid.CreateSolidBrush(0x40C040);
    HGDIOBJ oldBrush = ::GetCurrentObject(c.dc.m_hDC, OBJ_BRUSH);
    for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 8, 1, 4, 7}) {
        const int col = i % 3, row = i / 3;
        if (row == 2)
            c.dc.SelectObject(&solid);
        else
            ::SelectObject(c.dc.m_hDC, ::GetStockObject(NULL_BRUSH));
        CPoint origin(-(col * 65 + 3), -(row * 52 + 3));
        CMyDC my(&c.dc, 150, origin);
        drawBand(my, i);
    }
    ::SelectObject(c.dc.m_hDC, oldBrush);
    // The script states how many pixels the software GDI's dashes may differ by.
    std::ifstream script(HMIGFX_GDI_SCRIPTS "/xordraw_bands.gdi");
    std::string text((std::istreambuf_iterator<char>(script)), std::istreambuf_iterator<char>());
    std::smatch m;
    ASSERT_TRUE(std::regex_search(text, m, std::regex(R"(#\s*allow-diff-pixels:\s*(\d+))")));
    EXPECT_LE(c.differingPixels("xordraw_bands"), std::stoi(m[1]));
}

}  // namespace
