// Comparing pixels drawn through CMyDC and through plain GDI calls on the
// shared test canvas, text measures, and a CMyDC that lets the tests reach its
// protected text helpers.
#pragma once

#include <hmigfx/my_dc.h>

#include "../dc/canvas.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace texttest {

using testing_canvas::Canvas;

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
