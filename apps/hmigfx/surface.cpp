#include "surface.h"

#include <cstdio>

namespace hmigfx::app {

Surface::Surface(int width, int height) : m_width(width), m_height(height) {
    if (width <= 0 || height <= 0 || !m_dc.CreateCompatibleDC(nullptr)) return;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    m_bitmap = ::CreateDIBSection(m_dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!m_bitmap) return;
    m_oldBitmap = ::SelectObject(m_dc, m_bitmap);
    m_bits = static_cast<uint32_t*>(bits);
}

Surface::~Surface() {
    if (m_oldBitmap) ::SelectObject(m_dc, m_oldBitmap);
    if (m_bitmap) ::DeleteObject(m_bitmap);
}

void Surface::fill(COLORREF color) {
    const uint32_t px = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
    const size_t n = static_cast<size_t>(m_width) * m_height;
    for (size_t i = 0; i < n; ++i) m_bits[i] = px;
}

pngio::Image Surface::toImage() const {
    pngio::Image image;
    image.width = m_width;
    image.height = m_height;
    image.pixels.resize(static_cast<size_t>(m_width) * m_height);
    for (size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = m_bits[i] & 0xFFFFFF;
    return image;
}

bool Surface::writePng(const std::string& path, std::string* error) const {
    if (pngio::writePng(path, toImage(), error)) return true;
    std::remove(path.c_str());
    return false;
}

}  // namespace hmigfx::app
