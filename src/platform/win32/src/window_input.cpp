// Input: keyboard focus, activation, enabling, mouse capture, the key state,
// the caret, and user input (SendInput, a display's events) turned into the
// messages Windows posts: hit testing, WM_MOUSEACTIVATE, WM_SETCURSOR,
// client and non-client mouse messages, double clicks, key messages and
// TranslateMessage's characters (US keyboard layout).
#include "window_p.h"

#include <hmigfx_display.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>

namespace hmigfx::win32 {
namespace {

std::atomic<uint8_t> gKeys[256];  // 0x80 down, 0x01 toggled
std::atomic<LONG> gCursorX{0}, gCursorY{0};
HCURSOR gCursor = nullptr;

struct Caret {
    HWND owner = nullptr;
    int width = 0;
    int height = 0;
    POINT pos{0, 0};
    int hidden = 0;  // ShowCaret undoes one HideCaret; a new caret starts hidden
};
Caret gCaret;

struct LastClick {
    HWND hwnd = nullptr;
    UINT msg = 0;
    DWORD time = 0;
    POINT pt{0, 0};
};
LastClick gLastClick;

// TrackMouseEvent(TME_LEAVE): the window told when the mouse leaves its client area.
HWND gLeaveTracked = nullptr;

void endLeaveTracking() {
    const HWND h = gLeaveTracked;
    gLeaveTracked = nullptr;
    if (Window* w = findWindow(h)) postInput(w, MSG{h, WM_MOUSELEAVE, 0, 0, GetTickCount(), POINT{}});
}

void setKey(int vk, bool down) {
    uint8_t v = gKeys[vk & 0xFF].load();
    if (down && !(v & 0x80)) v ^= 0x01;
    v = down ? static_cast<uint8_t>(v | 0x80) : static_cast<uint8_t>(v & ~0x80);
    gKeys[vk & 0xFF] = v;
}

bool isDown(int vk) { return (gKeys[vk & 0xFF].load() & 0x80) != 0; }

WPARAM mouseKeys() {
    WPARAM k = 0;
    if (isDown(VK_LBUTTON)) k |= MK_LBUTTON;
    if (isDown(VK_RBUTTON)) k |= MK_RBUTTON;
    if (isDown(VK_MBUTTON)) k |= MK_MBUTTON;
    if (isDown(VK_SHIFT)) k |= MK_SHIFT;
    if (isDown(VK_CONTROL)) k |= MK_CONTROL;
    return k;
}

bool buttonDown(UINT m) { return m == WM_LBUTTONDOWN || m == WM_RBUTTONDOWN || m == WM_MBUTTONDOWN; }

RECT caretRect() {
    return RECT{gCaret.pos.x, gCaret.pos.y, gCaret.pos.x + gCaret.width, gCaret.pos.y + gCaret.height};
}

// The caret's pixels changed in the owner's picture.
void caretChanged() {
    Window* w = findWindow(gCaret.owner);
    if (!w) return;
    RECT r = caretRect();
    OffsetRect(&r, w->client.left, w->client.top);
    markDirty(w, r);
}

HWND probe(Window* w, POINT pt, int* hit) {
    const POINT co = clientOrigin(w);
    const RECT cr{co.x, co.y, co.x + w->client.right - w->client.left, co.y + w->client.bottom - w->client.top};
    if (PtInRect(&cr, pt)) {
        const std::vector<HWND> kids = w->children;
        for (HWND c : kids) {
            Window* cw = findWindow(c);
            if (!cw || !(cw->style & WS_VISIBLE)) continue;
            const POINT o = windowOrigin(cw);
            const RECT r{o.x, o.y, o.x + cw->width(), o.y + cw->height()};
            if (!PtInRect(&r, pt)) continue;
            if (HWND found = probe(cw, pt, hit)) return found;
        }
    }
    if (w->style & WS_DISABLED) {
        *hit = HTCLIENT;
        return w->handle;
    }
    const auto code = static_cast<int>(sendTo(w->handle, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)));
    if (code == HTTRANSPARENT) return nullptr;
    *hit = code;
    return w->handle;
}

WCHAR translateKey(UINT vk, bool shift, bool caps, bool ctrl) {
    if (vk >= 'A' && vk <= 'Z') {
        if (ctrl) return static_cast<WCHAR>(vk - 'A' + 1);
        return static_cast<WCHAR>((shift != caps) ? vk : vk + 32);
    }
    if (ctrl) {
        if (vk == VK_RETURN) return L'\n';
        if (vk == VK_BACK) return 0x7F;
        return 0;
    }
    if (vk >= '0' && vk <= '9') return shift ? L")!@#$%^&*("[vk - '0'] : static_cast<WCHAR>(vk);
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return static_cast<WCHAR>(L'0' + vk - VK_NUMPAD0);
    switch (vk) {
    case VK_SPACE: return L' ';
    case VK_RETURN: return L'\r';
    case VK_BACK: return 0x08;
    case VK_TAB: return L'\t';
    case VK_ESCAPE: return 0x1B;
    case VK_MULTIPLY: return L'*';
    case VK_ADD: return L'+';
    case VK_SUBTRACT: return L'-';
    case VK_DECIMAL: return L'.';
    case VK_DIVIDE: return L'/';
    case VK_OEM_1: return shift ? L':' : L';';
    case VK_OEM_PLUS: return shift ? L'+' : L'=';
    case VK_OEM_COMMA: return shift ? L'<' : L',';
    case VK_OEM_MINUS: return shift ? L'_' : L'-';
    case VK_OEM_PERIOD: return shift ? L'>' : L'.';
    case VK_OEM_2: return shift ? L'?' : L'/';
    case VK_OEM_3: return shift ? L'~' : L'`';
    case VK_OEM_4: return shift ? L'{' : L'[';
    case VK_OEM_5: return shift ? L'|' : L'\\';
    case VK_OEM_6: return shift ? L'}' : L']';
    case VK_OEM_7: return shift ? L'"' : L'\'';
    default: return 0;
    }
}

bool extendedKey(UINT vk) {
    switch (vk) {
    case VK_INSERT: case VK_DELETE: case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_DIVIDE: case VK_RCONTROL: case VK_RMENU:
        return true;
    default: return false;
    }
}

}  // namespace

