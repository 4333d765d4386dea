// Brush creation and the paint tile a brush gives under a DC's state.
#include "blit_p.h"
#include "dc_p.h"
#include "dib_format_p.h"
#include "stock_objects_p.h"

#include <cstdint>

using namespace hmigfx::win32;

namespace {

// 8x8 hatch bitmaps, one byte per row, most significant bit leftmost; a set
// bit is a hatch line pixel.
const uint8_t kHatches[6][8] = {
    {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00},  // HS_HORIZONTAL: row 3
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08},  // HS_VERTICAL: column 4
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},  // HS_FDIAGONAL: x == y
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // HS_BDIAGONAL: x + y == 7
    {0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08, 0x08},  // HS_CROSS
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // HS_DIAGCROSS
};

HBRUSH newBrush(std::unique_ptr<Brush> b) { return addTyped(std::move(b)); }

// Copies a packed DIB into the brush's pattern. DIB_PAL_COLORS tables are
// resolved against the default palette, the one every DC here has selected.
bool takeDib(Brush& b, const void* packed, UINT usage) {
    DibFormat f;
    if (!readDibFormat(packed, SIZE_MAX, usage, nullptr, f) || f.rle()) return false;
    // A pattern is a tile: refuse ones too big to copy sensibly.
    if (static_cast<int64_t>(f.width) * f.height > (int64_t{1} << 24)) return false;
    const Surface src = dibSurface(f, static_cast<const uint8_t*>(packed) + f.headerSize, f.height);
    b.patWidth = f.width;
    b.patHeight = f.height;
    b.patMono = false;
    b.patColors.resize(static_cast<size_t>(f.width) * f.height);
    for (int y = 0; y < f.height; ++y)
        for (int x = 0; x < f.width; ++x) {
            const uint32_t v = readPixel(src, x, y);
            b.patColors[static_cast<size_t>(y) * f.width + x] =
                f.bpp == 16 && f.is565 ? pixel565ToColor(v) : pixelToColor(src, v);
        }
    return true;
}

}  // namespace

namespace hmigfx::win32 {

void buildBrushPaint(const DC& dc, const Brush* b, int rop2, PaintTile& out) {
    const Surface& s = dc.surface;
    const uint32_t mask = s.pixelMask();
    auto pairFor = [&](COLORREF c) { return rop2Pair(rop2, colorToPixel(s, c), mask); };
    if (!b) {
        out.setNone();
        return;
    }
    switch (b->style) {
    case BS_SOLID:
        out.setSolid(pairFor(b->dcBrush ? dc.st.dcBrushColor : b->color));
        return;
    case BS_HATCHED: {
        const RopPair line = pairFor(b->color);
        const RopPair gap = dc.st.bkMode == OPAQUE ? pairFor(dc.st.bkColor) : nopPair(mask);
        const uint8_t* rows = kHatches[b->hatch <= HS_DIAGCROSS ? b->hatch : 0];
        out.resize(8, 8);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) out.pairs[y * 8 + x] = (rows[y] & (0x80 >> x)) ? line : gap;
        out.finish();
        return;
    }
    case BS_PATTERN:
    case BS_DIBPATTERN:
    case BS_DIBPATTERNPT: {
        if (b->patWidth <= 0 || b->patHeight <= 0) {
            out.setNone();
            return;
        }
        out.resize(b->patWidth, b->patHeight);
        if (b->patMono) {
            // A 0 bit takes the text colour, a 1 bit the background colour.
            const RopPair fg = pairFor(dc.st.textColor), bg = pairFor(dc.st.bkColor);
            for (size_t i = 0; i < out.pairs.size(); ++i) out.pairs[i] = b->monoBits[i] ? bg : fg;
        } else {
            for (size_t i = 0; i < out.pairs.size(); ++i) out.pairs[i] = pairFor(b->patColors[i]);
        }
        out.finish();
        return;
    }
    default:
        out.setNone();
        return;
    }
}

}  // namespace hmigfx::win32

