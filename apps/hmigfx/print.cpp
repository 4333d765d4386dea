// hmigfx print: a scene on paper, the way a host prints it. A printer DC of
// the chosen paper and resolution; one page with the scene fitted to it or at
// a zoom, or the scene tiled over as many pages as it needs with the overlap
// marked; each page drawn by the scene renderer through CMyDC. --preview
// draws the same pages on a screen DC through the preview DC instead.
#include "print.h"

#include "scene.h"
#include "text_util.h"

#include <afxext.h>
#include <afxpriv.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <optional>
#include <string>

namespace fs = std::filesystem;

namespace hmigfx::app {

namespace {

constexpr int kOk = 0;
constexpr int kWriteFailed = 1;
constexpr int kBadInput = 2;

constexpr double kOverlapMm = 10.0;  // tiles share this much of the scene
constexpr int kPreviewDpi = 96;      // the screen's
constexpr int kPreviewGap = 8;       // pixels between preview pages

const char kPrintHelp[] =
    "usage: hmigfx print SCENE.json -o OUT.pdf [options]\n"
    "\n"
    "Prints the scene through a printer DC: every page is drawn by the library at the\n"
    "printer's resolution and stored losslessly in the PDF.\n"
    "\n"
    "options:\n"
    "  -o, --output OUT.pdf  the document to write (a print queue needs none)\n"
    "  --paper P             A4 (default), A3, A5, Letter, Legal or WxHmm (e.g. 300x200mm)\n"
    "  --landscape           turn the paper\n"
    "  --dpi N               printer resolution, 72-1200 (default 300)\n"
    "  --margins MM          blank border on every side (default 10)\n"
    "  --bw                  black/white mode (pure black and white swap)\n"
    "  --zoom N              the scene at N percent of its screen size (96 dpi)\n"
    "  --fit                 the scene as large as fits the page (the default)\n"
    "  --tile                as many pages as the scene needs at its zoom, overlapping\n"
    "                        by 10 mm; a dashed line marks where the next page starts\n"
    "  --printer NAME        PDF (default) or a print server's queue\n"
    "  --preview OUT.png     write the pages as the screen shows them, not the document\n"
    "  --patterns DIR        pattern pictures (*.F00-F99, *.U00-U99)\n"
    "\n"
    "--dpi 96 --zoom 100 --margins 0 puts on the page exactly what\n"
    "`hmigfx render --zoom 100 --size W,H` draws, W x H being the page in pixels.\n"
    "\n"
    "exit status: 0 written; 1 the output could not be written; 2 a bad command line,\n"
    "scene, paper, resolution or printer. Nothing is left behind on failure.\n";

[[noreturn]] void badRequest(const std::string& message) {
    std::fprintf(stderr, "hmigfx: %s\nusage:%s", message.c_str(), HMIGFX_PRINT_USAGE + 6);
    std::exit(kBadInput);
}

struct PrintArgs {
    std::string scene;
    std::string output;
    std::string preview;
    std::string printer = "PDF";
    short paper = DMPAPER_A4;
    double widthMm = 0, heightMm = 0;  // a custom paper
    bool landscape = false;
    int dpi = 300;
    double marginsMm = 10;
    bool blackWhite = false;
    std::optional<int> zoom;
    bool fit = false;
    bool tile = false;
    fs::path patternDir;
};

bool parseNumber(const std::string& text, double lo, double hi, double& out) {
    char* end = nullptr;
    out = std::strtod(text.c_str(), &end);
    return !text.empty() && *end == '\0' && std::isfinite(out) && out >= lo && out <= hi;
}

void parsePaper(const std::string& v, PrintArgs& a) {
    static const struct {
        const char* name;
        short id;
    } papers[] = {{"a4", DMPAPER_A4}, {"a3", DMPAPER_A3}, {"a5", DMPAPER_A5}, {"letter", DMPAPER_LETTER}, {"legal", DMPAPER_LEGAL}};
    for (const auto& p : papers)
        if (strcasecmp(v.c_str(), p.name) == 0) {
            a.paper = p.id;
            return;
        }
    double w = 0, h = 0;
    char tail[4] = {};
    if (std::sscanf(v.c_str(), "%lfx%lf%3s", &w, &h, tail) == 3 && std::strcmp(tail, "mm") == 0 && w >= 1 && h >= 1 &&
        w <= 3000 && h <= 3000) {
        a.paper = DMPAPER_USER;
        a.widthMm = w;
        a.heightMm = h;
        return;
    }
    badRequest("unknown paper " + v + " (A4, A3, A5, Letter, Legal or WxHmm up to 3000 mm)");
}

PrintArgs parseArgs(int argc, char** argv, bool& help) {
    PrintArgs a;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) badRequest(arg + " needs a value");
            return argv[++i];
        };
        double n = 0;
        if (arg == "-h" || arg == "--help") {
            help = true;
        } else if (arg == "-o" || arg == "--output") {
            a.output = value();
        } else if (arg == "--preview") {
            a.preview = value();
        } else if (arg == "--paper") {
            parsePaper(value(), a);
        } else if (arg == "--landscape") {
            a.landscape = true;
        } else if (arg == "--dpi") {
            if (!parseNumber(value(), 72, 1200, n) || n != std::floor(n)) badRequest("--dpi wants a resolution from 72 to 1200");
            a.dpi = static_cast<int>(n);
        } else if (arg == "--margins") {
            if (!parseNumber(value(), 0, 1000, n)) badRequest("--margins wants millimetres from 0 to 1000");
            a.marginsMm = n;
        } else if (arg == "--bw") {
            a.blackWhite = true;
        } else if (arg == "--zoom") {
            if (!parseNumber(value(), 1, kMaxZoom, n) || n != std::floor(n)) badRequest("--zoom wants a percentage from 1 to 10000");
            a.zoom = static_cast<int>(n);
        } else if (arg == "--fit") {
            a.fit = true;
        } else if (arg == "--tile") {
            a.tile = true;
        } else if (arg == "--printer") {
            a.printer = value();
        } else if (arg == "--patterns") {
            a.patternDir = value();
        } else if (arg.size() > 1 && arg[0] == '-') {
            badRequest("unknown option " + arg);
        } else if (a.scene.empty()) {
            a.scene = arg;
        } else {
            badRequest("print wants one scene file");
        }
    }
    if (help) return a;
    if (a.scene.empty()) badRequest("print wants a scene file");
    if (a.zoom && a.fit) badRequest("--zoom and --fit exclude each other");
    if (a.fit && a.tile) badRequest("--fit makes one page; --tile wants the scene's zoom or --zoom");
    return a;
}

