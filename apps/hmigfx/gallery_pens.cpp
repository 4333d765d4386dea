// Gallery: the pen styles at several widths and zooms.
#include "gallery.h"
#include "scene_kinds.h"

#include <string>

namespace hmigfx::app {

namespace {

struct Column {
    POINT width;  // LOGPEN width: whole units, hundredths
    int zoom;
};

const Column kColumns[] = {
    {{0, 0}, 100}, {{1, 0}, 100}, {{2, 0}, 100}, {{4, 0}, 100},
    {{1, 0}, 50},  {{1, 50}, 150}, {{3, 0}, 150}, {{2, 0}, 200},
};
const int kStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_INSIDEFRAME};

constexpr int kLabelWidth = 110;
constexpr int kCellWidth = 140;
constexpr int kRowHeight = 44;

void drawPens(GalleryPainter& p) {
    int x = kLabelWidth;
    for (const Column& c : kColumns) {
        std::string head = "width " + std::to_string(c.width.x);
        if (c.width.y) head += "." + std::to_string(c.width.y / 10);
        p.label(x, 0, head + " @ " + std::to_string(c.zoom) + "%");
        x += kCellWidth;
    }
    for (size_t row = 0; row < std::size(kStyles); ++row) {
        const int y = 22 + static_cast<int>(row) * kRowHeight;
        p.label(0, y + 12, enumName(kPenStyles, kStyles[row]));
        for (size_t col = 0; col < std::size(kColumns); ++col) {
            const Column& c = kColumns[col];
            CMyDC dc = p.context(c.zoom, kLabelWidth + static_cast<int>(col) * kCellWidth, y);
            // A zig-zag 120 view units wide whatever the zoom.
            const int w = 120 * 100 / c.zoom, h = 30 * 100 / c.zoom;
            CPoint pts[] = {{0, h}, {w / 4, 0}, {w / 2, h}, {3 * w / 4, 0}, {w, h / 2}};
            LOGPEN lp{static_cast<UINT>(kStyles[row]), c.width, RGB(20, 60, 140)};
            dc.ObjDrawPolyLine(pts, 5, lp, RGB(255, 255, 255), 1);
        }
    }
}

}  // namespace

HMIGFX_GALLERY_PANEL(pens, 100, "Pens: the styles at widths (document units) and zooms", 22 + 6 * 44, drawPens);

}  // namespace hmigfx::app
