// Window classes: the application's, registered by name and module, and
// USER's own (the desktop and the standard controls), which every module
// sees. Class names and registered message names share one atom table.
#include "window_p.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <cwctype>
#include <map>
#include <mutex>

namespace hmigfx::win32 {
namespace {

struct Registry {
    std::recursive_mutex lock;
    std::vector<std::unique_ptr<WindowClass>> classes;  // application classes, then USER's
    std::map<std::wstring, ATOM> atoms;                 // lower-cased names
    ATOM nextAtom = 0xC000;
    bool systemRegistered = false;
};

Registry& registry() {
    static Registry* r = new Registry;  // never destroyed: windows may outlive static destruction
    return *r;
}

std::wstring lower(LPCWSTR s) {
    std::wstring out(s);
    for (wchar_t& c : out) c = static_cast<wchar_t>(std::towlower(c));
    return out;
}

ATOM atomFor(Registry& r, LPCWSTR name) {
    const std::wstring key = lower(name);
    if (auto it = r.atoms.find(key); it != r.atoms.end()) return it->second;
    if (r.nextAtom == 0xFFFF) return 0;
    return r.atoms[key] = r.nextAtom++;
}

void addSystemClass(Registry& r, LPCWSTR name, ATOM atom, WNDPROC proc, UINT style, LPCWSTR cursor, HBRUSH bg) {
    auto c = std::make_unique<WindowClass>();
    c->name = name;
    c->atom = atom;
    c->proc = proc;
    c->style = style;
    c->wndExtra = sizeof(LONG_PTR);  // the control's state
    c->cursor = LoadCursorW(nullptr, cursor);
    c->background = bg;
    c->system = true;
    r.atoms[lower(name)] = atom;
    r.classes.push_back(std::move(c));
}

void registerSystemClasses(Registry& r) {
    if (r.systemRegistered) return;
    r.systemRegistered = true;
    addSystemClass(r, L"Button", 0x0080, buttonProc, CS_DBLCLKS | CS_VREDRAW | CS_HREDRAW | CS_PARENTDC, IDC_ARROW,
                   nullptr);
    addSystemClass(r, L"Edit", 0x0081, editProc, CS_DBLCLKS | CS_PARENTDC, IDC_IBEAM, nullptr);
    addSystemClass(r, L"Static", 0x0082, staticProc, CS_DBLCLKS | CS_PARENTDC, IDC_ARROW, nullptr);
    addSystemClass(r, L"#32769", 0x8001, DefWindowProcW, 0, IDC_ARROW, reinterpret_cast<HBRUSH>(COLOR_BACKGROUND + 1));
    addSystemClass(r, UPDOWN_CLASSW, atomFor(r, UPDOWN_CLASSW), upDownProc, CS_HREDRAW | CS_VREDRAW, IDC_ARROW,
                   nullptr);
}

bool nameMatches(const WindowClass& c, LPCWSTR name) {
    if (IS_INTRESOURCE(name)) return c.atom == static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(name));
    return lower(c.name.c_str()) == lower(name);
}

WindowClass* find(Registry& r, LPCWSTR name, HINSTANCE instance, bool exactInstance) {
    registerSystemClasses(r);
    if (!name) return nullptr;
    WindowClass* anyInstance = nullptr;
    for (auto& c : r.classes) {
        if (!nameMatches(*c, name)) continue;
        if (c->system || c->instance == instance || (c->style & CS_GLOBALCLASS)) return c.get();
        if (!anyInstance) anyInstance = c.get();
    }
    // A module of this process may name another module's class (on Linux the
    // library and the executable are different modules, but one application).
    return exactInstance ? nullptr : anyInstance;
}

ULONG_PTR classLong(WindowClass* c, int index, const LONG_PTR* set) {
    auto swap = [set](auto& field) {
        const auto old = field;
        if (set) field = reinterpret_cast<std::remove_reference_t<decltype(field)>>(*set);
        return reinterpret_cast<ULONG_PTR>(old);
    };
    switch (index) {
    case GCLP_HBRBACKGROUND: return swap(c->background);
    case GCLP_HCURSOR: return swap(c->cursor);
    case GCLP_HICON: return swap(c->icon);
    case GCLP_HICONSM: return swap(c->iconSmall);
    case GCLP_HMODULE: return swap(c->instance);
    case GCLP_WNDPROC: return swap(c->proc);
    case GCL_STYLE: {
        const UINT old = c->style;
        if (set) c->style = static_cast<UINT>(*set);
        return old;
    }
    case GCL_CBWNDEXTRA: return static_cast<ULONG_PTR>(c->wndExtra);
    case GCL_CBCLSEXTRA: return c->extra.size();
    case GCW_ATOM: return c->atom;
    default:
        if (index < 0 || static_cast<size_t>(index) + sizeof(LONG_PTR) > c->extra.size()) {
            SetLastError(1413L);  // ERROR_INVALID_INDEX
            return 0;
        }
        ULONG_PTR old;
        std::memcpy(&old, c->extra.data() + index, sizeof old);
        if (set) std::memcpy(c->extra.data() + index, set, sizeof *set);
        return old;
    }
}

}  // namespace

WindowClass* findClass(LPCWSTR name, HINSTANCE instance) {
    Registry& r = registry();
    std::lock_guard<std::recursive_mutex> g(r.lock);
    return find(r, name, instance, false);
}

}  // namespace hmigfx::win32

using namespace hmigfx::win32;