// A rational scale small enough for CMyDC's integer extents.
void reduce(long long& view, long long& doc) {
    const long long g = std::gcd(view, doc);
    if (g > 1) view /= g, doc /= g;
    while (view > INT_MAX || doc > INT_MAX) view = (view + 1) / 2, doc = (doc + 1) / 2;
}

// Where the scene goes on the pages, in the printer's pixels.
struct Layout {
    CRect area;           // the part of a page inside the margins
    long long viewExt = 1, docExt = 1;  // the printer's scale, view units per document unit
    CPoint origin;        // the view point at the area's top-left corner of the first page
    int cols = 1, rows = 1;
    CSize step;           // how far the scene moves from one tile to the next
    int dpi = 96;
    int pages() const { return cols * rows; }
};

Layout layout(const Scene& scene, const PrintArgs& a, CDC& printer) {
    Layout L;
    L.dpi = printer.GetDeviceCaps(LOGPIXELSX);
    const int width = printer.GetDeviceCaps(HORZRES), height = printer.GetDeviceCaps(VERTRES);
    const int offX = printer.GetDeviceCaps(PHYSICALOFFSETX), offY = printer.GetDeviceCaps(PHYSICALOFFSETY);
    const int physW = printer.GetDeviceCaps(PHYSICALWIDTH), physH = printer.GetDeviceCaps(PHYSICALHEIGHT);
    const int margin = static_cast<int>(std::lround(a.marginsMm * L.dpi / 25.4));
    // Margins count from the sheet's edges, the unprintable border included.
    L.area = CRect(std::max(0, margin - offX), std::max(0, margin - offY), std::min(width, physW - margin - offX),
                   std::min(height, physH - margin - offY));
    if (L.area.Width() <= 0 || L.area.Height() <= 0) badRequest("--margins leave nothing of the page");

    // The zoom the scene's origin is counted in: --zoom's, as render takes it, or the scene's own.
    const long long renderZoom = a.zoom ? *a.zoom : scene.zoom;
    if (a.zoom || a.tile) {
        L.viewExt = renderZoom * L.dpi;
        L.docExt = 100LL * kPreviewDpi;
    } else {
        // Fit: the scene's canvas at its zoom, as large as the area takes.
        const long long aw = L.area.Width(), ah = L.area.Height();
        if (aw * scene.height <= ah * scene.width)
            L.viewExt = aw * scene.zoom, L.docExt = 100LL * scene.width;
        else
            L.viewExt = ah * scene.zoom, L.docExt = 100LL * scene.height;
    }
    reduce(L.viewExt, L.docExt);
    // Printer pixels per pixel of the scene as rendered.
    auto toPrinter = [&](long long v) { return v * L.viewExt * 100 / (L.docExt * renderZoom); };
    L.origin = CPoint(static_cast<int>(toPrinter(scene.origin.x)), static_cast<int>(toPrinter(scene.origin.y)));
    if (a.tile) {
        const int overlap = std::min<int>(static_cast<int>(std::lround(kOverlapMm * L.dpi / 25.4)),
                                          std::min(L.area.Width(), L.area.Height()) / 4);
        L.step = CSize(L.area.Width() - overlap, L.area.Height() - overlap);
        auto count = [&](long long extent, int size, int step) {
            return extent <= size ? 1 : 1 + static_cast<int>((extent - size + step - 1) / step);
        };
        // The whole scene: its canvas in document units, at the printer's scale.
        auto extent = [&](long long v) { return v * 100 * L.viewExt / (L.docExt * scene.zoom); };
        L.cols = count(extent(scene.width), L.area.Width(), L.step.cx);
        L.rows = count(extent(scene.height), L.area.Height(), L.step.cy);
        if (static_cast<long long>(L.cols) * L.rows > 10000) badRequest("--tile would take more than 10000 pages");
    }
    return L;
}

