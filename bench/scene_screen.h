// The scene benchmark's screen: 1000 objects (mixed shapes, pens and brushes,
// 100 of them gradients) at 1920 x 1080, the same on every run, and its paint
// pass through CMyDC. Shared by the Google Benchmark program and the plain
// timer that also runs on Windows.
#pragma once

#include "surface.h"

#include <hmigfx/hmigfx.h>

#include <vector>

namespace scene_bench {

constexpr int kWidth = 1920, kHeight = 1080;
constexpr int kObjects = 1000, kGradients = 100;

enum class Kind { Rectangle, Ellipse, RoundRect, PolyGon, PolyLine, Pie, Chord, Arc };

struct Object {
    Kind kind;
    CRect rect;  // document units
    std::vector<CPoint> points;
    CPoint corner, start, end;
    LOGPEN pen;
    LOGBRUSH brush;
    COLORREF crFill;
    int bTransparent;
};

const std::vector<Object>& screen();

// What the screen is drawn on: the hmigfx command's 32-bit picture.
struct Target : hmigfx::app::Surface {
    Target() : Surface(kWidth, kHeight) {}
};

// Clears the target and draws every object (or only the gradient ones) at the zoom.
void paintHmigfx(CDC& cdc, int zoom, bool gradientsOnly = false);

}  // namespace scene_bench
