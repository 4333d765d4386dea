// Printer DCs: a page drawn in many bands and read back from its PDF is the
// drawing a memory DC of the page's size gets; the document calls in and out
// of order; what the device reports.
#include "../printing/pdf_pages.h"
#include "printer_p.h"

#include "../support/canvas.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using hmigfx::pngio::Image;

namespace {

// 160 x 120 pixels at 96 dpi.
DEVMODEW smallPage(bool mono) {
    DEVMODEW dm{};
    dm.dmSize = sizeof dm;
    dm.dmFields = DM_PAPERSIZE | DM_PAPERWIDTH | DM_PAPERLENGTH | DM_PRINTQUALITY | DM_COLOR;
    dm.dmPaperSize = DMPAPER_USER;
    dm.dmPaperWidth = 423;
    dm.dmPaperLength = 318;
    dm.dmPrintQuality = 96;
    dm.dmColor = mono ? DMCOLOR_MONOCHROME : DMCOLOR_COLOR;
    return dm;
}

fs::path scratchFile(const std::string& name) {
    return fs::temp_directory_path() / ("hmigfx-printer-" + std::to_string(::getpid()) + "-" + name);
}

// Everything that could tell bands apart: shapes crossing band edges, brush
// origins, hatches and patterns, a wide dashed pen, text, a gradient, XOR, a
// clip region, and inputs the caller changes or deletes before EndPage.
void drawSample(HDC dc, HDC picture) {
    SetBrushOrgEx(dc, 3, 5, nullptr);
    LOGBRUSH lb{BS_SOLID, RGB(0, 0, 160), 0};
    HPEN wide = ExtCreatePen(PS_GEOMETRIC | PS_DASH | PS_ENDCAP_ROUND, 5, &lb, 0, nullptr);
    HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, RGB(200, 0, 0));
    HGDIOBJ oldPen = SelectObject(dc, wide), oldBrush = SelectObject(dc, hatch);
    Ellipse(dc, 10, 7, 150, 111);
    const WORD rows[8] = {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81};
    HBITMAP bits = CreateBitmap(8, 8, 1, 1, rows);
    HBRUSH pattern = CreatePatternBrush(bits);
    SelectObject(dc, pattern);
    SetTextColor(dc, RGB(0, 128, 0));
    RoundRect(dc, 30, 30, 90, 100, 20, 20);
    TRIVERTEX v[2] = {{95, 20, 0xFF00, 0x8000, 0, 0}, {155, 70, 0, 0x4000, 0xFF00, 0}};
    GRADIENT_RECT r{0, 1};
    GradientFill(dc, v, 2, &r, 1, GRADIENT_FILL_RECT_V);
    HRGN clip = CreateEllipticRgn(60, 40, 140, 115);
    ExtSelectClipRgn(dc, clip, RGN_COPY);
    const POINT star[5] = {{100, 40}, {130, 115}, {60, 65}, {140, 65}, {70, 115}};
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    Polygon(dc, star, 5);
    SelectClipRgn(dc, nullptr);
    BitBlt(dc, 4, 80, 24, 24, picture, 0, 0, SRCCOPY);
    HRGN blob = CreateRoundRectRgn(110, 80, 150, 118, 12, 12);
    HBRUSH blue = CreateSolidBrush(RGB(0, 90, 255));
    FillRgn(dc, blob, blue);
    HFONT font = CreateFontW(22, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, L"Arial");
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    TextOutW(dc, 12, 44, L"Bands", 5);
    SetROP2(dc, R2_XORPEN);
    HPEN xorPen = CreatePen(PS_SOLID, 3, RGB(255, 255, 0));
    SelectObject(dc, xorPen);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, 20, 15, 120, 90);
    SetROP2(dc, R2_COPYPEN);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldFont);
    for (HGDIOBJ o : {(HGDIOBJ)wide, (HGDIOBJ)hatch, (HGDIOBJ)pattern, (HGDIOBJ)bits, (HGDIOBJ)clip, (HGDIOBJ)blob,
                      (HGDIOBJ)blue, (HGDIOBJ)font, (HGDIOBJ)xorPen})
        DeleteObject(o);
}

// A white memory page of depth bpp (1 bit: black and white).
testsupport::Canvas memoryPage(int w, int h, int bpp) {
    return {w, h, testsupport::kWhite, bpp, bpp == 1 ? std::vector<RGBQUAD>{{0, 0, 0, 0}, {255, 255, 255, 0}} : std::vector<RGBQUAD>{}};
}

class BandedPage : public ::testing::TestWithParam<bool> {};

