// The dispatch table: every entry point of the six libraries, looked up by
// library and ordinal as the SDK's own libraries export them.
//
// The bitmap wrapper calls only through the active table. The built-in back
// end implements every entry point; in a table of one's own, those left out
// answer IMGSDK_ERROR_NOT_SUPPORTED (a null handle or pointer, nothing for
// void entry points). Tests install a table of their own to see exactly what
// a caller passes.
#pragma once

#include <imagesdk/entry_points.h>
#include <imagesdk/results.h>

#include <array>
#include <type_traits>
#include <utility>

namespace imagesdk {

enum class Library : int {
    Kernel = 0,   // ltkrn12n: records, memory, DIBs, pixels, geometry
    Image = 1,    // ltimg12n: image processing
    File = 2,     // ltfil12n: files and memory images
    Display = 3,  // ltdis12n: device contexts, DDBs, painting, printing
    Effects = 4,  // ltefx12n: painting with transition effects
    Dialog = 5,   // ltdlg12n: interactive dialogs
};
inline constexpr int kLibraryCount = 6;
inline constexpr int kOrdinalLimit = 256;  // ordinals are below this

// The library's file name without extension ("ltkrn12n", ...).
const char* libraryName(Library lib);

// Entry<L, N>::Fn is the function type of ordinal N of library L, Entry<L, N>::name its name.
template <Library L, int N>
struct Entry;

#define HMIGFX_IMAGESDK_DECLARE_ENTRY(lib, ordinal, entryName, result, params) \
    template <>                                                                \
    struct Entry<Library::lib, ordinal> {                                      \
        using Fn = result(*) params;                                           \
        static constexpr const char* name = #entryName;                        \
    };
HMIGFX_IMAGESDK_ENTRY_POINTS(HMIGFX_IMAGESDK_DECLARE_ENTRY)
#undef HMIGFX_IMAGESDK_DECLARE_ENTRY

// What an entry point that is not implemented returns.
template <class R>
R notSupportedResult() {
    if constexpr (std::is_void_v<R>) {
        return;
    } else if constexpr (std::is_pointer_v<R>) {
        return nullptr;
    } else {
        return static_cast<R>(IMGSDK_ERROR_NOT_SUPPORTED);
    }
}

template <class Fn>
struct NotSupported;
template <class R, class... A>
struct NotSupported<R (*)(A...)> {
    static R call(A...) { return notSupportedResult<R>(); }
};

class DispatchTable {
public:
    // A table in which every entry point answers "not supported".
    DispatchTable();

    template <Library L, int N>
    typename Entry<L, N>::Fn get() const {
        return reinterpret_cast<typename Entry<L, N>::Fn>(slots_[static_cast<int>(L)][N]);
    }
    // Sets one entry point; a null function restores "not supported".
    template <Library L, int N>
    void set(typename Entry<L, N>::Fn fn) {
        static_assert(N >= 0 && N < kOrdinalLimit);
        if (!fn) fn = &NotSupported<typename Entry<L, N>::Fn>::call;
        slots_[static_cast<int>(L)][N] = reinterpret_cast<Generic>(fn);
    }
    // True when the table has an entry point at that library and ordinal.
    bool has(Library lib, int ordinal) const;
    // True when the entry point does more than answer "not supported".
    template <Library L, int N>
    bool implements() const {
        return get<L, N>() != &NotSupported<typename Entry<L, N>::Fn>::call;
    }

private:
    using Generic = void (*)();
    std::array<std::array<Generic, kOrdinalLimit>, kLibraryCount> slots_{};
};

// The table of the SDK that ships with hmigfx.
const DispatchTable& builtinBackEnd();

// The table callers go through. Initially the built-in back end.
const DispatchTable& activeBackEnd();

// Makes table the active one (null: the built-in back end) and returns the
// previous one. The table must outlive its time as the active one.
const DispatchTable* installBackEnd(const DispatchTable* table);

// Calls ordinal N of library L in the active table.
template <Library L, int N, class... A>
decltype(auto) call(A&&... args) {
    return activeBackEnd().get<L, N>()(std::forward<A>(args)...);
}

}  // namespace imagesdk
