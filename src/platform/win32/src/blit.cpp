// The blit engine: BitBlt, StretchBlt and MaskBlt with all 256 ternary raster
// operations.
//
// A blit works in the destination's pixel format: source pixels are converted
// (PixelConverter), stretched when the extents differ (stretch.cpp), then
// combined with the brush pattern and the destination through the visible
// region. Plain copies between surfaces of one format go straight to pixman.
#include "blit_p.h"
#include "stretch_p.h"
#include "printer_p.h"

#include <pixman.h>

#include <algorithm>
#include <climits>
#include <cstring>

namespace hmigfx::win32 {
namespace {

// ---- kernels ---------------------------------------------------------------

enum class Op { Generic, Copy, NotCopy, And, Or, Xor, Erase, NotErase, MergePaint };

Op fastOpFor(unsigned code) {
    switch (code) {
    case 0xCC: return Op::Copy;        // SRCCOPY
    case 0x33: return Op::NotCopy;     // NOTSRCCOPY
    case 0x88: return Op::And;         // SRCAND
    case 0xEE: return Op::Or;          // SRCPAINT
    case 0x66: return Op::Xor;         // SRCINVERT
    case 0x44: return Op::Erase;       // SRCERASE
    case 0x11: return Op::NotErase;    // NOTSRCERASE
    case 0xBB: return Op::MergePaint;  // MERGEPAINT
    default: return Op::Generic;
    }
}

inline int wrapIndex(int64_t v, int n) {  // 64 bits: positions minus origins may leave the int range
    const auto m = static_cast<int>(v % n);
    return m < 0 ? m + n : m;
}

// One raster operation as it applies to runs of pixels.
struct Kernel {
    unsigned code = 0xCC;
    Op op = Op::Copy;
    uint32_t mask = ~0u;
    Rop3Quad solid{};               // without a pattern, or with a 1x1 one
    std::vector<Rop3Quad> tile;     // per pattern pixel, row-major
    int tileW = 0, tileH = 0;       // 0: no pattern tile
    POINT org{0, 0};

