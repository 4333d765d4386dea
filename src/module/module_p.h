// The module's shared state: the printer-gradient flag and the built-in
// pattern resources. All of it is used from the host's user-interface thread
// only.
#pragma once

#include <afxwin.h>

namespace hmigfx {

// 1 when gradients may be drawn on a printing DC. Start-up clears it on the
// Windows 95/98/Me family, whose printer drivers cannot take them.
extern int g_bPrinterGradient;

// The built-in patterns are the module's bitmap resources "IDB_PATTERN1" to
// "IDB_PATTERN48": 8 x 8, 1 bit per pixel, black (0) and white (1).
constexpr int kBuiltinPatterns = 48;
// Their display names by pattern number; entry 0 is empty.
extern const char* const g_szPatternNames[kBuiltinPatterns + 1];

}  // namespace hmigfx

// The module entry, called with DLL_PROCESS_ATTACH when the library is loaded
// and DLL_PROCESS_DETACH when it is unloaded (on Linux by the library's own
// initialiser; see module_entry.cpp).
extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID lpReserved);
