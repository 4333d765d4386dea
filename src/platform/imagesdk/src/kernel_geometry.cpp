// The kernel library: flipping, reversing, quarter turns, resizing to the
// nearest pixel and into another record; other angles and blending the
// pixels are the back end's.
#include "backend_p.h"
#include "pixel_values_p.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace imagesdk::detail {

namespace {

// Replaces the picture with one of outW x outH whose viewed pixel (x, y) is
// the old one's viewed pixel from(x, y); stored pixels when `stored`.
template <class From>
int remap(struct_LEAD_Bitmap& b, int outW, int outH, From from, bool stored = false) {
    struct_LEAD_Bitmap fresh;
    const int bpp = b.BitsPerPixel;
    const int rc = createLike(b, outW, outH, fresh, bpp < 8);
    if (rc != IMGSDK_SUCCESS) return rc;
    const bool bottomUp = !stored && b.ViewPerspective != TOP_LEFT;
    const size_t step = size_t(bpp / 8);
    for (int y = 0; y < outH; ++y) {
        unsigned char* out = storedRow(fresh, bottomUp ? outH - 1 - y : y);
        for (int x = 0; x < outW; ++x) {
            int sx = 0, sy = 0;
            from(x, y, sx, sy);
            const unsigned char* in = storedRow(b, bottomUp ? b.Height - 1 - sy : sy);
            if (step) std::memcpy(out + step * size_t(x), in + step * size_t(sx), step);
            else putIndex(out, x, bpp, indexAt(in, sx, bpp));
        }
    }
    replacePicture(b, fresh);
    return IMGSDK_SUCCESS;
}

}  // namespace

int flip(struct_LEAD_Bitmap* b) {
    if (!b) return IMGSDK_ERROR_INV_PARAMETER;
    if (!allocated(b)) return IMGSDK_ERROR_NO_BITMAP;
    const size_t stride = size_t(b->BytesPerLine);
    std::vector<unsigned char> tmp(stride);
    for (int y = 0, z = b->Height - 1; y < z; ++y, --z) {
        unsigned char* r1 = b->pBits + stride * size_t(y);
        unsigned char* r2 = b->pBits + stride * size_t(z);
        std::memcpy(tmp.data(), r1, stride);
        std::memcpy(r1, r2, stride);
        std::memcpy(r2, tmp.data(), stride);
    }
    return IMGSDK_SUCCESS;
}

int reverse(struct_LEAD_Bitmap* b) {
    if (!b) return IMGSDK_ERROR_INV_PARAMETER;
    if (!allocated(b)) return IMGSDK_ERROR_NO_BITMAP;
    const int w = b->Width;
    return remap(*b, w, b->Height, [w](int x, int y, int& sx, int& sy) { sx = w - 1 - x, sy = y; });
}

int rotate(struct_LEAD_Bitmap* b, long angle, int resize, unsigned long fill) {
    if (!b || (resize != 0 && resize != 1)) return IMGSDK_ERROR_INV_PARAMETER;
    if (!allocated(b)) return IMGSDK_ERROR_NO_BITMAP;
    angle %= 36000;
    if (angle < 0) angle += 36000;
    if (angle == 0) return IMGSDK_SUCCESS;
    const int w = b->Width, h = b->Height;
    // Quarter turns that keep every pixel are exact copies, clockwise as shown.
    if (angle == 18000)
        return remap(*b, w, h, [w, h](int x, int y, int& sx, int& sy) { sx = w - 1 - x, sy = h - 1 - y; });
    if (angle % 9000 == 0 && (resize || w == h)) {
        if (angle == 9000) return remap(*b, h, w, [h](int x, int y, int& sx, int& sy) { sx = y, sy = h - 1 - x; });
        return remap(*b, h, w, [w](int x, int y, int& sx, int& sy) { sx = w - 1 - y, sy = x; });
    }
    return rotateFree(b, angle, resize, fill);
}

int size(struct_LEAD_Bitmap* b, int width, int height, unsigned long flags) {
    if (!b || width <= 0 || height <= 0) return IMGSDK_ERROR_INV_PARAMETER;
    if (flags & ~static_cast<unsigned long>(SIZE_RESAMPLE | SIZE_BICUBIC)) return IMGSDK_ERROR_INV_PARAMETER;
    if (!allocated(b)) return IMGSDK_ERROR_NO_BITMAP;
    if (width == b->Width && height == b->Height) return IMGSDK_SUCCESS;
    // Table indices are never blended: they take the nearest pixel, the first
    // of the stored rows' cell as image libraries pick it.
    const bool indexed = b->BitsPerPixel < 8 || (b->BitsPerPixel == 8 && !isGrayPicture(*b));
    if (indexed || !(flags & (SIZE_RESAMPLE | SIZE_BICUBIC))) {
        const double fx = 1.0 / (double(width) / b->Width), fy = 1.0 / (double(height) / b->Height);
        const int w = b->Width, h = b->Height;
        return remap(
            *b, width, height,
            [=](int x, int y, int& sx, int& sy) {
                sx = std::min(int(std::floor(x * fx)), w - 1);
                sy = std::min(int(std::floor(y * fy)), h - 1);
            },
            true);
    }
    return resample(b, width, height, flags);
}

int resize(struct_LEAD_Bitmap* src, struct_LEAD_Bitmap* dst) {
    if (!src || !dst) return IMGSDK_ERROR_INV_PARAMETER;
    if (!allocated(src)) return IMGSDK_ERROR_NO_BITMAP;
    const int w = dst->Width, h = dst->Height;
    if (w <= 0 || h <= 0) return IMGSDK_ERROR_INV_PARAMETER;
    if (dst == src || dst->pBits == src->pBits) return size(src, w, h, SIZE_RESAMPLE);
    struct_LEAD_Bitmap copyOf;
    int rc = createLike(*src, src->Width, src->Height, copyOf);
    if (rc != IMGSDK_SUCCESS) return rc;
    std::memcpy(copyOf.pBits, src->pBits, src->DataSize);
    rc = size(&copyOf, w, h, SIZE_RESAMPLE);
    if (rc != IMGSDK_SUCCESS) {
        releasePicture(copyOf);
        return rc;
    }
    replacePicture(*dst, copyOf);
    return IMGSDK_SUCCESS;
}

}  // namespace imagesdk::detail
