// The scene benchmark's screen: 1000 objects (mixed shapes, pens and brushes,
// 100 of them gradients) at 1920 x 1080, the same on every run, and its paint
// pass through CMyDC. Shared by the Google Benchmark program and the plain
// timer that also runs on Windows.
#pragma once

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

// A 32-bit top-down DIB section of the screen's size in a memory DC.
class Target {
public:
    Target();
    ~Target();
    Target(const Target&) = delete;
    Target& operator=(const Target&) = delete;
    CDC& dc() { return m_dc; }

private:
    CDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
};

// Clears the target and draws every object (or only the gradient ones) at the zoom.
void paintHmigfx(CDC& cdc, int zoom, bool gradientsOnly = false);

}  // namespace scene_bench
