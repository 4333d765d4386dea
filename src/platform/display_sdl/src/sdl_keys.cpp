// Keys and cursors: SDL's names for them and Windows'.
#include "sdl_p.h"

namespace hmigfx::display::sdl {

UINT virtualKey(SDL_Keycode k) {
    if (k >= SDLK_a && k <= SDLK_z) return static_cast<UINT>('A' + (k - SDLK_a));
    if (k >= SDLK_0 && k <= SDLK_9) return static_cast<UINT>('0' + (k - SDLK_0));
    if (k >= SDLK_F1 && k <= SDLK_F12) return static_cast<UINT>(VK_F1 + (k - SDLK_F1));
    if (k >= SDLK_KP_1 && k <= SDLK_KP_9) return static_cast<UINT>(VK_NUMPAD1 + (k - SDLK_KP_1));
    switch (k) {
    case SDLK_RETURN: case SDLK_KP_ENTER: return VK_RETURN;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_TAB: return VK_TAB;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_MINUS: return VK_OEM_MINUS;
    case SDLK_EQUALS: return VK_OEM_PLUS;
    case SDLK_LEFTBRACKET: return VK_OEM_4;
    case SDLK_RIGHTBRACKET: return VK_OEM_6;
    case SDLK_BACKSLASH: return VK_OEM_5;
    case SDLK_SEMICOLON: return VK_OEM_1;
    case SDLK_QUOTE: return VK_OEM_7;
    case SDLK_BACKQUOTE: return VK_OEM_3;
    case SDLK_COMMA: return VK_OEM_COMMA;
    case SDLK_PERIOD: return VK_OEM_PERIOD;
    case SDLK_SLASH: return VK_OEM_2;
    case SDLK_CAPSLOCK: return VK_CAPITAL;
    case SDLK_PRINTSCREEN: return VK_SNAPSHOT;
    case SDLK_SCROLLLOCK: return VK_SCROLL;
    case SDLK_PAUSE: return VK_PAUSE;
    case SDLK_INSERT: return VK_INSERT;
    case SDLK_HOME: return VK_HOME;
    case SDLK_PAGEUP: return VK_PRIOR;
    case SDLK_DELETE: return VK_DELETE;
    case SDLK_END: return VK_END;
    case SDLK_PAGEDOWN: return VK_NEXT;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_DOWN: return VK_DOWN;
    case SDLK_UP: return VK_UP;
    case SDLK_NUMLOCKCLEAR: return VK_NUMLOCK;
    case SDLK_KP_DIVIDE: return VK_DIVIDE;
    case SDLK_KP_MULTIPLY: return VK_MULTIPLY;
    case SDLK_KP_MINUS: return VK_SUBTRACT;
    case SDLK_KP_PLUS: return VK_ADD;
    case SDLK_KP_0: return VK_NUMPAD0;
    case SDLK_KP_PERIOD: return VK_DECIMAL;
    case SDLK_APPLICATION: return VK_APPS;
    // Windows reports the generic modifier in the message; GetKeyState knows both.
    case SDLK_LCTRL: case SDLK_RCTRL: return VK_CONTROL;
    case SDLK_LSHIFT: case SDLK_RSHIFT: return VK_SHIFT;
    case SDLK_LALT: case SDLK_RALT: return VK_MENU;
    case SDLK_LGUI: return VK_LWIN;
    case SDLK_RGUI: return VK_RWIN;
    default: return 0;
    }
}

// The PC keyboard's make code (scan code set 1) of a key, as Windows puts it
// in bits 16-23 of a key message; 0xE0xx for the keys sent with the E0
// prefix (the message's extended-key bit). SDL numbers keys by USB usage.
UINT scanCode(SDL_Scancode s) {
    // USB usages 4-101, from A on.
    static const unsigned char kFromA[] = {
        0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17, 0x24, 0x25, 0x26, 0x32,  // A-M
        0x31, 0x18, 0x19, 0x10, 0x13, 0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C,  // N-Z
        0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B,                    // 1-9, 0
        0x1C, 0x01, 0x0E, 0x0F, 0x39, 0x0C, 0x0D, 0x1A, 0x1B, 0x2B, 0x2B, 0x27, 0x28,  // Return - '
        0x29, 0x33, 0x34, 0x35, 0x3A,                                                  // ` , . / CapsLock
        0x3B, 0x3C, 0x3D, 0x3E, 0x3F, 0x40, 0x41, 0x42, 0x43, 0x44, 0x57, 0x58,        // F1-F12
        0x37, 0x46, 0x45, 0x52, 0x47, 0x49, 0x53, 0x4F, 0x51, 0x4D, 0x4B, 0x50, 0x48,  // PrtSc - Up
        0x45, 0x35, 0x37, 0x4A, 0x4E, 0x1C,                                            // NumLock - keypad Enter
        0x4F, 0x50, 0x51, 0x4B, 0x4C, 0x4D, 0x47, 0x48, 0x49, 0x52, 0x53,              // keypad 1-9, 0, .
        0x56, 0x5D};                                                                   // 102nd key, Menu
    switch (s) {
    // The E0 keys: the navigation block, the keypad's / and Enter, PrtSc, Menu.
    case SDL_SCANCODE_PRINTSCREEN: case SDL_SCANCODE_INSERT: case SDL_SCANCODE_HOME: case SDL_SCANCODE_PAGEUP:
    case SDL_SCANCODE_DELETE: case SDL_SCANCODE_END: case SDL_SCANCODE_PAGEDOWN: case SDL_SCANCODE_RIGHT:
    case SDL_SCANCODE_LEFT: case SDL_SCANCODE_DOWN: case SDL_SCANCODE_UP: case SDL_SCANCODE_KP_DIVIDE:
    case SDL_SCANCODE_KP_ENTER: case SDL_SCANCODE_APPLICATION:
        return 0xE000 | kFromA[s - SDL_SCANCODE_A];
    case SDL_SCANCODE_LCTRL: return 0x1D;
    case SDL_SCANCODE_LSHIFT: return 0x2A;
    case SDL_SCANCODE_LALT: return 0x38;
    case SDL_SCANCODE_LGUI: return 0xE05B;
    case SDL_SCANCODE_RCTRL: return 0xE01D;
    case SDL_SCANCODE_RSHIFT: return 0x36;
    case SDL_SCANCODE_RALT: return 0xE038;
    case SDL_SCANCODE_RGUI: return 0xE05C;
    default:
        if (s >= SDL_SCANCODE_A && s <= SDL_SCANCODE_APPLICATION) return kFromA[s - SDL_SCANCODE_A];
        return 0;
    }
}

SDL_SystemCursor systemCursor(HCURSOR cursor) {
    // LoadCursor(NULL, IDC_x) gives the identifier shifted left by eight.
    switch (reinterpret_cast<uintptr_t>(cursor) >> 8) {
    case 32513: return SDL_SYSTEM_CURSOR_IBEAM;
    case 32514: return SDL_SYSTEM_CURSOR_WAIT;
    case 32515: return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case 32642: return SDL_SYSTEM_CURSOR_SIZENWSE;
    case 32643: return SDL_SYSTEM_CURSOR_SIZENESW;
    case 32644: return SDL_SYSTEM_CURSOR_SIZEWE;
    case 32645: return SDL_SYSTEM_CURSOR_SIZENS;
    case 32646: return SDL_SYSTEM_CURSOR_SIZEALL;
    case 32648: return SDL_SYSTEM_CURSOR_NO;
    case 32649: return SDL_SYSTEM_CURSOR_HAND;
    case 32650: return SDL_SYSTEM_CURSOR_WAITARROW;
    default: return SDL_SYSTEM_CURSOR_ARROW;
    }
}

}  // namespace hmigfx::display::sdl
