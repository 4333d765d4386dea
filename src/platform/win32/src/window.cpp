// Windows: the handle table, creation and destruction, the window tree,
// window data and text.
#include "slot_table_p.h"
#include "window_p.h"

#include <hmigfx_display.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <cwchar>

#include <unistd.h>

namespace hmigfx::win32 {
namespace {

// Window handles hold their slot in the low 16 bits (above the small
// integers HWND_BOTTOM, HWND_BROADCAST ...) and an 8-bit generation above:
// never a GDI handle, whose generation starts at bit 24, and a destroyed
// window's handle stays invalid until its slot has been reused 255 times.
using WindowTable = SlotTable<Window, 16, 0x20, 8>;

WindowTable& table() {
    static WindowTable* t = new WindowTable;  // never destroyed: windows may die in static destructors
    return *t;
}

HWND addWindow(std::unique_ptr<Window> w) { return reinterpret_cast<HWND>(table().add(std::move(w))); }

void removeWindow(HWND h) { table().take(reinterpret_cast<uintptr_t>(h)); }

POINT defaultPosition() {
    // Overlapped windows without a position cascade from the top-left.
    static int n = 0;
    const int step = 26 * (n++ % 10);
    return POINT{26 + step, 26 + step};
}

// WM_PARENTNOTIFY up the chain of parents, as far as the children allow it.
void parentNotify(HWND child, UINT event) {
    HWND h = child;
    for (Window* w = findWindow(h); w && w->isChild() && !(w->exStyle & WS_EX_NOPARENTNOTIFY); w = findWindow(h)) {
        const HWND parent = w->parent;
        const LONG_PTR id = w->id;
        sendTo(parent, WM_PARENTNOTIFY, MAKEWPARAM(event, id), reinterpret_cast<LPARAM>(child));
        h = parent;
    }
}

void unlinkFromParent(Window* w) {
    if (Window* p = findWindow(w->parent)) {
        auto& c = p->children;
        c.erase(std::remove(c.begin(), c.end(), w->handle), c.end());
    }
}

// Frees a window whose WM_NCDESTROY has been sent (or that never lived).
void freeWindow(HWND h) {
    Window* w = findWindow(h);
    if (!w) return;
    unlinkFromParent(w);
    dropWindowMessages(h);
    releasePaintResources(w);
    if (w->cls) --w->cls->windows;
    if (!w->isChild() && w->parent == desktopWindow()->handle) display::backend().windowDestroyed(h);
    removeWindow(h);
}

void sendDestroy(HWND h) {
    sendTo(h, WM_DESTROY, 0, 0);
    Window* w = findWindow(h);
    if (!w) return;
    const std::vector<HWND> children = w->children;
    for (HWND c : children)
        if (findWindow(c)) sendDestroy(c);
}

void sendNcDestroy(HWND h) {
    Window* w = findWindow(h);
    if (!w) return;
    const std::vector<HWND> children = w->children;
    for (HWND c : children) sendNcDestroy(c);
    sendTo(h, WM_NCDESTROY, 0, 0);
    freeWindow(h);
}

void markDestroying(Window* w, void*) { w->destroying = true; }

// The value GWL_STYLE/GWL_EXSTYLE setters go through: WM_STYLECHANGING may
// adjust it, WM_STYLECHANGED reports it.
LONG_PTR changeStyle(Window* w, int index, DWORD value) {
    DWORD& field = index == GWL_STYLE ? w->style : w->exStyle;
    STYLESTRUCT ss{field, value};
    const HWND h = w->handle;
    sendTo(h, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
    if (!(w = findWindow(h))) return 0;
    DWORD& f = index == GWL_STYLE ? w->style : w->exStyle;
    const DWORD old = f;
    f = ss.styleNew;
    sendTo(h, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
    return static_cast<LONG_PTR>(old);
}

bool extraRange(const Window* w, int index, size_t size) {
    if (index < 0 || static_cast<size_t>(index) + size > w->extra.size()) {
        SetLastError(1413L);  // ERROR_INVALID_INDEX
        return false;
    }
    return true;
}

LONG_PTR getLong(HWND h, int index, size_t size) {
    Window* w = checkWindow(h);
    if (!w) return 0;
    switch (index) {
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT: return reinterpret_cast<LONG_PTR>(w->isChild() ? w->parent : w->owner);
    case GWLP_ID: return w->id;
    case GWLP_USERDATA: return w->userData;
    case GWL_STYLE: return static_cast<LONG>(w->style);
    case GWL_EXSTYLE: return static_cast<LONG>(w->exStyle);
    default:
        if (!extraRange(w, index, size)) return 0;
        if (size == sizeof(LONG)) {
            LONG v;
            std::memcpy(&v, w->extra.data() + index, sizeof v);
            return v;
        }
        LONG_PTR v;
        std::memcpy(&v, w->extra.data() + index, sizeof v);
        return v;
    }
}

LONG_PTR setLong(HWND h, int index, LONG_PTR value, size_t size) {
    Window* w = checkWindow(h);
    if (!w) return 0;
    LONG_PTR old = 0;
    switch (index) {
    case GWLP_WNDPROC:
        old = reinterpret_cast<LONG_PTR>(w->proc);
        if (!value) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        w->proc = reinterpret_cast<WNDPROC>(value);
        return old;
    case GWLP_HINSTANCE:
        old = reinterpret_cast<LONG_PTR>(w->instance);
        w->instance = reinterpret_cast<HINSTANCE>(value);
        return old;
    case GWLP_HWNDPARENT:
        if (w->isChild()) return reinterpret_cast<LONG_PTR>(SetParent(h, reinterpret_cast<HWND>(value)));
        old = reinterpret_cast<LONG_PTR>(w->owner);
        w->owner = reinterpret_cast<HWND>(value);
        return old;
    case GWLP_ID:
        old = w->id;
        w->id = value;
        return old;
    case GWLP_USERDATA:
        old = w->userData;
        w->userData = value;
        return old;
    case GWL_STYLE:
    case GWL_EXSTYLE: return changeStyle(w, index, static_cast<DWORD>(value));
    default:
        if (!extraRange(w, index, size)) return 0;
        old = getLong(h, index, size);
        if (size == sizeof(LONG)) {
            const LONG v = static_cast<LONG>(value);
            std::memcpy(w->extra.data() + index, &v, sizeof v);
        } else {
            std::memcpy(w->extra.data() + index, &value, sizeof value);
        }
        return old;
    }
}

void collect(Window* w, std::vector<HWND>& out) {
    for (HWND c : w->children)
        if (Window* cw = findWindow(c)) {
            out.push_back(c);
            collect(cw, out);
        }
}

}  // namespace

Window* findWindow(HWND h) { return table().find(reinterpret_cast<uintptr_t>(h)); }

Window* checkWindow(HWND h) {
    Window* w = findWindow(h);
    if (!w) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return w;
}

Window* desktopWindow() {
    static HWND desktop = [] {
        auto w = std::make_unique<Window>();
        w->cls = findClass(L"#32769", nullptr);
        w->proc = w->cls->proc;
        ++w->cls->windows;
        w->style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
        w->rect = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        w->client = w->rect;
        return addWindow(std::move(w));
    }();
    return findWindow(desktop);
}

void forEachInTree(Window* w, void (*fn)(Window*, void*), void* ctx) {
    const HWND h = w->handle;
    fn(w, ctx);
    if (!(w = findWindow(h))) return;
    const std::vector<HWND> children = w->children;
    for (HWND c : children)
        if (Window* cw = findWindow(c)) forEachInTree(cw, fn, ctx);
}

std::vector<HWND> allWindows() {
    std::vector<HWND> out;
    collect(desktopWindow(), out);
    return out;
}

bool isVisible(const Window* w) {
    for (; w; w = findWindow(w->parent)) {
        if (!(w->style & WS_VISIBLE)) return false;
        if (!w->parent) return true;
    }
    return false;
}

bool isEnabled(const Window* w) {
    for (; w && w->parent; w = findWindow(w->parent))
        if (w->style & WS_DISABLED) return false;
    return true;
}

Window* topLevelOf(Window* w) {
    Window* desktop = desktopWindow();
    while (w && w->parent && w->parent != desktop->handle) w = findWindow(w->parent);
    return w;
}

}  // namespace hmigfx::win32

using namespace hmigfx::win32;
namespace display = hmigfx::display;

extern "C" {

HWND WINAPI CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int cx,
                            int cy, HWND parentHandle, HMENU menu, HINSTANCE instance, LPVOID param) {
    WindowClass* cls = findClass(className, instance);
    if (!cls) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    const bool messageOnly = parentHandle == HWND_MESSAGE;
    Window* parent = nullptr;
    Window* owner = nullptr;
    if (style & WS_CHILD) {
        if (!parentHandle || messageOnly) {
            SetLastError(ERROR_TLW_WITH_WSCHILD);
            return nullptr;
        }
        if (!(parent = checkWindow(parentHandle))) return nullptr;
    } else if (parentHandle && !messageOnly) {
        if (!(owner = checkWindow(parentHandle))) return nullptr;
        owner = topLevelOf(owner);  // owners are top-level windows
    }
    if (!parent) parent = desktopWindow();
    if (messageOnly) style &= ~WS_VISIBLE;
    // Overlapped windows always have a caption and clip their siblings.
    if (!(style & (WS_CHILD | WS_POPUP))) style |= WS_CAPTION | WS_CLIPSIBLINGS;
    if ((style & (WS_DLGFRAME | WS_THICKFRAME)) || (exStyle & WS_EX_DLGMODALFRAME))
        exStyle |= WS_EX_WINDOWEDGE;
    else
        exStyle &= ~WS_EX_WINDOWEDGE;
    if (style & WS_CHILD) {
        if (x == CW_USEDEFAULT) x = y = 0;
        if (cx == CW_USEDEFAULT) cx = cy = 0;
    } else {
        if (x == CW_USEDEFAULT) {
            const POINT p = (style & WS_POPUP) ? POINT{0, 0} : defaultPosition();
            x = p.x;
            y = p.y;
        }
        if (cx == CW_USEDEFAULT) {
            cx = (style & WS_POPUP) ? 0 : GetSystemMetrics(SM_CXSCREEN) * 3 / 4;
            cy = (style & WS_POPUP) ? 0 : GetSystemMetrics(SM_CYSCREEN) * 3 / 4;
        }
    }

    ensureMessageQueue();  // other threads may post to the window at once
    auto created = std::make_unique<Window>();
    created->thread = GetCurrentThreadId();
    created->cls = cls;
    created->proc = cls->proc;
    created->style = style & ~WS_VISIBLE;  // ShowWindow below makes it visible
    created->exStyle = exStyle;
    created->id = reinterpret_cast<LONG_PTR>(menu);
    created->instance = instance;
    created->parent = parent->handle;
    created->owner = owner ? owner->handle : nullptr;
    created->extra.assign(static_cast<size_t>(cls->wndExtra), 0);
    created->rect = RECT{x, y, x + std::max(cx, 0), y + std::max(cy, 0)};
    const HWND h = addWindow(std::move(created));
    if (!h) {
        SetLastError(ERROR_NOT_ENOUGH_QUOTA);
        return nullptr;
    }
    ++cls->windows;
    // Children are made at the bottom of their siblings (dialog order is z-order),
    // top-level windows at the top.
    if (style & WS_CHILD)
        parent->children.push_back(h);
    else
        parent->children.insert(parent->children.begin(), h);

    CREATESTRUCTW cs{param, instance, menu, parentHandle, cy, cx, y, x, static_cast<LONG>(style), windowName,
                     className, exStyle};
    CBT_CREATEWNDW cbt{&cs, (style & WS_CHILD) ? HWND_BOTTOM : HWND_TOP};
    if (callCbtHooks(HCBT_CREATEWND, reinterpret_cast<WPARAM>(h), reinterpret_cast<LPARAM>(&cbt))) {
        freeWindow(h);
        return nullptr;
    }
    if ((style & WS_THICKFRAME) || !(style & (WS_POPUP | WS_CHILD))) {
        MINMAXINFO mmi{};
        mmi.ptMaxSize = POINT{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        mmi.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
        mmi.ptMaxTrackSize = POINT{0x7FFF, 0x7FFF};
        sendTo(h, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
        cs.cx = std::clamp<int>(cs.cx, mmi.ptMinTrackSize.x, std::max(mmi.ptMinTrackSize.x, mmi.ptMaxTrackSize.x));
        cs.cy = std::clamp<int>(cs.cy, mmi.ptMinTrackSize.y, std::max(mmi.ptMinTrackSize.y, mmi.ptMaxTrackSize.y));
    }
    Window* w = findWindow(h);
    if (!w) return nullptr;
    w->rect = RECT{cs.x, cs.y, cs.x + std::max(cs.cx, 0), cs.y + std::max(cs.cy, 0)};
    if (!sendTo(h, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        sendNcDestroy(h);
        return nullptr;
    }
    if (!(w = findWindow(h)) || !(w = recalcClient(w, false))) return nullptr;
    resizeLayer(w);
    if (sendTo(h, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(h);
        return nullptr;
    }
    if (!(w = findWindow(h))) return nullptr;
    const POINT co{w->rect.left + w->client.left, w->rect.top + w->client.top};
    sendTo(h, WM_SIZE, SIZE_RESTORED,
           MAKELPARAM(w->client.right - w->client.left, w->client.bottom - w->client.top));
    sendTo(h, WM_MOVE, 0, MAKELPARAM(co.x, co.y));
    parentNotify(h, WM_CREATE);
    if (!findWindow(h)) return nullptr;
    if (style & WS_VISIBLE) ShowWindow(h, SW_SHOW);
    return findWindow(h) ? h : nullptr;
}

BOOL WINAPI DestroyWindow(HWND h) {
    Window* w = checkWindow(h);
    if (!w) return FALSE;
    if (w == desktopWindow() || w->thread != GetCurrentThreadId()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (w->destroying) return TRUE;
    if (callCbtHooks(HCBT_DESTROYWND, reinterpret_cast<WPARAM>(h), 0)) return FALSE;
    parentNotify(h, WM_DESTROY);
    if (!(w = findWindow(h))) return TRUE;
    if (w->style & WS_VISIBLE)
        SetWindowPos(h, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
    // Owned windows go first.
    for (HWND o : desktopWindow()->children)
        if (Window* ow = findWindow(o); ow && ow->owner == h) {
            DestroyWindow(o);
            return DestroyWindow(h);  // the list changed under us
        }
    if (!(w = findWindow(h)) || w->destroying) return TRUE;
    forEachInTree(w, markDestroying, nullptr);

    InputState& in = inputState();
    auto inTree = [h](HWND x) { return x && (x == h || IsChild(h, x)); };
    if (inTree(in.capture)) ReleaseCapture();
    if (inTree(in.focus)) changeFocus(w->isChild() && !inTree(w->parent) ? w->parent : nullptr);
    if (inTree(in.active)) changeActive((w = findWindow(h)) ? w->owner : nullptr, false);

    sendDestroy(h);
    sendNcDestroy(h);
    return TRUE;
}

BOOL WINAPI IsWindow(HWND h) { return findWindow(h) != nullptr; }

BOOL WINAPI IsChild(HWND parent, HWND h) {
    Window* w = findWindow(h);
    while (w && w->isChild()) {
        if (w->parent == parent) return TRUE;
        w = findWindow(w->parent);
    }
    return FALSE;
}

HWND WINAPI GetParent(HWND h) {
    Window* w = checkWindow(h);
    if (!w) return nullptr;
    if (w->isChild()) return w->parent;
    return (w->style & WS_POPUP) ? w->owner : nullptr;
}

HWND WINAPI SetParent(HWND h, HWND newParent) {
    Window* w = checkWindow(h);
    if (!w) return nullptr;
    Window* p = newParent ? checkWindow(newParent) : desktopWindow();
    if (!p || p == w || IsChild(h, newParent)) {
        if (p) SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const bool shown = (w->style & WS_VISIBLE) != 0;
    if (shown) ShowWindow(h, SW_HIDE);
    if (!(w = findWindow(h))) return nullptr;
    Window* old = findWindow(w->parent);
    const HWND oldHandle = w->parent == desktopWindow()->handle ? nullptr : w->parent;
    unlinkFromParent(w);
    w->parent = p->handle;
    p->children.insert(p->children.begin(), h);
    (void)old;
    refreshWindowDCs(w);
    if (shown) ShowWindow(h, SW_SHOWNA);
    return oldHandle;
}

HWND WINAPI GetAncestor(HWND h, UINT flags) {
    Window* w = checkWindow(h);
    if (!w || w == desktopWindow()) return nullptr;
    switch (flags) {
    case GA_PARENT: return w->parent;
    case GA_ROOT: return topLevelOf(w)->handle;
    case GA_ROOTOWNER: {
        Window* top = topLevelOf(w);
        while (Window* o = findWindow(top->owner)) top = o;
        return top->handle;
    }
    default: return nullptr;
    }
}

HWND WINAPI GetWindow(HWND h, UINT cmd) {
    Window* w = checkWindow(h);
    if (!w) return nullptr;
    if (cmd == GW_CHILD) return w->children.empty() ? nullptr : w->children.front();
    if (cmd == GW_OWNER) return w->owner;
    Window* p = findWindow(w->parent);
    if (!p) return nullptr;
    const auto& sib = p->children;
    const auto it = std::find(sib.begin(), sib.end(), h);
    switch (cmd) {
    case GW_HWNDFIRST: return sib.front();
    case GW_HWNDLAST: return sib.back();
    case GW_HWNDNEXT: return it != sib.end() && it + 1 != sib.end() ? *(it + 1) : nullptr;
    case GW_HWNDPREV: return it != sib.begin() && it != sib.end() ? *(it - 1) : nullptr;
    default: SetLastError(ERROR_INVALID_PARAMETER); return nullptr;
    }
}

HWND WINAPI GetTopWindow(HWND h) { return GetWindow(h ? h : desktopWindow()->handle, GW_CHILD); }

HWND WINAPI GetDesktopWindow(void) { return desktopWindow()->handle; }

BOOL WINAPI EnumChildWindows(HWND parent, WNDENUMPROC fn, LPARAM lParam) {
    Window* w = parent ? checkWindow(parent) : desktopWindow();
    if (!w || !fn) return FALSE;
    std::vector<HWND> all;
    collect(w, all);
    for (HWND c : all)
        if (findWindow(c) && !fn(c, lParam)) break;
    return TRUE;
}

DWORD WINAPI GetWindowThreadProcessId(HWND h, LPDWORD processId) {
    Window* w = checkWindow(h);
    if (!w) return 0;
    if (processId) *processId = static_cast<DWORD>(getpid());
    return w->thread;
}

HWND WINAPI GetDlgItem(HWND dlg, int id) {
    Window* w = checkWindow(dlg);
    if (!w) return nullptr;
    for (HWND c : w->children)
        if (Window* cw = findWindow(c); cw && cw->id == static_cast<LONG_PTR>(id)) return c;
    SetLastError(1421L);  // ERROR_CONTROL_ID_NOT_FOUND
    return nullptr;
}

int WINAPI GetDlgCtrlID(HWND h) {
    Window* w = checkWindow(h);
    return w ? static_cast<int>(w->id) : 0;
}

BOOL WINAPI SetDlgItemTextW(HWND dlg, int id, LPCWSTR text) {
    HWND h = GetDlgItem(dlg, id);
    return h && SetWindowTextW(h, text);
}

UINT WINAPI GetDlgItemTextW(HWND dlg, int id, LPWSTR buf, int max) {
    HWND h = GetDlgItem(dlg, id);
    if (!h) {
        if (buf && max > 0) buf[0] = 0;
        return 0;
    }
    return static_cast<UINT>(GetWindowTextW(h, buf, max));
}

BOOL WINAPI SetDlgItemInt(HWND dlg, int id, UINT value, BOOL isSigned) {
    WCHAR buf[16];
    if (isSigned)
        std::swprintf(buf, 16, L"%d", static_cast<int>(value));
    else
        std::swprintf(buf, 16, L"%u", value);
    return SetDlgItemTextW(dlg, id, buf);
}

UINT WINAPI GetDlgItemInt(HWND dlg, int id, BOOL* ok, BOOL isSigned) {
    WCHAR buf[64];
    if (ok) *ok = FALSE;
    if (!GetDlgItemTextW(dlg, id, buf, 64)) return 0;
    WCHAR* end = nullptr;
    errno = 0;
    const long long v = std::wcstoll(buf, &end, 10);
    while (end && *end == L' ') ++end;
    if (end == buf || (end && *end) || errno == ERANGE) return 0;
    if (isSigned ? (v < INT32_MIN || v > INT32_MAX) : (v < 0 || v > UINT32_MAX)) return 0;
    if (ok) *ok = TRUE;
    return static_cast<UINT>(v);
}

LRESULT WINAPI SendDlgItemMessageW(HWND dlg, int id, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND h = GetDlgItem(dlg, id);
    return h ? SendMessageW(h, msg, wParam, lParam) : 0;
}

LONG WINAPI GetWindowLongW(HWND h, int index) { return static_cast<LONG>(getLong(h, index, sizeof(LONG))); }
LONG WINAPI SetWindowLongW(HWND h, int index, LONG value) {
    return static_cast<LONG>(setLong(h, index, value, sizeof(LONG)));
}
LONG_PTR WINAPI GetWindowLongPtrW(HWND h, int index) { return getLong(h, index, sizeof(LONG_PTR)); }
LONG_PTR WINAPI SetWindowLongPtrW(HWND h, int index, LONG_PTR value) {
    return setLong(h, index, value, sizeof(LONG_PTR));
}

int WINAPI GetWindowTextW(HWND h, LPWSTR buf, int max) {
    if (!buf || max <= 0) return 0;
    buf[0] = 0;
    if (!checkWindow(h)) return 0;
    return static_cast<int>(SendMessageW(h, WM_GETTEXT, static_cast<WPARAM>(max), reinterpret_cast<LPARAM>(buf)));
}

int WINAPI GetWindowTextLengthW(HWND h) {
    if (!checkWindow(h)) return 0;
    return static_cast<int>(SendMessageW(h, WM_GETTEXTLENGTH, 0, 0));
}

BOOL WINAPI SetWindowTextW(HWND h, LPCWSTR text) {
    if (!checkWindow(h)) return FALSE;
    return static_cast<BOOL>(SendMessageW(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)));
}

}  // extern "C"
