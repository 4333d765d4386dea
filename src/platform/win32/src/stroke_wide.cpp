// Geometric pens: the stroke of one call as one set of spans.
//
// The pixel rules are the reference GDI's: a segment is a band whose two long
// sides are offset from the centre line by the rounded halves of the pen's
// width (the odd pixel above or left), axis-aligned segments are plain
// rectangles that stop at the end points, round caps and joins are the
// elliptic region of a pen-wide box centred on the point, and dashes are cut
// at whole-pixel positions along each segment.
#include "stroke_wide_p.h"

#include "ellipse_p.h"
#include "polygon_fill_p.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace hmigfx::win32 {
namespace {

// Halves are rounded away from zero.
int roundAway(double v) { return static_cast<int>(v > 0 ? v + 0.5 : v - 0.5); }

int clampCoord(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT_MIN / 2, INT_MAX / 2)); }

}  // namespace

WideOutline::WideOutline(const RealisedPen& pen, const RECT& box)
    : pen_(pen), box_(box), spans_(shapeScratch().wideSpans) {
    spans_.clear();
}

void WideOutline::figure(const POINT* pts, size_t n, bool close) {
    if (n < 2 || n > static_cast<size_t>(INT_MAX)) return;
    int num = static_cast<int>(n);
    // Zero-length segments at either end do not count.
    while (num > 2 && pts[0].x == pts[1].x && pts[0].y == pts[1].y) ++pts, --num;
    while (num > 2 && pts[num - 1].x == pts[num - 2].x && pts[num - 1].y == pts[num - 2].y) --num;
    if (pen_.dashes.solid())
        solid(pts, num, close);
    else
        dashed(pts, num, close);
}

void WideOutline::solid(const POINT* pts, int num, bool close) {
    if (close)
        run(pts, num, true, 0, num, pts[0], pts[0]);
    else
        run(pts, num, false, 0, num - 1, pts[0], pts[num - 1]);
}

void WideOutline::resetDash() {
    dashIndex_ = 0;
    dashLeft_ = pen_.dashes.len[0];
    dashOn_ = true;
}

void WideOutline::skipDash(uint64_t n) {
    n %= pen_.dashes.period;
    do {
        if (dashLeft_ > n) {
            dashLeft_ -= n;
            return;
        }
        n -= dashLeft_;
        if (++dashIndex_ == static_cast<size_t>(pen_.dashes.count)) dashIndex_ = 0;
        dashLeft_ = pen_.dashes.len[dashIndex_];
        dashOn_ = !dashOn_;
    } while (n);
}

void WideOutline::dashed(const POINT* pts, int num, bool close) {
    resetDash();
    // A closed figure's first dash waits to be joined with the last one.
    int initialCount = 0;
    POINT initialEnd{0, 0}, from = pts[0];
    int start = 0;
    int64_t done = 0;  // length of the current segment already used
    const int segments = close ? num : num - 1;
    for (int i = 0; i < segments;) {
        if (full_) return;
        const POINT a = pts[i], b = pts[close && i == num - 1 ? 0 : i + 1];
        int64_t dx = int64_t{b.x} - a.x, dy = int64_t{b.y} - a.y;
        if (dx == 0 && dy == 0) {
            ++i;
            continue;
        }
        if (start == i && initialCount != 0) done = skipUnseen(a, b, done, from);
        const auto left = static_cast<int64_t>(dashLeft_);
        if (dy == 0 || dx == 0) {
            const int64_t len = dx ? std::llabs(dx) : std::llabs(dy);
            if (len - done < left) {
                skipDash(static_cast<uint64_t>(len - done));
                done = 0;
                ++i;
                continue;
            }
            done += left;
            if (dy == 0)
                dx = dx > 0 ? done : -done;
            else
                dy = dy > 0 ? done : -done;
        } else {
            const double len = std::hypot(static_cast<double>(dx), static_cast<double>(dy));
            if (len - static_cast<double>(done) < static_cast<double>(left)) {
                skipDash(static_cast<uint64_t>(len - static_cast<double>(done)));
                done = 0;
                ++i;
                continue;
            }
            done += left;
            dx = static_cast<int64_t>(static_cast<double>(dx * done) / len);
            dy = static_cast<int64_t>(static_cast<double>(dy * done) / len);
        }
        const POINT to{clampCoord(a.x + dx), clampCoord(a.y + dy)};
        if (dashOn_) {
            if (!initialCount && close) {
                initialCount = i - start + 1;
                initialEnd = to;
            } else {
                run(pts, num, false, start, i - start + 1, from, to);
            }
        }
        if (!initialCount) initialCount = -1;  // the figure did not start with a dash
        skipDash(dashLeft_);
        from = to;
        start = i;  // and the same segment again
    }
    if (dashOn_) {
        int count;
        POINT to;
        if (initialCount > 0) {
            count = num - start + initialCount;
            to = initialEnd;
        } else if (close) {
            count = num - start;
            to = pts[0];
        } else {
            count = num - start - 1;
            to = pts[num - 1];
        }
        run(pts, num, false, start, count, from, to);
    } else if (initialCount > 0) {
        run(pts, num, false, 0, initialCount, pts[0], initialEnd);
    }
}

