// A white 32-bit DIB section selected into a memory CDC, for drawing through
// CMyDC and through plain GDI calls and comparing the pixels; and a CMyDC that
// lets the tests reach its protected text helpers.
#pragma once

#include <hmigfx/my_dc.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace texttest {

class Canvas {
public:
    Canvas(int width, int height, COLORREF fill = 0xFFFFFF) : width_(width), height_(height) {
        dc.CreateCompatibleDC(nullptr);
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_.Attach(CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<uint32_t*>(bits);
        oldBitmap_ = dc.SelectObject(bitmap_.m_hObject);
        HBRUSH brush = CreateSolidBrush(fill);
        RECT all{0, 0, width, height};
        FillRect(dc, &all, brush);
        DeleteObject(brush);
    }
    ~Canvas() {
        if (oldBitmap_) dc.SelectObject(oldBitmap_);
        AfxUnlockTempMaps();
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    // 0xRRGGBB, as the PNG reader gives them.
    uint32_t at(int x, int y) const { return bits_[y * width_ + x] & 0xFFFFFF; }
    const uint32_t* bits() const { return bits_; }

    CDC dc;

private:
    int width_, height_;
    CBitmap bitmap_;
    uint32_t* bits_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
};

// Pixels that differ, and where the first one is.
inline ::testing::AssertionResult SamePixels(const Canvas& a, const Canvas& b) {
    int differing = 0, fx = -1, fy = -1;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.at(x, y) != b.at(x, y) && differing++ == 0) fx = x, fy = y;
    if (differing == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << differing << " pixels differ, the first at (" << fx << ", " << fy
                                         << ")";
}

inline int InkCount(const Canvas& c, uint32_t background = 0xFFFFFF) {
    int n = 0;
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) n += c.at(x, y) != background;
    return n;
}

inline LOGFONTW Font(int height, const wchar_t* face = L"Arial", int escapement = 0) {
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWeight = FW_NORMAL;
    lf.lfEscapement = escapement;
    lf.lfQuality = NONANTIALIASED_QUALITY;
    std::wstring(face).copy(lf.lfFaceName, LF_FACESIZE - 1);
    return lf;
}

// The extent of s in lf, read back from the GDI.
inline SIZE Extent(const LOGFONTW& lf, const std::wstring& s) {
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT f = CreateFontIndirectW(&lf);
    HGDIOBJ old = SelectObject(dc, f);
    SIZE sz{};
    GetTextExtentPoint32W(dc, s.c_str(), static_cast<int>(s.size()), &sz);
    SelectObject(dc, old);
    DeleteObject(f);
    DeleteDC(dc);
    return sz;
}

// CMyDC with its protected text helpers in reach.
class TextDC : public CMyDC {
public:
    using CMyDC::CMyDC;
    using CMyDC::CheckTextRect;
    using CMyDC::GetLine;
};

}  // namespace texttest
