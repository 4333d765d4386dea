// The BUTTON class: push buttons, check boxes, radio buttons and group
// boxes, clicked with the mouse (capture, pushed while inside, BN_CLICKED on
// release inside), the space bar or BM_CLICK.
#include "window_p.h"

#include <algorithm>

namespace hmigfx::win32 {
namespace {

constexpr int kCheckSize = 13;

struct ButtonState {
    HFONT font = nullptr;
    UINT state = 0;  // BST_ flags
    bool tracking = false;  // the mouse holds it
    bool spaceDown = false;
};

DWORD styleOf(HWND h) { return static_cast<DWORD>(GetWindowLongW(h, GWL_STYLE)); }
DWORD typeOf(HWND h) { return styleOf(h) & BS_TYPEMASK; }

bool isPush(DWORD style) {
    const DWORD t = style & BS_TYPEMASK;
    return t == BS_PUSHBUTTON || t == BS_DEFPUSHBUTTON || t == BS_PUSHBOX || (style & BS_PUSHLIKE);
}
bool isCheck(DWORD t) { return t == BS_CHECKBOX || t == BS_AUTOCHECKBOX || t == BS_3STATE || t == BS_AUTO3STATE; }
bool isRadio(DWORD t) { return t == BS_RADIOBUTTON || t == BS_AUTORADIOBUTTON; }

std::wstring textOf(HWND h) {
    const int n = GetWindowTextLengthW(h);
    std::wstring s(static_cast<size_t>(n) + 1, L'\0');
    GetWindowTextW(h, s.data(), n + 1);
    s.resize(static_cast<size_t>(n));
    return s;
}

void drawLabel(HDC dc, const std::wstring& text, RECT* rc, UINT format, bool disabled) {
    if (disabled)
        drawDisabledText(dc, text.c_str(), static_cast<int>(text.size()), rc, format);
    else
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), rc, format);
}

