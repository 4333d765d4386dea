// The kernel library: combining a rectangle of one picture into another,
// component by component (grey, blue-green-red or with alpha, as the
// destination holds them), with saturating arithmetic.
#include "backend_p.h"
#include "pixel_values_p.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <vector>

namespace imagesdk::detail {

namespace {

// The components of a stored row: 1 (grey), 3 (BGR) or 4 (BGRA) a pixel.
void readRow(const struct_LEAD_Bitmap& b, int stored, int channels, unsigned char* out,
             std::vector<unsigned char>& bgr) {
    const unsigned char* row = storedRow(b, stored);
    rowToBgr(b, row, bgr.data());
    for (int x = 0; x < b.Width; ++x, out += channels) {
        const unsigned char* p = &bgr[3 * size_t(x)];
        if (channels == 1) {
            out[0] = isGrayPicture(b) ? row[x] : grayLevel(p[0], p[1], p[2]);
            continue;
        }
        out[0] = p[0], out[1] = p[1], out[2] = p[2];
        if (channels == 4) out[3] = b.BitsPerPixel == 32 ? row[4 * x + 3] : 0xFF;
    }
}

void writeRow(const struct_LEAD_Bitmap& b, int stored, int channels, const unsigned char* in,
              std::vector<unsigned char>& bgr, NearestIndex* nearest) {
    unsigned char* row = storedRow(b, stored);
    if (channels == 1) {
        std::copy(in, in + b.Width, row);
        return;
    }
    for (size_t x = 0; x < size_t(b.Width); ++x) std::copy(in + channels * x, in + channels * x + 3, &bgr[3 * x]);
    rowFromBgr(b, row, bgr.data(), nearest);
    for (int x = 0; channels == 4 && x < b.Width; ++x) row[4 * x + 3] = in[4 * x + 3];
}

uint8_t apply(int op, int a, int s) {
    switch (op) {
    case CB_OP_COPY: return uint8_t(s);
    case CB_OP_AND: return uint8_t(a & s);
    case CB_OP_OR: return uint8_t(a | s);
    case CB_OP_XOR: return uint8_t(a ^ s);
    case CB_OP_ADD: return uint8_t(std::min(a + s, 255));
    case CB_OP_SUBSRC: return uint8_t(std::max(a - s, 0));
    case CB_OP_SUBDST: return uint8_t(std::max(s - a, 0));
    case CB_OP_MULTIPLY: return multiplyLevels(a, s);
    case CB_OP_AVERAGE: return uint8_t(std::lrint((a + s) * 0.5));  // halves go to the even level
    case CB_OP_ABSDIFF: return uint8_t(std::abs(a - s));
    case CB_OP_DARKER: return uint8_t(std::min(a, s));
    case CB_OP_LIGHTER: return uint8_t(std::max(a, s));
    default: return uint8_t(a);
    }
}

}  // namespace

int combine(struct_LEAD_Bitmap* dst, int col, int row, int w, int h, struct_LEAD_Bitmap* src, int srcCol, int srcRow,
            unsigned long flags) {
    if (!dst || !src || w <= 0 || h <= 0) return IMGSDK_ERROR_INV_PARAMETER;
    const int op = static_cast<int>(flags & 0xFF);
    if (op > CB_OP_LIGHTER || (flags & ~0x7FFul)) return IMGSDK_ERROR_INV_PARAMETER;
    if (!allocated(dst) || !allocated(src)) return IMGSDK_ERROR_NO_BITMAP;
    // Clip the rectangle to both pictures.
    const int dx0 = std::max({col, 0, col - srcCol}), dy0 = std::max({row, 0, row - srcRow});
    const int dx1 = std::min({col + w, dst->Width, col - srcCol + src->Width});
    const int dy1 = std::min({row + h, dst->Height, row - srcRow + src->Height});
    if (dx1 <= dx0 || dy1 <= dy0) return IMGSDK_SUCCESS;
    const int sx0 = srcCol + (dx0 - col), sy0 = srcRow + (dy0 - row);
    const int channels = isGrayPicture(*dst) ? 1 : dst->BitsPerPixel == 32 ? 4 : 3;
    auto stored = [](const struct_LEAD_Bitmap& b, int y) { return b.ViewPerspective == TOP_LEFT ? y : b.Height - 1 - y; };
    try {
        std::vector<unsigned char> d(size_t(dst->Width) * size_t(channels)), s(size_t(src->Width) * size_t(channels));
        std::vector<unsigned char> bgr(size_t(std::max(dst->Width, src->Width)) * 3);
        NearestIndex nearest(dst->pPalette, dst->nColors);
        for (int y = dy0; y < dy1; ++y) {
            readRow(*dst, stored(*dst, y), channels, d.data(), bgr);
            readRow(*src, stored(*src, sy0 + y - dy0), channels, s.data(), bgr);
            for (int i = dx0 * channels, j = sx0 * channels; i < dx1 * channels; ++i, ++j) {
                const int a = (flags & CB_DST_NOT) ? 255 - d[size_t(i)] : d[size_t(i)];
                const int b = (flags & CB_SRC_NOT) ? 255 - s[size_t(j)] : s[size_t(j)];
                const uint8_t r = apply(op, a, b);
                d[size_t(i)] = (flags & CB_RES_NOT) ? uint8_t(255 - r) : r;
            }
            writeRow(*dst, stored(*dst, y), channels, d.data(), bgr, &nearest);
        }
    } catch (const std::bad_alloc&) {
        return IMGSDK_ERROR_NO_MEMORY;
    }
    return IMGSDK_SUCCESS;
}

}  // namespace imagesdk::detail
