// Module start-up: the library registers itself with the framework as an
// extension module, so that resource searches (CBitmap::LoadBitmap) also look
// at its resources, and records whether printers may get gradients.
//
// On Windows the loader calls DllMain. On Linux an initialiser object of this
// file calls it with DLL_PROCESS_ATTACH when the library is loaded and with
// DLL_PROCESS_DETACH when it is unloaded (dlclose, or process exit). This file
// is linked last, so the attach runs after the library's other static objects
// are constructed and the detach before they are destroyed, as on Windows.
#include "module/module_p.h"

#include <cstdio>

namespace {

AFX_EXTENSION_MODULE g_extensionModule = {FALSE, nullptr, nullptr, nullptr, nullptr};

BOOL moduleEntry(HINSTANCE hInstance, DWORD dwReason) {
    switch (dwReason) {
    case DLL_PROCESS_ATTACH: {
        if (!AfxInitExtensionModule(g_extensionModule, hInstance)) return 0;
        // Joins the application's resource chain; the framework deletes it at detach.
        new CDynLinkLibrary(g_extensionModule, FALSE);
        OSVERSIONINFOW vi{};
        vi.dwOSVersionInfoSize = sizeof vi;  // 276 bytes on Windows
        if (GetVersionExW(&vi) && vi.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) hmigfx::g_bPrinterGradient = 0;
        return 1;
    }
    case DLL_PROCESS_DETACH: AfxTermExtensionModule(g_extensionModule, FALSE); return 1;
    default: return 1;
    }
}

#ifndef _WIN32
// The loader's part on Linux.
struct ModuleLoader {
    HMODULE instance = nullptr;
    ModuleLoader() {
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCWSTR>(&g_extensionModule), &instance);
        // A library cannot refuse to load on Linux; it runs unregistered, and
        // its resources are not found, which a host sees at once.
        if (!moduleEntry(instance, DLL_PROCESS_ATTACH))
            std::fprintf(stderr, "hmigfx: the MFC framework refused the module; its resources are unavailable\n");
    }
    ~ModuleLoader() { moduleEntry(instance, DLL_PROCESS_DETACH); }
    ModuleLoader(const ModuleLoader&) = delete;
    ModuleLoader& operator=(const ModuleLoader&) = delete;
};
ModuleLoader g_loader;
#endif

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) { return moduleEntry(hInstance, dwReason); }
