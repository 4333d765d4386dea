// TextOutW and ExtTextOutW: a string laid out along the font's escapement
// from the reference point, the opaque box behind it, the glyphs through the
// span painter, and the underline and strike-out bars.
#include "dc_p.h"
#include "font_p.h"
#include "printer_p.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cmath>

namespace hmigfx::win32 {
namespace {

// Directions of the baseline (u) and of "down" in the text's frame (d), in
// device coordinates where y grows downwards.
struct Frame {
    double ux, uy, dx, dy;
    bool axisAligned;
};

Frame frameFor(int tenths) {
    switch (tenths) {
    case 0: return {1, 0, 0, 1, true};
    case 900: return {0, -1, 1, 0, true};
    case 1800: return {-1, 0, 0, -1, true};
    case 2700: return {0, 1, -1, 0, true};
    default: {
        const double a = tenths * M_PI / 1800.0;
        const double c = std::cos(a), s = std::sin(a);
        return {c, -s, s, c, false};
    }
    }
}

// A pixel coordinate within [lo, hi]; NaN goes to lo.
int clampPixel(double v, int lo, int hi) { return static_cast<int>(std::min<double>(std::max<double>(lo, v), hi)); }

// The pixels whose centres lie inside a convex polygon, within the box
// (only its rows are scanned, so a far-reaching polygon costs what it shows).
void convexSpans(const double* px, const double* py, int n, const RECT& box, std::vector<Span>& out) {
    double lo = py[0], hi = py[0];
    for (int i = 1; i < n; ++i) {
        lo = std::min(lo, py[i]);
        hi = std::max(hi, py[i]);
    }
    const int y0 = clampPixel(std::ceil(lo - 0.5), box.top, box.bottom);
    const int y1 = clampPixel(std::ceil(hi - 0.5), box.top, box.bottom);
    for (int y = y0; y < y1; ++y) {
        const double yc = y + 0.5;
        double xl = INFINITY, xr = -INFINITY;
        for (int i = 0; i < n; ++i) {
            const int j = (i + 1) % n;
            if ((py[i] <= yc && yc < py[j]) || (py[j] <= yc && yc < py[i])) {
                const double x = px[i] + (yc - py[i]) * (px[j] - px[i]) / (py[j] - py[i]);
                xl = std::min(xl, x);
                xr = std::max(xr, x);
            }
        }
        if (xl > xr) continue;
        const int x0 = clampPixel(std::ceil(xl - 0.5), box.left, box.right);
        const int x1 = clampPixel(std::ceil(xr - 0.5), box.left, box.right);
        if (x1 > x0) out.push_back(Span{x0, y, x1 - x0});
    }
}

// Spans of the box [a0, a1) along the baseline by [c0, c1) across it, from origin.
void boxSpans(const Frame& f, double ox, double oy, double a0, double a1, double c0, double c1, const RECT& clip,
              std::vector<Span>& out) {
    const double as[4] = {a0, a1, a1, a0}, cs[4] = {c0, c0, c1, c1};
    double px[4], py[4];
    for (int i = 0; i < 4; ++i) {
        px[i] = ox + as[i] * f.ux + cs[i] * f.dx;
        py[i] = oy + as[i] * f.uy + cs[i] * f.dy;
    }
    convexSpans(px, py, 4, clip, out);
}

uint8_t mix(uint32_t dst, uint32_t src, int shift, int level) {
    const int d = static_cast<int>((dst >> shift) & 0xFF), s = static_cast<int>((src >> shift) & 0xFF);
    return static_cast<uint8_t>(d + ((s - d) * level + 8) / 16);
}

// Anti-aliased glyphs blend the text colour into the destination in
// proportion to their coverage (sixteen levels), clipped per pixel.
void blendGlyph(const Surface& s, const PixRegion& clip, const GlyphImage& img, int gx, int gy, COLORREF color) {
    if (!s.valid() || img.width <= 0) return;
    PixRegion area(RECT{gx, gy, gx + img.width, gy + img.height});
    area.intersect(clip);
    int n = 0;
    const pixman_box32_t* boxes = area.rects(&n);
    const uint32_t rgb = colorrefToXrgb(color);
    for (int b = 0; b < n; ++b)
        for (int y = boxes[b].y1; y < boxes[b].y2; ++y) {
            const uint8_t* cov = img.coverage.data() + static_cast<size_t>(y - gy) * img.width - gx;
            for (int x = boxes[b].x1; x < boxes[b].x2; ++x) {
                const int level = cov[x];
                if (level == 0) continue;
                const uint32_t dst = s.bpp >= 24 ? readPixel(s, x, y) : colorrefToXrgb(pixelToColor(s, readPixel(s, x, y)));
                const uint32_t out = level >= 16 ? rgb
                                                 : (static_cast<uint32_t>(mix(dst, rgb, 16, level)) << 16) |
                                                       (static_cast<uint32_t>(mix(dst, rgb, 8, level)) << 8) |
                                                       mix(dst, rgb, 0, level);
                writePixel(s, x, y, s.bpp >= 24 ? out : colorToPixel(s, xrgbToColorref(out)));
            }
        }
}

}  // namespace

FontInstance* selectedFont(DC& dc) {
    Font* f = lookup<Font>(dc.st.font);
    return f ? fontInstance(*f) : nullptr;
}

}  // namespace hmigfx::win32

