// Pixels of a picture as OpenCV matrices, and the shapes of the operations.
#include "pixels_p.h"

#include <opencv2/imgproc.hpp>

#include <cstring>
#include <new>

namespace imagesdk::detail {

namespace {

// Table indices of a 1- or 4-bit picture, one byte each.
cv::Mat unpackIndices(const struct_LEAD_Bitmap& b) {
    cv::Mat m(b.Height, b.Width, CV_8UC1);
    for (int y = 0; y < b.Height; ++y) {
        const unsigned char* row = storedRow(b, y);
        unsigned char* out = m.ptr<unsigned char>(y);
        for (int x = 0; x < b.Width; ++x) out[x] = static_cast<unsigned char>(indexAt(row, x, b.BitsPerPixel));
    }
    return m;
}

void packIndices(const cv::Mat& m, struct_LEAD_Bitmap& out) {
    for (int y = 0; y < out.Height; ++y) {
        const unsigned char* in = m.ptr<unsigned char>(y);
        unsigned char* row = storedRow(out, y);
        for (int x = 0; x < out.Width; ++x) putIndex(row, x, out.BitsPerPixel, in[x]);
    }
}

// Any picture's stored rows as a BGR matrix, and BGR samples back into one
// (16 bits and colour tables).
cv::Mat unpackBgr(const struct_LEAD_Bitmap& b) {
    cv::Mat m(b.Height, b.Width, CV_8UC3);
    for (int y = 0; y < b.Height; ++y) rowToBgr(b, storedRow(b, y), m.ptr<unsigned char>(y));
    return m;
}

void packBgr(const cv::Mat& m, struct_LEAD_Bitmap& out) {
    NearestIndex nearest(out.pPalette, out.nColors);
    for (int y = 0; y < out.Height; ++y) rowFromBgr(out, storedRow(out, y), m.ptr<unsigned char>(y), &nearest);
}

// The colour table as a 1 x n BGR matrix, and back.
cv::Mat tableMat(const struct_LEAD_Bitmap& b) {
    cv::Mat m(1, b.nColors, CV_8UC3);
    for (int i = 0; i < b.nColors; ++i)
        m.at<cv::Vec3b>(0, i) = cv::Vec3b(b.pPalette[i].rgbBlue, b.pPalette[i].rgbGreen, b.pPalette[i].rgbRed);
    return m;
}

void storeTable(const cv::Mat& m, struct_LEAD_Bitmap& b) {
    for (int i = 0; i < b.nColors; ++i) {
        const cv::Vec3b c = m.at<cv::Vec3b>(0, i);
        b.pPalette[i] = RGBQUAD{c[0], c[1], c[2], 0};
    }
}

template <class F>
int guarded(F&& f) {
    try {
        return f();
    } catch (const std::bad_alloc&) {
        return IMGSDK_ERROR_NO_MEMORY;
    } catch (const cv::Exception& e) {
        return e.code == cv::Error::StsNoMem ? IMGSDK_ERROR_NO_MEMORY : IMGSDK_ERROR_INV_PARAMETER;
    }
}

}  // namespace

cv::Mat storedView(const struct_LEAD_Bitmap& b) {
    int type = 0;
    switch (b.BitsPerPixel) {
    case 8: type = CV_8UC1; break;
    case 24: type = CV_8UC3; break;
    case 32: type = CV_8UC4; break;
    default: return {};
    }
    return cv::Mat(b.Height, b.Width, type, b.pBits, static_cast<size_t>(b.BytesPerLine));
}

Samples samplesOf(const struct_LEAD_Bitmap& b) {
    Samples s;
    if (isGrayPicture(b) || ((b.BitsPerPixel == 24 || b.BitsPerPixel == 32) && !colorOrderRgb(b))) {
        s.m = storedView(b);
        s.view = true;
    } else if (b.BitsPerPixel == 24) {
        cv::cvtColor(storedView(b), s.m, cv::COLOR_RGB2BGR);
    } else if (b.BitsPerPixel == 32) {
        cv::cvtColor(storedView(b), s.m, cv::COLOR_RGBA2BGRA);
    } else {
        s.m = unpackBgr(b);
    }
    return s;
}

cv::Mat withChannels(const cv::Mat& m, int channels) {
    if (m.channels() == channels) return m;
    static const int codes[5][5] = {{}, {0, 0, 0, cv::COLOR_GRAY2BGR, cv::COLOR_GRAY2BGRA},
                                    {}, {0, cv::COLOR_BGR2GRAY, 0, 0, cv::COLOR_BGR2BGRA},
                                    {0, cv::COLOR_BGRA2GRAY, 0, cv::COLOR_BGRA2BGR, 0}};
    cv::Mat out;
    cv::cvtColor(m, out, codes[m.channels()][channels]);
    return out;
}

int pictureLike(const struct_LEAD_Bitmap& like, const cv::Mat& m, struct_LEAD_Bitmap& out) {
    int rc = createLike(like, m.cols, m.rows, out);
    if (rc != IMGSDK_SUCCESS) return rc;
    cv::Mat bgr = m;
    if (m.channels() == 1 && !isGrayPicture(out)) cv::cvtColor(m, bgr, cv::COLOR_GRAY2BGR);
    if (m.channels() != 1 && isGrayPicture(out)) cv::cvtColor(m, bgr, m.channels() == 4 ? cv::COLOR_BGRA2GRAY : cv::COLOR_BGR2GRAY);
    const int bpp = out.BitsPerPixel;
    if (bpp == 8 && isGrayPicture(out)) {
        bgr.copyTo(storedView(out));
    } else if (bpp == 24 || bpp == 32) {
        cv::Mat src = bgr;
        if (bpp == 32 && src.channels() == 3) cv::cvtColor(bgr, src, cv::COLOR_BGR2BGRA);
        if (bpp == 24 && src.channels() == 4) cv::cvtColor(bgr, src, cv::COLOR_BGRA2BGR);
        if (colorOrderRgb(out)) cv::cvtColor(src, storedView(out), bpp == 32 ? cv::COLOR_BGRA2RGBA : cv::COLOR_BGR2RGB);
        else src.copyTo(storedView(out));
    } else {
        cv::Mat three = bgr;
        if (bgr.channels() == 4) cv::cvtColor(bgr, three, cv::COLOR_BGRA2BGR);
        packBgr(three, out);
    }
    return IMGSDK_SUCCESS;
}

int replaceWithSamples(struct_LEAD_Bitmap& b, const cv::Mat& m) {
    struct_LEAD_Bitmap fresh;
    const int rc = pictureLike(b, m, fresh);
    if (rc == IMGSDK_SUCCESS) replacePicture(b, fresh);
    return rc;
}

int applyColorFunction(struct_LEAD_Bitmap& b, const std::function<void(cv::Mat& bgr)>& fn) {
    if (!allocated(&b)) return IMGSDK_ERROR_NO_BITMAP;
    return guarded([&] {
        if (isGrayPicture(b)) {
            cv::Mat levels(1, 256, CV_8UC1);
            for (int i = 0; i < 256; ++i) levels.at<uint8_t>(0, i) = static_cast<uint8_t>(i);
            cv::Mat bgr;
            cv::cvtColor(levels, bgr, cv::COLOR_GRAY2BGR);
            fn(bgr);
            cv::Mat curve;
            cv::cvtColor(bgr, curve, cv::COLOR_BGR2GRAY);
            cv::Mat v = storedView(b);
            cv::LUT(v, curve, v);
        } else if (b.BitsPerPixel <= 8) {
            cv::Mat table = tableMat(b);
            fn(table);
            storeTable(table, b);
        } else if (b.BitsPerPixel == 24 && !colorOrderRgb(b)) {
            cv::Mat v = storedView(b);
            fn(v);
        } else {
            Samples s = samplesOf(b);
            cv::Mat bgr = s.m;
            if (bgr.channels() == 4) cv::cvtColor(s.m, bgr, cv::COLOR_BGRA2BGR);
            fn(bgr);
            if (s.m.channels() == 4) {
                const int from[] = {0, 0, 1, 1, 2, 2};
                cv::mixChannels(&bgr, 1, &s.m, 1, from, 3);
            } else {
                s.m = bgr;
            }
            if (!s.view) return replaceWithSamples(b, s.m);
        }
        return IMGSDK_SUCCESS;
    });
}

int applyFilter(struct_LEAD_Bitmap& b, const std::function<void(const cv::Mat& src, cv::Mat& dst)>& fn) {
    if (!allocated(&b)) return IMGSDK_ERROR_NO_BITMAP;
    return guarded([&] {
        const Samples s = samplesOf(b);
        struct_LEAD_Bitmap fresh;
        if (s.view) {
            int rc = createLike(b, b.Width, b.Height, fresh, false);
            if (rc != IMGSDK_SUCCESS) return rc;
            cv::Mat dst = storedView(fresh);
            try {
                fn(s.m, dst);
            } catch (...) {
                releasePicture(fresh);
                throw;
            }
        } else {
            cv::Mat dst(s.m.size(), s.m.type());
            fn(s.m, dst);
            return replaceWithSamples(b, dst);
        }
        replacePicture(b, fresh);
        return IMGSDK_SUCCESS;
    });
}

int applyTransform(struct_LEAD_Bitmap& b, int outW, int outH, const Transform& fn) {
    if (!allocated(&b)) return IMGSDK_ERROR_NO_BITMAP;
    if (outW <= 0 || outH <= 0) return IMGSDK_ERROR_INV_PARAMETER;
    return guarded([&] {
        struct_LEAD_Bitmap fresh;
        const int bpp = b.BitsPerPixel;
        // Sub-byte pixels are packed into zeroed rows; the others are all written.
        int rc = createLike(b, outW, outH, fresh, bpp < 8);
        if (rc != IMGSDK_SUCCESS) return rc;
        try {
            if (bpp == 8 || bpp == 24 || bpp == 32) {
                cv::Mat dst = storedView(fresh);
                fn(storedView(b), dst, bpp == 8 && !isGrayPicture(b));
            } else if (bpp == 16) {
                cv::Mat dst(outH, outW, CV_8UC3);
                fn(unpackBgr(b), dst, false);
                packBgr(dst, fresh);
            } else {
                cv::Mat dst(outH, outW, CV_8UC1);
                fn(unpackIndices(b), dst, true);
                packIndices(dst, fresh);
            }
        } catch (...) {
            releasePicture(fresh);
            throw;
        }
        replacePicture(b, fresh);
        return IMGSDK_SUCCESS;
    });
}

cv::Matx23d storedAffine(const cv::Matx23d& m, const struct_LEAD_Bitmap& b, int srcH, int dstH) {
    if (b.ViewPerspective == TOP_LEFT) return m;
    // Rows are counted from the bottom on both sides: conjugate with y -> H - 1 - y.
    return cv::Matx23d(m(0, 0), -m(0, 1), m(0, 2) + m(0, 1) * (srcH - 1),  //
                       -m(1, 0), m(1, 1), dstH - 1 - m(1, 2) - m(1, 1) * (srcH - 1));
}

cv::Scalar borderFor(const struct_LEAD_Bitmap& b, COLORREF fill) {
    const int r = GetRValue(fill), g = GetGValue(fill), bl = GetBValue(fill);
    if (isGrayPicture(b)) return cv::Scalar(intensity(r, g, bl));
    if (b.BitsPerPixel <= 8) return cv::Scalar(NearestIndex(b.pPalette, b.nColors)(r, g, bl));
    if (colorOrderRgb(b)) return cv::Scalar(r, g, bl, 255);
    if (b.BitsPerPixel == 16) return cv::Scalar(bl & 0xF8, g & 0xF8, r & 0xF8);
    return cv::Scalar(bl, g, r, 255);
}

}  // namespace imagesdk::detail
