// Nearest-neighbour stretch mapping and the HALFTONE resampler.
#include "stretch_p.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

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
            const long long s = sStart + incs * static_cast<long long>((static_cast<__int128>(2 * k + 1) * as - 1) / (2 * ad));
            if (s < sv0 || s >= sv1) continue;
            const long long d = dStart + incd * k;
            if (!any) firstD = d;
            any = true;
            emit(s, d);
        }
    } else {
        stepsInside(sStart, incs, sv0, sv1, steps, k0, k1);
        for (long long k = k0; k < k1; ++k) {
            const long long d = dStart + incd * static_cast<long long>((static_cast<__int128>(2 * k + 1) * ad - 1) / (2 * as));
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

// The covered pixels of an origin and a signed extent, cut to where int coordinates reach.
RECT bounds(const BlitCoords& c) {
    long long l = c.x, t = c.y, r = static_cast<long long>(c.x) + c.w, b = static_cast<long long>(c.y) + c.h;
    if (l > r) std::swap(l, r), ++l, ++r;
    if (t > b) std::swap(t, b), ++t, ++b;
    auto cut = [](long long v) { return static_cast<LONG>(std::clamp<long long>(v, INT_MIN, INT_MAX)); };
    return RECT{cut(l), cut(t), cut(r), cut(b)};
}

inline float clampf(float v, float lo, float hi) { return std::max(lo, std::min(v, hi)); }
inline int clampi(int v, int lo, int hi) { return std::max(lo, std::min(v, hi)); }

// a + (b - a) * t rounded, in single precision like the reference.
inline int lerp(int a, int b, float t) { return static_cast<int>(static_cast<float>(a) + static_cast<float>(b - a) * t + 0.5f); }
inline int lerp(uint32_t a, uint32_t b, float t) { return lerp(static_cast<int>(a), static_cast<int>(b), t); }

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

void halftone(const Surface& ds, const HalftoneParams& hp, const uint32_t* src, int sw, int dw, int dh, uint32_t* out) {
    const RECT& r = hp.src;
    // The column positions are the same on every row: walk them once.
    static thread_local std::vector<int> col0, col1;
    static thread_local std::vector<float> colT;
    col0.resize(static_cast<size_t>(dw));
    col1.resize(static_cast<size_t>(dw));
    colT.resize(static_cast<size_t>(dw));
    float fx = static_cast<float>(hp.startX);
    for (int i = 0; i < dw; ++i) {
        fx = clampf(fx, static_cast<float>(r.left), static_cast<float>(r.right - 1));
        const int x0 = static_cast<int>(fx);
        col0[i] = x0 - r.left;
        col1[i] = clampi(x0 + 1, r.left, r.right - 1) - r.left;
        colT[i] = fx - static_cast<float>(x0);
        fx += hp.incX;
    }
    // Destination values to channels and back; direct formats need no table.
    const bool direct = ds.bpp >= 24;
    auto rgbOf = [&](uint32_t raw) -> Rgb {
        if (direct) return {static_cast<int>((raw >> 16) & 0xFF), static_cast<int>((raw >> 8) & 0xFF), static_cast<int>(raw & 0xFF)};
        const COLORREF c = pixelToColor(ds, raw);
        return {GetRValue(c), GetGValue(c), GetBValue(c)};
    };
    float fy = static_cast<float>(hp.startY);
    for (int j = 0; j < dh; ++j) {
        fy = clampf(fy, static_cast<float>(r.top), static_cast<float>(r.bottom - 1));
        const int y0 = static_cast<int>(fy);
        const int y1 = clampi(y0 + 1, r.top, r.bottom - 1);
        const float dy = fy - static_cast<float>(y0);
        const uint32_t* row0 = src + static_cast<size_t>(y0 - r.top) * sw;
        const uint32_t* row1 = src + static_cast<size_t>(y1 - r.top) * sw;
        uint32_t* o = out + static_cast<size_t>(j) * dw;
        if (direct) {
            int i = 0;
#ifdef __SSE2__
            // Four pixels at a time, with the same single-precision operations in the same order.
            const __m128 half = _mm_set1_ps(0.5f), vdy = _mm_set1_ps(dy);
            const __m128i ff = _mm_set1_epi32(0xFF);
            auto lerp4 = [&](__m128i a, __m128i b, __m128 t) {
                const __m128 v = _mm_add_ps(_mm_add_ps(_mm_cvtepi32_ps(a), _mm_mul_ps(_mm_cvtepi32_ps(_mm_sub_epi32(b, a)), t)), half);
                return _mm_and_si128(_mm_cvttps_epi32(v), ff);
            };
            for (; i + 4 <= dw; i += 4) {
                const __m128 t = _mm_loadu_ps(&colT[i]);
                auto gather = [&](const uint32_t* row, const std::vector<int>& col) {
                    return _mm_setr_epi32(static_cast<int>(row[col[i]]), static_cast<int>(row[col[i + 1]]),
                                          static_cast<int>(row[col[i + 2]]), static_cast<int>(row[col[i + 3]]));
                };
                const __m128i p00 = gather(row0, col0), p01 = gather(row0, col1), p10 = gather(row1, col0),
                              p11 = gather(row1, col1);
                __m128i result = _mm_setzero_si128();
                for (int shift : {16, 8, 0}) {
                    const __m128i sh = _mm_cvtsi32_si128(shift);
                    auto ch = [&](__m128i p) { return _mm_and_si128(_mm_srl_epi32(p, sh), ff); };
                    const __m128i top = lerp4(ch(p00), ch(p01), t), bottom = lerp4(ch(p10), ch(p11), t);
                    result = _mm_or_si128(result, _mm_sll_epi32(lerp4(top, bottom, vdy), sh));
                }
                _mm_storeu_si128(reinterpret_cast<__m128i*>(o + i), result);
            }
#endif
            for (; i < dw; ++i) {
                const float dx = colT[i];
                const uint32_t p00 = row0[col0[i]], p01 = row0[col1[i]], p10 = row1[col0[i]], p11 = row1[col1[i]];
                auto channel = [&](int shift) {
                    const int top = lerp((p00 >> shift) & 0xFF, (p01 >> shift) & 0xFF, dx) & 0xFF;
                    const int bottom = lerp((p10 >> shift) & 0xFF, (p11 >> shift) & 0xFF, dx) & 0xFF;
                    return static_cast<uint32_t>(lerp(top, bottom, dy) & 0xFF);
                };
                o[i] = (channel(16) << 16) | (channel(8) << 8) | channel(0);
            }
            fy += hp.incY;
            continue;
        }
        for (int i = 0; i < dw; ++i) {
            const float dx = colT[i];
            const Rgb c00 = rgbOf(row0[col0[i]]), c01 = rgbOf(row0[col1[i]]);
            const Rgb c10 = rgbOf(row1[col0[i]]), c11 = rgbOf(row1[col1[i]]);
            const int red = lerp(lerp(c00.r, c01.r, dx) & 0xFF, lerp(c10.r, c11.r, dx) & 0xFF, dy) & 0xFF;
            const int green = lerp(lerp(c00.g, c01.g, dx) & 0xFF, lerp(c10.g, c11.g, dx) & 0xFF, dy) & 0xFF;
            const int blue = lerp(lerp(c00.b, c01.b, dx) & 0xFF, lerp(c10.b, c11.b, dx) & 0xFF, dy) & 0xFF;
            o[i] = direct ? static_cast<uint32_t>((red << 16) | (green << 8) | blue) : colorToPixel(ds, RGB(red, green, blue));
        }
        fy += hp.incY;
    }
}

}  // namespace hmigfx::win32
