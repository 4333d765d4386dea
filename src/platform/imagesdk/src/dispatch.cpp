// The dispatch table and the built-in back end's table.
#include <imagesdk/dispatch.h>

#include "backend_p.h"

namespace imagesdk {

const char* libraryName(Library lib) {
    switch (lib) {
    case Library::Kernel: return "ltkrn12n";
    case Library::Image: return "ltimg12n";
    case Library::File: return "ltfil12n";
    case Library::Display: return "ltdis12n";
    case Library::Effects: return "ltefx12n";
    case Library::Dialog: return "ltdlg12n";
    }
    return "";
}

DispatchTable::DispatchTable() {
#define HMIGFX_IMAGESDK_SET_UNSUPPORTED(lib, ordinal, entryName, result, params) \
    set<Library::lib, ordinal>(nullptr);
    HMIGFX_IMAGESDK_ENTRY_POINTS(HMIGFX_IMAGESDK_SET_UNSUPPORTED)
#undef HMIGFX_IMAGESDK_SET_UNSUPPORTED
}

bool DispatchTable::has(Library lib, int ordinal) const {
    const int l = static_cast<int>(lib);
    return l >= 0 && l < kLibraryCount && ordinal >= 0 && ordinal < kOrdinalLimit && slots_[l][ordinal] != nullptr;
}

namespace {

DispatchTable makeBuiltin() {
    using namespace detail;
    DispatchTable t;
    t.set<Library::Kernel, 104>(&changeFromDib);
    t.set<Library::Kernel, 106>(&changeToDib);
    t.set<Library::Kernel, 110>(&convertFromDib);
    t.set<Library::Kernel, 111>(&convertToDib);
    t.set<Library::Kernel, 125>(&freeBitmap);
    t.set<Library::Kernel, 134>(&init);
    t.set<Library::Display, 120>(&changeFromDdb);
    t.set<Library::Display, 121>(&changeToDdb);
    t.set<Library::Display, 124>(&convertFromDdb);
    t.set<Library::Display, 125>(&convertToDdb);
    t.set<Library::File, 100>(&fileInfo);
    t.set<Library::File, 102>(&loadFile);
    return t;
}

const DispatchTable* active = nullptr;

}  // namespace

const DispatchTable& builtinBackEnd() {
    static const DispatchTable table = makeBuiltin();
    return table;
}

const DispatchTable& activeBackEnd() { return active ? *active : builtinBackEnd(); }

const DispatchTable* installBackEnd(const DispatchTable* table) {
    const DispatchTable* previous = &activeBackEnd();
    active = table;
    return previous;
}

}  // namespace imagesdk
