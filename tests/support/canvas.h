// The one test canvas: a DIB section of any depth in a memory DC, its pixels
// read straight from the bits. Where the MFC subset is on the include path
// the DC is a CDC. Free of the test framework, so the script tool uses it too.
#pragma once

#include <windows.h>
#if __has_include(<afxwin.h>)
#include <afxwin.h>
#define HMIGFX_TEST_MFC 1
#endif

#include <hmigfx/png_io.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace testsupport {

using Image = hmigfx::pngio::Image;

constexpr COLORREF kWhite = RGB(255, 255, 255);

// A COLORREF (0x00BBGGRR) as a DIB word (0xRRGGBB), and back.
inline uint32_t rgbOf(COLORREF c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }
inline COLORREF colorOf(uint32_t p) { return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF); }

// A w x h top-down DIB section of bpp bits (a colour table for 8 bits and
// fewer) selected into a memory DC, filled with `fill`.
class Canvas {
public:
    Canvas(int w, int h, COLORREF fill = kWhite, int bpp = 32, const std::vector<RGBQUAD>& table = {})
        : w_(w), h_(h), bpp_(bpp) {
        std::vector<unsigned char> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
        auto* bi = reinterpret_cast<BITMAPINFO*>(info.data());
        bi->bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, static_cast<WORD>(bpp), BI_RGB, 0, 0, 0,
                         static_cast<DWORD>(table.size()), 0};
        std::copy(table.begin(), table.end(), bi->bmiColors);
        HDC mem = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(mem, bi, DIB_RGB_COLORS, &bits_, nullptr, 0);
        old_ = SelectObject(mem, bitmap_);
#ifdef HMIGFX_TEST_MFC
        dc.Attach(mem);
#else
        dc = mem;
#endif
        if (bits_) clear(fill);
    }
    ~Canvas() {
        SelectObject(hdc(), old_);
        DeleteObject(bitmap_);
#ifdef HMIGFX_TEST_MFC
        AfxUnlockTempMaps();  // the CDC deletes the DC
#else
        DeleteDC(dc);
#endif
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC hdc() const { return dc; }
    int width() const { return w_; }
    int height() const { return h_; }
    HBITMAP bitmap() const { return bitmap_; }
    void* raw() const { return bits_; }
    uint32_t* bits() const { return static_cast<uint32_t*>(bits_); }  // 32 bits only

    // Straight to the bits (32 bits), past the DC's origin and clip.
    void clear(COLORREF c) {
        if (bpp_ == 32) {
            std::fill(bits(), bits() + size_t(w_) * h_, rgbOf(c));
            return;
        }
        POINT org;
        SetViewportOrgEx(hdc(), 0, 0, &org);
        HBRUSH b = CreateSolidBrush(c);
        const RECT r{0, 0, w_, h_};
        FillRect(hdc(), &r, b);
        DeleteObject(b);
        SetViewportOrgEx(hdc(), org.x, org.y, nullptr);
    }
    // The pixel as 0xRRGGBB (32 bits only), and as a COLORREF.
    uint32_t at(int x, int y) const { return bits()[size_t(y) * w_ + x] & 0xFFFFFF; }
    COLORREF color(int x, int y) const { return colorOf(at(x, y)); }
    bool is(int x, int y, COLORREF c) const { return at(x, y) == rgbOf(c); }
    bool white(int x, int y) const { return at(x, y) == 0xFFFFFF; }
    Image image() const {
        Image im;
        im.width = w_;
        im.height = h_;
        im.pixels.resize(size_t(w_) * h_);
        for (size_t i = 0; i < im.pixels.size(); ++i) im.pixels[i] = bits()[i] & 0xFFFFFF;
        return im;
    }
    std::vector<uint32_t> pixels() const { return image().pixels; }
    // Pixels that are not `background`, and their bounding box (right < left: none).
    int ink(COLORREF background = kWhite) const {
        int n = 0;
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x) n += !is(x, y, background);
        return n;
    }
    RECT inkBox(COLORREF background = kWhite) const {
        RECT r{w_, h_, -1, -1};
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x)
                if (!is(x, y, background))
                    r = {std::min<LONG>(r.left, x), std::min<LONG>(r.top, y), std::max<LONG>(r.right, x),
                         std::max<LONG>(r.bottom, y)};
        return r;
    }

#ifdef HMIGFX_TEST_MFC
    CDC dc;
#else
    HDC dc = nullptr;
#endif

private:
    int w_, h_, bpp_;
    void* bits_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

// Selects a GDI object for the life of the guard and deletes it afterwards.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ obj) : dc_(dc), obj_(obj), old_(SelectObject(dc, obj)) {}
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

}  // namespace testsupport
