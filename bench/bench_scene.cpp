// A paint pass of a plant screen: 1000 objects (mixed shapes, pens and
// brushes, 100 of them gradients) at 1920 x 1080, zoom 100 and 150, drawn
// through CMyDC; and the same drawing done with cairo on an image surface
// with antialiasing off, for comparison. BM_PaintPassRatio runs both in turn
// and reports the CPU time of each and cairo's over ours (above 1: we are
// faster).
#include "scene_screen.h"

#include <hmigfx/hmigfx.h>

#include <benchmark/benchmark.h>
#include <cairo.h>

#include <cmath>
#include <cstdint>
#include <ctime>
#include <vector>

namespace {

using namespace scene_bench;

// ---------------------------------------------------------------------------
// cairo: the same objects, paths in pixels, the same fills as cairo sources

struct Rgb {
    double r, g, b;
};
Rgb rgb(COLORREF c) { return {GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0}; }

// The six hatches and 48 patterns as 8 x 8 A1 masks, made once.
class CairoTiles {
public:
    CairoTiles() {
        for (int h = 0; h < 6; ++h) m_hatch[h] = make([h](int x, int y) {
            switch (h) {
            case HS_HORIZONTAL: return y == 7;
            case HS_VERTICAL: return x == 7;
            case HS_FDIAGONAL: return x == y;
            case HS_BDIAGONAL: return x == 7 - y;
            case HS_CROSS: return x == 7 || y == 7;
            default: return x == y || x == 7 - y;
            }
        });
        for (int n = 1; n <= 48; ++n)
            m_pattern[n] = make([n](int x, int y) { return ((x * 7 + y * 13 + n) % 5) < 2; });
    }
    ~CairoTiles() {
        for (auto* s : m_hatch) cairo_surface_destroy(s);
        for (int n = 1; n <= 48; ++n) cairo_surface_destroy(m_pattern[n]);
    }
    cairo_surface_t* hatch(int h) const { return m_hatch[h]; }
    cairo_surface_t* pattern(int n) const { return m_pattern[n]; }

private:
    template <typename F>
    static cairo_surface_t* make(F bit) {
        cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_A1, 8, 8);
        cairo_surface_flush(s);
        unsigned char* data = cairo_image_surface_get_data(s);
        const int stride = cairo_image_surface_get_stride(s);
        for (int y = 0; y < 8; ++y) {
            uint32_t row = 0;
            for (int x = 0; x < 8; ++x)
                if (bit(x, y)) row |= 1u << x;  // A1 is least significant bit first on little-endian
            *reinterpret_cast<uint32_t*>(data + y * stride) = row;
        }
        cairo_surface_mark_dirty(s);
        return s;
    }
    cairo_surface_t* m_hatch[6];
    cairo_surface_t* m_pattern[49] = {};
};

void cairoPath(cairo_t* cr, const Object& o, double s) {
    const double l = o.rect.left * s, t = o.rect.top * s, r = o.rect.right * s, b = o.rect.bottom * s;
    const double cx = (l + r) / 2, cy = (t + b) / 2, rx = (r - l) / 2, ry = (b - t) / 2;
    auto angle = [&](CPoint p) { return std::atan2((p.y * s - cy) / std::max(ry, 1.0), (p.x * s - cx) / std::max(rx, 1.0)); };
    auto ellipticArc = [&](double a0, double a1) {
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_scale(cr, std::max(rx, 0.5), std::max(ry, 0.5));
        cairo_arc_negative(cr, 0, 0, 1, a0, a1);  // counter-clockwise on the screen
        cairo_restore(cr);
    };
    switch (o.kind) {
    case Kind::Rectangle: cairo_rectangle(cr, l, t, r - l, b - t); break;
    case Kind::Ellipse: ellipticArc(0, -2 * M_PI); cairo_close_path(cr); break;
    case Kind::RoundRect: {
        const double cw = o.corner.x * s / 2, ch = o.corner.y * s / 2;
        cairo_new_sub_path(cr);
        const double corners[4][3] = {{r - cw, t + ch, -M_PI / 2}, {r - cw, b - ch, 0}, {l + cw, b - ch, M_PI / 2},
                                      {l + cw, t + ch, M_PI}};
        for (const auto& c : corners) {
            cairo_save(cr);
            cairo_translate(cr, c[0], c[1]);
            cairo_scale(cr, std::max(cw, 0.5), std::max(ch, 0.5));
            cairo_arc(cr, 0, 0, 1, c[2], c[2] + M_PI / 2);
            cairo_restore(cr);
        }
        cairo_close_path(cr);
        break;
    }
    case Kind::PolyGon:
    case Kind::PolyLine:
        cairo_move_to(cr, o.points[0].x * s, o.points[0].y * s);
        for (size_t i = 1; i < o.points.size(); ++i) cairo_line_to(cr, o.points[i].x * s, o.points[i].y * s);
        if (o.kind == Kind::PolyGon) cairo_close_path(cr);
        break;
    case Kind::Pie:
        cairo_move_to(cr, cx, cy);
        ellipticArc(angle(o.start), angle(o.end));
        cairo_close_path(cr);
        break;
    case Kind::Chord:
        ellipticArc(angle(o.start), angle(o.end));
        cairo_close_path(cr);
        break;
    case Kind::Arc: ellipticArc(angle(o.start), angle(o.end)); break;
    }
}

