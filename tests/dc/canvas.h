// A 32-bit top-down canvas in a memory DC, for drawing tests of the library.
#pragma once

#include <afxwin.h>

#include <hmigfx/png_io.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace testing_canvas {

// A COLORREF (0x00BBGGRR) as the DIB stores it (0xRRGGBB).
inline uint32_t pixelOf(COLORREF c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }

// A 32-bit top-down canvas in a memory DC, white unless told otherwise.
class Canvas {
public:
    Canvas(int w, int h, COLORREF fill = RGB(255, 255, 255)) : w_(w), h_(h) {
        EXPECT_TRUE(dc.CreateCompatibleDC(nullptr));
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        EXPECT_TRUE(surface_.Attach(CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits_, nullptr, 0)));
        old_ = dc.SelectObject(&surface_)->m_hObject;
        if (fill == RGB(255, 255, 255)) {
            dc.PatBlt(0, 0, w, h, WHITENESS);
        } else {
            CBrush brush(fill);
            dc.FillRect(CRect(0, 0, w, h), &brush);
        }
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    ~Canvas() {
        dc.SelectObject(CBitmap::FromHandle(static_cast<HBITMAP>(old_)));
        AfxUnlockTempMaps();
    }
    int width() const { return w_; }
    int height() const { return h_; }
    // The pixel as 0xRRGGBB, the DIB's own order (see pixelOf for a COLORREF).
    uint32_t at(int x, int y) const { return static_cast<const uint32_t*>(bits_)[y * w_ + x] & 0xFFFFFF; }
    bool white(int x, int y) const { return at(x, y) == 0xFFFFFF; }
    std::vector<uint32_t> pixels() const {
        const auto* p = static_cast<const uint32_t*>(bits_);
        return std::vector<uint32_t>(p, p + static_cast<size_t>(w_) * h_);
    }
    uint32_t* bits() { return static_cast<uint32_t*>(bits_); }

    // How many pixels differ from the golden picture NAME.png (-1: no such picture).
    int differingPixels(const std::string& name) const {
        hmigfx::pngio::Image golden;
        if (!hmigfx::pngio::readImage(std::string(HMIGFX_GOLDEN_DIR) + "/" + name + ".png", golden, nullptr) ||
            golden.width != w_ || golden.height != h_)
            return -1;
        int differ = 0;
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x) differ += at(x, y) != golden.at(x, y);
        return differ;
    }

    // Pixels that differ from the golden picture NAME.png, and where the first is.
    std::string compare(const std::string& name) const {
        hmigfx::pngio::Image golden;
        std::string error;
        if (!hmigfx::pngio::readImage(std::string(HMIGFX_GOLDEN_DIR) + "/" + name + ".png", golden, &error))
            return error;
        if (golden.width != w_ || golden.height != h_) return "size differs";
        int differ = 0, fx = 0, fy = 0;
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x)
                if (at(x, y) != golden.at(x, y) && differ++ == 0) {
                    fx = x;
                    fy = y;
                }
        if (differ == 0) return "";
        return std::to_string(differ) + " pixels differ, first at (" + std::to_string(fx) + ", " +
               std::to_string(fy) + ")";
    }

    CDC dc;

private:
    int w_, h_;
    void* bits_ = nullptr;
    CBitmap surface_;
    HGDIOBJ old_ = nullptr;
};

}  // namespace testing_canvas
