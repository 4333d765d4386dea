// Logical palettes: creation, entries, nearest colours and selection.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

HPALETTE threeColors() {
    struct {
        WORD version, count;
        PALETTEENTRY entries[3];
    } lp{0x300, 3, {{255, 0, 0, 0}, {0, 255, 0, 0}, {10, 10, 10, 0}}};
    return CreatePalette(reinterpret_cast<LOGPALETTE*>(&lp));
}

}  // namespace

TEST(Palette, KeepsItsEntriesAndFindsTheNearest) {
    HPALETTE pal = threeColors();
    ASSERT_NE(pal, nullptr);
    EXPECT_EQ(GetObjectType(pal), static_cast<DWORD>(OBJ_PAL));
    WORD count = 0;
    EXPECT_EQ(GetObjectW(pal, sizeof count, &count), static_cast<int>(sizeof count));
    EXPECT_EQ(count, 3);
    PALETTEENTRY e[3] = {};
    EXPECT_EQ(GetPaletteEntries(pal, 0, 0, nullptr), 3u);
    EXPECT_EQ(GetPaletteEntries(pal, 1, 5, e), 2u);
    EXPECT_EQ(e[0].peGreen, 255);
    EXPECT_EQ(e[1].peRed, 10);
    EXPECT_EQ(GetPaletteEntries(pal, 3, 1, e), 0u);
    EXPECT_EQ(GetNearestPaletteIndex(pal, RGB(200, 30, 30)), 0u);
    EXPECT_EQ(GetNearestPaletteIndex(pal, RGB(0, 0, 0)), 2u);
    EXPECT_TRUE(DeleteObject(pal));
    EXPECT_EQ(GetObjectType(pal), 0u);
    EXPECT_EQ(GetNearestPaletteIndex(pal, 0), CLR_INVALID);
}

TEST(Palette, BadRecordsMakeNoPalette) {
    LOGPALETTE lp{0x300, 0, {{0, 0, 0, 0}}};
    EXPECT_EQ(CreatePalette(&lp), nullptr);
    lp = {0x200, 1, {{0, 0, 0, 0}}};
    EXPECT_EQ(CreatePalette(&lp), nullptr);
    EXPECT_EQ(CreatePalette(nullptr), nullptr);
}

TEST(Palette, SelectingSwapsTheContextsPaletteAndHoldsIt) {
    HDC dc = CreateCompatibleDC(nullptr);
    HPALETTE pal = threeColors();
    HPALETTE old = SelectPalette(dc, pal, FALSE);
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PAL), static_cast<HGDIOBJ>(pal));
    EXPECT_EQ(RealizePalette(dc), 0u);  // a true-colour surface maps nothing
    EXPECT_TRUE(DeleteObject(pal));     // selected: freed when let go
    EXPECT_EQ(GetObjectType(pal), static_cast<DWORD>(OBJ_PAL));
    EXPECT_EQ(SelectPalette(dc, old, FALSE), pal);
    EXPECT_EQ(GetObjectType(pal), 0u);
    EXPECT_EQ(SelectPalette(dc, reinterpret_cast<HPALETTE>(dc), FALSE), nullptr);
    DeleteDC(dc);
}
