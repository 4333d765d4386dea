// Archive records and 3-D items: the input is an archive as a host's document
// holds it. Geometry values are read from it with their Serialize members
// (doubles of any bit pattern: NaN, infinities, huge values) and then drawn
// through a CMyDC; integer points read the same way become the outline of a
// 3-D item that is transformed, drawn, copied and picked with arguments read
// from the archive too. The stream is a sequence of one-byte operations,
// each followed by its values; the archive's end ends the run. Values are
// read in stream order, never two in one call's arguments (whose order the
// compiler picks), so the gcc builds' replays decode as the clang fuzzer did.
#include "surface.h"

#include <hmigfx/hmigfx.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

constexpr size_t kMaxValues = 64;

class Reader {
public:
    explicit Reader(CArchive& ar) : ar_(ar), surface_(64, 48) {}
    ~Reader() {
        for (_ITEM* item : items_) Object3D::ReleaseItem(item);
    }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;

    void run() {
        if (!surface_.ok()) return;
        for (;;) step();  // ends with the archive's end-of-file exception
    }

private:
    template <class T>
    T get() {
        T v;
        ar_ >> v;
        return v;
    }
    template <class T>
    void push(std::vector<T>& list, const T& v) {
        if (list.size() == kMaxValues) list.erase(list.begin());
        list.push_back(v);
    }
    // The values are kept as plain doubles (the value classes copy only from
    // non-const references, so no container holds them).
    struct Point {
        double x, y;
    };
    struct Rect {
        double left, right, top, bottom;
    };
    void keepPoint(const CMyPoint& p) { push(points_, Point{p.x, p.y}); }
    void keepRect(const CMyRect& r) { push(rects_, Rect{r.left, r.right, r.top, r.bottom}); }
    void point(size_t k, CMyPoint& out) {
        const Point p = points_.empty() ? Point{0, 0} : points_[k % points_.size()];
        out.x = p.x;
        out.y = p.y;
    }
    void rect(size_t k, CMyRect& out) {
        const Rect r = rects_.empty() ? Rect{0, 10, 0, 10} : rects_[k % rects_.size()];
        out.left = r.left, out.right = r.right, out.top = r.top, out.bottom = r.bottom;
    }
    std::vector<CMyPoint> allPoints() {
        std::vector<CMyPoint> pts(points_.size());
        for (size_t k = 0; k < pts.size(); ++k) point(k, pts[k]);
        return pts;
    }
    void addItem(_ITEM* it) {
        if (items_.size() == kMaxValues) {
            Object3D::ReleaseItem(items_.front());
            items_.erase(items_.begin());
        }
        items_.push_back(it);
    }
    _ITEM* item() { return items_.empty() ? nullptr : items_[get<BYTE>() % items_.size()]; }

    void step() {
        switch (get<BYTE>() % 12) {
        case 0: {
            CMyPoint p;
            p.Serialize(ar_);
            keepPoint(p);
            break;
        }
        case 1: {
            CMyPoint p;
            CPoint q;
            p.Serialize(ar_, q);
            keepPoint(p);
            push(ints_, POINT{q.x, q.y});
            break;
        }
        case 2: {
            CMySize s;
            CSize q;
            s.Serialize(ar_);
            s.Serialize(ar_, q);
            CMySize t(s);
            t.CopyTo(q);
            break;
        }
        case 3: {
            CMyRect r;
            r.Serialize(ar_);
            keepRect(r);
            break;
        }
        case 4: {
            CMyRect r;
            CRect q;
            r.Serialize(ar_, q);
            keepRect(r);
            break;
        }
        case 5: rectArithmetic(); break;
        case 6: draw(); break;
        case 7: makeItem(); break;
        case 8: transform(); break;
        case 9: drawItem(); break;
        case 10: {
            _ITEM* it = item();
            if (!it) break;
            POINT fence[2];
            object_.GetFenceItem(it, fence);
            POINT pt{get<int>(), get<int>()};
            object_.IntersectionTest(&surface_.dc(), it, pt);
            break;
        }
        default: {
            if (_ITEM* it = item()) addItem(object_.CopyItem(it));
            break;
        }
        }
    }

    // Values through the member operations hosts use to edit them.
    void rectArithmetic() {
        CMyRect r;
        rect(get<BYTE>(), r);
        CMyPoint p;
        CPoint q;
        CRect out;
        r.NormalizeRect();
        r.Width();
        r.Height();
        r.CenterPointTo(p);
        r.CenterPointTo(q);
        r.TopLeftTo(q);
        r.BottomRightTo(q);
        const int grow = get<int>(), growY = get<int>();
        r.InflateRect(grow, growY);
        point(get<BYTE>(), p);
        r.OffsetRect(p);
        r.CopyTo(out);
        keepRect(r);
    }

