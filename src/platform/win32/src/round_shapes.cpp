// Ellipse and RoundRect: the brush fills GDI's rounded-rectangle region of the
// box, then the pen draws the outline walk around it.
#include "curve_figure_p.h"
#include "ellipse_p.h"
#include "stroke_p.h"
#include "printer_p.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

using namespace hmigfx::win32;

extern "C" {

BOOL WINAPI RoundRect(HDC h, int left, int top, int right, int bottom, int ew, int eh) {
    const PageRecord rec(h, [&] { return [=](HDC d) { RoundRect(d, left, top, right, bottom, ew, eh); }; });
    DC* dc = findDC(h);
    if (!dc) return FALSE;
    const RealisedPen& pen = dc->realisedPen;
    RECT rc = deviceRect(*dc, left, top, right, bottom);
    if (rc.left == rc.right || rc.top == rc.bottom) return TRUE;
    rc = insideFrameRect(rc, pen);
    const int cw = static_cast<int>(std::min<int64_t>(int64_t{rc.right} - rc.left, std::llabs(ew)));
    const int ch = static_cast<int>(std::min<int64_t>(int64_t{rc.bottom} - rc.top, std::llabs(eh)));
    // Corners this small make a plain rectangle, with its own pen rules.
    if (cw <= 2 || ch <= 2) return Rectangle(h, left, top, right, bottom);
    if (cw > QuadrantPath::kMaxExtent || ch > QuadrantPath::kMaxExtent) return FALSE;

    dc->refreshPaints();
    const RECT box = visibleBox(*dc);
    if (box.left >= box.right || box.top >= box.bottom) return TRUE;
    // Corners far larger than what shows are followed only where they show.
    const bool clipped = curveNeedsClipping(cw, ch, box);
    FigureStroker stroker(*dc);
    if (!dc->brushPaint.empty()) {
        std::vector<Span>& spans = dc->scratchSpans;
        spans.clear();
        const RECT region{rc.left, rc.top, rc.right + 1, rc.bottom + 1};
        if (clipped)
            roundRectRegionSpansClipped(region, cw, ch, box.top, box.bottom, spans);
        else
            roundRectRegionSpans(region, cw, ch, box.top, box.bottom, spans);
        stroker.interior(spans);
    }
    if (!clipped) {
        std::vector<POINT>& outline = shapeScratch().curve;
        roundRectOutline(rc, cw, ch, dc->st.arcDirection, outline);
        stroker.figure(outline.data(), outline.size(), true);
        return TRUE;
    }
    // The same figure as roundRectOutline: the quadrant walk in the right
    // corner, mirrored left, then the whole mirrored up or down.
    const QuadrantPath q(cw, ch);
    const QuadrantPath::Pt first = q.first(), last = q.last();
    const bool midX = cw % 2 && cw == int64_t{rc.right} - rc.left, midY = ch % 2 && ch == int64_t{rc.bottom} - rc.top;
    const QuadrantPath::Pt lastX = midX ? q.previous(last) : last;
    const bool cwise = dc->st.arcDirection == AD_CLOCKWISE;
    const Placement p1{rc.right - cw, cwise ? rc.bottom - ch : rc.top + ch - 1, 1, cwise ? 1 : -1};
    const Placement p2 = p1.mirroredX(rc.left + rc.right - 1);
    CompactFigure fig(q, penFrame(box, pen), pen.styled());
    fig.addRun(first, last, p1, false);
    if (!midY)
        fig.addRun(first, lastX, p2, true);
    else if (!(first == lastX))
        fig.addRun(q.next(first), lastX, p2, true);
    fig.addRun(first, lastX, p2.mirroredY(rc.top + rc.bottom - 1), false);
    fig.addRun(first, last, p1.mirroredY(rc.top + rc.bottom - 1), true);
    fig.finish();
    stroker.figure(fig.points.data(), fig.points.size(), true, fig.dashAt.empty() ? nullptr : fig.dashAt.data());
    return TRUE;
}

BOOL WINAPI Ellipse(HDC h, int left, int top, int right, int bottom) {
    const PageRecord rec(h, [&] { return [=](HDC d) { Ellipse(d, left, top, right, bottom); }; });
    auto extent = [](int a, int b) {
        return static_cast<int>(std::clamp<int64_t>(int64_t{b} - a, INT32_MIN + 1, INT32_MAX));
    };
    return RoundRect(h, left, top, right, bottom, extent(left, right), extent(top, bottom));
}

}  // extern "C"
