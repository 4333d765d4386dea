// Blits: pixel format conversion between surfaces and the ROP3 blit engine
// shared by BitBlt, StretchBlt, MaskBlt, StretchDIBits and SetDIBitsToDevice.
#pragma once

#include "dc_p.h"
#include "rop3_p.h"

#include <cstdint>
#include <vector>

namespace hmigfx::win32 {

// Where blitted pixels come from.
struct BlitSource {
    Surface s;
    // 1 bpp without a colour table (a monochrome DDB): 0 bits take the
    // destination DC's text colour, 1 bits its background colour.
    bool monoNoTable = false;
    // 16 bpp sources may be 5-6-5 (from BI_BITFIELDS DIBs); surfaces are 5-5-5.
    bool is565 = false;
    // The source DC's background colour: a colour source blitted into a
    // monochrome DDB gives 1 where its pixel has this colour, 0 elsewhere.
    COLORREF bkColor = RGB(255, 255, 255);
};

// Describes a blit destination for the conversion.
struct BlitTarget {
    Surface s;
    bool monoNoTable = false;  // a monochrome DDB
    COLORREF textColor = 0;
    COLORREF bkColor = RGB(255, 255, 255);
};

BlitTarget blitTargetOf(const DC& dc);
// The source side of a DC; false when it has no pixels.
bool blitSourceOf(const DC& dc, BlitSource& out);

// Reads raw pixel values of row y, [x, x + n), one uint32 each.
void unpackRow(const Surface& s, int y, int x, int n, uint32_t* out);
// Writes raw pixel values to row y, [x, x + n).
void packRow(const Surface& s, int y, int x, int n, const uint32_t* in);

// The colour of a raw value of a 16-bit 5-6-5 pixel.
COLORREF pixel565ToColor(uint32_t p);

// Turns source pixels into destination raw values the way GDI converts
// formats: through colour tables, with the DC colours for monochrome DDBs.
class PixelConverter {
public:
    PixelConverter(const BlitSource& src, const BlitTarget& dst);
    // Source row y, [x, x + n) as destination raw values.
    void convertRow(int y, int x, int n, uint32_t* out) const;
    // One source raw value as a destination raw value.
    uint32_t convert(uint32_t raw) const;
    // Source raw values need no translation.
    bool isRaw() const { return mode_ == Mode::Raw; }

private:
    enum class Mode { Raw, Table, Direct, ToMonoDdb };
    uint32_t colorToTarget(COLORREF c) const;
    COLORREF sourceColor(uint32_t raw) const;

    const BlitSource& src_;
    const BlitTarget& dst_;
    Mode mode_ = Mode::Raw;
    uint32_t table_[256] = {};
    uint32_t monoBk_ = 0;  // ToMonoDdb: the source raw value that becomes 1
    bool bkByColor_ = false;
    mutable std::vector<int16_t> nearestCache_;  // 8-bpp targets: index per 5-5-5 colour
};

// Device-coordinate rectangle of a blit: origin and extents (may be negative).
struct BlitCoords {
    int x = 0, y = 0, w = 0, h = 0;
};

// A monochrome mask selecting between MaskBlt's two operations per pixel.
struct BlitMask {
    Surface s;     // 1 bpp
    int x = 0;     // mask pixel of the destination rectangle's top-left
    int y = 0;
};

// Where a blit draws: a DC, or a bare surface (the DIB calls) without a brush.
struct BlitDest {
    Surface s;
    const PixRegion* visible = nullptr;  // device coordinates, within the surface
    BlitTarget target;
    DC* dc = nullptr;                    // supplies the pattern; null: operations see no brush
};

BlitDest blitDestOf(DC& dc);

// The blit engine. rop's low code (bits 16..23) is the operation; with a
// mask, bits 24..31 are the operation where the mask bit is 0. src may be
// null when no operation reads a source. Coordinates are device coordinates.
bool runBlit(const BlitDest& dst, const BlitSource* src, BlitCoords d, BlitCoords s, DWORD rop, int stretchMode,
             const BlitMask* mask);

// The operations with a source go through runBlit; the others are PatBlt.
bool blitWithDcs(HDC hdst, int xd, int yd, int wd, int hd, HDC hsrc, int xs, int ys, int ws, int hs, DWORD rop);

}  // namespace hmigfx::win32