    const Rop3Quad* tileRow(int y) const { return tile.data() + static_cast<size_t>(wrapIndex(int64_t{y} - org.y, tileH)) * tileW; }
};

void buildKernel(const BlitDest& dest, unsigned code, Kernel& k) {
    k.code = code;
    k.mask = dest.s.pixelMask();
    k.tileW = k.tileH = 0;
    k.tile.clear();
    k.org = dest.dc ? dest.dc->st.brushOrg : POINT{0, 0};
    if (!rop3UsesPattern(code)) {
        k.op = fastOpFor(code);
        k.solid = rop3Quad(code, 0, k.mask);
        return;
    }
    k.op = Op::Generic;
    static thread_local PaintTile none;
    PaintTile& pt = dest.dc ? dest.dc->scratchPaint : none;
    if (dest.dc) buildBrushPaint(*dest.dc, dest.dc->brush(), R2_COPYPEN, pt);
    // A null brush, and the gaps of a transparent hatch, leave the destination alone.
    auto quadFor = [&](const RopPair& p) { return p.andMask == 0 ? rop3Quad(code, p.xorMask, k.mask) : rop3Identity(k.mask); };
    if (pt.empty()) {
        k.solid = rop3Identity(k.mask);
    } else if (pt.width == 1 && pt.height == 1) {
        k.solid = quadFor(pt.pairs[0]);
    } else {
        k.tileW = pt.width;
        k.tileH = pt.height;
        k.tile.resize(pt.pairs.size());
        for (size_t i = 0; i < pt.pairs.size(); ++i) k.tile[i] = quadFor(pt.pairs[i]);
    }
}

template <class F>
inline void each(uint32_t* d, const uint32_t* s, int n, F f) {
    for (int i = 0; i < n; ++i) d[i] = f(s[i], d[i]);
}

// d[i] = op(pattern, s[i], d[i]) for the run starting at device pixel (x, y).
void applyKernel(const Kernel& k, uint32_t* d, const uint32_t* s, int n, int x, int y) {
    const uint32_t m = k.mask;
    if (k.tileW) {
        const Rop3Quad* row = k.tileRow(y);
        int tx = wrapIndex(int64_t{x} - k.org.x, k.tileW);
        for (int i = 0; i < n; ++i) {
            d[i] = applyRop3(row[tx], s[i], d[i]);
            if (++tx == k.tileW) tx = 0;
        }
        return;
    }
    switch (k.op) {
    case Op::Copy: std::memcpy(d, s, sizeof(uint32_t) * static_cast<size_t>(n)); return;
    case Op::NotCopy: each(d, s, n, [m](uint32_t sv, uint32_t) { return ~sv & m; }); return;
    case Op::And: each(d, s, n, [](uint32_t sv, uint32_t dv) { return sv & dv; }); return;
    case Op::Or: each(d, s, n, [](uint32_t sv, uint32_t dv) { return sv | dv; }); return;
    case Op::Xor: each(d, s, n, [](uint32_t sv, uint32_t dv) { return sv ^ dv; }); return;
    case Op::Erase: each(d, s, n, [m](uint32_t sv, uint32_t dv) { return sv & ~dv & m; }); return;
    case Op::NotErase: each(d, s, n, [m](uint32_t sv, uint32_t dv) { return ~(sv | dv) & m; }); return;
    case Op::MergePaint: each(d, s, n, [m](uint32_t sv, uint32_t dv) { return (~sv | dv) & m; }); return;
    case Op::Generic: {
        const Rop3Quad q = k.solid;
        each(d, s, n, [q](uint32_t sv, uint32_t dv) { return applyRop3(q, sv, dv); });
        return;
    }
    }
}

// MaskBlt: the mask bit picks the operation per pixel.
void applyMasked(const Kernel& fg, const Kernel& bg, const BlitMask& mask, int maskX, int maskY, uint32_t* d,
                 const uint32_t* s, int n, int x, int y) {
    auto quadAt = [](const Kernel& k, int px, int py) {
        if (!k.tileW) return k.solid;
        return k.tileRow(py)[wrapIndex(int64_t{px} - k.org.x, k.tileW)];
    };
    const int my = wrapIndex(maskY, mask.s.height);
    for (int i = 0; i < n; ++i) {
        const int mx = wrapIndex(int64_t{maskX} + i, mask.s.width);
        const bool on = (mask.s.row(my)[mx >> 3] >> (7 - (mx & 7))) & 1;
        d[i] = applyRop3(quadAt(on ? fg : bg, x + i, y), s[i], d[i]);
    }
}

// ---- scratch buffers ---------------------------------------------------------

// Reused across calls so a blit allocates only when it needs more room.
struct Scratch {
    std::vector<uint32_t> src, dst, acc, snapshot, stretched;
    std::vector<int> pick;
    Kernel fg, bg;
    AxisMap xmap, ymap;
};

Scratch& scratch() {
    static thread_local Scratch s;
    return s;
}

uint32_t* sized(std::vector<uint32_t>& v, size_t n) {
    if (v.size() < n) v.resize(n);
    return v.data();
}

// ---- rectangles ----------------------------------------------------------------

// Rectangles in 64 bits: extents near INT_MIN or INT_MAX cannot overflow.
struct Box {
    long long l, t, r, b;
};

// Anything this far out is off every surface.
constexpr long long kFar = 1LL << 40;
long long clampFar(__int128 v) { return v < -kFar ? -kFar : v > kFar ? kFar : static_cast<long long>(v); }

// The pixels an origin and a signed extent cover: a negative extent runs
// leftwards (upwards) from the pixel just past the origin.
Box boundingBox(const BlitCoords& c) {
    Box r{c.x, c.y, static_cast<long long>(c.x) + c.w, static_cast<long long>(c.y) + c.h};
    if (r.l > r.r) r = Box{r.r + 1, r.t, r.l + 1, r.b};
    if (r.t > r.b) r = Box{r.l, r.b + 1, r.r, r.t + 1};
    return r;
}

bool intersectRects(RECT& out, const Box& a, const RECT& b) {
    const long long l = std::max<long long>(a.l, b.left), t = std::max<long long>(a.t, b.top);
    const long long r = std::min<long long>(a.r, b.right), bt = std::min<long long>(a.b, b.bottom);
    if (l >= r || t >= bt) {
        out = RECT{0, 0, 0, 0};
        return false;
    }
    out = RECT{static_cast<LONG>(l), static_cast<LONG>(t), static_cast<LONG>(r), static_cast<LONG>(bt)};
    return true;
}

bool intersectRects(RECT& out, const RECT& a, const RECT& b) { return intersectRects(out, Box{a.left, a.top, a.right, a.bottom}, b); }

void orderBox(Box& r) {
    if (r.l > r.r) std::swap(r.l, r.r);
    if (r.t > r.b) std::swap(r.t, r.b);
}

// v * num / den truncated, as the reference's integer arithmetic rounds.
long long scaled(long long v, long long num, long long den) {
    return clampFar(static_cast<__int128>(v) * num / den);
}

// Narrows both visible rectangles to what a stretched blit can reach. A
// mirrored source that sticks out of its surface shifts the destination the
// way the reference GDI does. False when nothing is left.
bool intersectStretched(BlitCoords& d, RECT& dvis, const BlitCoords& s, RECT& svis) {
    const long long sx = s.x, sy = s.y, sw = s.w, sh = s.h, dw = d.w, dh = d.h;
    long long dx = d.x, dy = d.y;
    Box r{svis.left - sx - (sw < 0), svis.top - sy - (sh < 0), svis.right - sx - (sw < 0), svis.bottom - sy - (sh < 0)};
    r = Box{scaled(r.l, dw, sw), scaled(r.t, dh, sh), scaled(r.r, dw, sw), scaled(r.b, dh, sh)};
    orderBox(r);
    if (sw < 0 && dw > 0 && (sx + sw + 1 < svis.left || sx > svis.right))
        dx += (dw - r.r) - r.l;
    else if (sw > 0 && dw < 0 && (sx < svis.left || sx + sw > svis.right))
        dx -= r.r - (dw - r.l);
    if (sh < 0 && dh > 0 && (sy + sh + 1 < svis.top || sy > svis.bottom))
        dy += (dh - r.b) - r.t;
    else if (sh > 0 && dh < 0 && (sy < svis.top || sy + sh > svis.bottom))
        dy -= r.b - (dh - r.t);
    dx = std::clamp(dx, -kFar, kFar);
    dy = std::clamp(dy, -kFar, kFar);
    if (!intersectRects(dvis, Box{r.l + dx - 1, r.t + dy - 1, r.r + dx + 1, r.b + dy + 1}, dvis)) return false;
    // The destination may have moved: keep it where int coordinates still reach.
    d.x = static_cast<int>(std::clamp<long long>(dx, INT_MIN / 2, INT_MAX / 2));
    d.y = static_cast<int>(std::clamp<long long>(dy, INT_MIN / 2, INT_MAX / 2));

    r = Box{dvis.left - dx - (dw < 0), dvis.top - dy - (dh < 0), dvis.right - dx - (dw < 0), dvis.bottom - dy - (dh < 0)};
    r = Box{sx + scaled(r.l, sw, dw), sy + scaled(r.t, sh, dh), sx + scaled(r.r, sw, dw), sy + scaled(r.b, sh, dh)};
    orderBox(r);
    return intersectRects(svis, Box{r.l - 1, r.t - 1, r.r + 1, r.b + 1}, svis);
}

// ---- writing runs ------------------------------------------------------------------

// Calls f(x0, x1) for every run of row y inside the visible region and [left, right).
template <class F>
void forEachRun(const PixRegion& visible, int y, int left, int right, F f) {
    int n = 0;
    const pixman_box32_t* boxes = visible.rects(&n);
    const pixman_box32_t* end = boxes + n;
    const pixman_box32_t* b = std::partition_point(boxes, end, [y](const pixman_box32_t& bx) { return bx.y2 <= y; });
    for (; b < end && b->y1 <= y; ++b) {
        const int x0 = std::max(left, b->x1), x1 = std::min(right, b->x2);
        if (x0 < x1) f(x0, x1);
    }
}

struct Writer {
    const Surface& ds;
    const Kernel& fg;
    const Kernel* bg;          // MaskBlt only
    const BlitMask* mask;
    POINT maskOrigin;          // destination pixel the mask's (x, y) belongs to
    std::vector<uint32_t>& tmp;

