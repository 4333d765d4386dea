// USER's window manager: window objects and classes, the per-thread message
// queues, painting into per-window layers and composing them into each
// top-level window's picture.
#pragma once

#include "objects_p.h"
#include "region_p.h"

#include <commctrl.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace hmigfx::win32 {

struct WindowClass {
    std::wstring name;
    ATOM atom = 0;
    UINT style = 0;
    WNDPROC proc = nullptr;
    int wndExtra = 0;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HICON iconSmall = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    std::wstring menuName;
    std::vector<BYTE> extra;  // cbClsExtra
    bool system = false;      // registered by USER itself, for every module
    int windows = 0;          // live windows of the class
};

// SetWindowSubclass's chain: the procedures, most recently added first, and
// the window procedure they were put in front of.
struct SubclassEntry {
    SUBCLASSPROC proc;
    UINT_PTR id;
    DWORD_PTR refData;
};
struct SubclassChain {
    WNDPROC original = nullptr;
    std::vector<SubclassEntry> entries;
};

struct Window {
    HWND handle = nullptr;
    DWORD thread = 0;
    WindowClass* cls = nullptr;
    WNDPROC proc = nullptr;
    std::wstring text;
    DWORD style = 0;
    DWORD exStyle = 0;
    LONG_PTR id = 0;  // GWLP_ID: the control identifier of a child, the menu of a top-level window
    LONG_PTR userData = 0;
    HINSTANCE instance = nullptr;
    HWND parent = nullptr;  // the desktop for top-level windows
    HWND owner = nullptr;
    std::vector<HWND> children;  // z-order, topmost first
    RECT rect{};                 // in the parent's client coordinates (screen for top-level windows)
    RECT client{};               // in window coordinates
    std::vector<BYTE> extra;     // cbWndExtra
    bool destroying = false;
    bool activeCaption = false;  // WM_NCACTIVATE's state

    // Painting
    PixRegion update;  // client coordinates
    bool erase = false;
    bool frame = false;  // the non-client area needs WM_NCPAINT
    bool internalPaint = false;
    std::unique_ptr<Bitmap> layer;  // the window's own pixels, window coordinates (kUnpainted where it drew nothing)
    std::vector<HDC> dcs;           // window DCs handed out and not yet released
    HDC ownDC = nullptr;            // CS_OWNDC

    // Top-level windows: the composed picture and its part not yet presented.
    std::unique_ptr<Bitmap> picture;
    PixRegion dirty;  // window coordinates

    std::unique_ptr<SubclassChain> subclass;  // SetWindowSubclass

    int width() const { return rect.right - rect.left; }
    int height() const { return rect.bottom - rect.top; }
    bool isChild() const { return (style & WS_CHILD) != 0; }
};

// A layer pixel its window has not painted: composition shows what lies
// beneath it (a group box's inside, a control that draws only part of
// itself). Painting writes pixels with a clear top byte.
constexpr uint32_t kUnpainted = 0x01000000;

// ---------------------------------------------------------------------------
// Windows (window.cpp)

// nullptr for a null, destroyed or forged handle.
Window* findWindow(HWND h);
// The same, setting ERROR_INVALID_WINDOW_HANDLE when there is none.
Window* checkWindow(HWND h);
Window* desktopWindow();
// The window and its descendants, parents before children, in z-order.
void forEachInTree(Window* w, void (*fn)(Window*, void*), void* ctx);
// Every window of the process (the desktop's descendants), as handles.
std::vector<HWND> allWindows();
bool isVisible(const Window* w);  // the window and all its ancestors have WS_VISIBLE
bool isEnabled(const Window* w);  // the window and all its ancestors lack WS_DISABLED
Window* topLevelOf(Window* w);
// Called from DestroyWindow's clean-up of a dead window's resources.
void releasePaintResources(Window* w);

// ---------------------------------------------------------------------------
// Classes (window_class.cpp)

WindowClass* findClass(LPCWSTR name, HINSTANCE instance);

// The built-in controls' procedures (ctl_*.cpp).
LRESULT CALLBACK buttonProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK editProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK staticProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK upDownProc(HWND, UINT, WPARAM, LPARAM);

// ---------------------------------------------------------------------------
// Geometry (window_pos.cpp)

// Screen position of the window's (0, 0) and of its client area's.
POINT windowOrigin(const Window* w);
POINT clientOrigin(const Window* w);
// The non-client insets DefWindowProc gives a style (left, top, right, bottom).
RECT nonClientInsets(DWORD style, DWORD exStyle);
// Recomputes the client rectangle through WM_NCCALCSIZE; the window after
// the message, null when it did not survive it.
Window* recalcClient(Window* w, bool sizing);
// Resizes the window's layer to its rectangle, keeping what it can.
void resizeLayer(Window* w);

