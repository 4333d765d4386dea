// The blit engine: BitBlt, StretchBlt and MaskBlt with all 256 ternary raster
// operations.
//
// A blit works in the destination's pixel format: source pixels are converted
// (PixelConverter), stretched when the extents differ (stretch.cpp), then
// combined with the brush pattern and the destination through the visible
// region. Plain copies between surfaces of one format go straight to pixman.
#include "blit_p.h"
#include "stretch_p.h"

#include <pixman.h>

#include <algorithm>
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

inline int wrapIndex(int v, int n) {
    const int m = v % n;
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

    const Rop3Quad* tileRow(int y) const { return tile.data() + static_cast<size_t>(wrapIndex(y - org.y, tileH)) * tileW; }
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
        int tx = wrapIndex(x - k.org.x, k.tileW);
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
        return k.tileRow(py)[wrapIndex(px - k.org.x, k.tileW)];
    };
    const int my = wrapIndex(maskY, mask.s.height);
    for (int i = 0; i < n; ++i) {
        const int mx = wrapIndex(maskX + i, mask.s.width);
        const bool on = (mask.s.row(my)[mx >> 3] >> (7 - (mx & 7))) & 1;
        d[i] = applyRop3(quadAt(on ? fg : bg, x + i, y), s[i], d[i]);
    }
}

// ---- scratch buffers ---------------------------------------------------------