// The gradient as cairo draws it: linear for the rectangle modes, a mesh of
// the same triangles and corner colours for the others.
cairo_pattern_t* cairoGradient(const Object& o, double s) {
    const int mode = static_cast<int>(o.brush.lbHatch);
    const Rgb c1 = rgb(o.pen.lopnColor), c2 = rgb(o.crFill);
    const double l = o.rect.left * s, t = o.rect.top * s, r = (o.rect.right + 1) * s, b = (o.rect.bottom + 1) * s;
    if (mode < 8) {
        const bool vertical = mode < 4;
        cairo_pattern_t* p = vertical ? cairo_pattern_create_linear(0, t, 0, b) : cairo_pattern_create_linear(l, 0, r, 0);
        const Rgb a = mode % 2 ? c2 : c1;
        Rgb z = mode % 2 ? c1 : c2;
        cairo_pattern_add_color_stop_rgb(p, 0, a.r, a.g, a.b);
        if (mode % 4 >= 2) cairo_pattern_add_color_stop_rgb(p, 0.5, z.r, z.g, z.b), z = a;
        cairo_pattern_add_color_stop_rgb(p, 1, z.r, z.g, z.b);
        return p;
    }
    cairo_pattern_t* p = cairo_pattern_create_mesh();
    auto triangle = [&](double x0, double y0, Rgb k0, double x1, double y1, Rgb k1, double x2, double y2, Rgb k2) {
        cairo_mesh_pattern_begin_patch(p);
        cairo_mesh_pattern_move_to(p, x0, y0);
        cairo_mesh_pattern_line_to(p, x1, y1);
        cairo_mesh_pattern_line_to(p, x2, y2);
        cairo_mesh_pattern_set_corner_color_rgb(p, 0, k0.r, k0.g, k0.b);
        cairo_mesh_pattern_set_corner_color_rgb(p, 1, k1.r, k1.g, k1.b);
        cairo_mesh_pattern_set_corner_color_rgb(p, 2, k2.r, k2.g, k2.b);
        cairo_mesh_pattern_end_patch(p);
    };
    if (mode >= 20) {
        const Rgb centre = mode == 20 ? c1 : c2, edge = mode == 20 ? c2 : c1;
        const double mx = (l + r) / 2, my = (t + b) / 2;
        triangle(l, t, edge, r, t, edge, mx, my, centre);
        triangle(r, t, edge, r, b, edge, mx, my, centre);
        triangle(r, b, edge, l, b, edge, mx, my, centre);
        triangle(l, b, edge, l, t, edge, mx, my, centre);
    } else {
        const Rgb m{(c1.r + c2.r) / 2, (c1.g + c2.g) / 2, (c1.b + c2.b) / 2};
        const Rgb tl = mode % 2 ? c2 : c1, br = mode % 2 ? c1 : c2;
        triangle(l, t, tl, r, t, m, r, b, br);
        triangle(l, t, tl, l, b, m, r, b, br);
    }
    return p;
}

void paintCairo(cairo_t* cr, const CairoTiles& tiles, int zoom) {
    const double s = zoom / 100.0;
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    for (const Object& o : screen()) {
        cairoPath(cr, o, s);
        const bool closed = o.kind != Kind::PolyLine && o.kind != Kind::Arc;
        if (closed) {
            const Rgb fill = rgb(o.crFill), line = rgb(o.pen.lopnColor);
            switch (o.brush.lbStyle) {
            case 0:
                if (!o.bTransparent) {
                    cairo_set_source_rgb(cr, fill.r, fill.g, fill.b);
                    cairo_fill_preserve(cr);
                }
                break;
            case 2:
            case 3: {
                // Background, then the tile's bits in the line colour, aligned to the shape.
                if (!o.bTransparent) {
                    cairo_set_source_rgb(cr, fill.r, fill.g, fill.b);
                    cairo_fill_preserve(cr);
                }
                cairo_surface_t* tile = o.brush.lbStyle == 2 ? tiles.hatch(static_cast<int>(o.brush.lbHatch))
                                                             : tiles.pattern(static_cast<int>(o.brush.lbHatch));
                cairo_pattern_t* mask = cairo_pattern_create_for_surface(tile);
                cairo_pattern_set_extend(mask, CAIRO_EXTEND_REPEAT);
                cairo_pattern_set_filter(mask, CAIRO_FILTER_NEAREST);
                cairo_matrix_t m;
                cairo_matrix_init_translate(&m, -o.rect.left * s, -o.rect.top * s);
                cairo_pattern_set_matrix(mask, &m);
                cairo_save(cr);
                cairo_clip_preserve(cr);
                cairo_set_source_rgb(cr, line.r, line.g, line.b);
                cairo_mask(cr, mask);
                cairo_restore(cr);
                cairo_pattern_destroy(mask);
                break;
            }
            case CMyBrush::kStyleGradient: {
                cairo_pattern_t* g = cairoGradient(o, s);
                cairo_set_source(cr, g);
                cairo_fill_preserve(cr);
                cairo_pattern_destroy(g);
                break;
            }
            default: break;
            }
        }
        if (o.pen.lopnStyle == PS_NULL) {
            cairo_new_path(cr);
            continue;
        }
        const double width = std::max(1.0, std::trunc((o.pen.lopnWidth.x + o.pen.lopnWidth.y / 100.0) * s));
        cairo_set_line_width(cr, width);
        if (o.pen.lopnStyle >= PS_DASH && o.pen.lopnStyle <= PS_DASHDOTDOT) {
            static const double kDashes[4][6] = {{17, 7}, {2, 4}, {8, 7, 2, 7}, {8, 4, 2, 4, 2, 4}};
            static const int kCounts[4] = {2, 2, 4, 6};
            double dashes[6];
            const int style = static_cast<int>(o.pen.lopnStyle) - 1;
            for (int i = 0; i < kCounts[style]; ++i) dashes[i] = kDashes[style][i] * std::floor(width);
            cairo_set_dash(cr, dashes, kCounts[style], 0);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_SQUARE);
        } else {
            cairo_set_dash(cr, nullptr, 0, 0);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
        }
        const Rgb line = rgb(o.pen.lopnColor);
        cairo_set_source_rgb(cr, line.r, line.g, line.b);
        cairo_stroke(cr);
    }
    cairo_surface_flush(cairo_get_target(cr));
}