    // Combines source values (for device pixels x0..x1-1 of row y) with the destination.
    void run(int y, int x0, int x1, const uint32_t* s) const {
        const int n = x1 - x0;
        if (ds.bpp == 32) {
            uint32_t* d = ds.row32(y) + x0;
            apply(d, s, n, x0, y);
            return;
        }
        uint32_t* d = sized(tmp, static_cast<size_t>(n));
        if (!(fg.op == Op::Copy && !mask)) unpackRow(ds, y, x0, n, d);
        apply(d, s, n, x0, y);
        packRow(ds, y, x0, n, d);
    }

    void apply(uint32_t* d, const uint32_t* s, int n, int x, int y) const {
        if (mask)
            applyMasked(fg, *bg, *mask, mask->x + x - maskOrigin.x, mask->y + y - maskOrigin.y, d, s, n, x, y);
        else
            applyKernel(fg, d, s, n, x, y);
    }
};

// ---- sources -------------------------------------------------------------------------

// Converted source rows, read straight from the source or from a snapshot
// taken first when source and destination share their pixels.
class SourceRows {
public:
    SourceRows(const BlitSource* src, const PixelConverter* conv, const RECT& area, bool snapshot, Scratch& sc)
        : src_(src), conv_(conv), area_(area) {
        if (!src_ || !snapshot) return;
        const int w = area.right - area.left, h = area.bottom - area.top;
        snap_ = sized(sc.snapshot, static_cast<size_t>(w) * h);
        for (int y = 0; y < h; ++y) conv_->convertRow(area.top + y, area.left, w, snap_ + static_cast<size_t>(y) * w);
    }