void paintPush(HWND h, ButtonState* st, HDC dc, DWORD style, bool disabled) {
    RECT rc;
    GetClientRect(h, &rc);
    controlColors(h, dc, WM_CTLCOLORBTN);
    if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
        FrameRect(dc, &rc, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&rc, -1, -1);
    }
    const bool pushed = (st->state & BST_PUSHED) != 0;
    UINT dfcs = DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0) | (style & BS_FLAT ? DFCS_FLAT : 0);
    if ((style & BS_PUSHLIKE) && (st->state & BST_CHECKED)) dfcs |= DFCS_CHECKED;
    RECT face = rc;
    DrawFrameControl(dc, &face, DFC_BUTTON, dfcs);
    RECT text = rc;
    InflateRect(&text, -2, -2);
    if (pushed || (dfcs & DFCS_CHECKED)) OffsetRect(&text, 1, 1);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    const UINT format = DT_CENTER | DT_VCENTER | ((style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE);
    drawLabel(dc, textOf(h), &text, format, disabled);
    if (st->state & BST_FOCUS) {
        RECT focus = rc;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
}

void paintCheck(HWND h, ButtonState* st, HDC dc, DWORD style, bool disabled) {
    RECT rc;
    GetClientRect(h, &rc);
    FillRect(dc, &rc, controlColors(h, dc, WM_CTLCOLORSTATIC));
    const DWORD type = style & BS_TYPEMASK;
    const bool right = (style & BS_LEFTTEXT) != 0;
    const int top = rc.top + (rc.bottom - rc.top - kCheckSize) / 2;
    RECT box = right ? RECT{rc.right - kCheckSize, top, rc.right, top + kCheckSize}
                     : RECT{rc.left, top, rc.left + kCheckSize, top + kCheckSize};
    UINT dfcs = isRadio(type) ? DFCS_BUTTONRADIO
                : (type == BS_3STATE || type == BS_AUTO3STATE) && (st->state & BST_INDETERMINATE) ? DFCS_BUTTON3STATE
                                                                                                   : DFCS_BUTTONCHECK;
    if (st->state & (BST_CHECKED | BST_INDETERMINATE)) dfcs |= DFCS_CHECKED;
    if (st->state & BST_PUSHED) dfcs |= DFCS_PUSHED;
    if (disabled) dfcs |= DFCS_INACTIVE;
    if (style & BS_FLAT) dfcs |= DFCS_FLAT;
    DrawFrameControl(dc, &box, DFC_BUTTON, dfcs);
    RECT text = right ? RECT{rc.left, rc.top, box.left - 4, rc.bottom} : RECT{box.right + 4, rc.top, rc.right, rc.bottom};
    const std::wstring label = textOf(h);
    const UINT format = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
    drawLabel(dc, label, &text, format, disabled);
    if ((st->state & BST_FOCUS) && !label.empty()) {
        RECT calc = text;
        DrawTextW(dc, label.c_str(), static_cast<int>(label.size()), &calc, format | DT_CALCRECT);
        const int height = calc.bottom - calc.top;
        calc.top = text.top + (text.bottom - text.top - height) / 2;
        calc.bottom = calc.top + height;
        InflateRect(&calc, 1, 1);
        IntersectRect(&calc, &calc, &rc);
        DrawFocusRect(dc, &calc);
    }
}

void paintGroup(HWND h, HDC dc, bool disabled) {
    RECT rc;
    GetClientRect(h, &rc);
    const HBRUSH brush = controlColors(h, dc, WM_CTLCOLORSTATIC);
    const std::wstring label = textOf(h);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    RECT frame = rc;
    frame.top += tm.tmHeight / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (label.empty()) return;
    RECT text{rc.left + 9, rc.top, rc.right - 9, rc.top + tm.tmHeight};
    RECT calc = text;
    DrawTextW(dc, label.c_str(), static_cast<int>(label.size()), &calc, DT_SINGLELINE | DT_CALCRECT);
    calc.left -= 2;
    calc.right = std::min(calc.right + 2, text.right);
    FillRect(dc, &calc, brush);
    drawLabel(dc, label, &text, DT_LEFT | DT_SINGLELINE, disabled);
}

void paint(HWND h, ButtonState* st, HDC dc) {
    const DWORD style = styleOf(h);
    const bool disabled = (style & WS_DISABLED) != 0;
    const HGDIOBJ old = SelectObject(dc, controlFont(st->font));
    if (isPush(style))
        paintPush(h, st, dc, style, disabled);
    else if ((style & BS_TYPEMASK) == BS_GROUPBOX)
        paintGroup(h, dc, disabled);
    else
        paintCheck(h, st, dc, style, disabled);
    SelectObject(dc, old);
}

void setPushed(HWND h, ButtonState* st, bool pushed) {
    const UINT was = st->state & BST_PUSHED;
    st->state = pushed ? st->state | BST_PUSHED : st->state & ~BST_PUSHED;
    if (was != (st->state & BST_PUSHED)) {
        InvalidateRect(h, nullptr, FALSE);
        UpdateWindow(h);
    }
}

void click(HWND h, ButtonState* st) {
    const DWORD type = typeOf(h);
    if (type == BS_AUTOCHECKBOX) SendMessageW(h, BM_SETCHECK, (st->state & BST_CHECKED) ? BST_UNCHECKED : BST_CHECKED, 0);
    if (type == BS_AUTO3STATE) {
        const UINT next = (st->state & BST_CHECKED) ? BST_INDETERMINATE : (st->state & BST_INDETERMINATE) ? BST_UNCHECKED : BST_CHECKED;
        SendMessageW(h, BM_SETCHECK, next, 0);
    }
    if (type == BS_AUTORADIOBUTTON) SendMessageW(h, BM_SETCHECK, BST_CHECKED, 0);
    notifyParent(h, BN_CLICKED);
}

bool inside(HWND h, LPARAM lParam) {
    RECT rc;
    GetClientRect(h, &rc);
    return PtInRect(&rc, POINT{static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))});
}

}  // namespace

