// Geometry a damaged document may hold: NaN, infinities and values beyond
// the int range reach the shapes as INT_MIN (as the original's conversions
// gave them). Found by the records fuzz target; nothing may overflow.
#include "../support/canvas.h"

#include <gtest/gtest.h>

#include <hmigfx/my_dc.h>

#include <climits>
#include <cmath>
#include <memory>

namespace {

using testsupport::Canvas;

TEST(HostileInput, WedgesAndFillsFromValuesBeyondTheIntRange) {
    Canvas canvas(40, 30);
    CPoint origin(5, -3);
    CMyDC my(&canvas.dc, 150, origin);
    LOGPEN lp{PS_DASH, {1, 0}, RGB(0, 0, 128)};
    LOGBRUSH gradient{4, 0, 20};  // the centre against the corners
    for (double v : {double(NAN), double(INFINITY), -1e300, 3e9}) {
        CMyRect r;
        r.left = v, r.right = 30.5, r.top = 2, r.bottom = -v;
        CMyPoint a, b;
        a.x = 35, a.y = v, b.x = -v, b.y = 4;
        my.ObjDrawPie(r, a, b, lp, gradient, RGB(255, 255, 0), 0);
        my.ObjDrawChord(r, b, a, lp, gradient, RGB(0, 255, 0), 0);
        my.ObjDrawEllipse(r, lp, gradient, RGB(0, 255, 255), 0);
    }
    // Radials through points at the ends of the range: a quarter of the circle.
    CRect box(-1000, -1000, 1000, 1000);
    CPoint start(INT_MAX, 0), end(0, INT_MIN);
    std::unique_ptr<CRgn> pie(CMyDC::CreatePieRgn(box, start, end));
    EXPECT_TRUE(pie->PtInRegion(500, -500));
    EXPECT_FALSE(pie->PtInRegion(-500, 500));
    std::unique_ptr<CRgn> chord(CMyDC::CreateChordRgn(box, end, start));
    EXPECT_TRUE(chord->PtInRegion(-500, 500));
    CRect all(INT_MIN, INT_MIN, INT_MAX, INT_MAX);  // beyond what a region holds: an empty one
    std::unique_ptr<CRgn> none(CMyDC::CreatePieRgn(all, start, end));
    EXPECT_FALSE(none->PtInRegion(0, 0));
}

}  // namespace
