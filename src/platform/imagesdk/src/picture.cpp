// Pictures inside bitmap records. A picture is one block of movable global
// memory laid out as a packed DIB, so that handing it over as a DIB is free.
#include "picture_p.h"

#include <imagesdk/limits.h>

#include <algorithm>
#include <bit>
#include <cstring>

namespace imagesdk::detail {

namespace {

constexpr size_t kHeaderBytes = sizeof(BITMAPINFOHEADER);

BITMAPINFOHEADER* blockHeader(const struct_LEAD_Bitmap& b) {
    return reinterpret_cast<BITMAPINFOHEADER*>(reinterpret_cast<unsigned char*>(b.pPalette) - kHeaderBytes);
}

void clearStorage(struct_LEAD_Bitmap& b) {
    b.Flags &= ~BITMAPFLAG_ALLOCATED;
    b.hData = nullptr;
    b.pPalette = nullptr;
    b.pBits = nullptr;
    b.DataSize = 0;
}

// Puts the rows bottom-up and the colour components in DIB order.
void normaliseForDib(struct_LEAD_Bitmap& b) {
    if (b.ViewPerspective == TOP_LEFT) {
        const size_t stride = static_cast<size_t>(b.BytesPerLine);
        unsigned char* tmp = new unsigned char[stride];
        for (int y = 0, z = b.Height - 1; y < z; ++y, --z) {
            unsigned char* r1 = b.pBits + stride * static_cast<size_t>(y);
            unsigned char* r2 = b.pBits + stride * static_cast<size_t>(z);
            std::memcpy(tmp, r1, stride);
            std::memcpy(r1, r2, stride);
            std::memcpy(r2, tmp, stride);
        }
        delete[] tmp;
        b.ViewPerspective = BOTTOM_LEFT;
        blockHeader(b)->biHeight = b.Height;
    }
    if (b.Order == ORDER_RGB && (b.BitsPerPixel == 24 || b.BitsPerPixel == 32)) {
        const int step = b.BitsPerPixel / 8;
        for (int y = 0; y < b.Height; ++y) {
            unsigned char* p = b.pBits + static_cast<size_t>(b.BytesPerLine) * static_cast<size_t>(y);
            for (int x = 0; x < b.Width; ++x, p += step) std::swap(p[0], p[2]);
        }
        b.Order = ORDER_BGR;
    }
}

struct DibLayout {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bpp = 0;
    uint32_t compression = BI_RGB;
    uint32_t masks[3] = {0, 0, 0};
    int colors = 0;           // entries used, at most 1 << bpp
    bool coreColors = false;  // RGBTRIPLE table
    const unsigned char* table = nullptr;
    size_t bitsOffset = 0;    // from the header, for packed DIBs
    int xPelsPerMeter = 0;
    int yPelsPerMeter = 0;
};

template <class T>
T load(const unsigned char* p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

int readLayout(const unsigned char* h, size_t available, DibLayout& d) {
    if (available && available < 4) return IMGSDK_ERROR_INV_DIB;
    const uint32_t size = load<uint32_t>(h);
    if (available && available < size) return IMGSDK_ERROR_INV_DIB;
    int planes = 0;
    uint32_t clrUsed = 0;
    if (size == sizeof(BITMAPCOREHEADER)) {
        d.width = load<uint16_t>(h + 4);
        d.height = load<uint16_t>(h + 6);
        planes = load<uint16_t>(h + 8);
        d.bpp = load<uint16_t>(h + 10);
        d.coreColors = true;
    } else if (size >= sizeof(BITMAPINFOHEADER) && size <= 4096) {
        d.width = load<int32_t>(h + 4);
        const int32_t height = load<int32_t>(h + 8);
        if (height == INT32_MIN) return IMGSDK_ERROR_INV_DIB;
        d.topDown = height < 0;
        d.height = height < 0 ? -height : height;
        planes = load<uint16_t>(h + 12);
        d.bpp = load<uint16_t>(h + 14);
        d.compression = load<uint32_t>(h + 16);
        d.xPelsPerMeter = load<int32_t>(h + 24);
        d.yPelsPerMeter = load<int32_t>(h + 28);
        clrUsed = load<uint32_t>(h + 32);
    } else {
        return IMGSDK_ERROR_INV_DIB;
    }
    if (planes != 1 || d.width <= 0 || d.height <= 0) return IMGSDK_ERROR_INV_DIB;
    if (!supportedDepth(d.bpp)) return IMGSDK_ERROR_BPP_NOT_SUPPORTED;
    if (d.width > kMaxDimension || d.height > kMaxDimension) return IMGSDK_ERROR_IMAGE_TOO_LARGE;

    size_t masksBytes = 0;
    if (d.compression == BI_BITFIELDS) {
        if (d.bpp != 16 && d.bpp != 32) return IMGSDK_ERROR_INV_DIB;
        // A plain info header is followed by the masks; larger headers hold them.
        if (size == sizeof(BITMAPINFOHEADER)) {
            masksBytes = sizeof d.masks;
            if (available && available < size + masksBytes) return IMGSDK_ERROR_INV_DIB;
        }
        std::memcpy(d.masks, h + sizeof(BITMAPINFOHEADER), sizeof d.masks);
        if (!d.masks[0] || !d.masks[1] || !d.masks[2]) return IMGSDK_ERROR_INV_DIB;
    } else if (d.compression != BI_RGB) {
        return IMGSDK_ERROR_INV_DIB;  // RLE, JPEG and PNG DIBs are not read
    }

    // The table holds clrUsed entries (all 1 << bpp when 0 at 8 bits or less);
    // only as many as the depth can address are used.
    size_t entries = clrUsed;
    if (d.bpp <= 8) {
        if (d.coreColors || entries == 0) entries = size_t(1) << d.bpp;
        d.colors = static_cast<int>(std::min<size_t>(entries, size_t(1) << d.bpp));
    }
    if (entries > 65536) return IMGSDK_ERROR_INV_DIB;
    d.table = h + size + masksBytes;
    d.bitsOffset = size + masksBytes + entries * (d.coreColors ? 3 : 4);
    if (available && available < d.bitsOffset) return IMGSDK_ERROR_INV_DIB;
    return IMGSDK_SUCCESS;
}

// Expands a masked component to 8 bits.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    int bits = 0;
    explicit Channel(uint32_t m) : mask(m), shift(std::countr_zero(m)), bits(std::popcount(m)) {}
    unsigned char operator()(uint32_t px) const {
        const uint32_t v = (px & mask) >> shift;
        if (bits >= 8) return static_cast<unsigned char>(v >> (bits - 8));
        return static_cast<unsigned char>(v * 255u / ((1u << bits) - 1u));
    }
};

}  // namespace

const RGBQUAD kVgaColors[16] = {
    {0x00, 0x00, 0x00, 0}, {0x00, 0x00, 0x80, 0}, {0x00, 0x80, 0x00, 0}, {0x00, 0x80, 0x80, 0},
    {0x80, 0x00, 0x00, 0}, {0x80, 0x00, 0x80, 0}, {0x80, 0x80, 0x00, 0}, {0xC0, 0xC0, 0xC0, 0},
    {0x80, 0x80, 0x80, 0}, {0x00, 0x00, 0xFF, 0}, {0x00, 0xFF, 0x00, 0}, {0x00, 0xFF, 0xFF, 0},
    {0xFF, 0x00, 0x00, 0}, {0xFF, 0x00, 0xFF, 0}, {0xFF, 0xFF, 0x00, 0}, {0xFF, 0xFF, 0xFF, 0},
};

void fillFixedTable(RGBQUAD* table, int bpp) {
    if (bpp == 1) {
        table[0] = {0, 0, 0, 0};
        table[1] = {255, 255, 255, 0};
    } else if (bpp == 4) {
        std::copy(kVgaColors, kVgaColors + 16, table);
    } else {
        for (int i = 0; i < 256; ++i) {
            table[i] = RGBQUAD{static_cast<BYTE>((i & 3) * 255 / 3), static_cast<BYTE>(((i >> 2) & 7) * 255 / 7),
                               static_cast<BYTE>(((i >> 5) & 7) * 255 / 7), 0};
        }
    }
}

void fillGrayTable(RGBQUAD* table, int bpp) {
    const int n = 1 << bpp;
    for (int i = 0; i < n; ++i) {
        const BYTE v = static_cast<BYTE>(i * 255 / (n - 1));
        table[i] = RGBQUAD{v, v, v, 0};
    }
}

void describe(struct_LEAD_Bitmap& b, int width, int height, int bpp) {
    std::memset(&b, 0, sizeof b);
    b.uStructSize = sizeof(struct_LEAD_Bitmap);
    b.Width = width;
    b.Height = height;
    b.BitsPerPixel = bpp;
    b.BytesPerLine = static_cast<int32_t>(rowBytes(width, bpp));
    b.Order = ORDER_BGR;
    b.ViewPerspective = BOTTOM_LEFT;
    b.LowBit = 0;
    b.HighBit = (bpp < 8 ? bpp : 8) - 1;
    b.nColors = bpp <= 8 ? 1 << bpp : 0;
}

int createPicture(struct_LEAD_Bitmap& out, int width, int height, int bpp, uint32_t order, int nColors, bool zeroed) {
    if (width <= 0 || height <= 0) return IMGSDK_ERROR_INV_PARAMETER;
    if (!supportedDepth(bpp)) return IMGSDK_ERROR_BPP_NOT_SUPPORTED;
    if (width > kMaxDimension || height > kMaxDimension) return IMGSDK_ERROR_IMAGE_TOO_LARGE;
    const uint64_t stride = rowBytes(width, bpp);
    const uint64_t bytes = stride * uint64_t(height);
    if (bytes > kMaxPictureBytes) return IMGSDK_ERROR_IMAGE_TOO_LARGE;
    if (bpp > 8) nColors = 0;
    else if (nColors <= 0 || nColors > (1 << bpp)) nColors = 1 << bpp;

    const size_t tableBytes = static_cast<size_t>(nColors) * sizeof(RGBQUAD);
    HGLOBAL block = GlobalAlloc(zeroed ? GMEM_MOVEABLE | GMEM_ZEROINIT : GMEM_MOVEABLE, kHeaderBytes + tableBytes + bytes);
    if (!block) return IMGSDK_ERROR_NO_MEMORY;
    auto* base = static_cast<unsigned char*>(GlobalLock(block));
    if (!base) {
        GlobalFree(block);
        return IMGSDK_ERROR_NO_MEMORY;
    }
    if (!zeroed) {
        std::memset(base, 0, kHeaderBytes + tableBytes);
        const size_t used = (size_t(width) * size_t(bpp) + 7) / 8;
        if (used < stride)
            for (int y = 0; y < height; ++y) std::memset(base + kHeaderBytes + tableBytes + stride * size_t(y) + used, 0, stride - used);
    }
    auto* h = reinterpret_cast<BITMAPINFOHEADER*>(base);
    h->biSize = sizeof(BITMAPINFOHEADER);
    h->biWidth = width;
    h->biHeight = height;
    h->biPlanes = 1;
    h->biBitCount = static_cast<WORD>(bpp);
    h->biCompression = BI_RGB;
    h->biSizeImage = static_cast<DWORD>(bytes);
    h->biClrUsed = static_cast<DWORD>(nColors);

    describe(out, width, height, bpp);
    out.Order = order;
    out.nColors = nColors;
    out.Flags = BITMAPFLAG_ALLOCATED;
    out.hData = block;
    out.pPalette = reinterpret_cast<RGBQUAD*>(base + kHeaderBytes);
    out.pBits = base + kHeaderBytes + tableBytes;
    out.DataSize = bytes;
    return IMGSDK_SUCCESS;
}

int createDerived(const struct_LEAD_Bitmap& like, int bpp, uint32_t order, struct_LEAD_Bitmap& out) {
    const int rc = createPicture(out, like.Width, like.Height, bpp, order);
    if (rc != IMGSDK_SUCCESS) return rc;
    if (bpp <= 8) {
        if (order == ORDER_GRAY) fillGrayTable(out.pPalette, bpp);
        else fillFixedTable(out.pPalette, bpp);
    }
    setViewPerspective(out, like.ViewPerspective);
    out.XResolution = like.XResolution;
    out.YResolution = like.YResolution;
    return IMGSDK_SUCCESS;
}

int createLike(const struct_LEAD_Bitmap& like, int width, int height, struct_LEAD_Bitmap& out, bool zeroed) {
    const int rc = createPicture(out, width, height, like.BitsPerPixel, like.Order, like.nColors, zeroed);
    if (rc != IMGSDK_SUCCESS) return rc;
    if (like.BitsPerPixel <= 8 && like.pPalette)
        std::memcpy(out.pPalette, like.pPalette, static_cast<size_t>(out.nColors) * sizeof(RGBQUAD));
    setViewPerspective(out, like.ViewPerspective);
    out.XResolution = like.XResolution;
    out.YResolution = like.YResolution;
    out.LowBit = like.LowBit;
    out.HighBit = like.HighBit;
    return IMGSDK_SUCCESS;
}

void setViewPerspective(struct_LEAD_Bitmap& b, uint32_t perspective) {
    b.ViewPerspective = perspective == TOP_LEFT ? TOP_LEFT : BOTTOM_LEFT;
    if (allocated(&b)) blockHeader(b)->biHeight = b.ViewPerspective == TOP_LEFT ? -b.Height : b.Height;
}

void releasePicture(struct_LEAD_Bitmap& b) {
    if (!(b.Flags & BITMAPFLAG_ALLOCATED)) return;
    if (b.hData) {
        GlobalUnlock(b.hData);
        GlobalFree(b.hData);
    }
    clearStorage(b);
}

void replacePicture(struct_LEAD_Bitmap& target, struct_LEAD_Bitmap& fresh) {
    releasePicture(target);
    target = fresh;
    clearStorage(fresh);
}

HGLOBAL detachAsDib(struct_LEAD_Bitmap& b) {
    if (!allocated(&b)) return nullptr;
    normaliseForDib(b);
    BITMAPINFOHEADER* h = blockHeader(b);
    h->biXPelsPerMeter = static_cast<LONG>(b.XResolution * 10000L / 254);
    h->biYPelsPerMeter = static_cast<LONG>(b.YResolution * 10000L / 254);
    HGLOBAL block = b.hData;
    GlobalUnlock(block);
    clearStorage(b);
    return block;
}

HGLOBAL copyAsDib(const struct_LEAD_Bitmap& b) {
    if (!allocated(&b)) return nullptr;
    const SIZE_T size = GlobalSize(b.hData);
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!copy) return nullptr;
    void* dst = GlobalLock(copy);
    if (!dst) {
        GlobalFree(copy);
        return nullptr;
    }
    std::memcpy(dst, blockHeader(b), size);
    // Normalise the copy through a record that views it.
    struct_LEAD_Bitmap view = b;
    view.hData = copy;
    view.pPalette = reinterpret_cast<RGBQUAD*>(static_cast<unsigned char*>(dst) + kHeaderBytes);
    view.pBits = static_cast<unsigned char*>(dst) + (b.pBits - reinterpret_cast<unsigned char*>(blockHeader(b)));
    return detachAsDib(view);
}

