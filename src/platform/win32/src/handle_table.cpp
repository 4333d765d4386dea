#include "handle_table_p.h"

#include <mutex>
#include <vector>

namespace hmigfx::win32 {
namespace {

// Handle value = (generation << 24) | (slot + kSlotBase). kSlotBase keeps every
// handle above the small integers that USER accepts as "COLOR_x + 1" brushes.
constexpr uintptr_t kSlotBase = 0x100;
constexpr uintptr_t kSlotBits = 24;
constexpr uintptr_t kSlotMask = (uintptr_t(1) << kSlotBits) - 1;

struct Slot {
    std::unique_ptr<GdiObject> obj;
    uintptr_t generation = 1;
};

struct Table {
    std::mutex lock;
    std::vector<Slot> slots;
    std::vector<uint32_t> freeSlots;
};

Table& table() {
    static Table* t = new Table;  // never destroyed: objects may be released from static destructors
    return *t;
}

uintptr_t encode(size_t slot, uintptr_t generation) {
    return (generation << kSlotBits) | (slot + kSlotBase);
}

}  // namespace

HGDIOBJ addObject(std::unique_ptr<GdiObject> obj) {
    if (!obj) return nullptr;
    Table& t = table();
    std::lock_guard<std::mutex> g(t.lock);
    size_t slot;
    if (!t.freeSlots.empty()) {
        slot = t.freeSlots.back();
        t.freeSlots.pop_back();
    } else {
        if (t.slots.size() + kSlotBase >= kSlotMask) return nullptr;
        slot = t.slots.size();
        t.slots.emplace_back();
    }
    Slot& s = t.slots[slot];
    GdiObject* raw = obj.get();
    s.obj = std::move(obj);
    raw->handle = reinterpret_cast<HGDIOBJ>(encode(slot, s.generation));
    return raw->handle;
}

GdiObject* findObject(const void* h) {
    auto v = reinterpret_cast<uintptr_t>(h);
    uintptr_t low = v & kSlotMask;
    if (low < kSlotBase) return nullptr;
    size_t slot = low - kSlotBase;
    uintptr_t generation = v >> kSlotBits;
    Table& t = table();
    std::lock_guard<std::mutex> g(t.lock);
    if (slot >= t.slots.size()) return nullptr;
    const Slot& s = t.slots[slot];
    if (!s.obj || s.generation != generation) return nullptr;
    return s.obj.get();
}

void removeObject(GdiObject* obj) {
    if (!obj) return;
    auto v = reinterpret_cast<uintptr_t>(obj->handle);
    size_t slot = (v & kSlotMask) - kSlotBase;
    std::unique_ptr<GdiObject> dying;
    {
        Table& t = table();
        std::lock_guard<std::mutex> g(t.lock);
        if (slot >= t.slots.size() || t.slots[slot].obj.get() != obj) return;
        Slot& s = t.slots[slot];
        dying = std::move(s.obj);
        // Generations wrap inside the bits a pointer leaves above the slot.
        s.generation = (s.generation + 1) & ((uintptr_t(1) << (sizeof(uintptr_t) * 8 - kSlotBits)) - 1);
        if (s.generation == 0) s.generation = 1;
        t.freeSlots.push_back(static_cast<uint32_t>(slot));
    }
    // The destructor runs outside the lock: a DC's destructor releases its objects.
}

void holdObject(GdiObject* obj) {
    if (obj) ++obj->holders;
}

void releaseObject(GdiObject* obj) {
    if (!obj) return;
    if (obj->holders > 0) --obj->holders;
    if (obj->holders == 0 && obj->deletePending) removeObject(obj);
}

}  // namespace hmigfx::win32