extern "C" {

HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
    auto b = std::make_unique<Brush>();
    b->style = BS_SOLID;
    b->color = color;
    return newBrush(std::move(b));
}

HBRUSH WINAPI CreateHatchBrush(int hatch, COLORREF color) {
    if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS) return nullptr;
    auto b = std::make_unique<Brush>();
    b->style = BS_HATCHED;
    b->color = color;
    b->hatch = static_cast<ULONG_PTR>(hatch);
    return newBrush(std::move(b));
}

HBRUSH WINAPI CreatePatternBrush(HBITMAP hbm) {
    Bitmap* bmp = lookup<Bitmap>(hbm);
    if (!bmp) return nullptr;
    const Surface s = bmp->surface();
    auto b = std::make_unique<Brush>();
    b->style = BS_PATTERN;
    b->hatch = reinterpret_cast<ULONG_PTR>(hbm);
    b->patWidth = s.width;
    b->patHeight = s.height;
    // Only monochrome device-dependent bitmaps take the DC's text and
    // background colours; a 1-bpp DIB section keeps its colour table.
    b->patMono = s.bpp == 1 && !bmp->dib;
    const size_t count = static_cast<size_t>(s.width) * s.height;
    if (b->patMono)
        b->monoBits.resize(count);
    else
        b->patColors.resize(count);
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x) {
            const uint32_t v = readPixel(s, x, y);
            const size_t i = static_cast<size_t>(y) * s.width + x;
            if (b->patMono)
                b->monoBits[i] = static_cast<uint8_t>(v & 1);
            else
                b->patColors[i] = pixelToColor(s, v);
        }
    return newBrush(std::move(b));
}

HBRUSH WINAPI CreateDIBPatternBrushPt(const void* packed, UINT usage) {
    // Windows maps nothing in the first 64 KiB: a small value in lbHatch
    // (CreateBrushIndirect, ExtCreatePen) is no DIB, and no reason to crash.
    if (reinterpret_cast<uintptr_t>(packed) < 0x10000) return nullptr;
    auto b = std::make_unique<Brush>();
    b->style = BS_DIBPATTERNPT;
    b->color = usage;
    b->hatch = reinterpret_cast<ULONG_PTR>(packed);
    if (!takeDib(*b, packed, usage)) return nullptr;
    return newBrush(std::move(b));
}

HBRUSH WINAPI CreateDIBPatternBrush(HGLOBAL mem, UINT usage) {
    const void* packed = GlobalLock(mem);
    if (!packed) return nullptr;
    auto b = std::make_unique<Brush>();
    b->style = BS_DIBPATTERN;
    b->color = usage;
    b->hatch = reinterpret_cast<ULONG_PTR>(mem);
    const bool ok = takeDib(*b, packed, usage);
    GlobalUnlock(mem);
    return ok ? newBrush(std::move(b)) : nullptr;
}

HBRUSH WINAPI CreateBrushIndirect(const LOGBRUSH* lb) {
    if (!lb) return nullptr;
    switch (lb->lbStyle) {
    case BS_SOLID: return CreateSolidBrush(lb->lbColor);
    case BS_NULL: return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    case BS_HATCHED: return CreateHatchBrush(static_cast<int>(lb->lbHatch), lb->lbColor);
    case BS_PATTERN:
    case BS_PATTERN8X8: return CreatePatternBrush(reinterpret_cast<HBITMAP>(lb->lbHatch));
    case BS_DIBPATTERN: return CreateDIBPatternBrush(reinterpret_cast<HGLOBAL>(lb->lbHatch), lb->lbColor & 0xFFFF);
    case BS_DIBPATTERNPT:
    case BS_DIBPATTERN8X8:
        return CreateDIBPatternBrushPt(reinterpret_cast<const void*>(lb->lbHatch), lb->lbColor & 0xFFFF);
    default: return nullptr;
    }
}

}  // extern "C"
