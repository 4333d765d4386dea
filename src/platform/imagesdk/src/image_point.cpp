// The image-processing library: colour functions for hue, saturation and
// intensity detection, through OpenCV's colour spaces.
#include "backend_p.h"
#include "curves_p.h"
#include "pixels_p.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <array>
#include <cmath>

namespace imagesdk::detail {

int changeHue(struct_LEAD_Bitmap* b, int angle) {
    if (!b || !inRange(angle, -360, 360)) return IMGSDK_ERROR_INV_PARAMETER;
    const int shift = ((angle % 360 + 360) % 360) * 256 / 360;
    return applyColorFunction(*b, [shift](cv::Mat& bgr) {
        cv::Mat hsv;
        cv::cvtColor(bgr, hsv, cv::COLOR_BGR2HSV_FULL);
        for (int y = 0; y < hsv.rows; ++y)
            for (cv::Vec3b *p = hsv.ptr<cv::Vec3b>(y), *e = p + hsv.cols; p != e; ++p)
                (*p)[0] = static_cast<uint8_t>(((*p)[0] + shift) & 0xFF);
        cv::cvtColor(hsv, bgr, cv::COLOR_HSV2BGR_FULL);
    });
}

int changeSaturation(struct_LEAD_Bitmap* b, int change) {
    if (!b || !inRange(change, -1000, 1000)) return IMGSDK_ERROR_INV_PARAMETER;
    const Curve scale = curveOf([&](int v) { return v * (1000.0 + change) / 1000.0; });
    return applyColorFunction(*b, [&](cv::Mat& bgr) {
        cv::Mat hls;
        cv::cvtColor(bgr, hls, cv::COLOR_BGR2HLS_FULL);
        for (int y = 0; y < hls.rows; ++y)
            for (cv::Vec3b *p = hls.ptr<cv::Vec3b>(y), *e = p + hls.cols; p != e; ++p) (*p)[2] = scale[(*p)[2]];
        cv::cvtColor(hls, bgr, cv::COLOR_HLS2BGR_FULL);
    });
}

int intensityDetect(struct_LEAD_Bitmap* b, unsigned low, unsigned high) {
    if (!b || high > 255 || low > high) return IMGSDK_ERROR_INV_PARAMETER;
    return applyColorFunction(*b, [&](cv::Mat& bgr) {
        for (int y = 0; y < bgr.rows; ++y)
            for (cv::Vec3b *p = bgr.ptr<cv::Vec3b>(y), *e = p + bgr.cols; p != e; ++p) {
                const unsigned v = unsigned(intensity((*p)[2], (*p)[1], (*p)[0]));
                const uint8_t out = v >= low && v <= high ? 255 : 0;
                *p = cv::Vec3b(out, out, out);
            }
    });
}

}  // namespace imagesdk::detail
