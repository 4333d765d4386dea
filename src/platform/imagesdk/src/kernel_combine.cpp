// The kernel library: combining a rectangle of one picture into another,
// component by component.
#include "backend_p.h"
#include "pixels_p.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>

namespace imagesdk::detail {

namespace {

// The stored rows of viewed rows [row, row + h).
cv::Rect storedRect(const struct_LEAD_Bitmap& b, int col, int row, int w, int h) {
    return cv::Rect(col, b.ViewPerspective == TOP_LEFT ? row : b.Height - row - h, w, h);
}

void combineInto(const cv::Mat& a, const cv::Mat& s, cv::Mat& out, int op) {
    switch (op) {
    case CB_OP_COPY: s.copyTo(out); break;
    case CB_OP_AND: cv::bitwise_and(a, s, out); break;
    case CB_OP_OR: cv::bitwise_or(a, s, out); break;
    case CB_OP_XOR: cv::bitwise_xor(a, s, out); break;
    case CB_OP_ADD: cv::add(a, s, out); break;
    case CB_OP_SUBSRC: cv::subtract(a, s, out); break;
    case CB_OP_SUBDST: cv::subtract(s, a, out); break;
    case CB_OP_MULTIPLY: cv::multiply(a, s, out, 1.0 / 255.0); break;
    case CB_OP_AVERAGE: cv::addWeighted(a, 0.5, s, 0.5, 0.0, out); break;
    case CB_OP_ABSDIFF: cv::absdiff(a, s, out); break;
    case CB_OP_DARKER: cv::min(a, s, out); break;
    case CB_OP_LIGHTER: cv::max(a, s, out); break;
    default: break;
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
    const int cw = dx1 - dx0, ch = dy1 - dy0;
    const int sx0 = srcCol + (dx0 - col), sy0 = srcRow + (dy0 - row);
    try {
        Samples d = samplesOf(*dst);
        const Samples s = samplesOf(*src);
        cv::Mat sroi = withChannels(s.m(storedRect(*src, sx0, sy0, cw, ch)), d.m.channels());
        if ((src->ViewPerspective == TOP_LEFT) != (dst->ViewPerspective == TOP_LEFT)) {
            cv::Mat flipped;
            cv::flip(sroi, flipped, 0);
            sroi = flipped;
        }
        cv::Mat droi = d.m(storedRect(*dst, dx0, dy0, cw, ch));
        cv::Mat a = droi;
        if (flags & CB_DST_NOT) cv::bitwise_not(droi, a);
        if (flags & CB_SRC_NOT) {
            cv::Mat inv;
            cv::bitwise_not(sroi, inv);
            sroi = inv;
        }
        cv::Mat result;
        combineInto(a, sroi, result, op);
        if (flags & CB_RES_NOT) cv::bitwise_not(result, result);
        result.copyTo(droi);
        if (!d.view) return replaceWithSamples(*dst, d.m);
    } catch (const std::bad_alloc&) {
        return IMGSDK_ERROR_NO_MEMORY;
    }
    return IMGSDK_SUCCESS;
}

}  // namespace imagesdk::detail