// Reused across calls so a blit allocates only when it needs more room.
struct Scratch {
    std::vector<uint32_t> src, dst, acc, snapshot, stretched;
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

// The pixels an origin and a signed extent cover: a negative extent runs
// leftwards (upwards) from the pixel just past the origin.
RECT boundingRect(const BlitCoords& c) {
    RECT r{c.x, c.y, c.x + c.w, c.y + c.h};
    if (r.left > r.right) r = RECT{r.right + 1, r.top, r.left + 1, r.bottom};
    if (r.top > r.bottom) r = RECT{r.left, r.bottom + 1, r.right, r.top + 1};
    return r;
}

bool intersectRects(RECT& out, const RECT& a, const RECT& b) {
    out = RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    if (out.left >= out.right || out.top >= out.bottom) {
        out = RECT{0, 0, 0, 0};
        return false;
    }
    return true;
}

void orderRect(RECT& r) {
    if (r.left > r.right) std::swap(r.left, r.right);
    if (r.top > r.bottom) std::swap(r.top, r.bottom);
}

LONG scaled(LONG v, int num, int den) { return static_cast<LONG>(static_cast<long long>(v) * num / den); }

// Narrows both visible rectangles to what a stretched blit can reach. A
// mirrored source that sticks out of its surface shifts the destination the
// way the reference GDI does. False when nothing is left.
bool intersectStretched(BlitCoords& d, RECT& dvis, const BlitCoords& s, RECT& svis) {
    RECT r = svis;
    r.left -= s.x + (s.w < 0 ? 1 : 0);
    r.right -= s.x + (s.w < 0 ? 1 : 0);
    r.top -= s.y + (s.h < 0 ? 1 : 0);
    r.bottom -= s.y + (s.h < 0 ? 1 : 0);
    r = RECT{scaled(r.left, d.w, s.w), scaled(r.top, d.h, s.h), scaled(r.right, d.w, s.w), scaled(r.bottom, d.h, s.h)};
    orderRect(r);
    if (s.w < 0 && d.w > 0 && (s.x + s.w + 1 < svis.left || s.x > svis.right))
        d.x += (d.w - r.right) - r.left;
    else if (s.w > 0 && d.w < 0 && (s.x < svis.left || s.x + s.w > svis.right))
        d.x -= r.right - (d.w - r.left);
    if (s.h < 0 && d.h > 0 && (s.y + s.h + 1 < svis.top || s.y > svis.bottom))
        d.y += (d.h - r.bottom) - r.top;
    else if (s.h > 0 && d.h < 0 && (s.y < svis.top || s.y + s.h > svis.bottom))
        d.y -= r.bottom - (d.h - r.top);
    r = RECT{r.left + d.x - 1, r.top + d.y - 1, r.right + d.x + 1, r.bottom + d.y + 1};
    if (!intersectRects(dvis, r, dvis)) return false;

    r = dvis;
    r.left -= d.x + (d.w < 0 ? 1 : 0);
    r.right -= d.x + (d.w < 0 ? 1 : 0);
    r.top -= d.y + (d.h < 0 ? 1 : 0);
    r.bottom -= d.y + (d.h < 0 ? 1 : 0);
    r = RECT{s.x + scaled(r.left, s.w, d.w), s.y + scaled(r.top, s.h, d.h), s.x + scaled(r.right, s.w, d.w),
             s.y + scaled(r.bottom, s.h, d.h)};
    orderRect(r);
    r = RECT{r.left - 1, r.top - 1, r.right + 1, r.bottom + 1};
    return intersectRects(svis, r, svis);
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
void blitUnscaled(const BlitDest& dest, const BlitSource* src, const PixelConverter* conv, const RECT& dvis, int sx0, int sy0,
                  const Writer& w, Scratch& sc) {
    const int width = dvis.right - dvis.left;
    const RECT area{sx0, sy0, sx0 + width, sy0 + (dvis.bottom - dvis.top)};
    SourceRows rows(src, conv, area, src && sharesPixels(src->s, dest.s), sc);
    uint32_t* buf = sized(sc.src, static_cast<size_t>(width));
    for (int y = dvis.top; y < dvis.bottom; ++y) {
        const int sy = sy0 + (y - dvis.top);
        forEachRun(*dest.visible, y, dvis.left, dvis.right, [&](int x0, int x1) {
            const uint32_t* s = rows.row(sy, sx0 + (x0 - dvis.left), x1 - x0, buf);
            w.run(y, x0, x1, s);
        });
    }
}

void blitStretched(const BlitDest& dest, const BlitSource& src, const PixelConverter& conv, const AxisMap& xm, const AxisMap& ym,
                   int mode, const Writer& w, Scratch& sc) {
    const RECT area{xm.smin, ym.smin, xm.smax + 1, ym.smax + 1};
    SourceRows rows(&src, &conv, area, sharesPixels(src.s, dest.s), sc);
    const int sw = area.right - area.left;
    const int dw = static_cast<int>(xm.groups.size());
    uint32_t* buf = sized(sc.src, static_cast<size_t>(sw));
    uint32_t* acc = sized(sc.acc, static_cast<size_t>(sw));
    uint32_t* out = sized(sc.stretched, static_cast<size_t>(dw));
    const bool merge = mode == BLACKONWHITE || mode == WHITEONBLACK;
    const bool andMerge = mode == BLACKONWHITE;
    const AxisGroup* lastGy = nullptr;
    for (int j = 0; j < static_cast<int>(ym.groups.size()); ++j) {
        const int y = ym.d0 + j;
        bool anyRun = false;
        forEachRun(*dest.visible, y, xm.d0, xm.d0 + dw, [&](int, int) { anyRun = true; });
        if (!anyRun) continue;
        const AxisGroup& gy = ym.groups[j];
        if (!lastGy || lastGy->first != gy.first || lastGy->last != gy.last) {
            // The source rows of this destination row, merged.
            const int count = merge ? gy.count : 1;
            for (int k = 0; k < count; ++k) {
                const int sy = gy.first + k * ym.inc;
                const uint32_t* r = rows.row(sy, area.left, sw, buf);
                if (k == 0)
                    std::memcpy(acc, r, sizeof(uint32_t) * static_cast<size_t>(sw));
                else if (andMerge)
                    for (int i = 0; i < sw; ++i) acc[i] &= r[i];
                else
                    for (int i = 0; i < sw; ++i) acc[i] |= r[i];
            }
            for (int i = 0; i < dw; ++i) {
                const AxisGroup& gx = xm.groups[i];
                if (!merge) {
                    out[i] = acc[gx.last - area.left];
                    continue;
                }
                uint32_t v = acc[gx.first - area.left];
                for (int k = 1; k < gx.count; ++k) {
                    const uint32_t o = acc[gx.first + k * xm.inc - area.left];
                    v = andMerge ? (v & o) : (v | o);
                }
                out[i] = v;
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
    const int sw = sr.right - sr.left, sh = sr.bottom - sr.top;
    SourceRows rows(&src, &conv, sr, true, sc);
    const int dw = dvis.right - dvis.left, dh = dvis.bottom - dvis.top;
    uint32_t* out = sized(sc.stretched, static_cast<size_t>(dw) * dh);
    halftone(dest.s, hp, rows.row(sr.top, sr.left, sw, sized(sc.src, static_cast<size_t>(sw))), sw, sh, dw, dh, out);
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
    if (!intersectRects(dvis, boundingRect(d), dest.visible->box())) return true;

    Scratch& sc = scratch();
    buildKernel(dest, fgCode, sc.fg);
    if (mask) buildKernel(dest, bgCode, sc.bg);
    const RECT dbounds = boundingRect(d);
    const Writer writer{ds, sc.fg, mask ? &sc.bg : nullptr, mask, POINT{dbounds.left, dbounds.top}, sc.dst};

    if (!needSrc) {
        blitUnscaled(dest, nullptr, nullptr, dvis, 0, 0, writer, sc);
        return true;
    }

    RECT svis;
    if (!intersectRects(svis, boundingRect(s), RECT{0, 0, src->s.width, src->s.height})) return true;
    const bool stretching = s.w != d.w || s.h != d.h;
    if (!stretching) {
        RECT moved{svis.left + d.x - s.x, svis.top + d.y - s.y, svis.right + d.x - s.x, svis.bottom + d.y - s.y};
        if (!intersectRects(dvis, moved, dvis)) return true;
        svis = RECT{dvis.left - d.x + s.x, dvis.top - d.y + s.y, dvis.right - d.x + s.x, dvis.bottom - d.y + s.y};
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
    return blitWithDcs(hdc, x, y, cx, cy, hdcSrc, x1, y1, cx, cy, rop);
}

BOOL WINAPI StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc,
                       int wSrc, int hSrc, DWORD rop) {
    return blitWithDcs(hdcDest, xDest, yDest, wDest, hDest, hdcSrc, xSrc, ySrc, wSrc, hSrc, rop);
}

BOOL WINAPI MaskBlt(HDC hdcDest, int xDest, int yDest, int width, int height, HDC hdcSrc, int xSrc, int ySrc,
                    HBITMAP hbmMask, int xMask, int yMask, DWORD rop) {
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
