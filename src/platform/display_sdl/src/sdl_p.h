// Private to the SDL display back end.
#pragma once

#include <windows.h>

#include <SDL.h>

namespace hmigfx::display::sdl {

// The virtual key Windows reports for a key, or 0 for one it has none for.
UINT virtualKey(SDL_Keycode key);
UINT scanCode(SDL_Scancode key);
// Xlib's errors for windows already gone end nothing (installed before SDL's
// X11 driver starts; harmless under any other).
void ignoreGoneX11Windows();
// The desktop's cursor for one of USER's system cursors (LoadCursor(NULL, IDC_...)).
SDL_SystemCursor systemCursor(HCURSOR cursor);

}  // namespace hmigfx::display::sdl
