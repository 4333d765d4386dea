// The Linux back end's codecs: picture files decoded by OpenCV's image codecs
// after the header has been checked by our own readers, encoded by OpenCV's
// encoders and giflib.
#include "backend_p.h"
#include "codecs_p.h"
#include "formats_p.h"
#include "picture_p.h"
#include "pixels_p.h"

#include <imagesdk/limits.h>

#include <opencv2/core.hpp>
#include <opencv2/core/utils/logger.hpp>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <new>
#include <string>
#include <unistd.h>
#include <vector>

namespace imagesdk::detail {

namespace {

constexpr int kDefaultJpegQuality = 90;

// A file in the temporary directory, removed with the object.
struct TempFile {
    std::string path;
    TempFile() {
        std::string pattern = (std::filesystem::temp_directory_path() / "hmigfx-page-XXXXXX").string();
        const int fd = mkstemp(pattern.data());
        if (fd >= 0) {
            ::close(fd);
            path = pattern;
        }
    }
    ~TempFile() {
        if (!path.empty()) std::remove(path.c_str());
    }
};

// ---------------------------------------------------------------------------
// Colour tables

inline uint32_t packBgr(const unsigned char* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16; }
inline int luma(uint32_t c) { return (int((c >> 16) & 0xFF) * 299 + int((c >> 8) & 0xFF) * 587 + int(c & 0xFF) * 114) / 1000; }

// The distinct colours of a picture, up to a limit, in an open-addressed table.
class ColorSet {
public:
    explicit ColorSet(int limit) : limit_(limit) { slots_.fill(kEmpty); }
    // False once more than limit colours were seen.
    bool add(uint32_t c) {
        size_t i = hash(c);
        while (slots_[i] != kEmpty) {
            if (slots_[i] == c) return true;
            i = (i + 1) & (slots_.size() - 1);
        }
        if (static_cast<int>(colors_.size()) == limit_) return false;
        slots_[i] = c;
        colors_.push_back(c);
        return true;
    }
    // Sorts the colours (so that the table does not depend on pixel order)
    // and numbers them.
    void finish() {
        std::sort(colors_.begin(), colors_.end());
        index_.fill(0);
        for (size_t k = 0; k < colors_.size(); ++k) {
            size_t i = hash(colors_[k]);
            while (slots_[i] != colors_[k]) i = (i + 1) & (slots_.size() - 1);
            index_[i] = static_cast<uint8_t>(k);
        }
    }
    uint8_t indexOf(uint32_t c) const {
        size_t i = hash(c);
        while (slots_[i] != c) i = (i + 1) & (slots_.size() - 1);
        return index_[i];
    }
    const std::vector<uint32_t>& colors() const { return colors_; }

private:
    static constexpr uint32_t kEmpty = 0xFFFFFFFFu;
    static size_t hash(uint32_t c) { return (c * 2654435761u) >> 22; }  // 10 bits
    int limit_;
    std::array<uint32_t, 1024> slots_;
    std::array<uint8_t, 1024> index_{};
    std::vector<uint32_t> colors_;
};

void putIndex(unsigned char* row, int x, int bpp, unsigned index) {
    if (bpp == 8) {
        row[x] = static_cast<unsigned char>(index);
    } else if (bpp == 4) {
        unsigned char& b = row[x >> 1];
        b = (x & 1) ? static_cast<unsigned char>((b & 0xF0) | index) : static_cast<unsigned char>((b & 0x0F) | index << 4);
    } else {
        if (index) row[x >> 3] |= static_cast<unsigned char>(0x80 >> (x & 7));
    }
}

unsigned fixedIndex(uint32_t c, int bpp) {
    if (bpp == 1) return luma(c) >= 128 ? 1 : 0;
    const int b = c & 0xFF, g = (c >> 8) & 0xFF, r = (c >> 16) & 0xFF;
    if (bpp == 8) {
        const int r3 = (r * 7 + 127) / 255, g3 = (g * 7 + 127) / 255, b2 = (b * 3 + 127) / 255;
        return static_cast<unsigned>(r3 << 5 | g3 << 2 | b2);
    }
    unsigned best = 0;
    int bestDist = 1 << 30;
    for (unsigned i = 0; i < 16; ++i) {
        const int dr = r - kVgaColors[i].rgbRed, dg = g - kVgaColors[i].rgbGreen, db = b - kVgaColors[i].rgbBlue;
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDist) {
            bestDist = d;
            best = i;
        }
    }
    return best;
}

// ---------------------------------------------------------------------------
// From a decoded image to a picture

// 8-bit samples with 1 (grey), 3 (BGR) or 4 (BGRA) channels.
int normalise(cv::Mat& m) {
    if (m.depth() != CV_8U) {
        double scale = 1.0;
        switch (m.depth()) {
        case CV_16U: scale = 1.0 / 257.0; break;
        case CV_16S: scale = 1.0 / 128.0; break;
        case CV_32F:
        case CV_64F: scale = 255.0; break;
        default: break;
        }
        cv::Mat eight;
        m.convertTo(eight, CV_8U, scale);
        m = eight;
    }
    if (m.channels() == 2) {  // grey and alpha
        cv::Mat parts[2];
        cv::split(m, parts);
        cv::Mat bgra;
        const cv::Mat four[4] = {parts[0], parts[0], parts[0], parts[1]};
        cv::merge(four, 4, bgra);
        m = bgra;
    }
    if (m.channels() != 1 && m.channels() != 3 && m.channels() != 4) return IMGSDK_ERROR_BPP_NOT_SUPPORTED;
    return IMGSDK_SUCCESS;
}

struct Target {
    int bpp = 24;
    uint32_t order = ORDER_BGR;
    bool grayRamp = false;   // 8 bits with a grey table
    bool fixed = false;      // 1, 4 or 8 bits with a fixed table
    bool exactFirst = false; // 1, 4 or 8 bits with the picture's own colours when they fit
};

int chooseTarget(const cv::Mat& m, const FILEINFO& info, int bpp, int order, unsigned flags, Target& t) {
    const bool gray = m.channels() == 1;
    bool wantGray = false;
    switch (order) {
    case ORDER_GRAY:
        if (bpp != 0 && bpp != 8) return IMGSDK_ERROR_INV_PARAMETER;
        wantGray = true;
        break;
    case ORDER_RGBORGRAY:
    case ORDER_BGRORGRAY: wantGray = gray && (bpp == 0 || bpp == 8); break;
    case ORDER_RGB:
    case ORDER_BGR: break;
    default: return IMGSDK_ERROR_INV_PARAMETER;
    }
    t.order = (order == ORDER_RGB || order == ORDER_RGBORGRAY) ? ORDER_RGB : ORDER_BGR;
    if (wantGray) {
        t.bpp = 8;
        t.grayRamp = true;
        t.order = ORDER_GRAY;
        return IMGSDK_SUCCESS;
    }
    if (bpp == 0) {
        // The file's own depth where a table can hold its colours.
        const bool indexed = (info.Flags & FILEINFO_PALETTE) || (gray && info.BitsPerPixel < 8);
        if (m.channels() == 4) {
            t.bpp = 32;
        } else if (indexed && info.BitsPerPixel <= 8) {
            t.bpp = info.BitsPerPixel <= 1 ? 1 : info.BitsPerPixel <= 4 ? 4 : 8;
            t.exactFirst = true;
        } else if (gray) {
            t.bpp = 8;
            t.grayRamp = true;
            t.order = ORDER_GRAY;
        } else {
            t.bpp = 24;
        }
        return IMGSDK_SUCCESS;
    }
    t.bpp = bpp;
    if (bpp <= 8) {
        if (flags & LOADFILE_FIXEDPALETTE) t.fixed = true;
        else if (gray && bpp == 8) t.grayRamp = true;
        else t.exactFirst = true;
        if (t.grayRamp) t.order = ORDER_GRAY;
    }
    return IMGSDK_SUCCESS;
}

int toPicture(const cv::Mat& m, Target t, struct_LEAD_Bitmap& out) {
    const int channels = m.channels();
    auto colorAt = [&](const unsigned char* row, int x) -> uint32_t {
        const unsigned char* p = row + static_cast<size_t>(x) * channels;
        return channels == 1 ? uint32_t(p[0]) * 0x010101u : packBgr(p);
    };

    ColorSet set(t.bpp <= 8 ? 1 << t.bpp : 0);
    if (t.exactFirst) {
        bool fits = true;
        for (int y = 0; y < m.rows && fits; ++y) {
            const unsigned char* row = m.ptr<unsigned char>(y);
            for (int x = 0; x < m.cols; ++x) {
                if (!set.add(colorAt(row, x))) {
                    fits = false;
                    break;
                }
            }
        }
        if (fits) set.finish();
        else if (channels == 1 && t.bpp == 8) t.grayRamp = true;
        else t.fixed = true;
        if (t.grayRamp) t.order = ORDER_GRAY;
    }

    const bool paletted = t.bpp <= 8;
    const int entries = !paletted ? 0 : (t.grayRamp || t.fixed) ? 1 << t.bpp : static_cast<int>(set.colors().size());
    int rc = createPicture(out, m.cols, m.rows, t.bpp, paletted ? (t.grayRamp ? ORDER_GRAY : ORDER_BGR) : t.order,
                           std::max(entries, 1));
    if (rc != IMGSDK_SUCCESS) return rc;
    if (paletted) {
        if (t.grayRamp) {
            for (int i = 0; i < 256; ++i) out.pPalette[i] = RGBQUAD{BYTE(i), BYTE(i), BYTE(i), 0};
        } else if (t.fixed) {
            fillFixedTable(out.pPalette, t.bpp);
        } else {
            for (size_t i = 0; i < set.colors().size(); ++i) {
                const uint32_t c = set.colors()[i];
                out.pPalette[i] = RGBQUAD{BYTE(c), BYTE(c >> 8), BYTE(c >> 16), 0};
            }
        }
    }

    // Rows already in the picture's layout are copied whole.
    const bool sameLayout = (t.grayRamp && channels == 1) || (!paletted && t.order == ORDER_BGR && t.bpp == 8 * channels);
    for (int y = 0; y < m.rows; ++y) {
        const unsigned char* src = m.ptr<unsigned char>(y);
        unsigned char* dst = rowFromTop(out, y);
        if (sameLayout) {
            std::memcpy(dst, src, static_cast<size_t>(m.cols) * static_cast<size_t>(channels));
        } else if (paletted) {
            for (int x = 0; x < m.cols; ++x) {
                const uint32_t c = colorAt(src, x);
                unsigned idx;
                if (t.grayRamp) idx = channels == 1 ? src[x] : static_cast<unsigned>(luma(c));
                else if (t.fixed) idx = fixedIndex(c, t.bpp);
                else idx = set.indexOf(c);
                putIndex(dst, x, t.bpp, idx);
            }
        } else if (t.bpp == 16) {
            for (int x = 0; x < m.cols; ++x) {
                const uint32_t c = colorAt(src, x);
                const unsigned v = ((c >> 19) & 0x1F) << 10 | ((c >> 11) & 0x1F) << 5 | ((c >> 3) & 0x1F);
                dst[2 * x] = static_cast<unsigned char>(v);
                dst[2 * x + 1] = static_cast<unsigned char>(v >> 8);
            }
        } else {
            const int step = t.bpp / 8;
            const bool rgb = t.order == ORDER_RGB;
            for (int x = 0; x < m.cols; ++x, dst += step) {
                const uint32_t c = colorAt(src, x);
                dst[0] = static_cast<unsigned char>(rgb ? c >> 16 : c);
                dst[1] = static_cast<unsigned char>(c >> 8);
                dst[2] = static_cast<unsigned char>(rgb ? c : c >> 16);
                if (step == 4) dst[3] = channels == 4 ? src[4 * x + 3] : 0xFF;
            }
        }
    }
    return IMGSDK_SUCCESS;
}

// Decodes page `page` (1-based) of a file that identify() accepted.
int decode(const unsigned char* data, size_t size, const FILEINFO& info, int page, cv::Mat& out) {
    if (!dataComplete(data, size, info)) return IMGSDK_ERROR_FILE_CORRUPT;
    int rc = IMGSDK_SUCCESS;
    const QuietCodecs quiet;
    try {
        if (info.Format == IMGFILE_GIF) {
            rc = decodeGif(data, size, page, out);
        } else if (page > 1) {
            rc = decodeTiffPage(data, size, page, out);
        } else {
            const cv::Mat buffer(1, static_cast<int>(size), CV_8UC1, const_cast<unsigned char*>(data));
            out = cv::imdecode(buffer, cv::IMREAD_UNCHANGED);
        }
    } catch (const std::bad_alloc&) {
        return IMGSDK_ERROR_NO_MEMORY;
    } catch (...) {
        return IMGSDK_ERROR_FILE_CORRUPT;
    }
    if (rc != IMGSDK_SUCCESS) return rc;
    if (out.empty() || (page <= 1 && (out.cols != info.Width || out.rows != info.Height))) return IMGSDK_ERROR_FILE_CORRUPT;
    if (size_t(out.cols) * size_t(out.rows) * 4 > kMaxPictureBytes) return IMGSDK_ERROR_IMAGE_TOO_LARGE;
    return IMGSDK_SUCCESS;
}

// Colour JPEG and PNG files of 8-bit samples decode straight into a picture
// shown top-down, the files' own row order: no second copy of the pixels.
// False when the file is not one of those or the caller wants another layout.
bool decodeInPlace(const unsigned char* data, size_t size, const FILEINFO& info, int bpp, int order, int page,
                   struct_LEAD_Bitmap& pic, int& rc) {
    const bool colour8 = info.BitsPerPixel == 24 && !(info.Flags & (FILEINFO_GRAY | FILEINFO_ALPHA | FILEINFO_PALETTE));
    if (!colour8 || page > 1 || (info.Format != IMGFILE_JPEG && info.Format != IMGFILE_PNG)) return false;
    if ((bpp != 0 && bpp != 24) || (order != ORDER_BGR && order != ORDER_BGRORGRAY)) return false;
    if (!dataComplete(data, size, info)) {
        rc = IMGSDK_ERROR_FILE_CORRUPT;
        return true;
    }
    rc = createPicture(pic, info.Width, info.Height, 24, ORDER_BGR, 0, false);
    if (rc != IMGSDK_SUCCESS) return true;
    setViewPerspective(pic, TOP_LEFT);
    cv::Mat view(pic.Height, pic.Width, CV_8UC3, pic.pBits, static_cast<size_t>(pic.BytesPerLine));
    const QuietCodecs quiet;
    try {
        const cv::Mat buffer(1, static_cast<int>(size), CV_8UC1, const_cast<unsigned char*>(data));
        cv::Mat out = view;
        cv::imdecode(buffer, cv::IMREAD_COLOR | cv::IMREAD_IGNORE_ORIENTATION, &out);
        if (out.empty() || out.cols != pic.Width || out.rows != pic.Height || out.type() != CV_8UC3) {
            rc = IMGSDK_ERROR_FILE_CORRUPT;
        } else if (out.data != pic.pBits) {
            out.copyTo(view);  // the decoder chose its own storage
        }
    } catch (const std::bad_alloc&) {
        rc = IMGSDK_ERROR_NO_MEMORY;
    } catch (...) {
        rc = IMGSDK_ERROR_FILE_CORRUPT;
    }
    if (rc != IMGSDK_SUCCESS) releasePicture(pic);
    return true;
}

}  // namespace

