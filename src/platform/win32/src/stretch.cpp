// Nearest-neighbour stretch mapping and the HALFTONE resampler.
#include "stretch_p.h"

#include <algorithm>
#include <cstdlib>

namespace hmigfx::win32 {

namespace {

// Steps k of a walk start + inc * k that land in [v0, v1), within [0, n).
void stepsInside(long long start, int inc, long long v0, long long v1, long long n, long long& k0, long long& k1) {
    if (inc > 0) {
        k0 = v0 - start;
        k1 = v1 - start;
    } else {
        k0 = start - v1 + 1;
        k1 = start - v0 + 1;
    }
    k0 = std::max(k0, 0LL);
    k1 = std::min(k1, n);
}

}  // namespace

bool mapAxis(int dStart, int dLen, int dv0, int dv1, int sStart, int sLen, int sv0, int sv1, AxisMap& out) {
    out.groups.clear();
    const long long ad = std::llabs(static_cast<long long>(dLen)), as = std::llabs(static_cast<long long>(sLen));
    if (ad == 0 || as == 0) return false;
    const int incd = dLen < 0 ? -1 : 1, incs = sLen < 0 ? -1 : 1;
    out.inc = incs;
    out.enlarge = as <= ad;
    const long long steps = std::max(ad, as);
    long long lastD = 0;
    auto emit = [&](long long s, long long d) {
        if (!out.groups.empty() && d == lastD) {
            AxisGroup& g = out.groups.back();
            g.last = static_cast<int>(s);
            ++g.count;
        } else {
            out.groups.push_back(AxisGroup{static_cast<int>(s), static_cast<int>(s), 1});
            lastD = d;
        }
        if (out.groups.size() == 1 && out.groups.back().count == 1) {
            out.smin = out.smax = static_cast<int>(s);
        } else {
            out.smin = std::min(out.smin, static_cast<int>(s));
            out.smax = std::max(out.smax, static_cast<int>(s));
        }
    };
    long long k0, k1, firstD = 0;
    bool any = false;
    if (out.enlarge) {
        stepsInside(dStart, incd, dv0, dv1, steps, k0, k1);
        for (long long k = k0; k < k1; ++k) {
            const long long s = sStart + incs * (((2 * k + 1) * as - 1) / (2 * ad));
            if (s < sv0 || s >= sv1) continue;
            const long long d = dStart + incd * k;
            if (!any) firstD = d;
            any = true;
            emit(s, d);
        }
    } else {
        stepsInside(sStart, incs, sv0, sv1, steps, k0, k1);
        for (long long k = k0; k < k1; ++k) {
            const long long d = dStart + incd * (((2 * k + 1) * ad - 1) / (2 * as));
            if (d < dv0 || d >= dv1) continue;
            if (!any) firstD = d;
            any = true;
            emit(sStart + incs * k, d);
        }
    }
    if (!any) return false;
    if (incd < 0) {
        std::reverse(out.groups.begin(), out.groups.end());
        out.d0 = static_cast<int>(firstD - static_cast<long long>(out.groups.size()) + 1);
    } else {
        out.d0 = static_cast<int>(firstD);
    }
    return true;
}

namespace {

RECT bounds(const BlitCoords& c) {
    RECT r{c.x, c.y, c.x + c.w, c.y + c.h};
    if (r.left > r.right) r = RECT{r.right + 1, r.top, r.left + 1, r.bottom};
    if (r.top > r.bottom) r = RECT{r.left, r.bottom + 1, r.right, r.top + 1};
    return r;
}

inline float clampf(float v, float lo, float hi) { return std::max(lo, std::min(v, hi)); }
inline int clampi(int v, int lo, int hi) { return std::max(lo, std::min(v, hi)); }

inline int lerp(int a, int b, float t) { return static_cast<int>(static_cast<float>(a) + static_cast<float>(b - a) * t + 0.5f); }

struct Rgb {
    int r, g, b;
};

}  // namespace

bool halftoneParams(const BlitCoords& d, const RECT& dvis, const BlitCoords& s, const RECT& svis, HalftoneParams& hp) {
    const RECT sb = bounds(s), db = bounds(d);
    hp.src = RECT{std::max(sb.left, svis.left), std::max(sb.top, svis.top), std::min(sb.right, svis.right),
                  std::min(sb.bottom, svis.bottom)};
    const RECT dr{std::max(db.left, dvis.left), std::max(db.top, dvis.top), std::min(db.right, dvis.right),
                  std::min(db.bottom, dvis.bottom)};
    const int sw = hp.src.right - hp.src.left, sh = hp.src.bottom - hp.src.top;
    const int dw = dr.right - dr.left, dh = dr.bottom - dr.top;
    if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return false;
    const bool mirrorX = (d.w < 0) != (s.w < 0), mirrorY = (d.h < 0) != (s.h < 0);
    hp.startX = mirrorX ? hp.src.right - 1 : hp.src.left;
    hp.startY = mirrorY ? hp.src.bottom - 1 : hp.src.top;
    hp.incX = mirrorX ? -static_cast<float>(sw) / static_cast<float>(dw) : static_cast<float>(sw) / static_cast<float>(dw);
    hp.incY = mirrorY ? -static_cast<float>(sh) / static_cast<float>(dh) : static_cast<float>(sh) / static_cast<float>(dh);
    return true;
}

void halftone(const Surface& ds, const HalftoneParams& hp, const uint32_t* src, int sw, int sh, int dw, int dh,
              uint32_t* out) {
    const RECT& r = hp.src;
    auto colorOf = [&](uint32_t raw) -> Rgb {
        if (ds.bpp >= 24) return {static_cast<int>((raw >> 16) & 0xFF), static_cast<int>((raw >> 8) & 0xFF), static_cast<int>(raw & 0xFF)};
        const COLORREF c = pixelToColor(ds, raw);
        return {GetRValue(c), GetGValue(c), GetBValue(c)};
    };
    auto at = [&](int x, int y) { return colorOf(src[static_cast<size_t>(y - r.top) * sw + (x - r.left)]); };
    (void)sh;
    float fy = static_cast<float>(hp.startY);
    for (int j = 0; j < dh; ++j) {
        fy = clampf(fy, static_cast<float>(r.top), static_cast<float>(r.bottom - 1));
        const int y0 = static_cast<int>(fy);
        const int y1 = clampi(y0 + 1, r.top, r.bottom - 1);
        const float dy = fy - static_cast<float>(y0);
        float fx = static_cast<float>(hp.startX);
        for (int i = 0; i < dw; ++i) {
            fx = clampf(fx, static_cast<float>(r.left), static_cast<float>(r.right - 1));
            const int x0 = static_cast<int>(fx);
            const int x1 = clampi(x0 + 1, r.left, r.right - 1);
            const float dx = fx - static_cast<float>(x0);
            const Rgb c00 = at(x0, y0), c01 = at(x1, y0), c10 = at(x0, y1), c11 = at(x1, y1);
            const int red = lerp(lerp(c00.r, c01.r, dx) & 0xFF, lerp(c10.r, c11.r, dx) & 0xFF, dy) & 0xFF;
            const int green = lerp(lerp(c00.g, c01.g, dx) & 0xFF, lerp(c10.g, c11.g, dx) & 0xFF, dy) & 0xFF;
            const int blue = lerp(lerp(c00.b, c01.b, dx) & 0xFF, lerp(c10.b, c11.b, dx) & 0xFF, dy) & 0xFF;
            uint32_t v;
            if (ds.bpp >= 24)
                v = static_cast<uint32_t>((red << 16) | (green << 8) | blue);
            else
                v = colorToPixel(ds, RGB(red, green, blue));
            out[static_cast<size_t>(j) * dw + i] = v;
            fx += hp.incX;
        }
        fy += hp.incY;
    }
}

}  // namespace hmigfx::win32
