// CFile on disk, CMemFile in memory, and CFileFind.
#include "../support/test_support.h"

#include <fstream>
#include <functional>

using testsupport::cstr;
using testsupport::TempDir;

int causeOf(std::function<void()> f) { return testsupport::causeOf<CFileException>(f); }

namespace {

TEST(CFile, ReportsItsNamesAndTruncatesUnlessNoTruncate) {
    TempDir dir;
    const CString path = cstr(dir / "data.bin");
    {
        CFile f;
        ASSERT_TRUE(f.Open(path, CFile::modeCreate | CFile::modeWrite));
        f.Write("abcdef", 6);
        EXPECT_STREQ(f.GetFilePath(), path);
        EXPECT_STREQ(f.GetFileName(), L"data.bin");
        EXPECT_STREQ(f.GetFileTitle(), L"data");
        f.Close();
        EXPECT_EQ(f.m_hFile, CFile::hFileNull);
    }
    EXPECT_EQ(CFile(path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite).GetLength(), 6u);
    EXPECT_EQ(CFile(path, CFile::modeCreate | CFile::modeWrite).GetLength(), 0u);
}

TEST(CFile, FailuresSayWhy) {
    TempDir dir;
    CFile f;
    CFileException e;
    EXPECT_FALSE(f.Open(cstr(dir / "missing.bin"), CFile::modeRead, &e));
    EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
    EXPECT_EQ(e.m_lOsError, ERROR_FILE_NOT_FOUND);
    EXPECT_STREQ(e.m_strFileName, cstr(dir / "missing.bin"));

    EXPECT_FALSE(f.Open(cstr(dir / "no/such/dir.bin"), CFile::modeRead, &e));
    EXPECT_EQ(e.m_cause, CFileException::badPath);

    EXPECT_FALSE(f.Open(cstr(dir.path()), CFile::modeRead, &e));  // a directory
    EXPECT_EQ(e.m_cause, CFileException::accessDenied);

    EXPECT_EQ(causeOf([&] { CFile thrown(cstr(dir / "missing.bin"), CFile::modeRead); }), CFileException::fileNotFound);

    // Writing to a file opened for reading is refused.
    { CFile w(cstr(dir / "ro.bin"), CFile::modeCreate | CFile::modeWrite); }
    CFile r(cstr(dir / "ro.bin"), CFile::modeRead);
    EXPECT_EQ(causeOf([&] { r.Write("x", 1); }), CFileException::accessDenied);
}

TEST(CFile, RenameAndRemove) {
    TempDir dir;
    { CFile f(cstr(dir / "a.txt"), CFile::modeCreate | CFile::modeWrite); }
    CFile::Rename(cstr(dir / "a.txt"), cstr(dir / "b.txt"));
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "b.txt"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "a.txt"));
    CFile::Remove(cstr(dir / "b.txt"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "b.txt"));
    EXPECT_EQ(causeOf([&] { CFile::Remove(cstr(dir / "b.txt")); }), CFileException::fileNotFound);
}

TEST(CMemFile, GrowsAndReadsBack) {
    CMemFile f(16);
    std::vector<BYTE> data(1000);
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<BYTE>(i * 7);
    f.Write(data.data(), 1000);
    EXPECT_EQ(f.GetLength(), 1000u);
    EXPECT_EQ(f.GetPosition(), 1000u);
    f.SeekToBegin();
    std::vector<BYTE> back(1200);
    EXPECT_EQ(f.Read(back.data(), 1200), 1000u);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), back.begin()));
    // A write after a seek past the end leaves zeros in the gap.
    f.Seek(1010, CFile::begin);
    f.Write("x", 1);
    EXPECT_EQ(f.GetLength(), 1011u);
    f.Seek(1000, CFile::begin);
    BYTE gap[11];
    f.Read(gap, 11);
    EXPECT_EQ(gap[0], 0);
    EXPECT_EQ(gap[9], 0);
    EXPECT_EQ(gap[10], 'x');
    EXPECT_MFC_THROW(f.Seek(-2000, CFile::current), CFileException);
    EXPECT_EQ(causeOf([&] { f.Seek(-1, CFile::begin); }), CFileException::badSeek);
    BYTE* owned = f.Detach();
    EXPECT_EQ(f.GetLength(), 0u);
    std::free(owned);
}

TEST(CMemFile, AFixedBufferCannotGrow) {
    BYTE buf[4] = {1, 2, 3, 4};
    CMemFile f(buf, sizeof buf);
    EXPECT_EQ(f.GetLength(), 4u);
    BYTE b[4];
    EXPECT_EQ(f.Read(b, 4), 4u);
    EXPECT_EQ(b[3], 4);
    f.SeekToBegin();
    f.Write("\x09", 1);
    EXPECT_EQ(buf[0], 9);
    f.Seek(3, CFile::begin);
    EXPECT_MFC_THROW(f.Write("ab", 2), CMemoryException);
    EXPECT_EQ(f.Detach(), buf);  // still the caller's buffer
}

TEST(CFileFind, ListsMatchesInNameOrderWithTitlesAndPaths) {
    TempDir dir;
    for (const char* n : {"zeta.F03", "Alpha.F03", "beta.f03", "other.F04", "noext"})
        std::ofstream(dir.path() / n) << "x";
    std::filesystem::create_directory(dir.path() / "sub.F03");

    CFileFind find;
    ASSERT_TRUE(find.FindFile(cstr(dir / "*.F03")));
    std::vector<std::wstring> names, titles;
    BOOL more = TRUE;
    while (more) {
        more = find.FindNextFile();
        names.push_back(find.GetFileName().GetString());
        titles.push_back(find.GetFileTitle().GetString());
        if (find.GetFileName() == L"sub.F03") {
            EXPECT_TRUE(find.IsDirectory());
        }
        if (find.GetFileName() == L"Alpha.F03") {
            EXPECT_FALSE(find.IsDirectory());
            EXPECT_EQ(find.GetLength(), 1u);
            EXPECT_STREQ(find.GetFilePath(), cstr(dir / "Alpha.F03"));
        }
    }
    // Wildcards ignore case, as on Windows; the order is that of the upper-cased names.
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Alpha.F03", L"beta.f03", L"sub.F03", L"zeta.F03"}));
    EXPECT_EQ(titles, (std::vector<std::wstring>{L"Alpha", L"beta", L"sub", L"zeta"}));
    EXPECT_STREQ(find.GetRoot(), cstr(dir.path()));

    EXPECT_FALSE(find.FindFile(cstr(dir / "*.U07")));
    EXPECT_FALSE(find.FindFile(cstr(dir / "missing-dir/*")));

    ASSERT_TRUE(find.FindFile(cstr(dir / "*")));
    int dots = 0, all = 0;
    for (BOOL m = TRUE; m;) {
        m = find.FindNextFile();
        ++all;
        dots += find.IsDots() ? 1 : 0;
    }
    EXPECT_EQ(dots, 2);  // "." and "..", as Windows lists them
    EXPECT_EQ(all, 8);
}

}  // namespace
