// Caller-supplied DIB descriptions (BITMAPINFO, BITMAPCOREINFO, .bmp files),
// validated field by field before any pixel is read.
#pragma once

#include "blit_p.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace hmigfx::win32 {

// A DIB is at most this many bytes of pixels; anything larger is refused.
constexpr size_t kMaxDibBytes = size_t(1) << 30;

struct DibFormat {
    int width = 0;
    int height = 0;             // rows, always positive
    int bpp = 0;                // 1, 4, 8, 16, 24 or 32
    bool topDown = false;
    DWORD compression = BI_RGB; // BI_RGB, BI_BITFIELDS, BI_RLE8 or BI_RLE4
    bool is565 = false;         // 16 bpp with 5-6-5 masks
    bool core = false;          // BITMAPCOREHEADER
    size_t headerSize = 0;      // the header with its masks and colour table
    size_t stride = 0;          // bytes per uncompressed row
    size_t compressedSize = 0;  // RLE: biSizeImage
    std::vector<RGBQUAD> colors;  // 2^bpp entries for bpp <= 8

    size_t imageSize() const { return stride * static_cast<size_t>(height); }
    bool rle() const { return compression == BI_RLE8 || compression == BI_RLE4; }
};

// Reads a DIB header. avail is how many bytes may be read at info (SIZE_MAX
// when the caller's buffer size is unknown). DIB_PAL_COLORS tables index the
// palette selected into dc (the default palette when dc is null). False for
// anything malformed or unsupported.
bool readDibFormat(const void* info, size_t avail, UINT usage, const DC* dc, DibFormat& out);

// Bytes per row of width pixels at bpp, rows DWORD aligned.
size_t dibStride(int width, int bpp);

// A surface over rows DIB rows stored at bits (read only use).
Surface dibSurface(const DibFormat& f, const void* bits, int rows);

// Expands RLE8/RLE4 data of size bytes into bottom-up rows of f's stride.
// Pixels the data does not reach stay index 0. False for malformed data, and
// for a picture of over 128 pixels per byte of data (and over a million).
bool decodeRle(const DibFormat& f, const uint8_t* data, size_t size, std::vector<uint8_t>& out);

// Copies (stretching when the extents differ) into a bitmap's own pixels,
// whichever DC holds it. Monochrome DDBs match colours to black and white.
void blitIntoBitmap(Bitmap& b, const BlitSource& src, BlitCoords d, BlitCoords s);

}  // namespace hmigfx::win32
