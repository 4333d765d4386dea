// The STATIC class: text labels, etched lines and frames, plain rectangles.
#include "window_p.h"

namespace hmigfx::win32 {
namespace {

struct StaticState {
    HFONT font = nullptr;
};

UINT textFormat(DWORD style) {
    UINT f = (style & SS_NOPREFIX) ? DT_NOPREFIX : 0;
    switch (style & SS_TYPEMASK) {
    case SS_CENTER: f |= DT_CENTER | DT_WORDBREAK | DT_EXPANDTABS; break;
    case SS_RIGHT: f |= DT_RIGHT | DT_WORDBREAK | DT_EXPANDTABS; break;
    case SS_SIMPLE: f |= DT_LEFT | DT_SINGLELINE; break;
    case SS_LEFTNOWORDWRAP: f |= DT_LEFT | DT_EXPANDTABS; break;
    default: f |= DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS; break;
    }
    if (style & SS_CENTERIMAGE) f = (f & ~DT_WORDBREAK) | DT_VCENTER | DT_SINGLELINE;
    if (style & SS_ENDELLIPSIS) f = (f & ~DT_WORDBREAK) | DT_END_ELLIPSIS | DT_SINGLELINE;
    return f;
}

void paint(HWND h, StaticState* st, HDC dc) {
    const DWORD style = static_cast<DWORD>(GetWindowLongW(h, GWL_STYLE));
    RECT rc;
    GetClientRect(h, &rc);
    const DWORD type = style & SS_TYPEMASK;
    switch (type) {
    case SS_ETCHEDHORZ: DrawEdge(dc, &rc, EDGE_ETCHED, BF_TOP); return;
    case SS_ETCHEDVERT: DrawEdge(dc, &rc, EDGE_ETCHED, BF_LEFT); return;
    case SS_ETCHEDFRAME: DrawEdge(dc, &rc, EDGE_ETCHED, BF_RECT); return;
    case SS_BLACKRECT: FillRect(dc, &rc, GetSysColorBrush(COLOR_WINDOWFRAME)); return;
    case SS_GRAYRECT: FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNSHADOW)); return;
    case SS_WHITERECT: FillRect(dc, &rc, GetSysColorBrush(COLOR_WINDOW)); return;
    case SS_BLACKFRAME: FrameRect(dc, &rc, GetSysColorBrush(COLOR_WINDOWFRAME)); return;
    case SS_GRAYFRAME: FrameRect(dc, &rc, GetSysColorBrush(COLOR_BTNSHADOW)); return;
    case SS_WHITEFRAME: FrameRect(dc, &rc, GetSysColorBrush(COLOR_WINDOW)); return;
    default: break;
    }
    const HBRUSH brush = controlColors(h, dc, WM_CTLCOLORSTATIC);
    FillRect(dc, &rc, brush);
    const int n = GetWindowTextLengthW(h);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    GetWindowTextW(h, text.data(), n + 1);
    const HGDIOBJ old = SelectObject(dc, controlFont(st->font));
    if (style & WS_DISABLED)
        drawDisabledText(dc, text.c_str(), n, &rc, textFormat(style));
    else
        DrawTextW(dc, text.c_str(), n, &rc, textFormat(style));
    SelectObject(dc, old);
}

}  // namespace

LRESULT CALLBACK staticProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* st = controlState<StaticState>(h);
    if (!st && msg != WM_NCCREATE) return DefWindowProcW(h, msg, wParam, lParam);
    LRESULT r;
    if (st && labelLikeMessage(h, msg, wParam, lParam, st->font, &r)) return r;
    switch (msg) {
    case WM_NCCREATE:
        attachControlState(h, new StaticState);
        if (Window* w = findWindow(h); w && (w->style & SS_SUNKEN)) w->exStyle |= WS_EX_STATICEDGE;
        return DefWindowProcW(h, msg, wParam, lParam);
    case WM_NCDESTROY: freeControlState(h, st); return 0;
    case WM_PAINT: return paintControl(h, [&](HDC dc) { paint(h, st, dc); });
    case WM_NCHITTEST:
        // Labels let the mouse through to their parent unless they notify.
        if (!(GetWindowLongW(h, GWL_STYLE) & SS_NOTIFY)) return HTTRANSPARENT;
        return DefWindowProcW(h, msg, wParam, lParam);
    case WM_LBUTTONDOWN:
        if (GetWindowLongW(h, GWL_STYLE) & SS_NOTIFY) notifyParent(h, STN_CLICKED);
        return 0;
    case WM_LBUTTONDBLCLK:
        if (GetWindowLongW(h, GWL_STYLE) & SS_NOTIFY) notifyParent(h, STN_DBLCLK);
        return 0;
    case WM_GETDLGCODE: return DLGC_STATIC;
    default: return DefWindowProcW(h, msg, wParam, lParam);
    }
}

}  // namespace hmigfx::win32