BYTE keyState(int vk) { return gKeys[vk & 0xFF].load(); }

HWND hitTest(POINT screen, int* hit) {
    *hit = HTNOWHERE;
    const std::vector<HWND> tops = desktopWindow()->children;
    for (HWND h : tops) {
        Window* w = findWindow(h);
        if (!w || !(w->style & WS_VISIBLE) || !PtInRect(&w->rect, screen)) continue;
        if (HWND found = probe(w, screen, hit)) return found;
    }
    return nullptr;
}

HWND changeFocus(HWND h) {
    InputState& in = inputState();
    const HWND previous = in.focus;
    if (h == previous) return previous;
    if (callCbtHooks(HCBT_SETFOCUS, reinterpret_cast<WPARAM>(h), reinterpret_cast<LPARAM>(previous))) return nullptr;
    if (h) {
        Window* top = topLevelOf(findWindow(h));
        if (top && in.active != top->handle) {
            changeActive(top->handle, false);
            if (!findWindow(h)) return nullptr;
            if (in.focus == h) return previous;
        }
    }
    const HWND old = in.focus;
    if (old && findWindow(old)) {
        sendTo(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(h), 0);
        if (in.focus != old) return previous;  // the handler moved the focus itself
    }
    in.focus = h && findWindow(h) ? h : nullptr;
    if (in.focus) sendTo(h, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    return previous;
}

void changeActive(HWND h, bool byMouse) {
    InputState& in = inputState();
    const HWND old = in.active;
    if (old == h) return;
    if (h && callCbtHooks(HCBT_ACTIVATE, reinterpret_cast<WPARAM>(h), 0)) return;
    in.active = h;
    if (old && findWindow(old)) {
        sendTo(old, WM_NCACTIVATE, FALSE, 0);
        sendTo(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(h));
        if (!h) sendTo(old, WM_ACTIVATEAPP, FALSE, 0);
        if (in.focus && (in.focus == old || IsChild(old, in.focus))) changeFocus(nullptr);
    }
    if (h && findWindow(h)) {
        if (!old) sendTo(h, WM_ACTIVATEAPP, TRUE, 0);
        sendTo(h, WM_NCACTIVATE, TRUE, 0);
        sendTo(h, WM_ACTIVATE, MAKEWPARAM(byMouse ? WA_CLICKACTIVE : WA_ACTIVE, 0), reinterpret_cast<LPARAM>(old));
    }
}

bool caretShownIn(Window* top) {
    Window* w = findWindow(gCaret.owner);
    return w && gCaret.hidden <= 0 && topLevelOf(w) == top && isVisible(w);
}

void drawCaret(Window* top, const Surface& picture) {
    if (!caretShownIn(top)) return;
    Window* w = findWindow(gCaret.owner);
    const POINT co = clientOrigin(w), to = windowOrigin(top);
    RECT r = caretRect();
    const RECT client{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
    IntersectRect(&r, &r, &client);
    OffsetRect(&r, co.x - to.x, co.y - to.y);
    const RECT all{0, 0, picture.width, picture.height};
    IntersectRect(&r, &r, &all);
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) picture.row32(y)[x] ^= 0x00FFFFFF;
}

}  // namespace hmigfx::win32