// ---------------------------------------------------------------------------
// Entry points

int decodePicture(const unsigned char* data, size_t size, FILEINFO& info, int bpp, int order, unsigned int flags,
                  int page, struct_LEAD_Bitmap& pic) {
    int rc = IMGSDK_SUCCESS;
    if (decodeInPlace(data, size, info, bpp, order, page, pic, rc)) return rc;
    cv::Mat image;
    rc = decode(data, size, info, page, image);
    if (rc != IMGSDK_SUCCESS) return rc;
    if (page > 1) {  // the header described the first page
        info.Width = image.cols;
        info.Height = image.rows;
    }
    rc = normalise(image);
    if (rc != IMGSDK_SUCCESS) return rc;
    Target target;
    rc = chooseTarget(image, info, bpp, order, flags, target);
    if (rc != IMGSDK_SUCCESS) return rc;
    return toPicture(image, target, pic);
}

int indexedPictureFromMat(const cv::Mat& image, struct_LEAD_Bitmap& out) {
    cv::Mat m = image;
    int rc = normalise(m);
    if (rc != IMGSDK_SUCCESS) return rc;
    FILEINFO info{};
    Target target;
    rc = chooseTarget(m, info, 8, ORDER_BGR, 0, target);
    if (rc != IMGSDK_SUCCESS) return rc;
    return toPicture(m, target, out);
}

