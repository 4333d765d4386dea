// SelectObject, DeleteObject, GetObject and the other calls common to all objects.
#include "dc_p.h"
#include "stock_objects_p.h"

#include <algorithm>
#include <cstring>

using namespace hmigfx::win32;

namespace {

template <class H>
HGDIOBJ swapSelected(DC& dc, H DCState::*slot, GdiObject* obj) {
    HGDIOBJ old = dc.st.*slot;
    holdObject(obj);
    dc.st.*slot = static_cast<H>(obj->handle);
    releaseObject(findObject(old));
    dc.invalidatePaints();
    return old;
}

HGDIOBJ selectBitmap(DC& dc, Bitmap* bmp) {
    if (dc.screen) return nullptr;  // only memory DCs take bitmaps
    if (bmp->selectedInto && bmp->selectedInto != &dc && !bmp->stock) return nullptr;
    HGDIOBJ old = dc.st.bitmap;
    if (old == bmp->handle) return old;
    holdObject(bmp);
    if (!bmp->stock) bmp->selectedInto = &dc;
    dc.st.bitmap = static_cast<HBITMAP>(bmp->handle);
    if (GdiObject* o = findObject(old)) {
        if (o->holders <= 1) static_cast<Bitmap*>(o)->selectedInto = nullptr;
        releaseObject(o);
    }
    dc.updateVisible();
    return old;
}

template <class T>
int copyOut(const T& value, int size, void* out) {
    if (!out) return static_cast<int>(sizeof(T));
    int n = std::min<int>(size, static_cast<int>(sizeof(T)));
    if (n <= 0) return 0;
    std::memcpy(out, &value, static_cast<size_t>(n));
    return n;
}

int penObject(const Pen& p, int size, void* out) {
    if (p.kind == Kind::Pen) {
        LOGPEN lp{p.style, POINT{p.width, 0}, p.brush.lbColor};
        return copyOut(lp, size, out);
    }
    const size_t entries = p.userStyle.size();
    const size_t needed = offsetof(EXTLOGPEN, elpStyleEntry) + entries * sizeof(DWORD);
    if (!out) return static_cast<int>(needed);
    if (size < static_cast<int>(needed)) return 0;
    EXTLOGPEN head{};
    head.elpPenStyle = p.style;
    head.elpWidth = static_cast<DWORD>(p.width);
    head.elpBrushStyle = p.brush.lbStyle;
    head.elpColor = p.brush.lbColor;
    head.elpHatch = p.brush.lbHatch;
    head.elpNumEntries = static_cast<DWORD>(entries);
    auto* bytes = static_cast<uint8_t*>(out);
    std::memcpy(bytes, &head, offsetof(EXTLOGPEN, elpStyleEntry));
    if (entries)
        std::memcpy(bytes + offsetof(EXTLOGPEN, elpStyleEntry), p.userStyle.data(), entries * sizeof(DWORD));
    return static_cast<int>(needed);
}

int bitmapObject(const Bitmap& b, int size, void* out) {
    BITMAP bm{0, b.width, b.height, b.stride, 1, static_cast<WORD>(b.bpp), b.dib ? b.bits : nullptr};
    if (b.dib && out && size >= static_cast<int>(sizeof(DIBSECTION))) {
        DIBSECTION ds{};
        ds.dsBm = bm;
        ds.dsBmih = b.header;
        ds.dsBmih.biHeight = b.topDown ? -b.height : b.height;
        ds.dsBmih.biSizeImage = static_cast<DWORD>(b.byteSize);
        std::memcpy(ds.dsBitfields, b.bitfields, sizeof ds.dsBitfields);
        std::memcpy(out, &ds, sizeof ds);
        return static_cast<int>(sizeof ds);
    }
    return copyOut(bm, size, out);
}

}  // namespace

