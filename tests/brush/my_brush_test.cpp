// CMyBrush: the brushes of the library's LOGBRUSH convention, the predicates
// of the drawing code, the pattern operations, and the built-in patterns
// against the reference GDI.
#include "../imagesdk/fixtures.h"

#include <hmigfx/my_brush.h>
#include <hmigfx/my_dc.h>
#include "brush/pattern_library_p.h"
#include "module/module_p.h"

#include "../support/test_support.h"

#include <sstream>

using testsupport::Canvas;

namespace {

LOGBRUSH logBrushOf(const CMyBrush& b) {
    LOGBRUSH lb{0xFFFF, 0, 0};
    ::GetObjectW(b.GetSafeHandle(), sizeof lb, &lb);
    return lb;
}

bool isNull(const CMyBrush& b) { return b.GetSafeHandle() == ::GetStockObject(NULL_BRUSH); }

// Fills the canvas with the brush as a shape's interior would be.
void paint(Canvas& c, CMyBrush& brush, COLORREF background) {
    CBrush* old = brush.SelectBrush(&c.dc);
    c.dc.SetBkColor(background);
    ::PatBlt(c.dc, 0, 0, c.width(), c.height(), PATCOPY);
    c.dc.SelectObject(old);
}

TEST(MyBrush, EachStyleMakesItsBrushOrNone) {
    Canvas c(8, 8);
    CMyBrush solid(BS_SOLID, RGB(255, 0, 0), 0, RGB(0, 0, 255), 0);
    EXPECT_EQ(logBrushOf(solid).lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(solid.GetBrushColor(), RGB(255, 0, 0));
    paint(c, solid, RGB(0, 255, 0));
    EXPECT_EQ(c.color(3, 3), RGB(0, 0, 255));  // the fill colour, not lbColor
    EXPECT_EQ(c.dc.GetTextColor(), RGB(255, 0, 0));
    // Hatches keep the line colour whatever the transparency.
    for (int transparent : {0, 1}) {
        CMyBrush hatch(BS_HATCHED, RGB(255, 0, 0), HS_HORIZONTAL, RGB(0, 0, 255), transparent);
        EXPECT_EQ(logBrushOf(hatch).lbHatch, static_cast<ULONG_PTR>(HS_HORIZONTAL));
        paint(c, hatch, RGB(0, 255, 0));
        EXPECT_EQ(c.color(0, 3), RGB(255, 0, 0));
        EXPECT_EQ(c.color(0, 4), RGB(0, 255, 0));
    }
    EXPECT_FALSE(isNull(CMyBrush(BS_PATTERN, 0, 7, 0, 0)));
    LOGBRUSH lb{BS_PATTERN, 0, 48};
    EXPECT_FALSE(isNull(CMyBrush(&lb, 0, 0)));
    // No brush: transparency of any nonzero value, built-in slots 0 and past
    // 48, gradients, user pictures and unknown styles.
    const struct {
        UINT style;
        LONG hatch;
        int transparent;
    } none[] = {{BS_SOLID, 0, 1}, {BS_SOLID, 0, 2}, {BS_NULL, 0, 0}, {BS_PATTERN, 0, 0}, {BS_PATTERN, 49, 0},
                {BS_PATTERN, 100, 0}, {BS_PATTERN, -1, 0}, {BS_PATTERN, 7, 1}, {4, 2, 0}, {6, 2, 0}, {7, 2, 0}, {100, 2, 0}};
    for (const auto& n : none) {
        CMyBrush b(n.style, RGB(1, 2, 3), n.hatch, RGB(4, 5, 6), n.transparent);
        EXPECT_TRUE(isNull(b)) << n.style << " " << n.hatch << " " << n.transparent;
        EXPECT_EQ(b.GetBrushColor(), RGB(1, 2, 3));
    }
}

TEST(MyBrush, PredicatesOfTheDrawingCode) {
    CDC screen, printer;
    printer.m_bPrinting = TRUE;
    for (UINT style = 0; style <= 8; ++style) {
        SCOPED_TRACE(style);
        LOGBRUSH lb{style, 0, 0};
        EXPECT_EQ(CMyBrush::IsSetBrushOrgEx(lb, 0), style >= 2 && style <= 6);
        EXPECT_EQ(CMyBrush::IsSetBrushOrgEx(lb, 1), style == 2);
        EXPECT_EQ(CMyBrush::IsRegionEx(lb), style == 4 || style == 6);
        EXPECT_EQ(CMyBrush::IsUserPattern(lb), style == 6);
        EXPECT_EQ(CMyBrush::IsGradientMode(lb, &screen), style == 4);
        EXPECT_EQ(CMyBrush::IsGradientMode(lb, nullptr), style == 4);
        EXPECT_EQ(CMyBrush::IsGradientMode(lb, &printer), style == 4);
    }
    // Printers get gradients unless the system cannot print them (Windows 9x).
    LOGBRUSH gradient{4, 0, 3};
    ASSERT_EQ(hmigfx::g_bPrinterGradient, 1);
    hmigfx::g_bPrinterGradient = 0;
    EXPECT_FALSE(CMyBrush::IsGradientMode(gradient, &printer));
    EXPECT_TRUE(CMyBrush::IsGradientMode(gradient, &screen));
    hmigfx::g_bPrinterGradient = 1;
}

TEST(MyBrush, SelectBrushReturnsThePreviousOneAndSetsTheTextColour) {
    Canvas c(4, 4);
    CMyBrush brush(BS_SOLID, RGB(10, 20, 30), 0, RGB(1, 1, 1), 0);
    EXPECT_EQ(brush.SelectBrush(static_cast<CDC*>(nullptr)), nullptr);
    const HGDIOBJ before = ::GetCurrentObject(c.dc, OBJ_BRUSH);
    CBrush* previous = brush.SelectBrush(&c.dc);
    ASSERT_NE(previous, nullptr);
    EXPECT_EQ(previous->GetSafeHandle(), before);
    EXPECT_EQ(::GetCurrentObject(c.dc, OBJ_BRUSH), static_cast<HGDIOBJ>(brush.GetSafeHandle()));
    EXPECT_EQ(c.dc.GetTextColor(), RGB(10, 20, 30));
    c.dc.SelectObject(previous);
    // Through a drawing context: its device context, or nothing without one.
    CMyDC view(&c.dc, 150), mappingOnly;
    previous = brush.SelectBrush(view);
    EXPECT_EQ(::GetCurrentObject(c.dc, OBJ_BRUSH), static_cast<HGDIOBJ>(brush.GetSafeHandle()));
    c.dc.SelectObject(previous);
    EXPECT_EQ(brush.SelectBrush(mappingOnly), nullptr);
    // A brush that cannot be made leaves the selected one; the text colour is set all the same.
    CMyBrush bad(BS_HATCHED, RGB(1, 2, 3), 99, 0, 0);
    EXPECT_EQ(bad.GetSafeHandle(), nullptr);
    EXPECT_EQ(bad.SelectBrush(&c.dc), nullptr);
    EXPECT_EQ(::GetCurrentObject(c.dc, OBJ_BRUSH), before);
    EXPECT_EQ(c.dc.GetTextColor(), RGB(1, 2, 3));
}

// The cells of tests/gdi/pattern_brushes.gdi (made there from the patterns'
// rows) painted with CMyBrush's built-in patterns.
TEST(MyBrush, BuiltInPatternsPaintTheReferencePixels) {
    std::istringstream script(testsupport::slurp(HMIGFX_GDI_SCRIPTS "/pattern_brushes.gdi"));
    hmigfx::pngio::Image golden;
    ASSERT_TRUE(hmigfx::pngio::readImage(HMIGFX_GOLDEN_DIR "/pattern_brushes.png", golden, nullptr));
    Canvas c(golden.width, golden.height);
    COLORREF text = 0, background = 0;
    int slot = 0, cells = 0;
    for (std::string line; std::getline(script, line);) {
        std::istringstream in(line);
        std::string word;
        in >> word;
        if (word == "SetTextColor") {
            in >> std::hex >> text;
        } else if (word == "SetBkColor") {
            in >> std::hex >> background;
        } else if (word == "SetBrushOrgEx") {
            int x = 0, y = 0;
            in >> x >> y;
            ::SetBrushOrgEx(c.dc, x, y, nullptr);
        } else if (word.size() > 1 && word[0] == 'p' && line.find("CreatePatternBrush8x8") != std::string::npos) {
            slot = std::stoi(word.substr(1));
        } else if (word == "PatBlt") {
            int x, y, w, h;
            in >> x >> y >> w >> h;
            // As a drawing operation does: the line colour, the fill colour as background.
            CMyBrush brush(BS_PATTERN, text, slot, background, 0);
            CBrush* old = brush.SelectBrush(&c.dc);
            c.dc.SetBkColor(background);
            ::PatBlt(c.dc, x, y, w, h, PATCOPY);
            c.dc.SelectObject(old);
            ++cells;
        }
    }
    EXPECT_EQ(cells, 48);
    EXPECT_TRUE(testsupport::matchesGolden(c, "pattern_brushes"));
}

TEST(MyBrush, PatternOperationsUseTheModulesLibrary) {
    fixtures::Installation inst;
    inst.add("Bricks.F03", fixtures::gradientBmp(8, 8));
    GetPatternLibrary().Unload();  // another test of this process may have loaded it
    EXPECT_EQ(CMyBrush::GetPatternSize(kFilePattern), 1);
    EXPECT_TRUE(GetPatternLibrary().IsLoaded());
    int found[3];
    EXPECT_EQ(CMyBrush::GetPatternData(kBuiltinPattern, 46, 3, found), 3);
    CString s;
    CMyBrush::GetPatternName(kFilePattern, 3, s);
    EXPECT_EQ(std::wstring(static_cast<LPCWSTR>(s)), L"Bricks");
    // A style-5 brush is a DIB pattern brush of the slot's picture.
    CMyBrush file(BS_DIBPATTERN, 0, 3, 0, 0);
    EXPECT_EQ(logBrushOf(file).lbStyle, static_cast<UINT>(BS_DIBPATTERN));
    for (auto [slot, transparent] : {std::pair{3, 1}, {4, 0}, {100, 0}})
        EXPECT_TRUE(isNull(CMyBrush(BS_DIBPATTERN, 0, slot, 0, transparent))) << slot;
    EXPECT_EQ(CMyBrush::DeletePattern(kFilePattern, 3), 1);
    EXPECT_EQ(CMyBrush::GetPatternSize(kFilePattern), 0);
    CString gone((inst.root / "nothing.png").wstring().c_str());
    EXPECT_EQ(CMyBrush::InsertPattern(kFilePattern, 0, gone), -1);
    GetPatternLibrary().Unload();
}

}  // namespace
