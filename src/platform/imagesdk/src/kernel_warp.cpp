// The kernel library: rotating by any angle, shearing and resampling, by
// OpenCV's geometric transforms on the stored rows.
#include "backend_p.h"
#include "pixels_p.h"

#include <opencv2/imgproc.hpp>

#include <cmath>

namespace imagesdk::detail {

namespace {

int interpolation(bool indexed, int wanted) { return indexed ? cv::INTER_NEAREST : wanted; }

// A size that an angle's sine or cosine rounding must not enlarge by a pixel.
int extent(double v) { return std::max(1, static_cast<int>(std::ceil(v - 1e-6))); }

}  // namespace

int rotateFree(struct_LEAD_Bitmap* b, long angle, int resize, unsigned long fill) {
    const int w = b->Width, h = b->Height;
    const bool quarter = angle % 9000 == 0;
    const double rad = angle / 100.0 * CV_PI / 180.0;
    double c = std::cos(rad), s = std::sin(rad);
    if (quarter) {
        c = std::round(c);
        s = std::round(s);
    }
    const int nw = resize ? extent(std::abs(w * c) + std::abs(h * s)) : w;
    const int nh = resize ? extent(std::abs(w * s) + std::abs(h * c)) : h;
    // Clockwise on the screen (rows run downwards), about the pixel centres.
    const double cx = (w - 1) / 2.0, cy = (h - 1) / 2.0, ncx = (nw - 1) / 2.0, ncy = (nh - 1) / 2.0;
    const cv::Matx23d viewed(c, -s, ncx - c * cx + s * cy, s, c, ncy - s * cx - c * cy);
    const cv::Matx23d m = storedAffine(viewed, *b, h, nh);
    const cv::Scalar border = borderFor(*b, static_cast<COLORREF>(fill));
    return applyTransform(*b, nw, nh, [&](const cv::Mat& src, cv::Mat& dst, bool indexed) {
        cv::warpAffine(src, dst, m, dst.size(), interpolation(indexed || quarter, cv::INTER_LINEAR),
                       cv::BORDER_CONSTANT, border);
    });
}

int shear(struct_LEAD_Bitmap* b, int angle, int horizontal, unsigned long fill) {
    if (!b || angle < -4500 || angle > 4500) return IMGSDK_ERROR_INV_PARAMETER;
    if (!allocated(b)) return IMGSDK_ERROR_NO_BITMAP;
    if (angle == 0) return IMGSDK_SUCCESS;
    const double t = std::tan(angle / 100.0 * CV_PI / 180.0);
    const int w = b->Width, h = b->Height;
    // Positive angles move the bottom row right (horizontal) or the right column down.
    const int grow = extent(std::abs(t) * ((horizontal ? h : w) - 1) + 1) - 1;
    const int nw = horizontal ? w + grow : w, nh = horizontal ? h : h + grow;
    const double offset = t < 0 ? grow : 0;
    const cv::Matx23d viewed = horizontal ? cv::Matx23d(1, t, offset, 0, 1, 0) : cv::Matx23d(1, 0, 0, t, 1, offset);
    const cv::Matx23d m = storedAffine(viewed, *b, h, nh);
    const cv::Scalar border = borderFor(*b, static_cast<COLORREF>(fill));
    return applyTransform(*b, nw, nh, [&](const cv::Mat& src, cv::Mat& dst, bool indexed) {
        cv::warpAffine(src, dst, m, dst.size(), interpolation(indexed, cv::INTER_LINEAR), cv::BORDER_CONSTANT, border);
    });
}

int resample(struct_LEAD_Bitmap* b, int width, int height, unsigned long flags) {
    const int wanted = (flags & SIZE_BICUBIC) ? cv::INTER_CUBIC : cv::INTER_LINEAR;
    return applyTransform(*b, width, height, [wanted](const cv::Mat& src, cv::Mat& dst, bool) {
        cv::resize(src, dst, dst.size(), 0, 0, wanted);
    });
}

}  // namespace imagesdk::detail