// Draws page `page` on dc, scaled by num/den (1/1 on the printer) with the
// sheet's top-left corner at `at`.
void drawPage(const Scene& scene, const Layout& L, CDC& dc, int page, int num, int den, CPoint at) {
    auto scaled = [&](long long v) { return static_cast<int>(v * num / den); };
    const int col = page % L.cols, row = page / L.cols;
    const CRect area(at.x + scaled(L.area.left), at.y + scaled(L.area.top), at.x + scaled(L.area.right),
                     at.y + scaled(L.area.bottom));
    // A pass leaves its scroll origin on the DC; the page's own marks are in device units.
    dc.SetViewportOrg(0, 0);
    CBrush background(scene.background);
    dc.FillRect(&area, &background);

    ScenePass pass;
    long long view = L.viewExt * num, doc = L.docExt * den;
    reduce(view, doc);
    pass.viewExt = CPoint(static_cast<int>(view), static_cast<int>(view));
    pass.docExt = CPoint(static_cast<int>(doc), static_cast<int>(doc));
    pass.origin = CPoint(scaled(L.origin.x + static_cast<long long>(col) * L.step.cx) - area.left,
                         scaled(L.origin.y + static_cast<long long>(row) * L.step.cy) - area.top);
    pass.bounds = area;
    drawScene(scene, dc, pass);
    dc.SetViewportOrg(0, 0);

    // The overlap: where the next tile to the right and below begins.
    if (col + 1 == L.cols && row + 1 == L.rows) return;
    LOGBRUSH lb{BS_SOLID, RGB(128, 128, 128), 0};
    CPen mark;
    mark.Attach(::ExtCreatePen(PS_GEOMETRIC | PS_DASH | PS_ENDCAP_FLAT, std::max(1, scaled(L.dpi / 100)), &lb, 0, nullptr));
    CPen* old = dc.SelectObject(&mark);
    if (col + 1 < L.cols) {
        const int x = at.x + scaled(L.area.left + L.step.cx);
        dc.MoveTo(x, area.top);
        dc.LineTo(x, area.bottom);
    }
    if (row + 1 < L.rows) {
        const int y = at.y + scaled(L.area.top + L.step.cy);
        dc.MoveTo(area.left, y);
        dc.LineTo(area.right, y);
    }
    dc.SelectObject(old);
}

int writePreview(const Scene& scene, const Layout& L, CDC& printer, const std::string& path) {
    // The sheets at the screen's resolution, side by side as the tiles lie.
    const int num = kPreviewDpi, den = L.dpi;
    const int sheetW = std::max(1, printer.GetDeviceCaps(PHYSICALWIDTH) * num / den);
    const int sheetH = std::max(1, printer.GetDeviceCaps(PHYSICALHEIGHT) * num / den);
    const long long w = static_cast<long long>(L.cols) * (sheetW + kPreviewGap) - kPreviewGap;
    const long long h = static_cast<long long>(L.rows) * (sheetH + kPreviewGap) - kPreviewGap;
    if (w > kMaxCanvas || h > kMaxCanvas) badRequest("the preview would be larger than 16384 pixels");
    Surface surface(static_cast<int>(w), static_cast<int>(h));
    if (!surface.ok()) badRequest("cannot make the preview picture");
    surface.fill(RGB(160, 160, 160));
    CPreviewDC preview;
    preview.SetAttribDC(printer.m_hDC);
    preview.SetOutputDC(surface.dc().m_hDC);
    preview.SetScaleRatio(num, den);
    CBrush paper(RGB(255, 255, 255));
    for (int page = 0; page < L.pages(); ++page) {
        const CPoint at((page % L.cols) * (sheetW + kPreviewGap), (page / L.cols) * (sheetH + kPreviewGap));
        const CRect sheet(at.x, at.y, at.x + sheetW, at.y + sheetH);
        preview.FillRect(&sheet, &paper);
        const CPoint offset(printer.GetDeviceCaps(PHYSICALOFFSETX) * num / den, printer.GetDeviceCaps(PHYSICALOFFSETY) * num / den);
        drawPage(scene, L, preview, page, num, den, at + offset);
    }
    std::string error;
    if (!surface.writePng(path, &error)) {
        std::fprintf(stderr, "hmigfx: cannot write %s: %s\n", path.c_str(), error.c_str());
        return kWriteFailed;
    }
    return kOk;
}

