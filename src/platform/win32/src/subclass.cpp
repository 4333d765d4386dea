// Window subclassing as comctl32 offers it (SetWindowSubclass and friends),
// and the common controls' initialisation.
#include "window_p.h"

#include <algorithm>

namespace hmigfx::win32 {
namespace {

// One message in progress through a window's chain; DefSubclassProc goes on
// with the next procedure of the innermost frame for that window.
struct Frame {
    HWND hwnd;
    std::vector<SubclassEntry> entries;  // as they were when the message arrived
    WNDPROC original;
    size_t next;
};
thread_local std::vector<Frame*> gFrames;

LRESULT callFrom(Frame& f, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (f.next < f.entries.size()) {
        const SubclassEntry e = f.entries[f.next++];
        return e.proc(f.hwnd, msg, wParam, lParam, e.id, e.refData);
    }
    return CallWindowProcW(f.original, f.hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK master(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = findWindow(h);
    if (!w || !w->subclass) return DefWindowProcW(h, msg, wParam, lParam);
    Frame f{h, w->subclass->entries, w->subclass->original, 0};
    gFrames.push_back(&f);
    const LRESULT r = callFrom(f, msg, wParam, lParam);
    gFrames.pop_back();
    return r;
}

}  // namespace
}  // namespace hmigfx::win32

using namespace hmigfx::win32;

extern "C" {

BOOL WINAPI SetWindowSubclass(HWND h, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR refData) {
    Window* w = checkWindow(h);
    if (!w || !proc) return FALSE;
    if (!w->subclass) {
        w->subclass = std::make_unique<SubclassChain>();
        w->subclass->original = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(master)));
    }
    auto& e = w->subclass->entries;
    for (SubclassEntry& s : e)
        if (s.proc == proc && s.id == id) {
            s.refData = refData;
            return TRUE;
        }
    e.insert(e.begin(), SubclassEntry{proc, id, refData});
    return TRUE;
}

BOOL WINAPI GetWindowSubclass(HWND h, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR* refData) {
    Window* w = findWindow(h);
    if (w && w->subclass)
        for (const SubclassEntry& s : w->subclass->entries)
            if (s.proc == proc && s.id == id) {
                if (refData) *refData = s.refData;
                return TRUE;
            }
    if (refData) *refData = 0;
    return FALSE;
}

BOOL WINAPI RemoveWindowSubclass(HWND h, SUBCLASSPROC proc, UINT_PTR id) {
    Window* w = findWindow(h);
    if (!w || !w->subclass) return FALSE;
    auto& e = w->subclass->entries;
    auto it = std::find_if(e.begin(), e.end(), [&](const SubclassEntry& s) { return s.proc == proc && s.id == id; });
    if (it == e.end()) return FALSE;
    e.erase(it);
    // The chain unhooks itself only while nobody subclassed in front of it.
    if (e.empty() && w->proc == master) {
        w->proc = w->subclass->original;
        w->subclass.reset();
    }
    return TRUE;
}

LRESULT WINAPI DefSubclassProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    for (auto it = gFrames.rbegin(); it != gFrames.rend(); ++it)
        if ((*it)->hwnd == h) return callFrom(**it, msg, wParam, lParam);
    return DefWindowProcW(h, msg, wParam, lParam);
}

void WINAPI InitCommonControls(void) {}

BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* icc) {
    return icc && icc->dwSize == sizeof(INITCOMMONCONTROLSEX);
}

HWND WINAPI CreateUpDownControl(DWORD style, int x, int y, int cx, int cy, HWND parent, int id, HINSTANCE instance,
                                HWND buddy, int upper, int lower, int pos) {
    HWND h = CreateWindowExW(0, UPDOWN_CLASSW, nullptr, style, x, y, cx, cy, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (!h) return nullptr;
    if (buddy) SendMessageW(h, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    SendMessageW(h, UDM_SETRANGE, 0, MAKELONG(upper, lower));
    SendMessageW(h, UDM_SETPOS, 0, MAKELONG(pos, 0));
    return h;
}

}  // extern "C"
