// CString: construction, searching, slicing, trimming and Microsoft-style formatting.
#include <afx.h>

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(CString, ConstructsFromWideNarrowAndRepeatedCharacters) {
    EXPECT_TRUE(CString().IsEmpty());
    EXPECT_EQ(CString(L"abc").GetLength(), 3);
    EXPECT_STREQ(CString("abc"), L"abc");
    // Narrow strings go through the ANSI code page: UTF-8 on Linux, the system's on Windows.
    wchar_t acp[8] = {};
    ASSERT_GT(MultiByteToWideChar(CP_ACP, 0, "gr\xC3\xBC\xC3\x9F", -1, acp, 8), 0);
    EXPECT_STREQ(CString("gr\xC3\xBC\xC3\x9F"), acp);
    EXPECT_STREQ(CString(L'x', 3), L"xxx");
    EXPECT_STREQ(CString(L"abcdef", 2), L"ab");
    EXPECT_STREQ(CString(static_cast<LPCWSTR>(nullptr)), L"");
}

TEST(CString, ComparesAndConcatenates) {
    CString a(L"Pump"), b(L"pump");
    EXPECT_NE(a, b);
    EXPECT_EQ(a.CompareNoCase(b), 0);
    EXPECT_LT(a.Compare(L"Pumq"), 0);
    EXPECT_TRUE(a == L"Pump");
    EXPECT_TRUE(L"Pump" == a);
    EXPECT_TRUE(a < b);  // ordinal: 'P' < 'p'
    CString s = a + L" " + b + L'!';
    EXPECT_STREQ(s, L"Pump pump!");
    s += L"?";
    EXPECT_EQ(s.GetLength(), 11);
    const wchar_t* p = s;  // implicit conversion
    EXPECT_EQ(p[0], L'P');
    EXPECT_EQ(s[10], L'?');
}

TEST(CString, FindsCharactersAndSubstrings) {
    CString s(L"tank.level.high");
    EXPECT_EQ(s.Find(L'.'), 4);
    EXPECT_EQ(s.Find(L'.', 5), 10);
    EXPECT_EQ(s.Find(L"level"), 5);
    EXPECT_EQ(s.Find(L"low"), -1);
    EXPECT_EQ(s.Find(L'k', 100), -1);
    EXPECT_EQ(s.ReverseFind(L'.'), 10);
    EXPECT_EQ(s.FindOneOf(L"lh"), 5);
}

TEST(CString, SlicesClampToTheString) {
    CString s(L"Brick.F03");
    EXPECT_STREQ(s.Left(5), L"Brick");
    EXPECT_STREQ(s.Left(-1), L"");
    EXPECT_STREQ(s.Left(100), L"Brick.F03");
    EXPECT_STREQ(s.Mid(6), L"F03");
    EXPECT_STREQ(s.Mid(6, 1), L"F");
    EXPECT_STREQ(s.Mid(-3, 2), L"Br");
    EXPECT_STREQ(s.Mid(20), L"");
    EXPECT_STREQ(s.Right(3), L"F03");
    EXPECT_STREQ(s.Right(50), L"Brick.F03");
}

TEST(CString, TrimsReplacesAndEdits) {
    CString s(L" \t value \n");
    EXPECT_STREQ(s.Trim(), L"value");
    CString t(L"xxabcxx");
    EXPECT_STREQ(t.TrimLeft(L'x'), L"abcxx");
    EXPECT_STREQ(t.TrimRight(L"x"), L"abc");
    CString r(L"a.b.c");
    EXPECT_EQ(r.Replace(L".", L"::"), 2);
    EXPECT_STREQ(r, L"a::b::c");
    EXPECT_EQ(r.Replace(L':', L'-'), 4);
    EXPECT_EQ(r.Remove(L'-'), 4);
    EXPECT_STREQ(r, L"abc");
    r.Insert(1, L"XY");
    r.Delete(0);
    EXPECT_STREQ(r, L"XYbc");
    EXPECT_STREQ(r.MakeLower(), L"xybc");
    EXPECT_STREQ(r.MakeUpper(), L"XYBC");
}

TEST(CString, TokenizesLikeMfc) {
    CString s(L"%Sys%Brush%");
    int pos = 0;
    EXPECT_STREQ(s.Tokenize(L"%", pos), L"Sys");
    EXPECT_STREQ(s.Tokenize(L"%", pos), L"Brush");
    EXPECT_STREQ(s.Tokenize(L"%", pos), L"");
    EXPECT_EQ(pos, -1);
}

TEST(CString, FormatUsesMicrosoftMeanings) {
    CString s;
    s.Format(L"%sSys/Brush/", L"/opt/hmi/");
    EXPECT_STREQ(s, L"/opt/hmi/Sys/Brush/");
    s.Format(L"%s%s.F%02d", L"dir/", L"Bricks", 3);
    EXPECT_STREQ(s, L"dir/Bricks.F03");
    s.Format(L"[%S|%hs|%ls|%c|%C]", "narrow", "also", L"wide", L'w', 'n');
    EXPECT_STREQ(s, L"[narrow|also|wide|w|n]");
    // %ld is 32 bits as on Windows; 64-bit values need %I64d or %lld.
    s.Format(L"%ld %lu %I64d %lld %u", static_cast<LONG>(-5), static_cast<DWORD>(4000000000u), LLONG_MIN, 1LL << 40, 7u);
    EXPECT_STREQ(s, L"-5 4000000000 -9223372036854775808 1099511627776 7");
    s.Format(L"%5.2f|%-6s|%6s|%.3s|%+d|%05d|%x|%X|%#o", 3.14159, L"ab", L"cd", L"truncate", 4, 42, 255, 255, 8);
    EXPECT_STREQ(s, L" 3.14|ab    |    cd|tru|+4|00042|ff|FF|010");
    s.Format(L"%*d|%-*d|%.*f", 4, 7, 3, 1, 1, 2.25);
    EXPECT_STREQ(s, L"   7|1  |2.2");
    s.Format(L"100%% %s", static_cast<LPCWSTR>(nullptr));
    EXPECT_STREQ(s, L"100% (null)");
    s.Format(L"%hd %hu %hhd", 70000, 70000, 300);
    EXPECT_STREQ(s, L"4464 4464 44");
    s.AppendFormat(L"+%s", L"more");
    EXPECT_STREQ(s, L"4464 4464 44+more");
}

TEST(CString, FormatPrintsPointersInMicrosoftStyle) {
    CString s;
    s.Format(L"%p", reinterpret_cast<void*>(0xABCDEF));
    EXPECT_STREQ(s, sizeof(void*) == 8 ? L"0000000000ABCDEF" : L"00ABCDEF");
}

TEST(CString, BufferAccessFollowsTheWrittenTerminator) {
    CString s(L"abc");
    wchar_t* p = s.GetBuffer(10);
    wcscpy(p, L"longer");
    s.ReleaseBuffer();
    EXPECT_STREQ(s, L"longer");
    EXPECT_EQ(s.GetLength(), 6);
    p = s.GetBufferSetLength(3);
    p[0] = L'X';
    s.ReleaseBuffer(3);
    EXPECT_STREQ(s, L"Xon");
}

}  // namespace
