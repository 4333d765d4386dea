// Validation of DIB headers and RLE decoding.
#include "dib_format_p.h"
#include "stock_objects_p.h"

#include <algorithm>
#include <cstring>

namespace hmigfx::win32 {

namespace {

template <class T>
T readAt(const uint8_t* p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

bool validDepth(int bpp) { return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32; }

}  // namespace

size_t dibStride(int width, int bpp) { return (static_cast<size_t>(width) * bpp + 31) / 32 * 4; }

bool readDibFormat(const void* info, size_t avail, UINT usage, const DC* dc, DibFormat& out) {
    out = DibFormat{};
    if (!info || avail < 4) return false;
    if (usage != DIB_RGB_COLORS && usage != DIB_PAL_COLORS) return false;
    const auto* base = static_cast<const uint8_t*>(info);
    const DWORD size = readAt<DWORD>(base);
    DWORD clrUsed = 0;
    size_t entryBytes = sizeof(RGBQUAD);
    long long height;
    if (size == sizeof(BITMAPCOREHEADER)) {
        if (avail < size) return false;
        const auto core = readAt<BITMAPCOREHEADER>(base);
        if (core.bcPlanes != 1) return false;
        out.width = core.bcWidth;
        height = core.bcHeight;
        out.bpp = core.bcBitCount;
        out.core = true;
        entryBytes = sizeof(RGBTRIPLE);
    } else if (size >= sizeof(BITMAPINFOHEADER) && size <= 4096) {
        if (avail < size) return false;
        const auto h = readAt<BITMAPINFOHEADER>(base);
        if (h.biPlanes != 1) return false;
        out.width = h.biWidth;
        height = h.biHeight;
        out.bpp = h.biBitCount;
        out.compression = h.biCompression;
        out.compressedSize = h.biSizeImage;
        clrUsed = h.biClrUsed;
    } else {
        return false;
    }
    if (out.width <= 0 || height == 0 || height == INT32_MIN || !validDepth(out.bpp)) return false;
    out.topDown = height < 0;
    out.height = static_cast<int>(height < 0 ? -height : height);
    out.stride = dibStride(out.width, out.bpp);
    if (out.stride > kMaxDibBytes / static_cast<size_t>(out.height)) return false;

    size_t pos = size;
    switch (out.compression) {
    case BI_RGB:
        break;
    case BI_BITFIELDS: {
        if (out.bpp != 16 && out.bpp != 32) return false;
        // The masks follow a plain info header; larger headers hold them.
        const size_t at = size == sizeof(BITMAPINFOHEADER) ? size : sizeof(BITMAPINFOHEADER);
        if (at + 12 > avail || (size > sizeof(BITMAPINFOHEADER) && size < sizeof(BITMAPINFOHEADER) + 12)) return false;
        const DWORD r = readAt<DWORD>(base + at), g = readAt<DWORD>(base + at + 4), b = readAt<DWORD>(base + at + 8);
        if (out.bpp == 16) {
            if (r == 0xF800 && g == 0x07E0 && b == 0x001F)
                out.is565 = true;
            else if (!(r == 0x7C00 && g == 0x03E0 && b == 0x001F))
                return false;
        } else if (!(r == 0xFF0000 && g == 0xFF00 && b == 0xFF)) {
            return false;
        }
        if (size == sizeof(BITMAPINFOHEADER)) pos += 12;
        break;
    }
    case BI_RLE8:
    case BI_RLE4:
        // Compressed rows run bottom-up only.
        if (out.topDown || out.bpp != (out.compression == BI_RLE8 ? 8 : 4)) return false;
        break;
    default:
        return false;
    }

    if (out.bpp <= 8) {
        const size_t maxColors = size_t(1) << out.bpp;
        size_t n = clrUsed ? clrUsed : maxColors;
        if (n > maxColors) n = maxColors;
        out.colors.assign(maxColors, RGBQUAD{0, 0, 0, 0});
        if (usage == DIB_PAL_COLORS) {
            if (pos + 2 * n > avail) return false;
            int count = 0;
            const PALETTEENTRY* def = defaultPaletteEntries(&count);
            const Palette* pal = dc ? lookup<Palette>(dc->st.palette) : nullptr;
            const PALETTEENTRY* entries = pal ? pal->entries.data() : def;
            const size_t entryCount = pal ? pal->entries.size() : static_cast<size_t>(count);
            for (size_t i = 0; i < n; ++i) {
                const WORD idx = readAt<WORD>(base + pos + 2 * i);
                if (idx < entryCount) out.colors[i] = {entries[idx].peBlue, entries[idx].peGreen, entries[idx].peRed, 0};
            }
            pos += 2 * n;
        } else {
            if (pos + entryBytes * n > avail) return false;
            for (size_t i = 0; i < n; ++i) {
                const uint8_t* e = base + pos + entryBytes * i;
                out.colors[i] = {e[0], e[1], e[2], 0};
            }
            pos += entryBytes * n;
        }
    } else if (clrUsed && usage == DIB_RGB_COLORS && !out.core) {
        // An optional palette for palette devices: skipped, but it must be there.
        if (clrUsed > 256 || pos + sizeof(RGBQUAD) * clrUsed > avail) return false;
        pos += sizeof(RGBQUAD) * clrUsed;
    }
    out.headerSize = pos;
    return true;
}

Surface dibSurface(const DibFormat& f, const void* bits, int rows) {
    Surface s;
    s.width = f.width;
    s.height = rows;
    s.bpp = f.bpp;
    auto* p = const_cast<uint8_t*>(static_cast<const uint8_t*>(bits));
    if (f.topDown) {
        s.top = p;
        s.pitch = static_cast<ptrdiff_t>(f.stride);
    } else {
        s.top = p + f.stride * static_cast<size_t>(rows - 1);
        s.pitch = -static_cast<ptrdiff_t>(f.stride);
    }
    if (f.bpp <= 8) {
        s.palette = f.colors.data();
        s.paletteSize = static_cast<int>(f.colors.size());
    }
    return s;
}

bool decodeRle(const DibFormat& f, const uint8_t* data, size_t size, std::vector<uint8_t>& out) {
    // Line ends and skips let a few bytes claim a picture of gigabytes, all
    // of it index 0; past this many pixels per byte (and a million pixels)
    // the data is taken as damaged.
    constexpr uint64_t kPixelsPerByte = 128, kAlwaysAllowed = uint64_t{1} << 20;
    if (uint64_t(f.width) * uint64_t(f.height) > std::max<uint64_t>(kAlwaysAllowed, size * kPixelsPerByte)) return false;
    out.assign(f.imageSize(), 0);
    const bool four = f.compression == BI_RLE4;
    int x = 0, y = 0;  // y counts rows from the bottom, as stored
    auto put = [&](uint32_t v) {
        if (x < f.width && y < f.height) {
            uint8_t* row = out.data() + f.stride * static_cast<size_t>(y);
            if (four) {
                uint8_t& b = row[x >> 1];
                b = (x & 1) ? static_cast<uint8_t>((b & 0xF0) | (v & 0x0F)) : static_cast<uint8_t>((b & 0x0F) | (v << 4));
            } else {
                row[x] = static_cast<uint8_t>(v);
            }
        }
        if (x <= f.width) ++x;  // stays bounded however long a line runs on
    };
    size_t i = 0;
    while (i + 1 < size) {
        const uint8_t count = data[i], value = data[i + 1];
        i += 2;
        if (count) {
            for (int k = 0; k < count; ++k) put(four ? ((k & 1) ? value & 0x0F : value >> 4) : value);
            continue;
        }
        switch (value) {
        case 0:  // end of line
            x = 0;
            ++y;
            break;
        case 1:  // end of bitmap
            return true;
        case 2:  // move right and up
            if (i + 1 >= size) return false;
            x = std::min(x + data[i], f.width);
            y = std::min(y + data[i + 1], f.height);
            i += 2;
            break;
        default: {  // a literal run, padded to a word
            const size_t bytes = four ? (value + 1u) / 2 : value;
            if (i + bytes > size) return false;
            for (int k = 0; k < value; ++k) {
                const uint8_t b = data[i + (four ? k / 2 : k)];
                put(four ? ((k & 1) ? b & 0x0F : b >> 4) : b);
            }
            i += (bytes + 1) & ~size_t(1);
            break;
        }
        }
        if (y > f.height) return true;  // past the top: nothing more can land
    }
    // Data that ends without an end-of-bitmap marker keeps what it drew.
    return true;
}

}  // namespace hmigfx::win32