namespace hmigfx::win32 {

HGDIOBJ selectInto(DC& dc, GdiObject* obj) {
    switch (obj->kind) {
    case Kind::Pen:
    case Kind::ExtPen: {
        HGDIOBJ old = swapSelected(dc, &DCState::pen, obj);
        dc.realisePen();
        return old;
    }
    case Kind::Brush: return swapSelected(dc, &DCState::brush, obj);
    case Kind::Font: return swapSelected(dc, &DCState::font, obj);
    case Kind::Bitmap: return selectBitmap(dc, static_cast<Bitmap*>(obj));
    default: return nullptr;
    }
}

}  // namespace hmigfx::win32

extern "C" {

HGDIOBJ WINAPI SelectObject(HDC h, HGDIOBJ obj) {
    DC* dc = findDC(h);
    GdiObject* o = findObject(obj);
    if (!dc || !o) return nullptr;
    if (o->kind == Kind::Region) {
        int type = SelectClipRgn(h, static_cast<HRGN>(obj));
        return type == ERROR ? HGDI_ERROR : reinterpret_cast<HGDIOBJ>(static_cast<intptr_t>(type));
    }
    return selectInto(*dc, o);
}

BOOL WINAPI DeleteObject(HGDIOBJ h) {
    GdiObject* o = findObject(h);
    if (!o || o->kind == Kind::DC) return FALSE;
    if (o->stock) return TRUE;
    if (o->holders > 0) {
        o->deletePending = true;  // freed when the last DC lets go of it
        return TRUE;
    }
    removeObject(o);
    return TRUE;
}

HGDIOBJ WINAPI GetStockObject(int index) {
    GdiObject* o = stockObject(index);
    return o ? o->handle : nullptr;
}

HGDIOBJ WINAPI GetCurrentObject(HDC h, UINT type) {
    DC* dc = findDC(h);
    if (!dc) return nullptr;
    switch (type) {
    case OBJ_PEN:
    case OBJ_EXTPEN: return dc->st.pen;
    case OBJ_BRUSH: return dc->st.brush;
    case OBJ_FONT: return dc->st.font;
    case OBJ_PAL: return dc->st.palette;
    case OBJ_BITMAP: return dc->screen ? nullptr : dc->st.bitmap;
    default: return nullptr;
    }
}

DWORD WINAPI GetObjectType(HGDIOBJ h) {
    GdiObject* o = findObject(h);
    if (!o) return 0;
    switch (o->kind) {
    case Kind::Pen: return OBJ_PEN;
    case Kind::ExtPen: return OBJ_EXTPEN;
    case Kind::Brush: return OBJ_BRUSH;
    case Kind::Bitmap: return OBJ_BITMAP;
    case Kind::Region: return OBJ_REGION;
    case Kind::Font: return OBJ_FONT;
    case Kind::Palette: return OBJ_PAL;
    case Kind::DC: return static_cast<DC*>(o)->screen ? OBJ_DC : OBJ_MEMDC;
    }
    return 0;
}

int WINAPI GetObjectW(HANDLE h, int size, LPVOID out) {
    GdiObject* o = findObject(h);
    if (!o || (out && size <= 0)) return 0;
    switch (o->kind) {
    case Kind::Pen:
    case Kind::ExtPen: return penObject(*static_cast<Pen*>(o), size, out);
    case Kind::Brush: {
        const auto* b = static_cast<Brush*>(o);
        LOGBRUSH lb{b->style, b->color, b->hatch};
        return copyOut(lb, size, out);
    }
    case Kind::Bitmap: return bitmapObject(*static_cast<Bitmap*>(o), size, out);
    case Kind::Font: return copyOut(static_cast<Font*>(o)->logfont, size, out);
    case Kind::Palette: {
        WORD n = static_cast<WORD>(static_cast<Palette*>(o)->entries.size());
        return copyOut(n, size, out);
    }
    default: return 0;
    }
}

BOOL WINAPI UnrealizeObject(HGDIOBJ h) { return findObject(h) != nullptr; }

}  // extern "C"
