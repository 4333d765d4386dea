// Outlining figures with the selected pen: the one place the line and shape
// primitives hand their outlines to.
//
// A figure is a list of device points, open or closed; the dash pattern
// starts afresh with each figure and runs on across its segments. Cosmetic
// pens paint each segment as it comes (GDI paints every segment on its own,
// so a pixel two segments share is painted twice, which XOR pens show).
//
// Pens wider than one pixel are not outlined yet: they draw like a one-pixel
// pen of the same colour. Their outline is to be built per segment, with caps
// and joins, united into one region (`PenGeometry::usesRegion`) and painted
// once; closed shapes then paint their interior minus that region before it.
// FigureStroker is where that region is built and painted.
#pragma once

#include "cosmetic_pen_p.h"

namespace hmigfx::win32 {

// The selected pen as outline geometry.
struct PenGeometry {
    int width = 1;             // device pixels; 0 for PS_NULL
    bool insideFrame = false;  // PS_INSIDEFRAME: the outline keeps inside the bounding box
    bool usesRegion = false;   // outline collected into one region (wide/geometric pens)
};
PenGeometry penGeometry(const DC& dc);

// The selected pen draws dashes (its outline depends on where a figure starts).
bool penIsStyled(const DC& dc);

// A bounding box shrunk so that the pen's outline stays inside it.
RECT insideFrameRect(const RECT& rc, const PenGeometry& pen);

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
    // Paints what is still pending. Called by the destructor too.
    void finish();

private:
    void segment(POINT a, POINT b, const uint64_t* dashAt);
    void flush();

    DC& dc_;
    CosmeticRaster raster_;
    bool draws_ = false;
    bool flushEachSegment_ = false;
};

}  // namespace hmigfx::win32
