// KERNEL: code pages, files, file search, modules and the system version, as a
// Win32 caller sees them.
#include "../support/test_support.h"

#include <gnu/libc-version.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using ScratchDir = testsupport::TempDir;

TEST(CodePages, Utf8ConvertsBothWaysAndCountsFirst) {
    const char* text = "Tank \xE2\x82\xAC \xF0\x9F\x98\x80";  // euro sign, then U+1F600
    const int n = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    ASSERT_EQ(n, 9);  // with the terminator; one WCHAR per code point here
    std::vector<WCHAR> w(static_cast<size_t>(n));
    ASSERT_EQ(MultiByteToWideChar(CP_UTF8, 0, text, -1, w.data(), n), n);
    EXPECT_EQ(w[5], 0x20AC);
    EXPECT_EQ(w[7], 0x1F600);
    EXPECT_EQ(w[8], 0);

    const int m = WideCharToMultiByte(CP_UTF8, 0, w.data(), -1, nullptr, 0, nullptr, nullptr);
    std::string back(static_cast<size_t>(m), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), -1, back.data(), m, nullptr, nullptr);
    EXPECT_STREQ(back.c_str(), text);
    EXPECT_EQ(GetACP(), static_cast<UINT>(CP_UTF8));
}

TEST(CodePages, InvalidUtf8IsReplacedOrRefused) {
    const char bad[] = {'a', '\xC0', '\xAF', 'b', '\xE2', '\x82'};  // an overlong form, then a truncated one
    WCHAR w[16];
    const int n = MultiByteToWideChar(CP_UTF8, 0, bad, sizeof bad, w, 16);
    ASSERT_EQ(n, 5);
    EXPECT_EQ(w[0], L'a');
    EXPECT_EQ(w[1], 0xFFFD);
    EXPECT_EQ(w[2], 0xFFFD);
    EXPECT_EQ(w[3], L'b');
    EXPECT_EQ(w[4], 0xFFFD);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bad, sizeof bad, w, 16), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
}

