// CMyBrush: the brushes of the library's LOGBRUSH convention, painted through
// the GDI, and the predicates of the drawing code.
#include "../imagesdk/fixtures.h"

#include <hmigfx/my_brush.h>
#include <hmigfx/my_dc.h>
#include "brush/pattern_library_p.h"
#include "module/module_p.h"

#include <hmigfx/png_io.h>

#include "../dc/canvas.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

// The shared white canvas, answering in COLORREFs.
class Canvas : public testing_canvas::Canvas {
public:
    using testing_canvas::Canvas::Canvas;
    COLORREF at(int x, int y) const {
        const uint32_t p = raw(x, y);
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    uint32_t raw(int x, int y) const { return testing_canvas::Canvas::at(x, y); }
};

LOGBRUSH logBrushOf(const CMyBrush& b) {
    LOGBRUSH lb{0xFFFF, 0, 0};
    ::GetObjectW(b.GetSafeHandle(), sizeof lb, &lb);
    return lb;
}

bool isNullBrush(const CMyBrush& b) { return b.GetSafeHandle() == ::GetStockObject(NULL_BRUSH); }

// Fills the whole canvas with the brush, as a shape's interior would be.
void paint(Canvas& c, CMyBrush& brush, int w, int h, COLORREF background) {
    CBrush* old = brush.SelectBrush(&c.dc);
    c.dc.SetBkColor(background);
    ::PatBlt(c.dc.m_hDC, 0, 0, w, h, PATCOPY);
    c.dc.SelectObject(old);
}

class App {
public:
    explicit App(const fs::path& dir) : app_(L"brush-test") {
        std::free(const_cast<wchar_t*>(app_.m_pszHelpFilePath));
        app_.m_pszHelpFilePath = wcsdup((dir / "host.HLP").wstring().c_str());
    }

private:
    CWinApp app_;
};

}  // namespace

TEST(MyBrush, SolidFillsInTheFillColourUnlessTransparent) {
    Canvas c(8, 8);
    CMyBrush solid(BS_SOLID, RGB(255, 0, 0), 0, RGB(0, 0, 255), 0);
    EXPECT_EQ(logBrushOf(solid).lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(solid.GetBrushColor(), RGB(255, 0, 0));
    paint(c, solid, 8, 8, RGB(0, 255, 0));
    EXPECT_EQ(c.at(3, 3), RGB(0, 0, 255));  // the fill colour, not lbColor
    EXPECT_EQ(c.dc.GetTextColor(), RGB(255, 0, 0));

    CMyBrush transparent(BS_SOLID, RGB(255, 0, 0), 0, RGB(0, 0, 255), 1);
    EXPECT_TRUE(isNullBrush(transparent));
    CMyBrush anyNonZero(BS_SOLID, RGB(255, 0, 0), 0, RGB(0, 0, 255), 2);
    EXPECT_TRUE(isNullBrush(anyNonZero));
    EXPECT_TRUE(isNullBrush(CMyBrush(BS_NULL, 0, 0, 0, 0)));
}

TEST(MyBrush, HatchesUseTheLineColourWhateverTheTransparency) {
    for (int transparent : {0, 1}) {
        Canvas c(8, 8);
        CMyBrush hatch(BS_HATCHED, RGB(255, 0, 0), HS_HORIZONTAL, RGB(0, 0, 255), transparent);
        const LOGBRUSH lb = logBrushOf(hatch);
        EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_HATCHED));
        EXPECT_EQ(lb.lbHatch, static_cast<ULONG_PTR>(HS_HORIZONTAL));
        paint(c, hatch, 8, 8, RGB(0, 255, 0));
        EXPECT_EQ(c.at(0, 3), RGB(255, 0, 0));  // the hatch line (row 3)
        EXPECT_EQ(c.at(0, 4), RGB(0, 255, 0));  // the background
        LOGBRUSH style{BS_HATCHED, 0, 0};
        EXPECT_TRUE(CMyBrush::IsSetBrushOrgEx(style, transparent));
    }
}

TEST(MyBrush, BuiltInPatternsNeedAnOccupiedSlotInRange) {
    EXPECT_FALSE(isNullBrush(CMyBrush(BS_PATTERN, 0, 7, 0, 0)));
    EXPECT_EQ(logBrushOf(CMyBrush(BS_PATTERN, 0, 7, 0, 0)).lbStyle, static_cast<UINT>(BS_PATTERN));
    EXPECT_TRUE(isNullBrush(CMyBrush(BS_PATTERN, 0, 0, 0, 0)));    // no pattern 0
    EXPECT_TRUE(isNullBrush(CMyBrush(BS_PATTERN, 0, 49, 0, 0)));   // none beyond 48
    EXPECT_TRUE(isNullBrush(CMyBrush(BS_PATTERN, 0, 100, 0, 0)));
    EXPECT_TRUE(isNullBrush(CMyBrush(BS_PATTERN, 0, -1, 0, 0)));
    EXPECT_TRUE(isNullBrush(CMyBrush(BS_PATTERN, 0, 7, 0, 1)));    // transparent
    LOGBRUSH lb{BS_PATTERN, 0, 48};
    EXPECT_FALSE(isNullBrush(CMyBrush(&lb, 0, 0)));
}

