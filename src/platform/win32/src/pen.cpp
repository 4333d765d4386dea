// Pens: creation, and their realisation when a DC selects one.
#include "dc_p.h"
#include "ellipse_p.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>

namespace hmigfx::win32 {
namespace {

// The stock styles of one-pixel cosmetic pens, in pixels.
constexpr uint32_t kDash[] = {18, 6};
constexpr uint32_t kDot[] = {3, 3};
constexpr uint32_t kDashDot[] = {9, 6, 3, 6};
constexpr uint32_t kDashDotDot[] = {9, 3, 3, 3, 3, 3};
// The stock styles of geometric pens, in units of the pen's width.
constexpr uint32_t kGeoDash[] = {3, 1};
constexpr uint32_t kGeoDot[] = {1, 1};
constexpr uint32_t kGeoDashDot[] = {3, 1, 1, 1};
constexpr uint32_t kGeoDashDotDot[] = {3, 1, 1, 1, 1, 1};

// Wider pens than this would only ever show as a flat fill of the surface;
// keeping them bounded keeps coordinate sums inside 32 bits and the round
// caps' ellipse walk inside 64.
constexpr int kMaxPenWidth = 1 << 16;

// A stock style's entries, for geometric or cosmetic pens; false for styles
// without a stock pattern.
bool stockDashes(DWORD style, bool geometric, const uint32_t*& entries, int& n) {
    switch (style) {
    case PS_DASH: entries = geometric ? kGeoDash : kDash, n = 2; return true;
    case PS_DOT: entries = geometric ? kGeoDot : kDot, n = 2; return true;
    case PS_DASHDOT: entries = geometric ? kGeoDashDot : kDashDot, n = 4; return true;
    case PS_DASHDOTDOT: entries = geometric ? kGeoDashDotDot : kDashDotDot, n = 6; return true;
    default: return false;
    }
}

// One-pixel pens: the pattern along each segment's major axis.
void thinDashes(const Pen& pen, DashPattern& out) {
    const bool geometric = pen.geometric();
    const uint32_t* entries = nullptr;
    int n = 0;
    if (stockDashes(pen.dashStyle(), geometric, entries, n)) {
        out.set(entries, n, 1);
    } else if (pen.dashStyle() == PS_ALTERNATE) {
        out.set(kGeoDot, 2, 1);
    } else if (pen.dashStyle() == PS_USERSTYLE) {
        uint32_t e[16];
        const int count = static_cast<int>(std::min<size_t>(pen.userStyle.size(), 16));
        for (int i = 0; i < count; ++i) e[i] = pen.userStyle[i];
        // Cosmetic style entries count in units of three pixels.
        out.set(e, count, geometric ? 1 : 3);
    }
}

// Wide geometric pens: the dashes along the figure. The stock styles scale
// with the width; round and square caps eat into the dashes and widen the gaps.
void wideDashes(const Pen& pen, int width, DWORD endCap, DashPattern& out) {
    const uint32_t* entries = nullptr;
    int n = 0;
    if (stockDashes(pen.dashStyle(), true, entries, n)) {
        const auto w = static_cast<uint32_t>(width);
        uint32_t e[6];
        for (int i = 0; i < n; ++i) {
            e[i] = entries[i] * w;
            if (endCap != PS_ENDCAP_FLAT) e[i] = i % 2 ? e[i] + w : e[i] - w;
        }
        out.set(e, n, 1);
    } else if (pen.dashStyle() == PS_USERSTYLE) {
        uint32_t e[16];
        const int count = static_cast<int>(std::min<size_t>(pen.userStyle.size(), 16));
        for (int i = 0; i < count; ++i) e[i] = pen.userStyle[i];
        out.set(e, count, 1);
    }
}

// The elliptic region of a pen-wide box centred on the point, row by row.
void roundDisc(RealisedPen& r) {
    const int w = r.width;
    const RECT box{-(w / 2), -(w / 2), (w + 1) / 2 + 1, (w + 1) / 2 + 1};
    std::vector<Span>& rows = shapeScratch().gapSpans;
    rows.clear();
    roundRectRegionSpans(box, box.right - box.left, box.bottom - box.top, INT_MIN, INT_MAX, rows);
    r.discTop = box.top;
    r.discRows.assign(static_cast<size_t>(box.bottom - box.top) * 2, 0);
    for (const Span& s : rows) {
        const size_t i = static_cast<size_t>(s.y - box.top) * 2;
        r.discRows[i] = s.x;
        r.discRows[i + 1] = s.x + s.len;
    }
    rows.clear();
}

}  // namespace

void DashPattern::set(const uint32_t* entries, int n, uint32_t scale) {
    count = std::min(n, 16);
    period = 0;
    for (int i = 0; i < count; ++i) {
        len[i] = entries[i] * scale;
        period += len[i];
    }
    if (count % 2) period *= 2;
    if (period == 0) count = 0;  // nothing but empty entries: draw solid
}

RealisedPen realisePen(const Pen* pen) {
    RealisedPen r;
    if (!pen || pen->dashStyle() == PS_NULL) return r;
    const bool geometric = pen->geometric();
    r.insideFrame = pen->dashStyle() == PS_INSIDEFRAME;
    r.endCap = pen->style & PS_ENDCAP_MASK;
    r.join = pen->style & PS_JOIN_MASK;
    // Cosmetic extended pens are one pixel wide whatever they were given.
    r.width = pen->kind == Kind::ExtPen && !geometric ? 1 : std::clamp(pen->width, 1, kMaxPenWidth);
    if (r.width > 1) {
        r.route = PenRoute::Wide;
        // Wide cosmetic pens are never dashed.
        if (geometric) wideDashes(*pen, r.width, r.endCap, r.dashes);
        if (r.endCap == PS_ENDCAP_ROUND || r.join == PS_JOIN_ROUND) roundDisc(r);
    } else {
        r.route = geometric ? PenRoute::Thin : PenRoute::Cosmetic;
        thinDashes(*pen, r.dashes);
    }
    // Extended pens leave their gaps alone whatever the background mode.
    r.gapsTakeBackground = pen->kind == Kind::Pen && r.styled();
    return r;
}

void DC::realisePen() { realisedPen = hmigfx::win32::realisePen(pen()); }

}  // namespace hmigfx::win32

