// The kernel library: colour resolution — grey scale, other depths with fixed,
// optimised or given colour tables, dithering, and dithering row by row.
#include "backend_p.h"
#include "pixel_values_p.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <numeric>
#include <unordered_set>
#include <vector>

namespace imagesdk::detail {

namespace {

// ---------------------------------------------------------------------------
// Optimised tables: the picture's own colours when they fit, else a median
// cut over a histogram of 5-5-5 colours.

struct Box {
    std::vector<int> bins;  // 15-bit colours
    long long count = 0;
};

int tableFor(const BgrRows& bgr, int want, RGBQUAD* table) {
    std::vector<uint32_t> counts(32768, 0);
    std::unordered_set<uint32_t> seen;
    bool fits = true;
    for (int y = 0; y < bgr.height; ++y) {
        const unsigned char* p = bgr.row(y);
        for (int x = 0; x < bgr.width; ++x) {
            const unsigned char* c = p + 3 * x;
            ++counts[size_t((c[2] >> 3) << 10 | (c[1] >> 3) << 5 | (c[0] >> 3))];
            if (fits) {
                const uint32_t v = uint32_t(c[0]) | uint32_t(c[1]) << 8 | uint32_t(c[2]) << 16;
                if (seen.insert(v).second && int(seen.size()) > want) fits = false;
            }
        }
    }
    if (fits) {
        std::vector<uint32_t> exact(seen.begin(), seen.end());
        std::sort(exact.begin(), exact.end());
        for (size_t i = 0; i < exact.size(); ++i)
            table[i] = RGBQUAD{BYTE(exact[i]), BYTE(exact[i] >> 8), BYTE(exact[i] >> 16), 0};
        return static_cast<int>(exact.size());
    }
    auto component = [](int bin, int axis) { return (bin >> (5 * axis)) & 31; };  // 0 blue, 1 green, 2 red
    std::vector<Box> boxes(1);
    for (int bin = 0; bin < 32768; ++bin)
        if (counts[size_t(bin)]) {
            boxes[0].bins.push_back(bin);
            boxes[0].count += counts[size_t(bin)];
        }
    while (int(boxes.size()) < want) {
        // Split the box with the widest range of a component at its median.
        int best = -1, bestAxis = 0, bestRange = 0;
        for (size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].bins.size() < 2) continue;
            for (int axis = 0; axis < 3; ++axis) {
                int lo = 31, hi = 0;
                for (int bin : boxes[i].bins) {
                    lo = std::min(lo, component(bin, axis));
                    hi = std::max(hi, component(bin, axis));
                }
                if (hi - lo > bestRange) {
                    bestRange = hi - lo;
                    best = static_cast<int>(i);
                    bestAxis = axis;
                }
            }
        }
        if (best < 0) break;
        Box& box = boxes[size_t(best)];
        std::sort(box.bins.begin(), box.bins.end(),
                  [&](int a, int c) { return component(a, bestAxis) < component(c, bestAxis); });
        long long half = 0;
        size_t cut = 0;
        while (cut + 1 < box.bins.size() && half * 2 < box.count) half += counts[size_t(box.bins[cut++])];
        cut = std::max<size_t>(cut, 1);
        Box other;
        other.bins.assign(box.bins.begin() + long(cut), box.bins.end());
        box.bins.resize(cut);
        box.count = 0;
        for (int bin : box.bins) box.count += counts[size_t(bin)];
        for (int bin : other.bins) other.count += counts[size_t(bin)];
        boxes.push_back(std::move(other));
    }
    for (size_t i = 0; i < boxes.size(); ++i) {
        double s[3] = {0, 0, 0};
        for (int bin : boxes[i].bins)
            for (int axis = 0; axis < 3; ++axis) s[axis] += double(counts[size_t(bin)]) * (component(bin, axis) * 8 + 4);
        const double n = double(std::max<long long>(boxes[i].count, 1));
        table[i] = RGBQUAD{BYTE(s[0] / n), BYTE(s[1] / n), BYTE(s[2] / n), 0};
    }
    return static_cast<int>(boxes.size());
}

// ---------------------------------------------------------------------------
// Mapping colours to a table

const int kBayer[8][8] = {
    {0, 32, 8, 40, 2, 34, 10, 42},  {48, 16, 56, 24, 50, 18, 58, 26}, {12, 44, 4, 36, 14, 46, 6, 38},
    {60, 28, 52, 20, 62, 30, 54, 22}, {3, 35, 11, 43, 1, 33, 9, 41},  {51, 19, 59, 27, 49, 17, 57, 25},
    {15, 47, 7, 39, 13, 45, 5, 37},  {63, 31, 55, 23, 61, 29, 53, 21},
};

uint8_t clampByte(int v) { return static_cast<uint8_t>(std::clamp(v, 0, 255)); }

