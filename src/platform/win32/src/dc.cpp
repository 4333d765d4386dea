// Device contexts: creation, the state setters and getters, SaveDC/RestoreDC.
#include "dc_p.h"
#include "printer_p.h"
#include "stock_objects_p.h"

#include <cstdint>
#include <cwchar>

namespace hmigfx::win32 {
namespace {

constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;
constexpr int kScreenDpi = 96;

Bitmap* screenBitmap() {
    static Bitmap* bmp = [] {
        auto* b = new Bitmap;  // process lifetime, outside the handle table
        b->allocate(kScreenWidth, kScreenHeight, 32, true, true);
        return b;
    }();
    return bmp;
}

void holdHandle(HGDIOBJ h) { holdObject(findObject(h)); }

void dropHandle(HGDIOBJ h) {
    GdiObject* o = findObject(h);
    if (!o) return;
    if (o->kind == Kind::Bitmap && o->holders <= 1) static_cast<Bitmap*>(o)->selectedInto = nullptr;
    releaseObject(o);
}

void forEachHandle(const DCState& s, void (*fn)(HGDIOBJ)) {
    fn(s.pen);
    fn(s.brush);
    fn(s.font);
    fn(s.bitmap);
    fn(s.palette);
}

HDC newDC(Bitmap* screen) {
    auto dc = std::make_unique<DC>();
    DC* raw = dc.get();
    raw->screen = screen;
    raw->st.pen = static_cast<HPEN>(stockObject(BLACK_PEN)->handle);
    raw->st.brush = static_cast<HBRUSH>(stockObject(WHITE_BRUSH)->handle);
    raw->st.font = static_cast<HFONT>(stockObject(SYSTEM_FONT)->handle);
    raw->st.palette = static_cast<HPALETTE>(stockObject(DEFAULT_PALETTE)->handle);
    if (!screen) raw->st.bitmap = static_cast<HBITMAP>(defaultBitmap()->handle);
    forEachHandle(raw->st, holdHandle);
    raw->realisePen();
    raw->updateVisible();
    return addTyped(std::move(dc));
}

}  // namespace

DC::~DC() {
    forEachHandle(st, dropHandle);
    for (const DCState& s : saved) forEachHandle(s, dropHandle);
}

Pen* DC::pen() const { return lookup<Pen>(st.pen); }
Brush* DC::brush() const { return lookup<Brush>(st.brush); }
Bitmap* DC::bitmap() const { return screen ? screen : lookup<Bitmap>(st.bitmap); }

void DC::updateVisible() {
    Bitmap* bmp = bitmap();
    surface = windowView ? *windowView : bmp ? bmp->surface() : Surface{};
    visible.setRect(RECT{0, 0, surface.width, surface.height});
    if (systemClip) visible.intersect(*systemClip);
    if (st.clip) visible.intersect(*st.clip);
    invalidatePaints();  // the pixel format may have changed
}

void DC::refreshPaints() {
    if (!paintsStale) return;
    paintsStale = false;
    const uint32_t mask = surface.pixelMask();
    Pen* p = pen();
    if (!p || p->dashStyle() == PS_NULL) {
        penPaint.setNone();
        penGapPaint.setNone();
    } else if (p->fill || (p->geometric() && p->brush.lbStyle == BS_NULL)) {
        // Geometric pens paint their area through their own brush.
        buildBrushPaint(*this, p->fill.get(), st.rop2, penPaint);
        penGapPaint.setNone();
    } else {
        COLORREF c = p->dcPen ? st.dcPenColor : p->brush.lbColor;
        penPaint.setSolid(rop2Pair(st.rop2, colorToPixel(surface, c), mask));
        if (realisedPen.gapsTakeBackground && st.bkMode == OPAQUE)
            penGapPaint.setSolid(rop2Pair(st.rop2, colorToPixel(surface, st.bkColor), mask));
        else
            penGapPaint.setNone();
    }
    buildBrushPaint(*this, brush(), st.rop2, brushPaint);
}

void DC::replaceState(DCState&& s) {
    DCState old = std::move(st);
    st = std::move(s);
    forEachHandle(old, dropHandle);
    realisePen();
    updateVisible();
}

DC* findDC(HDC h) { return lookup<DC>(h); }

HDC newDisplayDC(Bitmap* surfaceBitmap) { return newDC(surfaceBitmap); }

}  // namespace hmigfx::win32

