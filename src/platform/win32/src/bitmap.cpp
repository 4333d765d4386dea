// Bitmaps: device-dependent bitmaps, DIB sections and pixel access.
#include "dc_p.h"
#include "stock_objects_p.h"
#include "printer_p.h"

#include <cstdlib>
#include <cstring>

namespace hmigfx::win32 {

namespace {

// Refuse sizes that cannot be meant: a bitmap is at most 1 GiB.
constexpr size_t kMaxBitmapBytes = size_t(1) << 30;

bool supportedDepth(int bpp) {
    return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
}

// The palette a device-dependent bitmap of this depth starts with.
void defaultColors(Bitmap& b) {
    if (b.bpp == 1) {
        b.colors.assign(kMonoPalette, kMonoPalette + 2);
    } else if (b.bpp == 4) {
        b.colors.assign(kVgaPalette, kVgaPalette + 16);
    } else if (b.bpp == 8) {
        int n = 0;
        const PALETTEENTRY* pal = defaultPaletteEntries(&n);
        b.colors.assign(256, RGBQUAD{0, 0, 0, 0});
        // The static colours sit at both ends of the 256 entries, as on a palette device.
        for (int i = 0; i < 10; ++i) {
            b.colors[i] = {pal[i].peBlue, pal[i].peGreen, pal[i].peRed, 0};
            b.colors[246 + i] = {pal[10 + i].peBlue, pal[10 + i].peGreen, pal[10 + i].peRed, 0};
        }
    }
}

HBITMAP newDDB(int width, int height, int bpp, const void* bits) {
    if (width == 0 || height == 0) return static_cast<HBITMAP>(defaultBitmap()->handle);
    if (width < 0 || height < 0 || !supportedDepth(bpp)) return nullptr;
    auto b = std::make_unique<Bitmap>();
    if (!b->allocate(width, height, bpp, false, true)) return nullptr;
    defaultColors(*b);
    if (bits) std::memcpy(b->bits, bits, b->byteSize);
    return addTyped(std::move(b));
}

}  // namespace

Bitmap::~Bitmap() { std::free(bits); }

bool Bitmap::allocate(int w, int h, int depth, bool isDib, bool isTopDown) {
    if (w <= 0 || h <= 0 || !supportedDepth(depth)) return false;
    const size_t rowBits = static_cast<size_t>(w) * depth;
    const size_t align = isDib ? 32 : 16;
    const size_t rowBytes = (rowBits + align - 1) / align * (align / 8);
    if (rowBytes > kMaxBitmapBytes / static_cast<size_t>(h)) return false;
    const size_t total = rowBytes * static_cast<size_t>(h);
    void* mem = std::calloc(1, total);
    if (!mem) return false;
    std::free(bits);
    bits = static_cast<uint8_t*>(mem);
    byteSize = total;
    width = w;
    height = h;
    bpp = depth;
    stride = static_cast<int>(rowBytes);
    dib = isDib;
    topDown = isTopDown;
    return true;
}

Surface Bitmap::surface() const {
    Surface s;
    if (!bits) return s;
    s.width = width;
    s.height = height;
    s.bpp = bpp;
    s.pitch = topDown ? stride : -static_cast<ptrdiff_t>(stride);
    s.top = topDown ? bits : bits + static_cast<size_t>(stride) * (height - 1);
    s.palette = colors.empty() ? nullptr : colors.data();
    s.paletteSize = static_cast<int>(colors.size());
    return s;
}

}  // namespace hmigfx::win32

using namespace hmigfx::win32;