    void draw() {
        const BYTE kind = get<BYTE>();
        LOGPEN lp{static_cast<UINT>(get<BYTE>() % 8), {get<BYTE>(), get<BYTE>()}, get<COLORREF>()};
        LOGBRUSH lb{static_cast<UINT>(get<BYTE>() % 9), 0, get<BYTE>()};
        const COLORREF fill = get<COLORREF>();
        const int transparent = get<BYTE>() % 3;
        const int zoom = get<short>();
        CPoint origin{get<short>(), get<short>()};
        CMyDC dc(&surface_.dc(), zoom, origin);
        dc.SetReversePrint(get<BYTE>() & 1);
        CMyRect r;
        CMyPoint a, b;
        rect(get<BYTE>(), r);
        point(get<BYTE>(), a);
        point(get<BYTE>(), b);
        switch (kind % 10) {
        case 0: {
            std::vector<CMyPoint> pts = allPoints();
            dc.ObjDrawPolyLine(pts.data(), static_cast<int>(pts.size()), lp, fill, transparent);
            break;
        }
        case 1: {
            std::vector<CMyPoint> pts = allPoints();
            dc.ObjDrawPolyGon(r, pts.data(), static_cast<int>(pts.size()), lp, lb, fill, transparent);
            break;
        }
        case 2: dc.ObjDrawEllipse(r, lp, lb, fill, transparent); break;
        case 3: dc.ObjDrawRectangle(r, lp, lb, fill, transparent); break;
        case 4: dc.ObjDrawRoundRect(r, a, lp, lb, fill, transparent); break;
        case 5: dc.ObjDrawArc(r, a, b, lp, fill, transparent); break;
        case 6: dc.ObjDrawPie(r, a, b, lp, lb, fill, transparent); break;
        case 7: dc.ObjDrawChord(r, a, b, lp, lb, fill, transparent); break;
        case 8: dc.XorDrawCircle(r, get<BYTE>() % 6); break;
        default: {
            CRect view;
            dc.DocToView(r, 1);
            dc.DocToView(a, 0);
            view = dc.DocToView(r, 0);
            dc.ViewToDoc(view, 1);
            break;
        }
        }
        AfxUnlockTempMaps();
    }

    void makeItem() {
        const short shape = get<short>();
        const size_t n = ints_.empty() ? 0 : get<BYTE>() % (ints_.size() + 1);
        std::vector<POINT> pts(ints_.begin(), ints_.begin() + static_cast<long>(n));
        if (_ITEM* it = object_.CreatePolygonItem(shape, pts.empty() ? nullptr : pts.data(), static_cast<int>(n)))
            addItem(it);
    }

    void transform() {
        _ITEM* it = item();
        if (!it) return;
        switch (get<BYTE>() % 10) {
        case 0: {
            const int ax = get<int>(), ay = get<int>(), az = get<int>();
            object_.SetRotationItem(it, ax, ay, az);
            break;
        }
        case 1: object_.SetRotationClear(it); break;
        case 2: object_.SetScalingItem(it, get<float>()); break;
        case 3: {
            const int dx = get<int>(), dy = get<int>();
            object_.SetMoveItem(it, dx, dy);
            break;
        }
        case 4: {
            const double l = get<double>(), t = get<double>(), r = get<double>(), b = get<double>();
            object_.SetReSizeItem(it, l, t, r, b);
            break;
        }
        case 5: object_.SetShapeItem(it, get<int>()); break;
        case 6: object_.SetDepthItem(it, get<int>()); break;
        case 7: object_.SetLightItem(it, get<int>()); break;
        case 8: object_.SetColorItem(it, get<COLORREF>()); break;
        default: object_.SetLineColorItem(it, get<COLORREF>()); break;
        }
    }

    void drawItem() {
        _ITEM* it = item();
        if (!it) return;
        const int zoom = get<short>();
        CPoint origin{get<short>(), get<short>()};
        CMyDC dc(&surface_.dc(), zoom, origin);
        if (get<BYTE>() & 1) {
            dc.objDraw3DObject(it, &object_);
        } else {
            CRgn clip;
            const int l = get<short>(), t = get<short>(), r = get<short>(), b = get<short>();
            clip.CreateEllipticRgn(l, t, r, b);
            dc.objDraw3DObjectInRgn(it, &object_, &clip);
        }
        AfxUnlockTempMaps();
    }

    CArchive& ar_;
    hmigfx::app::Surface surface_;
    Object3D object_;
    std::vector<Point> points_;
    std::vector<POINT> ints_;
    std::vector<Rect> rects_;
    std::vector<_ITEM*> items_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CMemFile file(const_cast<BYTE*>(data), static_cast<UINT>(size));
    CArchive ar(&file, CArchive::load);
    try {
        Reader(ar).run();
    } catch (CException* e) {
        e->Delete();
    }
    return 0;
}
