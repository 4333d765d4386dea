// The display library: pictures to and from the clipboard, as a packed DIB
// (CF_DIB), a device-dependent bitmap (CF_BITMAP) and a palette (CF_PALETTE).
#include "backend_p.h"
#include "picture_p.h"

namespace imagesdk::detail {

namespace {

// Closes the clipboard on every way out.
struct OpenedClipboard {
    bool ok;
    explicit OpenedClipboard(HWND owner) : ok(OpenClipboard(owner) != FALSE) {}
    ~OpenedClipboard() {
        if (ok) CloseClipboard();
    }
};

// Hands data to the clipboard, which owns it from then on; frees it when refused.
bool give(UINT format, HANDLE data) {
    if (!data) return false;
    if (SetClipboardData(format, data)) return true;
    if (format == CF_DIB) GlobalFree(static_cast<HGLOBAL>(data));
    else DeleteObject(static_cast<HGDIOBJ>(data));
    return false;
}

}  // namespace

int copyToClipboardExt(HWND owner, struct_LEAD_Bitmap* b, unsigned flags) {
    const unsigned kinds = COPY2CB_DIB | COPY2CB_DDB | COPY2CB_PALETTE;
    if (!b || !(flags & kinds) || (flags & ~(kinds | COPY2CB_EMPTY))) return IMGSDK_ERROR_INV_PARAMETER;
    if (!allocated(b)) return IMGSDK_ERROR_NO_BITMAP;
    OpenedClipboard cb(owner);
    if (!cb.ok) return IMGSDK_ERROR_CLIPBOARD;
    if ((flags & COPY2CB_EMPTY) && !EmptyClipboard()) return IMGSDK_ERROR_CLIPBOARD;
    if ((flags & COPY2CB_DIB) && !give(CF_DIB, copyAsDib(*b))) return IMGSDK_ERROR_CLIPBOARD;
    if ((flags & COPY2CB_DDB) && !give(CF_BITMAP, convertToDdb(nullptr, b))) return IMGSDK_ERROR_CLIPBOARD;
    if ((flags & COPY2CB_PALETTE) && b->BitsPerPixel <= 8 && !give(CF_PALETTE, createPaintPalette(nullptr, b)))
        return IMGSDK_ERROR_CLIPBOARD;
    return IMGSDK_SUCCESS;
}

int copyToClipboard(HWND owner, struct_LEAD_Bitmap* b) {
    return copyToClipboardExt(owner, b, COPY2CB_EMPTY | COPY2CB_DIB | COPY2CB_DDB | COPY2CB_PALETTE);
}

int copyFromClipboard(HWND owner, struct_LEAD_Bitmap* b) {
    if (!b) return IMGSDK_ERROR_INV_PARAMETER;
    OpenedClipboard cb(owner);
    if (!cb.ok) return IMGSDK_ERROR_CLIPBOARD;
    // The clipboard lends its handles: read them, never free them.
    if (HGLOBAL dib = static_cast<HGLOBAL>(GetClipboardData(CF_DIB))) {
        const void* data = GlobalLock(dib);
        if (!data) return IMGSDK_ERROR_INV_DIB;
        struct_LEAD_Bitmap pic;
        const int rc = pictureFromDib(pic, data, nullptr, GlobalSize(dib));
        GlobalUnlock(dib);
        if (rc != IMGSDK_SUCCESS) return rc;
        replacePicture(*b, pic);
        return IMGSDK_SUCCESS;
    }
    if (HBITMAP ddb = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP)))
        return convertFromDdb(nullptr, b, ddb, static_cast<HPALETTE>(GetClipboardData(CF_PALETTE)));
    return IMGSDK_ERROR_CLIPBOARD_EMPTY;
}

}  // namespace imagesdk::detail