// Floyd-Steinberg error of the row being dithered and of the next one.
struct Diffusion {
    std::vector<int> cur, next;  // 3 per pixel, with a pixel of margin each side
    explicit Diffusion(int width) : cur(size_t(width + 2) * 3, 0), next(size_t(width + 2) * 3, 0) {}
    void ditherRow(const unsigned char* in, int width, NearestIndex& nearest, const RGBQUAD* table,
                   std::vector<unsigned>& out) {
        std::fill(next.begin(), next.end(), 0);
        for (int x = 0; x < width; ++x) {
            int* e = &cur[size_t(x + 1) * 3];
            const unsigned char* p = in + 3 * x;
            const int v[3] = {p[0] + e[0] / 16, p[1] + e[1] / 16, p[2] + e[2] / 16};
            const unsigned i = nearest(clampByte(v[2]), clampByte(v[1]), clampByte(v[0]));
            out[size_t(x)] = i;
            const int q[3] = {table[i].rgbBlue, table[i].rgbGreen, table[i].rgbRed};
            for (int c = 0; c < 3; ++c) {
                const int err = v[c] - q[c];
                cur[size_t(x + 2) * 3 + size_t(c)] += err * 7;
                next[size_t(x) * 3 + size_t(c)] += err * 3;
                next[size_t(x + 1) * 3 + size_t(c)] += err * 5;
                next[size_t(x + 2) * 3 + size_t(c)] += err;
            }
        }
        std::swap(cur, next);
    }
};

void mapToTable(const BgrRows& bgr, struct_LEAD_Bitmap& out, unsigned dither) {
    NearestIndex nearest(out.pPalette, out.nColors);
    std::vector<unsigned> idx(size_t(out.Width));
    Diffusion diffusion(out.Width);
    const int levels = std::max(2, static_cast<int>(std::cbrt(double(out.nColors)) + 0.5));
    const int spread = 255 / (levels - 1);
    for (int y = 0; y < out.Height; ++y) {
        // Dithering runs down the picture as shown.
        const int stored = out.ViewPerspective == TOP_LEFT ? y : out.Height - 1 - y;
        const unsigned char* in = bgr.row(stored);
        if (dither == CRF_FLOYDSTEINBERG) {
            diffusion.ditherRow(in, out.Width, nearest, out.pPalette, idx);
        } else {
            for (int x = 0; x < out.Width; ++x) {
                const int d = dither == CRF_ORDEREDDITHERING ? (kBayer[y & 7][x & 7] - 32) * spread / 64 : 0;
                const unsigned char* p = in + 3 * x;
                idx[size_t(x)] = nearest(clampByte(p[2] + d), clampByte(p[1] + d), clampByte(p[0] + d));
            }
        }
        unsigned char* row = out.pBits + size_t(out.BytesPerLine) * size_t(stored);
        for (int x = 0; x < out.Width; ++x) putRaw(out, row, x, idx[size_t(x)]);
    }
}

// ---------------------------------------------------------------------------
// Dithering row by row: one state per record between StartDithering and StopDithering.

struct DitherState {
    std::vector<RGBQUAD> table;
    std::unique_ptr<NearestIndex> nearest;
    std::unique_ptr<Diffusion> diffusion;
};
std::map<const struct_LEAD_Bitmap*, DitherState>& ditherStates() {
    static std::map<const struct_LEAD_Bitmap*, DitherState> states;
    return states;
}

}  // namespace

int grayScale(struct_LEAD_Bitmap* b, int bpp) {
    if (!b) return IMGSDK_ERROR_INV_PARAMETER;
    if (bpp != 8) return IMGSDK_ERROR_BPP_NOT_SUPPORTED;
    if (!allocated(b)) return IMGSDK_ERROR_NO_BITMAP;
    if (isGrayPicture(*b)) {
        b->Order = ORDER_GRAY;
        return IMGSDK_SUCCESS;
    }
    try {
        struct_LEAD_Bitmap pic;
        const int rc = createDerived(*b, 8, ORDER_GRAY, pic);
        if (rc != IMGSDK_SUCCESS) return rc;
        std::vector<unsigned char> bgr(size_t(b->Width) * 3);
        for (int y = 0; y < b->Height; ++y) {
            rowToBgr(*b, storedRow(*b, y), bgr.data());
            unsigned char* out = storedRow(pic, y);
            for (int x = 0; x < b->Width; ++x) out[x] = grayLevel(bgr[3 * x], bgr[3 * x + 1], bgr[3 * x + 2]);
        }
        replacePicture(*b, pic);
    } catch (const std::bad_alloc&) {
        return IMGSDK_ERROR_NO_MEMORY;
    }
    return IMGSDK_SUCCESS;
}

