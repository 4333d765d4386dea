// Kernel object handles and the translation of errno values to Win32 errors.
#include "kernel_p.h"

#include <cerrno>
#include <cstdint>
#include <mutex>
#include <unordered_map>

namespace hmigfx::win32 {

namespace {

struct Table {
    std::mutex lock;
    std::unordered_map<uintptr_t, std::unique_ptr<KernelObject>> objects;
    uintptr_t next = 0x1000;
};

Table& table() {
    static Table* t = new Table;  // outlives every static destructor that might close a handle
    return *t;
}

}  // namespace

HANDLE addKernelObject(std::unique_ptr<KernelObject> obj) {
    Table& t = table();
    std::lock_guard<std::mutex> g(t.lock);
    // Multiples of 4 like Windows handles; never 0 or INVALID_HANDLE_VALUE.
    const uintptr_t id = t.next;
    t.next += 4;
    t.objects.emplace(id, std::move(obj));
    return reinterpret_cast<HANDLE>(id);
}

KernelObject* findKernelObject(HANDLE h, KernelObject::Type type) {
    Table& t = table();
    std::lock_guard<std::mutex> g(t.lock);
    auto it = t.objects.find(reinterpret_cast<uintptr_t>(h));
    if (it == t.objects.end() || it->second->type != type) return nullptr;
    return it->second.get();
}

bool closeKernelObject(HANDLE h, KernelObject::Type type) {
    std::unique_ptr<KernelObject> victim;  // destroyed outside the lock
    Table& t = table();
    {
        std::lock_guard<std::mutex> g(t.lock);
        auto it = t.objects.find(reinterpret_cast<uintptr_t>(h));
        if (it == t.objects.end() || it->second->type != type) return false;
        victim = std::move(it->second);
        t.objects.erase(it);
    }
    return true;
}

DWORD errnoToWin32(int err) {
    switch (err) {
    case 0: return ERROR_SUCCESS;
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS: return ERROR_ACCESS_DENIED;
    case EEXIST: return ERROR_FILE_EXISTS;
    case EMFILE:
    case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
    case ENOSPC:
    case EDQUOT: return ERROR_DISK_FULL;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case EBADF: return ERROR_INVALID_HANDLE;
    case EINVAL: return ERROR_INVALID_PARAMETER;
    case ENOTEMPTY: return ERROR_DIR_NOT_EMPTY;
    case EBUSY:
    case ETXTBSY: return ERROR_SHARING_VIOLATION;
    case EILSEQ: return ERROR_INVALID_NAME;
    default: return ERROR_INVALID_PARAMETER;
    }
}

BOOL failWithErrno(int err) {
    SetLastError(errnoToWin32(err));
    return FALSE;
}

}  // namespace hmigfx::win32
