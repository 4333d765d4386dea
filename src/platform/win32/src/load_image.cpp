// LoadImageW for .bmp files: every header field and size is checked against
// the file before a pixel is read, so truncated or lying files fail cleanly.
#include "dib_format_p.h"
#include "kernel_p.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace hmigfx::win32 {
namespace {

// The file system's name for a path: UTF-8, with '/' for '\\'.
std::string utf8Path(const wchar_t* w) {
    std::string out = wideToUtf8(w);
    std::replace(out.begin(), out.end(), '\\', '/');
    return out;
}

bool readWholeFile(const std::string& path, std::vector<uint8_t>& out) {
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!f) return false;
    if (std::fseek(f.get(), 0, SEEK_END) != 0) return false;
    const long size = std::ftell(f.get());
    if (size < 0 || static_cast<unsigned long>(size) > kMaxDibBytes + 65536) return false;
    std::rewind(f.get());
    out.resize(static_cast<size_t>(size));
    return size == 0 || std::fread(out.data(), 1, out.size(), f.get()) == out.size();
}

HBITMAP dibSection(int width, int height, int bpp, const std::vector<RGBQUAD>& colors) {
    std::vector<uint8_t> buf(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    auto* bi = reinterpret_cast<BITMAPINFO*>(buf.data());
    bi->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi->bmiHeader.biWidth = width;
    bi->bmiHeader.biHeight = height;
    bi->bmiHeader.biPlanes = 1;
    bi->bmiHeader.biBitCount = static_cast<WORD>(bpp);
    bi->bmiHeader.biCompression = BI_RGB;
    if (bpp <= 8) std::memcpy(bi->bmiColors, colors.data(), sizeof(RGBQUAD) * colors.size());
    void* bits = nullptr;
    return CreateDIBSection(nullptr, bi, DIB_RGB_COLORS, &bits, nullptr, 0);
}

HBITMAP loadBitmapFile(const std::string& path, int cx, int cy, UINT flags) {
    std::vector<uint8_t> file;
    if (!readWholeFile(path, file)) return nullptr;
    constexpr size_t kFileHeader = 14;
    if (file.size() < kFileHeader + sizeof(BITMAPCOREHEADER) || file[0] != 'B' || file[1] != 'M') return nullptr;
    DWORD offBits;
    std::memcpy(&offBits, file.data() + 10, 4);
    DibFormat f;
    if (!readDibFormat(file.data() + kFileHeader, file.size() - kFileHeader, DIB_RGB_COLORS, nullptr, f)) return nullptr;
    // The pixels start where the file header says, or right after the colour table.
    const size_t after = kFileHeader + f.headerSize;
    const size_t off = offBits ? offBits : after;
    if (off < after || off > file.size()) return nullptr;
    const size_t avail = file.size() - off;
    const uint8_t* pixels = file.data() + off;
    std::vector<uint8_t> expanded;
    if (f.rle()) {
        const size_t n = f.compressedSize ? std::min<size_t>(f.compressedSize, avail) : avail;
        if (!decodeRle(f, pixels, n, expanded)) return nullptr;
        pixels = expanded.data();
    } else if (f.imageSize() > avail) {
        return nullptr;  // truncated
    }

    const int width = cx ? cx : f.width, height = cy ? cy : f.height;
    const bool mono = flags & LR_MONOCHROME;
    HBITMAP bmp;
    if (flags & LR_CREATEDIBSECTION) {
        const int signedHeight = f.topDown ? -height : height;
        if (mono)
            bmp = dibSection(width, signedHeight, 1, {RGBQUAD{0, 0, 0, 0}, RGBQUAD{0xFF, 0xFF, 0xFF, 0}});
        else
            bmp = dibSection(width, signedHeight, f.bpp, f.colors);  // 5-6-5 pixels become 5-5-5
    } else {
        bmp = CreateBitmap(width, height, 1, mono ? 1 : 32, nullptr);
    }
    Bitmap* b = lookup<Bitmap>(bmp);
    if (!b || b->width != width || b->height != height) {
        if (bmp) DeleteObject(bmp);
        return nullptr;
    }
    BlitSource src;
    src.s = dibSurface(f, pixels, f.height);
    src.is565 = f.is565;
    blitIntoBitmap(*b, src, BlitCoords{0, 0, width, height}, BlitCoords{0, 0, f.width, f.height});
    return bmp;
}

}  // namespace
}  // namespace hmigfx::win32

extern "C" {

HANDLE WINAPI LoadImageW(HINSTANCE, LPCWSTR name, UINT type, int cx, int cy, UINT fuLoad) {
    // Only bitmap files: this subset has no resources, icons or cursors.
    if (type != IMAGE_BITMAP || !(fuLoad & LR_LOADFROMFILE) || !name || !*name || cx < 0 || cy < 0) return nullptr;
    return hmigfx::win32::loadBitmapFile(hmigfx::win32::utf8Path(name), cx, cy, fuLoad);
}

}  // extern "C"
