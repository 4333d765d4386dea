// Module start-up as a host linked against the library sees it: the library
// registered itself in the resource chain at load, its 48 pattern bitmaps are
// found by name, and its entry point attaches and detaches as it should.
#include <afxwin.h>

#include "module/module_p.h"

#include <gtest/gtest.h>

namespace {

HMODULE library() { return GetModuleHandleW(L"libhmigfx.so"); }

int linksOf(HMODULE module) {
    int n = 0;
    for (CDynLinkLibrary* p = AfxGetModuleState()->m_libraryList; p; p = p->m_pNextDLL)
        if (p->m_hModule == module) ++n;
    return n;
}

// A pattern bitmap's rows, top to bottom, as bytes (1 bits white).
std::vector<BYTE> rowsOf(CBitmap& bmp) {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    HGDIOBJ old = dc.SelectObject(static_cast<HGDIOBJ>(bmp.m_hObject));
    std::vector<BYTE> rows(8, 0);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            if (dc.GetPixel(x, y) == RGB(255, 255, 255)) rows[static_cast<size_t>(y)] |= static_cast<BYTE>(0x80 >> x);
    dc.SelectObject(old);
    return rows;
}

TEST(ModuleStartUp, TheLibraryJoinedTheResourceChainAtLoad) {
    ASSERT_NE(library(), nullptr);
    EXPECT_EQ(linksOf(library()), 1);
    CDynLinkLibrary* link = AfxGetModuleState()->m_libraryList;
    while (link && link->m_hModule != library()) link = link->m_pNextDLL;
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->m_hResource, library());
    EXPECT_FALSE(link->m_bSystem);
    // The program has no IDB_PATTERN resources: the chain answers with the library.
    EXPECT_EQ(AfxFindResourceHandle(L"IDB_PATTERN1", RT_BITMAP), library());
    EXPECT_EQ(AfxFindResourceHandle(L"IDB_PATTERN48", RT_BITMAP), library());
}

TEST(ModuleStartUp, AnNtSystemKeepsPrinterGradients) { EXPECT_EQ(hmigfx::g_bPrinterGradient, 1); }

TEST(PatternResources, All48AreMonochrome8x8Bitmaps) {
    for (int n = 1; n <= hmigfx::kBuiltinPatterns; ++n) {
        CString name;
        name.Format(L"IDB_PATTERN%d", n);
        CBitmap bmp;
        ASSERT_TRUE(bmp.LoadBitmap(name)) << n;
        BITMAP bm;
        bmp.GetBitmap(&bm);
        EXPECT_EQ(bm.bmWidth, 8) << n;
        EXPECT_EQ(bm.bmHeight, 8) << n;
        EXPECT_EQ(bm.bmBitsPixel, 1) << n;
    }
    CBitmap none;
    EXPECT_FALSE(none.LoadBitmap(L"IDB_PATTERN0"));
    EXPECT_FALSE(none.LoadBitmap(L"IDB_PATTERN49"));
    EXPECT_FALSE(none.LoadBitmap(L"IDB_PATTERN01"));  // the number has no leading zero
}

TEST(PatternResources, RowsComeOutTopRowFirst) {
    // Asymmetric patterns, so a flipped or mirrored bitmap shows.
    const struct {
        int number;
        std::vector<BYTE> rows;
    } cases[] = {
        {1, {0xFF, 0xFF, 0xFF, 0xDF, 0xFF, 0xFF, 0xFF, 0xFD}},
        {17, {0x1F, 0x8F, 0xC7, 0xE3, 0xF1, 0xF8, 0x7C, 0x3E}},
        {42, {0x88, 0x67, 0x07, 0x07, 0x88, 0x76, 0x70, 0x70}},
        {48, {0x07, 0x8F, 0xDF, 0xFF, 0xDF, 0x8F, 0x07, 0x02}},
    };
    for (const auto& c : cases) {
        CBitmap bmp;
        CString name;
        name.Format(L"IDB_PATTERN%d", c.number);
        ASSERT_TRUE(bmp.LoadBitmap(name));
        EXPECT_EQ(rowsOf(bmp), c.rows) << c.number;
    }
}

TEST(PatternResources, CarryTheirNames) {
    EXPECT_STREQ(hmigfx::g_szPatternNames[0], "");
    EXPECT_STREQ(hmigfx::g_szPatternNames[1], "5%");
    EXPECT_STREQ(hmigfx::g_szPatternNames[13], "Ligth downward diagonal");
    EXPECT_STREQ(hmigfx::g_szPatternNames[20], "Light horizonta");
    EXPECT_STREQ(hmigfx::g_szPatternNames[48], "Solid diamond");
}

TEST(ModuleEntry, RefusesAModuleTheFrameworkDoesNotKnow) {
    const int before = linksOf(library());
    CDynLinkLibrary* head = AfxGetModuleState()->m_libraryList;
    EXPECT_EQ(DllMain(reinterpret_cast<HINSTANCE>(0x10), DLL_PROCESS_ATTACH, nullptr), 0);
    EXPECT_EQ(AfxGetModuleState()->m_libraryList.GetHead(), head);  // no CDynLinkLibrary was made
    EXPECT_EQ(linksOf(library()), before);
    EXPECT_EQ(hmigfx::g_bPrinterGradient, 1);
}

TEST(ModuleEntry, OtherReasonsChangeNothing) {
    EXPECT_EQ(DllMain(library(), DLL_THREAD_ATTACH, nullptr), 1);
    EXPECT_EQ(DllMain(library(), DLL_THREAD_DETACH, nullptr), 1);
    EXPECT_EQ(linksOf(library()), 1);
}

TEST(ModuleEntry, DetachLeavesTheChainAndAttachJoinsItAgain) {
    ASSERT_EQ(DllMain(library(), DLL_PROCESS_DETACH, nullptr), 1);
    EXPECT_EQ(linksOf(library()), 0);
    EXPECT_EQ(AfxFindResourceHandle(L"IDB_PATTERN1", RT_BITMAP), AfxGetResourceHandle());
    CBitmap bmp;
    EXPECT_FALSE(bmp.LoadBitmap(L"IDB_PATTERN1"));  // no longer found through the framework

    ASSERT_EQ(DllMain(library(), DLL_PROCESS_ATTACH, nullptr), 1);
    EXPECT_EQ(linksOf(library()), 1);
    EXPECT_TRUE(bmp.LoadBitmap(L"IDB_PATTERN1"));
}

}  // namespace
