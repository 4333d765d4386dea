// The GDI primitive of each figure CMyDC draws.
#include "dc/figure_p.h"

namespace hmigfx::dc {

void drawPrimitive(CDC& dc, Shape shape, const ViewFigure& view, int nCount) {
    const CRect& r = view.rect;
    switch (shape) {
    case Shape::Line:
        dc.MoveTo(view.pt1);
        dc.LineTo(view.pt2);
        break;
    case Shape::PolyLine: dc.Polyline(view.points.data(), nCount); break;
    case Shape::PolyGon: dc.Polygon(view.points.data(), nCount); break;
    case Shape::Ellipse: dc.Ellipse(&r); break;
    case Shape::Rectangle: dc.Rectangle(&r); break;
    case Shape::RoundRect: dc.RoundRect(&r, view.pt1); break;
    case Shape::Arc: dc.Arc(&r, view.pt1, view.pt2); break;
    case Shape::Pie: dc.Pie(&r, view.pt1, view.pt2); break;
    case Shape::Chord: dc.Chord(&r, view.pt1, view.pt2); break;
    }
}

}  // namespace hmigfx::dc
