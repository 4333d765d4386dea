// The GDI object kinds other than DCs and regions.
#pragma once

#include "handle_table_p.h"
#include "surface_p.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace hmigfx::win32 {

struct DC;

struct Bitmap : GdiObject {
    using Handle = HBITMAP;
    static bool accepts(Kind k) { return k == Kind::Bitmap; }
    Bitmap() : GdiObject(Kind::Bitmap) {}
    ~Bitmap() override;

    // Allocates zeroed storage for width x height at bpp. DDB rows are WORD
    // aligned, DIB rows DWORD aligned. False when the size is unreasonable.
    bool allocate(int width, int height, int bpp, bool dib, bool topDown);
    Surface surface() const;

    int width = 0;
    int height = 0;
    int bpp = 0;
    int stride = 0;          // bytes per stored row
    bool dib = false;        // a DIB section (bits visible to the caller)
    bool topDown = true;     // storage order; DDBs are always top-down
    uint8_t* bits = nullptr; // owned, stable for the bitmap's life
    size_t byteSize = 0;
    std::vector<RGBQUAD> colors;   // palette for bpp <= 8
    BITMAPINFOHEADER header{};     // as given to CreateDIBSection
    DWORD bitfields[3] = {0, 0, 0};
    DC* selectedInto = nullptr;    // a bitmap is selected into at most one DC
};

struct Brush;

struct Pen : GdiObject {
    using Handle = HPEN;
    static bool accepts(Kind k) { return k == Kind::Pen || k == Kind::ExtPen; }
    explicit Pen(Kind k) : GdiObject(k) {}

    DWORD style = PS_SOLID;   // the full style: type, end cap, join and dash style
    int width = 1;            // device pixels; 0 and 1 are cosmetic
    LOGBRUSH brush{BS_SOLID, 0, 0};
    std::vector<DWORD> userStyle;  // PS_USERSTYLE entries
    bool dcPen = false;            // DC_PEN: takes the DC's pen colour
    std::shared_ptr<Brush> fill;   // geometric pens with a hatch or pattern brush

    DWORD dashStyle() const { return style & PS_STYLE_MASK; }
    bool geometric() const { return (style & PS_TYPE_MASK) == PS_GEOMETRIC; }
};

struct Brush : GdiObject {
    using Handle = HBRUSH;
    static bool accepts(Kind k) { return k == Kind::Brush; }
    Brush() : GdiObject(Kind::Brush) {}

    UINT style = BS_SOLID;
    COLORREF color = 0;
    ULONG_PTR hatch = 0;       // what GetObject reports as lbHatch
    bool dcBrush = false;      // DC_BRUSH: takes the DC's brush colour

    // Pattern brushes keep a copy of the pattern: either monochrome bits
    // (1 = background colour, 0 = text colour, as GDI maps them) or colours.
    int patWidth = 0;
    int patHeight = 0;
    bool patMono = false;
    std::vector<uint8_t> monoBits;    // patWidth * patHeight, 0 or 1
    std::vector<COLORREF> patColors;  // patWidth * patHeight
};

struct Palette : GdiObject {
    using Handle = HPALETTE;
    static bool accepts(Kind k) { return k == Kind::Palette; }
    Palette() : GdiObject(Kind::Palette) {}
    std::vector<PALETTEENTRY> entries;
};

}  // namespace hmigfx::win32

namespace hmigfx::win32 {

class FontInstance;

struct Font : GdiObject {
    using Handle = HFONT;
    static bool accepts(Kind k) { return k == Kind::Font; }
    Font() : GdiObject(Kind::Font) {}
    LOGFONTW logfont{};
    std::shared_ptr<FontInstance> instance;  // realised on first use
};

}  // namespace hmigfx::win32