extern "C" {

ATOM WINAPI RegisterClassExW(const WNDCLASSEXW* wc) {
    if (!wc || wc->cbSize != sizeof(WNDCLASSEXW) || !wc->lpszClassName || !wc->lpfnWndProc || wc->cbClsExtra < 0 ||
        wc->cbWndExtra < 0 || wc->cbClsExtra > 40 || wc->cbWndExtra > 40 || IS_INTRESOURCE(wc->lpszClassName)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    Registry& r = registry();
    std::lock_guard<std::recursive_mutex> g(r.lock);
    registerSystemClasses(r);
    for (auto& c : r.classes)
        if (!c->system && c->instance == wc->hInstance && nameMatches(*c, wc->lpszClassName)) {
            SetLastError(ERROR_CLASS_ALREADY_EXISTS);
            return 0;
        }
    auto c = std::make_unique<WindowClass>();
    c->name = wc->lpszClassName;
    c->atom = atomFor(r, wc->lpszClassName);
    if (!c->atom) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return 0;
    }
    c->style = wc->style;
    c->proc = wc->lpfnWndProc;
    c->wndExtra = wc->cbWndExtra;
    c->extra.assign(static_cast<size_t>(wc->cbClsExtra), 0);
    c->instance = wc->hInstance;
    c->icon = wc->hIcon;
    c->iconSmall = wc->hIconSm;
    c->cursor = wc->hCursor;
    c->background = wc->hbrBackground;
    if (wc->lpszMenuName && !IS_INTRESOURCE(wc->lpszMenuName)) c->menuName = wc->lpszMenuName;
    const ATOM atom = c->atom;
    // Application classes are searched before USER's.
    r.classes.insert(r.classes.begin(), std::move(c));
    return atom;
}

ATOM WINAPI RegisterClassW(const WNDCLASSW* wc) {
    if (!wc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const WNDCLASSEXW ex{sizeof(WNDCLASSEXW), wc->style,         wc->lpfnWndProc,  wc->cbClsExtra,
                         wc->cbWndExtra,      wc->hInstance,     wc->hIcon,        wc->hCursor,
                         wc->hbrBackground,   wc->lpszMenuName,  wc->lpszClassName, nullptr};
    return RegisterClassExW(&ex);
}

BOOL WINAPI UnregisterClassW(LPCWSTR name, HINSTANCE instance) {
    Registry& r = registry();
    std::lock_guard<std::recursive_mutex> g(r.lock);
    WindowClass* c = find(r, name, instance, true);
    if (!c || c->system) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    if (c->windows > 0) {
        SetLastError(ERROR_CLASS_HAS_WINDOWS);
        return FALSE;
    }
    r.classes.erase(std::find_if(r.classes.begin(), r.classes.end(), [c](auto& p) { return p.get() == c; }));
    return TRUE;
}

BOOL WINAPI GetClassInfoExW(HINSTANCE instance, LPCWSTR name, LPWNDCLASSEXW wc) {
    Registry& r = registry();
    std::lock_guard<std::recursive_mutex> g(r.lock);
    WindowClass* c = find(r, name, instance, false);
    if (!c || !wc) {
        SetLastError(c ? ERROR_INVALID_PARAMETER : ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    wc->style = c->style;
    wc->lpfnWndProc = c->proc;
    wc->cbClsExtra = static_cast<int>(c->extra.size());
    wc->cbWndExtra = c->wndExtra;
    wc->hInstance = c->instance;
    wc->hIcon = c->icon;
    wc->hIconSm = c->iconSmall;
    wc->hCursor = c->cursor;
    wc->hbrBackground = c->background;
    wc->lpszMenuName = c->menuName.empty() ? nullptr : c->menuName.c_str();
    wc->lpszClassName = c->name.c_str();
    return c->atom;
}

BOOL WINAPI GetClassInfoW(HINSTANCE instance, LPCWSTR name, LPWNDCLASSW wc) {
    WNDCLASSEXW ex{};
    ex.cbSize = sizeof ex;
    const BOOL ok = GetClassInfoExW(instance, name, &ex);
    if (ok && wc)
        *wc = WNDCLASSW{ex.style,   ex.lpfnWndProc, ex.cbClsExtra,     ex.cbWndExtra,   ex.hInstance,
                        ex.hIcon,   ex.hCursor,     ex.hbrBackground,  ex.lpszMenuName, ex.lpszClassName};
    return ok;
}

int WINAPI GetClassNameW(HWND h, LPWSTR buf, int max) {
    Window* w = checkWindow(h);
    if (!w || !buf || max <= 0) return 0;
    const int n = std::min(static_cast<int>(w->cls->name.size()), max - 1);
    std::wmemcpy(buf, w->cls->name.c_str(), static_cast<size_t>(n));
    buf[n] = 0;
    return n;
}

ULONG_PTR WINAPI GetClassLongPtrW(HWND h, int index) {
    Window* w = checkWindow(h);
    return w ? classLong(w->cls, index, nullptr) : 0;
}

ULONG_PTR WINAPI SetClassLongPtrW(HWND h, int index, LONG_PTR value) {
    Window* w = checkWindow(h);
    if (!w || index == GCW_ATOM || index == GCL_CBWNDEXTRA || index == GCL_CBCLSEXTRA) {
        if (w) SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return classLong(w->cls, index, &value);
}

UINT WINAPI RegisterWindowMessageW(LPCWSTR name) {
    if (!name || !*name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    Registry& r = registry();
    std::lock_guard<std::recursive_mutex> g(r.lock);
    return atomFor(r, name);
}

}  // extern "C"
