// Shared helpers of the 3-D engine's tests.
#pragma once

#include <hmigfx/object3d.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

// Reaches the private formation and shading steps.
struct Object3DInspector {
    static COLORREF getColor(Object3D& o, _ITEM* item, Point3D normal) { return o.getColor(item, normal); }
    static void ModifyRotationItem(Object3D& o, _ITEM* item) { o.ModifyRotationItem(item); }
    static void FormationScalingPoint(Object3D& o, Point3D* p, int n, int cx, int cy, float f) {
        o.FormationScalingPoint(p, n, cx, cy, f);
    }
    static void DeleteItem(Object3D& o, _ITEM* item) { o.DeleteItem(item); }
};

namespace object3d_test {

struct ItemReleaser {
    void operator()(_ITEM* item) const { Object3D::ReleaseItem(item); }
};
using ItemPtr = std::unique_ptr<_ITEM, ItemReleaser>;

inline ItemPtr makeItem(Object3D& o, std::vector<POINT> pts, short shape = 0) {
    return ItemPtr(o.CreatePolygonItem(shape, pts.data(), static_cast<int>(pts.size())));
}

// The 100 x 100 square, clockwise on the screen.
inline std::vector<POINT> square() { return {{0, 0}, {100, 0}, {100, 100}, {0, 100}}; }

// The L-shaped outline: an upper arm to the right, a lower arm downward.
inline std::vector<POINT> lShape() { return {{0, 0}, {100, 0}, {100, 50}, {50, 50}, {50, 100}, {0, 100}}; }

}  // namespace object3d_test

namespace object3d_test {

// A white 32-bpp top-down DIB section selected into a memory DC; pixels are
// read straight from its bits.
struct Canvas {
    CDC dc;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    uint32_t* bits = nullptr;
    int width, height;

    Canvas(int w, int h) : width(w), height(h) {
        dc.CreateCompatibleDC(nullptr);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* p = nullptr;
        bitmap = ::CreateDIBSection(dc.GetSafeHdc(), &info, DIB_RGB_COLORS, &p, nullptr, 0);
        bits = static_cast<uint32_t*>(p);
        old = ::SelectObject(dc.GetSafeHdc(), bitmap);
        clear();
    }
    ~Canvas() {
        ::SelectObject(dc.GetSafeHdc(), old);
        ::DeleteObject(bitmap);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // Straight to the bits: unaffected by the DC's viewport origin.
    void clear() { std::fill(bits, bits + static_cast<size_t>(width) * static_cast<size_t>(height), 0x00FFFFFFu); }
    // The pixel as a COLORREF.
    COLORREF at(int x, int y) const {
        const uint32_t v = bits[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
};

}  // namespace object3d_test
