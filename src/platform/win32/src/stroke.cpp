// Outlining figures with the selected pen.
#include "stroke_p.h"

namespace hmigfx::win32 {

ShapeScratch& shapeScratch() {
    thread_local ShapeScratch scratch;
    return scratch;
}

PenGeometry penGeometry(const DC& dc) {
    PenGeometry g;
    const Pen* p = dc.pen();
    if (!p || p->dashStyle() == PS_NULL) {
        g.width = 0;
        return g;
    }
    g.insideFrame = p->dashStyle() == PS_INSIDEFRAME;
    // Until wide outlines exist every pen strokes one pixel wide (see stroke_p.h).
    g.width = 1;
    return g;
}

bool penIsStyled(const DC& dc) {
    const Pen* p = dc.pen();
    if (!p || p->dashStyle() == PS_NULL) return false;
    DashPattern pattern;
    penDashPattern(*p, pattern);
    return !pattern.solid();
}

RECT insideFrameRect(const RECT& rc, const PenGeometry& pen) {
    if (!pen.insideFrame) return rc;
    return {rc.left + pen.width / 2, rc.top + pen.width / 2, rc.right - (pen.width - 1) / 2,
            rc.bottom - (pen.width - 1) / 2};
}

FigureStroker::FigureStroker(DC& dc) : dc_(dc) {
    dc.refreshPaints();
    const Pen* pen = dc.pen();
    if (!pen || dc.penPaint.empty()) return;
    raster_.box = visibleBox(dc);
    if (raster_.box.left >= raster_.box.right) return;
    draws_ = true;
    penDashPattern(*pen, raster_.pattern);
    raster_.cursor.pattern = &raster_.pattern;
    dc.scratchSpans.clear();
    raster_.on = &dc.scratchSpans;
    // Extended pens leave their gaps alone whatever the background mode.
    if (!raster_.pattern.solid() && pen->kind == Kind::Pen && !dc.penGapPaint.empty()) {
        ShapeScratch& s = shapeScratch();
        s.gapSpans.clear();
        raster_.off = &s.gapSpans;
        // Dash and gap paints differ, so the order of segments shows where
        // they cross: paint each segment before the next.
        flushEachSegment_ = true;
    }
}

void FigureStroker::figure(const POINT* pts, size_t n, bool close, const uint64_t* dashAt) {
    if (!draws_ || n < 2) return;
    if (raster_.pattern.solid()) dashAt = nullptr;
    if (!raster_.pattern.solid()) raster_.cursor.reset();
    for (size_t i = 0; i + 1 < n; ++i) segment(pts[i], pts[i + 1], dashAt ? dashAt + i : nullptr);
    if (close) segment(pts[n - 1], pts[0], dashAt ? dashAt + n - 1 : nullptr);
}

void FigureStroker::segment(POINT a, POINT b, const uint64_t* dashAt) {
    if (dashAt) {
        raster_.cursor.reset();
        raster_.cursor.skip(*dashAt);
    }
    rasterSegment(raster_, a, b);
    // One paint serves all segments alike, so spans may pile up first.
    if (flushEachSegment_ || dc_.scratchSpans.size() >= 4096) flush();
}

void FigureStroker::flush() {
    if (!draws_) return;
    std::vector<Span>& on = dc_.scratchSpans;
    if (!on.empty()) paintSpans(dc_.surface, dc_.visible, dc_.penPaint, dc_.st.brushOrg, on.data(), on.size());
    on.clear();
    if (raster_.off && !raster_.off->empty()) {
        paintSpans(dc_.surface, dc_.visible, dc_.penGapPaint, dc_.st.brushOrg, raster_.off->data(),
                   raster_.off->size());
        raster_.off->clear();
    }
}

void FigureStroker::finish() { flush(); }

}  // namespace hmigfx::win32
