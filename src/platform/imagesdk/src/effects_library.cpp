// The effects library: painting a picture with a transition. The destination
// is cut into pieces revealed in the effect's order; every pixel belongs to
// exactly one piece and is painted once, with the same mapping as a plain
// paint, so the last frame equals PaintDC whatever the raster operation.
#include "backend_p.h"
#include "display_p.h"
#include "pixel_values_p.h"

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

namespace imagesdk::detail {

namespace {

using Piece = std::vector<RECT>;

RECT box(long l, long t, long r, long b) { return RECT{LONG(l), LONG(t), LONG(r), LONG(b)}; }

std::vector<Piece> pieces(unsigned effect, const RECT& d, int grain, int slats) {
    std::vector<Piece> out;
    const long w = d.right - d.left, h = d.bottom - d.top;
    switch (effect) {
    case EFX_EFFECT_WIPE_RIGHT:
    case EFX_EFFECT_WIPE_LEFT:
        for (long x = 0; x < w; x += grain) out.push_back({box(d.left + x, d.top, d.left + std::min(w, x + grain), d.bottom)});
        if (effect == EFX_EFFECT_WIPE_LEFT) std::reverse(out.begin(), out.end());
        break;
    case EFX_EFFECT_WIPE_DOWN:
    case EFX_EFFECT_WIPE_UP:
        for (long y = 0; y < h; y += grain) out.push_back({box(d.left, d.top + y, d.right, d.top + std::min(h, y + grain))});
        if (effect == EFX_EFFECT_WIPE_UP) std::reverse(out.begin(), out.end());
        break;
    case EFX_EFFECT_BLINDS_H:
    case EFX_EFFECT_BLINDS_V: {
        const bool horizontal = effect == EFX_EFFECT_BLINDS_H;
        const long extent = horizontal ? h : w;
        const long slat = std::max<long>(1, (extent + slats - 1) / slats);
        for (long step = 0; step < slat; step += grain) {
            Piece p;
            for (long s = 0; s < extent; s += slat) {
                const long a = s + step, z = std::min({s + step + grain, s + slat, extent});
                if (a >= z) continue;
                p.push_back(horizontal ? box(d.left, d.top + a, d.right, d.top + z) : box(d.left + a, d.top, d.left + z, d.bottom));
            }
            out.push_back(p);
        }
        break;
    }
    case EFX_EFFECT_BOX_IN:
    case EFX_EFFECT_BOX_OUT:
        for (long k = 0; 2 * k < std::min(w, h); k += grain) {
            const RECT outer = box(d.left + k, d.top + k, d.right - k, d.bottom - k);
            const long g = std::min<long>(grain, (std::min(outer.right - outer.left, outer.bottom - outer.top) + 1) / 2);
            const RECT inner = box(outer.left + g, outer.top + g, outer.right - g, outer.bottom - g);
            Piece ring = {box(outer.left, outer.top, outer.right, inner.top), box(outer.left, inner.bottom, outer.right, outer.bottom)};
            if (inner.top < inner.bottom) {
                ring.push_back(box(outer.left, inner.top, inner.left, inner.bottom));
                ring.push_back(box(inner.right, inner.top, outer.right, inner.bottom));
            }
            out.push_back(ring);
        }
        if (effect == EFX_EFFECT_BOX_OUT) std::reverse(out.begin(), out.end());
        break;
    case EFX_EFFECT_DISSOLVE:
    case EFX_EFFECT_CHECKERBOARD: {
        std::vector<Piece> blocks[2];
        for (long y = 0, j = 0; y < h; y += grain, ++j)
            for (long x = 0, i = 0; x < w; x += grain, ++i)
                blocks[effect == EFX_EFFECT_CHECKERBOARD ? (i + j) & 1 : 0].push_back(
                    {box(d.left + x, d.top + y, d.left + std::min(w, x + grain), d.top + std::min(h, y + grain))});
        if (effect == EFX_EFFECT_DISSOLVE) std::shuffle(blocks[0].begin(), blocks[0].end(), std::mt19937(12345));
        out = blocks[0];
        out.insert(out.end(), blocks[1].begin(), blocks[1].end());
        break;
    }
    default: out.push_back({d}); break;
    }
    return out;
}

// Paints with transparent pixels left out: a mask keeps the destination where
// the picture has the transparent colour, the picture (black there) fills the rest.
int paintTransparent(HDC dc, const struct_LEAD_Bitmap& b, const PaintRects& r, COLORREF key, const Piece* only) {
    struct_LEAD_Bitmap mask, shown;
    int rc = createPicture(mask, b.Width, b.Height, 1, ORDER_BGR);
    if (rc != IMGSDK_SUCCESS) return rc;
    fillFixedTable(mask.pPalette, 1);
    rc = createLike(b, b.Width, b.Height, shown);
    if (rc != IMGSDK_SUCCESS) {
        releasePicture(mask);
        return rc;
    }
    std::copy(b.pBits, b.pBits + b.DataSize, shown.pBits);
    const uint32_t black = rawFor(shown, RGB(0, 0, 0));
    for (int y = 0; y < b.Height; ++y) {
        const unsigned char* in = rowFromTop(b, y);
        unsigned char* m = rowFromTop(mask, y);
        for (int x = 0; x < b.Width; ++x)
            if (colorAt(b, in, x) == key) {
                m[x >> 3] |= static_cast<unsigned char>(0x80 >> (x & 7));
                putRaw(shown, rowFromTop(shown, y), x, black);
            }
    }
    rc = paintPicture(dc, mask, r, SRCAND, only);
    if (rc == IMGSDK_SUCCESS) rc = paintPicture(dc, shown, r, SRCPAINT, only);
    releasePicture(mask);
    releasePicture(shown);
    return rc;
}

}  // namespace

int efxPaintBitmap(HDC dc, struct_LEAD_Bitmap* b, RECT* src, RECT* clipSrc, RECT* dst, RECT* clipDst, unsigned effect,
                   unsigned grain, unsigned delay, unsigned speed, unsigned cycles, int pass, unsigned long maxPass,
                   unsigned transparent, unsigned long transparentColor, unsigned long rop) {
    if (!b || !isDC(dc) || effect > EFX_EFFECT_MAX || grain > 4096 || cycles > 4096 || delay > 10000)
        return IMGSDK_ERROR_INV_PARAMETER;
    if (!allocated(b)) return IMGSDK_ERROR_NO_BITMAP;
    const PaintRects r = paintRects(*b, src, clipSrc, dst, clipDst);
    if (r.empty) return IMGSDK_SUCCESS;
    const COLORREF key = static_cast<COLORREF>(transparentColor & 0xFFFFFF);
    auto paint = [&](const Piece* only) {
        return transparent ? paintTransparent(dc, *b, r, key, only) : paintPicture(dc, *b, r, DWORD(rop), only);
    };
    // Earlier passes of a progressive picture paint plainly; the effect plays on the last.
    if (effect == EFX_EFFECT_NONE || (maxPass > 0 && pass >= 0 && static_cast<unsigned long>(pass) < maxPass))
        return paint(nullptr);
    RECT d = r.dst;
    if (d.left > d.right) std::swap(d.left, d.right);
    if (d.top > d.bottom) std::swap(d.top, d.bottom);
    const std::vector<Piece> all = pieces(effect, d, grain ? int(grain) : 8, cycles ? int(cycles) : 8);
    const size_t perFrame = speed ? speed : 1;
    for (size_t i = 0; i < all.size(); i += perFrame) {
        Piece frame;
        for (size_t k = i; k < std::min(all.size(), i + perFrame); ++k) frame.insert(frame.end(), all[k].begin(), all[k].end());
        const int rc = paint(&frame);
        if (rc != IMGSDK_SUCCESS) return rc;
        GdiFlush();
        if (delay && i + perFrame < all.size()) Sleep(delay);
    }
    return IMGSDK_SUCCESS;
}

int paintDCEffect(HDC dc, struct_LEAD_Bitmap* b, RECT* src, RECT* clipSrc, RECT* dst, RECT* clipDst,
                  unsigned long rop, unsigned effect) {
    return efxPaintBitmap(dc, b, src, clipSrc, dst, clipDst, effect, 8, 0, 1, 8, 1, 1, 0, 0, rop);
}

}  // namespace imagesdk::detail
