// Every GDI object lives in one handle table. A handle encodes a slot index and
// the slot's generation, so a deleted or forged handle is refused without ever
// touching freed memory.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

namespace hmigfx::win32 {

enum class Kind : uint8_t { Pen, ExtPen, Brush, Bitmap, Region, Font, Palette, DC };

struct GdiObject {
    explicit GdiObject(Kind k) : kind(k) {}
    virtual ~GdiObject() = default;
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    Kind kind;
    HGDIOBJ handle = nullptr;
    bool stock = false;
    int holders = 0;             // DCs (and their saved states) that have it selected
    bool deletePending = false;  // DeleteObject while selected: freed on last release
};

// Takes ownership and returns the new handle.
HGDIOBJ addObject(std::unique_ptr<GdiObject> obj);
// nullptr for a null, stale, deleted or foreign handle.
GdiObject* findObject(const void* h);
// Frees the object and invalidates its handle.
void removeObject(GdiObject* obj);

template <class T>
T* lookup(const void* h) {
    GdiObject* o = findObject(h);
    return o && T::accepts(o->kind) ? static_cast<T*>(o) : nullptr;
}

template <class T>
typename T::Handle addTyped(std::unique_ptr<T> obj) {
    return static_cast<typename T::Handle>(addObject(std::move(obj)));
}

// Selection bookkeeping: a held object is not freed by DeleteObject until the
// last holder lets go of it.
void holdObject(GdiObject* obj);
void releaseObject(GdiObject* obj);

}  // namespace hmigfx::win32
