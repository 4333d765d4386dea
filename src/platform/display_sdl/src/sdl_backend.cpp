// The desktop display back end over SDL2. Every shown top-level window that
// lies on the desktop gets an SDL window of its client area's size, placed
// where the client area is; the desktop draws the frame and caption. A
// window's picture goes to the SDL window's surface, only the changed part,
// and the desktop's events come back as input for the window manager: mouse
// positions in screen coordinates, keys as virtual keys, and moves, resizes,
// close requests and focus changes as what Windows does for them.
//
// SDL's video functions belong to one thread: the one that installed the back
// end. Windows of other threads stay headless, and a wait for input on
// another thread only waits for wake().
#include <hmigfx/display_sdl.h>
#include <hmigfx_display.h>

#include "sdl_p.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cwchar>
#include <mutex>
#include <string>
#include <unordered_map>

namespace hmigfx::display {
namespace {

std::string utf8(LPCWSTR text) {
    if (!text) text = L"";
    char* converted = SDL_iconv_string("UTF-8", "WCHAR_T", reinterpret_cast<const char*>(text),
                                       (std::wcslen(text) + 1) * sizeof(wchar_t));
    std::string out = converted ? converted : "";
    SDL_free(converted);
    return out;
}

// Where a window's client area is on the screen, and its size.
struct ClientArea {
    POINT origin{0, 0};
    POINT offset{0, 0};  // from the window's top-left corner
    int width = 0;
    int height = 0;
};

ClientArea clientArea(HWND h) {
    ClientArea c;
    RECT wr{}, cr{};
    GetWindowRect(h, &wr);
    GetClientRect(h, &cr);
    ClientToScreen(h, &c.origin);
    c.offset = POINT{c.origin.x - wr.left, c.origin.y - wr.top};
    c.width = cr.right;
    c.height = cr.bottom;
    return c;
}

bool onDesktop(const ClientArea& c) {
    for (int i = 0, n = SDL_GetNumVideoDisplays(); i < n; ++i) {
        SDL_Rect d;
        if (SDL_GetDisplayBounds(i, &d) != 0) continue;
        if (c.origin.x < d.x + d.w && c.origin.x + c.width > d.x && c.origin.y < d.y + d.h &&
            c.origin.y + c.height > d.y)
            return true;
    }
    return false;
}

struct DesktopWindow {
    SDL_Window* sdl = nullptr;
    bool shown = false;
    bool fresh = true;  // the desktop's surface holds none of our picture yet
    std::string title;
};

class SdlBackend final : public Backend {
public:
    explicit SdlBackend(Uint32 wakeEvent) : m_thread(GetCurrentThreadId()), m_wakeEvent(wakeEvent) {}

    void windowShown(HWND h, const RECT&, LPCWSTR title) override {
        if (!onUiThread()) return;
        DesktopWindow& d = m_windows[h];
        d.shown = true;
        d.title = utf8(title);
        place(h, d);
        if (!d.sdl) return;
        SDL_ShowWindow(d.sdl);
        if (!(GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_NOACTIVATE)) SDL_RaiseWindow(d.sdl);
    }

    void windowChanged(HWND h, const RECT&, LPCWSTR title) override {
        if (!onUiThread()) return;
        auto it = m_windows.find(h);
        if (it == m_windows.end() || !it->second.shown) return;
        it->second.title = utf8(title);
        const bool had = it->second.sdl != nullptr;
        place(h, it->second);
        if (!had && it->second.sdl) SDL_ShowWindow(it->second.sdl);
    }

    void windowHidden(HWND h) override {
        if (!onUiThread()) return;
        auto it = m_windows.find(h);
        if (it == m_windows.end()) return;
        it->second.shown = false;
        if (it->second.sdl) {
            SDL_HideWindow(it->second.sdl);
            m_refocus = true;
        }
    }

    void windowDestroyed(HWND h) override {
        if (!onUiThread()) return;
        auto it = m_windows.find(h);
        if (it == m_windows.end()) return;
        if (it->second.sdl) {
            m_byId.erase(SDL_GetWindowID(it->second.sdl));
            SDL_DestroyWindow(it->second.sdl);
            m_refocus = true;
        }
        m_windows.erase(it);
    }

