// The dispatch table: lookup by library and ordinal, "not supported" for
// what a back end leaves out, and installing a back end of one's own.
#include <imagesdk/dispatch.h>

#include <gtest/gtest.h>

#include <set>
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

TEST(Dispatch, TheBuiltInBackEndImplementsTheCoreAndRefusesTheRest) {
    const DispatchTable& builtin = builtinBackEnd();
    const DispatchTable empty;
    std::set<std::string> implemented;
#define COLLECT(lib, ordinal, name, result, params)                                                           \
    if (reinterpret_cast<void*>(builtin.get<Library::lib, ordinal>()) !=                                      \
        reinterpret_cast<void*>(empty.get<Library::lib, ordinal>()))                                          \
        implemented.insert(std::string(libraryName(Library::lib)) + " " + #ordinal + " " + #name);
    HMIGFX_IMAGESDK_ENTRY_POINTS(COLLECT)
#undef COLLECT
    const std::set<std::string> core = {
        "ltkrn12n 104 ChangeFromDIB", "ltkrn12n 106 ChangeToDIB",  "ltkrn12n 110 ConvertFromDIB",
        "ltkrn12n 111 ConvertToDIB",  "ltkrn12n 125 Free",         "ltkrn12n 134 Init",
        "ltdis12n 120 ChangeFromDDB", "ltdis12n 121 ChangeToDDB",  "ltdis12n 124 ConvertFromDDB",
        "ltdis12n 125 ConvertToDDB",  "ltfil12n 100 FileInfo",     "ltfil12n 102 LoadFile",
    };
    for (const std::string& name : core) EXPECT_TRUE(implemented.count(name)) << name;

    // What is not implemented answers, it does not crash.
    struct_LEAD_Bitmap b{};
    EXPECT_EQ((call<Library::Kernel, 145>(&b, 9000L, 1, 0ul)), IMGSDK_ERROR_NOT_SUPPORTED);
    EXPECT_EQ((call<Library::Image, 117>(&b)), IMGSDK_ERROR_NOT_SUPPORTED);
    EXPECT_EQ((call<Library::Display, 134>(&b, 0, 0, 0, 0, 0)), nullptr);
    EXPECT_EQ((call<Library::Kernel, 132>(&b, 0, 0)), static_cast<unsigned long>(IMGSDK_ERROR_NOT_SUPPORTED));
    call<Library::Kernel, 100>(&b);
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
