// Owned objects behind handles. A handle is (generation << SlotBits) |
// (slot + SlotBase): a freed slot's generation moves on, so a stale or forged
// handle is refused without touching freed memory, and SlotBase keeps
// handles clear of the small integers the API gives meanings of their own.
// T has a `handle` member, which add() fills in.
#pragma once

#include <climits>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace hmigfx::win32 {

template <class T, unsigned SlotBits, uintptr_t SlotBase, unsigned GenerationBits>
class SlotTable {
    static constexpr unsigned kPointerBits = sizeof(uintptr_t) * CHAR_BIT;
    static_assert(SlotBits + GenerationBits <= kPointerBits);
    static constexpr uintptr_t kSlotMask = (uintptr_t{1} << SlotBits) - 1;
    static constexpr uintptr_t kGenerationMask =
        GenerationBits == kPointerBits - SlotBits ? ~uintptr_t{0} >> SlotBits : (uintptr_t{1} << GenerationBits) - 1;

public:
    // Takes ownership; the handle, or 0 when every slot is taken.
    uintptr_t add(std::unique_ptr<T> obj) {
        std::lock_guard<std::mutex> g(lock_);
        size_t slot;
        if (!free_.empty()) {
            slot = free_.back();
            free_.pop_back();
        } else {
            if (slots_.size() + SlotBase >= kSlotMask) return 0;
            slot = slots_.size();
            slots_.emplace_back();
        }
        Slot& s = slots_[slot];
        const uintptr_t handle = (s.generation << SlotBits) | (slot + SlotBase);
        obj->handle = reinterpret_cast<decltype(obj->handle)>(handle);
        s.obj = std::move(obj);
        return handle;
    }

    // nullptr for a handle that is not a live one of this table.
    T* find(uintptr_t handle) {
        if constexpr (SlotBits + GenerationBits < kPointerBits)
            if (handle >> (SlotBits + GenerationBits)) return nullptr;
        const uintptr_t low = handle & kSlotMask;
        if (low < SlotBase) return nullptr;
        std::lock_guard<std::mutex> g(lock_);
        const Slot* s = slotOf(handle);
        return s ? s->obj.get() : nullptr;
    }

    // Hands the object back (the caller destroys it, outside the lock: a
    // destructor may come back to the table) and retires its handle; with
    // `only`, only when that is the object the handle names.
    std::unique_ptr<T> take(uintptr_t handle, const T* only = nullptr) {
        std::lock_guard<std::mutex> g(lock_);
        Slot* s = slotOf(handle);
        if (!s || (only && s->obj.get() != only)) return nullptr;
        s->generation = (s->generation + 1) & kGenerationMask;
        if (s->generation == 0) s->generation = 1;
        free_.push_back(static_cast<uint32_t>(s - slots_.data()));
        return std::move(s->obj);
    }

private:
    struct Slot {
        std::unique_ptr<T> obj;
        uintptr_t generation = 1;
    };

    Slot* slotOf(uintptr_t handle) {
        const uintptr_t low = handle & kSlotMask;
        if (low < SlotBase || low - SlotBase >= slots_.size()) return nullptr;
        Slot& s = slots_[low - SlotBase];
        return s.obj && s.generation == ((handle >> SlotBits) & kGenerationMask) ? &s : nullptr;
    }

    std::mutex lock_;
    std::vector<Slot> slots_;
    std::vector<uint32_t> free_;
};

}  // namespace hmigfx::win32
