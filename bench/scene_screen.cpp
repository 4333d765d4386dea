// The scene benchmark's screen and its paint pass through CMyDC.
#include "scene_screen.h"

#include <cstdint>

namespace scene_bench {

namespace {

// A fixed pseudo-random screen, the same on every run.
class Lcg {
public:
    uint32_t next() { return m_state = m_state * 1664525u + 1013904223u; }
    int range(int lo, int hi) { return lo + static_cast<int>((next() >> 8) % static_cast<uint32_t>(hi - lo + 1)); }

private:
    uint32_t m_state = 12345;
};

std::vector<Object> makeScreen() {
    Lcg rng;
    std::vector<Object> objects;
    const Kind closed[] = {Kind::Rectangle, Kind::Ellipse, Kind::RoundRect, Kind::PolyGon, Kind::Pie, Kind::Chord};
    for (int i = 0; i < kObjects; ++i) {
        Object o{};
        const bool gradient = i % (kObjects / kGradients) == 0;
        if (gradient) {
            o.kind = closed[rng.range(0, 5)];
        } else {
            const int k = rng.range(0, 99);
            o.kind = k < 22 ? Kind::Rectangle : k < 38 ? Kind::Ellipse : k < 49 ? Kind::RoundRect
                   : k < 62 ? Kind::PolyGon : k < 76 ? Kind::PolyLine : k < 83 ? Kind::Pie
                   : k < 90 ? Kind::Chord : Kind::Arc;
        }
        const int w = rng.range(20, 200), h = rng.range(16, 140);
        const int x = rng.range(0, kWidth - w), y = rng.range(0, kHeight - h);
        o.rect = CRect(x, y, x + w, y + h);
        o.corner = CPoint(rng.range(6, 30), rng.range(6, 30));
        o.start = CPoint(x + w, y + rng.range(0, h));
        o.end = CPoint(x + rng.range(0, w), y);
        if (o.kind == Kind::PolyGon || o.kind == Kind::PolyLine) {
            const int n = rng.range(4, 10);
            for (int k = 0; k < n; ++k) o.points.emplace_back(x + rng.range(0, w), y + rng.range(0, h));
        }
        const int penKind = rng.range(0, 99);
        o.pen.lopnStyle = penKind < 75 ? PS_SOLID : static_cast<UINT>(PS_DASH + penKind % 4);
        o.pen.lopnWidth = {rng.range(0, 3), penKind % 2 ? 0 : 50};
        o.pen.lopnColor = RGB(rng.range(0, 160), rng.range(0, 160), rng.range(0, 160));
        o.crFill = RGB(rng.range(100, 255), rng.range(100, 255), rng.range(100, 255));
        if (gradient) {
            o.brush = {CMyBrush::kStyleGradient, 0, static_cast<ULONG_PTR>(rng.range(0, 21))};
        } else {
            const int b = rng.range(0, 99);
            o.brush = b < 45 ? LOGBRUSH{0, 0, 0}
                    : b < 65 ? LOGBRUSH{2, 0, static_cast<ULONG_PTR>(rng.range(0, 5))}
                    : b < 80 ? LOGBRUSH{3, 0, static_cast<ULONG_PTR>(rng.range(1, 48))}
                    : b < 90 ? LOGBRUSH{1, 0, 0}
                             : LOGBRUSH{2, 0, static_cast<ULONG_PTR>(rng.range(0, 5))};
            o.bTransparent = b >= 90 ? 1 : 0;
        }
        objects.push_back(std::move(o));
    }
    return objects;
}

}  // namespace

const std::vector<Object>& screen() {
    static const std::vector<Object> objects = makeScreen();
    return objects;
}

// ---------------------------------------------------------------------------
// hmigfx

void paintHmigfx(CDC& cdc, int zoom, bool gradientsOnly) {
    ::SetViewportOrgEx(cdc, 0, 0, nullptr);
    ::PatBlt(cdc, 0, 0, kWidth, kHeight, WHITENESS);
    CPoint origin(0, 0);
    CMyDC dc(&cdc, zoom, origin);
    for (const Object& c : screen()) {
        if (gradientsOnly && c.brush.lbStyle != CMyBrush::kStyleGradient) continue;
        Object o = c;  // the members take non-const references
        switch (o.kind) {
        case Kind::Rectangle: dc.ObjDrawRectangle(o.rect, o.pen, o.brush, o.crFill, o.bTransparent); break;
        case Kind::Ellipse: dc.ObjDrawEllipse(o.rect, o.pen, o.brush, o.crFill, o.bTransparent); break;
        case Kind::RoundRect: dc.ObjDrawRoundRect(o.rect, o.corner, o.pen, o.brush, o.crFill, o.bTransparent); break;
        case Kind::PolyGon:
            dc.ObjDrawPolyGon(o.rect, o.points.data(), static_cast<int>(o.points.size()), o.pen, o.brush, o.crFill,
                              o.bTransparent);
            break;
        case Kind::PolyLine:
            dc.ObjDrawPolyLine(o.points.data(), static_cast<int>(o.points.size()), o.pen, o.crFill, o.bTransparent);
            break;
        case Kind::Pie: dc.ObjDrawPie(o.rect, o.start, o.end, o.pen, o.brush, o.crFill, o.bTransparent); break;
        case Kind::Chord: dc.ObjDrawChord(o.rect, o.start, o.end, o.pen, o.brush, o.crFill, o.bTransparent); break;
        case Kind::Arc: dc.ObjDrawArc(o.rect, o.start, o.end, o.pen, o.crFill, o.bTransparent); break;
        }
    }
    AfxUnlockTempMaps();
}

}  // namespace scene_bench