    // Values of source pixels [x, x + n) of row y, all inside the area.
    const uint32_t* row(int y, int x, int n, uint32_t* buf) const {
        if (!src_) {
            std::memset(buf, 0, sizeof(uint32_t) * static_cast<size_t>(n));
            return buf;
        }
        if (snap_)
            return snap_ + static_cast<size_t>(y - area_.top) * (area_.right - area_.left) + (x - area_.left);
        conv_->convertRow(y, x, n, buf);
        return buf;
    }

private:
    const BlitSource* src_;
    const PixelConverter* conv_;
    RECT area_;
    uint32_t* snap_ = nullptr;
};

bool sharesPixels(const Surface& a, const Surface& b) { return a.top && a.top == b.top; }

// Same-format copies without a pattern or mask: whole rectangles at a time.
void copyRects(const BlitDest& dest, const BlitSource& src, const RECT& dvis, int sx0, int sy0) {
    const Surface& ds = dest.s;
    const Surface& ss = src.s;
    const int bytesPerPixel = ds.bpp / 8;
    const bool overlap = sharesPixels(ds, ss);
    int n = 0;
    const pixman_box32_t* boxes = dest.visible->rects(&n);
    for (int i = 0; i < n; ++i) {
        RECT r;
        if (!intersectRects(r, RECT{boxes[i].x1, boxes[i].y1, boxes[i].x2, boxes[i].y2}, dvis)) continue;
        const int w = r.right - r.left, h = r.bottom - r.top;
        const int sx = sx0 + (r.left - dvis.left), sy = sy0 + (r.top - dvis.top);
        const bool pixmanOk = !overlap && ds.pitch > 0 && ss.pitch > 0 && ds.pitch % 4 == 0 && ss.pitch % 4 == 0 &&
                              (ds.bpp == 32 || ds.bpp == 16 || ds.bpp == 8);
        if (pixmanOk &&
            pixman_blt(reinterpret_cast<uint32_t*>(ss.top), reinterpret_cast<uint32_t*>(ds.top),
                       static_cast<int>(ss.pitch / 4), static_cast<int>(ds.pitch / 4), ss.bpp, ds.bpp, sx, sy, r.left,
                       r.top, w, h))
            continue;
        // Overlapping rows are copied in the order that reads each before it is written.
        const bool upwards = overlap && r.top > sy;
        for (int k = 0; k < h; ++k) {
            const int j = upwards ? h - 1 - k : k;
            std::memmove(ds.row(r.top + j) + static_cast<size_t>(r.left) * bytesPerPixel,
                         ss.row(sy + j) + static_cast<size_t>(sx) * bytesPerPixel, static_cast<size_t>(w) * bytesPerPixel);
        }
    }
}

// ---- the blit -------------------------------------------------------------------------

// Destination pixel (x, y) of dvis takes source pixel (x - dvis.left + sx0, ...).
// A whole source row is converted before any of its destination row is
// written, and rows go bottom-up when they move down within one surface, so
// overlapping copies read every pixel before they overwrite it.
void blitUnscaled(const BlitDest& dest, const BlitSource* src, const PixelConverter* conv, const RECT& dvis, int sx0,
                  int sy0, const Writer& w, Scratch& sc) {
    const int width = dvis.right - dvis.left, height = dvis.bottom - dvis.top;
    const RECT area{sx0, sy0, sx0 + width, sy0 + height};
    SourceRows rows(src, conv, area, false, sc);
    uint32_t* buf = sized(sc.src, static_cast<size_t>(width));
    const bool upwards = src && sharesPixels(src->s, dest.s) && dvis.top > sy0;
    for (int k = 0; k < height; ++k) {
        const int j = upwards ? height - 1 - k : k;
        const int y = dvis.top + j;
        const uint32_t* s = nullptr;
        forEachRun(*dest.visible, y, dvis.left, dvis.right, [&](int x0, int x1) {
            if (!s) s = rows.row(sy0 + j, sx0, width, buf);
            w.run(y, x0, x1, s + (x0 - dvis.left));
        });
    }
}

void blitStretched(const BlitDest& dest, const BlitSource& src, const PixelConverter& conv, const AxisMap& xm, const AxisMap& ym,
                   int mode, const Writer& w, Scratch& sc) {
    const RECT area{xm.smin, ym.smin, xm.smax + 1, ym.smax + 1};
    // Within one surface the rows need a snapshot only when a destination row
    // is written before a source row it covers is read. Rows go top-down and
    // each is read whole before it is written: source rows at or below their
    // destination row are safe as they stand (a shrink towards the top).
    bool snapshot = sharesPixels(src.s, dest.s);
    if (snapshot && ym.inc > 0) {
        bool below = true;
        for (size_t j = 0; j < ym.groups.size() && below; ++j)
            below = ym.groups[j].first >= ym.d0 + static_cast<int>(j);
        snapshot = !below;
    }
    SourceRows rows(&src, &conv, area, snapshot, sc);
    const int sw = area.right - area.left;
    const int dw = static_cast<int>(xm.groups.size());
    uint32_t* buf = sized(sc.src, static_cast<size_t>(sw));
    uint32_t* acc = sized(sc.acc, static_cast<size_t>(sw));
    uint32_t* out = sized(sc.stretched, static_cast<size_t>(dw));
    const bool merge = mode == BLACKONWHITE || mode == WHITEONBLACK;
    const bool andMerge = mode == BLACKONWHITE;
    // The source column each destination column starts from (or takes, without merging).
    std::vector<int>& pick = sc.pick;
    pick.resize(static_cast<size_t>(dw));
    for (int i = 0; i < dw; ++i) pick[i] = (merge ? xm.groups[i].first : xm.groups[i].last) - area.left;
    const AxisGroup* lastGy = nullptr;
    for (int j = 0; j < static_cast<int>(ym.groups.size()); ++j) {
        const int y = ym.d0 + j;
        bool anyRun = false;
        forEachRun(*dest.visible, y, xm.d0, xm.d0 + dw, [&](int, int) { anyRun = true; });
        if (!anyRun) continue;
        const AxisGroup& gy = ym.groups[j];
        if (!lastGy || lastGy->first != gy.first || lastGy->last != gy.last) {
            if (!merge) {
                const uint32_t* line = rows.row(gy.first, area.left, sw, buf);
                for (int i = 0; i < dw; ++i) out[i] = line[pick[i]];
            } else {
                // The source rows of this destination row, merged, then each column's group.
                for (int k = 0; k < gy.count; ++k) {
                    const uint32_t* r = rows.row(gy.first + k * ym.inc, area.left, sw, buf);
                    if (k == 0)
                        std::memcpy(acc, r, sizeof(uint32_t) * static_cast<size_t>(sw));
                    else if (andMerge)
                        for (int i = 0; i < sw; ++i) acc[i] &= r[i];
                    else
                        for (int i = 0; i < sw; ++i) acc[i] |= r[i];
                }
                for (int i = 0; i < dw; ++i) {
                    const int count = xm.groups[i].count;
                    const uint32_t* at = acc + pick[i];
                    uint32_t v = at[0];
                    for (int k = 1; k < count; ++k) v = andMerge ? (v & at[k * xm.inc]) : (v | at[k * xm.inc]);
                    out[i] = v;
                }
            }
            lastGy = &gy;
        }
        forEachRun(*dest.visible, y, xm.d0, xm.d0 + dw, [&](int x0, int x1) { w.run(y, x0, x1, out + (x0 - xm.d0)); });
    }
}

void blitHalftone(const BlitDest& dest, const BlitSource& src, const PixelConverter& conv, const BlitCoords& d, const RECT& dvis,
                  const BlitCoords& s, const RECT& svis, const Writer& w, Scratch& sc) {
    HalftoneParams hp;
    if (!halftoneParams(d, dvis, s, svis, hp)) return;
    const RECT& sr = hp.src;
    const int sw = sr.right - sr.left;
    SourceRows rows(&src, &conv, sr, true, sc);
    const int dw = dvis.right - dvis.left, dh = dvis.bottom - dvis.top;
    uint32_t* out = sized(sc.stretched, static_cast<size_t>(dw) * dh);
    halftone(dest.s, hp, rows.row(sr.top, sr.left, sw, sized(sc.src, static_cast<size_t>(sw))), sw, dw, dh, out);
    for (int j = 0; j < dh; ++j) {
        const int y = dvis.top + j;
        forEachRun(*dest.visible, y, dvis.left, dvis.right,
                   [&](int x0, int x1) { w.run(y, x0, x1, out + static_cast<size_t>(j) * dw + (x0 - dvis.left)); });
    }
}

}  // namespace

bool runBlit(const BlitDest& dest, const BlitSource* src, BlitCoords d, BlitCoords s, DWORD rop, int stretchMode,
             const BlitMask* mask) {
    const Surface& ds = dest.s;
    if (!ds.valid()) return false;
    const unsigned fgCode = rop3Code(rop);
    const unsigned bgCode = mask ? (rop >> 24) & 0xFFu : fgCode;
    const bool needSrc = rop3UsesSource(fgCode) || rop3UsesSource(bgCode);
    if (needSrc && (!src || !src->s.valid())) return false;
    if (mask && (mask->s.bpp != 1 || !mask->s.valid())) return false;

    RECT dvis;
    if (!intersectRects(dvis, boundingBox(d), dest.visible->box())) return true;

    Scratch& sc = scratch();
    buildKernel(dest, fgCode, sc.fg);
    if (mask) buildKernel(dest, bgCode, sc.bg);
    const Box dbounds = boundingBox(d);
    const POINT maskOrigin{static_cast<LONG>(std::clamp<long long>(dbounds.l, INT_MIN, INT_MAX)),
                           static_cast<LONG>(std::clamp<long long>(dbounds.t, INT_MIN, INT_MAX))};
    const Writer writer{ds, sc.fg, mask ? &sc.bg : nullptr, mask, maskOrigin, sc.dst};

    if (!needSrc) {
        blitUnscaled(dest, nullptr, nullptr, dvis, 0, 0, writer, sc);
        return true;
    }

    RECT svis;
    if (!intersectRects(svis, boundingBox(s), RECT{0, 0, src->s.width, src->s.height})) return true;
    const bool stretching = s.w != d.w || s.h != d.h;
    if (!stretching) {
        const long long ox = static_cast<long long>(d.x) - s.x, oy = static_cast<long long>(d.y) - s.y;
        if (!intersectRects(dvis, Box{svis.left + ox, svis.top + oy, svis.right + ox, svis.bottom + oy}, dvis)) return true;
        svis = RECT{static_cast<LONG>(dvis.left - ox), static_cast<LONG>(dvis.top - oy), static_cast<LONG>(dvis.right - ox),
                    static_cast<LONG>(dvis.bottom - oy)};
    } else if (!intersectStretched(d, dvis, s, svis)) {
        return true;
    }
    // A one pixel wide destination reads one source pixel less, as the reference does.
    if (d.w == 1 && s.w > 1) --s.w;
    if (d.h == 1 && s.h > 1) --s.h;

    const PixelConverter conv(*src, dest.target);
    if (s.w == d.w && s.h == d.h) {
        // Same extents: one source pixel per destination pixel, from the source rectangle's corner.
        dvis.right = std::min<LONG>(dvis.right, dvis.left + (svis.right - svis.left));
        dvis.bottom = std::min<LONG>(dvis.bottom, dvis.top + (svis.bottom - svis.top));
        if (dvis.left >= dvis.right || dvis.top >= dvis.bottom) return true;
        if (!mask && sc.fg.op == Op::Copy && !sc.fg.tileW && conv.isRaw() && src->s.bpp == ds.bpp && ds.bpp >= 8) {
            copyRects(dest, *src, dvis, svis.left, svis.top);
            return true;
        }
        blitUnscaled(dest, src, &conv, dvis, svis.left, svis.top, writer, sc);
        return true;
    }
    if (stretchMode == HALFTONE) {
        blitHalftone(dest, *src, conv, d, dvis, s, svis, writer, sc);
        return true;
    }
    if (!mapAxis(d.x, d.w, dvis.left, dvis.right, s.x, s.w, svis.left, svis.right, sc.xmap) ||
        !mapAxis(d.y, d.h, dvis.top, dvis.bottom, s.y, s.h, svis.top, svis.bottom, sc.ymap))
        return true;
    int mode = stretchMode;
    if (sc.ymap.enlarge && sc.xmap.enlarge) mode = COLORONCOLOR;
    blitStretched(dest, *src, conv, sc.xmap, sc.ymap, mode, writer, sc);
    return true;
}

bool blitWithDcs(HDC hdst, int xd, int yd, int wd, int hd, HDC hsrc, int xs, int ys, int ws, int hs, DWORD rop) {
    DC* dst = findDC(hdst);
    if (!dst) return false;
    if (!rop3UsesSource(rop3Code(rop))) return PatBlt(hdst, xd, yd, wd, hd, rop);
    DC* srcDc = findDC(hsrc);
    if (!srcDc) return false;
    BlitSource src;
    if (!blitSourceOf(*srcDc, src)) return false;
    const BlitCoords d{dst->devX(xd), dst->devY(yd), wd, hd};
    const BlitCoords s{srcDc->devX(xs), srcDc->devY(ys), ws, hs};
    return runBlit(blitDestOf(*dst), &src, d, s, rop, dst->st.stretchMode, nullptr);
}

}  // namespace hmigfx::win32

