// Printer DCs: the device a DEVMODE selects, its capabilities, and the
// document and page calls (StartDoc ... EndDoc) that drive the page writer.
#include "dib_format_p.h"
#include "printer_p.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <cwchar>

namespace hmigfx::win32 {
namespace {

constexpr int kMinDpi = 72;
constexpr int kMaxDpi = 1200;
constexpr int kDefaultDpi = 300;
constexpr int kMaxPixels = 65535;  // per side of a page

struct Paper {
    short id;
    double widthMm;
    double heightMm;
};
constexpr Paper kPapers[] = {
    {DMPAPER_LETTER, 215.9, 279.4}, {DMPAPER_LEGAL, 215.9, 355.6}, {DMPAPER_A3, 297.0, 420.0},
    {DMPAPER_A4, 210.0, 297.0},     {DMPAPER_A5, 148.0, 210.0},
};

std::string toUtf8(LPCWSTR s) {
    if (!s || !*s) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, s, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) return {};
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, s, -1, out.data(), n, nullptr, nullptr);
    out.resize(static_cast<size_t>(n - 1));
    return out;
}

std::wstring toWide(const std::string& s) {
    if (s.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, s.c_str(), -1, nullptr, 0);
    std::wstring out(static_cast<size_t>(std::max(n, 1)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.c_str(), -1, out.data(), n);
    out.resize(static_cast<size_t>(std::max(n - 1, 0)));
    return out;
}

std::wstring defaultPrinterName() {
    const std::string queue = defaultPrintQueue();
    return queue.empty() ? std::wstring(L"PDF") : toWide(queue);
}

int resolution(short quality) {
    switch (quality) {
    case DMRES_DRAFT: return 150;
    case DMRES_LOW:
    case DMRES_MEDIUM: return 300;
    case DMRES_HIGH: return 600;
    default: return quality > 0 ? quality : kDefaultDpi;
    }
}

// The settings of a DEVMODE that its dmFields marks; false for values no device takes.
bool applyDevMode(const DEVMODEW& dm, PrinterDevice& d) {
    const DWORD f = dm.dmFields;
    bool landscape = false;
    if (f & DM_PAPERSIZE) {
        if (dm.dmPaperSize != 0 && dm.dmPaperSize != DMPAPER_USER) {
            const Paper* paper = nullptr;
            for (const Paper& p : kPapers)
                if (p.id == dm.dmPaperSize) paper = &p;
            if (!paper) return false;
            d.widthMm = paper->widthMm;
            d.heightMm = paper->heightMm;
        } else if (!(f & DM_PAPERWIDTH) || !(f & DM_PAPERLENGTH)) {
            return false;  // a custom size needs both measures
        }
    }
    if (f & DM_PAPERWIDTH) {
        if (dm.dmPaperWidth <= 0) return false;
        d.widthMm = dm.dmPaperWidth / 10.0;
    }
    if (f & DM_PAPERLENGTH) {
        if (dm.dmPaperLength <= 0) return false;
        d.heightMm = dm.dmPaperLength / 10.0;
    }
    if (f & DM_ORIENTATION) {
        if (dm.dmOrientation != DMORIENT_PORTRAIT && dm.dmOrientation != DMORIENT_LANDSCAPE) return false;
        landscape = dm.dmOrientation == DMORIENT_LANDSCAPE;
    }
    if (f & DM_PRINTQUALITY) d.dpiX = d.dpiY = resolution(dm.dmPrintQuality);
    if ((f & DM_YRESOLUTION) && dm.dmYResolution > 0) d.dpiY = dm.dmYResolution;
    if (f & DM_COLOR) {
        if (dm.dmColor != DMCOLOR_MONOCHROME && dm.dmColor != DMCOLOR_COLOR) return false;
        d.mono = dm.dmColor == DMCOLOR_MONOCHROME;
    }
    if (f & DM_COPIES) {
        if (dm.dmCopies < 1) return false;
        d.copies = dm.dmCopies;
    }
    if (landscape) std::swap(d.widthMm, d.heightMm);
    return true;
}

int pixels(double mm, int dpi) { return static_cast<int>(std::lround(mm * dpi / 25.4)); }

}  // namespace

