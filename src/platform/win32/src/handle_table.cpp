#include "handle_table_p.h"
#include "slot_table_p.h"

namespace hmigfx::win32 {
namespace {

// Slots above 0x100 keep every handle clear of the small integers that USER
// accepts as "COLOR_x + 1" brushes; generations take every bit above the slot.
using ObjectTable = SlotTable<GdiObject, 24, 0x100, sizeof(uintptr_t) * 8 - 24>;

ObjectTable& table() {
    static ObjectTable* t = new ObjectTable;  // never destroyed: objects may be released from static destructors
    return *t;
}

}  // namespace

HGDIOBJ addObject(std::unique_ptr<GdiObject> obj) {
    if (!obj) return nullptr;
    return reinterpret_cast<HGDIOBJ>(table().add(std::move(obj)));
}

GdiObject* findObject(const void* h) { return table().find(reinterpret_cast<uintptr_t>(h)); }

void removeObject(GdiObject* obj) {
    if (!obj) return;
    // Destroyed here, outside the table's lock: a DC's destructor releases its objects.
    table().take(reinterpret_cast<uintptr_t>(obj->handle), obj);
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