TEST_P(BandedPage, PdfPageEqualsTheMemoryDcDrawing) {
    const bool mono = GetParam();
    testsupport::Canvas picture(24, 24);
    auto paintPicture = [&] {
        PatBlt(picture.hdc(), 0, 0, 24, 24, WHITENESS);
        for (int i = 0; i < 24; ++i) SetPixel(picture.hdc(), i, i, RGB(255, 0, 255)), SetPixel(picture.hdc(), 23 - i, i, RGB(0, 160, 0));
    };
    paintPicture();

    const DEVMODEW dm = smallPage(mono);
    HDC printer = CreateDCW(L"WINSPOOL", L"PDF", nullptr, &dm);
    ASSERT_NE(printer, nullptr);
    const int w = GetDeviceCaps(printer, HORZRES), h = GetDeviceCaps(printer, VERTRES);
    ASSERT_EQ(w, 160);
    ASSERT_EQ(h, 120);
    hmigfx::win32::setPrinterBandBytes(7 * (mono ? 20 : 640));  // 7 rows a band: 18 bands
    const fs::path out = scratchFile(mono ? "mono.pdf" : "colour.pdf");
    const std::wstring name = out.wstring();
    const DOCINFOW di{sizeof(DOCINFOW), L"bands", name.c_str(), nullptr, 0};
    ASSERT_GT(StartDocW(printer, &di), 0);
    ASSERT_GT(StartPage(printer), 0);
    drawSample(printer, picture.hdc());
    PatBlt(picture.hdc(), 0, 0, 24, 24, BLACKNESS);  // the page keeps what was blitted
    ASSERT_GT(EndPage(printer), 0);
    ASSERT_GT(EndDoc(printer), 0);
    DeleteDC(printer);
    hmigfx::win32::setPrinterBandBytes(0);

    const testsupport::Canvas screen = memoryPage(w, h, mono ? 1 : 32);
    paintPicture();
    drawSample(screen.hdc(), picture.hdc());

    const std::vector<Image> pages = hmigfx::testing::pdfPages(out, 96);
    fs::remove(out);
    ASSERT_EQ(pages.size(), 1u);
    ASSERT_EQ(pages[0].width, w);
    ASSERT_EQ(pages[0].height, h);
    int differing = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const COLORREF c = GetPixel(screen.hdc(), x, y);
            const uint32_t expected = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
            if (pages[0].at(x, y) != expected && differing++ < 5)
                ADD_FAILURE() << "pixel " << x << "," << y << ": " << std::hex << pages[0].at(x, y) << " != " << expected;
        }
    EXPECT_EQ(differing, 0);
}

INSTANTIATE_TEST_SUITE_P(ColourAndMonochrome, BandedPage, ::testing::Values(false, true));

TEST(PrinterDC, DocumentAndPageCallsInOrderOnly) {
    const DEVMODEW dm = smallPage(false);
    HDC printer = CreateDCW(L"WINSPOOL", L"PDF", nullptr, &dm);
    ASSERT_NE(printer, nullptr);
    const fs::path out = scratchFile("order.pdf");
    const std::wstring name = out.wstring();
    const DOCINFOW di{sizeof(DOCINFOW), L"order", name.c_str(), nullptr, 0};
    EXPECT_EQ(StartPage(printer), SP_ERROR);  // no document
    EXPECT_EQ(EndDoc(printer), SP_ERROR);
    ASSERT_GT(StartDocW(printer, &di), 0);
    EXPECT_EQ(StartDocW(printer, &di), SP_ERROR);  // one at a time
    EXPECT_EQ(EndPage(printer), SP_ERROR);          // no page started
    ASSERT_GT(StartPage(printer), 0);
    Rectangle(printer, 10, 10, 50, 50);
    EXPECT_EQ(AbortDoc(printer), 1);
    EXPECT_FALSE(fs::exists(out));

    // An abort procedure that stops the job: EndPage fails, nothing is written.
    ASSERT_GT(StartDocW(printer, &di), 0);
    SetAbortProc(printer, [](HDC, int) -> BOOL { return FALSE; });
    ASSERT_GT(StartPage(printer), 0);
    EXPECT_EQ(EndPage(printer), SP_ERROR);
    EXPECT_EQ(EndDoc(printer), SP_ERROR);
    EXPECT_FALSE(fs::exists(out));
    SetAbortProc(printer, nullptr);

    // An output that cannot be created fails at StartDoc.
    const std::wstring nowhere = (out.parent_path() / "no-such-dir" / "x.pdf").wstring();
    const DOCINFOW bad{sizeof(DOCINFOW), L"bad", nowhere.c_str(), nullptr, 0};
    EXPECT_EQ(StartDocW(printer, &bad), SP_ERROR);

    // Two pages, two copies: four pages in the file, no scratch file beside it.
    DEVMODEW two = dm;
    two.dmFields |= DM_COPIES;
    two.dmCopies = 2;
    HDC copies = CreateDCW(nullptr, L"PDF", nullptr, &two);
    ASSERT_GT(StartDocW(copies, &di), 0);
    for (int i = 0; i < 2; ++i) StartPage(copies), EndPage(copies);
    ASSERT_GT(EndDoc(copies), 0);
    EXPECT_EQ(hmigfx::testing::pdfPages(out, 24).size(), 4u);
    int files = 0;
    for (const auto& e : fs::directory_iterator(out.parent_path()))
        files += e.path().filename().string().rfind(out.filename().string(), 0) == 0;
    EXPECT_EQ(files, 1);
    fs::remove(out);
    DeleteDC(copies);
    DeleteDC(printer);
}