using namespace hmigfx::win32;

namespace {

// Setter boilerplate: returns the old value, or `fail` for a bad DC or value.
template <class T, class Valid>
T setField(HDC h, T DCState::*field, T value, T fail, Valid valid, bool affectsPaints) {
    DC* dc = findDC(h);
    if (!dc || !valid(value)) return fail;
    T old = dc->st.*field;
    dc->st.*field = value;
    if (affectsPaints) dc->invalidatePaints();
    return old;
}

template <class T>
T getField(HDC h, T DCState::*field, T fail) {
    DC* dc = findDC(h);
    return dc ? dc->st.*field : fail;
}

auto anyValue = [](auto) { return true; };

BOOL setPoint(HDC h, POINT DCState::*field, int x, int y, LPPOINT old) {
    DC* dc = findDC(h);
    if (!dc) return FALSE;
    if (old) *old = dc->st.*field;
    dc->st.*field = POINT{x, y};
    return TRUE;
}

BOOL getPoint(HDC h, POINT DCState::*field, LPPOINT out) {
    DC* dc = findDC(h);
    if (!dc || !out) return FALSE;
    *out = dc->st.*field;
    return TRUE;
}


}  // namespace

extern "C" {

HDC WINAPI CreateCompatibleDC(HDC h) {
    if (h && !findDC(h)) return nullptr;
    return newDC(nullptr);
}

HDC WINAPI CreateDCW(LPCWSTR driver, LPCWSTR device, LPCWSTR, const DEVMODEW* dm) {
    // The display, or a printer (the default one when no device is named).
    if ((!driver && !device) || (driver && std::wcscmp(driver, L"DISPLAY") == 0)) return newDC(screenBitmap());
    std::shared_ptr<PrinterDC> printer = openPrinter(device, dm);
    if (!printer) return nullptr;
    HDC h = newDC(printer->page.get());
    if (DC* dc = findDC(h)) dc->printer = std::move(printer);
    return h;
}

HDC WINAPI GetDC(HWND wnd) {
    if (wnd) return windowGetDC(wnd);
    return newDC(screenBitmap());
}

int WINAPI ReleaseDC(HWND wnd, HDC h) {
    DC* dc = findDC(h);
    if (!dc || !dc->screen) return 0;
    if (dc->window || dc->windowView) return windowReleaseDC(wnd, dc);
    removeObject(dc);
    return 1;
}

BOOL WINAPI DeleteDC(HDC h) {
    DC* dc = findDC(h);
    if (!dc) return FALSE;
    removeObject(dc);
    return TRUE;
}

int WINAPI SaveDC(HDC h) {
    DC* dc = findDC(h);
    if (!dc) return 0;
    dc->saved.push_back(dc->st);
    forEachHandle(dc->st, holdHandle);
    return static_cast<int>(dc->saved.size());
}

BOOL WINAPI RestoreDC(HDC h, int level) {
    DC* dc = findDC(h);
    if (!dc) return FALSE;
    const int count = static_cast<int>(dc->saved.size());
    if (level < 0) level = count + 1 + level;
    if (level <= 0 || level > count) return FALSE;
    DCState target = std::move(dc->saved[level - 1]);
    for (int i = count - 1; i >= level; --i) forEachHandle(dc->saved[i], dropHandle);
    dc->saved.resize(level - 1);
    // The bitmap of a restored state may meanwhile be selected elsewhere; GDI
    // keeps the current one then.
    if (Bitmap* b = lookup<Bitmap>(target.bitmap); b && b->selectedInto && b->selectedInto != dc) {
        dropHandle(target.bitmap);
        target.bitmap = dc->st.bitmap;
        holdHandle(target.bitmap);
    }
    if (Bitmap* b = lookup<Bitmap>(target.bitmap)) b->selectedInto = dc;
    dc->replaceState(std::move(target));
    return TRUE;
}

int WINAPI GetDeviceCaps(HDC h, int index) {
    DC* dc = findDC(h);
    if (!dc) return 0;
    if (dc->printer) return printerDeviceCaps(*dc->printer, index);
    switch (index) {
    case DRIVERVERSION: return 0x4000;
    case TECHNOLOGY: return DT_RASDISPLAY;
    case HORZSIZE: return (kScreenWidth * 254 + kScreenDpi * 5) / (kScreenDpi * 10);
    case VERTSIZE: return (kScreenHeight * 254 + kScreenDpi * 5) / (kScreenDpi * 10);
    case HORZRES:
    case DESKTOPHORZRES: return kScreenWidth;
    case VERTRES:
    case DESKTOPVERTRES: return kScreenHeight;
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case NUMBRUSHES:
    case NUMPENS:
    case NUMCOLORS: return -1;
    case NUMFONTS: return 0;
    case RASTERCAPS: return RC_BITBLT | RC_STRETCHBLT;
    case LOGPIXELSX:
    case LOGPIXELSY: return kScreenDpi;
    case SIZEPALETTE: return 0;
    default: return 0;
    }
}

BOOL WINAPI GdiFlush(void) { return TRUE; }

BOOL WINAPI SetViewportOrgEx(HDC h, int x, int y, LPPOINT old) { return setPoint(h, &DCState::viewportOrg, x, y, old); }
BOOL WINAPI GetViewportOrgEx(HDC h, LPPOINT p) { return getPoint(h, &DCState::viewportOrg, p); }
BOOL WINAPI OffsetViewportOrgEx(HDC h, int x, int y, LPPOINT old) {
    DC* dc = findDC(h);
    if (!dc) return FALSE;
    if (old) *old = dc->st.viewportOrg;
    dc->st.viewportOrg.x = wrap32(int64_t{dc->st.viewportOrg.x} + x);
    dc->st.viewportOrg.y = wrap32(int64_t{dc->st.viewportOrg.y} + y);
    return TRUE;
}
BOOL WINAPI SetWindowOrgEx(HDC h, int x, int y, LPPOINT old) { return setPoint(h, &DCState::windowOrg, x, y, old); }
BOOL WINAPI GetWindowOrgEx(HDC h, LPPOINT p) { return getPoint(h, &DCState::windowOrg, p); }
BOOL WINAPI SetBrushOrgEx(HDC h, int x, int y, LPPOINT old) { return setPoint(h, &DCState::brushOrg, x, y, old); }
BOOL WINAPI GetBrushOrgEx(HDC h, LPPOINT p) { return getPoint(h, &DCState::brushOrg, p); }
BOOL WINAPI GetCurrentPositionEx(HDC h, LPPOINT p) { return getPoint(h, &DCState::curPos, p); }

BOOL WINAPI MoveToEx(HDC h, int x, int y, LPPOINT old) { return setPoint(h, &DCState::curPos, x, y, old); }

BOOL WINAPI LPtoDP(HDC h, LPPOINT pts, int n) {
    DC* dc = findDC(h);
    if (!dc || (n > 0 && !pts)) return FALSE;
    for (int i = 0; i < n; ++i) pts[i] = dc->toDevice(pts[i]);
    return TRUE;
}

BOOL WINAPI DPtoLP(HDC h, LPPOINT pts, int n) {
    DC* dc = findDC(h);
    if (!dc || (n > 0 && !pts)) return FALSE;
    for (int i = 0; i < n; ++i) {
        pts[i].x = wrap32(int64_t{pts[i].x} + dc->st.windowOrg.x - dc->st.viewportOrg.x);
        pts[i].y = wrap32(int64_t{pts[i].y} + dc->st.windowOrg.y - dc->st.viewportOrg.y);
    }
    return TRUE;
}

COLORREF WINAPI SetBkColor(HDC h, COLORREF c) {
    return setField<COLORREF>(h, &DCState::bkColor, c, CLR_INVALID, anyValue, true);
}
COLORREF WINAPI GetBkColor(HDC h) { return getField<COLORREF>(h, &DCState::bkColor, CLR_INVALID); }
COLORREF WINAPI SetTextColor(HDC h, COLORREF c) {
    return setField<COLORREF>(h, &DCState::textColor, c, CLR_INVALID, anyValue, true);
}
COLORREF WINAPI GetTextColor(HDC h) { return getField<COLORREF>(h, &DCState::textColor, CLR_INVALID); }
COLORREF WINAPI SetDCBrushColor(HDC h, COLORREF c) {
    return setField<COLORREF>(h, &DCState::dcBrushColor, c, CLR_INVALID, anyValue, true);
}
COLORREF WINAPI GetDCBrushColor(HDC h) { return getField<COLORREF>(h, &DCState::dcBrushColor, CLR_INVALID); }
COLORREF WINAPI SetDCPenColor(HDC h, COLORREF c) {
    return setField<COLORREF>(h, &DCState::dcPenColor, c, CLR_INVALID, anyValue, true);
}
COLORREF WINAPI GetDCPenColor(HDC h) { return getField<COLORREF>(h, &DCState::dcPenColor, CLR_INVALID); }

int WINAPI SetBkMode(HDC h, int mode) {
    return setField<int>(h, &DCState::bkMode, mode, 0, [](int m) { return m == TRANSPARENT || m == OPAQUE; }, true);
}
int WINAPI GetBkMode(HDC h) { return getField<int>(h, &DCState::bkMode, 0); }
int WINAPI SetROP2(HDC h, int rop2) {
    return setField<int>(h, &DCState::rop2, rop2, 0, [](int r) { return r >= R2_BLACK && r <= R2_WHITE; }, true);
}
int WINAPI GetROP2(HDC h) { return getField<int>(h, &DCState::rop2, 0); }
int WINAPI SetPolyFillMode(HDC h, int mode) {
    return setField<int>(h, &DCState::polyFillMode, mode, 0, [](int m) { return m == ALTERNATE || m == WINDING; },
                         false);
}
int WINAPI GetPolyFillMode(HDC h) { return getField<int>(h, &DCState::polyFillMode, 0); }
int WINAPI SetStretchBltMode(HDC h, int mode) {
    return setField<int>(h, &DCState::stretchMode, mode, 0, [](int m) { return m >= BLACKONWHITE && m <= HALFTONE; },
                         false);
}
int WINAPI GetStretchBltMode(HDC h) { return getField<int>(h, &DCState::stretchMode, 0); }
int WINAPI SetMapMode(HDC h, int mode) {
    // Only MM_TEXT is implemented; other modes are refused rather than ignored.
    return setField<int>(h, &DCState::mapMode, mode, 0, [](int m) { return m == MM_TEXT; }, false);
}
int WINAPI GetMapMode(HDC h) { return getField<int>(h, &DCState::mapMode, 0); }
int WINAPI SetArcDirection(HDC h, int dir) {
    return setField<int>(h, &DCState::arcDirection, dir, 0,
                         [](int d) { return d == AD_COUNTERCLOCKWISE || d == AD_CLOCKWISE; }, false);
}
int WINAPI GetArcDirection(HDC h) { return getField<int>(h, &DCState::arcDirection, 0); }
int WINAPI SetGraphicsMode(HDC h, int mode) {
    return setField<int>(h, &DCState::graphicsMode, mode, 0,
                         [](int m) { return m == GM_COMPATIBLE || m == GM_ADVANCED; }, false);
}
int WINAPI GetGraphicsMode(HDC h) { return getField<int>(h, &DCState::graphicsMode, 0); }

UINT WINAPI SetTextAlign(HDC h, UINT align) {
    DC* dc = findDC(h);
    if (!dc) return GDI_ERROR;
    UINT old = dc->st.textAlign;
    dc->st.textAlign = align & TA_MASK;
    return old;
}
UINT WINAPI GetTextAlign(HDC h) { return getField<UINT>(h, &DCState::textAlign, GDI_ERROR); }

}  // extern "C"