// ---------------------------------------------------------------------------
// Messages (message.cpp)

// Gives the calling thread its message queue, as its first window does.
void ensureMessageQueue();
// Sends on the current thread, straight to the window procedure.
LRESULT sendTo(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
// Posts an input message to the queue of the window's thread.
void postInput(Window* w, const MSG& msg);
// Calls the WH_CBT hooks of the current thread; nonzero cancels.
LRESULT callCbtHooks(int code, WPARAM wParam, LPARAM lParam);
// Forgets the window's timers and queued input (it is being destroyed).
void dropWindowMessages(HWND h);

// Per-thread input state.
struct InputState {
    HWND focus = nullptr;
    HWND active = nullptr;
    HWND capture = nullptr;
};
InputState& inputState();

// ---------------------------------------------------------------------------
// Painting (window_paint.cpp)

// Marks part of the window (client coordinates, null for all of it) per the
// RDW_ flags, children as the flags and WS_CLIPCHILDREN decide.
void invalidate(Window* w, const PixRegion* clientRgn, UINT flags);
bool needsPaint(const Window* w);
// Sends the pending WM_NCPAINT/WM_ERASEBKGND/WM_PAINT of the window (and its
// descendants when `children`), parents first.
void updateNow(HWND h, bool children, bool eraseOnly = false);
// A DC over the window's layer: its client area, or the whole window.
HDC windowDC(Window* w, bool wholeWindow);
// The frame a window DC draws in changed (move, resize): re-aim its DCs.
void refreshWindowDCs(Window* w);
// Composes and presents what changed, when the back end shows pictures.
void presentPending();
// Adds a window-coordinate rectangle of w to its top-level's changed part.
void markDirty(Window* w, PixRegion windowArea);
void markDirty(Window* w, const RECT& windowRect);
// Inverts the caret into a composed picture (window.cpp owns no caret).
bool caretShownIn(Window* top);
void drawCaret(Window* top, const Surface& picture);

// ---------------------------------------------------------------------------
// Input (window_input.cpp)

// Sets focus to h (which may be null) with the messages Windows sends.
HWND changeFocus(HWND h);
void changeActive(HWND h, bool byMouse);
// The deepest visible window under a screen point and its hit-test code.
HWND hitTest(POINT screen, int* hit);
// Current state of a virtual key (bit 0x80 down, bit 1 toggled).
BYTE keyState(int vk);

// ---------------------------------------------------------------------------
// Non-client drawing (def_window_proc.cpp)
void paintNonClient(Window* w);

// ---------------------------------------------------------------------------
// Shared helpers of the controls (ctl_common.cpp)

// A control's state lives in its first window extra bytes, made at
// WM_NCCREATE and freed at WM_NCDESTROY.
template <class T>
T* controlState(HWND h) {
    return reinterpret_cast<T*>(GetWindowLongPtrW(h, 0));
}
template <class T>
T* attachControlState(HWND h, T* state) {
    SetWindowLongPtrW(h, 0, reinterpret_cast<LONG_PTR>(state));
    return state;
}
template <class T>
void freeControlState(HWND h, T* state) {
    delete state;
    SetWindowLongPtrW(h, 0, 0);
}
// WM_PAINT: paint(dc) between BeginPaint and EndPaint.
template <class Paint>
LRESULT paintControl(HWND h, Paint&& paint) {
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(h, &ps);
    paint(dc);
    EndPaint(h, &ps);
    return 0;
}
// The messages labels and buttons answer alike (font, text, enabling,
// erasing, which WM_PAINT does with the parent's brush); false for others.
bool labelLikeMessage(HWND h, UINT msg, WPARAM wParam, LPARAM lParam, HFONT& font, LRESULT* result);
// WM_CTLCOLOR* to the parent; the brush to paint with (the parent's answer,
// or the default one when it gives none).
HBRUSH controlColors(HWND h, HDC dc, UINT ctlColorMsg);
// Sends WM_COMMAND (id, code) to the parent.
void notifyParent(HWND h, UINT code);
// The font a control draws with (WM_SETFONT's, or the system font).
HFONT controlFont(HFONT set);
// Text drawn greyed, as disabled controls show it.
void drawDisabledText(HDC dc, LPCWSTR text, int n, RECT* rc, UINT format);

}  // namespace hmigfx::win32
