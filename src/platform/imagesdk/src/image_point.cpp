// The image-processing library: operations on each pixel's colour alone —
// curves for contrast, intensity, gamma, posterising and remapping, and
// colour functions for hue, saturation and intensity detection.
#include "backend_p.h"
#include "pixels_p.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <array>
#include <cmath>

namespace imagesdk::detail {

namespace {

using Curve = std::array<uint8_t, 256>;

template <class F>
Curve curveOf(F f) {
    Curve c{};
    for (int i = 0; i < 256; ++i) c[size_t(i)] = static_cast<uint8_t>(std::clamp(static_cast<int>(std::lround(f(i))), 0, 255));
    return c;
}

Curve identity() {
    return curveOf([](int v) { return double(v); });
}

bool inRange(int v, int lo, int hi) { return v >= lo && v <= hi; }

Curve contrastAbout(double pivot, int change) {
    // Up to 1000 steepens the curve without bound (1000: a threshold), down to -1000 flattens it.
    const double f = change >= 0 ? 1000.0 / std::max(1000 - change, 1) : (1000.0 + change) / 1000.0;
    return curveOf([&](int v) { return (v - pivot) * f + pivot; });
}

// Mean intensity of the picture.
double meanIntensity(const struct_LEAD_Bitmap& b) {
    const Samples s = samplesOf(b);
    const cv::Scalar m = cv::mean(s.m);
    if (s.m.channels() == 1) return m[0];
    return intensity(int(m[2]), int(m[1]), int(m[0]));
}

}  // namespace

int changeContrast(struct_LEAD_Bitmap* b, int change) {
    if (!b || !inRange(change, -1000, 1000)) return IMGSDK_ERROR_INV_PARAMETER;
    return applyCurve(*b, contrastAbout(127.5, change).data());
}

int histoContrast(struct_LEAD_Bitmap* b, int change) {
    if (!b || !inRange(change, -1000, 1000)) return IMGSDK_ERROR_INV_PARAMETER;
    if (!allocated(b)) return IMGSDK_ERROR_NO_BITMAP;
    return applyCurve(*b, contrastAbout(meanIntensity(*b), change).data());
}

int changeIntensity(struct_LEAD_Bitmap* b, int change) {
    if (!b || !inRange(change, -1000, 1000)) return IMGSDK_ERROR_INV_PARAMETER;
    return applyCurve(*b, curveOf([&](int v) { return v + change * 255.0 / 1000.0; }).data());
}

int gammaCorrect(struct_LEAD_Bitmap* b, unsigned gamma) {
    if (!b || gamma < 1 || gamma > 500) return IMGSDK_ERROR_INV_PARAMETER;
    const double e = 100.0 / gamma;
    return applyCurve(*b, curveOf([&](int v) { return 255.0 * std::pow(v / 255.0, e); }).data());
}

int invert(struct_LEAD_Bitmap* b) {
    if (!b) return IMGSDK_ERROR_INV_PARAMETER;
    return applyCurve(*b, curveOf([](int v) { return 255.0 - v; }).data());
}

int posterize(struct_LEAD_Bitmap* b, unsigned levels) {
    if (!b || levels < 2 || levels > 64) return IMGSDK_ERROR_INV_PARAMETER;
    const double step = 255.0 / (levels - 1);
    return applyCurve(*b, curveOf([&](int v) { return std::round(v / step) * step; }).data());
}

int remapIntensity(struct_LEAD_Bitmap* b, unsigned char* lut, unsigned channel) {
    if (!b || !lut || channel > CHANNEL_BLUE) return IMGSDK_ERROR_INV_PARAMETER;
    const Curve same = identity();
    const uint8_t* blue = channel == CHANNEL_MASTER || channel == CHANNEL_BLUE ? lut : same.data();
    const uint8_t* green = channel == CHANNEL_MASTER || channel == CHANNEL_GREEN ? lut : same.data();
    const uint8_t* red = channel == CHANNEL_MASTER || channel == CHANNEL_RED ? lut : same.data();
    return applyCurves(*b, blue, green, red);
}

int stretchIntensity(struct_LEAD_Bitmap* b) {
    if (!b) return IMGSDK_ERROR_INV_PARAMETER;
    if (!allocated(b)) return IMGSDK_ERROR_NO_BITMAP;
    const Samples s = samplesOf(*b);
    double lo = 0, hi = 0;
    cv::minMaxLoc(s.m.reshape(1), &lo, &hi);
    if (s.m.channels() == 4) {  // the alpha channel does not count
        cv::Mat bgr;
        cv::cvtColor(s.m, bgr, cv::COLOR_BGRA2BGR);
        cv::minMaxLoc(bgr.reshape(1), &lo, &hi);
    }
    if (hi <= lo) return IMGSDK_SUCCESS;
    return applyCurve(*b, curveOf([&](int v) { return (v - lo) * 255.0 / (hi - lo); }).data());
}

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
