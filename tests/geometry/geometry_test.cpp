// CMyPoint, CMySize, CMyRect: conversions with truncation toward zero, the
// rectangle operations, and the archive records.
#include <hmigfx/my_geometry.h>

#include "../afx/mfc_throw.h"
#include "../afx/temp_dir.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

namespace {

std::vector<BYTE> bytesOf(CMemFile& f) {
    std::vector<BYTE> v(static_cast<size_t>(f.GetLength()));
    f.SeekToBegin();
    f.Read(v.data(), static_cast<UINT>(v.size()));
    return v;
}

std::vector<BYTE> doublesLE(std::initializer_list<double> values) {
    std::vector<BYTE> out;
    for (double d : values) {
        uint64_t u;
        std::memcpy(&u, &d, 8);
        for (int i = 0; i < 8; ++i) out.push_back(static_cast<BYTE>(u >> (8 * i)));
    }
    return out;
}

CMyRect rectOf(double l, double t, double r, double b) {
    CMyRect m(0, 0, 0, 0);
    m.left = l;
    m.top = t;
    m.right = r;
    m.bottom = b;
    return m;
}

TEST(CMyRect, KeepsTheFrameworksArgumentOrderButItsOwnFieldOrder) {
    CMyRect r(10, 20, 30, 40);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right, 30);
    EXPECT_EQ(r.bottom, 40);
    // left, right, top, bottom in memory.
    EXPECT_EQ(reinterpret_cast<double*>(&r)[1], 30);
    r.SetRect(1, 2, 3, 4);
    EXPECT_EQ(r.right, 3);
    CRect ir(5, 6, 7, 8);
    CMyRect fromInts(ir);
    EXPECT_EQ(fromInts.bottom, 8);
}

TEST(CMyRect, ConversionsTruncateTowardZero) {
    CMyRect r = rectOf(-0.5, -2.9, 2.9, 1e12);
    CRect ir;
    r.CopyTo(ir);
    EXPECT_EQ(ir.left, 0);  // not -1
    EXPECT_EQ(ir.top, -2);
    EXPECT_EQ(ir.right, 2);
    EXPECT_EQ(ir.bottom, INT_MIN);  // out of range: the x86 "indefinite" value, never undefined behaviour

    CPoint p;
    CMyRect unit = rectOf(1, 1, 2, 2);
    unit.CenterPointTo(p);
    EXPECT_EQ(p, CPoint(1, 1));  // 1.5 truncated
    CMyPoint mp;
    unit.CenterPointTo(mp);
    EXPECT_EQ(mp.x, 1.5);
    EXPECT_EQ(mp.y, 1.5);
    CMyRect neg = rectOf(-3, -3, 0, 0);
    neg.CenterPointTo(p);
    EXPECT_EQ(p, CPoint(-1, -1));  // -1.5 truncated toward zero
    r.TopLeftTo(p);
    EXPECT_EQ(p, CPoint(0, -2));
    r.BottomRightTo(mp);
    EXPECT_EQ(mp.x, 2.9);
}

TEST(CMyRect, WidthAndHeightTruncateTheDifferenceAndIgnoreOrder) {
    EXPECT_EQ(rectOf(5.0, 0, 1.0, 0).Width(), 4);
    EXPECT_EQ(rectOf(0.0, 0, 2.7, 0).Width(), 2);
    EXPECT_EQ(rectOf(0.4, 0, 2.7, 0).Width(), 2);
    EXPECT_EQ(rectOf(0, 3.5, 0, 0.2).Height(), 3);
}

TEST(CMyRect, NormalizeRectSwapsEachPairOnItsOwn) {
    CMyRect r = rectOf(1, 9, 5, 2);
    r.NormalizeRect();
    EXPECT_EQ(r.left, 1);
    EXPECT_EQ(r.right, 5);
    EXPECT_EQ(r.top, 2);
    EXPECT_EQ(r.bottom, 9);
    CMyRect h = rectOf(7, 0, 3, 4);
    h.NormalizeRect();
    EXPECT_EQ(h.left, 3);
    EXPECT_EQ(h.top, 0);
}

TEST(CMyRect, InflatesDeflatesAndMoves) {
    CMyRect r(10, 20, 30, 40);
    r.InflateRect(1, 2);
    EXPECT_EQ(r.left, 9);
    EXPECT_EQ(r.top, 18);
    EXPECT_EQ(r.right, 31);
    EXPECT_EQ(r.bottom, 42);
    r.DeflateRect(1, 2, 3, 4);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right, 28);
    EXPECT_EQ(r.bottom, 38);
    CMyPoint half(0, 0);
    half.x = 0.5;
    half.y = -0.25;
    r.OffsetRect(half);
    EXPECT_EQ(r.left, 10.5);
    EXPECT_EQ(r.bottom, 37.75);
    r.OffsetRect(CPoint(1, 1));
    r += CPoint(1, 0);
    EXPECT_EQ(r.left, 12.5);
    r -= CPoint(2, 1);
    EXPECT_EQ(r.left, 10.5);
    EXPECT_EQ(r.top, 19.75);
    RECT plain{1, 2, 3, 4};
    r = plain;
    EXPECT_EQ(r.right, 3);
}

