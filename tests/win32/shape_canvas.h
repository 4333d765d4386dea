// A 32-bit top-down DIB section selected into a memory DC, for the line and
// shape tests.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace shapetest {

inline uint32_t xrgb(COLORREF c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }

class Canvas {
public:
    explicit Canvas(int w, int h, COLORREF fill = RGB(255, 255, 255)) : width(w), height(h) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        void* p = nullptr;
        bmp_ = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
        bits = static_cast<uint32_t*>(p);
        dc = CreateCompatibleDC(nullptr);
        old_ = SelectObject(dc, bmp_);
        clear(fill);
    }
    ~Canvas() {
        SelectObject(dc, old_);
        DeleteDC(dc);
        DeleteObject(bmp_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    void clear(COLORREF c) { std::fill(bits, bits + size_t(width) * height, xrgb(c)); }
    uint32_t at(int x, int y) const { return bits[size_t(y) * width + x]; }
    bool is(int x, int y, COLORREF c) const { return at(x, y) == xrgb(c); }
    std::vector<uint32_t> pixels() const { return {bits, bits + size_t(width) * height}; }
    // Pixels that are not the given colour.
    long countNot(COLORREF c) const {
        long n = 0;
        for (size_t i = 0; i < size_t(width) * height; ++i) n += bits[i] != xrgb(c);
        return n;
    }

    HDC dc = nullptr;
    int width, height;
    uint32_t* bits = nullptr;

private:
    HBITMAP bmp_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

// Selects a GDI object for the life of the guard and deletes it afterwards.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ obj) : dc_(dc), obj_(obj) { old_ = SelectObject(dc, obj); }
    ~Selected() {
        SelectObject(dc_, old_);
        DeleteObject(obj_);
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC dc_;
    HGDIOBJ obj_, old_;
};

}  // namespace shapetest
