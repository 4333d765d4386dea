// The integer geometry values compute as MFC's do on the processor: 32 bits
// that wrap at the ends of the range (found by the records fuzz target, where
// damaged documents map to INT_MIN).
#include <afxwin.h>

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(HostileInput, PointSizeAndRectArithmeticWraps) {
    CPoint p(INT_MIN, INT_MAX);
    p.Offset(-1, 1);
    EXPECT_EQ(p, CPoint(INT_MAX, INT_MIN));
    EXPECT_EQ(-CPoint(INT_MIN, 0), CPoint(INT_MIN, 0));
    EXPECT_EQ(CPoint(INT_MAX, 0) - CPoint(-1, 0), CSize(INT_MIN, 0));
    CRect r(INT_MIN, 0, INT_MAX, 10);
    EXPECT_EQ(r.Width(), -1);
    EXPECT_EQ(r.CenterPoint(), CPoint(0, 5));
    r.DeflateRect(INT_MIN, 0);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.right, -1);
}

}  // namespace