extern "C" {

HBITMAP WINAPI CreateBitmap(int width, int height, UINT planes, UINT bpp, const void* bits) {
    if (planes != 1) return nullptr;
    return newDDB(width, height, static_cast<int>(bpp), bits);
}

HBITMAP WINAPI CreateBitmapIndirect(const BITMAP* bm) {
    if (!bm) return nullptr;
    return CreateBitmap(bm->bmWidth, bm->bmHeight, bm->bmPlanes, bm->bmBitsPixel, bm->bmBits);
}

HBITMAP WINAPI CreateCompatibleBitmap(HDC h, int cx, int cy) {
    DC* dc = findDC(h);
    if (!dc) return nullptr;
    Bitmap* current = dc->bitmap();
    // A fresh memory DC holds a monochrome bitmap, so its compatible bitmaps are monochrome too.
    int bpp = current && current->bpp == 1 ? 1 : 32;
    return newDDB(cx, cy, bpp, nullptr);
}

HBITMAP WINAPI CreateDIBSection(HDC h, const BITMAPINFO* bmi, UINT usage, void** bitsOut, HANDLE section, DWORD) {
    if (bitsOut) *bitsOut = nullptr;
    if (!bmi || section || (usage != DIB_RGB_COLORS && usage != DIB_PAL_COLORS)) return nullptr;
    const BITMAPINFOHEADER& hdr = bmi->bmiHeader;
    if (hdr.biSize < sizeof(BITMAPINFOHEADER) || hdr.biPlanes != 1 || hdr.biWidth <= 0 || hdr.biHeight == 0)
        return nullptr;
    const int bpp = hdr.biBitCount;
    if (!supportedDepth(bpp)) return nullptr;
    const auto* tail = reinterpret_cast<const uint8_t*>(bmi) + hdr.biSize;
    DWORD fields[3] = {0, 0, 0};
    if (hdr.biCompression == BI_BITFIELDS) {
        if (bpp != 16 && bpp != 32) return nullptr;
        // The masks follow a plain info header; larger headers carry them inside.
        const uint8_t* masks = hdr.biSize == sizeof(BITMAPINFOHEADER)
                                   ? tail
                                   : reinterpret_cast<const uint8_t*>(bmi) + sizeof(BITMAPINFOHEADER);
        std::memcpy(fields, masks, sizeof fields);
        const bool standard = bpp == 32 ? (fields[0] == 0xFF0000 && fields[1] == 0xFF00 && fields[2] == 0xFF)
                                        : (fields[0] == 0x7C00 && fields[1] == 0x3E0 && fields[2] == 0x1F);
        if (!standard) return nullptr;  // only the layouts the renderer draws into
        if (hdr.biSize == sizeof(BITMAPINFOHEADER)) tail += sizeof fields;
    } else if (hdr.biCompression != BI_RGB) {
        return nullptr;
    }

    auto b = std::make_unique<Bitmap>();
    const bool topDown = hdr.biHeight < 0;
    const int height = topDown ? -hdr.biHeight : hdr.biHeight;
    if (!b->allocate(hdr.biWidth, height, bpp, true, topDown)) return nullptr;
    b->header = hdr;
    b->header.biSize = sizeof(BITMAPINFOHEADER);
    std::memcpy(b->bitfields, fields, sizeof fields);
    if (bpp <= 8) {
        const int maxColors = 1 << bpp;
        int n = hdr.biClrUsed ? static_cast<int>(hdr.biClrUsed) : maxColors;
        if (n > maxColors) n = maxColors;
        b->colors.assign(maxColors, RGBQUAD{0, 0, 0, 0});
        if (usage == DIB_RGB_COLORS) {
            std::memcpy(b->colors.data(), tail, static_cast<size_t>(n) * sizeof(RGBQUAD));
        } else {
            DC* dc = findDC(h);
            Palette* pal = dc ? lookup<Palette>(dc->st.palette) : nullptr;
            const auto* idx = reinterpret_cast<const WORD*>(tail);
            for (int i = 0; i < n; ++i) {
                if (pal && idx[i] < pal->entries.size()) {
                    const PALETTEENTRY& e = pal->entries[idx[i]];
                    b->colors[i] = {e.peBlue, e.peGreen, e.peRed, 0};
                }
            }
        }
    }
    void* bits = b->bits;
    HBITMAP handle = addTyped(std::move(b));
    if (handle && bitsOut) *bitsOut = bits;
    return handle;
}

COLORREF WINAPI GetPixel(HDC h, int x, int y) {
    const PageRecord unreadable(h);  // a printer page cannot be read back
    DC* dc = findDC(h);
    if (!dc) return CLR_INVALID;
    const int dx = dc->devX(x), dy = dc->devY(y);
    if (!dc->visible.contains(dx, dy)) return CLR_INVALID;
    return pixelToColor(dc->surface, readPixel(dc->surface, dx, dy));
}

COLORREF WINAPI SetPixel(HDC h, int x, int y, COLORREF c) {
    const PageRecord rec(h, [&] { return [=](HDC d) { SetPixel(d, x, y, c); }; });
    DC* dc = findDC(h);
    if (!dc) return CLR_INVALID;
    const int dx = dc->devX(x), dy = dc->devY(y);
    if (!dc->visible.contains(dx, dy)) return CLR_INVALID;
    const uint32_t px = colorToPixel(dc->surface, c);
    writePixel(dc->surface, dx, dy, px);
    return pixelToColor(dc->surface, px);
}

BOOL WINAPI SetPixelV(HDC h, int x, int y, COLORREF c) { return SetPixel(h, x, y, c) != CLR_INVALID; }

COLORREF WINAPI GetNearestColor(HDC h, COLORREF c) {
    DC* dc = findDC(h);
    if (!dc) return CLR_INVALID;
    return pixelToColor(dc->surface, colorToPixel(dc->surface, c));
}

}  // extern "C"
