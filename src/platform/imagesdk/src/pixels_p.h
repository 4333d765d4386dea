// Pixels of a picture as OpenCV matrices, and the shared shapes of the
// operations: per-component curves, colour functions, neighbourhood filters
// and geometric transforms, each whatever the picture's depth.
#pragma once

#include "pixel_values_p.h"

#include <opencv2/core.hpp>

#include <array>
#include <functional>
#include <vector>

namespace imagesdk::detail {

// The stored rows (storage order) of an 8-, 24- or 32-bit picture as a matrix
// over the record's own pixels: CV_8UC1, CV_8UC3 or CV_8UC4. Empty otherwise.
cv::Mat storedView(const struct_LEAD_Bitmap& b);

// The stored rows as 8-bit colour samples: a view for grey, BGR and BGRA
// pictures, otherwise (palettes, 16 bits, RGB order) an expanded BGR copy.
struct Samples {
    cv::Mat m;
    bool view = false;
};
Samples samplesOf(const struct_LEAD_Bitmap& b);

// m with 1 (grey), 3 (BGR) or 4 (BGRA) channels; m itself when it has them.
cv::Mat withChannels(const cv::Mat& m, int channels);
// The stored rows as samples with that many channels.
inline cv::Mat samplesWith(const struct_LEAD_Bitmap& b, int channels) { return withChannels(samplesOf(b).m, channels); }

// A fresh picture shaped like `like` (depth, order, table, perspective, resolution)
// with the samples m (in the kind samplesOf gives for `like`), at m's size.
int pictureLike(const struct_LEAD_Bitmap& like, const cv::Mat& m, struct_LEAD_Bitmap& out);

// Replaces the record's picture with pictureLike(b, m).
int replaceWithSamples(struct_LEAD_Bitmap& b, const cv::Mat& m);

// A function over BGR colours (CV_8UC3, any size), applied to every pixel or
// to the colour table. Grey pictures stay grey (the result's intensity).
int applyColorFunction(struct_LEAD_Bitmap& b, const std::function<void(cv::Mat& bgr)>& fn);

// A neighbourhood filter from src into dst (allocated, same size and type).
// Pictures with a colour table are filtered in colour and mapped back to it.
int applyFilter(struct_LEAD_Bitmap& b, const std::function<void(const cv::Mat& src, cv::Mat& dst)>& fn);

// A geometric transform into a new picture of outW x outH in the stored
// orientation. indexed tells that the matrix holds table indices, which
// must not be interpolated.
using Transform = std::function<void(const cv::Mat& src, cv::Mat& dst, bool indexed)>;
int applyTransform(struct_LEAD_Bitmap& b, int outW, int outH, const Transform& fn);

// The matrix taking viewed coordinates of a srcH-row picture to viewed
// coordinates of a dstH-row one, re-expressed for stored rows.
cv::Matx23d storedAffine(const cv::Matx23d& viewed, const struct_LEAD_Bitmap& b, int srcH, int dstH);

// The border value for the fill colour in the kind of matrix applyTransform hands over.
cv::Scalar borderFor(const struct_LEAD_Bitmap& b, COLORREF fill);

}  // namespace imagesdk::detail