LRESULT CALLBACK buttonProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* st = controlState<ButtonState>(h);
    if (!st && msg != WM_NCCREATE) return DefWindowProcW(h, msg, wParam, lParam);
    LRESULT r;
    if (st && labelLikeMessage(h, msg, wParam, lParam, st->font, &r)) return r;
    switch (msg) {
    case WM_NCCREATE:
        attachControlState(h, new ButtonState);
        return DefWindowProcW(h, msg, wParam, lParam);
    case WM_NCDESTROY: freeControlState(h, st); return 0;
    case WM_PAINT: return paintControl(h, [&](HDC dc) { paint(h, st, dc); });
    case WM_NCHITTEST:
        if (typeOf(h) == BS_GROUPBOX) return HTTRANSPARENT;
        return DefWindowProcW(h, msg, wParam, lParam);
    case WM_GETDLGCODE: {
        const DWORD type = typeOf(h);
        if (type == BS_GROUPBOX) return DLGC_STATIC;
        if (type == BS_DEFPUSHBUTTON) return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        if (isRadio(type)) return DLGC_BUTTON | DLGC_RADIOBUTTON;
        if (isCheck(type)) return DLGC_BUTTON;
        return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (typeOf(h) == BS_GROUPBOX) return 0;
        if (GetFocus() != h) SetFocus(h);
        SetCapture(h);
        st->tracking = true;
        setPushed(h, st, true);
        return 0;
    case WM_MOUSEMOVE:
        if (st->tracking) setPushed(h, st, inside(h, lParam));
        return 0;
    case WM_LBUTTONUP:
        if (!st->tracking) return 0;
        st->tracking = false;
        setPushed(h, st, false);
        ReleaseCapture();
        if (inside(h, lParam)) click(h, st);
        return 0;
    case WM_CAPTURECHANGED:
        if (st->tracking) {
            st->tracking = false;
            setPushed(h, st, false);
        }
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE && !st->spaceDown) {
            st->spaceDown = true;
            setPushed(h, st, true);
        }
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE && st->spaceDown) {
            st->spaceDown = false;
            setPushed(h, st, false);
            click(h, st);
        }
        return 0;
    case WM_SETFOCUS:
        st->state |= BST_FOCUS;
        InvalidateRect(h, nullptr, FALSE);
        if (styleOf(h) & BS_NOTIFY) notifyParent(h, BN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        st->state &= ~BST_FOCUS;
        if (st->spaceDown) {
            st->spaceDown = false;
            st->state &= ~BST_PUSHED;
        }
        InvalidateRect(h, nullptr, FALSE);
        if (styleOf(h) & BS_NOTIFY) notifyParent(h, BN_KILLFOCUS);
        return 0;
    case BM_CLICK:
        if (IsWindowEnabled(h)) {
            SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, 0);
            SendMessageW(h, WM_LBUTTONUP, 0, 0);
        }
        return 0;
    case BM_GETCHECK: return st->state & (BST_CHECKED | BST_INDETERMINATE);
    case BM_SETCHECK: {
        const DWORD type = typeOf(h);
        if (!isCheck(type) && !isRadio(type)) return 0;
        UINT check = static_cast<UINT>(wParam) & (BST_CHECKED | BST_INDETERMINATE);
        if (check == BST_INDETERMINATE && type != BS_3STATE && type != BS_AUTO3STATE) check = BST_CHECKED;
        if ((st->state & (BST_CHECKED | BST_INDETERMINATE)) != check) {
            st->state = (st->state & ~(BST_CHECKED | BST_INDETERMINATE)) | check;
            InvalidateRect(h, nullptr, FALSE);
        }
        return 0;
    }
    case BM_GETSTATE: return st->state;
    case BM_SETSTATE: setPushed(h, st, wParam != 0); return 0;
    case BM_SETSTYLE: {
        const DWORD style = (styleOf(h) & ~BS_TYPEMASK) | (static_cast<DWORD>(wParam) & BS_TYPEMASK);
        SetWindowLongW(h, GWL_STYLE, static_cast<LONG>(style));
        if (LOWORD(lParam)) InvalidateRect(h, nullptr, TRUE);
        return 0;
    }
    default: return DefWindowProcW(h, msg, wParam, lParam);
    }
}

}  // namespace hmigfx::win32
