// Ellipse and RoundRect: the brush fills GDI's rounded-rectangle region of the
// box, then the pen draws the outline walk around it.
#include "ellipse_p.h"
#include "stroke_p.h"

#include <algorithm>
#include <cstdlib>

using namespace hmigfx::win32;

extern "C" {

BOOL WINAPI RoundRect(HDC h, int left, int top, int right, int bottom, int ew, int eh) {
    DC* dc = findDC(h);
    if (!dc) return FALSE;
    const PenGeometry pen = penGeometry(*dc);
    RECT rc = deviceRect(*dc, left, top, right, bottom);
    if (rc.left == rc.right || rc.top == rc.bottom) return TRUE;
    rc = insideFrameRect(rc, pen);
    const int cw = static_cast<int>(std::min<int64_t>(int64_t{rc.right} - rc.left, std::llabs(ew)));
    const int ch = static_cast<int>(std::min<int64_t>(int64_t{rc.bottom} - rc.top, std::llabs(eh)));
    // Corners this small make a plain rectangle, with its own pen rules.
    if (cw <= 2 || ch <= 2) return Rectangle(h, left, top, right, bottom);
    if (cw > kMaxCurveExtent || ch > kMaxCurveExtent) return FALSE;

    dc->refreshPaints();
    const RECT box = visibleBox(*dc);
    if (!dc->brushPaint.empty() && box.top < box.bottom) {
        std::vector<Span>& spans = dc->scratchSpans;
        spans.clear();
        roundRectRegionSpans(RECT{rc.left, rc.top, rc.right + 1, rc.bottom + 1}, cw, ch, box.top, box.bottom, spans);
        paintSpans(dc->surface, dc->visible, dc->brushPaint, dc->st.brushOrg, spans.data(), spans.size());
        spans.clear();
    }
    std::vector<POINT>& outline = shapeScratch().curve;
    roundRectOutline(rc, cw, ch, dc->st.arcDirection, outline);
    FigureStroker stroker(*dc);
    stroker.figure(outline.data(), outline.size(), true);
    return TRUE;
}

BOOL WINAPI Ellipse(HDC h, int left, int top, int right, int bottom) {
    auto extent = [](int a, int b) {
        return static_cast<int>(std::clamp<int64_t>(int64_t{b} - a, INT32_MIN + 1, INT32_MAX));
    };
    return RoundRect(h, left, top, right, bottom, extent(left, right), extent(top, bottom));
}

}  // extern "C"
