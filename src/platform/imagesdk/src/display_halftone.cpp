// The display library: half-toning to black and white, and underlays.
#include "backend_p.h"
#include "pixels_p.h"

#include <opencv2/imgproc.hpp>

#include <cmath>

namespace imagesdk::detail {

namespace {

constexpr double kCell = 6.0;  // pixels across one dot of the print screen

// Shown rows, top first.
cv::Mat shownBgr(const struct_LEAD_Bitmap& b) {
    cv::Mat bgr = samplesWith(b, 3);
    if (b.ViewPerspective == TOP_LEFT) return bgr;
    cv::Mat shown;
    cv::flip(bgr, shown, 0);
    return shown;
}

}  // namespace

int halfToneExt(struct_LEAD_Bitmap* b, unsigned type, long angle) {
    if (!b || type > HT_VIEW) return IMGSDK_ERROR_INV_PARAMETER;
    if (!allocated(b)) return IMGSDK_ERROR_NO_BITMAP;
    if (type == HT_VIEW)
        return colorRes(b, nullptr, 1, CRF_FLOYDSTEINBERG | CRF_FIXEDPALETTE, nullptr, nullptr, 0, nullptr, nullptr);
    // A clustered-dot screen turned by the angle: a pixel is white where the
    // picture is lighter than the dot's threshold at that place of its cell.
    struct_LEAD_Bitmap pic;
    const int rc = createDerived(*b, 1, ORDER_BGR, pic);
    if (rc != IMGSDK_SUCCESS) return rc;
    const cv::Mat gray = withChannels(shownBgr(*b), 1);
    const double r = double(angle % 36000) / 100.0 * CV_PI / 180.0, c = std::cos(r), s = std::sin(r);
    for (int y = 0; y < b->Height; ++y) {
        unsigned char* row = rowFromTop(pic, y);
        const unsigned char* in = gray.ptr<unsigned char>(y);
        for (int x = 0; x < b->Width; ++x) {
            const double u = (x * c + y * s) / kCell, v = (y * c - x * s) / kCell;
            const double spot = (2.0 - std::cos(2 * CV_PI * u) - std::cos(2 * CV_PI * v)) / 4.0;  // 0 centre, 1 corner
            if (in[x] > spot * 255.0) row[x >> 3] |= static_cast<unsigned char>(0x80 >> (x & 7));
        }
    }
    replacePicture(*b, pic);
    return IMGSDK_SUCCESS;
}

int halfTone(struct_LEAD_Bitmap* b, unsigned type) { return halfToneExt(b, type, 4500); }

int underlay(struct_LEAD_Bitmap* b, struct_LEAD_Bitmap* under, unsigned flags) {
    if (!b || !under || flags > UNDERLAY_STRETCH) return IMGSDK_ERROR_INV_PARAMETER;
    if (!allocated(b) || !allocated(under)) return IMGSDK_ERROR_NO_BITMAP;
    try {
        const cv::Mat top = shownBgr(*b), texture = shownBgr(*under);
        cv::Mat cover;
        if (flags == UNDERLAY_STRETCH) {
            cv::resize(texture, cover, top.size(), 0, 0, cv::INTER_LINEAR);
        } else {
            cover.create(top.size(), CV_8UC3);
            for (int y = 0; y < top.rows; y += texture.rows)
                for (int x = 0; x < top.cols; x += texture.cols) {
                    const cv::Rect r(x, y, std::min(texture.cols, top.cols - x), std::min(texture.rows, top.rows - y));
                    texture(cv::Rect(0, 0, r.width, r.height)).copyTo(cover(r));
                }
        }
        // The underlay shows through as a texture: the two multiply.
        cv::Mat out;
        cv::multiply(top, cover, out, 1.0 / 255.0);
        if (b->ViewPerspective != TOP_LEFT) cv::flip(out, out, 0);
        return replaceWithSamples(*b, out);
    } catch (const std::bad_alloc&) {
        return IMGSDK_ERROR_NO_MEMORY;
    }
}

}  // namespace imagesdk::detail
