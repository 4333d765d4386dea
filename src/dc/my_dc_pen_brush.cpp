// The pen and brush members that take a CMyDC. Pens and brushes sit below the
// drawing context and do not know it; these two members are its own way of
// handing its mapping and its DC to them.
#include <hmigfx/my_brush.h>
#include <hmigfx/my_dc.h>
#include <hmigfx/my_pen.h>

CMyPen::CMyPen(CMyDC& dc, LOGPEN& logPen, COLORREF color) {
    MakePenOfWidth(logPen.lopnStyle, color, dc.penDocToView(logPen.lopnWidth));
}

CBrush* CMyBrush::SelectBrush(CMyDC& dc) { return SelectBrush(dc.GetDC()); }
