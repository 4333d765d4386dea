// CMyPoint, CMySize, CMyRect: conversions with truncation toward zero, the
// rectangle operations, and the archive records' byte layout.
#include <hmigfx/my_geometry.h>

#include "../support/test_support.h"

#include <climits>
#include <cstring>

namespace {

std::vector<BYTE> bytesOf(CMemFile& f) {
    std::vector<BYTE> v(static_cast<size_t>(f.GetLength()));
    f.SeekToBegin();
    f.Read(v.data(), static_cast<UINT>(v.size()));
    return v;
}

std::vector<BYTE> doublesLE(std::initializer_list<double> values) {
    std::vector<BYTE> out(values.size() * 8);
    std::memcpy(out.data(), std::data(values), out.size());  // the machine is little-endian, as the records are
    return out;
}

CMyRect rectOf(double l, double t, double r, double b) {
    CMyRect m(0, 0, 0, 0);
    m.left = l, m.top = t, m.right = r, m.bottom = b;
    return m;
}

bool is(const CMyRect& r, double l, double t, double rt, double b) {
    return r.left == l && r.top == t && r.right == rt && r.bottom == b;
}

TEST(CMyRect, TakesTheFrameworksArgumentOrderAndKeepsItsOwnFieldOrder) {
    CMyRect r(10, 20, 30, 40);
    EXPECT_TRUE(is(r, 10, 20, 30, 40));
    EXPECT_EQ(reinterpret_cast<double*>(&r)[1], 30);  // left, right, top, bottom in memory
    r.SetRect(1, 2, 3, 4);
    EXPECT_TRUE(is(r, 1, 2, 3, 4));
    CRect ints(5, 6, 7, 8);
    EXPECT_TRUE(is(CMyRect(ints), 5, 6, 7, 8));
    RECT plain{1, 2, 3, 4};
    r = plain;
    EXPECT_EQ(r.right, 3);
}

TEST(CMyRect, ConversionsTruncateTowardZero) {
    CRect ir;
    rectOf(-0.5, -2.9, 2.9, 1e12).CopyTo(ir);
    EXPECT_EQ(ir, CRect(0, -2, 2, INT_MIN));  // out of range: the x86 "indefinite" value, never undefined behaviour
    CPoint p;
    CMyPoint mp;
    CMyRect unit = rectOf(1, 1, 2, 2);
    unit.CenterPointTo(p);
    unit.CenterPointTo(mp);
    EXPECT_EQ(p, CPoint(1, 1));  // 1.5 truncated
    EXPECT_TRUE(mp.x == 1.5 && mp.y == 1.5);
    rectOf(-3, -3, 0, 0).CenterPointTo(p);
    EXPECT_EQ(p, CPoint(-1, -1));
    rectOf(-0.5, -2.9, 2.9, 1).TopLeftTo(p);
    EXPECT_EQ(p, CPoint(0, -2));
    rectOf(-0.5, -2.9, 2.9, 1).BottomRightTo(mp);
    EXPECT_EQ(mp.x, 2.9);
    // Width and height truncate the difference and ignore the order.
    EXPECT_EQ(rectOf(5.0, 0, 1.0, 0).Width(), 4);
    EXPECT_EQ(rectOf(0.4, 0, 2.7, 0).Width(), 2);
    EXPECT_EQ(rectOf(0, 3.5, 0, 0.2).Height(), 3);
    CPoint three(3, -4);
    CMyPoint q(three);
    q.x = -6.9;
    q.CopyTo(p);
    EXPECT_EQ(p, CPoint(-6, -4));
    CSize seven(7, 8);
    CMySize s(seven);
    s.cx = 7.99;
    CSize back;
    s.CopyTo(back);
    EXPECT_EQ(back, CSize(7, 8));
    q = POINT{-1, 2};
    EXPECT_TRUE(q.x == -1 && q.y == 2);
}

TEST(CMyRect, NormalizesInflatesDeflatesAndMoves) {
    CMyRect r = rectOf(1, 9, 5, 2), h = rectOf(7, 0, 3, 4);
    r.NormalizeRect();  // each pair on its own
    h.NormalizeRect();
    EXPECT_TRUE(is(r, 1, 2, 5, 9));
    EXPECT_TRUE(is(h, 3, 0, 7, 4));
    CMyRect m(10, 20, 30, 40);
    m.InflateRect(1, 2);
    EXPECT_TRUE(is(m, 9, 18, 31, 42));
    m.DeflateRect(1, 2, 3, 4);
    EXPECT_TRUE(is(m, 10, 20, 28, 38));
    CMyPoint half(0, 0);
    half.x = 0.5;
    half.y = -0.25;
    m.OffsetRect(half);
    EXPECT_TRUE(is(m, 10.5, 19.75, 28.5, 37.75));
    m.OffsetRect(CPoint(1, 1));
    m += CPoint(1, 0);
    m -= CPoint(2, 1);
    EXPECT_TRUE(is(m, 10.5, 19.75, 28.5, 37.75));
    CPoint start(3, -4);
    CMyPoint p(start);
    p += CPoint(1, 1);
    p -= CPoint(10, 0);
    EXPECT_TRUE(p.x == -6 && p.y == -3);
}

TEST(ArchiveRecords, RectanglesStoreLeftRightTopBottomPointsAndSizesTwoDoubles) {
    CMemFile f;
    {
        CArchive ar(&f, CArchive::store);
        CMyRect(10, 20, 30, 40).Serialize(ar);
        CMyPoint p(1, 2);
        p.x = 0.5;
        p.Serialize(ar);
        CMySize(-3, 4).Serialize(ar);
        // The integer overloads store their argument, and take it in first.
        CMyRect r(0, 0, 0, 0);
        CRect ir(1, 2, 3, 4);
        r.Serialize(ar, ir);
        EXPECT_EQ(r.bottom, 4);
        CMyPoint q(0, 0);
        q.x = 2.75;
        CPoint ip(5, -6);
        q.Serialize(ar, ip);
        EXPECT_EQ(q.x, 5);
        CSize is(9, 10);
        CMySize(0, 0).Serialize(ar, is);
    }
    EXPECT_EQ(bytesOf(f), doublesLE({10, 30, 20, 40, 0.5, 2, -3, 4, 1, 3, 2, 4, 5, -6, 9, 10}));  // no headers
}

TEST(ArchiveRecords, EitherOverloadReadsEitherRecordThroughAFileOnDisk) {
    testsupport::TempDir dir;
    const CString path = testsupport::cstr(dir / "drawing.dat");
    {
        CFile f(path, CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&f, CArchive::store);
        rectOf(-1.25, 2.5, 1e6, -0.001).Serialize(ar);
        CRect ir(1, 2, 3, 4);
        CMyRect(0, 0, 0, 0).Serialize(ar, ir);
        const double point[] = {2.75, -3.5, 4.125, 6.5};  // a point and a size record with fractions
        ar.Write(point, sizeof point);
    }
    CFile f(path, CFile::modeRead);
    CArchive ar(&f, CArchive::load);
    CMyRect r(0, 0, 0, 0), r2(0, 0, 0, 0);
    r.Serialize(ar);
    EXPECT_TRUE(is(r, -1.25, 2.5, 1e6, -0.001));
    CRect ir;
    r2.Serialize(ar, ir);
    EXPECT_EQ(ir, CRect(1, 2, 3, 4));
    CMyPoint p(0, 0);
    CPoint ip;
    p.Serialize(ar, ip);
    EXPECT_TRUE(p.x == 2.75 && p.y == -3.5);
    EXPECT_EQ(ip, CPoint(2, -3));
    CMySize sz(0, 0);
    CSize is;
    sz.Serialize(ar, is);
    EXPECT_TRUE(sz.cx == 4.125 && is == CSize(4, 6));
    CMySize plain(0, 0);
    EXPECT_MFC_THROW(plain.Serialize(ar), CArchiveException);  // past the end
}

TEST(ArchiveRecords, ATruncatedRecordThrowsAndKeepsTheFieldsRead) {
    CMemFile f;
    {
        CArchive ar(&f, CArchive::store);
        ar << 10.0 << 30.0 << 20.0 << static_cast<DWORD>(0);  // three of a rectangle's four doubles
    }
    f.SeekToBegin();
    CArchive ar(&f, CArchive::load);
    CMyRect r(-1, -1, -1, -1);
    CRect ir(7, 7, 7, 7);
    EXPECT_EQ(testsupport::causeOf<CArchiveException>([&] { r.Serialize(ar, ir); }), CArchiveException::endOfFile);
    EXPECT_TRUE(r.left == 10 && r.right == 30 && r.top == 20 && r.bottom == -1);
    EXPECT_EQ(ir, CRect(7, 7, 7, 7));  // set only after a whole record
    // The archive decides the direction: an empty loading archive throws and changes nothing.
    CMemFile empty;
    CArchive load(&empty, CArchive::load);
    CMyPoint p(1, 2);
    EXPECT_MFC_THROW(p.Serialize(load), CArchiveException);
    EXPECT_TRUE(p.x == 1 && p.y == 2);
}

}  // namespace
