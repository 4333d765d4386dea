// A host that loads libhmigfx with dlopen and unloads it with dlclose, twice:
// each load runs the module's start-up (the library joins the framework's
// resource chain and its pattern bitmaps are found), each unload its detach.
// Usage: module_host PATH/TO/libhmigfx.so. Exit status 0 when all holds.
#include <afxwin.h>  // for the layouts only: nothing is linked

#include <dlfcn.h>

#include <cstdio>
#include <cstring>

namespace {

int failures = 0;

void check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "module_host: %s\n", what);
        ++failures;
    }
}

bool mapped(const char* name) {
    FILE* maps = std::fopen("/proc/self/maps", "r");
    if (!maps) return false;
    char line[4096];
    bool found = false;
    while (std::fgets(line, sizeof line, maps))
        if (std::strstr(line, name)) found = true;
    std::fclose(maps);
    return found;
}

template <class F>
F symbol(void* lib, const char* name) {
    return reinterpret_cast<F>(dlsym(lib, name));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: module_host LIBRARY\n");
        return 2;
    }
    for (int round = 0; round < 2; ++round) {
        void* lib = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
        if (!lib) {
            std::fprintf(stderr, "module_host: %s\n", dlerror());
            return 1;
        }
        auto getModuleHandle = symbol<HMODULE (*)(LPCWSTR)>(lib, "GetModuleHandleW");
        // AfxGetModuleState and AfxFindResourceHandle by their (Itanium ABI) names.
        auto moduleState = symbol<AFX_MODULE_STATE* (*)()>(lib, "_Z17AfxGetModuleStatev");
        auto findResourceHandle = symbol<HINSTANCE (*)(LPCWSTR, LPCWSTR)>(lib, "_Z21AfxFindResourceHandlePKwS0_");
        auto loadBitmap = symbol<HBITMAP (*)(HINSTANCE, LPCWSTR)>(lib, "LoadBitmapW");
        auto deleteObject = symbol<BOOL (*)(HGDIOBJ)>(lib, "DeleteObject");
        check(getModuleHandle && moduleState && findResourceHandle && loadBitmap && deleteObject, "symbols missing");
        if (failures) return 1;

        HMODULE self = getModuleHandle(L"libhmigfx.so");
        check(self != nullptr, "the library is not a known module");
        int links = 0;
        for (CDynLinkLibrary* p = moduleState()->m_libraryList; p; p = p->m_pNextDLL)
            if (p->m_hModule == self) ++links;
        check(links == 1, "the start-up did not link the module into the resource chain exactly once");
        HINSTANCE holder = findResourceHandle(L"IDB_PATTERN7", RT_BITMAP);
        check(holder == self, "the pattern resources are not found through the framework");
        HBITMAP bmp = loadBitmap(holder, L"IDB_PATTERN7");
        check(bmp != nullptr, "IDB_PATTERN7 does not load");
        deleteObject(bmp);

        check(dlclose(lib) == 0, "dlclose failed");
        check(!mapped("libhmigfx"), "the library stayed loaded after dlclose");
    }
    if (failures == 0) std::printf("module_host: loaded, found the patterns and unloaded twice\n");
    return failures ? 1 : 0;
}
