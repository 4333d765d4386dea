// The image-processing library: neighbourhood filters — average, median,
// morphology, convolution, sharpening, embossing, mosaic, histogram
// equalisation and noise — by OpenCV's filters.
#include "backend_p.h"
#include "pixels_p.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>

namespace imagesdk::detail {

namespace {

constexpr unsigned kMaxDim = 255;

bool oddDim(unsigned d, unsigned max) { return d >= 1 && d <= max && (d & 1); }

}  // namespace

int averageFilter(struct_LEAD_Bitmap* b, unsigned dim) {
    if (!b || dim < 1 || dim > kMaxDim) return IMGSDK_ERROR_INV_PARAMETER;
    return applyFilter(*b, [dim](const cv::Mat& s, cv::Mat& d) {
        cv::blur(s, d, cv::Size(int(dim), int(dim)), cv::Point(-1, -1), cv::BORDER_REPLICATE);
    });
}

int medianFilter(struct_LEAD_Bitmap* b, unsigned dim) {
    if (!b || !oddDim(dim, kMaxDim)) return IMGSDK_ERROR_INV_PARAMETER;
    return applyFilter(*b, [dim](const cv::Mat& s, cv::Mat& d) {
        if (dim == 1) s.copyTo(d);
        else cv::medianBlur(s, d, int(dim));
    });
}

int despeckle(struct_LEAD_Bitmap* b) {
    if (!b) return IMGSDK_ERROR_INV_PARAMETER;
    return applyFilter(*b, [](const cv::Mat& s, cv::Mat& d) { cv::medianBlur(s, d, 3); });
}

int binaryFilter(struct_LEAD_Bitmap* b, BINARYFLT* f) {
    if (!b || !f || f->uStructSize != sizeof(BINARYFLT) || !f->pMatrix || !oddDim(f->uDim, 63))
        return IMGSDK_ERROR_INV_PARAMETER;
    cv::Mat kernel(int(f->uDim), int(f->uDim), CV_8UC1);
    for (int i = 0; i < int(f->uDim * f->uDim); ++i) kernel.data[i] = f->pMatrix[i] ? 1 : 0;
    const bool maximum = f->bMaximum != 0;
    return applyFilter(*b, [&](const cv::Mat& s, cv::Mat& d) {
        if (maximum) cv::dilate(s, d, kernel, cv::Point(-1, -1), 1, cv::BORDER_REPLICATE);
        else cv::erode(s, d, kernel, cv::Point(-1, -1), 1, cv::BORDER_REPLICATE);
    });
}

int spatialFilter(struct_LEAD_Bitmap* b, SPATIALFLT* f) {
    if (!b || !f || f->uStructSize != sizeof(SPATIALFLT) || !f->pMatrix || f->Divisor == 0 || !oddDim(f->uDim, 63))
        return IMGSDK_ERROR_INV_PARAMETER;
    cv::Mat kernel(int(f->uDim), int(f->uDim), CV_32F);
    for (int i = 0; i < int(f->uDim * f->uDim); ++i) kernel.at<float>(i) = float(f->pMatrix[i]) / float(f->Divisor);
    // Stored bottom-up, the rows of the matrix meet the neighbours the other way round.
    if (b->ViewPerspective != TOP_LEFT) cv::flip(kernel, kernel, 0);
    const double bias = f->Bias;
    return applyFilter(*b, [&](const cv::Mat& s, cv::Mat& d) {
        cv::filter2D(s, d, -1, kernel, cv::Point(-1, -1), bias, cv::BORDER_REPLICATE);
    });
}

int sharpen(struct_LEAD_Bitmap* b, int sharpness) {
    if (!b || sharpness < -1000 || sharpness > 1000) return IMGSDK_ERROR_INV_PARAMETER;
    // Unsharp masking: 1000 adds four times the detail, -1000 leaves the blurred picture.
    const double amount = sharpness / (sharpness >= 0 ? 250.0 : 1000.0);
    return applyFilter(*b, [amount](const cv::Mat& s, cv::Mat& d) {
        cv::Mat blurred;
        cv::GaussianBlur(s, blurred, cv::Size(5, 5), 1.0, 1.0, cv::BORDER_REPLICATE);
        cv::addWeighted(s, 1.0 + amount, blurred, -amount, 0.0, d);
    });
}

int emboss(struct_LEAD_Bitmap* b, unsigned direction, unsigned depth) {
    if (!b || direction > EMBOSS_NW || depth > 1000) return IMGSDK_ERROR_INV_PARAMETER;
    static const int offsets[8][2] = {{0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}};
    const int dx = offsets[direction][0];
    const int dy = b->ViewPerspective == TOP_LEFT ? offsets[direction][1] : -offsets[direction][1];
    // Mid grey plus the difference across the light's direction; depth 100 is one to one.
    const float k = float(depth) / 100.0f;
    cv::Mat kernel = cv::Mat::zeros(3, 3, CV_32F);
    kernel.at<float>(1 + dy, 1 + dx) = -k;
    kernel.at<float>(1 - dy, 1 - dx) = k;
    return applyFilter(*b, [&](const cv::Mat& s, cv::Mat& d) {
        cv::filter2D(s, d, -1, kernel, cv::Point(-1, -1), 128.0, cv::BORDER_REPLICATE);
    });
}

int mosaic(struct_LEAD_Bitmap* b, unsigned dim) {
    if (!b || dim < 1 || dim > kMaxDim) return IMGSDK_ERROR_INV_PARAMETER;
    if (!allocated(b)) return IMGSDK_ERROR_NO_BITMAP;
    // Blocks start at the top-left corner as shown.
    const int d = int(dim);
    const int first = b->ViewPerspective == TOP_LEFT ? 0 : ((b->Height % d) ? b->Height % d - d : 0);
    return applyFilter(*b, [&](const cv::Mat& s, cv::Mat& out) {
        for (int y = first; y < s.rows; y += d)
            for (int x = 0; x < s.cols; x += d) {
                const int y0 = std::max(y, 0);
                const cv::Rect r(x, y0, std::min(d, s.cols - x), std::min(y + d, s.rows) - y0);
                out(r).setTo(cv::mean(s(r)));
            }
    });
}

int histoEqualize(struct_LEAD_Bitmap* b) {
    if (!b) return IMGSDK_ERROR_INV_PARAMETER;
    return applyFilter(*b, [](const cv::Mat& s, cv::Mat& d) {
        if (s.channels() == 1) {
            cv::equalizeHist(s, d);
            return;
        }
        // The luma channel only, so that the colours keep their hue.
        cv::Mat bgr, ycc;
        if (s.channels() == 4) cv::cvtColor(s, bgr, cv::COLOR_BGRA2BGR);
        else bgr = s;
        cv::cvtColor(bgr, ycc, cv::COLOR_BGR2YCrCb);
        cv::Mat planes[3];
        cv::split(ycc, planes);
        cv::equalizeHist(planes[0], planes[0]);
        cv::merge(planes, 3, ycc);
        cv::cvtColor(ycc, bgr, cv::COLOR_YCrCb2BGR);
        if (s.channels() == 4) {
            s.copyTo(d);
            const int from[] = {0, 0, 1, 1, 2, 2};
            cv::mixChannels(&bgr, 1, &d, 1, from, 3);
        } else {
            bgr.copyTo(d);
        }
    });
}

int addNoise(struct_LEAD_Bitmap* b, unsigned range, unsigned channel) {
    if (!b || range > 1000 || channel > CHANNEL_BLUE) return IMGSDK_ERROR_INV_PARAMETER;
    const int amplitude = int(range) * 255 / 1000;
    return applyFilter(*b, [&](const cv::Mat& s, cv::Mat& d) {
        // A fixed seed: the same call gives the same picture.
        cv::RNG rng(0x5EED);
        cv::Mat noise(s.size(), CV_16SC(s.channels()));
        rng.fill(noise, cv::RNG::UNIFORM, -amplitude, amplitude + 1);
        if (channel != CHANNEL_MASTER && s.channels() >= 3) {
            const int keep = channel == CHANNEL_BLUE ? 0 : channel == CHANNEL_GREEN ? 1 : 2;
            std::vector<cv::Mat> parts;
            cv::split(noise, parts);
            for (int i = 0; i < int(parts.size()); ++i)
                if (i != keep) parts[size_t(i)].setTo(0);
            cv::merge(parts, noise);
        } else if (s.channels() == 4) {
            std::vector<cv::Mat> parts;
            cv::split(noise, parts);
            parts[3].setTo(0);
            cv::merge(parts, noise);
        }
        cv::Mat wide;
        s.convertTo(wide, CV_16S);
        cv::add(wide, noise, wide);
        wide.convertTo(d, s.type());
    });
}

}  // namespace imagesdk::detail
