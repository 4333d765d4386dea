// CArchive: MFC's little-endian records, buffering, the errors it raises, and
// CString records.
#include "../support/test_support.h"

#include <cmath>
#include <functional>

namespace {

int causeOf(std::function<void()> f) { return testsupport::causeOf<CArchiveException>(f); }

std::vector<BYTE> contents(CMemFile& f) {
    std::vector<BYTE> v(static_cast<size_t>(f.GetLength()));
    f.SeekToBegin();
    f.Read(v.data(), static_cast<UINT>(v.size()));
    return v;
}

TEST(CArchive, StoresEveryTypeLittleEndian) {
    CMemFile f;
    {
        CArchive ar(&f, CArchive::store);
        ar << static_cast<BYTE>(0xAB) << static_cast<WORD>(0x1234) << static_cast<LONG>(-2) << static_cast<DWORD>(0x01020304)
           << 1.0 << -2.5f << static_cast<LONGLONG>(0x0102030405060708LL) << true << L'\u20AC' << static_cast<short>(-1)
           << 'c' << static_cast<int>(0x7F000001) << static_cast<ULONGLONG>(1);
        ar.Close();
    }
    const std::vector<BYTE> want = {
        0xAB,                                            // BYTE
        0x34, 0x12,                                      // WORD
        0xFE, 0xFF, 0xFF, 0xFF,                          // LONG -2
        0x04, 0x03, 0x02, 0x01,                          // DWORD
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF0, 0x3F,  // double 1.0
        0x00, 0x00, 0x20, 0xC0,                          // float -2.5
        0x08, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01,  // LONGLONG
        0x01,                                            // bool
        0xAC, 0x20,                                      // wchar_t: one UTF-16 unit
        0xFF, 0xFF,                                      // short -1
        'c',                                             // char
        0x01, 0x00, 0x00, 0x7F,                          // int
        0x01, 0, 0, 0, 0, 0, 0, 0,                       // ULONGLONG
    };
    EXPECT_EQ(contents(f), want);

    f.SeekToBegin();
    CArchive in(&f, CArchive::load);
    BYTE b;
    WORD w;
    LONG l;
    DWORD dw;
    double d;
    float fl;
    LONGLONG ll;
    bool flag;
    wchar_t wc;
    short s;
    char c;
    int i;
    ULONGLONG ull;
    in >> b >> w >> l >> dw >> d >> fl >> ll >> flag >> wc >> s >> c >> i >> ull;
    EXPECT_EQ(b, 0xAB);
    EXPECT_EQ(w, 0x1234);
    EXPECT_EQ(l, -2);
    EXPECT_EQ(dw, 0x01020304u);
    EXPECT_EQ(d, 1.0);
    EXPECT_EQ(fl, -2.5f);
    EXPECT_EQ(ll, 0x0102030405060708LL);
    EXPECT_TRUE(flag);
    EXPECT_EQ(wc, L'\u20AC');
    EXPECT_EQ(s, -1);
    EXPECT_EQ(c, 'c');
    EXPECT_EQ(i, 0x7F000001);
    EXPECT_EQ(ull, 1u);
}

TEST(CArchive, ValuesCrossTheBufferBoundary) {
    // A buffer of 64 bytes and 1000 doubles: every refill and flush path runs.
    CMemFile f;
    {
        CArchive ar(&f, CArchive::store, 64);
        ar << static_cast<BYTE>(1);  // misalign the doubles against the buffer
        for (int i = 0; i < 1000; ++i) ar << std::sqrt(static_cast<double>(i));
    }
    EXPECT_EQ(f.GetLength(), 1u + 8000u);
    f.SeekToBegin();
    CArchive ar(&f, CArchive::load, 64);
    BYTE first;
    ar >> first;
    for (int i = 0; i < 1000; ++i) {
        double v;
        ar >> v;
        ASSERT_EQ(v, std::sqrt(static_cast<double>(i))) << i;
    }
}

TEST(CArchive, ReadingPastTheEndThrowsEndOfFileAndKeepsWhatWasRead) {
    CMemFile f;
    {
        CArchive ar(&f, CArchive::store);
        ar << 1.5 << 2.5 << static_cast<DWORD>(7);  // 20 bytes: the next double is cut short
    }
    f.SeekToBegin();
    CArchive ar(&f, CArchive::load);
    double a = 0, b = 0, c = -1;
    EXPECT_EQ(causeOf([&] { ar >> a >> b >> c; }), CArchiveException::endOfFile);
    EXPECT_EQ(a, 1.5);
    EXPECT_EQ(b, 2.5);
    EXPECT_EQ(c, -1);  // untouched
}

TEST(CArchive, StoringOnALoadingArchiveThrowsReadOnlyAndViceVersa) {
    CMemFile f;
    {
        CArchive ar(&f, CArchive::store);
        ar << 1;
        int x;
        EXPECT_EQ(causeOf([&] { ar >> x; }), CArchiveException::writeOnly);
    }
    f.SeekToBegin();
    CArchive ar(&f, CArchive::load);
    EXPECT_EQ(causeOf([&] { ar << 2.0; }), CArchiveException::readOnly);
    EXPECT_EQ(causeOf([&] { ar.Write("x", 1); }), CArchiveException::readOnly);
    EXPECT_EQ(f.GetLength(), 4u);  // nothing was written
}

TEST(CArchive, ClosingALoadingArchiveLeavesTheFileAfterTheLastValue) {
    CMemFile f;
    {
        CArchive ar(&f, CArchive::store);
        for (int i = 0; i < 10; ++i) ar << i;
    }
    f.SeekToBegin();
    {
        CArchive ar(&f, CArchive::load);
        int v;
        ar >> v >> v;
        ar.Close();  // the archive read ahead; the file goes back to byte 8
    }
    EXPECT_EQ(f.GetPosition(), 8u);
}

TEST(CArchive, RawReadsAndWrites) {
    CMemFile f;
    std::vector<BYTE> big(10000);
    for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<BYTE>(i % 251);
    {
        CArchive ar(&f, CArchive::store, 128);
        ar << static_cast<WORD>(3);
        ar.Write(big.data(), static_cast<UINT>(big.size()));
        ar.Write("tail", 4);
    }
    f.SeekToBegin();
    CArchive ar(&f, CArchive::load, 128);
    WORD w;
    ar >> w;
    std::vector<BYTE> back(big.size());
    EXPECT_EQ(ar.Read(back.data(), static_cast<UINT>(back.size())), big.size());
    EXPECT_EQ(back, big);
    char tail[10];
    EXPECT_EQ(ar.Read(tail, 10), 4u);  // short at the end, no exception
    EXPECT_EQ(std::string(tail, 4), "tail");
}

TEST(CArchive, RoundTripsThroughAFileOnDisk) {
    testsupport::TempDir dir;
    const CString path((dir / "values.dat").wstring().c_str());
    {
        CFile f(path, CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&f, CArchive::store);
        ar << -0.0 << 1e300 << static_cast<float>(1e-30) << CString(L"tank 1");
        EXPECT_STREQ(ar.m_strFileName, path);
        ar.Close();
        f.Close();
    }
    const std::vector<unsigned char> bytes = testsupport::readFile(dir / "values.dat");
    ASSERT_EQ(bytes.size(), 8u + 8u + 4u + 4u + 12u);
    EXPECT_EQ(bytes[7], 0x80);  // the sign of -0.0 in the last byte

    CFile f(path, CFile::modeRead);
    CArchive ar(&f, CArchive::load);
    double z, big;
    float tiny;
    CString s;
    ar >> z >> big >> tiny >> s;
    EXPECT_TRUE(std::signbit(z));
    EXPECT_EQ(big, 1e300);
    EXPECT_EQ(tiny, static_cast<float>(1e-30));
    EXPECT_STREQ(s, L"tank 1");
}

TEST(CArchive, StringsUseMfcsRecord) {
    CMemFile f;
    {
        CArchive ar(&f, CArchive::store);
        ar << CString(L"A\u00E9") << CString(L'x', 300) << CString(L"\U0001F600");
    }
    const std::vector<BYTE> bytes = contents(f);
    // Unicode marker FF FE FF, then a one-byte length and UTF-16LE units.
    const std::vector<BYTE> head = {0xFF, 0xFE, 0xFF, 0x02, 'A', 0x00, 0xE9, 0x00};
    EXPECT_TRUE(std::equal(head.begin(), head.end(), bytes.begin()));
    // 300 units: FF then the WORD length.
    const std::vector<BYTE> second = {0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01, 'x', 0x00};
    EXPECT_TRUE(std::equal(second.begin(), second.end(), bytes.begin() + 8));
    // A character beyond the BMP is a surrogate pair.
    const std::vector<BYTE> third = {0xFF, 0xFE, 0xFF, 0x02, 0x3D, 0xD8, 0x00, 0xDE};
    EXPECT_TRUE(std::equal(third.begin(), third.end(), bytes.begin() + 8 + 6 + 600));

    f.SeekToBegin();
    CArchive ar(&f, CArchive::load);
    CString a, b, c;
    ar >> a >> b >> c;
    EXPECT_STREQ(a, L"A\u00E9");
    EXPECT_EQ(b.GetLength(), 300);
    EXPECT_STREQ(c, L"\U0001F600");
}

TEST(CArchive, ReadsNarrowStringRecords) {
    BYTE rec[] = {0x05, 'P', 'u', 'm', 'p', '1'};
    CMemFile f(rec, sizeof rec);
    CArchive ar(&f, CArchive::load);
    CString s;
    ar >> s;
    EXPECT_STREQ(s, L"Pump1");
}

TEST(CArchive, ACorruptStringLengthEndsInEndOfFileNotInAHugeAllocation) {
    // Claims 0xFFFFFFF0 UTF-16 units, holds four bytes.
    BYTE rec[] = {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0xFF, 'a', 0, 'b', 0};
    CMemFile f(rec, sizeof rec);
    CArchive ar(&f, CArchive::load);
    CString s(L"before");
    EXPECT_EQ(causeOf([&] { ar >> s; }), CArchiveException::endOfFile);
    EXPECT_STREQ(s, L"before");
}

}  // namespace