TEST(PrinterDC, DeviceCapsAndRefusedDevices) {
    struct Case {
        short paper, orientation, dpi, color;
        int horz, vert, bits, colors;
    };
    const Case cases[] = {
        {DMPAPER_A3, DMORIENT_PORTRAIT, 600, DMCOLOR_COLOR, 7016, 9921, 32, -1},
        {DMPAPER_A4, DMORIENT_LANDSCAPE, 300, DMCOLOR_COLOR, 3508, 2480, 32, -1},
        {DMPAPER_LETTER, DMORIENT_PORTRAIT, DMRES_HIGH, DMCOLOR_MONOCHROME, 5100, 6600, 1, 2},
    };
    for (const Case& c : cases) {
        DEVMODEW dm{};
        dm.dmSize = sizeof dm;
        dm.dmFields = DM_PAPERSIZE | DM_ORIENTATION | DM_PRINTQUALITY | DM_COLOR;
        dm.dmPaperSize = c.paper, dm.dmOrientation = c.orientation, dm.dmPrintQuality = c.dpi, dm.dmColor = c.color;
        HDC p = CreateDCW(L"WINSPOOL", L"PDF", nullptr, &dm);
        ASSERT_NE(p, nullptr) << c.paper;
        EXPECT_EQ(GetDeviceCaps(p, TECHNOLOGY), DT_RASPRINTER);
        EXPECT_EQ(GetDeviceCaps(p, HORZRES), c.horz);
        EXPECT_EQ(GetDeviceCaps(p, VERTRES), c.vert);
        EXPECT_EQ(GetDeviceCaps(p, PHYSICALWIDTH), c.horz);
        EXPECT_EQ(GetDeviceCaps(p, LOGPIXELSY), c.dpi > 0 ? c.dpi : 600);
        EXPECT_EQ(GetDeviceCaps(p, BITSPIXEL), c.bits);
        EXPECT_EQ(GetDeviceCaps(p, NUMCOLORS), c.colors);
        EXPECT_EQ(GetPixel(p, 1, 1), CLR_INVALID);  // a page cannot be read back
        DeleteDC(p);
    }
    // What no device takes: a resolution out of range, an unknown paper, an unknown printer.
    for (short dpi : {71, 1201}) {
        DEVMODEW dm{};
        dm.dmFields = DM_PRINTQUALITY;
        dm.dmPrintQuality = dpi;
        EXPECT_EQ(CreateDCW(L"WINSPOOL", L"PDF", nullptr, &dm), nullptr) << dpi;
    }
    DEVMODEW odd{};
    odd.dmFields = DM_PAPERSIZE;
    odd.dmPaperSize = 99;
    EXPECT_EQ(CreateDCW(L"WINSPOOL", L"PDF", nullptr, &odd), nullptr);
    if (hmigfx::win32::defaultPrintQueue().empty()) {
        SetLastError(0);
        EXPECT_EQ(CreateDCW(L"WINSPOOL", L"No such printer", nullptr, nullptr), nullptr);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PRINTER_NAME));
        // Without a print server the default printer is the PDF printer, A4 at 300 dpi.
        WCHAR name[16];
        DWORD size = 16;
        ASSERT_TRUE(GetDefaultPrinterW(name, &size));
        EXPECT_STREQ(name, L"PDF");
        HDC p = CreateDCW(L"WINSPOOL", nullptr, nullptr, nullptr);
        EXPECT_EQ(GetDeviceCaps(p, HORZRES), 2480);
        DeleteDC(p);
    }
}

}  // namespace