unsigned char* rowFromTop(const struct_LEAD_Bitmap& b, int y) {
    const int stored = b.ViewPerspective == TOP_LEFT ? y : b.Height - 1 - y;
    return b.pBits + static_cast<size_t>(b.BytesPerLine) * static_cast<size_t>(stored);
}

int pictureFromDib(struct_LEAD_Bitmap& out, const void* header, const void* bits, size_t available) {
    if (!header) return IMGSDK_ERROR_INV_PARAMETER;
    const auto* h = static_cast<const unsigned char*>(header);
    DibLayout d;
    int rc = readLayout(h, available, d);
    if (rc != IMGSDK_SUCCESS) return rc;

    const uint64_t srcStride = rowBytes(d.width, d.bpp);
    if (srcStride * uint64_t(d.height) > kMaxPictureBytes) return IMGSDK_ERROR_IMAGE_TOO_LARGE;
    const unsigned char* src = static_cast<const unsigned char*>(bits);
    if (!src) {
        src = h + d.bitsOffset;
        if (available && available - d.bitsOffset < srcStride * uint64_t(d.height)) return IMGSDK_ERROR_INV_DIB;
    }

    // The picture keeps the DIB's depth, except masked layouts that GDI's
    // plain DIBs cannot describe, which become 24 or 32 bits.
    int bpp = d.bpp;
    bool convert = false;
    if (d.compression == BI_BITFIELDS) {
        const bool plain = d.bpp == 16 ? (d.masks[0] == 0x7C00 && d.masks[1] == 0x3E0 && d.masks[2] == 0x1F)
                                       : (d.masks[0] == 0xFF0000 && d.masks[1] == 0xFF00 && d.masks[2] == 0xFF);
        convert = !plain;
        if (convert && d.bpp == 16) bpp = 24;
    }

    struct_LEAD_Bitmap pic;
    rc = createPicture(pic, d.width, d.height, bpp, ORDER_BGR, d.colors);
    if (rc != IMGSDK_SUCCESS) return rc;
    for (int i = 0; i < d.colors; ++i) {
        if (d.coreColors) {
            const unsigned char* t = d.table + 3 * i;
            pic.pPalette[i] = RGBQUAD{t[0], t[1], t[2], 0};
        } else {
            std::memcpy(&pic.pPalette[i], d.table + 4 * i, 4);
            pic.pPalette[i].rgbReserved = 0;
        }
    }
    for (int y = 0; y < d.height; ++y) {
        const int srcRow = d.topDown ? d.height - 1 - y : y;  // counted from the bottom
        const unsigned char* s = src + srcStride * static_cast<size_t>(srcRow);
        unsigned char* t = pic.pBits + static_cast<size_t>(pic.BytesPerLine) * static_cast<size_t>(y);
        if (!convert) {
            std::memcpy(t, s, static_cast<size_t>(srcStride));
            continue;
        }
        const Channel r(d.masks[0]), g(d.masks[1]), b(d.masks[2]);
        const int step = bpp / 8;
        for (int x = 0; x < d.width; ++x, t += step) {
            const uint32_t px = d.bpp == 16 ? load<uint16_t>(s + 2 * x) : load<uint32_t>(s + 4 * x);
            t[0] = b(px);
            t[1] = g(px);
            t[2] = r(px);
        }
    }
    pic.XResolution = static_cast<int32_t>((int64_t(d.xPelsPerMeter) * 254 + 5000) / 10000);
    pic.YResolution = static_cast<int32_t>((int64_t(d.yPelsPerMeter) * 254 + 5000) / 10000);
    out = pic;
    return IMGSDK_SUCCESS;
}

void fillBitmapInfo(const struct_LEAD_Bitmap& b, void* storage) {
    auto* info = static_cast<BITMAPINFO*>(storage);
    std::memset(&info->bmiHeader, 0, sizeof info->bmiHeader);
    info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info->bmiHeader.biWidth = b.Width;
    info->bmiHeader.biHeight = b.ViewPerspective == TOP_LEFT ? -b.Height : b.Height;
    info->bmiHeader.biPlanes = 1;
    info->bmiHeader.biBitCount = static_cast<WORD>(b.BitsPerPixel);
    info->bmiHeader.biCompression = BI_RGB;
    info->bmiHeader.biSizeImage = static_cast<DWORD>(b.DataSize);
    if (b.BitsPerPixel <= 8 && b.pPalette) {
        info->bmiHeader.biClrUsed = static_cast<DWORD>(b.nColors);
        std::memcpy(info->bmiColors, b.pPalette, static_cast<size_t>(b.nColors) * sizeof(RGBQUAD));
    }
}

}  // namespace imagesdk::detail