std::shared_ptr<PrinterDC> openPrinter(LPCWSTR device, const DEVMODEW* dm) {
    auto p = std::make_shared<PrinterDC>();
    PrinterDevice& d = p->device;
    d.name = device && *device ? std::wstring(device) : defaultPrinterName();
    if (d.name != L"PDF") {
        if (!printQueueExists(toUtf8(d.name.c_str()))) {
            SetLastError(ERROR_INVALID_PRINTER_NAME);
            return nullptr;
        }
        d.queue = true;
    }
    d.dpiX = d.dpiY = kDefaultDpi;
    if (dm && !applyDevMode(*dm, d)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    d.physWidth = pixels(d.widthMm, d.dpiX);
    d.physHeight = pixels(d.heightMm, d.dpiY);
    if (d.dpiX < kMinDpi || d.dpiX > kMaxDpi || d.dpiY < kMinDpi || d.dpiY > kMaxDpi || d.physWidth < 1 ||
        d.physHeight < 1 || d.physWidth > kMaxPixels || d.physHeight > kMaxPixels) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    d.width = d.physWidth - 2 * d.offsetX;
    d.height = d.physHeight - 2 * d.offsetY;

    // The DC's own surface has the page's size and format but a single row
    // of storage under every row: the DC is never painted (see printer_p.h).
    auto page = std::make_unique<Bitmap>();
    page->width = d.width;
    page->height = d.height;
    page->bpp = d.mono ? 1 : 32;
    page->dib = true;
    page->stride = 0;
    page->byteSize = dibStride(d.width, page->bpp);
    page->bits = static_cast<uint8_t*>(std::calloc(1, page->byteSize));
    if (!page->bits) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    if (d.mono) page->colors.assign(kMonoPalette, kMonoPalette + 2);
    p->page = std::move(page);
    return p;
}

int printerDeviceCaps(const PrinterDC& printer, int index) {
    const PrinterDevice& d = printer.device;
    switch (index) {
    case DRIVERVERSION: return 0x4000;
    case TECHNOLOGY: return DT_RASPRINTER;
    case HORZSIZE: return static_cast<int>(std::lround(d.width * 25.4 / d.dpiX));
    case VERTSIZE: return static_cast<int>(std::lround(d.height * 25.4 / d.dpiY));
    case HORZRES:
    case DESKTOPHORZRES: return d.width;
    case VERTRES:
    case DESKTOPVERTRES: return d.height;
    case LOGPIXELSX: return d.dpiX;
    case LOGPIXELSY: return d.dpiY;
    case PHYSICALWIDTH: return d.physWidth;
    case PHYSICALHEIGHT: return d.physHeight;
    case PHYSICALOFFSETX: return d.offsetX;
    case PHYSICALOFFSETY: return d.offsetY;
    case BITSPIXEL: return d.mono ? 1 : 32;
    case PLANES: return 1;
    case NUMCOLORS: return d.mono ? 2 : -1;
    case NUMBRUSHES:
    case NUMPENS: return -1;
    case RASTERCAPS:
        return RC_BITBLT | RC_BANDING | RC_SCALING | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT |
               RC_STRETCHDIB;
    default: return 0;
    }
}

}  // namespace hmigfx::win32

using namespace hmigfx::win32;

namespace {

PrinterDC* printerOf(HDC h) {
    DC* dc = findDC(h);
    if (!dc || !dc->printer) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return dc->printer.get();
}

// Without lpszOutput the PDF printer writes "<document name>.pdf" in the
// working directory.
std::string defaultOutput(const std::string& title) {
    std::string name = title.empty() ? "document" : title;
    for (char& c : name)
        if (c == '/' || c == '\\' || c == ':') c = '_';
    return name + ".pdf";
}

void endJob(PrinterDC& p) {
    p.writer.reset();
    p.journal.clear();
    p.phase = PrinterDC::Phase::Idle;
}

int jobCounter = 0;

}  // namespace

extern "C" {

int WINAPI StartDocW(HDC h, const DOCINFOW* di) {
    PrinterDC* p = printerOf(h);
    if (!p) return SP_ERROR;
    if (!di || p->phase != PrinterDC::Phase::Idle) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return SP_ERROR;
    }
    const std::string title = toUtf8(di->lpszDocName);
    // An output file replaces the queue, as "print to file" does.
    if (p->device.queue && !(di->lpszOutput && *di->lpszOutput))
        p->writer = makeQueueWriter(p->device, title);
    else
        p->writer = makePdfWriter(p->device, di->lpszOutput && *di->lpszOutput ? toUtf8(di->lpszOutput) : defaultOutput(title),
                                  title);
    if (!p->writer) {
        SetLastError(ERROR_ACCESS_DENIED);
        return SP_ERROR;
    }
    p->phase = PrinterDC::Phase::Document;
    return ++jobCounter;
}

int WINAPI StartPage(HDC h) {
    PrinterDC* p = printerOf(h);
    if (!p) return SP_ERROR;
    if (p->phase != PrinterDC::Phase::Document) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return SP_ERROR;
    }
    p->journal.clear();
    p->phase = PrinterDC::Phase::Page;
    return 1;
}

int WINAPI EndPage(HDC h) {
    PrinterDC* p = printerOf(h);
    if (!p) return SP_ERROR;
    if (p->phase != PrinterDC::Phase::Page) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return SP_ERROR;
    }
    HDC band = CreateCompatibleDC(nullptr);
    const bool ok = band && replayPage(*p, h, band);
    DeleteDC(band);
    p->journal.clear();
    p->phase = PrinterDC::Phase::Document;
    if (!ok) {
        // The job is gone: the abort procedure stopped it or the output failed.
        endJob(*p);
        SetLastError(ERROR_PRINT_CANCELLED);
        return SP_ERROR;
    }
    return 1;
}

int WINAPI EndDoc(HDC h) {
    PrinterDC* p = printerOf(h);
    if (!p) return SP_ERROR;
    if (p->phase == PrinterDC::Phase::Page && EndPage(h) <= 0) return SP_ERROR;
    if (p->phase != PrinterDC::Phase::Document) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return SP_ERROR;
    }
    const bool ok = p->writer->finish();
    endJob(*p);
    if (!ok) {
        SetLastError(ERROR_ACCESS_DENIED);
        return SP_ERROR;
    }
    return 1;
}

int WINAPI AbortDoc(HDC h) {
    PrinterDC* p = printerOf(h);
    if (!p) return SP_ERROR;
    if (p->phase == PrinterDC::Phase::Idle) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return SP_ERROR;
    }
    endJob(*p);
    return 1;
}

int WINAPI SetAbortProc(HDC h, ABORTPROC proc) {
    PrinterDC* p = printerOf(h);
    if (!p) return SP_ERROR;
    p->abortProc = proc;
    return 1;
}

BOOL WINAPI GetDefaultPrinterW(LPWSTR buffer, LPDWORD size) {
    if (!size) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::wstring name = defaultPrinterName();
    const DWORD needed = static_cast<DWORD>(name.size() + 1);
    if (!buffer || *size < needed) {
        *size = needed;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    std::wmemcpy(buffer, name.c_str(), needed);
    *size = needed;
    return TRUE;
}

}  // extern "C"