using namespace hmigfx::win32;
namespace display = hmigfx::display;

// ---------------------------------------------------------------------------
// Input from the user

namespace hmigfx::display {

void mouseInput(UINT message, POINT pt, int wheelDelta) {
    gCursorX = pt.x;
    gCursorY = pt.y;
    switch (message) {
    case WM_LBUTTONDOWN: setKey(VK_LBUTTON, true); break;
    case WM_LBUTTONUP: setKey(VK_LBUTTON, false); break;
    case WM_RBUTTONDOWN: setKey(VK_RBUTTON, true); break;
    case WM_RBUTTONUP: setKey(VK_RBUTTON, false); break;
    case WM_MBUTTONDOWN: setKey(VK_MBUTTON, true); break;
    case WM_MBUTTONUP: setKey(VK_MBUTTON, false); break;
    default: break;
    }
    InputState& in = inputState();
    const DWORD now = GetTickCount();
    if (message == WM_MOUSEWHEEL || message == WM_MOUSEHWHEEL) {
        // The wheel goes to the focus window.
        Window* w = findWindow(in.focus ? in.focus : in.active);
        if (w)
            postInput(w, MSG{w->handle, message, MAKEWPARAM(mouseKeys(), wheelDelta),
                             MAKELPARAM(pt.x, pt.y), now, pt});
        return;
    }
    int hit = HTCLIENT;
    const HWND capture = in.capture && findWindow(in.capture) ? in.capture : nullptr;
    const HWND target = capture ? capture : hitTest(pt, &hit);
    if (gLeaveTracked && (gLeaveTracked != target || hit != HTCLIENT)) endLeaveTracking();
    Window* w = findWindow(target);
    if (!w) return;
    if (!capture && !isEnabled(w)) return;  // disabled windows get no input
    // A click in an inactive window asks it whether to activate.
    if (buttonDown(message) && !capture && in.active != topLevelOf(w)->handle) {
        Window* top = topLevelOf(w);
        const LRESULT ma = SendMessageW(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top->handle),
                                        MAKELPARAM(hit, message));
        if ((ma == MA_ACTIVATE || ma == MA_ACTIVATEANDEAT) && in.active != top->handle) changeActive(top->handle, true);
        if (ma == MA_ACTIVATEANDEAT || ma == MA_NOACTIVATEANDEAT) return;
        if (!(w = findWindow(target))) return;
    }
    if (!capture) {
        SendMessageW(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target), MAKELPARAM(hit, message));
        if (!(w = findWindow(target))) return;
    }
    UINT msg = message;
    if (buttonDown(message)) {
        const bool dbl = (w->cls->style & CS_DBLCLKS) && gLastClick.hwnd == target && gLastClick.msg == message &&
                         now - gLastClick.time <= GetDoubleClickTime() &&
                         std::abs(pt.x - gLastClick.pt.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                         std::abs(pt.y - gLastClick.pt.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
        if (dbl) {
            msg = message + (WM_LBUTTONDBLCLK - WM_LBUTTONDOWN);
            gLastClick = LastClick{};
        } else {
            gLastClick = LastClick{target, message, now, pt};
        }
    }
    if (capture || hit == HTCLIENT) {
        POINT c = pt;
        ScreenToClient(target, &c);
        postInput(w, MSG{target, msg, mouseKeys(), MAKELPARAM(c.x, c.y), now, pt});
    } else {
        // Mouse messages over the frame: WM_NC* with the hit-test code.
        postInput(w, MSG{target, msg - (WM_MOUSEMOVE - WM_NCMOUSEMOVE), static_cast<WPARAM>(hit),
                         MAKELPARAM(pt.x, pt.y), now, pt});
    }
}

void mouseLeft() {
    if (gLeaveTracked) endLeaveTracking();
}

void keyInput(UINT vk, bool down, UINT scan) {
    const bool wasDown = isDown(static_cast<int>(vk));
    setKey(static_cast<int>(vk), down);
    if (vk == VK_LSHIFT || vk == VK_RSHIFT) setKey(VK_SHIFT, down);
    if (vk == VK_LCONTROL || vk == VK_RCONTROL) setKey(VK_CONTROL, down);
    if (vk == VK_LMENU || vk == VK_RMENU) setKey(VK_MENU, down);
    InputState& in = inputState();
    const bool alt = isDown(VK_MENU) && !isDown(VK_CONTROL);
    HWND target = in.focus;
    UINT msg = down ? WM_KEYDOWN : WM_KEYUP;
    if (!target || alt || vk == VK_F10) {
        msg = down ? WM_SYSKEYDOWN : WM_SYSKEYUP;
        if (!target) target = in.active;
    }
    Window* w = findWindow(target);
    if (!w) return;
    const LPARAM lp = static_cast<LPARAM>(1 | ((scan & 0xFF) << 16) | (extendedKey(vk) || (scan & 0xFF00) == 0xE000 ? 1u << 24 : 0u) |
                                          (alt ? 1u << 29 : 0u) | (wasDown ? 1u << 30 : 0u) | (down ? 0u : 1u << 31));
    POINT pt{gCursorX.load(), gCursorY.load()};
    postInput(w, MSG{target, msg, vk, lp, GetTickCount(), pt});
}

void charInput(WCHAR ch) {
    Window* w = findWindow(inputState().focus);
    if (!w) return;
    // VK_PACKET carries the character where a key's scan code would be.
    POINT pt{gCursorX.load(), gCursorY.load()};
    postInput(w, MSG{w->handle, WM_KEYDOWN, VK_PACKET, static_cast<LPARAM>(1 | (static_cast<DWORD>(ch) << 16)),
                     GetTickCount(), pt});
    postInput(w, MSG{w->handle, WM_KEYUP, VK_PACKET,
                     static_cast<LPARAM>(1 | (static_cast<DWORD>(ch) << 16) | (3u << 30)), GetTickCount(), pt});
}

}  // namespace hmigfx::display

