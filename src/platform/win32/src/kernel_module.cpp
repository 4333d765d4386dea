// Modules: a module handle is the address the module's image starts at (what
// dladdr reports as dli_fbase), as an HMODULE is on Windows.
#include "kernel_p.h"

#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <climits>
#include <cwctype>
#include <vector>

namespace hmigfx::win32 {
namespace {

struct LoadedModule {
    HMODULE base;
    std::string path;
};

std::string executablePath() {
    std::vector<char> buf(PATH_MAX);
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size());
        if (n < 0) return {};
        if (static_cast<size_t>(n) < buf.size()) return std::string(buf.data(), static_cast<size_t>(n));
        buf.resize(buf.size() * 2);
    }
}

std::vector<LoadedModule> loadedModules() {
    std::vector<LoadedModule> mods;
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* out) -> int {
            for (int i = 0; i < info->dlpi_phnum; ++i) {
                if (info->dlpi_phdr[i].p_type != PT_LOAD) continue;
                // The first loaded segment's page is where the loader mapped the
                // image, the base dladdr reports; computed here because dladdr
                // searches symbol tables and this runs for every resource lookup.
                const uintptr_t page = static_cast<uintptr_t>(::getpagesize());
                const uintptr_t start = (info->dlpi_addr + info->dlpi_phdr[i].p_vaddr) & ~(page - 1);
                HMODULE base = reinterpret_cast<HMODULE>(start);
                if (!base) break;
                // The first entry is the program itself, whose name is empty.
                std::string path = info->dlpi_name ? info->dlpi_name : "";
                auto& list = *static_cast<std::vector<LoadedModule>*>(out);
                if (path.empty() && list.empty()) path = executablePath();
                list.push_back({base, path});
                break;
            }
            return 0;
        },
        &mods);
    return mods;
}

std::wstring baseName(const std::wstring& path) {
    const size_t slash = path.find_last_of(L'/');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

bool equalNoCase(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::towupper(static_cast<wint_t>(a[i])) != std::towupper(static_cast<wint_t>(b[i]))) return false;
    return true;
}

}  // namespace

HMODULE moduleContaining(const void* addr) {
    Dl_info info;
    if (!addr || !dladdr(addr, &info) || !info.dli_fbase) return nullptr;
    return static_cast<HMODULE>(info.dli_fbase);
}

std::string moduleFilePath(HMODULE module) {
    const auto mods = loadedModules();
    if (!module) return mods.empty() ? executablePath() : mods.front().path;
    for (const auto& m : mods)
        if (m.base == module) return m.path;
    return {};
}

}  // namespace hmigfx::win32

using namespace hmigfx::win32;

extern "C" {

DWORD WINAPI GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size) {
    const std::string path = moduleFilePath(module);
    if (path.empty()) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    if (!buffer || size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    const std::wstring w = utf8ToWide(path);
    if (w.size() >= size) {
        // Truncated and terminated, returning the buffer size, as Windows XP and later do.
        wmemcpy(buffer, w.c_str(), size - 1);
        buffer[size - 1] = 0;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
    wmemcpy(buffer, w.c_str(), w.size() + 1);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(w.size());
}

// A name matches a module by its full path, its file name, or its file name
// without the version suffix ("libhmigfx.so" for "libhmigfx.so.0").
HMODULE WINAPI GetModuleHandleW(LPCWSTR name) {
    const auto mods = loadedModules();
    if (!name) {
        if (mods.empty()) SetLastError(ERROR_MOD_NOT_FOUND);
        return mods.empty() ? nullptr : mods.front().base;
    }
    const std::wstring want = name;
    for (const auto& m : mods) {
        const std::wstring path = utf8ToWide(m.path);
        if (want.find(L'/') != std::wstring::npos) {
            if (path == want) return m.base;
            continue;
        }
        const std::wstring base = baseName(path);
        if (equalNoCase(base, want)) return m.base;
        if (base.size() > want.size() && base[want.size()] == L'.' && equalNoCase(base.substr(0, want.size()), want))
            return m.base;
    }
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

// Reference counts are not kept: a module stays loaded while the loader keeps
// it, whatever the flags say.
BOOL WINAPI GetModuleHandleExW(DWORD flags, LPCWSTR name, HMODULE* module) {
    if (!module) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *module = nullptr;
    if (flags & GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS) {
        *module = moduleContaining(name);
        if (!*module) SetLastError(ERROR_MOD_NOT_FOUND);
    } else {
        *module = GetModuleHandleW(name);
    }
    return *module != nullptr;
}

}  // extern "C"
