#include "fixtures.h"

#ifdef HMIGFX_TEST_OPENCV
#include <opencv2/imgcodecs.hpp>
#endif

#include <stdexcept>

namespace fixtures {

std::vector<unsigned char> gradientBmp(int w, int h) {
    const size_t stride = (size_t(w) * 3 + 3) & ~size_t(3);
    std::vector<unsigned char> f(54 + stride * size_t(h), 0);
    f[0] = 'B', f[1] = 'M';
    putLe32(f, 2, uint32_t(f.size()));
    putLe32(f, 10, 54);
    putLe32(f, 14, 40);
    putLe32(f, 18, uint32_t(w));
    putLe32(f, 22, uint32_t(h));
    putLe16(f, 26, 1);
    putLe16(f, 28, 24);
    for (int y = 0; y < h; ++y)  // bottom-up
        for (int x = 0; x < w; ++x) {
            const COLORREF c = gradientColor(x, y);
            unsigned char* p = &f[54 + stride * size_t(h - 1 - y) + 3 * size_t(x)];
            p[0] = GetBValue(c), p[1] = GetGValue(c), p[2] = GetRValue(c);
        }
    return f;
}

#ifdef HMIGFX_TEST_OPENCV
cv::Mat gradient(int w, int h) {
    cv::Mat m(h, w, CV_8UC3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const COLORREF c = gradientColor(x, y);
            m.at<cv::Vec3b>(y, x) = cv::Vec3b(GetBValue(c), GetGValue(c), GetRValue(c));
        }
    return m;
}

#endif

COLORREF gradientColor(int x, int y) {
    return RGB(static_cast<BYTE>(255 - 4 * (x + y)), static_cast<BYTE>(8 * y), static_cast<BYTE>(8 * x));
}

#ifdef HMIGFX_TEST_OPENCV
std::vector<unsigned char> encode(const std::string& ext, const cv::Mat& m, const std::vector<int>& params) {
    std::vector<unsigned char> out;
    if (!cv::imencode(ext, m, out, params)) throw std::runtime_error("cannot encode " + ext);
    return out;
}
#endif

COLORREF pixelAt(const struct_LEAD_Bitmap& b, int x, int y) {
    const int stored = b.ViewPerspective == TOP_LEFT ? y : b.Height - 1 - y;
    const unsigned char* row = b.pBits + static_cast<size_t>(b.BytesPerLine) * static_cast<size_t>(stored);
    auto fromTable = [&](int i) {
        const RGBQUAD q = b.pPalette[i];
        return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
    };
    switch (b.BitsPerPixel) {
    case 1: return fromTable((row[x / 8] >> (7 - x % 8)) & 1);
    case 4: return fromTable((row[x / 2] >> (x % 2 ? 0 : 4)) & 15);
    case 8: return fromTable(row[x]);
    case 16: {
        const unsigned v = row[2 * x] | row[2 * x + 1] << 8;
        return RGB(((v >> 10) & 31) << 3, ((v >> 5) & 31) << 3, (v & 31) << 3);
    }
    default: {
        const unsigned char* p = row + static_cast<size_t>(x) * (b.BitsPerPixel / 8);
        return b.Order == ORDER_RGB ? RGB(p[0], p[1], p[2]) : RGB(p[2], p[1], p[0]);
    }
    }
}

}  // namespace fixtures