extern "C" {

BOOL WINAPI TranslateMessage(const MSG* msg) {
    if (!msg) return FALSE;
    const UINT m = msg->message;
    if (m != WM_KEYDOWN && m != WM_SYSKEYDOWN) return m == WM_KEYUP || m == WM_SYSKEYUP;
    const UINT vk = static_cast<UINT>(msg->wParam);
    WCHAR ch;
    if (vk == VK_PACKET)
        ch = static_cast<WCHAR>((static_cast<DWORD>(msg->lParam) >> 16) & 0xFFFF);
    else
        ch = translateKey(vk, isDown(VK_SHIFT), (keyState(VK_CAPITAL) & 1) != 0, isDown(VK_CONTROL) && !isDown(VK_MENU));
    if (ch) PostMessageW(msg->hwnd, m == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR, ch, msg->lParam);
    return TRUE;
}

UINT WINAPI SendInput(UINT n, LPINPUT inputs, int size) {
    if (size != static_cast<int>(sizeof(INPUT)) || (n && !inputs)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    for (UINT i = 0; i < n; ++i) {
        const INPUT& in = inputs[i];
        if (in.type == INPUT_KEYBOARD) {
            const KEYBDINPUT& k = in.ki;
            if (k.dwFlags & KEYEVENTF_UNICODE) {
                if (!(k.dwFlags & KEYEVENTF_KEYUP)) display::charInput(k.wScan);
            } else {
                display::keyInput(k.wVk, !(k.dwFlags & KEYEVENTF_KEYUP),
                                  k.wScan | (k.dwFlags & KEYEVENTF_EXTENDEDKEY ? 0xE000u : 0u));
            }
            continue;
        }
        if (in.type != INPUT_MOUSE) continue;
        const MOUSEINPUT& m = in.mi;
        POINT pt{gCursorX.load(), gCursorY.load()};
        if (m.dwFlags & MOUSEEVENTF_MOVE) {
            if (m.dwFlags & MOUSEEVENTF_ABSOLUTE) {
                // 0..65535 spans the screen.
                pt.x = static_cast<LONG>(static_cast<long long>(m.dx) * GetSystemMetrics(SM_CXSCREEN) / 65536);
                pt.y = static_cast<LONG>(static_cast<long long>(m.dy) * GetSystemMetrics(SM_CYSCREEN) / 65536);
            } else {
                pt.x += m.dx;
                pt.y += m.dy;
            }
            display::mouseInput(WM_MOUSEMOVE, pt);
        }
        const struct {
            DWORD flag;
            UINT msg;
        } buttons[] = {{MOUSEEVENTF_LEFTDOWN, WM_LBUTTONDOWN},   {MOUSEEVENTF_LEFTUP, WM_LBUTTONUP},
                       {MOUSEEVENTF_RIGHTDOWN, WM_RBUTTONDOWN},  {MOUSEEVENTF_RIGHTUP, WM_RBUTTONUP},
                       {MOUSEEVENTF_MIDDLEDOWN, WM_MBUTTONDOWN}, {MOUSEEVENTF_MIDDLEUP, WM_MBUTTONUP}};
        for (const auto& b : buttons)
            if (m.dwFlags & b.flag) display::mouseInput(b.msg, pt);
        if (m.dwFlags & MOUSEEVENTF_WHEEL)
            display::mouseInput(WM_MOUSEWHEEL, pt, static_cast<int>(static_cast<LONG>(m.mouseData)));
    }
    return n;
}

HWND WINAPI SetFocus(HWND h) {
    if (h) {
        Window* w = checkWindow(h);
        if (!w) return nullptr;
        if (w->thread != GetCurrentThreadId()) {
            SetLastError(ERROR_ACCESS_DENIED);
            return nullptr;
        }
        if (!isEnabled(w)) return nullptr;  // a disabled window cannot take the keyboard
    }
    return changeFocus(h);
}

HWND WINAPI GetFocus(void) { return inputState().focus; }

HWND WINAPI SetActiveWindow(HWND h) {
    Window* w = h ? checkWindow(h) : nullptr;
    if (h && !w) return nullptr;
    if (w) h = topLevelOf(w)->handle;
    const HWND old = inputState().active;
    changeActive(h, false);
    return old;
}

HWND WINAPI GetActiveWindow(void) { return inputState().active; }
HWND WINAPI GetForegroundWindow(void) { return inputState().active; }
BOOL WINAPI SetForegroundWindow(HWND h) {
    if (!checkWindow(h)) return FALSE;
    SetActiveWindow(h);
    return TRUE;
}

BOOL WINAPI EnableWindow(HWND h, BOOL enable) {
    Window* w = checkWindow(h);
    if (!w) return FALSE;
    const bool wasDisabled = (w->style & WS_DISABLED) != 0;
    if (enable && wasDisabled) {
        w->style &= ~WS_DISABLED;
        sendTo(h, WM_ENABLE, TRUE, 0);
    } else if (!enable && !wasDisabled) {
        sendTo(h, WM_CANCELMODE, 0, 0);
        if (!(w = findWindow(h))) return FALSE;
        w->style |= WS_DISABLED;
        const HWND focus = inputState().focus;
        if (focus && (focus == h || IsChild(h, focus))) changeFocus(nullptr);
        sendTo(h, WM_ENABLE, FALSE, 0);
    }
    return wasDisabled;
}

BOOL WINAPI IsWindowEnabled(HWND h) {
    Window* w = findWindow(h);
    return w && !(w->style & WS_DISABLED);
}

HWND WINAPI SetCapture(HWND h) {
    if (h && !checkWindow(h)) return nullptr;
    InputState& in = inputState();
    const HWND old = in.capture;
    in.capture = h;
    if (old && old != h && findWindow(old)) sendTo(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(h));
    return old;
}

BOOL WINAPI ReleaseCapture(void) {
    InputState& in = inputState();
    const HWND old = in.capture;
    in.capture = nullptr;
    if (old && findWindow(old)) sendTo(old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND WINAPI GetCapture(void) { return inputState().capture; }

SHORT WINAPI GetKeyState(int vk) {
    const BYTE s = keyState(vk);
    return static_cast<SHORT>(((s & 0x80) ? 0x8000 : 0) | (s & 1));
}

SHORT WINAPI GetAsyncKeyState(int vk) { return static_cast<SHORT>((keyState(vk) & 0x80) ? 0x8000 : 0); }

BOOL WINAPI GetCursorPos(LPPOINT pt) {
    if (!pt) return FALSE;
    *pt = POINT{gCursorX.load(), gCursorY.load()};
    return TRUE;
}

BOOL WINAPI SetCursorPos(int x, int y) {
    x = std::clamp(x, 0, GetSystemMetrics(SM_CXSCREEN) - 1);
    y = std::clamp(y, 0, GetSystemMetrics(SM_CYSCREEN) - 1);
    if (x != gCursorX.load() || y != gCursorY.load()) display::mouseInput(WM_MOUSEMOVE, POINT{x, y});
    return TRUE;
}

UINT WINAPI GetDoubleClickTime(void) { return 500; }

HCURSOR WINAPI LoadCursorW(HINSTANCE instance, LPCWSTR name) {
    // The system's cursors are tokens here: the display back end draws its own.
    if (!instance && IS_INTRESOURCE(name)) {
        const auto id = reinterpret_cast<ULONG_PTR>(name);
        if (id >= 32512 && id <= 32651) return reinterpret_cast<HCURSOR>(id << 8);
    }
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
}

HCURSOR WINAPI SetCursor(HCURSOR c) {
    const HCURSOR old = gCursor;
    gCursor = c;
    return old;
}

HCURSOR WINAPI GetCursor(void) { return gCursor; }

BOOL WINAPI CreateCaret(HWND h, HBITMAP bmp, int width, int height) {
    Window* w = checkWindow(h);
    if (!w) return FALSE;
    DestroyCaret();
    BITMAP bm{};
    if (bmp && GetObjectW(bmp, sizeof bm, &bm)) {
        width = bm.bmWidth;
        height = bm.bmHeight;
    }
    gCaret = Caret{h, width > 0 ? width : GetSystemMetrics(SM_CXBORDER), height > 0 ? height : GetSystemMetrics(SM_CYBORDER),
                   POINT{0, 0}, 1};
    return TRUE;
}

BOOL WINAPI DestroyCaret(void) {
    if (!gCaret.owner) return FALSE;
    if (gCaret.hidden == 0) caretChanged();
    gCaret = Caret{};
    return TRUE;
}

BOOL WINAPI ShowCaret(HWND h) {
    if (!gCaret.owner || (h && h != gCaret.owner) || gCaret.hidden == 0) return FALSE;
    if (--gCaret.hidden == 0) caretChanged();
    return TRUE;
}

BOOL WINAPI HideCaret(HWND h) {
    if (!gCaret.owner || (h && h != gCaret.owner)) return FALSE;
    if (gCaret.hidden++ == 0) caretChanged();
    return TRUE;
}

BOOL WINAPI SetCaretPos(int x, int y) {
    if (!gCaret.owner) return FALSE;
    if (gCaret.hidden == 0) caretChanged();
    gCaret.pos = POINT{x, y};
    if (gCaret.hidden == 0) caretChanged();
    return TRUE;
}

BOOL WINAPI GetCaretPos(LPPOINT pt) {
    if (!pt) return FALSE;
    *pt = gCaret.pos;
    return TRUE;
}

BOOL WINAPI MessageBeep(UINT) { return TRUE; }

BOOL WINAPI TrackMouseEvent(LPTRACKMOUSEEVENT t) {
    if (!t || t->cbSize != sizeof *t) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (t->dwFlags & TME_QUERY) {
        const bool tracking = gLeaveTracked != nullptr;
        *t = TRACKMOUSEEVENT{sizeof *t, tracking ? static_cast<DWORD>(TME_LEAVE) : 0u, gLeaveTracked, 0};
        return TRUE;
    }
    if (!checkWindow(t->hwndTrack)) return FALSE;
    if (t->dwFlags & TME_CANCEL) {
        if ((t->dwFlags & TME_LEAVE) && gLeaveTracked == t->hwndTrack) gLeaveTracked = nullptr;
        return TRUE;
    }
    if (t->dwFlags & TME_LEAVE) {
        // Already outside: the message comes at once, as on Windows.
        int hit = HTNOWHERE;
        if (hitTest(POINT{gCursorX.load(), gCursorY.load()}, &hit) != t->hwndTrack || hit != HTCLIENT) {
            gLeaveTracked = t->hwndTrack;
            endLeaveTracking();
        } else {
            gLeaveTracked = t->hwndTrack;
        }
    }
    // Hovering (WM_MOUSEHOVER) and the non-client area are not tracked.
    if (t->dwFlags & (TME_HOVER | TME_NONCLIENT)) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return FALSE;
    }
    return TRUE;
}

}  // extern "C"
