// The image-processing library: straightening a scanned page. The skew is
// the angle at which the dark pixels, projected across it, stack into the
// sharpest rows (the lines of text or of a drawing).
#include "backend_p.h"
#include "pixels_p.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <vector>

namespace imagesdk::detail {

namespace {

constexpr size_t kMaxSamples = 200000;

struct Dark {
    float x, y;
};

// Dark pixels (Otsu's threshold) in shown coordinates, thinned to a bounded number.
std::vector<Dark> darkPixels(const struct_LEAD_Bitmap& b) {
    cv::Mat mask;
    cv::threshold(samplesWith(b, 1), mask, 0, 255, cv::THRESH_BINARY_INV | cv::THRESH_OTSU);
    const size_t count = size_t(cv::countNonZero(mask));
    const size_t step = count > kMaxSamples ? (count + kMaxSamples - 1) / kMaxSamples : 1;
    std::vector<Dark> out;
    out.reserve(count / step + 1);
    size_t n = 0;
    const bool bottomUp = b.ViewPerspective != TOP_LEFT;
    for (int y = 0; y < mask.rows; ++y) {
        const unsigned char* p = mask.ptr<unsigned char>(y);
        const float shownY = float(bottomUp ? mask.rows - 1 - y : y);
        for (int x = 0; x < mask.cols; ++x)
            if (p[x] && n++ % step == 0) out.push_back({float(x), shownY});
    }
    return out;
}

// How sharply the pixels stack into rows when seen turned back by `degrees`.
double sharpness(const std::vector<Dark>& px, double degrees, std::vector<int>& bins, float origin) {
    const double r = degrees * CV_PI / 180.0;
    const float s = float(std::sin(r)), c = float(std::cos(r));
    std::fill(bins.begin(), bins.end(), 0);
    for (const Dark& d : px) {
        const int i = int(std::lround(c * d.y - s * d.x + origin));
        if (i >= 0 && i < int(bins.size())) ++bins[size_t(i)];
    }
    double sum = 0;
    for (int v : bins) sum += double(v) * double(v);
    return sum;
}

}  // namespace

int deskew(struct_LEAD_Bitmap* b, long* angle) {
    if (!b) return IMGSDK_ERROR_INV_PARAMETER;
    if (!allocated(b)) return IMGSDK_ERROR_NO_BITMAP;
    double best = 0;
    try {
        const std::vector<Dark> px = darkPixels(*b);
        if (!px.empty() && px.size() < size_t(b->Width) * size_t(b->Height)) {
            const float origin = float(b->Width + b->Height);
            std::vector<int> bins(size_t(2 * (b->Width + b->Height) + 2));
            double bestScore = -1;
            auto search = [&](double from, double to, double step) {
                for (double a = from; a <= to + 1e-9; a += step) {
                    const double score = sharpness(px, a, bins, origin);
                    if (score > bestScore) {
                        bestScore = score;
                        best = a;
                    }
                }
            };
            search(-45, 45, 0.5);
            const double coarse = best;
            search(std::max(coarse - 0.5, -45.0), std::min(coarse + 0.5, 45.0), 0.02);
        }
    } catch (const std::bad_alloc&) {
        return IMGSDK_ERROR_NO_MEMORY;
    }
    const long hundredths = std::lround(best * 100);
    if (angle) *angle = hundredths;
    if (hundredths == 0) return IMGSDK_SUCCESS;
    return rotate(b, -hundredths, 0, RGB(255, 255, 255));
}

}  // namespace imagesdk::detail