using namespace hmigfx::win32;

extern "C" {

HPEN WINAPI CreatePen(int style, int width, COLORREF color) {
    // GDI refuses no style here: any other value (other bits too) draws solid.
    auto p = std::make_unique<Pen>(Kind::Pen);
    p->style = style >= PS_SOLID && style <= PS_INSIDEFRAME ? static_cast<DWORD>(style) : PS_SOLID;
    p->width = width == INT_MIN ? INT_MAX : std::abs(width);  // INT_MIN has no positive int
    p->brush = {BS_SOLID, color, 0};
    return addTyped(std::move(p));
}

HPEN WINAPI CreatePenIndirect(const LOGPEN* lp) {
    if (!lp) return nullptr;
    return CreatePen(static_cast<int>(lp->lopnStyle), lp->lopnWidth.x, lp->lopnColor);
}

HPEN WINAPI ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* lb, DWORD count, const DWORD* entries) {
    if (!lb) return nullptr;
    const DWORD dash = style & PS_STYLE_MASK;
    const bool geometric = (style & PS_TYPE_MASK) == PS_GEOMETRIC;
    if ((style & PS_TYPE_MASK) > PS_GEOMETRIC || dash > PS_ALTERNATE) return nullptr;
    if ((style & PS_ENDCAP_MASK) > PS_ENDCAP_FLAT || (style & PS_JOIN_MASK) > PS_JOIN_MITER) return nullptr;
    if (dash == PS_USERSTYLE) {
        if (count == 0 || count > 16 || !entries) return nullptr;
    } else if (count != 0 || entries) {
        return nullptr;
    }
    if (!geometric) {
        // Cosmetic pens are one pixel wide and solid-coloured.
        if (width != 1 || lb->lbStyle != BS_SOLID) return nullptr;
    } else {
        if (dash == PS_ALTERNATE) return nullptr;
        if (lb->lbStyle != BS_SOLID && lb->lbStyle != BS_NULL && lb->lbStyle != BS_HATCHED &&
            lb->lbStyle != BS_PATTERN && lb->lbStyle != BS_DIBPATTERN && lb->lbStyle != BS_DIBPATTERNPT)
            return nullptr;
    }
    auto p = std::make_unique<Pen>(Kind::ExtPen);
    p->style = style;
    p->width = static_cast<int>(std::min<DWORD>(width, INT32_MAX));
    p->brush = *lb;
    if (geometric && lb->lbStyle != BS_SOLID && lb->lbStyle != BS_NULL) {
        // The pen keeps its own copy of the brush, as a brush would keep its
        // pattern: the caller may delete the bitmap or free the DIB.
        HBRUSH made = CreateBrushIndirect(lb);
        const Brush* b = lookup<Brush>(made);
        if (!b) return nullptr;
        auto fill = std::make_shared<Brush>();
        fill->style = b->style;
        fill->color = b->color;
        fill->hatch = b->hatch;
        fill->patWidth = b->patWidth;
        fill->patHeight = b->patHeight;
        fill->patMono = b->patMono;
        fill->monoBits = b->monoBits;
        fill->patColors = b->patColors;
        DeleteObject(made);
        p->fill = std::move(fill);
    }
    if (dash == PS_USERSTYLE) p->userStyle.assign(entries, entries + count);
    return addTyped(std::move(p));
}

}  // extern "C"