    void present(HWND h, const Frame& frame, const RECT& dirty) override {
        if (!onUiThread()) return;
        auto it = m_windows.find(h);
        if (it == m_windows.end() || !it->second.shown) return;
        DesktopWindow& d = it->second;
        if (!d.sdl) {
            place(h, d);
            if (!d.sdl) return;
            SDL_ShowWindow(d.sdl);
        }
        SDL_Surface* s = SDL_GetWindowSurface(d.sdl);
        if (!s) return;
        const ClientArea c = clientArea(h);
        // The part to show, in client coordinates.
        RECT r = d.fresh ? RECT{0, 0, c.width, c.height}
                         : RECT{dirty.left - c.offset.x, dirty.top - c.offset.y, dirty.right - c.offset.x,
                                dirty.bottom - c.offset.y};
        r.left = std::max<LONG>(r.left, 0);
        r.top = std::max<LONG>(r.top, 0);
        r.right = std::min<LONG>({r.right, c.width, s->w, frame.width - c.offset.x});
        r.bottom = std::min<LONG>({r.bottom, c.height, s->h, frame.height - c.offset.y});
        if (r.right <= r.left || r.bottom <= r.top) return;
        if (SDL_MUSTLOCK(s) && SDL_LockSurface(s) != 0) return;
        const auto* src = reinterpret_cast<const uint8_t*>(frame.pixels) +
                          (r.top + c.offset.y) * frame.stride + (r.left + c.offset.x) * 4;
        auto* dst = static_cast<uint8_t*>(s->pixels) + r.top * s->pitch + r.left * s->format->BytesPerPixel;
        SDL_ConvertPixels(r.right - r.left, r.bottom - r.top, SDL_PIXELFORMAT_RGB888, src, static_cast<int>(frame.stride),
                          s->format->format, dst, s->pitch);
        if (SDL_MUSTLOCK(s)) SDL_UnlockSurface(s);
        const SDL_Rect shown{r.left, r.top, r.right - r.left, r.bottom - r.top};
        SDL_UpdateWindowSurfaceRects(d.sdl, &shown, 1);
        d.fresh = false;
        syncCursor();
    }

    bool waitForInput(int timeoutMs) override {
        if (!onUiThread()) {
            // Another thread's queue: nothing comes from the desktop for it.
            std::unique_lock<std::mutex> g(m_lock);
            const auto woken = [this] { return m_woken; };
            if (timeoutMs < 0)
                m_cv.wait(g, woken);
            else
                m_cv.wait_for(g, std::chrono::milliseconds(timeoutMs), woken);
            m_woken = false;
            return false;
        }
        syncCursor();
        refocus();
        SDL_Event e;
        const int got = timeoutMs < 0 ? SDL_WaitEvent(&e) : SDL_WaitEventTimeout(&e, timeoutMs);
        if (!got) return false;
        m_gained = nullptr;
        m_lost = nullptr;
        // Input is taken one event at a time, as Windows takes it from the
        // queue once the posted messages are handled: what a mouse event
        // sends (WM_MOUSEACTIVATE, WM_SETCURSOR) comes after the window has
        // handled the message of the event before.
        bool fed = feed(e);
        while (!(fed && isInput(e)) && SDL_PollEvent(&e)) fed = feed(e) || fed;
        fed = settleFocus() || fed;
        syncCursor();
        return fed;
    }

    void wake() override {
        SDL_Event e{};
        e.type = m_wakeEvent;
        SDL_PushEvent(&e);
        std::lock_guard<std::mutex> g(m_lock);
        m_woken = true;
        m_cv.notify_all();
    }

private:
    bool onUiThread() const { return GetCurrentThreadId() == m_thread; }

    static bool isInput(const SDL_Event& e) {
        switch (e.type) {
        case SDL_MOUSEMOTION: case SDL_MOUSEBUTTONDOWN: case SDL_MOUSEBUTTONUP: case SDL_MOUSEWHEEL:
        case SDL_KEYDOWN: case SDL_KEYUP: return true;
        default: return false;
        }
    }

    HWND windowOf(Uint32 id) const {
        auto it = m_byId.find(id);
        return it == m_byId.end() ? nullptr : it->second;
    }

    // Makes the desktop window match ours: made once the window is on the
    // desktop (programs place windows they draw but do not show far off it),
    // then moved, resized and retitled with it.
    void place(HWND h, DesktopWindow& d) {
        const ClientArea c = clientArea(h);
        const int width = std::max(c.width, 1), height = std::max(c.height, 1);
        if (!d.sdl) {
            if (!onDesktop(c)) return;
            const DWORD style = static_cast<DWORD>(GetWindowLongW(h, GWL_STYLE));
            Uint32 flags = SDL_WINDOW_HIDDEN;
            if ((style & WS_CAPTION) != WS_CAPTION) flags |= SDL_WINDOW_BORDERLESS;
            if (style & WS_THICKFRAME) flags |= SDL_WINDOW_RESIZABLE;
            d.sdl = SDL_CreateWindow(d.title.c_str(), c.origin.x, c.origin.y, width, height, flags);
            if (!d.sdl) return;
            m_byId[SDL_GetWindowID(d.sdl)] = h;
            d.fresh = true;
            return;
        }
        int x = 0, y = 0, w = 0, hh = 0;
        SDL_GetWindowPosition(d.sdl, &x, &y);
        SDL_GetWindowSize(d.sdl, &w, &hh);
        if (x != c.origin.x || y != c.origin.y) SDL_SetWindowPosition(d.sdl, c.origin.x, c.origin.y);
        if (w != width || hh != height) {
            SDL_SetWindowSize(d.sdl, width, height);
            d.fresh = true;
        }
        if (d.title != SDL_GetWindowTitle(d.sdl)) SDL_SetWindowTitle(d.sdl, d.title.c_str());
    }