int colorRes(struct_LEAD_Bitmap* b, struct_LEAD_Bitmap* dst, int bpp, unsigned long flags, RGBQUAD* userTable,
             HPALETTE palette, unsigned colors, LEADFILECALLBACK callback, void* user) {
    if (!b) return IMGSDK_ERROR_INV_PARAMETER;
    if (!supportedDepth(bpp)) return IMGSDK_ERROR_BPP_NOT_SUPPORTED;
    if (!allocated(b)) return IMGSDK_ERROR_NO_BITMAP;
    const unsigned dither = flags & 0xFF;
    const unsigned source = flags & 0xFF00;
    if (dither > CRF_ORDEREDDITHERING) return IMGSDK_ERROR_INV_PARAMETER;
    if (source && source != CRF_OPTIMIZEDPALETTE && source != CRF_USERPALETTE && source != CRF_USERHPALETTE &&
        source != CRF_GRAYPALETTE)
        return IMGSDK_ERROR_INV_PARAMETER;
    struct_LEAD_Bitmap pic;
    try {
        const BgrRows bgr = bgrRows(*b);
        if (bpp > 8) {
            const int rc = createDerived(*b, bpp, ORDER_BGR, pic);
            if (rc != IMGSDK_SUCCESS) return rc;
            for (int y = 0; y < pic.Height; ++y) rowFromBgr(pic, storedRow(pic, y), bgr.row(y), nullptr);
        } else {
            const int max = 1 << bpp;
            std::array<RGBQUAD, 256> table{};
            int n = max;
            if (source == CRF_USERPALETTE) {
                if (!userTable || colors == 0 || colors > unsigned(max)) return IMGSDK_ERROR_INV_PARAMETER;
                n = int(colors);
                std::copy(userTable, userTable + n, table.begin());
            } else if (source == CRF_USERHPALETTE) {
                PALETTEENTRY entries[256];
                const UINT got = palette ? GetPaletteEntries(palette, 0, UINT(max), entries) : 0;
                if (got == 0) return IMGSDK_ERROR_INV_PARAMETER;
                n = int(got);
                for (int i = 0; i < n; ++i) table[size_t(i)] = RGBQUAD{entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
            } else if (source == CRF_GRAYPALETTE) {
                fillGrayTable(table.data(), bpp);
            } else if (source == CRF_OPTIMIZEDPALETTE) {
                n = tableFor(bgr, max, table.data());
            } else {
                fillFixedTable(table.data(), bpp);
            }
            int rc = createPicture(pic, b->Width, b->Height, bpp,
                                   source == CRF_GRAYPALETTE && bpp == 8 ? ORDER_GRAY : ORDER_BGR, std::max(n, 1));
            if (rc != IMGSDK_SUCCESS) return rc;
            std::copy(table.begin(), table.begin() + pic.nColors, pic.pPalette);
            setViewPerspective(pic, b->ViewPerspective);
            pic.XResolution = b->XResolution;
            pic.YResolution = b->YResolution;
            mapToTable(bgr, pic, dither);
        }
    } catch (const std::bad_alloc&) {
        return IMGSDK_ERROR_NO_MEMORY;
    }
    if (callback) {
        for (int y = 0; y < pic.Height; ++y) {
            const int rc = callback(nullptr, &pic, rowFromTop(pic, y), y, 1, user);
            if (rc != IMGSDK_SUCCESS) {
                releasePicture(pic);
                return rc < 0 ? rc : IMGSDK_ERROR_USER_ABORT;
            }
        }
    }
    replacePicture(dst ? *dst : *b, pic);
    return IMGSDK_SUCCESS;
}

int startDithering(struct_LEAD_Bitmap* b, RGBQUAD* table, unsigned colors) {
    if (!b || !table || colors == 0) return IMGSDK_ERROR_INV_PARAMETER;
    if (b->BitsPerPixel > 8) return IMGSDK_ERROR_BPP_NOT_SUPPORTED;
    if (colors > (1u << b->BitsPerPixel)) return IMGSDK_ERROR_INV_PARAMETER;
    DitherState& st = ditherStates()[b];
    st.table.assign(table, table + colors);
    st.nearest = std::make_unique<NearestIndex>(st.table.data(), int(colors));
    st.diffusion = std::make_unique<Diffusion>(b->Width);
    return IMGSDK_SUCCESS;
}

int ditherLine(struct_LEAD_Bitmap* b, unsigned char* src, unsigned char* dst) {
    if (!b || !src || !dst) return IMGSDK_ERROR_INV_PARAMETER;
    auto it = ditherStates().find(b);
    if (it == ditherStates().end()) return IMGSDK_ERROR_NOT_DITHERING;
    DitherState& st = it->second;
    // The source row: 24-bit colours in the record's component order.
    std::vector<unsigned char> row(src, src + 3 * size_t(b->Width));
    if (b->Order == ORDER_RGB)
        for (int x = 0; x < b->Width; ++x) std::swap(row[3 * size_t(x)], row[3 * size_t(x) + 2]);
    std::vector<unsigned> idx(size_t(b->Width));
    st.diffusion->ditherRow(row.data(), b->Width, *st.nearest, st.table.data(), idx);
    std::memset(dst, 0, size_t(b->BytesPerLine));
    for (int x = 0; x < b->Width; ++x) putRaw(*b, dst, x, idx[size_t(x)]);
    return IMGSDK_SUCCESS;
}

int stopDithering(struct_LEAD_Bitmap* b) {
    if (!b) return IMGSDK_ERROR_INV_PARAMETER;
    return ditherStates().erase(b) ? IMGSDK_SUCCESS : IMGSDK_ERROR_NOT_DITHERING;
}

}  // namespace imagesdk::detail