using namespace hmigfx::win32;

extern "C" {

BOOL WINAPI ExtTextOutW(HDC h, int x, int y, UINT options, const RECT* rect, LPCWSTR str, UINT count, const INT* lpDx) {
    const PageRecord rec(h, [&] {
        const long long dx = (options & ETO_PDY) ? 2LL * count : count;
        return [=, r = keepRect(rect), t = keepText(str, count), w = keepArray(lpDx, dx)](HDC d) mutable {
            ExtTextOutW(d, x, y, options, r.get(), t.get(), count, w.empty() ? nullptr : w.data());
        };
    });
    DC* dc = findDC(h);
    if (!dc || (count > 0 && !str) || count > INT_MAX / 2) return FALSE;
    FontInstance* font = selectedFont(*dc);
    if (!font) return FALSE;
    const Surface& surface = dc->surface;
    const uint32_t mask = surface.pixelMask();

    RECT box{};
    const bool haveRect = rect && (options & (ETO_OPAQUE | ETO_CLIPPED));
    if (haveRect) {
        box = dc->toDevice(*rect);
        if (box.left > box.right) std::swap(box.left, box.right);
        if (box.top > box.bottom) std::swap(box.top, box.bottom);
    }
    PaintTile bkTile;
    bkTile.setSolid(rop2Pair(R2_COPYPEN, colorToPixel(surface, dc->st.bkColor), mask));
    if (haveRect && (options & ETO_OPAQUE)) paintRect(surface, dc->visible, bkTile, POINT{0, 0}, box);
    if (count == 0) return TRUE;

    PixRegion clipped;
    const PixRegion* clip = &dc->visible;
    if (haveRect && (options & ETO_CLIPPED)) {
        clipped = dc->visible;
        clipped.intersectRect(box);
        clip = &clipped;
    }

    // Layout: the glyphs and their pen offsets along the baseline.
    thread_local std::vector<Glyph*> glyphs;
    thread_local std::vector<long long> pens;
    glyphs.assign(count, nullptr);
    pens.assign(count, 0);
    // The string's extent (alignment, opaque box, bars) is the measured one;
    // the glyphs step by their drawn advances. GDI does the same, so a
    // right-aligned string may not end exactly at the reference point.
    long long width = 0, pen = 0;
    for (UINT i = 0; i < count; ++i) {
        uint32_t c = static_cast<uint32_t>(str[i]);
        bool lowHalf = false;
        if (c >= 0xDC00 && c < 0xE000 && i > 0) {
            const auto hi = static_cast<uint32_t>(str[i - 1]);
            lowHalf = hi >= 0xD800 && hi < 0xDC00;
        }
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < count) {
            const auto lo = static_cast<uint32_t>(str[i + 1]);
            if (lo >= 0xDC00 && lo < 0xE000) c = 0x10000 + ((c - 0xD800) << 10) + (lo - 0xDC00);
        }
        pens[i] = pen;
        if (!lowHalf) {
            Glyph& g = font->glyph(c);
            font->image(g);
            glyphs[i] = &g;
            width += lpDx ? lpDx[i] : g.advance;
            pen += lpDx ? lpDx[i] : g.drawAdvance;
        } else if (lpDx) {
            width += lpDx[i];
            pen += lpDx[i];
        }
    }

    const TEXTMETRICW& tm = font->metrics();
    const Frame fr = frameFor(font->escapement());
    const UINT align = dc->st.textAlign;
    const POINT ref = dc->toDevice((align & TA_UPDATECP) ? dc->st.curPos : POINT{x, y});
    long long along = 0;
    if ((align & TA_CENTER) == TA_CENTER) along = -(width / 2);
    else if (align & TA_RIGHT) along = -width;
    long long across = 0;
    if ((align & TA_BASELINE) == TA_BASELINE) across = 0;
    else if (align & TA_BOTTOM) across = -tm.tmDescent;
    else across = tm.tmAscent;
    // The pen origin of the first glyph, on the baseline.
    const double ox = ref.x + along * fr.ux + across * fr.dx;
    const double oy = ref.y + along * fr.uy + across * fr.dy;

    std::vector<Span>& spans = dc->scratchSpans;
    if (dc->st.bkMode == OPAQUE) {
        spans.clear();
        boxSpans(fr, ox, oy, 0, static_cast<double>(width), -tm.tmAscent, tm.tmDescent, clip->box(), spans);
        paintSpans(surface, *clip, bkTile, POINT{0, 0}, spans.data(), spans.size());
    }

    PaintTile textTile;
    textTile.setSolid(rop2Pair(R2_COPYPEN, colorToPixel(surface, dc->st.textColor), mask));
    spans.clear();
    for (UINT i = 0; i < count; ++i) {
        if (!glyphs[i]) continue;
        const GlyphImage& img = font->image(*glyphs[i]);
        const int px = static_cast<int>(std::lround(ox + pens[i] * fr.ux));
        const int py = static_cast<int>(std::lround(oy + pens[i] * fr.uy));
        if (img.gray) {
            blendGlyph(surface, *clip, img, px + img.left, py + img.top, dc->st.textColor);
        } else {
            for (const GlyphRun& r : img.runs) spans.push_back(Span{px + r.x, py + r.y, r.len});
        }
    }
    if (font->underline()) {
        boxSpans(fr, ox, oy, 0, static_cast<double>(width), font->underlineOffset(),
                 font->underlineOffset() + font->underlineSize(), clip->box(), spans);
    }
    if (font->strikeout()) {
        boxSpans(fr, ox, oy, 0, static_cast<double>(width), font->strikeoutOffset(),
                 font->strikeoutOffset() + font->strikeoutSize(), clip->box(), spans);
    }
    paintSpans(surface, *clip, textTile, POINT{0, 0}, spans.data(), spans.size());

    if (align & TA_UPDATECP) {
        long long move = 0;
        if ((align & TA_CENTER) == TA_CENTER) move = 0;
        else if (align & TA_RIGHT) move = -width;
        else move = width;
        dc->st.curPos.x = wrap32(dc->st.curPos.x + std::llround(move * fr.ux));
        dc->st.curPos.y = wrap32(dc->st.curPos.y + std::llround(move * fr.uy));
    }
    return TRUE;
}

BOOL WINAPI TextOutW(HDC h, int x, int y, LPCWSTR str, int count) {
    if (count < 0) return FALSE;
    return ExtTextOutW(h, x, y, 0, nullptr, str, static_cast<UINT>(count), nullptr);
}

}  // extern "C"
