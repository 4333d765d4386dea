// The kernel library: storage of a picture — allocating, creating, copying,
// clearing and filling it, its colour table, and row and pixel access.
#include "backend_p.h"
#include "pixel_values_p.h"

#include <algorithm>
#include <cstring>

namespace imagesdk::detail {

namespace {

void defaultTable(struct_LEAD_Bitmap& b) {
    if (b.BitsPerPixel > 8) return;
    if (b.Order == ORDER_GRAY) fillGrayTable(b.pPalette, b.BitsPerPixel);
    else fillFixedTable(b.pPalette, b.BitsPerPixel);
}

// Row y counted from the top as the picture is shown.
unsigned char* viewedRow(const struct_LEAD_Bitmap& b, int y) { return rowFromTop(b, y); }

bool insidePicture(const struct_LEAD_Bitmap& b, int row, int col) {
    return row >= 0 && row < b.Height && col >= 0 && col < b.Width;
}

}  // namespace

void access(struct_LEAD_Bitmap*) {}  // the pixels stay locked while the record owns them
void release(struct_LEAD_Bitmap*) {}

int allocate(struct_LEAD_Bitmap* b, int /*memoryKind*/) {
    if (!b) return IMGSDK_ERROR_INV_PARAMETER;
    if (b->Flags & BITMAPFLAG_ALLOCATED) return IMGSDK_ERROR_BITMAP_ALLOCATED;
    struct_LEAD_Bitmap pic;
    const int rc = createPicture(pic, b->Width, b->Height, b->BitsPerPixel,
                                 b->BitsPerPixel == 8 && b->Order == ORDER_GRAY ? ORDER_GRAY : b->Order);
    if (rc != IMGSDK_SUCCESS) return rc;
    defaultTable(pic);
    setViewPerspective(pic, b->ViewPerspective);
    pic.XResolution = b->XResolution;
    pic.YResolution = b->YResolution;
    *b = pic;
    return IMGSDK_SUCCESS;
}

int changeHeight(struct_LEAD_Bitmap* b, int height) {
    if (!b || height <= 0) return IMGSDK_ERROR_INV_PARAMETER;
    if (!allocated(b)) return IMGSDK_ERROR_NO_BITMAP;
    struct_LEAD_Bitmap pic;
    const int rc = createLike(*b, b->Width, height, pic);
    if (rc != IMGSDK_SUCCESS) return rc;
    for (int y = 0; y < std::min(height, b->Height); ++y)
        std::memcpy(viewedRow(pic, y), viewedRow(*b, y), static_cast<size_t>(b->BytesPerLine));
    replacePicture(*b, pic);
    return IMGSDK_SUCCESS;
}

int clear(struct_LEAD_Bitmap* b) {
    if (!b) return IMGSDK_ERROR_INV_PARAMETER;
    if (!allocated(b)) return IMGSDK_ERROR_NO_BITMAP;
    std::memset(b->pBits, 0, b->DataSize);
    return IMGSDK_SUCCESS;
}

int copy(struct_LEAD_Bitmap* dst, struct_LEAD_Bitmap* src) {
    if (!dst || !src) return IMGSDK_ERROR_INV_PARAMETER;
    if (!allocated(src)) return IMGSDK_ERROR_NO_BITMAP;
    if (dst->pBits == src->pBits) return IMGSDK_SUCCESS;
    struct_LEAD_Bitmap pic;
    const int rc = createLike(*src, src->Width, src->Height, pic);
    if (rc != IMGSDK_SUCCESS) return rc;
    std::memcpy(pic.pBits, src->pBits, src->DataSize);
    replacePicture(*dst, pic);
    return IMGSDK_SUCCESS;
}

int copyData(struct_LEAD_Bitmap* dst, struct_LEAD_Bitmap* src) {
    if (!dst || !src) return IMGSDK_ERROR_INV_PARAMETER;
    if (!allocated(dst) || !allocated(src)) return IMGSDK_ERROR_NO_BITMAP;
    if (dst->Width != src->Width || dst->Height != src->Height || dst->BitsPerPixel != src->BitsPerPixel)
        return IMGSDK_ERROR_INV_PARAMETER;
    if (dst->pBits == src->pBits) return IMGSDK_SUCCESS;
    for (int y = 0; y < src->Height; ++y)
        std::memcpy(viewedRow(*dst, y), viewedRow(*src, y), static_cast<size_t>(src->BytesPerLine));
    if (src->BitsPerPixel <= 8)
        std::memcpy(dst->pPalette, src->pPalette, static_cast<size_t>(std::min(dst->nColors, src->nColors)) * 4);
    dst->Order = src->Order;
    return IMGSDK_SUCCESS;
}

void copyHandle(struct_LEAD_Bitmap* dst, struct_LEAD_Bitmap* src) {
    if (dst && src) *dst = *src;  // both records now reach one picture
}

int copyRect(struct_LEAD_Bitmap* dst, struct_LEAD_Bitmap* src, unsigned col, unsigned row, unsigned width,
             unsigned height) {
    if (!dst || !src) return IMGSDK_ERROR_INV_PARAMETER;
    if (!allocated(src)) return IMGSDK_ERROR_NO_BITMAP;
    if (width == 0 || height == 0 || col >= unsigned(src->Width) || row >= unsigned(src->Height) ||
        width > unsigned(src->Width) - col || height > unsigned(src->Height) - row)
        return IMGSDK_ERROR_INV_PARAMETER;
    struct_LEAD_Bitmap pic;
    const int rc = createLike(*src, int(width), int(height), pic);
    if (rc != IMGSDK_SUCCESS) return rc;
    const int bpp = src->BitsPerPixel;
    for (unsigned y = 0; y < height; ++y) {
        const unsigned char* in = viewedRow(*src, int(row + y));
        unsigned char* out = viewedRow(pic, int(y));
        if (bpp >= 8) {
            std::memcpy(out, in + size_t(col) * size_t(bpp / 8), size_t(width) * size_t(bpp / 8));
        } else {
            for (unsigned x = 0; x < width; ++x) putRaw(pic, out, int(x), rawFor(pic, colorAt(*src, in, int(col + x))));
        }
    }
    replacePicture(*dst, pic);
    return IMGSDK_SUCCESS;
}

int create(struct_LEAD_Bitmap* b, unsigned width, unsigned height, unsigned bpp, unsigned order, unsigned perspective,
           RGBQUAD* table, unsigned /*memoryKind*/, unsigned char* data, unsigned long size) {
    if (!b) return IMGSDK_ERROR_INV_PARAMETER;
    if (b->Flags & BITMAPFLAG_ALLOCATED) return IMGSDK_ERROR_BITMAP_ALLOCATED;
    if (order > ORDER_GRAY || (order == ORDER_GRAY && bpp != 8)) return IMGSDK_ERROR_INV_PARAMETER;
    if (perspective != TOP_LEFT && perspective != BOTTOM_LEFT) return IMGSDK_ERROR_INV_PARAMETER;
    if (width > unsigned(INT32_MAX) || height > unsigned(INT32_MAX) || bpp > 32) return IMGSDK_ERROR_INV_PARAMETER;
    struct_LEAD_Bitmap pic;
    int rc = createPicture(pic, int(width), int(height), int(bpp), order);
    if (rc != IMGSDK_SUCCESS) return rc;
    if (data && size < pic.DataSize) {
        releasePicture(pic);
        return IMGSDK_ERROR_INV_PARAMETER;
    }
    setViewPerspective(pic, perspective);
    if (pic.BitsPerPixel <= 8) {
        if (table) std::memcpy(pic.pPalette, table, size_t(pic.nColors) * sizeof(RGBQUAD));
        else defaultTable(pic);
    }
    if (data) std::memcpy(pic.pBits, data, pic.DataSize);
    *b = pic;
    return IMGSDK_SUCCESS;
}

int fill(struct_LEAD_Bitmap* b, unsigned long color) {
    if (!b) return IMGSDK_ERROR_INV_PARAMETER;
    if (!allocated(b)) return IMGSDK_ERROR_NO_BITMAP;
    const uint32_t raw = rawFor(*b, static_cast<COLORREF>(color & 0xFFFFFF));
    if (b->BitsPerPixel == 8) {
        std::memset(b->pBits, int(raw), b->DataSize);
    } else {
        for (int x = 0; x < b->Width; ++x) putRaw(*b, b->pBits, x, raw);
        for (int y = 1; y < b->Height; ++y)
            std::memcpy(b->pBits + size_t(b->BytesPerLine) * size_t(y), b->pBits, size_t(b->BytesPerLine));
    }
    return IMGSDK_SUCCESS;
}

// Entries [index, index + count) of the record's colour table.
static int checkTableRange(const struct_LEAD_Bitmap* b, int index, int count, const RGBQUAD* entries) {
    if (!b || !entries || index < 0 || count <= 0) return IMGSDK_ERROR_INV_PARAMETER;
    if (!allocated(b)) return IMGSDK_ERROR_NO_BITMAP;
    if (b->BitsPerPixel > 8) return IMGSDK_ERROR_BPP_NOT_SUPPORTED;
    return count > b->nColors - index ? IMGSDK_ERROR_INV_PARAMETER : IMGSDK_SUCCESS;
}

int getColors(struct_LEAD_Bitmap* b, int index, int count, RGBQUAD* out) {
    const int rc = checkTableRange(b, index, count, out);
    if (rc != IMGSDK_SUCCESS) return rc;
    std::memcpy(out, b->pPalette + index, size_t(count) * sizeof(RGBQUAD));
    return IMGSDK_SUCCESS;
}

int putColors(struct_LEAD_Bitmap* b, int index, int count, RGBQUAD* in) {
    const int rc = checkTableRange(b, index, count, in);
    if (rc != IMGSDK_SUCCESS) return rc;
    std::memcpy(b->pPalette + index, in, size_t(count) * sizeof(RGBQUAD));
    if (b->Order == ORDER_GRAY && !isGrayPicture(*b)) b->Order = ORDER_BGR;  // no longer the grey ramp
    return IMGSDK_SUCCESS;
}

// ---------------------------------------------------------------------------
// Rows and pixels: row 0 is the top row as shown; bytes in the record's own
// pixel format.

// Copies up to `bytes` of a row from pixel col on, out of the picture or into it.
static long copyRow(struct_LEAD_Bitmap* b, unsigned char* buffer, int row, int col, unsigned long bytes, bool out) {
    if (!b || !buffer) return IMGSDK_ERROR_INV_PARAMETER;
    if (!allocated(b)) return IMGSDK_ERROR_NO_BITMAP;
    if (!insidePicture(*b, row, col)) return IMGSDK_ERROR_INV_PARAMETER;
    const size_t offset = size_t(col) * size_t(b->BitsPerPixel) / 8;
    const size_t n = std::min<size_t>(bytes, size_t(b->BytesPerLine) - offset);
    unsigned char* pixels = viewedRow(*b, row) + offset;
    if (out) std::memcpy(buffer, pixels, n);
    else std::memcpy(pixels, buffer, n);
    return static_cast<long>(n);
}

long getRowCol(struct_LEAD_Bitmap* b, unsigned char* buffer, int row, int col, unsigned long bytes) {
    return copyRow(b, buffer, row, col, bytes, true);
}

long putRowCol(struct_LEAD_Bitmap* b, unsigned char* buffer, int row, int col, unsigned long bytes) {
    return copyRow(b, buffer, row, col, bytes, false);
}

long getRow(struct_LEAD_Bitmap* b, unsigned char* buffer, int row, unsigned long bytes) {
    return getRowCol(b, buffer, row, 0, bytes);
}

long putRow(struct_LEAD_Bitmap* b, unsigned char* buffer, int row, unsigned long bytes) {
    return putRowCol(b, buffer, row, 0, bytes);
}

unsigned long getPixelColor(struct_LEAD_Bitmap* b, int row, int col) {
    if (!b) return static_cast<unsigned long>(IMGSDK_ERROR_INV_PARAMETER);
    if (!allocated(b)) return static_cast<unsigned long>(IMGSDK_ERROR_NO_BITMAP);
    if (!insidePicture(*b, row, col)) return static_cast<unsigned long>(IMGSDK_ERROR_INV_PARAMETER);
    return colorAt(*b, viewedRow(*b, row), col);
}

int putPixelColor(struct_LEAD_Bitmap* b, int row, int col, unsigned long color) {
    if (!b) return IMGSDK_ERROR_INV_PARAMETER;
    if (!allocated(b)) return IMGSDK_ERROR_NO_BITMAP;
    if (!insidePicture(*b, row, col)) return IMGSDK_ERROR_INV_PARAMETER;
    putRaw(*b, viewedRow(*b, row), col, rawFor(*b, static_cast<COLORREF>(color & 0xFFFFFF)));
    return IMGSDK_SUCCESS;
}

}  // namespace imagesdk::detail