TEST(CodePages, LegacyCodePagesUseTheirTables) {
    const char cp1252[] = {'\x80', '\xE9', '\x9F'};
    WCHAR w[3];
    ASSERT_EQ(MultiByteToWideChar(1252, 0, cp1252, 3, w, 3), 3);
    EXPECT_EQ(w[0], 0x20AC);
    EXPECT_EQ(w[1], 0x00E9);
    EXPECT_EQ(w[2], 0x0178);

    const WCHAR text[] = {L'A', 0x20AC, 0x4E2D, L'z'};  // U+4E2D is not in 1252
    char out[8];
    BOOL usedDefault = FALSE;
    ASSERT_EQ(WideCharToMultiByte(1252, 0, text, 4, out, 8, "#", &usedDefault), 4);
    EXPECT_EQ(std::string(out, 4), std::string("A\x80#z"));
    EXPECT_TRUE(usedDefault);
    // UTF-8 takes no default character.
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, text, 4, out, 8, "#", nullptr), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    // Too small a buffer.
    EXPECT_EQ(WideCharToMultiByte(1252, 0, text, 4, out, 2, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(MultiByteToWideChar(4242, 0, "x", 1, w, 3), 0);  // no such code page
}

TEST(Files, DispositionsAndTheirErrors) {
    ScratchDir dir;
    const std::wstring f = (dir / "a.bin").wstring();
    EXPECT_EQ(CreateFileW(f.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    const std::wstring deep = (dir / "no/dir/a.bin").wstring();
    EXPECT_EQ(CreateFileW(deep.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));

    HANDLE h = CreateFileW(f.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD n = 0;
    EXPECT_TRUE(WriteFile(h, "hello", 5, &n, nullptr));
    EXPECT_EQ(n, 5u);
    EXPECT_FALSE(ReadFile(h, &n, 1, &n, nullptr));  // opened for writing only
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(CloseHandle(h));
    EXPECT_FALSE(CloseHandle(h));  // closed handles stay invalid
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));

    EXPECT_EQ(CreateFileW(f.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
    h = CreateFileW(f.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));  // success, but it existed
    EXPECT_EQ(GetFileSize(h, nullptr), 5u);
    CloseHandle(h);
    h = CreateFileW(f.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    EXPECT_EQ(GetFileSize(h, nullptr), 0u);
    CloseHandle(h);
}

TEST(Files, PointerAndLength) {
    ScratchDir dir;
    const std::wstring f = (dir / "p.bin").wstring();
    HANDLE h = CreateFileW(f.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD n;
    WriteFile(h, "0123456789", 10, &n, nullptr);
    EXPECT_EQ(SetFilePointer(h, -3, nullptr, FILE_END), 7u);
    char c[4] = {};
    EXPECT_TRUE(ReadFile(h, c, 4, &n, nullptr));
    EXPECT_EQ(n, 3u);  // the end of the file is not an error
    EXPECT_STREQ(c, "789");
    EXPECT_EQ(SetFilePointer(h, -20, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NEGATIVE_SEEK));
    LONG high = 0;
    EXPECT_EQ(SetFilePointer(h, 4, &high, FILE_BEGIN), 4u);
    EXPECT_TRUE(SetEndOfFile(h));
    LARGE_INTEGER size;
    EXPECT_TRUE(GetFileSizeEx(h, &size));
    EXPECT_EQ(size.QuadPart, 4);
    EXPECT_TRUE(FlushFileBuffers(h));
    CloseHandle(h);
    EXPECT_FALSE(ReadFile(reinterpret_cast<HANDLE>(0x1234), c, 1, &n, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(Files, CopyMoveDelete) {
    ScratchDir dir;
    std::ofstream(dir.path() / "src.txt") << "content";
    const std::wstring src = (dir / "src.txt").wstring(), dst = (dir / "dst.txt").wstring(), moved = (dir / "moved.txt").wstring();
    EXPECT_TRUE(CopyFileW(src.c_str(), dst.c_str(), TRUE));
    EXPECT_FALSE(CopyFileW(src.c_str(), dst.c_str(), TRUE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
    std::ofstream(dir.path() / "src.txt") << "newer content";
    EXPECT_TRUE(CopyFileW(src.c_str(), dst.c_str(), FALSE));
    std::ifstream in(dir.path() / "dst.txt");
    std::string got;
    std::getline(in, got);
    EXPECT_EQ(got, "newer content");
    EXPECT_FALSE(CopyFileW(src.c_str(), src.c_str(), FALSE));  // onto itself
    const std::wstring missing = (dir / "missing.txt").wstring();
    EXPECT_FALSE(CopyFileW(missing.c_str(), dst.c_str(), FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

    EXPECT_FALSE(MoveFileW(src.c_str(), dst.c_str()));  // MoveFile never replaces
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_TRUE(MoveFileW(src.c_str(), moved.c_str()));
    EXPECT_TRUE(DeleteFileW(moved.c_str()));
    EXPECT_FALSE(DeleteFileW(moved.c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

    const std::wstring sub = (dir / "sub").wstring();
    EXPECT_TRUE(CreateDirectoryW(sub.c_str(), nullptr));
    EXPECT_FALSE(CreateDirectoryW(sub.c_str(), nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(GetFileAttributesW(sub.c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_FALSE(DeleteFileW(sub.c_str()));
    EXPECT_TRUE(RemoveDirectoryW(sub.c_str()));
    EXPECT_EQ(GetFileAttributesW(sub.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(FileSearch, MatchesWildcardsWithoutRegardToCaseInNameOrder) {
    ScratchDir dir;
    for (const char* n : {"b.F03", "A.f03", "c.F033", "d.F3", "e.U03"}) std::ofstream(dir.path() / n) << "xy";
    WIN32_FIND_DATAW fd;
    const std::wstring spec = (dir / "*.F0?").wstring();
    HANDLE h = FindFirstFileW(spec.c_str(), &fd);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    std::vector<std::wstring> names{fd.cFileName};
    EXPECT_EQ(fd.nFileSizeLow, 2u);
    EXPECT_EQ(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
    while (FindNextFileW(h, &fd)) names.push_back(fd.cFileName);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
    EXPECT_TRUE(FindClose(h));
    EXPECT_EQ(names, (std::vector<std::wstring>{L"A.f03", L"b.F03"}));

    const std::wstring none = (dir / "*.zzz").wstring();
    EXPECT_EQ(FindFirstFileW(none.c_str(), &fd), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    const std::wstring nodir = (dir / "nodir/*").wstring();
    EXPECT_EQ(FindFirstFileW(nodir.c_str(), &fd), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    const std::wstring all = (dir / "*.*").wstring();  // the DOS spelling matches names without a dot too
    h = FindFirstFileW(all.c_str(), &fd);
    int count = 1;
    while (FindNextFileW(h, &fd)) ++count;
    FindClose(h);
    EXPECT_EQ(count, 7);  // five files, "." and ".."
}

TEST(Paths, FullPathsFoldDotsWithoutTouchingTheDisk) {
    WCHAR buf[MAX_PATH];
    LPWSTR part = nullptr;
    EXPECT_EQ(GetFullPathNameW(L"/a/b/../c/./d.txt", MAX_PATH, buf, &part), 10u);
    EXPECT_STREQ(buf, L"/a/c/d.txt");
    EXPECT_STREQ(part, L"d.txt");
    WCHAR cwd[MAX_PATH];
    const DWORD n = GetCurrentDirectoryW(MAX_PATH, cwd);
    ASSERT_GT(n, 0u);
    GetFullPathNameW(L"x.txt", MAX_PATH, buf, nullptr);
    EXPECT_EQ(std::wstring(buf), std::wstring(cwd) + (n > 1 ? L"/" : L"") + L"x.txt");
    EXPECT_EQ(GetFullPathNameW(L"/a/b", 3, buf, nullptr), 5u);  // too small: the size needed
}

void executableMarker() {}

TEST(Modules, TheProgramAndItsLibraries) {
    char exe[PATH_MAX];
    const ssize_t len = readlink("/proc/self/exe", exe, sizeof exe);
    ASSERT_GT(len, 0);
    WCHAR name[PATH_MAX];
    const DWORD n = GetModuleFileNameW(nullptr, name, PATH_MAX);
    EXPECT_EQ(n, static_cast<DWORD>(len));  // ASCII paths in the test environment
    EXPECT_EQ(std::wstring(name), fs::path(std::string(exe, static_cast<size_t>(len))).wstring());
    HMODULE self = GetModuleHandleW(nullptr);
    ASSERT_NE(self, nullptr);
    EXPECT_EQ(GetModuleFileNameW(self, name, PATH_MAX), n);
    // A short buffer gets a truncated, terminated name and the buffer's size.
    EXPECT_EQ(GetModuleFileNameW(nullptr, name, 4), 4u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(name[3], 0);

    HMODULE libc = GetModuleHandleW(L"libc.so.6");
    ASSERT_NE(libc, nullptr);
    EXPECT_EQ(GetModuleHandleW(L"LIBC.SO"), libc);  // without the version, without regard to case
    EXPECT_NE(libc, self);
    EXPECT_GT(GetModuleFileNameW(libc, name, PATH_MAX), 0u);
    EXPECT_NE(std::wstring(name).find(L"libc.so"), std::wstring::npos);
    EXPECT_EQ(GetModuleHandleW(L"no-such-module.so"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_EQ(GetModuleFileNameW(reinterpret_cast<HMODULE>(0x10), name, PATH_MAX), 0u);

    // The module an address lies in.
    HMODULE found = nullptr;
    EXPECT_TRUE(GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                   reinterpret_cast<LPCWSTR>(&gnu_get_libc_version), &found));
    EXPECT_EQ(found, libc);
    EXPECT_TRUE(GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&executableMarker), &found));
    EXPECT_EQ(found, self);
    EXPECT_FALSE(GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(0x10), &found));
    EXPECT_EQ(found, nullptr);
}

TEST(System, VersionClockAndSleep) {
    OSVERSIONINFOW vi{};
    EXPECT_FALSE(GetVersionExW(&vi));  // the size must be filled in
    vi.dwOSVersionInfoSize = sizeof vi;
    ASSERT_TRUE(GetVersionExW(&vi));
    EXPECT_EQ(vi.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_NT));
    EXPECT_GE(vi.dwMajorVersion, 6u);
    OSVERSIONINFOEXW ex{};
    ex.dwOSVersionInfoSize = sizeof ex;
    EXPECT_TRUE(GetVersionExW(reinterpret_cast<LPOSVERSIONINFOW>(&ex)));
    EXPECT_EQ(ex.wProductType, 1);

    const DWORD t0 = GetTickCount();
    Sleep(20);
    EXPECT_GE(GetTickCount() - t0, 19u);
}

}  // namespace
