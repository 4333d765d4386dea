// The pattern library: the built-in patterns, pattern and user-pattern files
// of a real pattern directory, adding and removing patterns, hostile files.
#include "../imagesdk/fixtures.h"

#include "brush/pattern_library_p.h"

#include <gtest/gtest.h>


namespace fs = std::filesystem;

namespace {

using fixtures::Installation;

std::vector<unsigned char> png(int w, int h) { return fixtures::encode(".png", fixtures::gradient(w, h)); }
std::vector<unsigned char> bmp(int w, int h) { return fixtures::encode(".bmp", fixtures::gradient(w, h)); }
std::vector<unsigned char> jpg(int w, int h) { return fixtures::encode(".jpg", fixtures::gradient(w, h)); }

std::wstring name(CPatternLibrary& lib, int kind, int slot) {
    CString s(L"unchanged");
    lib.GetPatternName(kind, slot, s);
    return std::wstring(static_cast<LPCWSTR>(s));
}

std::vector<int> slots(CPatternLibrary& lib, int kind, int start, int room) {
    std::vector<int> out(static_cast<size_t>(room) + 1, 12345);
    const int n = lib.GetPatternData(kind, start, room, out.data());
    out.resize(static_cast<size_t>(room) + 1);
    out.insert(out.begin(), n);
    return out;  // {count, entries..., the entry after the room}
}

const BITMAPINFOHEADER& dibHeader(HGLOBAL h) { return *static_cast<const BITMAPINFOHEADER*>(::GlobalLock(h)); }

}  // namespace

// ---------------------------------------------------------------------------
// Built-in patterns

TEST(PatternLibrary, HoldsTheFortyEightBuiltInPatternsWithTheirNames) {
    Installation inst;
    CPatternLibrary lib;
    EXPECT_FALSE(lib.IsLoaded());
    EXPECT_EQ(lib.GetPatternSize(kBuiltinPattern), 48);
    EXPECT_TRUE(lib.IsLoaded());
    EXPECT_EQ(slots(lib, kBuiltinPattern, 0, 5), (std::vector<int>{5, 1, 2, 3, 4, 5, 12345}));
    EXPECT_EQ(slots(lib, kBuiltinPattern, 47, 4), (std::vector<int>{2, 47, 48, -1, -1, 12345}));
    EXPECT_EQ(slots(lib, kBuiltinPattern, 0, 0), (std::vector<int>{0, 12345}));
    EXPECT_EQ(slots(lib, 4, 0, 2), (std::vector<int>{0, -1, -1, 12345}));
    EXPECT_EQ(lib.GetPatternSize(4), 0);

    EXPECT_EQ(name(lib, kBuiltinPattern, 13), L"Ligth downward diagonal");
    EXPECT_EQ(name(lib, kBuiltinPattern, 1), L"5%");
    EXPECT_EQ(name(lib, kBuiltinPattern, 48), L"Solid diamond");
    EXPECT_EQ(name(lib, kBuiltinPattern, 0), L"");
    EXPECT_EQ(name(lib, kBuiltinPattern, 49), L"");
    EXPECT_EQ(name(lib, kBuiltinPattern, 100), L"unchanged");
    EXPECT_EQ(name(lib, kBuiltinPattern, -1), L"unchanged");
    EXPECT_EQ(name(lib, 4, 3), L"unchanged");

    EXPECT_EQ(lib.GetBuiltinPattern(0), nullptr);
    EXPECT_EQ(lib.GetBuiltinPattern(49), nullptr);
}

TEST(PatternLibrary, NullSlotArrayAndBadSlotsDoNotLoad) {
    Installation inst;
    CPatternLibrary lib;
    EXPECT_EQ(lib.GetPatternData(kBuiltinPattern, 0, 5, nullptr), 0);
    CString s(L"keep");
    lib.GetPatternName(kFilePattern, 100, s);
    CString src(L"whatever.png");
    EXPECT_EQ(lib.InsertPattern(kFilePattern, 100, src), -1);
    EXPECT_EQ(lib.InsertPattern(kFilePattern, -1, src), -1);
    EXPECT_EQ(lib.DeletePattern(kUserPattern, 120), 0);
    EXPECT_FALSE(lib.IsLoaded());
    EXPECT_EQ(std::wstring(static_cast<LPCWSTR>(s)), L"keep");
}

