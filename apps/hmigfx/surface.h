// A 32-bit picture in memory with a DC to draw on it, and its PNG output.
#pragma once

#include <hmigfx/hmigfx.h>
#include <hmigfx/png_io.h>

#include <cstdint>
#include <string>

namespace hmigfx::app {

class Surface {
public:
    // A top-down 32-bit DIB section selected into a memory DC. ok() is false
    // when the size is refused or memory runs out.
    Surface(int width, int height);
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    bool ok() const { return m_bits != nullptr; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    CDC& dc() { return m_dc; }
    // 0x00RRGGBB pixels, top row first.
    const uint32_t* pixels() const { return m_bits; }
    uint32_t pixel(int x, int y) const { return m_bits[static_cast<size_t>(y) * m_width + x] & 0xFFFFFF; }

    void fill(COLORREF color);
    pngio::Image toImage() const;
    // Writes the PNG; a failed write leaves no file behind.
    bool writePng(const std::string& path, std::string* error) const;

private:
    int m_width;
    int m_height;
    CDC m_dc;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
    uint32_t* m_bits = nullptr;
};

}  // namespace hmigfx::app