    static POINT toScreen(HWND h, int x, int y) {
        POINT p{x, y};
        ClientToScreen(h, &p);
        return p;
    }

    bool feed(const SDL_Event& e) {
        switch (e.type) {
        case SDL_MOUSEMOTION: {
            const HWND h = windowOf(e.motion.windowID);
            if (!h || e.motion.which == SDL_TOUCH_MOUSEID) return false;
            mouseInput(WM_MOUSEMOVE, toScreen(h, e.motion.x, e.motion.y));
            return true;
        }
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            const HWND h = windowOf(e.button.windowID);
            const bool down = e.type == SDL_MOUSEBUTTONDOWN;
            UINT msg = 0;
            switch (e.button.button) {
            case SDL_BUTTON_LEFT: msg = down ? WM_LBUTTONDOWN : WM_LBUTTONUP; break;
            case SDL_BUTTON_RIGHT: msg = down ? WM_RBUTTONDOWN : WM_RBUTTONUP; break;
            case SDL_BUTTON_MIDDLE: msg = down ? WM_MBUTTONDOWN : WM_MBUTTONUP; break;
            default: return false;
            }
            if (!h) return false;
            // The position the desktop gives with the button, so the press lands where it was made.
            mouseInput(msg, toScreen(h, e.button.x, e.button.y));
            return true;
        }
        case SDL_MOUSEWHEEL: {
            const HWND h = windowOf(e.wheel.windowID);
            if (!h) return false;
            const int flip = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -1 : 1;
            const POINT at = toScreen(h, e.wheel.mouseX, e.wheel.mouseY);
            // A notch is WHEEL_DELTA; finer wheels and touchpads give parts of one.
            const int dy = static_cast<int>(std::lround(e.wheel.preciseY * WHEEL_DELTA)) * flip;
            const int dx = static_cast<int>(std::lround(e.wheel.preciseX * WHEEL_DELTA)) * flip;
            if (dy) mouseInput(WM_MOUSEWHEEL, at, dy);
            if (dx) mouseInput(WM_MOUSEHWHEEL, at, dx);
            return dx || dy;
        }
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            const UINT vk = sdl::virtualKey(e.key.keysym.sym);
            if (!vk) return false;
            keyInput(vk, e.type == SDL_KEYDOWN, sdl::scanCode(e.key.keysym.scancode));
            return true;
        }
        case SDL_WINDOWEVENT: return windowEvent(e.window);
        default: return false;
        }
    }

