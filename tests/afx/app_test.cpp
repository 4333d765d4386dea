// The application object, extension-module records, the resource chain and
// bitmap resources. This test program registers resources of its own.
#include <afxwin.h>

#include <gtest/gtest.h>

#include <unistd.h>

#include <climits>
#include <string>

namespace {

// 2 x 2, 24 bpp, bottom-up: the top row is red, green; the bottom row blue, white.
const BYTE kColourDib[] = {
    40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0xFF, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0, 0,  // stored first: the bottom row (B, G, R each)
    0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0, 0,  // the top row
};
// 8 x 1, 1 bpp, colour table white then black: set bits are black.
const BYTE kMonoDib[] = {
    40, 0, 0, 0, 8, 0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0,  // white, black
    0xA0, 0, 0, 0,                    // 1010 0000
};
const BYTE kConfig[] = {'c', 'f', 'g'};
const BYTE kTruncated[] = {40, 0, 0, 0, 64, 0, 0, 0, 64, 0, 0, 0, 1, 0, 32, 0};

const HMIGFX_RESOURCE kResources[] = {
    {RT_BITMAP, L"COLOUR", kColourDib, sizeof kColourDib},
    {RT_BITMAP, L"Mono", kMonoDib, sizeof kMonoDib},
    {RT_BITMAP, L"BROKEN", kTruncated, sizeof kTruncated},
    {RT_RCDATA, MAKEINTRESOURCEW(7), kConfig, sizeof kConfig},
};

// The program's resources, registered for its lifetime.
struct ProgramResources {
    ProgramResources() { HmigfxRegisterResources(GetModuleHandleW(nullptr), kResources, 4); }
    ~ProgramResources() { HmigfxUnregisterResources(GetModuleHandleW(nullptr)); }
} g_programResources;

std::wstring executablePath() {
    char buf[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf);
    return std::wstring(CString(buf, static_cast<int>(n)).GetString());
}

TEST(CWinApp, RegistersItselfAndDerivesItsHelpPathFromTheExecutable) {
    EXPECT_EQ(AfxGetApp(), nullptr);
    {
        CWinApp app(L"Plant Viewer");
        EXPECT_EQ(AfxGetApp(), &app);
        EXPECT_STREQ(AfxGetAppName(), L"Plant Viewer");
        const std::wstring exe = executablePath();  // .../afx_test, no extension
        EXPECT_EQ(std::wstring(app.m_pszHelpFilePath), exe + L".HLP");
        EXPECT_STREQ(app.m_pszExeName, L"afx_test");
        EXPECT_EQ(app.m_hInstance, GetModuleHandleW(nullptr));
        // A host moves the help file the MFC way.
        std::free(const_cast<LPWSTR>(app.m_pszHelpFilePath));
        app.m_pszHelpFilePath = wcsdup(L"/opt/hmi/viewer.hlp");
    }
    EXPECT_EQ(AfxGetApp(), nullptr);
}

TEST(Resources, AreFoundInTheProgramByNameOrId) {
    HMODULE self = GetModuleHandleW(nullptr);
    HRSRC r = FindResourceW(self, L"mono", RT_BITMAP);  // names ignore case
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(SizeofResource(self, r), sizeof kMonoDib);
    EXPECT_EQ(LockResource(LoadResource(self, r)), kMonoDib);
    HRSRC cfg = FindResourceW(nullptr, L"#7", RT_RCDATA);
    ASSERT_NE(cfg, nullptr);
    EXPECT_EQ(FindResourceW(self, MAKEINTRESOURCEW(7), RT_RCDATA), cfg);
    EXPECT_EQ(FindResourceW(self, L"COLOUR", RT_RCDATA), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(FindResourceW(self, L"COLOUR", RT_ICON), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
    // A module that registered nothing has no resources.
    HMODULE libc = GetModuleHandleW(L"libc.so");
    ASSERT_NE(libc, nullptr);
    EXPECT_EQ(FindResourceW(libc, L"COLOUR", RT_BITMAP), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
}

TEST(Resources, RegistrationCanBeWithdrawnAndReplaced) {
    HMODULE self = GetModuleHandleW(nullptr);
    const HMIGFX_RESOURCE other[] = {{RT_RCDATA, L"OTHER", kConfig, 1}};
    ASSERT_TRUE(HmigfxRegisterResources(self, other, 1));
    EXPECT_EQ(FindResourceW(self, L"COLOUR", RT_BITMAP), nullptr);
    EXPECT_NE(FindResourceW(self, L"OTHER", RT_RCDATA), nullptr);
    EXPECT_TRUE(HmigfxUnregisterResources(self));
    EXPECT_FALSE(HmigfxUnregisterResources(self));
    EXPECT_EQ(FindResourceW(self, L"OTHER", RT_RCDATA), nullptr);
    EXPECT_FALSE(HmigfxRegisterResources(nullptr, other, 1));
    ASSERT_TRUE(HmigfxRegisterResources(self, kResources, 4));  // back for the other tests
    EXPECT_NE(FindResourceW(self, L"COLOUR", RT_BITMAP), nullptr);
}

TEST(Resources, LoadBitmapMakesColourAndMonochromeBitmaps) {
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CBitmap colour;
    ASSERT_TRUE(colour.LoadBitmap(L"COLOUR"));
    BITMAP bm;
    colour.GetBitmap(&bm);
    EXPECT_EQ(bm.bmWidth, 2);
    EXPECT_EQ(bm.bmHeight, 2);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    CBitmap* old = dc.SelectObject(&colour);
    EXPECT_EQ(dc.GetPixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(dc.GetPixel(1, 0), RGB(0, 255, 0));
    EXPECT_EQ(dc.GetPixel(0, 1), RGB(0, 0, 255));
    EXPECT_EQ(dc.GetPixel(1, 1), RGB(255, 255, 255));

    CBitmap mono;
    ASSERT_TRUE(mono.LoadBitmap(L"Mono"));
    mono.GetBitmap(&bm);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    dc.SelectObject(&mono);
    EXPECT_EQ(dc.GetPixel(0, 0), RGB(0, 0, 0));  // a set bit, black in this table
    EXPECT_EQ(dc.GetPixel(1, 0), RGB(255, 255, 255));
    EXPECT_EQ(dc.GetPixel(2, 0), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(7, 0), RGB(255, 255, 255));
    dc.SelectObject(old);

    CBitmap none;
    EXPECT_FALSE(none.LoadBitmap(L"NO_SUCH_BITMAP"));
    EXPECT_FALSE(none.LoadBitmap(L"BROKEN"));  // its bits are missing
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
    AfxUnlockTempMaps();
}

TEST(ExtensionModules, JoinAndLeaveTheResourceChain) {
    AFX_MODULE_STATE* state = AfxGetModuleState();
    HMODULE self = GetModuleHandleW(nullptr);
    AFX_EXTENSION_MODULE rec{};
    EXPECT_FALSE(AfxInitExtensionModule(rec, nullptr));
    EXPECT_FALSE(AfxInitExtensionModule(rec, reinterpret_cast<HMODULE>(0x10)));  // not a loaded module
    EXPECT_FALSE(rec.bInitialized);
    ASSERT_TRUE(AfxInitExtensionModule(rec, self));
    EXPECT_TRUE(rec.bInitialized);
    EXPECT_EQ(rec.hModule, self);
    EXPECT_EQ(rec.hResource, self);

    CDynLinkLibrary* before = state->m_libraryList;
    auto* link = new CDynLinkLibrary(rec);
    EXPECT_EQ(state->m_libraryList.GetHead(), link);  // new modules go first
    EXPECT_EQ(link->m_pNextDLL, before);
    EXPECT_FALSE(link->m_bSystem);

    // The application's own resources win; the chain answers for the rest.
    EXPECT_EQ(AfxFindResourceHandle(L"COLOUR", RT_BITMAP), self);
    AfxSetResourceHandle(GetModuleHandleW(L"libc.so"));
    EXPECT_EQ(AfxFindResourceHandle(L"COLOUR", RT_BITMAP), self);  // found through the chain
    EXPECT_EQ(AfxFindResourceHandle(L"MISSING", RT_BITMAP), GetModuleHandleW(L"libc.so"));
    AfxSetResourceHandle(nullptr);

    AfxTermExtensionModule(rec);
    EXPECT_FALSE(rec.bInitialized);
    EXPECT_EQ(state->m_libraryList.GetHead(), before);  // the link was deleted and unlinked
}

}  // namespace
