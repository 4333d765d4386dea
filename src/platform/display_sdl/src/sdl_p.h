// Private to the SDL display back end.
#pragma once

#include <windows.h>

#include <SDL.h>

namespace hmigfx::display::sdl {

// The virtual key Windows reports for a key, or 0 for one it has none for.
UINT virtualKey(SDL_Keycode key);
UINT scanCode(SDL_Scancode key);
// Under the X11 driver: a request naming a window already gone ends nothing.
void ignoreGoneX11Windows();
// The desktop's cursor for one of USER's system cursors (LoadCursor(NULL, IDC_...)).
SDL_SystemCursor systemCursor(HCURSOR cursor);

}  // namespace hmigfx::display::sdl