using namespace hmigfx::win32;

extern "C" {

BOOL WINAPI BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop) {
    const PageRecord rec(hdc, [&] {
        return [=, src = copySourceDC(hdcSrc)](HDC d) { BitBlt(d, x, y, cx, cy, static_cast<HDC>(handleOf(src)), x1, y1, rop); };
    });
    return blitWithDcs(hdc, x, y, cx, cy, hdcSrc, x1, y1, cx, cy, rop);
}

BOOL WINAPI StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc,
                       int wSrc, int hSrc, DWORD rop) {
    const PageRecord rec(hdcDest, [&] {
        return [=, src = copySourceDC(hdcSrc)](HDC d) {
            StretchBlt(d, xDest, yDest, wDest, hDest, static_cast<HDC>(handleOf(src)), xSrc, ySrc, wSrc, hSrc, rop);
        };
    });
    return blitWithDcs(hdcDest, xDest, yDest, wDest, hDest, hdcSrc, xSrc, ySrc, wSrc, hSrc, rop);
}

BOOL WINAPI MaskBlt(HDC hdcDest, int xDest, int yDest, int width, int height, HDC hdcSrc, int xSrc, int ySrc,
                    HBITMAP hbmMask, int xMask, int yMask, DWORD rop) {
    const PageRecord rec(hdcDest, [&] {
        return [=, src = copySourceDC(hdcSrc), mask = copyBitmap(hbmMask)](HDC d) {
            MaskBlt(d, xDest, yDest, width, height, static_cast<HDC>(handleOf(src)), xSrc, ySrc,
                    static_cast<HBITMAP>(handleOf(mask)), xMask, yMask, rop);
        };
    });
    if (!hbmMask) return BitBlt(hdcDest, xDest, yDest, width, height, hdcSrc, xSrc, ySrc, rop & 0x00FFFFFF);
    DC* dst = findDC(hdcDest);
    Bitmap* maskBmp = lookup<Bitmap>(hbmMask);
    if (!dst || !maskBmp || maskBmp->bpp != 1) return FALSE;
    BlitMask mask{maskBmp->surface(), xMask, yMask};
    const unsigned fg = rop3Code(rop), bg = (rop >> 24) & 0xFFu;
    BlitSource src;
    BlitSource* srcp = nullptr;
    if (rop3UsesSource(fg) || rop3UsesSource(bg)) {
        DC* srcDc = findDC(hdcSrc);
        if (!srcDc || !blitSourceOf(*srcDc, src)) return FALSE;
        srcp = &src;
    }
    const BlitCoords d{dst->devX(xDest), dst->devY(yDest), width, height};
    BlitCoords s{xSrc, ySrc, width, height};
    if (srcp) {
        DC* srcDc = findDC(hdcSrc);
        s.x = srcDc->devX(xSrc);
        s.y = srcDc->devY(ySrc);
    }
    return runBlit(blitDestOf(*dst), srcp, d, s, rop, dst->st.stretchMode, &mask);
}

}  // extern "C"
