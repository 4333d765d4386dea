// The dispatch table: lookup by library and ordinal, "not supported" for
// what a back end leaves out, and installing a back end of one's own.
#include <imagesdk/dispatch.h>

#include <gtest/gtest.h>

#include <iostream>
#include <string>
#include <tuple>

using namespace imagesdk;

namespace {

// Calls an entry point of a table with value-initialised arguments.
template <Library L, int N, class R, class... A>
R callWithDefaults(const DispatchTable& t, R (*)(A...)) {
    return t.get<L, N>()(A{}...);
}

// True when the entry point of the table answers "not supported" (void entry
// points just return).
template <Library L, int N>
bool answersNotSupported(const DispatchTable& t) {
    using Fn = typename Entry<L, N>::Fn;
    using R = decltype(callWithDefaults<L, N>(t, Fn{}));
    if constexpr (std::is_void_v<R>) {
        callWithDefaults<L, N>(t, Fn{});
        return true;
    } else if constexpr (std::is_pointer_v<R>) {
        return callWithDefaults<L, N>(t, Fn{}) == nullptr;
    } else {
        return static_cast<int>(callWithDefaults<L, N>(t, Fn{})) == IMGSDK_ERROR_NOT_SUPPORTED;
    }
}

}  // namespace

TEST(Dispatch, EveryEntryPointOfAnEmptyTableAnswersNotSupported) {
    const DispatchTable empty;
    int count = 0;
#define CHECK_ENTRY(lib, ordinal, name, result, params)                          \
    ++count;                                                                      \
    EXPECT_TRUE(empty.has(Library::lib, ordinal)) << #name;                       \
    EXPECT_TRUE((answersNotSupported<Library::lib, ordinal>(empty))) << #name;
    HMIGFX_IMAGESDK_ENTRY_POINTS(CHECK_ENTRY)
#undef CHECK_ENTRY
    EXPECT_EQ(count, 98);
    EXPECT_FALSE(empty.has(Library::Kernel, 103));
    EXPECT_FALSE(empty.has(Library::Dialog, 100));
    EXPECT_FALSE(empty.has(Library::Kernel, 999));
}

// Null records, buffers, handles and zero sizes: an error code (or a null
// handle), never "not supported" and never a crash.
template <Library L, int N>
void expectRefused(const DispatchTable& t, const char* name, std::string& missing) {
    if (!t.implements<L, N>()) {  // what this build's back end does not have
        missing += std::string(" ") + name;
        return;
    }
    using Fn = typename Entry<L, N>::Fn;
    using R = decltype(callWithDefaults<L, N>(t, Fn{}));
    if constexpr (std::is_void_v<R>) {
        callWithDefaults<L, N>(t, Fn{});
    } else if constexpr (std::is_pointer_v<R>) {
        EXPECT_EQ((callWithDefaults<L, N>(t, Fn{})), nullptr) << name;
    } else {
        const int rc = static_cast<int>(callWithDefaults<L, N>(t, Fn{}));
        EXPECT_LT(rc, 0) << name;
        EXPECT_NE(rc, IMGSDK_ERROR_NOT_SUPPORTED) << name;
    }
}

TEST(Dispatch, EveryBuiltInEntryPointRefusesNullAndZeroArgumentsWithAnError) {
    std::string missing;
#define CHECK_ENTRY(lib, ordinal, name, result, params) \
    expectRefused<Library::lib, ordinal>(builtinBackEnd(), #name, missing);
    HMIGFX_IMAGESDK_ENTRY_POINTS(CHECK_ENTRY)
#undef CHECK_ENTRY
    if (!missing.empty()) std::cout << "not in this build's back end:" << missing << "\n";
}

namespace {
int lastWidth = 0;
int fakeInit(struct_LEAD_Bitmap*, int w, int, int) {
    lastWidth = w;
    return 77;
}
}  // namespace

TEST(Dispatch, AnInstalledBackEndReceivesTheCallsUntilReplaced) {
    DispatchTable mine;
    mine.set<Library::Kernel, 134>(&fakeInit);
    const DispatchTable* previous = installBackEnd(&mine);
    EXPECT_EQ(previous, &builtinBackEnd());
    EXPECT_EQ(&activeBackEnd(), &mine);
    struct_LEAD_Bitmap b{};
    EXPECT_EQ((call<Library::Kernel, 134>(&b, 5, 6, 7)), 77);
    EXPECT_EQ(lastWidth, 5);
    EXPECT_EQ((call<Library::Kernel, 125>(&b), 0), 0);  // void entry, not supported: nothing happens

    mine.set<Library::Kernel, 134>(nullptr);  // back to "not supported"
    EXPECT_EQ((call<Library::Kernel, 134>(&b, 5, 6, 7)), IMGSDK_ERROR_NOT_SUPPORTED);

    EXPECT_EQ(installBackEnd(nullptr), &mine);
    EXPECT_EQ(&activeBackEnd(), &builtinBackEnd());
    EXPECT_EQ((call<Library::Kernel, 134>(&b, 5, 6, 8)), IMGSDK_SUCCESS);
}

TEST(Dispatch, EntriesCarryTheirNamesAndLibraries) {
    EXPECT_STREQ((Entry<Library::Kernel, 134>::name), "Init");
    EXPECT_STREQ((Entry<Library::File, 102>::name), "LoadFile");
    EXPECT_STREQ((Entry<Library::Dialog, 111>::name), "WindowLevelDlg");
    EXPECT_STREQ(libraryName(Library::Effects), "ltefx12n");
    static_assert(std::is_same_v<Entry<Library::Display, 121>::Fn, HBITMAP (*)(HDC, struct_LEAD_Bitmap*)>);
    static_assert(std::is_same_v<Entry<Library::Kernel, 106>::Fn, void* (*)(struct_LEAD_Bitmap*)>);
}
