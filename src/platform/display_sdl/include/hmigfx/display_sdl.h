// The desktop as the display of the USER subset's windows (X11 or Wayland,
// through SDL2): a library of its own, so that the library proper, and every
// program that draws headless, never links a display.
#pragma once

#include <string>

namespace hmigfx::display {

// Puts the process's top-level windows on the desktop from now on: a shown
// window becomes a desktop window showing its client area, and the desktop's
// mouse, keyboard and window events come back as the messages Windows sends.
// Call it once, at start-up, before the first window, from the thread that
// runs the message loop. False, with the reason in *error, when no display
// can be opened; the windows then stay headless.
bool useDesktop(std::string* error = nullptr);

}  // namespace hmigfx::display
