// What the standard controls share: their colours from the parent, their
// notifications to it, their font and their greyed text.
#include "window_p.h"

namespace hmigfx::win32 {

HBRUSH controlColors(HWND h, HDC dc, UINT msg) {
    const HWND parent = GetParent(h);
    HBRUSH b = nullptr;
    if (parent)
        b = reinterpret_cast<HBRUSH>(SendMessageW(parent, msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(h)));
    // A parent that answers no brush gets the default colours.
    if (!b) b = reinterpret_cast<HBRUSH>(DefWindowProcW(parent ? parent : h, msg, reinterpret_cast<WPARAM>(dc),
                                                        reinterpret_cast<LPARAM>(h)));
    return b;
}

void notifyParent(HWND h, UINT code) {
    const HWND parent = GetParent(h);
    if (parent)
        SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), code), reinterpret_cast<LPARAM>(h));
}

HFONT controlFont(HFONT set) { return set ? set : static_cast<HFONT>(GetStockObject(SYSTEM_FONT)); }

bool labelLikeMessage(HWND h, UINT msg, WPARAM wParam, LPARAM lParam, HFONT& font, LRESULT* result) {
    *result = 0;
    switch (msg) {
    case WM_ERASEBKGND: *result = 1; return true;
    case WM_SETTEXT:
        *result = DefWindowProcW(h, msg, wParam, lParam);
        InvalidateRect(h, nullptr, TRUE);
        return true;
    case WM_SETFONT:
        font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam)) InvalidateRect(h, nullptr, TRUE);
        return true;
    case WM_GETFONT: *result = reinterpret_cast<LRESULT>(font); return true;
    case WM_ENABLE: InvalidateRect(h, nullptr, TRUE); return true;
    default: return false;
    }
}

// Embossed: the text in the highlight colour one pixel down and right, then
// in the grey text colour.
void drawDisabledText(HDC dc, LPCWSTR text, int n, RECT* rc, UINT format) {
    const int mode = SetBkMode(dc, TRANSPARENT);
    const COLORREF old = SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    RECT shadow = *rc;
    OffsetRect(&shadow, 1, 1);
    DrawTextW(dc, text, n, &shadow, format);
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    DrawTextW(dc, text, n, rc, format);
    SetTextColor(dc, old);
    SetBkMode(dc, mode);
}

}  // namespace hmigfx::win32