// Dashes of a long segment that lie far outside the box cannot show: whole
// periods of them are stepped over at once, which leaves the pattern where
// it would have been. Returns the new position along a-b; `from` follows it.
int64_t WideOutline::skipUnseen(POINT a, POINT b, int64_t done, POINT& from) const {
    const double dx = static_cast<double>(b.x) - a.x, dy = static_cast<double>(b.y) - a.y;
    const double len = dx == 0 ? std::fabs(dy) : dy == 0 ? std::fabs(dx) : std::hypot(dx, dy);
    const auto period = static_cast<double>(pen_.dashes.period);
    if (len < 4 * period) return done;
    // The stretch [tIn, tOut] of the segment near enough to the box to show:
    // a dash inside the segment reaches at most w/2 across and w/2 along it
    // (square caps, so w/sqrt(2) from the centre line); those at corners,
    // whose joins reach further, are never skipped.
    const double reach = pen_.width + 2.0;
    double tIn = 0, tOut = len;
    auto clip = [&](double p, double q) {  // keeps the part where p*t <= q
        if (p == 0) {
            if (q < 0) tIn = len + 1;
            return;
        }
        const double t = q / p;
        if (p < 0)
            tIn = std::max(tIn, t);
        else
            tOut = std::min(tOut, t);
    };
    const double ux = dx / len, uy = dy / len;
    clip(-ux, a.x - (box_.left - reach));
    clip(ux, (box_.right + reach) - a.x);
    clip(-uy, a.y - (box_.top - reach));
    clip(uy, (box_.bottom + reach) - a.y);
    double target = static_cast<double>(done);
    if (tIn > tOut || static_cast<double>(done) >= tOut)
        target = len - 2 * period;  // nothing more of the segment shows
    else if (static_cast<double>(done) + 2 * period < tIn)
        target = tIn - 2 * period;
    const auto periods = static_cast<int64_t>((target - static_cast<double>(done)) / period);
    if (periods <= 0) return done;
    done += periods * static_cast<int64_t>(pen_.dashes.period);
    const int64_t ix = int64_t{b.x} - a.x, iy = int64_t{b.y} - a.y;
    if (ix == 0 || iy == 0) {
        from = {clampCoord(a.x + (ix > 0 ? done : ix < 0 ? -done : 0)), clampCoord(a.y + (iy > 0 ? done : iy < 0 ? -done : 0))};
    } else {
        from = {clampCoord(a.x + static_cast<int64_t>(static_cast<double>(ix * done) / len)),
                clampCoord(a.y + static_cast<int64_t>(static_cast<double>(iy * done) / len))};
    }
    return done;
}

// The segments start .. start+count-1 (indices wrap), the first beginning at
// `first` and the last ending at `last`; directions come from the figure's
// own points.
void WideOutline::run(const POINT* pts, int num, bool close, int start, int count, POINT first, POINT last) {
    if (count <= 0) return;
    auto at = [&](int i) { return pts[i % num]; };
    auto delta = [&](int i, int64_t& dx, int64_t& dy) {
        const POINT a = at(i), b = at(i + 1);
        dx = int64_t{b.x} - a.x;
        dy = int64_t{b.y} - a.y;
    };
    if (!close && pen_.endCap == PS_ENDCAP_ROUND) {
        disc(first);
        disc(last);
    }
    Face f1, f2, prev, firstFace;
    int64_t dx, dy;
    if (count == 1) {
        delta(start, dx, dy);
        segment(first, last, dx, dy, true, true, f1, f2);
        return;
    }
    delta(start, dx, dy);
    segment(first, at(start + 1), dx, dy, !close, false, firstFace, prev);
    for (int i = 1; i < count - 1 && !full_; ++i) {
        delta(start + i, dx, dy);
        if (segment(at(start + i), at(start + i + 1), dx, dy, false, false, f1, f2)) {
            join(at(start + i), prev, f1);
            prev = f2;
        }
    }
    const POINT p = at(start + count - 1);
    delta(start + count - 1, dx, dy);
    segment(p, last, dx, dy, false, !close, f1, f2);
    join(p, prev, f1);
    if (close) join(last, f2, firstFace);
}

