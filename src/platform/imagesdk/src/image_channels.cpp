// The image-processing library: colour planes, the histogram and the range
// of grey levels.
#include "backend_p.h"
#include "pixels_p.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>

namespace imagesdk::detail {

namespace {

int planeCount(unsigned long flags) { return flags == COLORSEP_CMYK ? 4 : 3; }

// A grey picture holding m, shown like `like`.
int grayPlane(const struct_LEAD_Bitmap& like, const cv::Mat& m, struct_LEAD_Bitmap& out) {
    const int rc = createDerived(like, 8, ORDER_GRAY, out);
    if (rc != IMGSDK_SUCCESS) return rc;
    m.copyTo(storedView(out));
    return IMGSDK_SUCCESS;
}

}  // namespace

int colorSeparate(struct_LEAD_Bitmap* b, struct_LEAD_Bitmap** planes, unsigned long flags) {
    if (!b || !planes || flags > COLORSEP_CMY) return IMGSDK_ERROR_INV_PARAMETER;
    const int n = planeCount(flags);
    for (int i = 0; i < n; ++i)
        if (!planes[i]) return IMGSDK_ERROR_INV_PARAMETER;
    if (!allocated(b)) return IMGSDK_ERROR_NO_BITMAP;
    try {
        cv::Mat bgr = samplesWith(*b, 3), parts[3];
        if (flags == COLORSEP_HSV) cv::cvtColor(bgr, bgr, cv::COLOR_BGR2HSV_FULL);
        if (flags == COLORSEP_HLS) cv::cvtColor(bgr, bgr, cv::COLOR_BGR2HLS_FULL);
        cv::split(bgr, parts);
        cv::Mat out[4];
        if (flags == COLORSEP_RGB) {
            out[0] = parts[2], out[1] = parts[1], out[2] = parts[0];
        } else if (flags == COLORSEP_HSV || flags == COLORSEP_HLS) {
            out[0] = parts[0], out[1] = parts[1], out[2] = parts[2];
        } else {
            cv::bitwise_not(parts[2], out[0]);
            cv::bitwise_not(parts[1], out[1]);
            cv::bitwise_not(parts[0], out[2]);
            if (flags == COLORSEP_CMYK) {  // the black all three share comes out of them
                cv::min(out[0], out[1], out[3]);
                cv::min(out[3], out[2], out[3]);
                for (int i = 0; i < 3; ++i) cv::subtract(out[i], out[3], out[i]);
            }
        }
        struct_LEAD_Bitmap made[4];
        for (int i = 0; i < n; ++i) {
            const int rc = grayPlane(*b, out[i], made[i]);
            if (rc != IMGSDK_SUCCESS) {
                for (int k = 0; k < i; ++k) releasePicture(made[k]);
                return rc;
            }
        }
        for (int i = 0; i < n; ++i) replacePicture(*planes[i], made[i]);
    } catch (const std::bad_alloc&) {
        return IMGSDK_ERROR_NO_MEMORY;
    }
    return IMGSDK_SUCCESS;
}

int colorMerge(struct_LEAD_Bitmap* b, struct_LEAD_Bitmap** planes, unsigned long flags) {
    if (!b || !planes || flags > COLORSEP_CMY) return IMGSDK_ERROR_INV_PARAMETER;
    const int n = planeCount(flags);
    for (int i = 0; i < n; ++i) {
        if (!planes[i]) return IMGSDK_ERROR_INV_PARAMETER;
        if (!allocated(planes[i])) return IMGSDK_ERROR_NO_BITMAP;
        if (planes[i]->Width != planes[0]->Width || planes[i]->Height != planes[0]->Height)
            return IMGSDK_ERROR_INV_PARAMETER;
    }
    try {
        cv::Mat in[4];
        for (int i = 0; i < n; ++i) {
            in[i] = samplesWith(*planes[i], 1);
            // Planes shown the other way up than the first are turned to match it.
            if ((planes[i]->ViewPerspective == TOP_LEFT) != (planes[0]->ViewPerspective == TOP_LEFT)) {
                cv::Mat f;
                cv::flip(in[i], f, 0);
                in[i] = f;
            }
        }
        cv::Mat parts[3], bgr;
        if (flags == COLORSEP_RGB) {
            parts[0] = in[2], parts[1] = in[1], parts[2] = in[0];
        } else if (flags == COLORSEP_HSV || flags == COLORSEP_HLS) {
            parts[0] = in[0], parts[1] = in[1], parts[2] = in[2];
        } else {
            for (int i = 0; i < 3; ++i) {
                cv::Mat c;
                if (flags == COLORSEP_CMYK) cv::add(in[i], in[3], c);
                else c = in[i];
                cv::bitwise_not(c, parts[2 - i]);
            }
        }
        cv::merge(parts, 3, bgr);
        if (flags == COLORSEP_HSV) cv::cvtColor(bgr, bgr, cv::COLOR_HSV2BGR_FULL);
        if (flags == COLORSEP_HLS) cv::cvtColor(bgr, bgr, cv::COLOR_HLS2BGR_FULL);
        struct_LEAD_Bitmap pic;
        const int rc = createDerived(*planes[0], 24, ORDER_BGR, pic);
        if (rc != IMGSDK_SUCCESS) return rc;
        bgr.copyTo(storedView(pic));
        replacePicture(*b, pic);
    } catch (const std::bad_alloc&) {
        return IMGSDK_ERROR_NO_MEMORY;
    }
    return IMGSDK_SUCCESS;
}

}  // namespace imagesdk::detail
