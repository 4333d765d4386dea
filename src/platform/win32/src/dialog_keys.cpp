// The dialog manager's keyboard interface for any window used as a dialog:
// Tab and Shift+Tab move the focus through the WS_TABSTOP controls, Enter
// clicks the default push button (IDOK when there is none), Escape sends
// IDCANCEL; a control that asks for these keys through WM_GETDLGCODE keeps them.
#include "window_p.h"

namespace {

bool tabStop(HWND h) { return IsWindowVisible(h) && IsWindowEnabled(h) && (GetWindowLongW(h, GWL_STYLE) & WS_TABSTOP); }

// The push button Enter clicks: the focused one, else the default one.
HWND defaultButton(HWND dlg, HWND focus) {
    if (focus && IsChild(dlg, focus) && (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
        return focus;
    for (HWND c = GetWindow(dlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (SendMessageW(c, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) return c;
    return nullptr;
}

void command(HWND dlg, int id, HWND control) {
    if (control && !IsWindowEnabled(control)) return;
    SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

}  // namespace

extern "C" {

HWND WINAPI GetNextDlgTabItem(HWND dlg, HWND ctl, BOOL previous) {
    if (!hmigfx::win32::checkWindow(dlg)) return nullptr;
    std::vector<HWND> stops;
    for (HWND c = GetWindow(dlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (tabStop(c) || c == ctl) stops.push_back(c);
    if (stops.empty()) return nullptr;
    size_t at = stops.size();
    for (size_t i = 0; i < stops.size(); ++i)
        if (stops[i] == ctl) at = i;
    for (size_t step = 1; step <= stops.size(); ++step) {
        const size_t i = at == stops.size() ? (previous ? stops.size() - step : step - 1)
                                            : (previous ? at + stops.size() - step : at + step) % stops.size();
        if (tabStop(stops[i])) return stops[i];
    }
    return nullptr;
}

BOOL WINAPI IsDialogMessageW(HWND dlg, LPMSG msg) {
    if (!msg || !hmigfx::win32::findWindow(dlg) || (msg->hwnd != dlg && !IsChild(dlg, msg->hwnd))) return FALSE;
    if (msg->message == WM_KEYDOWN) {
        const auto code = SendMessageW(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg));
        if (!(code & DLGC_WANTALLKEYS)) {
            switch (msg->wParam) {
            case VK_TAB:
                if (code & DLGC_WANTTAB) break;
                if (const HWND next = GetNextDlgTabItem(dlg, GetFocus(), GetKeyState(VK_SHIFT) < 0)) {
                    SetFocus(next);
                    if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(next, EM_SETSEL, 0, -1);
                }
                return TRUE;
            case VK_RETURN: {
                const HWND button = defaultButton(dlg, GetFocus());
                command(dlg, button ? GetDlgCtrlID(button) : IDOK, button);
                return TRUE;
            }
            case VK_ESCAPE: command(dlg, IDCANCEL, GetDlgItem(dlg, IDCANCEL)); return TRUE;
            default: break;
            }
        }
    }
    TranslateMessage(msg);
    DispatchMessageW(msg);
    return TRUE;
}

}  // extern "C"
