// Global memory: GMEM_FIXED blocks are their own handles, GMEM_MOVEABLE blocks
// are reached through a handle that GlobalLock resolves.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_map>

namespace {

struct Block {
    void* data = nullptr;
    SIZE_T size = 0;
    UINT flags = 0;
    int locks = 0;
};

struct Heap {
    std::mutex lock;
    std::unordered_map<HGLOBAL, Block> blocks;  // key: the handle
};

Heap& heap() {
    static Heap* h = new Heap;
    return *h;
}

thread_local DWORD lastError = 0;

}  // namespace

extern "C" {

DWORD WINAPI GetLastError(void) { return lastError; }
void WINAPI SetLastError(DWORD e) { lastError = e; }

HGLOBAL WINAPI GlobalAlloc(UINT flags, SIZE_T bytes) {
    void* data = (flags & GMEM_ZEROINIT) ? std::calloc(1, bytes ? bytes : 1) : std::malloc(bytes ? bytes : 1);
    if (!data) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    Heap& h = heap();
    std::lock_guard<std::mutex> g(h.lock);
    HGLOBAL handle = (flags & GMEM_MOVEABLE) ? static_cast<HGLOBAL>(new char) : static_cast<HGLOBAL>(data);
    h.blocks[handle] = Block{data, bytes, flags, 0};
    return handle;
}

LPVOID WINAPI GlobalLock(HGLOBAL mem) {
    Heap& h = heap();
    std::lock_guard<std::mutex> g(h.lock);
    auto it = h.blocks.find(mem);
    if (it == h.blocks.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    ++it->second.locks;
    return it->second.data;
}

BOOL WINAPI GlobalUnlock(HGLOBAL mem) {
    Heap& h = heap();
    std::lock_guard<std::mutex> g(h.lock);
    auto it = h.blocks.find(mem);
    if (it == h.blocks.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (it->second.locks > 0) --it->second.locks;
    SetLastError(ERROR_SUCCESS);
    return it->second.locks > 0;
}

SIZE_T WINAPI GlobalSize(HGLOBAL mem) {
    Heap& h = heap();
    std::lock_guard<std::mutex> g(h.lock);
    auto it = h.blocks.find(mem);
    return it == h.blocks.end() ? 0 : it->second.size;
}

HGLOBAL WINAPI GlobalReAlloc(HGLOBAL mem, SIZE_T bytes, UINT flags) {
    Heap& h = heap();
    std::lock_guard<std::mutex> g(h.lock);
    auto it = h.blocks.find(mem);
    if (it == h.blocks.end()) return nullptr;
    Block& b = it->second;
    const bool moveable = (b.flags & GMEM_MOVEABLE) != 0;
    if (!moveable && !(flags & GMEM_MOVEABLE)) return nullptr;  // a fixed block may not move
    void* data = std::realloc(b.data, bytes ? bytes : 1);
    if (!data) return nullptr;
    if ((flags & GMEM_ZEROINIT) && bytes > b.size) std::memset(static_cast<char*>(data) + b.size, 0, bytes - b.size);
    b.data = data;
    b.size = bytes;
    if (moveable) return mem;
    Block moved = b;
    h.blocks.erase(it);
    h.blocks[data] = moved;
    return data;
}

HGLOBAL WINAPI GlobalFree(HGLOBAL mem) {
    if (!mem) return nullptr;
    Heap& h = heap();
    std::lock_guard<std::mutex> g(h.lock);
    auto it = h.blocks.find(mem);
    if (it == h.blocks.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return mem;
    }
    std::free(it->second.data);
    if (it->second.flags & GMEM_MOVEABLE) delete static_cast<char*>(mem);
    h.blocks.erase(it);
    return nullptr;
}

}  // extern "C"