TEST(MyBrush, GradientsUserPicturesAndUnknownStylesHaveNoBrush) {
    for (UINT style : {4u, 6u, 7u, 100u}) {
        CMyBrush b(style, RGB(1, 2, 3), 2, RGB(4, 5, 6), 0);
        EXPECT_TRUE(isNullBrush(b)) << style;
        EXPECT_EQ(b.GetBrushColor(), RGB(1, 2, 3));
    }
}

TEST(MyBrush, FilePatternsAreDibPatternBrushesOfThePicture) {
    fixtures::TempDir root;
    fs::create_directories(root.path() / "Sys" / "Brush");
    fixtures::writeFile(root.path() / "Sys" / "Brush" / "Tile.F02", fixtures::encode(".png", fixtures::gradient(3, 2)));
    App app(root.path());
    GetPatternLibrary().Unload();

    CMyBrush brush(BS_DIBPATTERN, 0, 2, 0, 0);
    EXPECT_EQ(logBrushOf(brush).lbStyle, static_cast<UINT>(BS_DIBPATTERN));
    Canvas c(9, 6);
    paint(c, brush, 9, 6, 0);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 9; ++x) EXPECT_EQ(c.at(x, y), fixtures::gradientColor(x % 3, y % 2)) << x << "," << y;

    EXPECT_TRUE(isNullBrush(CMyBrush(BS_DIBPATTERN, 0, 2, 0, 1)));   // transparent
    EXPECT_TRUE(isNullBrush(CMyBrush(BS_DIBPATTERN, 0, 3, 0, 0)));   // empty slot
    EXPECT_TRUE(isNullBrush(CMyBrush(BS_DIBPATTERN, 0, 100, 0, 0)));
    GetPatternLibrary().Unload();
}

TEST(MyBrush, PredicatesOfTheDrawingCode) {
    for (UINT style = 0; style <= 8; ++style) {
        LOGBRUSH lb{style, 0, 0};
        SCOPED_TRACE(style);
        EXPECT_EQ(CMyBrush::IsSetBrushOrgEx(lb, 0), style >= 2 && style <= 6);
        EXPECT_EQ(CMyBrush::IsSetBrushOrgEx(lb, 1), style == 2);
        EXPECT_EQ(CMyBrush::IsRegionEx(lb), style == 4 || style == 6);
        EXPECT_EQ(CMyBrush::IsUserPattern(lb), style == 6);
        CDC screen;
        EXPECT_EQ(CMyBrush::IsGradientMode(lb, &screen), style == 4);
        EXPECT_EQ(CMyBrush::IsGradientMode(lb, nullptr), style == 4);
    }
}

TEST(MyBrush, PrintersGetGradientsUnlessTheSystemCannotPrintThem) {
    LOGBRUSH gradient{4, 0, 3};
    LOGBRUSH solid{BS_SOLID, 0, 0};
    CDC printer;
    printer.m_bPrinting = TRUE;
    CDC screen;
    ASSERT_EQ(hmigfx::g_bPrinterGradient, 1);  // not a Windows 9x system
    EXPECT_TRUE(CMyBrush::IsGradientMode(gradient, &printer));
    hmigfx::g_bPrinterGradient = 0;
    EXPECT_FALSE(CMyBrush::IsGradientMode(gradient, &printer));
    EXPECT_TRUE(CMyBrush::IsGradientMode(gradient, &screen));
    EXPECT_FALSE(CMyBrush::IsGradientMode(solid, &screen));
    hmigfx::g_bPrinterGradient = 1;
}

TEST(MyBrush, SelectBrushReturnsThePreviousBrushAndSetsTheTextColour) {
    Canvas c(4, 4);
    CMyBrush brush(BS_SOLID, RGB(10, 20, 30), 0, RGB(1, 1, 1), 0);
    EXPECT_EQ(brush.SelectBrush(static_cast<CDC*>(nullptr)), nullptr);
    HGDIOBJ before = ::GetCurrentObject(c.dc.m_hDC, OBJ_BRUSH);
    CBrush* previous = brush.SelectBrush(&c.dc);
    ASSERT_NE(previous, nullptr);
    EXPECT_EQ(previous->GetSafeHandle(), before);
    EXPECT_EQ(::GetCurrentObject(c.dc.m_hDC, OBJ_BRUSH), static_cast<HGDIOBJ>(brush.GetSafeHandle()));
    EXPECT_EQ(c.dc.GetTextColor(), RGB(10, 20, 30));
    c.dc.SelectObject(previous);

    // Through a drawing context: its device context, or nothing without one.
    CMyDC view(&c.dc, 150);
    previous = brush.SelectBrush(view);
    EXPECT_EQ(::GetCurrentObject(c.dc.m_hDC, OBJ_BRUSH), static_cast<HGDIOBJ>(brush.GetSafeHandle()));
    c.dc.SelectObject(previous);
    CMyDC mappingOnly;
    EXPECT_EQ(brush.SelectBrush(mappingOnly), nullptr);
}

