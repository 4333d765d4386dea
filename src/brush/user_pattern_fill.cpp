// CMyBrush::UserPatternFill: the fill of brush style 6, a user picture
// stretched once over the shape's rectangle (not tiled, aspect not kept).
#include <hmigfx/my_brush.h>

#include "brush/pattern_library_p.h"

#include <hmigfx/lead_bitmap.h>

#include <cstring>

namespace {

// A movable copy of a packed DIB: the imaging SDK may keep or change what it
// is given, and the slot's own DIB must stay as the library loaded it.
HGLOBAL copyOf(HGLOBAL dib) {
    const SIZE_T size = ::GlobalSize(dib);
    if (size == 0) return nullptr;
    HGLOBAL copy = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (!copy) return nullptr;
    const void* from = ::GlobalLock(dib);
    void* to = ::GlobalLock(copy);
    if (from && to) std::memcpy(to, from, size);
    if (to) ::GlobalUnlock(copy);
    if (from) ::GlobalUnlock(dib);
    if (!from || !to) {
        ::GlobalFree(copy);
        return nullptr;
    }
    return copy;
}

}  // namespace

void CMyBrush::UserPatternFill(HDC hdc, int nSlot, CRect& rect) {
    if (nSlot < 0 || nSlot >= CPatternLibrary::kSlots) return;
    HGLOBAL dib = GetPatternLibrary().GetUserPattern(nSlot);
    if (!dib) return;  // an empty slot paints nothing
    HGLOBAL copy = copyOf(dib);
    if (!copy) return;

    CLeadBitmap picture;
    HBITMAP ddb = picture.ChangeFromDIB(copy) == 1 ? picture.ChangeToDDB(hdc) : nullptr;
    if (ddb) {
        BITMAP bm{};
        ::GetObjectW(ddb, sizeof bm, &bm);
        HDC memory = ::CreateCompatibleDC(nullptr);
        if (memory) {
            HGDIOBJ old = ::SelectObject(memory, ddb);
            ::StretchBlt(hdc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, memory, 0, 0,
                         bm.bmWidth, bm.bmHeight, SRCCOPY);
            ::SelectObject(memory, old);
            ::DeleteDC(memory);
        }
        ::DeleteObject(ddb);
    }
    picture.Free();  // a picture that did not become a bitmap is still the wrapper's
    ::GlobalFree(copy);
}
