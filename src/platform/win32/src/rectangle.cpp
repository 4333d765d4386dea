// Rectangle: the outline drawn through the pen, then the interior the outline
// leaves, filled with the brush.
#include "stroke_p.h"
#include "printer_p.h"

#include <algorithm>

using namespace hmigfx::win32;

extern "C" {

BOOL WINAPI Rectangle(HDC h, int left, int top, int right, int bottom) {
    const PageRecord rec(h, [&] { return [=](HDC d) { Rectangle(d, left, top, right, bottom); }; });
    DC* dc = findDC(h);
    if (!dc) return FALSE;
    if (dc->st.graphicsMode == GM_ADVANCED) {
        // Drawn as the polygon of its corners, like any other figure then.
        const POINT corners[4] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
        return Polygon(h, corners, 4);
    }
    const RealisedPen& pen = dc->realisedPen;
    RECT rc = deviceRect(*dc, left, top, right, bottom);
    if (rc.left == rc.right || rc.top == rc.bottom) return TRUE;
    rc = insideFrameRect(rc, pen);
    // The outline runs through the last column and row of the box.
    --rc.right;
    --rc.bottom;
    // The figure's start and direction set where the dash pattern begins.
    POINT pts[4];
    if (dc->st.arcDirection == AD_CLOCKWISE)
        pts[0] = {rc.right, rc.bottom}, pts[1] = {rc.left, rc.bottom}, pts[2] = {rc.left, rc.top},
        pts[3] = {rc.right, rc.top};
    else
        pts[0] = {rc.right, rc.top}, pts[1] = {rc.left, rc.top}, pts[2] = {rc.left, rc.bottom},
        pts[3] = {rc.right, rc.bottom};
    FigureStroker stroker(*dc);
    if (stroker.usesRegion()) {
        // The interior is the box without its last column and row, less
        // whatever the outline covers.
        dc->refreshPaints();
        const RECT box = visibleBox(*dc);
        std::vector<Span>& spans = dc->scratchSpans;
        spans.clear();
        const int l = std::max(rc.left, box.left), r = std::min(rc.right, box.right);
        if (!dc->brushPaint.empty() && l < r)
            for (int y = std::max(rc.top, box.top); y < std::min(rc.bottom, box.bottom); ++y)
                spans.push_back(Span{l, y, r - l});
        stroker.interior(spans);
        stroker.figure(pts, 4, true);
        return TRUE;
    }
    stroker.figure(pts, 4, true);
    stroker.finish();
    // Without a pen the interior still stops short of the last column and row.
    const RECT inside{rc.left + (pen.width + 1) / 2, rc.top + (pen.width + 1) / 2, rc.right - pen.width / 2,
                      rc.bottom - pen.width / 2};
    dc->refreshPaints();
    paintRect(dc->surface, dc->visible, dc->brushPaint, dc->st.brushOrg, inside);
    return TRUE;
}

}  // extern "C"