bool WideOutline::segment(POINT p1, POINT p2, int64_t dx, int64_t dy, bool cap1, bool cap2, Face& f1, Face& f2) {
    if (dx == 0 && dy == 0) return false;
    const int w = pen_.width;
    const bool square1 = cap1 && pen_.endCap == PS_ENDCAP_SQUARE;
    const bool square2 = cap2 && pen_.endCap == PS_ENDCAP_SQUARE;
    if (dy == 0 || dx == 0) {
        // A rectangle from end point to end point (the end column or row
        // itself belongs to the cap or join).
        const bool horizontal = dy == 0;
        const int64_t d = horizontal ? dx : dy;
        int64_t lo = std::min(horizontal ? p1.x : p1.y, horizontal ? p2.x : p2.y);
        int64_t hi = std::max(horizontal ? p1.x : p1.y, horizontal ? p2.x : p2.y);
        const int64_t near = int64_t{horizontal ? p1.y : p1.x} - w / 2, far = near + w;
        if ((square1 && d > 0) || (square2 && d < 0)) lo -= w / 2;
        if ((square2 && d > 0) || (square1 && d < 0)) hi += w / 2;
        if (horizontal)
            rect(lo, near, hi, far);
        else
            rect(near, lo, far, hi);
        const int L = clampCoord(lo), H = clampCoord(hi), N = clampCoord(near), F = clampCoord(far);
        if (horizontal) {
            if (d > 0) {
                f1.start = {L, F}, f1.end = {L, N};
                f2.start = {H - 1, N}, f2.end = {H - 1, F};
            } else {
                f1.start = {H, N}, f1.end = {H, F};
                f2.start = {L + 1, F}, f2.end = {L + 1, N};
            }
        } else {
            if (d > 0) {
                f1.start = {N, L}, f1.end = {F, L};
                f2.start = {F, H - 1}, f2.end = {N, H - 1};
            } else {
                f1.start = {F, H}, f1.end = {N, H};
                f2.start = {N, L + 1}, f2.end = {F, L + 1};
            }
        }
    } else {
        const double len = std::hypot(static_cast<double>(dx), static_cast<double>(dy));
        const double wx = w * static_cast<double>(std::llabs(dy)) / len;
        const double wy = w * static_cast<double>(std::llabs(dx)) / len;
        POINT narrow{roundAway(wx / 2), roundAway(wy / 2)};
        POINT wide{roundAway((wx + 1) / 2), roundAway((wy + 1) / 2)};
        if (dx < 0) {
            wide.y = -wide.y;
            narrow.y = -narrow.y;
        }
        if (dy < 0) {
            std::swap(narrow, wide);
            wide.x = -wide.x;
            narrow.x = -narrow.x;
        }
        POINT q[4] = {{p1.x - narrow.x, p1.y + narrow.y},
                      {p1.x + wide.x, p1.y - wide.y},
                      {p2.x + wide.x, p2.y - wide.y},
                      {p2.x - narrow.x, p2.y + narrow.y}};
        if (square1) {
            q[0].x -= narrow.y, q[1].x -= narrow.y;
            q[0].y -= narrow.x, q[1].y -= narrow.x;
        }
        if (square2) {
            q[2].x += wide.y, q[3].x += wide.y;
            q[2].y += wide.x, q[3].y += wide.x;
        }
        if (holdsBox(q, 4)) full_ = true;
        polygon(q, 4);
        f1.start = q[0], f1.end = q[1];
        f2.start = q[2], f2.end = q[3];
    }
    f1.dx = f2.dx = dx;
    f1.dy = f2.dy = dy;
    return true;
}