// ---------------------------------------------------------------------------
// Pattern files

TEST(PatternLibrary, ReadsPatternAndUserFilesOfEveryFormatIntoTheirSlots) {
    Installation inst;
    inst.add("Bricks.F03", png(8, 8));
    inst.add("Stone.F10", jpg(16, 16));
    inst.add("Tiles.F99", bmp(4, 6));
    inst.add("Logo.U07", bmp(24, 12));
    inst.add("Photo.U00", jpg(20, 10));
    inst.add("Notes.txt", {'h', 'i'});
    inst.add("Nope.F100", png(4, 4));  // three digits: no slot
    CPatternLibrary lib;

    EXPECT_EQ(lib.GetPatternSize(kFilePattern), 3);
    EXPECT_EQ(lib.GetPatternSize(kUserPattern), 2);
    EXPECT_EQ(slots(lib, kFilePattern, 0, 4), (std::vector<int>{3, 3, 10, 99, -1, 12345}));
    EXPECT_EQ(slots(lib, kFilePattern, 4, 4), (std::vector<int>{2, 10, 99, -1, -1, 12345}));
    EXPECT_EQ(slots(lib, kUserPattern, 0, 3), (std::vector<int>{2, 0, 7, -1, 12345}));
    EXPECT_EQ(name(lib, kFilePattern, 3), L"Bricks");
    EXPECT_EQ(name(lib, kFilePattern, 10), L"Stone");
    EXPECT_EQ(name(lib, kUserPattern, 7), L"Logo");
    EXPECT_EQ(name(lib, kUserPattern, 0), L"Photo");
    EXPECT_EQ(name(lib, kFilePattern, 4), L"");
    EXPECT_EQ(name(lib, kUserPattern, 3), L"");

    // The slots hold packed DIBs of the pictures, bottom-up.
    HGLOBAL logo = lib.GetUserPattern(7);
    ASSERT_NE(logo, nullptr);
    const BITMAPINFOHEADER& h = dibHeader(logo);
    EXPECT_EQ(h.biWidth, 24);
    EXPECT_EQ(h.biHeight, 12);
    EXPECT_EQ(h.biBitCount, 24);
    const auto* bits = reinterpret_cast<const unsigned char*>(&h) + h.biSize;
    const unsigned char* topRow = bits + 72 * 11;
    EXPECT_EQ(RGB(topRow[3 * 5 + 2], topRow[3 * 5 + 1], topRow[3 * 5]), fixtures::gradientColor(5, 0));
    ::GlobalUnlock(logo);
    EXPECT_EQ(lib.GetFilePattern(4), nullptr);
}

TEST(PatternLibrary, OnlyTheFirstFileOfASlotCounts) {
    Installation inst;
    inst.add("Alpha.F03", png(8, 8));
    inst.add("Beta.F03", png(8, 8));
    CPatternLibrary lib;
    EXPECT_EQ(lib.GetPatternSize(kFilePattern), 1);
    const std::wstring title = name(lib, kFilePattern, 3);
    EXPECT_TRUE(title == L"Alpha" || title == L"Beta");
}

