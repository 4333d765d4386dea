// The up-down control (msctls_updown32): a pair of arrows stepping a
// position within a range, usually beside a buddy window.
//
// A step, by an arrow click, an arrow held down (auto-repeat, accelerated by
// the UDACCEL table) or an arrow key in the buddy (UDS_ARROWKEYS, through a
// subclass of the buddy), goes: UDN_DELTAPOS to the parent with the position
// and the proposed change (nonzero cancels, the parent may change iDelta),
// then the new position (clamped, or wrapped with UDS_WRAP; the buddy's text
// with UDS_SETBUDDYINT), then WM_VSCROLL/WM_HSCROLL SB_THUMBPOSITION, sent
// also when the change was cancelled or the position sits at its limit.
// Releasing the mouse sends SB_ENDSCROLL. An edit buddy takes the focus when
// an arrow is pressed and gets its text selected when it is released.
//
// With UDS_ALIGNLEFT/UDS_ALIGNRIGHT the control sits at that edge of its
// buddy, 16 pixels wide and as tall as the buddy, which gives up that width;
// over an edit buddy it overlaps the buddy's 2-pixel border and draws that
// border around its arrows, so the two look like one control.
#include "window_p.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>

namespace hmigfx::win32 {
namespace {

constexpr int kAlignedWidth = 16;
constexpr int kBuddyBorder = 2;
constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstRepeat = 500;  // ms before an arrow held down repeats
constexpr UINT kRepeat = 100;

struct UpDownState {
    int lower = 100;  // the default range runs from 100 down to 0
    int upper = 0;
    int pos = 0;
    HWND buddy = nullptr;
    int base = 10;
    std::vector<UDACCEL> accel{{0, 1}};
    int pressed = 0;         // +1 the up (right) arrow, -1 the down (left) arrow
    bool mouseDown = false;  // the mouse holds `pressed`
    bool over = true;        // ... and stays over it (the arrow looks pushed)
    DWORD pressedSince = 0;
};

DWORD styleOf(HWND h) { return static_cast<DWORD>(GetWindowLongW(h, GWL_STYLE)); }

bool isEdit(HWND h) {
    WCHAR name[16];
    return h && GetClassNameW(h, name, 16) && std::wcscmp(name, L"Edit") == 0;
}

LRESULT CALLBACK buddyProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

// The buddy's text as a position: decimal (thousands separators allowed) or,
// in base 16, hexadecimal with or without 0x. False when it is not a number
// in the range.
bool parseBuddy(const UpDownState* st, int* out) {
    WCHAR buf[64];
    if (!st->buddy || !IsWindow(st->buddy)) return false;
    GetWindowTextW(st->buddy, buf, 64);
    std::wstring s;
    for (const WCHAR* p = buf; *p; ++p)
        if (*p != L',' || st->base == 16) s += *p;
    const size_t a = s.find_first_not_of(L' '), b = s.find_last_not_of(L' ');
    if (a == std::wstring::npos) return false;
    s = s.substr(a, b - a + 1);
    WCHAR* end = nullptr;
    errno = 0;
    const long long v = std::wcstoll(s.c_str(), &end, st->base);
    if (end == s.c_str() || *end || errno == ERANGE) return false;
    if (v < std::min(st->lower, st->upper) || v > std::max(st->lower, st->upper)) return false;
    *out = static_cast<int>(v);
    return true;
}

void writeBuddy(HWND h, const UpDownState* st) {
    if (!(styleOf(h) & UDS_SETBUDDYINT) || !st->buddy || !IsWindow(st->buddy)) return;
    WCHAR buf[32];
    if (st->base == 16) {
        std::swprintf(buf, 32, L"0x%04X", static_cast<unsigned>(st->pos));
    } else {
        std::swprintf(buf, 32, L"%d", st->pos);
        if (!(styleOf(h) & UDS_NOTHOUSANDS)) {
            std::wstring digits(buf), out;
            const size_t first = digits[0] == L'-' ? 1 : 0;
            for (size_t i = first; i < digits.size(); ++i) {
                if (i > first && (digits.size() - i) % 3 == 0) out += L',';
                out += digits[i];
            }
            std::swprintf(buf, 32, L"%ls%ls", first ? L"-" : L"", out.c_str());
        }
    }
    SetWindowTextW(st->buddy, buf);
}

int clampPos(const UpDownState* st, long long v, bool wrap) {
    const int lo = std::min(st->lower, st->upper), hi = std::max(st->lower, st->upper);
    if (wrap) {
        if (v > hi) return lo;
        if (v < lo) return hi;
    }
    return static_cast<int>(std::clamp<long long>(v, lo, hi));
}

// Aligns the control at its buddy's edge, taking the width from the buddy.
void align(HWND h, const UpDownState* st) {
    const DWORD style = styleOf(h);
    if (!(style & (UDS_ALIGNLEFT | UDS_ALIGNRIGHT)) || !st->buddy) return;
    RECT br;
    GetWindowRect(st->buddy, &br);
    const HWND parent = GetParent(h);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&br), 2);
    const int overlap = isEdit(st->buddy) ? kBuddyBorder : 0;
    int x;
    if (style & UDS_ALIGNLEFT) {
        x = br.left;
        br.left += kAlignedWidth - overlap;
    } else {
        br.right -= kAlignedWidth;
        x = br.right - overlap;
    }
    SetWindowPos(st->buddy, nullptr, br.left, br.top, std::max<LONG>(0, br.right - br.left), br.bottom - br.top,
                 SWP_NOACTIVATE | SWP_NOZORDER);
    SetWindowPos(h, nullptr, x, br.top, kAlignedWidth, br.bottom - br.top,
                 SWP_NOACTIVATE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

HWND setBuddy(HWND h, UpDownState* st, HWND buddy) {
    const HWND old = st->buddy;
    if (old && IsWindow(old)) RemoveWindowSubclass(old, buddyProc, reinterpret_cast<UINT_PTR>(h));
    st->buddy = buddy && IsWindow(buddy) ? buddy : nullptr;
    if (st->buddy) {
        if (styleOf(h) & UDS_ARROWKEYS)
            SetWindowSubclass(st->buddy, buddyProc, reinterpret_cast<UINT_PTR>(h), reinterpret_cast<DWORD_PTR>(h));
        align(h, st);
    }
    return old;
}

// The step for an arrow held down so long, from the acceleration table.
int increment(const UpDownState* st) {
    const DWORD held = (GetTickCount() - st->pressedSince) / 1000;
    UINT inc = st->accel.empty() ? 1 : st->accel.front().nInc;
    for (const UDACCEL& a : st->accel)
        if (held >= a.nSec) inc = a.nInc;
    return static_cast<int>(inc);
}

void step(HWND h, UpDownState* st, int direction) {
    const DWORD style = styleOf(h);
    if (style & UDS_SETBUDDYINT) {
        int fromBuddy;
        if (parseBuddy(st, &fromBuddy)) st->pos = fromBuddy;
    }
    NMUPDOWN nm{};
    nm.hdr.hwndFrom = h;
    nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(h));
    nm.hdr.code = UDN_DELTAPOS;
    nm.iPos = st->pos;
    nm.iDelta = direction * increment(st);
    const HWND parent = GetParent(h);
    const LRESULT cancel = SendMessageW(parent, WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
    if (!(st = controlState<UpDownState>(h))) return;
    if (!cancel) {
        // A range from high to low runs the other way.
        const long long change = st->lower > st->upper ? -static_cast<long long>(nm.iDelta) : nm.iDelta;
        const int next = clampPos(st, st->pos + change, (style & UDS_WRAP) != 0);
        if (next != st->pos) {
            st->pos = next;
            writeBuddy(h, st);
        }
    }
    SendMessageW(parent, (style & UDS_HORZ) ? WM_HSCROLL : WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, st->pos),
                 reinterpret_cast<LPARAM>(h));
}

void press(HWND h, UpDownState* st, int direction) {
    if (st->pressed == direction) return;
    st->pressed = direction;
    st->over = true;
    if (direction) st->pressedSince = GetTickCount();
    InvalidateRect(h, nullptr, FALSE);
    UpdateWindow(h);
}

RECT arrowArea(HWND h, const UpDownState* st) {
    RECT rc;
    GetClientRect(h, &rc);
    if (isEdit(st->buddy) && (styleOf(h) & (UDS_ALIGNLEFT | UDS_ALIGNRIGHT)) &&
        (GetWindowLongW(st->buddy, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)) {
        rc.top += kBuddyBorder;
        rc.bottom -= kBuddyBorder;
        if (styleOf(h) & UDS_ALIGNLEFT)
            rc.left += kBuddyBorder;
        else
            rc.right -= kBuddyBorder;
    }
    return rc;
}

// The arrow under a client point: +1 up/right, -1 down/left, 0 none.
int arrowAt(HWND h, const UpDownState* st, LPARAM lParam) {
    const POINT p{static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
    const RECT rc = arrowArea(h, st);
    if (!PtInRect(&rc, p)) return 0;
    if (styleOf(h) & UDS_HORZ) return p.x < rc.left + (rc.right - rc.left) / 2 ? -1 : 1;
    return p.y < rc.top + (rc.bottom - rc.top) / 2 ? 1 : -1;
}

void paint(HWND h, const UpDownState* st, HDC dc) {
    const DWORD style = styleOf(h);
    RECT rc;
    GetClientRect(h, &rc);
    const RECT arrows = arrowArea(h, st);
    if (!EqualRect(&rc, &arrows)) {
        // Continue the edit buddy's sunken border around the arrows.
        const UINT sides = BF_TOP | BF_BOTTOM | ((style & UDS_ALIGNLEFT) ? BF_LEFT : BF_RIGHT);
        DrawEdge(dc, &rc, EDGE_SUNKEN, sides);
    }
    const UINT inactive = (style & WS_DISABLED) ? DFCS_INACTIVE : 0;
    const int pushed = st->over ? st->pressed : 0;
    RECT first = arrows, second = arrows;
    if (style & UDS_HORZ) {
        first.right = second.left = arrows.left + (arrows.right - arrows.left) / 2;
        DrawFrameControl(dc, &first, DFC_SCROLL, DFCS_SCROLLLEFT | inactive | (pushed < 0 ? DFCS_PUSHED : 0));
        DrawFrameControl(dc, &second, DFC_SCROLL, DFCS_SCROLLRIGHT | inactive | (pushed > 0 ? DFCS_PUSHED : 0));
    } else {
        first.bottom = second.top = arrows.top + (arrows.bottom - arrows.top) / 2;
        DrawFrameControl(dc, &first, DFC_SCROLL, DFCS_SCROLLUP | inactive | (pushed > 0 ? DFCS_PUSHED : 0));
        DrawFrameControl(dc, &second, DFC_SCROLL, DFCS_SCROLLDOWN | inactive | (pushed < 0 ? DFCS_PUSHED : 0));
    }
}

void release(HWND h, UpDownState* st, bool mouse) {
    if (!st->pressed) return;
    const bool wasMouse = st->mouseDown;
    st->mouseDown = false;
    KillTimer(h, kRepeatTimer);
    press(h, st, 0);
    if (!mouse || !wasMouse) return;
    SendMessageW(GetParent(h), (styleOf(h) & UDS_HORZ) ? WM_HSCROLL : WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, st->pos),
                 reinterpret_cast<LPARAM>(h));
    if (isEdit(st->buddy)) SendMessageW(st->buddy, EM_SETSEL, 0, -1);
}

bool keyStep(HWND h, UpDownState* st, WPARAM vk) {
    if (vk != VK_UP && vk != VK_DOWN) return false;
    if (!IsWindowEnabled(h)) return false;
    const int direction = vk == VK_UP ? 1 : -1;
    press(h, st, direction);
    step(h, st, direction);
    return true;
}

LRESULT CALLBACK buddyProc(HWND b, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR ref) {
    const auto h = reinterpret_cast<HWND>(ref);
    UpDownState* st = IsWindow(h) ? controlState<UpDownState>(h) : nullptr;
    if (st && msg == WM_KEYDOWN && keyStep(h, st, wParam)) return 0;
    if (st && msg == WM_KEYUP && (wParam == VK_UP || wParam == VK_DOWN)) release(h, st, false);
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(b, buddyProc, id);
    return DefSubclassProc(b, msg, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK upDownProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* st = controlState<UpDownState>(h);
    if (!st && msg != WM_NCCREATE) return DefWindowProcW(h, msg, wParam, lParam);
    switch (msg) {
    case WM_NCCREATE:
        attachControlState(h, new UpDownState);
        return DefWindowProcW(h, msg, wParam, lParam);
    case WM_CREATE:
        // The buddy by z-order: the window created just before this one.
        if (styleOf(h) & UDS_AUTOBUDDY) setBuddy(h, st, GetWindow(h, GW_HWNDPREV));
        return 0;
    case WM_DESTROY:
        KillTimer(h, kRepeatTimer);
        setBuddy(h, st, nullptr);
        return 0;
    case WM_NCDESTROY: freeControlState(h, st); return 0;
    case WM_PAINT: return paintControl(h, [&](HDC dc) { paint(h, st, dc); });
    case WM_ERASEBKGND: return 1;
    case WM_ENABLE: InvalidateRect(h, nullptr, FALSE); return 0;
    case WM_LBUTTONDOWN: {
        if (!IsWindowEnabled(h) || st->pressed) return 0;
        const int direction = arrowAt(h, st, lParam);
        if (!direction) return 0;
        if (isEdit(st->buddy) && GetFocus() != st->buddy) SetFocus(st->buddy);
        if (!(st = controlState<UpDownState>(h))) return 0;
        SetCapture(h);
        st->mouseDown = true;
        press(h, st, direction);
        step(h, st, direction);
        if ((st = controlState<UpDownState>(h)) && st->mouseDown) SetTimer(h, kRepeatTimer, kFirstRepeat, nullptr);
        return 0;
    }
    case WM_MOUSEMOVE:
        if (st->mouseDown) {
            // The arrow looks pushed while the mouse stays over it.
            const bool over = arrowAt(h, st, lParam) == st->pressed;
            if (over != st->over) {
                st->over = over;
                InvalidateRect(h, nullptr, FALSE);
            }
        }
        return 0;
    case WM_TIMER:
        if (wParam == kRepeatTimer && st->mouseDown && st->pressed) {
            SetTimer(h, kRepeatTimer, kRepeat, nullptr);
            POINT p;
            GetCursorPos(&p);
            ScreenToClient(h, &p);
            if (arrowAt(h, st, MAKELPARAM(p.x, p.y)) == st->pressed) step(h, st, st->pressed);
        }
        return 0;
    case WM_LBUTTONUP:
        if (st->mouseDown) {
            release(h, st, true);
            ReleaseCapture();
        }
        return 0;
    case WM_CAPTURECHANGED: release(h, st, true); return 0;
    case WM_KEYDOWN: keyStep(h, st, wParam); return 0;
    case WM_KEYUP:
        if (wParam == VK_UP || wParam == VK_DOWN) release(h, st, false);
        return 0;
    case UDM_SETRANGE:
        st->lower = static_cast<SHORT>(HIWORD(lParam));
        st->upper = static_cast<SHORT>(LOWORD(lParam));
        return 0;
    case UDM_GETRANGE: return MAKELONG(st->upper, st->lower);
    case UDM_SETRANGE32:
        st->lower = static_cast<int>(wParam);
        st->upper = static_cast<int>(lParam);
        return 0;
    case UDM_GETRANGE32:
        if (wParam) *reinterpret_cast<int*>(wParam) = st->lower;
        if (lParam) *reinterpret_cast<int*>(lParam) = st->upper;
        return 0;
    case UDM_SETPOS:
    case UDM_SETPOS32: {
        const int old = st->pos;
        st->pos = clampPos(st, msg == UDM_SETPOS ? static_cast<SHORT>(LOWORD(lParam)) : static_cast<int>(lParam), false);
        writeBuddy(h, st);
        return old;
    }
    case UDM_GETPOS:
    case UDM_GETPOS32: {
        // The buddy's text is the position when it reads as one.
        int fromBuddy = st->pos;
        const bool ok = parseBuddy(st, &fromBuddy);
        if (ok) st->pos = fromBuddy;
        if (msg == UDM_GETPOS32) {
            if (lParam) *reinterpret_cast<BOOL*>(lParam) = !ok;
            return st->pos;
        }
        return MAKELONG(st->pos, ok ? 0 : 1);
    }
    case UDM_SETBUDDY: return reinterpret_cast<LRESULT>(setBuddy(h, st, reinterpret_cast<HWND>(wParam)));
    case UDM_GETBUDDY: return reinterpret_cast<LRESULT>(st->buddy);
    case UDM_SETBASE: {
        if (wParam != 10 && wParam != 16) return 0;
        const int old = st->base;
        st->base = static_cast<int>(wParam);
        return old;
    }
    case UDM_GETBASE: return st->base;
    case UDM_SETACCEL: {
        const auto* a = reinterpret_cast<const UDACCEL*>(lParam);
        if (!a || wParam == 0) return FALSE;
        st->accel.assign(a, a + wParam);
        return TRUE;
    }
    case UDM_GETACCEL: {
        auto* a = reinterpret_cast<UDACCEL*>(lParam);
        const size_t n = std::min<size_t>(wParam, st->accel.size());
        for (size_t i = 0; a && i < n; ++i) a[i] = st->accel[i];
        return static_cast<LRESULT>(st->accel.size());
    }
    default: return DefWindowProcW(h, msg, wParam, lParam);
    }
}

}  // namespace hmigfx::win32
