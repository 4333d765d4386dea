// Outlining figures with the selected pen: the one place the line and shape
// primitives hand their outlines to.
//
// A figure is a list of device points, open or closed; the dash pattern
// starts afresh with each figure and runs on across its segments. Cosmetic
// pens paint each segment as it comes (GDI paints every segment on its own,
// so a pixel two segments share is painted twice, which XOR pens show).
//
// Wide and geometric pens instead collect the whole outline of a call
// (`RealisedPen::usesRegion`) and paint it once when the stroker finishes, so
// no pixel is painted twice; closed shapes hand their interior to the stroker,
// which paints it minus the outline, before the outline.
#pragma once

#include "cosmetic_pen_p.h"
#include "stroke_wide_p.h"

#include <optional>

namespace hmigfx::win32 {

// A bounding box shrunk so that the pen's outline stays inside it.
RECT insideFrameRect(const RECT& rc, const RealisedPen& pen);
// The visible box grown by the pen's reach: outline points beyond it cannot
// show, so figures may be shortened there.
RECT penFrame(const RECT& visible, const RealisedPen& pen);

class FigureStroker {
public:
    // Refreshes the DC's paints; nothing is drawn with PS_NULL.
    explicit FigureStroker(DC& dc);
    FigureStroker(const FigureStroker&) = delete;
    FigureStroker& operator=(const FigureStroker&) = delete;
    ~FigureStroker() { finish(); }

    // Strokes one figure; n < 2 draws nothing. With dashAt, a styled pen
    // takes up the pattern at each point at that position (figures whose
    // invisible stretches were shortened).
    void figure(const POINT* pts, size_t n, bool close, const uint64_t* dashAt = nullptr);
    // The shape's interior (spans of any order; the vector is reused),
    // painted with the brush: at once with cosmetic pens, with the others
    // minus the outline when the stroker finishes. Call before finish().
    void interior(std::vector<Span>& spans);
    bool usesRegion() const { return region_; }
    // Paints what is still pending. Called by the destructor too.
    void finish();

private:
    void segment(POINT a, POINT b, const uint64_t* dashAt);
    void flush();

    DC& dc_;
    const RealisedPen& pen_;
    CosmeticRaster raster_;
    bool draws_ = false;
    bool flushEachSegment_ = false;
    bool region_ = false;    // the outline is collected and painted once
    bool finished_ = false;
    std::optional<WideOutline> wide_;  // pens wider than one pixel
    std::vector<Span> interior_;
    bool hasInterior_ = false;
};

}  // namespace hmigfx::win32