void WideOutline::join(POINT at, const Face& a, const Face& b) {
    if (pen_.join == PS_JOIN_ROUND) {
        disc(at);
        return;
    }
    if (pen_.join == PS_JOIN_MITER) {
        // The point where the outer edges meet, unless it lies further than
        // ten half-widths from the corner.
        const Face* f1 = &a;
        const Face* f2 = &b;
        double det = static_cast<double>(f1->dx) * f2->dy - static_cast<double>(f1->dy) * f2->dx;
        if (det != 0) {
            if (det < 0) {
                std::swap(f1, f2);
                det = -det;
            }
            const POINT s = f1->start, e = f2->end;
            const double u = (static_cast<double>(e.x) * f2->dy - static_cast<double>(e.y) * f2->dx) / det;
            const double v = (static_cast<double>(s.x) * f1->dy - static_cast<double>(s.y) * f1->dx) / det;
            const double x = u * f1->dx - v * f2->dx, y = u * f1->dy - v * f2->dy;
            const double limit = 10.0 * pen_.width;
            if (((x - at.x) * (x - at.x) + (y - at.y) * (y - at.y)) * 4 <= limit * limit) {
                const POINT m[5] = {f2->start, f1->start, {roundAway(x), roundAway(y)}, f2->end, f1->end};
                polygon(m, 5);
                return;
            }
        }
    }
    const POINT bevel[4] = {a.start, b.end, a.end, b.start};
    polygon(bevel, 4);
}

void WideOutline::disc(POINT c) {
    if (full_) return;
    const std::vector<int>& discRows = pen_.discRows;
    const int rows = static_cast<int>(discRows.size() / 2);
    const int64_t top = int64_t{c.y} + pen_.discTop;
    // Rows widen towards the middle: covering the box's first and last rows
    // the disc covers all of them.
    auto covers = [&](int64_t y) {
        if (y < top || y >= top + rows) return false;
        const size_t i = static_cast<size_t>(y - top) * 2;
        return int64_t{c.x} + discRows[i] <= box_.left && int64_t{c.x} + discRows[i + 1] >= box_.right;
    };
    if (box_.top < box_.bottom && covers(box_.top) && covers(int64_t{box_.bottom} - 1)) {
        full_ = true;
        return;
    }
    const int64_t y0 = std::max<int64_t>(top, box_.top), y1 = std::min<int64_t>(top + rows, box_.bottom);
    for (int64_t y = y0; y < y1; ++y) {
        const size_t i = static_cast<size_t>(y - top) * 2;
        const int l = discRows[i], r = discRows[i + 1];
        if (l < r) spans_.push_back(Span{clampCoord(int64_t{c.x} + l), static_cast<int>(y), r - l});
    }
}

void WideOutline::rect(int64_t left, int64_t top, int64_t right, int64_t bottom) {
    if (full_) return;
    if (left <= box_.left && right >= box_.right && top <= box_.top && bottom >= box_.bottom) {
        full_ = true;
        return;
    }
    left = std::max<int64_t>(left, box_.left);
    right = std::min<int64_t>(right, box_.right);
    top = std::max<int64_t>(top, box_.top);
    bottom = std::min<int64_t>(bottom, box_.bottom);
    if (left >= right) return;
    for (int64_t y = top; y < bottom; ++y)
        spans_.push_back(Span{static_cast<int>(left), static_cast<int>(y), static_cast<int>(right - left)});
}

bool WideOutline::holdsBox(const POINT* pts, int n) const {
    if (box_.left >= box_.right || box_.top >= box_.bottom) return false;
    const int64_t xs[2] = {int64_t{box_.left} - 1, int64_t{box_.right} + 1};
    const int64_t ys[2] = {int64_t{box_.top} - 1, int64_t{box_.bottom} + 1};
    int side = 0;  // every corner strictly on the same side of every edge
    for (int i = 0; i < n; ++i) {
        const POINT a = pts[i], b = pts[(i + 1) % n];
        for (int64_t x : xs)
            for (int64_t y : ys) {
                const __int128 cross = static_cast<__int128>(int64_t{b.x} - a.x) * (y - a.y) -
                                       static_cast<__int128>(int64_t{b.y} - a.y) * (x - a.x);
                const int s = (cross > 0) - (cross < 0);
                if (s == 0 || (side && s != side)) return false;
                side = s;
            }
    }
    return true;
}

