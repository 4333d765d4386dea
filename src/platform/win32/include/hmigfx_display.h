// Not Win32: where the windows of the USER subset meet a display.
//
// Every top-level window owns a picture: its own drawing and its children's,
// composed. The window manager hands that picture to the display back end
// after a paint, and the back end feeds the user's input back as the input
// functions below, which turn it into the messages Windows posts (hit
// testing, capture, activation, focus, key state). The back end is chosen
// once, at start-up, before the first window; without one the windows are
// headless: they paint, and PrintWindow reads their pictures, but nothing is
// presented and the only input is what the program sends itself (SendInput).
#pragma once

#include "windows.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace hmigfx::display {

// A top-level window's picture: 0xXXRRGGBB pixels (the top byte means
// nothing), top row first.
struct Frame {
    const uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    ptrdiff_t stride = 0;  // bytes from one row to the next
};

class Backend {
public:
    virtual ~Backend() = default;

    // A headless back end presents nothing and has no input of its own;
    // the window manager then composes no pictures for it.
    virtual bool isHeadless() const { return false; }

    // A top-level window appeared, moved or was resized, or was retitled
    // (rect in screen coordinates); was hidden; was destroyed.
    virtual void windowShown(HWND, const RECT& /*rect*/, LPCWSTR /*title*/) {}
    virtual void windowChanged(HWND, const RECT& /*rect*/, LPCWSTR /*title*/) {}
    virtual void windowHidden(HWND) {}
    virtual void windowDestroyed(HWND) {}

    // Show the part `dirty` (window coordinates) of the window's picture;
    // called once for each rectangle of what changed since the last time.
    virtual void present(HWND hwnd, const Frame& frame, const RECT& dirty) = 0;

    // Called by GetMessage and WaitMessage on a thread whose queue is empty:
    // wait at most timeoutMs (-1: without limit) for input, feed what came
    // through the input functions, and return whether anything came.
    virtual bool waitForInput(int timeoutMs) = 0;
    // Another thread posted a message: end a waitForInput in progress.
    virtual void wake() {}
};

// Installs the back end; null restores the headless one. Start-up only.
void setBackend(std::unique_ptr<Backend> backend);
Backend& backend();

// Input as the user made it. Mouse messages: WM_MOUSEMOVE, WM_[LRM]BUTTONDOWN
// and UP, WM_MOUSEWHEEL (wheelDelta as the message carries it, WHEEL_DELTA a
// notch); the position in screen coordinates.
void mouseInput(UINT message, POINT screen, int wheelDelta = 0);
// The mouse left every window of the process (WM_MOUSELEAVE for
// TrackMouseEvent).
void mouseLeft();
// A key going down or up: its virtual key and, when known, its scan code
// (set 1; 0xE0xx for a key with the E0 prefix, which sets the extended-key
// bit). TranslateMessage makes the characters.
void keyInput(UINT vk, bool down, UINT scanCode = 0);
// A character that comes from no key (an input method, KEYEVENTF_UNICODE).
void charInput(WCHAR ch);

}  // namespace hmigfx::display