struct CairoTarget {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight);
    cairo_t* cr = cairo_create(surface);
    CairoTiles tiles;
    CairoTarget() {
        cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    }
    ~CairoTarget() {
        cairo_destroy(cr);
        cairo_surface_destroy(surface);
    }
};

void BM_PaintPass_hmigfx(benchmark::State& state) {
    Target target;
    const int zoom = static_cast<int>(state.range(0));
    for (auto _ : state) paintHmigfx(target.dc(), zoom);
    state.counters["objects"] = kObjects;
}
BENCHMARK(BM_PaintPass_hmigfx)->Arg(100)->Arg(150)->Unit(benchmark::kMillisecond);

// The screen's 100 gradient objects alone (all 22 modes, outlines included).
void BM_PaintPass_gradients(benchmark::State& state) {
    Target target;
    const int zoom = static_cast<int>(state.range(0));
    for (auto _ : state) paintHmigfx(target.dc(), zoom, true);
    state.counters["objects"] = kGradients;
}
BENCHMARK(BM_PaintPass_gradients)->Arg(100)->Arg(150)->Unit(benchmark::kMillisecond);

// Their gradient fills alone: CMyBrush::GradientFill over each gradient
// object's rectangle in its mode, as the shape drawing calls it (unclipped).
void BM_GradientFills(benchmark::State& state) {
    Target target;
    const int zoom = static_cast<int>(state.range(0));
    for (auto _ : state) {
        for (const Object& o : screen()) {
            if (o.brush.lbStyle != CMyBrush::kStyleGradient) continue;
            CRect r(o.rect.left * zoom / 100, o.rect.top * zoom / 100, (o.rect.right + 1) * zoom / 100,
                    (o.rect.bottom + 1) * zoom / 100);
            CMyBrush::GradientFill(target.dc(), static_cast<int>(o.brush.lbHatch), r, o.pen.lopnColor, o.crFill);
        }
        benchmark::ClobberMemory();
    }
    state.counters["objects"] = kGradients;
}
BENCHMARK(BM_GradientFills)->Arg(100)->Arg(150)->Unit(benchmark::kMicrosecond);

void BM_PaintPass_cairo(benchmark::State& state) {
    CairoTarget target;
    const int zoom = static_cast<int>(state.range(0));
    for (auto _ : state) paintCairo(target.cr, target.tiles, zoom);
    state.counters["objects"] = kObjects;
}
BENCHMARK(BM_PaintPass_cairo)->Arg(100)->Arg(150)->Unit(benchmark::kMillisecond);

// Both in turn, so that the ratio compares the same moments of the machine.
void BM_PaintPassRatio(benchmark::State& state) {
    Target target;
    CairoTarget cairoTarget;
    const int zoom = static_cast<int>(state.range(0));
    // Thread CPU time: other processes on the machine do not count.
    auto now = [] {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
    };
    double ours = 0, theirs = 0;
    for (auto _ : state) {
        const double t0 = now();
        paintHmigfx(target.dc(), zoom);
        const double t1 = now();
        paintCairo(cairoTarget.cr, cairoTarget.tiles, zoom);
        const double t2 = now();
        ours += t1 - t0;
        theirs += t2 - t1;
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["hmigfx_ms"] = ours / n;
    state.counters["cairo_ms"] = theirs / n;
    state.counters["cairo_over_hmigfx"] = theirs / ours;
}
BENCHMARK(BM_PaintPassRatio)->Arg(100)->Arg(150)->Unit(benchmark::kMillisecond);

}  // namespace
