// DefWindowProc: the default behaviour hosts rely on (window text, the
// non-client frame and its painting, background erasing, control colours,
// activation and focus, WM_CLOSE, WM_MOVE/WM_SIZE from WM_WINDOWPOSCHANGED).
#include "window_p.h"

#include <hmigfx_display.h>

#include <algorithm>
#include <cwchar>

namespace hmigfx::win32 {
namespace {

constexpr UINT kNoClientSize = 0x0800;
constexpr UINT kNoClientMove = 0x1000;

int outerFrame(DWORD style, DWORD exStyle) {
    if (style & WS_THICKFRAME) return GetSystemMetrics(SM_CXFRAME);
    if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME)) return GetSystemMetrics(SM_CXDLGFRAME);
    return (style & WS_BORDER) ? GetSystemMetrics(SM_CXBORDER) : 0;
}

bool hasCaption(DWORD style) { return (style & WS_CAPTION) == WS_CAPTION; }

int captionHeight(DWORD exStyle) {
    return GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
}

void fillSys(HDC dc, const RECT& r, int color) { FillRect(dc, &r, GetSysColorBrush(color)); }

void drawCaption(Window* w, HDC dc, RECT cap) {
    const bool active = w->activeCaption;
    // The bar, and the one-pixel line of face colour under it.
    RECT bar = cap;
    bar.bottom -= 1;
    fillSys(dc, RECT{cap.left, bar.bottom, cap.right, cap.bottom}, COLOR_BTNFACE);
    const COLORREF c1 = GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    const COLORREF c2 = GetSysColor(active ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION);
    TRIVERTEX v[2] = {{bar.left, bar.top, static_cast<COLOR16>(GetRValue(c1) << 8),
                       static_cast<COLOR16>(GetGValue(c1) << 8), static_cast<COLOR16>(GetBValue(c1) << 8), 0},
                      {bar.right, bar.bottom, static_cast<COLOR16>(GetRValue(c2) << 8),
                       static_cast<COLOR16>(GetGValue(c2) << 8), static_cast<COLOR16>(GetBValue(c2) << 8), 0}};
    GRADIENT_RECT gr{0, 1};
    GradientFill(dc, v, 2, &gr, 1, GRADIENT_FILL_RECT_H);
    if (w->style & WS_SYSMENU) {
        // The close button, as tall as the bar less two pixels above and below.
        const int bh = std::max(0, bar.bottom - bar.top - 4);
        RECT b{bar.right - 2 - (bh + 2), bar.top + 2, bar.right - 2, bar.top + 2 + bh};
        DrawFrameControl(dc, &b, DFC_CAPTION, DFCS_CAPTIONCLOSE);
        bar.right = b.left;
    }
    LOGFONTW lf{};
    lf.lfHeight = -12;
    lf.lfWeight = FW_BOLD;
    std::wcscpy(lf.lfFaceName, L"MS Shell Dlg");
    const HFONT font = CreateFontIndirectW(&lf);
    const HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    RECT text{bar.left + 4, bar.top, bar.right - 2, bar.bottom};
    DrawTextW(dc, w->text.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(dc, old);
    DeleteObject(font);
}

LRESULT hitTestDefault(Window* w, POINT screen) {
    const POINT o = windowOrigin(w);
    const RECT wr{o.x, o.y, o.x + w->width(), o.y + w->height()};
    if (!PtInRect(&wr, screen)) return HTNOWHERE;
    const POINT c = clientOrigin(w);
    const RECT cr{c.x, c.y, c.x + w->client.right - w->client.left, c.y + w->client.bottom - w->client.top};
    if (PtInRect(&cr, screen)) return HTCLIENT;
    const int frame = outerFrame(w->style, w->exStyle);
    if (hasCaption(w->style)) {
        const RECT cap{wr.left + frame, wr.top + frame, wr.right - frame, wr.top + frame + captionHeight(w->exStyle)};
        if (PtInRect(&cap, screen)) {
            const int bh = std::max(0, static_cast<int>(cap.bottom - cap.top) - 5);
            if ((w->style & WS_SYSMENU) && screen.x >= cap.right - 4 - bh) return HTCLOSE;
            return HTCAPTION;
        }
    }
    if (w->style & WS_THICKFRAME) {
        const bool left = screen.x < wr.left + frame, right = screen.x >= wr.right - frame;
        const bool top = screen.y < wr.top + frame, bottom = screen.y >= wr.bottom - frame;
        if (top) return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
        if (bottom) return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
        if (left) return HTLEFT;
        if (right) return HTRIGHT;
    }
    return HTBORDER;
}

LRESULT ctlColor(UINT msg, HDC dc) {
    const bool window = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(window ? COLOR_WINDOW : COLOR_3DFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(window ? COLOR_WINDOW : COLOR_3DFACE));
}

HBRUSH classBrush(const Window* w) {
    HBRUSH b = w->cls ? w->cls->background : nullptr;
    const auto v = reinterpret_cast<uintptr_t>(b);
    // COLOR_x + 1 stands for the system colour's brush.
    if (b && v <= COLOR_MENUBAR + 1) return GetSysColorBrush(static_cast<int>(v) - 1);
    return b;
}

}  // namespace