cv::Mat codecImage(const struct_LEAD_Bitmap& b) {
    const Samples s = samplesOf(b);
    if (b.ViewPerspective == TOP_LEFT) return s.m;
    cv::Mat out;
    cv::flip(s.m, out, 0);
    return out;
}

int encodePicture(const struct_LEAD_Bitmap& b, int format, int quality, std::vector<unsigned char>& out) {
    try {
        if (format == IMGFILE_GIF) return encodeGif({&b}, out);
        cv::Mat image = codecImage(b);
        std::vector<int> params;
        const char* ext = ".png";
        switch (format) {
        case IMGFILE_PNG: break;
        case IMGFILE_JPEG:
            ext = ".jpg";
            params = {cv::IMWRITE_JPEG_QUALITY, quality ? quality : kDefaultJpegQuality};
            break;
        case IMGFILE_TIFF: ext = ".tiff"; break;
        case IMGFILE_WEBP:
            ext = ".webp";
            params = {cv::IMWRITE_WEBP_QUALITY, quality == 0 || quality == 100 ? 101 : quality};  // 101: lossless
            break;
        case IMGFILE_PNM: ext = image.channels() == 1 ? ".pgm" : ".ppm"; break;
        default: return IMGSDK_ERROR_INV_FORMAT;
        }
        if (image.channels() == 4 && (format == IMGFILE_JPEG || format == IMGFILE_PNM)) {
            cv::Mat bgr;
            cv::cvtColor(image, bgr, cv::COLOR_BGRA2BGR);
            image = bgr;
        }
        if (!cv::imencode(ext, image, out, params)) return IMGSDK_ERROR_INV_FORMAT;
    } catch (const std::bad_alloc&) {
        return IMGSDK_ERROR_NO_MEMORY;
    } catch (const cv::Exception&) {
        return IMGSDK_ERROR_INV_FORMAT;
    }
    return IMGSDK_SUCCESS;
}