    bool windowEvent(const SDL_WindowEvent& e) {
        const HWND h = windowOf(e.windowID);
        auto it = m_windows.find(h);
        if (!h || it == m_windows.end()) return false;
        DesktopWindow& d = it->second;
        switch (e.event) {
        case SDL_WINDOWEVENT_MOVED: {
            // The desktop placed the window elsewhere: ours follows, so that
            // screen coordinates are the desktop's.
            const ClientArea c = clientArea(h);
            if (e.data1 == c.origin.x && e.data2 == c.origin.y) return false;
            RECT wr;
            GetWindowRect(h, &wr);
            SetWindowPos(h, nullptr, wr.left + e.data1 - c.origin.x, wr.top + e.data2 - c.origin.y, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            return true;
        }
        case SDL_WINDOWEVENT_SIZE_CHANGED: {
            d.fresh = true;  // the desktop made a new surface
            const ClientArea c = clientArea(h);
            if (e.data1 == c.width && e.data2 == c.height) return false;
            RECT wr;
            GetWindowRect(h, &wr);
            SetWindowPos(h, nullptr, 0, 0, wr.right - wr.left + e.data1 - c.width, wr.bottom - wr.top + e.data2 - c.height,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            return true;
        }
        case SDL_WINDOWEVENT_EXPOSED:
            if (!d.fresh) SDL_UpdateWindowSurface(d.sdl);
            return false;
        case SDL_WINDOWEVENT_CLOSE:
            // The close box: as the caption's close button does, unless the
            // window is disabled (the owner of a modal dialog).
            if (!IsWindowEnabled(h)) return false;
            PostMessageW(h, WM_SYSCOMMAND, SC_CLOSE, 0);
            return true;
        case SDL_WINDOWEVENT_LEAVE: mouseLeft(); return true;
        case SDL_WINDOWEVENT_FOCUS_GAINED: m_gained = h; return false;
        case SDL_WINDOWEVENT_FOCUS_LOST: m_lost = h; return false;
        default: return false;
        }
    }

    // Focus changes are applied after the rest of their batch: a click that
    // brought the focus has activated the window through WM_MOUSEACTIVATE,
    // as on Windows, and a move between two of our windows is one change.
    bool settleFocus() {
        const HWND active = GetActiveWindow();
        if (m_gained && m_gained != active && IsWindowEnabled(m_gained)) {
            SetActiveWindow(m_gained);
            return true;
        }
        if (!m_gained && m_lost && m_lost == active) {
            SetActiveWindow(nullptr);  // another program took the focus
            return true;
        }
        return false;
    }

    // A window that had the desktop's keyboard went: the keys go to the
    // window ours made active then (the owner of a closed dialog), as
    // Windows does, not nowhere, where a desktop without a window manager
    // would leave them.
    void refocus() {
        if (!m_refocus) return;
        m_refocus = false;
        auto it = m_windows.find(GetActiveWindow());
        if (it != m_windows.end() && it->second.sdl && it->second.shown) SDL_SetWindowInputFocus(it->second.sdl);
    }

    void syncCursor() {
        const HCURSOR c = GetCursor();
        if (c == m_cursor && m_cursorSet) return;
        m_cursor = c;
        m_cursorSet = true;
        if (!c) {
            SDL_ShowCursor(SDL_DISABLE);
            return;
        }
        const SDL_SystemCursor id = sdl::systemCursor(c);
        if (!m_cursors[id]) m_cursors[id] = SDL_CreateSystemCursor(id);
        if (m_cursors[id]) SDL_SetCursor(m_cursors[id]);
        SDL_ShowCursor(SDL_ENABLE);
    }

    DWORD m_thread;
    Uint32 m_wakeEvent;
    std::unordered_map<HWND, DesktopWindow> m_windows;
    std::unordered_map<Uint32, HWND> m_byId;
    bool m_refocus = false;
    HWND m_gained = nullptr;
    HWND m_lost = nullptr;
    HCURSOR m_cursor = nullptr;
    bool m_cursorSet = false;
    SDL_Cursor* m_cursors[SDL_NUM_SYSTEM_CURSORS] = {};

    std::mutex m_lock;
    std::condition_variable m_cv;
    bool m_woken = false;
};

}  // namespace

bool useDesktop(std::string* error) {
    // The program's own signal handling and window lifetime rule, not SDL's.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    // A click that activates a window is still a click (WM_MOUSEACTIVATE
    // decides); SDL would drop one that comes with the focus.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // Without either, SDL would only find drivers that show nothing (and
    // their libraries would complain on stderr).
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("SDL_VIDEODRIVER")) {
        if (error) *error = "DISPLAY and WAYLAND_DISPLAY are not set";
        return false;
    }
    // Only the kind of display the session has.
    if (!std::getenv("SDL_VIDEODRIVER") && !(std::getenv("DISPLAY") && std::getenv("WAYLAND_DISPLAY")))
        SDL_SetHint(SDL_HINT_VIDEODRIVER, std::getenv("DISPLAY") ? "x11" : "wayland");
    // Before SDL's X11 driver starts: it keeps the handler it finds and puts
    // it back when it shuts down, at exit, when late errors still arrive.
    if (std::getenv("DISPLAY")) sdl::ignoreGoneX11Windows();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        if (error) *error = SDL_GetError();
        return false;
    }
    // SDL falls back on drivers that show nothing: no display for us.
    const std::string driver = SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "";
    if (driver == "offscreen" || driver == "dummy" || driver == "evdev") {
        if (error) *error = "SDL found no X11 or Wayland display, only its \"" + driver + "\" driver";
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    // Our pictures are made in memory: X11's shared-memory images take them
    // as they are, where SDL's default would upload each one to OpenGL as a
    // texture (on machines without a GPU, through a software rasteriser).
    if (driver == "x11" && !SDL_GetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION))
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // Characters come from the keys (TranslateMessage), as on Windows.
    SDL_StopTextInput();
    const Uint32 wakeEvent = SDL_RegisterEvents(1);
    if (wakeEvent == static_cast<Uint32>(-1)) {
        if (error) *error = "no SDL event number left";
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    setBackend(std::make_unique<SdlBackend>(wakeEvent));
    std::atexit(SDL_Quit);
    return true;
}

}  // namespace hmigfx::display