TEST(CMyPoint, ConvertsAndOffsets) {
    CPoint ip(3, -4);
    CMyPoint p(ip);
    p += CPoint(1, 1);
    EXPECT_EQ(p.x, 4);
    EXPECT_EQ(p.y, -3);
    p -= CPoint(10, 0);
    EXPECT_EQ(p.x, -6);
    p.x = -6.9;
    CPoint out;
    p.CopyTo(out);
    EXPECT_EQ(out, CPoint(-6, -3));
    CSize is(7, 8);
    CMySize s(is);
    s.cx = 7.99;
    CSize back;
    s.CopyTo(back);
    EXPECT_EQ(back, CSize(7, 8));
}

TEST(ArchiveRecords, ARectangleStoresLeftRightTopBottom) {
    CMemFile f;
    {
        CArchive ar(&f, CArchive::store);
        CMyRect r(10, 20, 30, 40);
        r.Serialize(ar);
    }
    EXPECT_EQ(bytesOf(f), doublesLE({10, 30, 20, 40}));  // 32 bytes, no header
}

TEST(ArchiveRecords, PointsAndSizesAreTwoDoubles) {
    CMemFile f;
    {
        CArchive ar(&f, CArchive::store);
        CMyPoint p(1, 2);
        p.x = 0.5;
        p.Serialize(ar);
        CMySize s(-3, 4);
        s.Serialize(ar);
    }
    EXPECT_EQ(bytesOf(f), doublesLE({0.5, 2, -3, 4}));
}

TEST(ArchiveRecords, TheIntegerOverloadsStoreFromAndLoadIntoTheirArgument) {
    CMemFile f;
    {
        CArchive ar(&f, CArchive::store);
        CMyPoint p(0, 0);
        p.x = 2.75;  // replaced by the integer point's coordinates
        CPoint ip(5, -6);
        p.Serialize(ar, ip);
        EXPECT_EQ(p.x, 5);
        CMyRect r(0, 0, 0, 0);
        CRect ir(1, 2, 3, 4);
        r.Serialize(ar, ir);
        EXPECT_EQ(r.bottom, 4);
        const double record[] = {2.75, -3.5};  // a point record with fractions
        ar.Write(record, sizeof record);
    }
    EXPECT_EQ(bytesOf(f).size(), 16u + 32u + 16u);
    f.SeekToBegin();
    CArchive ar(&f, CArchive::load);
    CMyPoint p(0, 0);
    p.Serialize(ar);  // records from either overload read with either
    EXPECT_EQ(p.x, 5);
    EXPECT_EQ(p.y, -6);
    CRect ir;
    CMyRect r(0, 0, 0, 0);
    r.Serialize(ar, ir);
    EXPECT_EQ(ir, CRect(1, 2, 3, 4));
    CPoint ip;
    p.Serialize(ar, ip);
    EXPECT_EQ(p.x, 2.75);
    EXPECT_EQ(p.y, -3.5);
    EXPECT_EQ(ip, CPoint(2, -3));
}

TEST(ArchiveRecords, RoundTripThroughAFileOnDisk) {
    TempDir dir;
    const CString path = dir / L"drawing.dat";
    CMyRect r = rectOf(-1.25, 2.5, 1e6, -0.001);
    CMySize s(3, 4);
    s.cy = 4.125;
    {
        CFile f(path, CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&f, CArchive::store);
        r.Serialize(ar);
        s.Serialize(ar);
        CSize is(9, 10);
        s.Serialize(ar, is);
    }
    CFile f(path, CFile::modeRead);
    EXPECT_EQ(f.GetLength(), 32u + 16u + 16u);
    CArchive ar(&f, CArchive::load);
    CMyRect r2(0, 0, 0, 0);
    r2.Serialize(ar);
    EXPECT_EQ(r2.left, -1.25);
    EXPECT_EQ(r2.right, 1e6);
    EXPECT_EQ(r2.top, 2.5);
    EXPECT_EQ(r2.bottom, -0.001);
    CMySize s2(0, 0);
    s2.Serialize(ar);
    EXPECT_EQ(s2.cy, 4.125);
    CSize is;
    s2.Serialize(ar, is);
    EXPECT_EQ(is, CSize(9, 10));
}

TEST(ArchiveRecords, ATruncatedRecordThrowsAndKeepsTheFieldsRead) {
    CMemFile f;
    {
        CArchive ar(&f, CArchive::store);
        ar << 10.0 << 30.0 << 20.0;  // three of a rectangle's four doubles
        ar << static_cast<DWORD>(0);
    }
    f.SeekToBegin();
    CArchive ar(&f, CArchive::load);
    CMyRect r(-1, -1, -1, -1);
    CRect ir(7, 7, 7, 7);
    try {
        r.Serialize(ar, ir);
        ADD_FAILURE() << "no exception";
    } catch (CArchiveException* e) {
        EXPECT_EQ(e->m_cause, CArchiveException::endOfFile);
        e->Delete();
    }
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.right, 30);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.bottom, -1);  // never read
    EXPECT_EQ(ir, CRect(7, 7, 7, 7));  // the integer rectangle is only set after a full record
}

TEST(ArchiveRecords, TheArchiveDecidesTheDirection) {
    // Serialize on an archive opened for loading loads, even from an empty file.
    CMemFile empty;
    CArchive ar(&empty, CArchive::load);
    CMyPoint p(1, 2);
    EXPECT_MFC_THROW(p.Serialize(ar), CArchiveException);
    EXPECT_EQ(p.x, 1);
    EXPECT_EQ(p.y, 2);
}

}  // namespace
