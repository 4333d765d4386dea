// Device contexts: the drawing state, the surface of the selected bitmap and the
// visible region (clip region intersected with the surface).
#pragma once

#include "handle_table_p.h"
#include "objects_p.h"
#include "paint_p.h"
#include "pen_p.h"
#include "region_p.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace hmigfx::win32 {

// Device coordinates are kept within this magnitude so that the 64-bit
// arithmetic of the rasterisers cannot overflow; anything beyond is far off
// every surface anyway.
constexpr int64_t kMaxDeviceCoord = int64_t{1} << 30;

inline int clampDevice(int64_t v) {
    return static_cast<int>(std::clamp(v, -kMaxDeviceCoord, kMaxDeviceCoord));
}

// What GDI reports in logical coordinates (origins, positions, boxes) takes
// its 32-bit arithmetic, which wraps.
inline LONG wrap32(int64_t v) { return static_cast<LONG>(static_cast<uint32_t>(v)); }

// A horizontal run of pixels in device coordinates, len > 0.
struct Span {
    int x;
    int y;
    int len;
};

// Everything SaveDC keeps.
struct DCState {
    POINT viewportOrg{0, 0};
    POINT windowOrg{0, 0};
    POINT brushOrg{0, 0};
    POINT curPos{0, 0};
    COLORREF bkColor = RGB(255, 255, 255);
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF dcBrushColor = RGB(255, 255, 255);
    COLORREF dcPenColor = RGB(0, 0, 0);
    int bkMode = OPAQUE;
    int rop2 = R2_COPYPEN;
    int polyFillMode = ALTERNATE;
    int stretchMode = BLACKONWHITE;
    int mapMode = MM_TEXT;
    int arcDirection = AD_COUNTERCLOCKWISE;
    int graphicsMode = GM_COMPATIBLE;
    UINT textAlign = TA_LEFT | TA_TOP | TA_NOUPDATECP;
    HPEN pen = nullptr;
    HBRUSH brush = nullptr;
    HFONT font = nullptr;
    HBITMAP bitmap = nullptr;
    HPALETTE palette = nullptr;
    std::optional<PixRegion> clip;  // device coordinates; none = no clipping
};

struct PrinterDC;

struct DC : GdiObject {
    using Handle = HDC;
    static bool accepts(Kind k) { return k == Kind::DC; }
    DC() : GdiObject(Kind::DC) {}
    ~DC() override;

    DCState st;
    std::vector<DCState> saved;
    Bitmap* screen = nullptr;  // the virtual screen's surface for GetDC(NULL) DCs, a window's layer for window DCs
    std::shared_ptr<PrinterDC> printer;  // printer DCs: the device, the document, the page's journal

    // Window DCs: the part of the window's layer they address (its client
    // area or all of it) and the system clip (the update region while
    // painting), in the DC's device coordinates.
    HWND window = nullptr;
    bool wholeWindow = false;
    std::optional<Surface> windowView;
    std::optional<PixRegion> systemClip;

    // Derived state. The pen is realised whenever one is selected.
    RealisedPen realisedPen;
    Surface surface;         // of the selected bitmap
    PixRegion visible;       // clip ∩ surface bounds, device coordinates
    bool paintsStale = true;
    PaintTile penPaint;      // cosmetic pen colour
    PaintTile penGapPaint;   // gaps of dashed CreatePen pens (background colour, OPAQUE mode)
    PaintTile brushPaint;
    PaintTile scratchPaint;  // for calls that paint with another brush or ROP
    std::vector<Span> scratchSpans;  // reused by every primitive

    // Logical (MM_TEXT) to device coordinates, kept within kMaxDeviceCoord.
    int devX(int x) const { return clampDevice(int64_t{x} - st.windowOrg.x + st.viewportOrg.x); }
    int devY(int y) const { return clampDevice(int64_t{y} - st.windowOrg.y + st.viewportOrg.y); }
    POINT toDevice(POINT p) const { return {devX(p.x), devY(p.y)}; }
    RECT toDevice(const RECT& r) const { return {devX(r.left), devY(r.top), devX(r.right), devY(r.bottom)}; }

    Pen* pen() const;
    Brush* brush() const;
    Bitmap* bitmap() const;  // the surface's bitmap (the screen's for screen DCs)

    // Call whenever the selected pen changes.
    void realisePen();
    // Call after anything the paints depend on changes (objects, colours, modes).
    void invalidatePaints() { paintsStale = true; }
    void refreshPaints();
    // Call after the clip region or the selected bitmap changes.
    void updateVisible();
    // Swap in a state (SelectObject bookkeeping included); used by RestoreDC.
    void replaceState(DCState&& s);
};

// Selects h into dc's current state, holding it and releasing the old object.
// Returns the previously selected handle.
HGDIOBJ selectInto(DC& dc, GdiObject* obj);

// Paints the spans through the visible region with the tile's raster operation.
// Tiles are aligned to origin (device coordinates).
void paintSpans(const Surface& s, const PixRegion& visible, const PaintTile& tile, POINT origin, const Span* spans,
                size_t count);
// Paints the device rectangle [left,right) x [top,bottom).
void paintRect(const Surface& s, const PixRegion& visible, const PaintTile& tile, POINT origin, const RECT& rc);
// Paints the region (device coordinates).
void paintRegion(const Surface& s, const PixRegion& visible, const PaintTile& tile, POINT origin, const PixRegion& rgn);

// Builds the tile for a brush under the DC's colours and background mode,
// combined with the destination by rop2.
void buildBrushPaint(const DC& dc, const Brush* brush, int rop2, PaintTile& out);

// The DC a handle names (nullptr when invalid).
DC* findDC(HDC h);

// A display DC drawing on the bitmap (the screen, a window's layer).
HDC newDisplayDC(Bitmap* surfaceBitmap);
// DrawFrameControl's scroll arrows and caption buttons (frame_glyphs.cpp).
BOOL drawFrameGlyph(HDC dc, LPRECT rc, UINT type, UINT state);
// GetDC and ReleaseDC of windows (window_paint.cpp).
HDC windowGetDC(HWND h);
int windowReleaseDC(HWND h, DC* dc);

// The binary operation a pattern-only ternary raster operation amounts to
// (PATCOPY -> R2_COPYPEN, DSTINVERT -> R2_NOT, ...); 0 when rop3 reads a source.
int rop3ToRop2(DWORD rop3);

// Paints a device rectangle with a brush under a binary raster operation,
// aligned to the DC's brush origin (PatBlt, FillRect and friends).
void patRect(DC& dc, const Brush* brush, int rop2, const RECT& deviceRect);

}  // namespace hmigfx::win32
