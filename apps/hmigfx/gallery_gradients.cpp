// Gallery: the 22 gradient modes.
#include "gallery.h"
#include "scene_kinds.h"

#include <string>

namespace hmigfx::app {

namespace {

void drawGradients(GalleryPainter& p) {
    constexpr int kPerRow = 8, kCellW = 156, kCellH = 104;
    for (int mode = 0; mode < 22; ++mode) {
        const int x = (mode % kPerRow) * kCellW, y = (mode / kPerRow) * kCellH;
        CMyDC dc = p.context(100, x, y);
        LOGPEN lp{PS_SOLID, {1, 0}, RGB(10, 60, 150)};  // also the first colour
        LOGBRUSH lb{CMyBrush::kStyleGradient, 0, static_cast<ULONG_PTR>(mode)};
        CRect rect(0, 0, 140, 70);
        dc.ObjDrawRectangle(rect, lp, lb, RGB(255, 225, 90), 0);
        p.label(x, y + 74, std::to_string(mode) + "  " + enumName(kGradientModes, mode), 11);
    }
}

}  // namespace

HMIGFX_GALLERY_PANEL(gradients, 500, "Gradients (lbStyle 4): the 22 modes from the line colour to the fill colour",
                     3 * 104, drawGradients);

}  // namespace hmigfx::app