void paintNonClient(Window* w) {
    if (w->client.left == 0 && w->client.top == 0 && w->client.right == w->width() && w->client.bottom == w->height())
        return;
    const HDC dc = GetWindowDC(w->handle);
    // The frame only: the client area keeps what its window painted.
    ExcludeClipRect(dc, w->client.left, w->client.top, w->client.right, w->client.bottom);
    RECT r{0, 0, w->width(), w->height()};
    const int frame = outerFrame(w->style, w->exStyle);
    if (frame == 1) {
        FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&r, -1, -1);
    } else if (frame > 1) {
        DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
        for (int i = 2; i < frame; ++i) {
            FrameRect(dc, &r, GetSysColorBrush((w->style & WS_THICKFRAME) ? COLOR_ACTIVEBORDER : COLOR_BTNFACE));
            InflateRect(&r, -1, -1);
        }
    }
    if (hasCaption(w->style)) {
        RECT cap{r.left, r.top, r.right, r.top + captionHeight(w->exStyle)};
        drawCaption(w, dc, cap);
        r.top = cap.bottom;
    }
    if (w->exStyle & WS_EX_CLIENTEDGE) DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    if (w->exStyle & WS_EX_STATICEDGE) DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    ReleaseDC(w->handle, dc);
}

}  // namespace hmigfx::win32

using namespace hmigfx::win32;
namespace display = hmigfx::display;

extern "C" {

LRESULT WINAPI DefWindowProcW(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = findWindow(h);
    if (!w) return 0;
    switch (msg) {
    case WM_NCCREATE: {
        const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) w->text = cs->lpszName;
        return TRUE;
    }
    case WM_NCCALCSIZE: {
        RECT* r = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
        if (!r) return 0;
        const RECT in = nonClientInsets(w->style, w->exStyle);
        r->left += in.left;
        r->top += in.top;
        r->right = std::max(r->left, r->right - in.right);
        r->bottom = std::max(r->top, r->bottom - in.bottom);
        return 0;
    }
    case WM_NCPAINT: paintNonClient(w); return 0;
    case WM_NCACTIVATE:
        if (w->activeCaption != (wParam != 0)) {
            w->activeCaption = wParam != 0;
            if (hasCaption(w->style) && isVisible(w)) paintNonClient(w);
        }
        return TRUE;
    case WM_NCHITTEST: return hitTestDefault(w, POINT{static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))});
    case WM_SETTEXT:
        w->text = lParam ? reinterpret_cast<LPCWSTR>(lParam) : L"";
        // The caption is redrawn now and alone; the client area keeps its pixels.
        if (hasCaption(w->style) && isVisible(w)) paintNonClient(w);
        if (!w->isChild() && w->parent == desktopWindow()->handle && (w->style & WS_VISIBLE))
            display::backend().windowChanged(h, w->rect, w->text.c_str());
        return TRUE;
    case WM_GETTEXT: {
        auto* buf = reinterpret_cast<LPWSTR>(lParam);
        if (!buf || wParam == 0) return 0;
        const size_t n = std::min(w->text.size(), static_cast<size_t>(wParam) - 1);
        std::wmemcpy(buf, w->text.c_str(), n);
        buf[n] = 0;
        return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(w->text.size());
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(h, &ps);
        EndPaint(h, &ps);
        return 0;
    }
    case WM_ERASEBKGND: {
        const HBRUSH b = classBrush(w);
        if (!b) return 0;
        RECT r;
        GetClientRect(h, &r);
        FillRect(reinterpret_cast<HDC>(wParam), &r, b);
        return 1;
    }
    case WM_CLOSE: DestroyWindow(h); return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) SendMessageW(h, WM_CLOSE, 0, 0);
        return 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: return ctlColor(msg, reinterpret_cast<HDC>(wParam));
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) SetFocus(h);
        return 0;
    case WM_MOUSEACTIVATE:
        if (w->isChild()) {
            const LRESULT r = SendMessageW(w->parent, WM_MOUSEACTIVATE, wParam, lParam);
            if (r) return r;
        }
        return MA_ACTIVATE;
    case WM_SETCURSOR:
        if (w->isChild() && SendMessageW(w->parent, WM_SETCURSOR, wParam, lParam)) return TRUE;
        if (LOWORD(lParam) == HTCLIENT) {
            SetCursor(w->cls ? w->cls->cursor : nullptr);
            return TRUE;
        }
        return FALSE;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
    case WM_CONTEXTMENU:
        if (w->isChild()) return SendMessageW(w->parent, msg, wParam, lParam);
        return 0;
    case WM_WINDOWPOSCHANGED: {
        const auto* wp = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (!wp) return 0;
        if (!(wp->flags & kNoClientMove))
            SendMessageW(h, WM_MOVE, 0, MAKELPARAM(w->rect.left + w->client.left, w->rect.top + w->client.top));
        if (!(w = findWindow(h))) return 0;
        if (!(wp->flags & kNoClientSize))
            SendMessageW(h, WM_SIZE, SIZE_RESTORED,
                         MAKELPARAM(w->client.right - w->client.left, w->client.bottom - w->client.top));
        return 0;
    }
    case WM_CANCELMODE:
        if (GetCapture() == h) ReleaseCapture();
        return 0;
    case WM_QUERYENDSESSION:
    case WM_QUERYOPEN: return TRUE;
    default: return 0;
    }
}

}  // extern "C"
