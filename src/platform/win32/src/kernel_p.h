// KERNEL internals: text conversion for the file system, errno translation and
// the table of kernel objects (open files, file searches).
#pragma once

#include <windows.h>

#include <memory>
#include <string>

namespace hmigfx::win32 {

// UTF-32 WCHARs to UTF-8 and back. Code points that cannot be encoded become
// U+FFFD; *lossy (when given) tells whether that happened.
std::string wideToUtf8(const WCHAR* s, size_t n, bool* lossy = nullptr);
std::string wideToUtf8(const WCHAR* s);
std::wstring utf8ToWide(const char* s, size_t n, bool* lossy = nullptr);
std::wstring utf8ToWide(const std::string& s);

// The Win32 error code for an errno value.
DWORD errnoToWin32(int err);
// Sets the last error from errno and returns FALSE, for one-line failure paths.
BOOL failWithErrno(int err);

struct KernelObject {
    enum class Type { File, Find };
    explicit KernelObject(Type t) : type(t) {}
    virtual ~KernelObject() = default;
    Type type;
};

// Handles are never reused, so a closed handle stays invalid.
HANDLE addKernelObject(std::unique_ptr<KernelObject> obj);
KernelObject* findKernelObject(HANDLE h, KernelObject::Type type);
// False when the handle is unknown or of another type.
bool closeKernelObject(HANDLE h, KernelObject::Type type);

// Module helpers shared by the module and resource functions.
// The module (image base) holding addr; nullptr when addr lies in none.
HMODULE moduleContaining(const void* addr);
// The file of a loaded module (the executable for nullptr); empty if unknown.
std::string moduleFilePath(HMODULE module);

}  // namespace hmigfx::win32
