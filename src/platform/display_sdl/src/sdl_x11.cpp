// Xlib's error handling under SDL's X11 driver. A file of its own, without
// our headers: Xlib's names (Window, Bool, None ...) clash with Win32's.

#ifdef HMIGFX_SDL_X11
#include <X11/Xlib.h>

namespace hmigfx::display::sdl {
namespace {

XErrorHandler gPrevious = nullptr;

// SDL wakes a waiting event loop through a connection of its own, aimed at a
// window that may have been destroyed meanwhile (at the latest when SDL shuts
// down at exit): BadWindow then is a race that changes nothing, where Xlib's
// default handler would end the program, with status 1.
int ignoreBadWindow(Display* display, XErrorEvent* e) {
    if (e->error_code == BadWindow) return 0;
    return gPrevious ? gPrevious(display, e) : 0;
}

}  // namespace

void ignoreGoneX11Windows() {
    static const bool installed = [] {
        gPrevious = XSetErrorHandler(ignoreBadWindow);
        return true;
    }();
    (void)installed;
}

}  // namespace hmigfx::display::sdl
#else
namespace hmigfx::display::sdl {
void ignoreGoneX11Windows() {}
}  // namespace hmigfx::display::sdl
#endif
