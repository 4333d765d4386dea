// The image-processing library: curves applied to each colour component —
// contrast, intensity, gamma, posterising, inverting, stretching and
// remapping — and the statistics of the levels. Plain pixel work, shared by
// both back ends.
#include "backend_p.h"
#include "curves_p.h"
#include "pixel_values_p.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <vector>

namespace imagesdk::detail {

namespace {

Curve identity() {
    return curveOf([](int v) { return double(v); });
}

Curve contrastAbout(double pivot, int change) {
    // Up to 1000 steepens the curve without bound (1000: a threshold), down to -1000 flattens it.
    const double f = change >= 0 ? 1000.0 / std::max(1000 - change, 1) : (1000.0 + change) / 1000.0;
    return curveOf([&](int v) { return (v - pivot) * f + pivot; });
}

// Calls f with the grey levels or blue-green-red samples (and their count)
// of every stored row.
template <class F>
void forEachSampleRow(const struct_LEAD_Bitmap& b, F f) {
    const bool gray = isGrayPicture(b);
    std::vector<unsigned char> bgr(gray ? 0 : size_t(b.Width) * 3);
    for (int y = 0; y < b.Height; ++y) {
        if (gray) {
            f(storedRow(b, y), b.Width);
        } else {
            rowToBgr(b, storedRow(b, y), bgr.data());
            f(bgr.data(), b.Width * 3);
        }
    }
}

// Calls f with the grey level of every pixel.
template <class F>
void forEachGrayLevel(const struct_LEAD_Bitmap& b, F f) {
    const bool gray = isGrayPicture(b);
    forEachSampleRow(b, [&](const unsigned char* p, int n) {
        if (gray) {
            for (int i = 0; i < n; ++i) f(p[i]);
        } else {
            for (int i = 0; i < n; i += 3) f(grayLevel(p[i], p[i + 1], p[i + 2]));
        }
    });
}

// Mean intensity of the picture.
double meanIntensity(const struct_LEAD_Bitmap& b) {
    double sum[3] = {0, 0, 0};
    const bool gray = isGrayPicture(b);
    forEachSampleRow(b, [&](const unsigned char* p, int n) {
        for (int i = 0; i < n; ++i) sum[gray ? 0 : i % 3] += p[i];
    });
    const double scale = 1.0 / (double(b.Width) * b.Height);  // as image libraries average
    if (gray) return sum[0] * scale;
    return intensity(int(sum[2] * scale), int(sum[1] * scale), int(sum[0] * scale));
}

}  // namespace

int applyCurves(struct_LEAD_Bitmap& b, const uint8_t* blue, const uint8_t* green, const uint8_t* red) {
    if (!allocated(&b)) return IMGSDK_ERROR_NO_BITMAP;
    if (isGrayPicture(b)) {
        for (int y = 0; y < b.Height; ++y)
            for (unsigned char *p = storedRow(b, y), *e = p + b.Width; p != e; ++p) *p = green[*p];
    } else if (b.BitsPerPixel <= 8) {
        for (int i = 0; i < b.nColors; ++i) {
            RGBQUAD& q = b.pPalette[i];
            q = RGBQUAD{blue[q.rgbBlue], green[q.rgbGreen], red[q.rgbRed], 0};
        }
    } else if (b.BitsPerPixel == 16) {
        std::vector<unsigned char> bgr(size_t(b.Width) * 3);
        for (int y = 0; y < b.Height; ++y) {
            rowToBgr(b, storedRow(b, y), bgr.data());
            for (size_t i = 0; i < bgr.size(); i += 3)
                bgr[i] = blue[bgr[i]], bgr[i + 1] = green[bgr[i + 1]], bgr[i + 2] = red[bgr[i + 2]];
            rowFromBgr(b, storedRow(b, y), bgr.data(), nullptr);
        }
    } else {
        const int step = b.BitsPerPixel / 8;
        const uint8_t* first = colorOrderRgb(b) ? red : blue;
        const uint8_t* third = colorOrderRgb(b) ? blue : red;
        for (int y = 0; y < b.Height; ++y) {
            unsigned char* p = storedRow(b, y);
            for (int x = 0; x < b.Width; ++x, p += step) p[0] = first[p[0]], p[1] = green[p[1]], p[2] = third[p[2]];
        }
    }
    return IMGSDK_SUCCESS;
}

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
    // The lowest and highest colour component; alpha does not count.
    int lo = 255, hi = 0;
    forEachSampleRow(*b, [&](const unsigned char* p, int n) {
        for (int i = 0; i < n; ++i) lo = std::min<int>(lo, p[i]), hi = std::max<int>(hi, p[i]);
    });
    if (hi <= lo) return IMGSDK_SUCCESS;
    return applyCurve(*b, curveOf([&](int v) { return (v - lo) * 255.0 / (hi - lo); }).data());
}

int getHistogram(struct_LEAD_Bitmap* b, unsigned long* histogram, unsigned channel) {
    if (!b || !histogram || channel > CHANNEL_BLUE) return IMGSDK_ERROR_INV_PARAMETER;
    if (!allocated(b)) return IMGSDK_ERROR_NO_BITMAP;
    std::fill(histogram, histogram + 256, 0ul);
    const bool gray = isGrayPicture(*b);
    const int pick = channel == CHANNEL_BLUE ? 0 : channel == CHANNEL_GREEN ? 1 : 2;
    forEachSampleRow(*b, [&](const unsigned char* p, int n) {
        for (int i = 0; i < n; i += gray ? 1 : 3)
            ++histogram[gray ? p[i] : channel == CHANNEL_MASTER ? intensity(p[i + 2], p[i + 1], p[i]) : p[i + pick]];
    });
    return IMGSDK_SUCCESS;
}

int getMinMaxVal(struct_LEAD_Bitmap* b, int* minimum, int* maximum) {
    if (!b || !minimum || !maximum) return IMGSDK_ERROR_INV_PARAMETER;
    if (!allocated(b)) return IMGSDK_ERROR_NO_BITMAP;
    int lo = 255, hi = 0;
    forEachGrayLevel(*b, [&](int v) { lo = std::min(lo, v), hi = std::max(hi, v); });
    *minimum = lo;
    *maximum = hi;
    return IMGSDK_SUCCESS;
}

int getMinMaxBits(struct_LEAD_Bitmap* b, int* low, int* high) {
    if (!b || !low || !high) return IMGSDK_ERROR_INV_PARAMETER;
    if (!allocated(b)) return IMGSDK_ERROR_NO_BITMAP;
    unsigned used = 0;
    forEachGrayLevel(*b, [&](int v) { used |= unsigned(v); });
    *low = used ? std::countr_zero(used) : 0;
    *high = used ? 31 - std::countl_zero(used) : 0;
    return IMGSDK_SUCCESS;
}

}  // namespace imagesdk::detail
