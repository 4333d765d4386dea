// Outlining figures with the selected pen.
#include "stroke_p.h"

#include <algorithm>

namespace hmigfx::win32 {

ShapeScratch& shapeScratch() {
    thread_local ShapeScratch scratch;
    return scratch;
}

RECT insideFrameRect(const RECT& rc, const RealisedPen& pen) {
    if (!pen.insideFrame) return rc;
    return {rc.left + pen.width / 2, rc.top + pen.width / 2, rc.right - (pen.width - 1) / 2,
            rc.bottom - (pen.width - 1) / 2};
}

RECT penFrame(const RECT& visible, const RealisedPen& pen) {
    if (pen.width <= 1) return visible;
    // Miter joins reach up to five widths from the corner. Curves are
    // followed row by row within the frame, so it stops at 2^15 pixels (pens
    // over 5461 wide): beyond, their outline runs along the frame's edge.
    const int reach = static_cast<int>(std::min<int64_t>(int64_t{pen.width} * 6, int64_t{1} << 15));
    return {visible.left - reach, visible.top - reach, visible.right + reach, visible.bottom + reach};
}

FigureStroker::FigureStroker(DC& dc) : dc_(dc), pen_(dc.realisedPen) {
    dc.refreshPaints();
    if (pen_.route == PenRoute::None) return;
    // A region pen's outline is needed even when it paints nothing: the
    // interior stops at it all the same.
    if (!pen_.usesRegion() && dc.penPaint.empty()) return;
    raster_.box = visibleBox(dc);
    if (raster_.box.left >= raster_.box.right) return;
    draws_ = true;
    region_ = pen_.usesRegion();
    dc.scratchSpans.clear();
    if (pen_.route == PenRoute::Wide) {
        wide_.emplace(pen_, raster_.box);
        return;
    }
    raster_.pattern = pen_.dashes;
    raster_.cursor.pattern = &raster_.pattern;
    if (region_) shapeScratch().wideSpans.clear();
    raster_.on = region_ ? &shapeScratch().wideSpans : &dc.scratchSpans;
    if (!dc.penGapPaint.empty()) {
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
    if (wide_) {
        wide_->figure(pts, n, close);
        return;
    }
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
    // Solid one-pixel geometric pens collect their slanted lines end point
    // and all (the reference's region lines do; straight ones stop short).
    if (region_ && raster_.pattern.solid() && a.x != b.x && a.y != b.y && b.x >= raster_.box.left &&
        b.x < raster_.box.right && b.y >= raster_.box.top && b.y < raster_.box.bottom)
        raster_.on->push_back(Span{b.x, b.y, 1});
    // One paint serves all segments alike, so spans may pile up first.
    if (!region_ && (flushEachSegment_ || dc_.scratchSpans.size() >= 4096)) flush();
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

void FigureStroker::interior(std::vector<Span>& spans) {
    if (region_) {
        std::vector<Span>& keep = shapeScratch().interior;
        keep.assign(spans.begin(), spans.end());
        spans.clear();
        hasInterior_ = true;
        return;
    }
    dc_.refreshPaints();
    if (!spans.empty())
        paintSpans(dc_.surface, dc_.visible, dc_.brushPaint, dc_.st.brushOrg, spans.data(), spans.size());
    spans.clear();
}

void FigureStroker::finish() {
    if (!region_) {
        flush();
        return;
    }
    if (finished_) return;
    finished_ = true;
    std::vector<Span>* outline = &shapeScratch().wideSpans;
    if (wide_)
        outline = &wide_->united();
    else
        uniteSpans(*outline);
    if (hasInterior_) {
        std::vector<Span>& inside = shapeScratch().interior;
        uniteSpans(inside);
        subtractSpans(inside, *outline);
        paintSpans(dc_.surface, dc_.visible, dc_.brushPaint, dc_.st.brushOrg, inside.data(), inside.size());
        inside.clear();
    }
    if (!dc_.penPaint.empty())
        paintSpans(dc_.surface, dc_.visible, dc_.penPaint, dc_.st.brushOrg, outline->data(), outline->size());
    outline->clear();
}

}  // namespace hmigfx::win32
