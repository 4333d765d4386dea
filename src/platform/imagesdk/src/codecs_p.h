// The Linux back end's codecs: what OpenCV offers, and GIF (giflib) and TIFF
// pages beside it.
#pragma once

#include "decoder_p.h"

#include <opencv2/core.hpp>

#include <streambuf>
#include <vector>

namespace imagesdk::detail {

// While alive, OpenCV's codecs say nothing on the standard error stream about
// a damaged file (the caller gets an error code instead).
class QuietCodecs {
public:
    QuietCodecs();
    ~QuietCodecs();
    QuietCodecs(const QuietCodecs&) = delete;
    QuietCodecs& operator=(const QuietCodecs&) = delete;

private:
    int level_;
    std::streambuf* cerr_;
};

// A picture of 8 bits (the image's own colours when they fit, else a fixed
// table) from a decoded grey, BGR or BGRA image.
int indexedPictureFromMat(const cv::Mat& m, struct_LEAD_Bitmap& out);

// GIF: page (1-based, 0 the first) as BGR, or BGRA when it has a transparent colour.
int decodeGif(const unsigned char* data, size_t size, int page, cv::Mat& out);
// Every page of a GIF file as pictures of 8 bits.
int gifPages(const unsigned char* data, size_t size, std::vector<struct_LEAD_Bitmap>& out);
// Writes pictures of up to 8 bits as the pages of one GIF file.
int encodeGif(const std::vector<const struct_LEAD_Bitmap*>& pages, std::vector<unsigned char>& out);

// TIFF page (1-based) through OpenCV's multi-page reader.
int decodeTiffPage(const unsigned char* data, size_t size, int page, cv::Mat& out);

// A picture's samples for a codec: grey, BGR or BGRA, top row first.
cv::Mat codecImage(const struct_LEAD_Bitmap& b);

}  // namespace imagesdk::detail