TEST(MyBrush, ABrushThatCannotBeMadeLeavesTheSelectedOne) {
    Canvas c(4, 4);
    CMyBrush bad(BS_HATCHED, RGB(1, 2, 3), 99, 0, 0);  // no such hatch
    EXPECT_EQ(bad.GetSafeHandle(), nullptr);
    HGDIOBJ before = ::GetCurrentObject(c.dc.m_hDC, OBJ_BRUSH);
    EXPECT_EQ(bad.SelectBrush(&c.dc), nullptr);
    EXPECT_EQ(::GetCurrentObject(c.dc.m_hDC, OBJ_BRUSH), before);
    EXPECT_EQ(c.dc.GetTextColor(), RGB(1, 2, 3));  // the text colour is set all the same
}

// ---------------------------------------------------------------------------
// The 48 built-in patterns against the reference GDI: the cells of
// tests/gdi/pattern_brushes.gdi (made there from the patterns' rows) painted
// with CMyBrush's built-in patterns must match the reference's picture.

TEST(MyBrush, BuiltInPatternsPaintTheReferencePixels) {
    std::ifstream script(HMIGFX_GDI_SCRIPTS "/pattern_brushes.gdi");
    ASSERT_TRUE(script.good());
    hmigfx::pngio::Image golden;
    std::string error;
    ASSERT_TRUE(hmigfx::pngio::readImage(HMIGFX_GOLDEN_DIR "/pattern_brushes.png", golden, &error)) << error;

    Canvas c(golden.width, golden.height);
    COLORREF text = 0, background = 0;
    int slot = 0, cells = 0;
    std::string line;
    while (std::getline(script, line)) {
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
            ::SetBrushOrgEx(c.dc.m_hDC, x, y, nullptr);
        } else if (word.size() > 1 && word[0] == 'p' && line.find("CreatePatternBrush8x8") != std::string::npos) {
            slot = std::stoi(word.substr(1));
        } else if (word == "PatBlt") {
            int x, y, w, h;
            in >> x >> y >> w >> h;
            // As a drawing operation does: the brush with the line colour, the fill colour as background.
            CMyBrush brush(BS_PATTERN, text, slot, background, 0);
            CBrush* old = brush.SelectBrush(&c.dc);
            c.dc.SetBkColor(background);
            ::PatBlt(c.dc.m_hDC, x, y, w, h, PATCOPY);
            c.dc.SelectObject(old);
            ++cells;
        }
    }
    EXPECT_EQ(cells, 48);
    int differ = 0;
    for (int y = 0; y < golden.height; ++y)
        for (int x = 0; x < golden.width; ++x)
            if (c.raw(x, y) != golden.at(x, y)) ++differ;
    EXPECT_EQ(differ, 0);
}
// ---------------------------------------------------------------------------
// The pattern operations: the module's one library

TEST(MyBrush, PatternOperationsUseTheModulesLibrary) {
    fixtures::TempDir root;
    fs::create_directories(root.path() / "Sys" / "Brush");
    fixtures::writeFile(root.path() / "Sys" / "Brush" / "Bricks.F03", fixtures::encode(".png", fixtures::gradient(8, 8)));
    App app(root.path());
    GetPatternLibrary().Unload();  // another test of this process may have loaded it
    EXPECT_EQ(CMyBrush::GetPatternSize(kFilePattern), 1);
    EXPECT_TRUE(GetPatternLibrary().IsLoaded());
    int found[3];
    EXPECT_EQ(CMyBrush::GetPatternData(kBuiltinPattern, 46, 3, found), 3);
    CString s;
    CMyBrush::GetPatternName(kFilePattern, 3, s);
    EXPECT_EQ(std::wstring(static_cast<LPCWSTR>(s)), L"Bricks");
    EXPECT_EQ(CMyBrush::DeletePattern(kFilePattern, 3), 1);
    EXPECT_EQ(CMyBrush::GetPatternSize(kFilePattern), 0);
    CString gone((root.path() / "nothing.png").wstring().c_str());
    EXPECT_EQ(CMyBrush::InsertPattern(kFilePattern, 0, gone), -1);
    GetPatternLibrary().Unload();
}
