// Gradients on a printer DC: a printing CDC gets them unless the system
// cannot print them (the printer-gradient flag), read back from the PDF.
#include "../printing/pdf_pages.h"
#include "module/module_p.h"

#include <hmigfx/hmigfx.h>

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

// A page with a gradient rectangle printed at 96 dpi (60 x 40 pixels).
std::vector<uint32_t> printedGradient(int printerGradient) {
    DEVMODEW dm{};
    dm.dmSize = sizeof dm;
    dm.dmFields = DM_PAPERSIZE | DM_PAPERWIDTH | DM_PAPERLENGTH | DM_PRINTQUALITY;
    dm.dmPaperSize = DMPAPER_USER;
    dm.dmPaperWidth = 159;  // 60 x 40 pixels
    dm.dmPaperLength = 106;
    dm.dmPrintQuality = 96;
    CDC printer;
    EXPECT_TRUE(printer.CreateDC(L"WINSPOOL", L"PDF", nullptr, &dm));
    const fs::path out = fs::temp_directory_path() / ("hmigfx-gradient-" + std::to_string(::getpid()) + ".pdf");
    const std::wstring name = out.wstring();
    DOCINFOW di{sizeof di, L"gradient", name.c_str(), nullptr, 0};
    EXPECT_FALSE(printer.IsPrinting());
    EXPECT_GT(printer.StartDoc(&di), 0);
    EXPECT_TRUE(printer.IsPrinting());
    printer.StartPage();
    hmigfx::g_bPrinterGradient = printerGradient;
    {
        CMyDC dc(&printer, 100);
        CRect rect(0, 0, 60, 40);
        LOGPEN pen{PS_NULL, {0, 0}, RGB(0, 0, 255)};
        LOGBRUSH brush{4, 0, 1};  // horizontal gradient, blue to red
        dc.ObjDrawRectangle(rect, pen, brush, RGB(255, 0, 0), 0);
    }
    hmigfx::g_bPrinterGradient = 1;
    printer.EndPage();
    EXPECT_GT(printer.EndDoc(), 0);
    const auto pages = hmigfx::testing::pdfPages(out, 96);
    fs::remove(out);
    if (pages.size() != 1) return {};
    return pages[0].pixels;
}

TEST(PrintGradient, APrinterGetsTheGradientUnlessTheFlagIsCleared) {
    const std::vector<uint32_t> withGradient = printedGradient(1);
    ASSERT_EQ(withGradient.size(), 60u * 40);
    EXPECT_NE(withGradient[2 * 60 + 30], withGradient[37 * 60 + 30]);
    EXPECT_NE(withGradient[20 * 60 + 30], 0xFFFFFFu);
    // Windows 9x printers: no gradient, the paper shows through the hollow brush.
    EXPECT_EQ(printedGradient(0), std::vector<uint32_t>(60 * 40, 0xFFFFFFu));
}

}  // namespace
