// Module start-up as a host linked against the library sees it: the library
// registered itself in the resource chain at load, its 48 pattern bitmaps are
// found by name (their rows: the golden pattern_brushes; their names: the
// pattern library's tests), and its entry point attaches and detaches.
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
