// Gallery: hatches, the 48 built-in patterns, pattern files and user pictures.
#include "gallery.h"
#include "scene_kinds.h"
#include "text_util.h"

#include <string>

namespace hmigfx::app {

namespace {

constexpr COLORREF kLine = RGB(20, 50, 120);
constexpr COLORREF kFill = RGB(235, 240, 255);

void swatch(CMyDC& dc, CRect rect, UINT style, LONG hatch, COLORREF line, COLORREF fill, int bTransparent) {
    LOGPEN lp{PS_SOLID, {1, 0}, line};
    LOGBRUSH lb{style, RGB(255, 0, 255), static_cast<ULONG_PTR>(hatch)};  // lbColor is not what is drawn
    dc.ObjDrawRectangle(rect, lp, lb, fill, bTransparent);
}

// Stripes behind the transparent row show what a transparent background leaves.
void stripes(CMyDC& dc, CRect area) {
    LOGPEN none{PS_NULL, {0, 0}, 0};
    LOGBRUSH solid{0, 0, 0};
    for (int x = area.left; x < area.right; x += 12) {
        CRect band(x, area.top, std::min(x + 6, static_cast<int>(area.right)), area.bottom);
        dc.ObjDrawRectangle(band, none, solid, RGB(255, 200, 60), 0);
    }
}

void drawHatches(GalleryPainter& p) {
    p.label(0, 14, "opaque (0)");
    p.label(0, 84, "transparent (1)");
    for (int h = 0; h < 6; ++h) {
        const int x = 120 + h * 180;
        p.label(x, 0, enumName(kHatchStyles, h));
        CMyDC dc = p.context(100, x, 16);
        swatch(dc, CRect(0, 0, 150, 50), 2, h, kLine, kFill, 0);
        CMyDC dc2 = p.context(100, x, 86);
        stripes(dc2, CRect(0, 0, 151, 51));
        swatch(dc2, CRect(0, 0, 150, 50), 2, h, kLine, kFill, 1);
    }
}

void drawPatterns(GalleryPainter& p) {
    constexpr int kPerRow = 8, kCellW = 156, kCellH = 62;
    for (int n = 1; n <= 48; ++n) {
        const int col = (n - 1) % kPerRow, row = (n - 1) / kPerRow;
        const int x = col * kCellW, y = row * kCellH;
        CMyDC dc = p.context(100, x, y);
        swatch(dc, CRect(0, 0, 140, 40), 3, n, kLine, RGB(255, 255, 255), 0);
        CString name;
        CMyBrush::GetPatternName(3, n, name);
        p.label(x, y + 44, std::to_string(n) + "  " + toUtf8(name), 11);
    }
}

void drawPictures(GalleryPainter& p) {
    int slots[100];
    // Pattern files tile as DIB pattern brushes, aligned to each shape.
    const int files = CMyBrush::GetPatternData(BS_DIBPATTERN, 0, 100, slots);
    p.label(0, 0, files ? "pattern files (lbStyle 5), tiled from each shape's corner"
                        : "pattern files (lbStyle 5): none in the pattern directory");
    for (int i = 0; i < files && i < 6; ++i) {
        const int x = i * 200;
        CMyDC dc = p.context(100, x, 20);
        CString title;
        CMyBrush::GetPatternName(BS_DIBPATTERN, slots[i], title);
        LOGPEN lp{PS_SOLID, {1, 0}, RGB(40, 40, 40)};
        LOGBRUSH lb{BS_DIBPATTERN, 0, static_cast<ULONG_PTR>(slots[i])};
        CRect rect(0, 0, 90, 70);
        dc.ObjDrawRectangle(rect, lp, lb, RGB(255, 255, 255), 0);
        CRect oval(100, 0, 180, 70);
        dc.ObjDrawEllipse(oval, lp, lb, RGB(255, 255, 255), 0);
        char ext[8];
        std::snprintf(ext, sizeof ext, ".F%02d", slots[i]);
        p.label(x, 96, toUtf8(title) + ext, 11);
    }
    // User pictures stretch over the shape's box, clipped to the shape.
    const int users = CMyBrush::GetPatternData(CMyBrush::kStyleUserPicture, 0, 100, slots);
    p.label(0, 124, users ? "user pictures (lbStyle 6), stretched over the box and clipped to the shape"
                          : "user pictures (lbStyle 6): none in the pattern directory");
    for (int i = 0; i < users && i < 4; ++i) {
        const int x = i * 300;
        CMyDC dc = p.context(100, x, 144);
        CString title;
        CMyBrush::GetPatternName(CMyBrush::kStyleUserPicture, slots[i], title);
        LOGPEN lp{PS_SOLID, {2, 0}, RGB(40, 40, 40)};
        LOGBRUSH lb{CMyBrush::kStyleUserPicture, 0, static_cast<ULONG_PTR>(slots[i])};
        CRect rect(0, 0, 120, 80);
        dc.ObjDrawRectangle(rect, lp, lb, RGB(255, 255, 255), 0);
        CRect pie(130, 0, 210, 80);
        CPoint start(210, 40), end(170, 0);
        dc.ObjDrawPie(pie, start, end, lp, lb, RGB(255, 255, 255), 0);
        CRect round(220, 0, 280, 80);
        CPoint corner(24, 24);
        dc.ObjDrawRoundRect(round, corner, lp, lb, RGB(255, 255, 255), 0);
        char ext[8];
        std::snprintf(ext, sizeof ext, ".U%02d", slots[i]);
        p.label(x, 230, toUtf8(title) + ext, 11);
    }
}

}  // namespace

HMIGFX_GALLERY_PANEL(hatches, 200, "Hatches (lbStyle 2): line colour on the fill colour, and transparent", 140,
                     drawHatches);
HMIGFX_GALLERY_PANEL(patterns, 300, "The 48 built-in patterns (lbStyle 3)", 6 * 62, drawPatterns);
HMIGFX_GALLERY_PANEL(pictures, 400, "Pattern files and user pictures from the pattern directory", 250, drawPictures);

}  // namespace hmigfx::app