namespace {

// Files that are no pictures, or broken ones, in every slot kind; and headers
// that claim 100000 x 100000 pixels (65535 x 65535 for JPEG, which cannot say
// more; the imaging tests check that no such claim is allocated). Only
// Good.F10 is a picture.
void addHostileFiles(const Installation& inst) {
    const auto whole = png(16, 16);
    inst.add("Cut.F01", std::vector<unsigned char>(whole.begin(), whole.begin() + 40));
    inst.add("Zero.F02", {});
    inst.add("Text.F04", {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'});
    auto hugePng = png(4, 4);
    fixtures::putBe32(hugePng, 16, 100000);
    fixtures::putBe32(hugePng, 20, 100000);
    inst.add("Huge.F05", hugePng);
    auto hugeBmp = bmp(4, 4);
    fixtures::putLe32(hugeBmp, 18, 100000);
    fixtures::putLe32(hugeBmp, 22, 100000);
    inst.add("Huge.U11", hugeBmp);
    auto hugeJpg = jpg(4, 4);
    for (size_t i = 2; i + 9 < hugeJpg.size(); ++i) {
        if (hugeJpg[i] == 0xFF && hugeJpg[i + 1] == 0xC0) {  // start of frame: height, width
            hugeJpg[i + 5] = hugeJpg[i + 6] = hugeJpg[i + 7] = hugeJpg[i + 8] = 0xFF;
            break;
        }
    }
    inst.add("Huge.F12", hugeJpg);
    auto empty = bmp(4, 4);
    fixtures::putLe32(empty, 18, 0);
    inst.add("Empty.U06", empty);
    auto corrupt = jpg(16, 16);
    corrupt.resize(corrupt.size() / 2);
    inst.add("Corrupt.U08", corrupt);
    fs::create_directories(inst.brush / "Folder.F09");
    inst.add("Good.F10", png(4, 4));
}

// What a library of that directory must hold; empty when it does.
std::string checkHostileLibrary(CPatternLibrary& lib) {
    std::string failures;
    if (slots(lib, kFilePattern, 0, 3) != std::vector<int>{1, 10, -1, -1, 12345}) failures += "pattern slots\n";
    if (lib.GetPatternSize(kUserPattern) != 0) failures += "user slots\n";
    if (name(lib, kFilePattern, 5) != L"" || name(lib, kUserPattern, 11) != L"") failures += "titles\n";
    if (lib.GetPatternSize(kBuiltinPattern) != 48) failures += "built-ins\n";
    return failures;
}

}  // namespace

TEST(PatternLibrary, HostileFilesLeaveTheirSlotsEmpty) {
    Installation inst;
    addHostileFiles(inst);
    CPatternLibrary lib;
    EXPECT_EQ(checkHostileLibrary(lib), "");
}

TEST(PatternLibrary, AMissingDirectoryGivesNoFilePatterns) {
    Installation bare;
    fs::remove_all(bare.brush);
    CPatternLibrary none;
    EXPECT_EQ(none.GetPatternSize(kFilePattern), 0);
    EXPECT_EQ(none.GetPatternSize(kUserPattern), 0);
    EXPECT_EQ(none.GetPatternSize(kBuiltinPattern), 48);
    EXPECT_EQ(std::wstring(static_cast<LPCWSTR>(none.GetDirectory())), bare.brush.wstring() + L"/");
}

TEST(PatternLibrary, LoadsOnceAndDoesNotSeeLaterFiles) {
    Installation inst;
    inst.add("One.F01", png(4, 4));
    CPatternLibrary lib;
    EXPECT_EQ(lib.GetPatternSize(kFilePattern), 1);
    inst.add("Two.F02", png(4, 4));
    EXPECT_EQ(lib.GetPatternSize(kFilePattern), 1);
    lib.Unload();
    EXPECT_EQ(lib.GetPatternSize(kFilePattern), 2);
}

// ---------------------------------------------------------------------------
// Adding and removing

TEST(PatternLibrary, InsertCopiesTheFileIntoTheFirstFreeSlot) {
    Installation inst;
    inst.add("A.F00", png(4, 4));
    inst.add("B.F01", png(4, 4));
    inst.add("C.F02", png(4, 4));
    fixtures::TempDir elsewhere;
    fixtures::writeFile(elsewhere / "Bricks.png", png(8, 8));
    fixtures::writeFile(elsewhere / "Logo.jpg", jpg(12, 12));
    CPatternLibrary lib;

    CString source((elsewhere / "Bricks.png").wstring().c_str());
    EXPECT_EQ(lib.InsertPattern(kFilePattern, 0, source), 3);
    EXPECT_TRUE(fs::exists(inst.brush / "Bricks.F03"));
    EXPECT_EQ(fixtures::readFile(inst.brush / "Bricks.F03"), fixtures::readFile(elsewhere / "Bricks.png"));
    EXPECT_EQ(name(lib, kFilePattern, 3), L"Bricks");
    EXPECT_EQ(lib.GetPatternSize(kFilePattern), 4);
    ASSERT_NE(lib.GetFilePattern(3), nullptr);

    CString logo((elsewhere / "Logo.jpg").wstring().c_str());
    EXPECT_EQ(lib.InsertPattern(kUserPattern, 7, logo), 7);
    EXPECT_TRUE(fs::exists(inst.brush / "Logo.U07"));
    EXPECT_EQ(lib.InsertPattern(kUserPattern, 7, logo), 8);  // 7 is taken now
    EXPECT_EQ(name(lib, kUserPattern, 8), L"Logo");

    // Another library of the same directory finds what was inserted.
    CPatternLibrary again;
    EXPECT_EQ(again.GetPatternSize(kFilePattern), 4);
    EXPECT_EQ(name(again, kUserPattern, 7), L"Logo");
}

TEST(PatternLibrary, InsertRefusesBadKindsAndSourcesAndLeavesNoCopies) {
    Installation inst;
    fixtures::TempDir elsewhere;
    fixtures::writeFile(elsewhere / "Broken.png", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n', 0, 0});
    fixtures::writeFile(elsewhere / "Fine.png", png(4, 4));
    CPatternLibrary lib;
    CString fine((elsewhere / "Fine.png").wstring().c_str());
    CString broken((elsewhere / "Broken.png").wstring().c_str());
    CString missing((elsewhere / "Missing.png").wstring().c_str());
    EXPECT_EQ(lib.InsertPattern(kBuiltinPattern, 0, fine), -1);
    EXPECT_EQ(lib.InsertPattern(4, 0, fine), -1);
    EXPECT_EQ(lib.InsertPattern(kFilePattern, 0, missing), -1);
    EXPECT_EQ(lib.InsertPattern(kFilePattern, 0, broken), -1);
    EXPECT_TRUE(fs::is_empty(inst.brush));
    EXPECT_EQ(lib.GetPatternSize(kFilePattern), 0);

    // No pattern directory: nothing can be copied.
    fs::remove_all(inst.brush);
    CPatternLibrary bare;
    EXPECT_EQ(bare.InsertPattern(kFilePattern, 0, fine), -1);
}

TEST(PatternLibrary, DeleteEmptiesTheSlotForTheNextInsert) {
    Installation inst;
    inst.add("Bricks.F03", png(8, 8));
    inst.add("Stone.F04", png(8, 8));
    fixtures::TempDir elsewhere;
    fixtures::writeFile(elsewhere / "Wood.bmp", bmp(6, 6));
    CPatternLibrary lib;
    EXPECT_EQ(lib.GetPatternSize(kFilePattern), 2);

    EXPECT_EQ(lib.DeletePattern(kUserPattern, 120), 0);
    EXPECT_EQ(lib.DeletePattern(kUserPattern, 4), 1);   // empty: nothing changes
    EXPECT_EQ(lib.DeletePattern(kBuiltinPattern, 4), 1);  // built-ins stay
    EXPECT_EQ(lib.GetPatternSize(kBuiltinPattern), 48);

    EXPECT_EQ(lib.DeletePattern(kFilePattern, 3), 1);
    EXPECT_EQ(lib.GetPatternSize(kFilePattern), 1);
    EXPECT_EQ(name(lib, kFilePattern, 3), L"");
    EXPECT_EQ(lib.GetFilePattern(3), nullptr);
    EXPECT_FALSE(fs::exists(inst.brush / "Bricks.F03"));  // removed for good

    CString wood((elsewhere / "Wood.bmp").wstring().c_str());
    EXPECT_EQ(lib.InsertPattern(kFilePattern, 0, wood), 0);
    EXPECT_EQ(lib.InsertPattern(kFilePattern, 1, wood), 1);
    EXPECT_EQ(lib.InsertPattern(kFilePattern, 3, wood), 3);
    EXPECT_EQ(name(lib, kFilePattern, 3), L"Wood");
}