int printPages(const Scene& scene, const Layout& L, CDC& printer, const PrintArgs& a) {
    const std::wstring title = fromUtf8(fs::path(a.scene).filename().string());
    const std::wstring output = fromUtf8(a.output);
    DOCINFOW di{};
    di.cbSize = sizeof di;
    di.lpszDocName = title.c_str();
    di.lpszOutput = a.output.empty() ? nullptr : output.c_str();
    const std::string target = a.output.empty() ? "the queue " + a.printer : a.output;
    if (printer.StartDoc(&di) <= 0) {
        std::fprintf(stderr, "hmigfx: cannot write %s: %s\n", target.c_str(), std::strerror(errno));
        return kWriteFailed;
    }
    CPrintInfo info;
    info.SetMaxPage(static_cast<UINT>(L.pages()));
    info.m_rectDraw = L.area;
    for (info.m_nCurPage = info.GetFromPage(); info.m_nCurPage <= info.GetToPage(); ++info.m_nCurPage) {
        if (printer.StartPage() <= 0) break;
        drawPage(scene, L, printer, static_cast<int>(info.m_nCurPage - 1), 1, 1, CPoint(0, 0));
        if (printer.EndPage() <= 0) {
            std::fprintf(stderr, "hmigfx: cannot write %s\n", target.c_str());
            return kWriteFailed;
        }
    }
    if (printer.EndDoc() <= 0) {
        std::fprintf(stderr, "hmigfx: cannot write %s\n", target.c_str());
        return kWriteFailed;
    }
    return kOk;
}

}  // namespace

int printCommand(int argc, char** argv) {
    bool help = false;
    const PrintArgs a = parseArgs(argc, argv, help);
    if (help) {
        std::fputs(kPrintHelp, stdout);
        return kOk;
    }
    if (a.preview.empty() && a.printer == "PDF" && a.output.empty()) badRequest("print wants -o OUT.pdf or --preview OUT.png");
    std::error_code ec;
    if (!a.patternDir.empty() && !fs::is_directory(a.patternDir, ec))
        badRequest("--patterns: no such directory: " + a.patternDir.string());

    SceneOptions options;
    options.blackWhite = a.blackWhite;
    options.patternDir = a.patternDir;
    Scene scene;
    try {
        scene = loadSceneFile(a.scene, options);
    } catch (const SceneError& e) {
        std::fprintf(stderr, "hmigfx: %s: %s\n", a.scene.c_str(), e.what());
        return kBadInput;
    }

    DEVMODEW dm{};
    dm.dmSize = sizeof dm;
    dm.dmFields = DM_PAPERSIZE | DM_ORIENTATION | DM_PRINTQUALITY | DM_COLOR;
    dm.dmPaperSize = a.paper;
    if (a.paper == DMPAPER_USER) {
        dm.dmFields |= DM_PAPERWIDTH | DM_PAPERLENGTH;
        dm.dmPaperWidth = static_cast<short>(std::lround(a.widthMm * 10));
        dm.dmPaperLength = static_cast<short>(std::lround(a.heightMm * 10));
    }
    dm.dmOrientation = a.landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    dm.dmPrintQuality = static_cast<short>(a.dpi);
    dm.dmColor = DMCOLOR_COLOR;
    const std::wstring name = fromUtf8(a.printer);
    CDC printer;
    if (!printer.CreateDC(L"WINSPOOL", name.c_str(), nullptr, &dm)) {
        if (::GetLastError() == ERROR_INVALID_PRINTER_NAME) badRequest("unknown printer " + a.printer);
        badRequest("the printer takes no page of that paper and resolution");
    }
    const Layout L = layout(scene, a, printer);
    return a.preview.empty() ? printPages(scene, L, printer, a) : writePreview(scene, L, printer, a.preview);
}

}  // namespace hmigfx::app