int joinPage(const std::vector<unsigned char>& old, int format, int page, const struct_LEAD_Bitmap& pic,
             std::vector<unsigned char>& out) {
    if (format == IMGFILE_GIF) {
        std::vector<struct_LEAD_Bitmap> pages;
        int rc = gifPages(old.data(), old.size(), pages);
        if (rc == IMGSDK_ERROR_FILE_CORRUPT || rc == IMGSDK_ERROR_FILE_FORMAT) return IMGSDK_ERROR_INV_FORMAT;  // not a GIF to add to
        if (rc != IMGSDK_SUCCESS) return rc;
        std::vector<const struct_LEAD_Bitmap*> all;
        for (const struct_LEAD_Bitmap& p : pages) all.push_back(&p);
        if (page > int(all.size()) + 1) rc = IMGSDK_ERROR_PAGE_NOT_FOUND;
        else if (page == int(all.size()) + 1) all.push_back(&pic);
        else all[size_t(page - 1)] = &pic;
        if (rc == IMGSDK_SUCCESS) rc = encodeGif(all, out);
        for (struct_LEAD_Bitmap& p : pages) releasePicture(p);
        return rc;
    }
    TempFile tmp;
    if (tmp.path.empty() || writeBytes(tmp.path.c_str(), old) != IMGSDK_SUCCESS) return IMGSDK_ERROR_FILE_WRITE;
    std::vector<cv::Mat> mats;
    try {
        const QuietCodecs quiet;
        cv::imreadmulti(tmp.path, mats, cv::IMREAD_UNCHANGED);
    } catch (...) {
        mats.clear();
    }
    if (mats.empty()) return IMGSDK_ERROR_INV_FORMAT;  // not a TIFF file to add to
    if (page > int(mats.size()) + 1) return IMGSDK_ERROR_PAGE_NOT_FOUND;
    const cv::Mat image = codecImage(pic);
    if (page == int(mats.size()) + 1) mats.push_back(image);
    else mats[size_t(page - 1)] = image;
    const std::string target = tmp.path + ".tif";
    bool ok = false;
    try {
        ok = cv::imwritemulti(target, mats);
    } catch (...) {
        ok = false;
    }
    if (ok) ok = readBytes(target.c_str(), out) == IMGSDK_SUCCESS;
    std::remove(target.c_str());
    return ok ? IMGSDK_SUCCESS : IMGSDK_ERROR_FILE_WRITE;
}

int decodeTiffPage(const unsigned char* data, size_t size, int page, cv::Mat& out) {
    TempFile tmp;
    if (tmp.path.empty() || writeBytes(tmp.path.c_str(), std::vector<unsigned char>(data, data + size)) != IMGSDK_SUCCESS) return IMGSDK_ERROR_FILE_READ;
    std::vector<cv::Mat> mats;
    if (!cv::imreadmulti(tmp.path, mats, page - 1, 1, cv::IMREAD_UNCHANGED) || mats.empty())
        return IMGSDK_ERROR_PAGE_NOT_FOUND;
    out = mats[0];
    return IMGSDK_SUCCESS;
}

QuietCodecs::QuietCodecs()
    : level_(cv::utils::logging::setLogLevel(cv::utils::logging::LOG_LEVEL_SILENT)), cerr_(std::cerr.rdbuf(nullptr)) {}

QuietCodecs::~QuietCodecs() {
    std::cerr.rdbuf(cerr_);
    std::cerr.clear();
    cv::utils::logging::setLogLevel(static_cast<cv::utils::logging::LogLevel>(level_));
}

}  // namespace imagesdk::detail
