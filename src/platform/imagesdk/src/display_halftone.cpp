// The display library: half-toning to black and white, and underlays. Plain
// pixel work (resampling a stretched underlay is the back end's), shared by
// both back ends.
#include "backend_p.h"
#include "pixel_values_p.h"

#include <cmath>
#include <new>
#include <vector>

namespace imagesdk::detail {

namespace {

constexpr double kCell = 6.0;  // pixels across one dot of the print screen
constexpr double kPi = 3.14159265358979323846;

// Stored row of the picture's row y counted from the top.
int storedIndex(const struct_LEAD_Bitmap& b, int y) { return b.ViewPerspective == TOP_LEFT ? y : b.Height - 1 - y; }

// The underlay as 24-bit rows shown top first, stretched to w x h when asked.
int textureOf(const struct_LEAD_Bitmap& under, bool stretch, int w, int h, ScratchPicture& out) {
    int rc = colorRes(const_cast<struct_LEAD_Bitmap*>(&under), &out.pic, 24, CRF_FIXEDPALETTE, nullptr, nullptr, 0,
                      nullptr, nullptr);
    if (rc == IMGSDK_SUCCESS && out.pic.ViewPerspective != TOP_LEFT) {
        rc = flip(&out.pic);
        setViewPerspective(out.pic, TOP_LEFT);
    }
    if (rc == IMGSDK_SUCCESS && stretch && (w != out.pic.Width || h != out.pic.Height))
        rc = resample(&out.pic, w, h, SIZE_RESAMPLE);
    return rc;
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
    const double r = double(angle % 36000) / 100.0 * kPi / 180.0, c = std::cos(r), s = std::sin(r);
    std::vector<unsigned char> bgr(size_t(b->Width) * 3);
    for (int y = 0; y < b->Height; ++y) {
        unsigned char* row = rowFromTop(pic, y);
        rowToBgr(*b, rowFromTop(*b, y), bgr.data());
        for (int x = 0; x < b->Width; ++x) {
            const double u = (x * c + y * s) / kCell, v = (y * c - x * s) / kCell;
            const double spot = (2.0 - std::cos(2 * kPi * u) - std::cos(2 * kPi * v)) / 4.0;  // 0 centre, 1 corner
            const unsigned char* p = &bgr[3 * size_t(x)];
            if (grayLevel(p[0], p[1], p[2]) > spot * 255.0) row[x >> 3] |= static_cast<unsigned char>(0x80 >> (x & 7));
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
        ScratchPicture texture;
        int rc = textureOf(*under, flags == UNDERLAY_STRETCH, b->Width, b->Height, texture);
        if (rc != IMGSDK_SUCCESS) return rc;
        struct_LEAD_Bitmap fresh;
        rc = createLike(*b, b->Width, b->Height, fresh);
        if (rc != IMGSDK_SUCCESS) return rc;
        // The underlay shows through as a texture: the two multiply.
        const struct_LEAD_Bitmap& t = texture.pic;
        const bool gray = isGrayPicture(*b);
        NearestIndex nearest(fresh.pPalette, fresh.nColors);
        std::vector<unsigned char> top(size_t(b->Width) * 3);
        for (int y = 0; y < b->Height; ++y) {
            rowToBgr(*b, storedRow(*b, storedIndex(*b, y)), top.data());
            const unsigned char* cover = storedRow(t, y % t.Height);
            for (int x = 0; x < b->Width; ++x)
                for (int k = 0; k < 3; ++k) {
                    unsigned char& v = top[3 * size_t(x) + size_t(k)];
                    v = multiplyLevels(v, cover[3 * size_t(x % t.Width) + size_t(k)]);
                }
            unsigned char* out = storedRow(fresh, storedIndex(fresh, y));
            if (gray) {
                for (size_t x = 0; x < size_t(b->Width); ++x) out[x] = grayLevel(top[3 * x], top[3 * x + 1], top[3 * x + 2]);
            } else {
                rowFromBgr(fresh, out, top.data(), &nearest);
            }
        }
        replacePicture(*b, fresh);
    } catch (const std::bad_alloc&) {
        return IMGSDK_ERROR_NO_MEMORY;
    }
    return IMGSDK_SUCCESS;
}

}  // namespace imagesdk::detail