void WideOutline::polygon(const POINT* pts, int n) {
    if (full_) return;
    const RECT b = polygonBounds(pts, static_cast<size_t>(n));
    if (b.right < box_.left || b.left >= box_.right || b.bottom < box_.top || b.top >= box_.bottom) return;
    scanPolygons(pts, &n, 1, ALTERNATE, std::max(b.top, box_.top), std::min<int>(b.bottom + 1, box_.bottom), spans_);
}

std::vector<Span>& WideOutline::united() {
    if (full_) {
        spans_.clear();
        for (int y = box_.top; y < box_.bottom; ++y) spans_.push_back(Span{box_.left, y, box_.right - box_.left});
        return spans_;
    }
    // Clip to the box first: the pieces may reach far beyond it.
    size_t k = 0;
    int yMin = box_.bottom, yMax = box_.top;
    for (const Span& s : spans_) {
        const int64_t l = std::max<int64_t>(s.x, box_.left), r = std::min<int64_t>(int64_t{s.x} + s.len, box_.right);
        if (l >= r) continue;
        spans_[k++] = Span{static_cast<int>(l), s.y, static_cast<int>(r - l)};
        yMin = std::min(yMin, s.y);
        yMax = std::max(yMax, s.y);
    }
    spans_.resize(k);
    if (spans_.size() < 64) {
        uniteSpans(spans_);
        return spans_;
    }
    // Bucketed by row over the rows the figure covers (not the whole box: a
    // small figure in a big window would pay for every row), then sorted and
    // merged row by row: rows hold few spans, so this beats one sort of all.
    const size_t rows = static_cast<size_t>(yMax - yMin) + 1;
    std::vector<uint32_t>& start = shapeScratch().rowStarts;
    start.assign(rows + 1, 0);
    for (const Span& s : spans_) ++start[static_cast<size_t>(s.y - yMin) + 1];
    for (size_t r = 0; r < rows; ++r) start[r + 1] += start[r];
    std::vector<Span>& sorted = shapeScratch().byRow;
    sorted.resize(spans_.size());
    {
        std::vector<uint32_t>& at = shapeScratch().rowFill;
        at.assign(start.begin(), start.end() - 1);
        for (const Span& s : spans_) sorted[at[static_cast<size_t>(s.y - yMin)]++] = s;
    }
    size_t out = 0;
    for (size_t r = 0; r < rows; ++r) {
        Span* b = sorted.data() + start[r];
        Span* e = sorted.data() + start[r + 1];
        if (e - b > 1) std::sort(b, e, [](const Span& x, const Span& y) { return x.x < y.x; });
        const size_t rowFirst = out;
        for (Span* s = b; s != e; ++s) {
            if (out > rowFirst) {
                Span& last = spans_[out - 1];
                if (s->x <= last.x + last.len) {
                    last.len = std::max(last.len, s->x + s->len - last.x);
                    continue;
                }
            }
            spans_[out++] = *s;
        }
    }
    spans_.resize(out);
    sorted.clear();
    return spans_;
}

void uniteSpans(std::vector<Span>& spans) {
    std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
    size_t k = 0;
    for (const Span& s : spans) {
        if (s.len <= 0) continue;
        if (k > 0) {
            Span& last = spans[k - 1];
            if (last.y == s.y && s.x <= last.x + last.len) {
                last.len = std::max(last.len, s.x + s.len - last.x);
                continue;
            }
        }
        spans[k++] = s;
    }
    spans.resize(k);
}

void subtractSpans(std::vector<Span>& area, const std::vector<Span>& cut) {
    std::vector<Span> out;
    out.reserve(area.size());
    size_t c = 0;
    for (const Span& s : area) {
        while (c < cut.size() && (cut[c].y < s.y || (cut[c].y == s.y && cut[c].x + cut[c].len <= s.x))) ++c;
        int x = s.x;
        const int end = s.x + s.len;
        for (size_t k = c; k < cut.size() && cut[k].y == s.y && cut[k].x < end; ++k) {
            if (cut[k].x > x) out.push_back(Span{x, s.y, cut[k].x - x});
            x = std::max(x, cut[k].x + cut[k].len);
        }
        if (x < end) out.push_back(Span{x, s.y, end - x});
    }
    area.swap(out);
}

}  // namespace hmigfx::win32
