// Random access into the ellipse quadrant walk.
//
// After i steps left and j steps down the walk's error terms are
//   dx = dx0 + i*bsq,  dy = dy0 + j*asq,
//   err = err0 + i*dx0 + bsq*i(i+1)/2 + j*dy0 + asq*j(j+1)/2,
// so whether a point steps left (2err >= dx) or down (2err <= dy) is known
// without walking to it. Along a row, "steps down" holds left of a threshold
// and "steps left" right of one (away from the last column or two), which
// binary searches find.
//
// To find where the walk enters row y, two other walks are started on an
// earlier row y0, one strictly left of every point the true walk has there and
// one strictly right of them. Walks never cross without meeting and each
// point has one successor, so once the two meet the true walk, caught between
// them, passes through the meeting point too; from there it is followed.
#include "ellipse_path_p.h"

#include <algorithm>
#include <cstdlib>

namespace hmigfx::win32 {

namespace {

// Quadrants through at most this many columns (runs of 12 MB), with this
// many rows per column or more, are kept as column runs: without them, row
// searches in a quadrant of 200,000 columns and 150 million rows took seconds.
constexpr int64_t kMaxRunColumns = 1 << 20;
constexpr int64_t kRowsPerColumn = 64;
// countTo walks at most this many points.
constexpr int64_t kMaxCountedPoints = int64_t{1} << 16;

}  // namespace

QuadrantPath::QuadrantPath(int width, int height, int xEnd, bool stepOut)
    : w_(width), h_(height), xEnd_(xEnd), stepOut_(stepOut) {
    a_ = int64_t{width} - 1;
    b_ = int64_t{height} - 1;
    const EllipseWalk<Wide> walk(width, height, true);
    asq_ = walk.asq;
    bsq_ = walk.bsq;
    dx0_ = walk.dx;
    dy0_ = walk.dy;
    err0_ = walk.err;
    xMonotone_ = (a_ + 3) / 2;  // 2x - a >= 2
    if (int64_t{w_} - xEnd_ <= kMaxRunColumns && int64_t{h_} >= kRowsPerColumn * w_) buildRuns();
}

void QuadrantPath::buildRuns() {
    Pt p = first();
    while (inside(p)) {
        // The column's last row: the first at or below p where the walk steps left.
        int64_t lo = p.y, hi = p.y;
        for (int64_t step = 1; !stepsX(p.x, hi); step *= 2) {
            if (hi > h_) {  // never steps left: left to the walk
                runs_.clear();
                return;
            }
            lo = hi + 1;
            hi = std::min<int64_t>(hi + step, int64_t{h_} + 1);
        }
        while (lo < hi) {
            const int64_t mid = lo + (hi - lo) / 2;
            if (stepsX(p.x, mid)) hi = mid;
            else lo = mid + 1;
        }
        const int last = static_cast<int>(hi);
        runs_.push_back(Run{p.x, p.y, last});
        const Pt q = next(Pt{p.x, last});
        if (!inside(q)) {
            if (stepOut_ && q.y > last) runs_.push_back(Run{q.x, q.y, q.y});  // reached by the step out
            break;
        }
        p = q;
    }
}

std::optional<QuadrantPath::Pt> QuadrantPath::runEntry(int y) const {
    // The first run reaching row y holds the row's first point.
    const auto it = std::lower_bound(runs_.begin(), runs_.end(), y, [](const Run& r, int row) { return r.y1 < row; });
    if (it == runs_.end() || it->y0 > y) return std::nullopt;
    return Pt{it->x, y};
}

QuadrantPath::Wide QuadrantPath::err(int64_t x, int64_t y) const {
    const Wide i = a_ - x, j = y - h_ / 2;
    return err0_ + i * dx0_ + (bsq_ / 2) * i * (i + 1) + j * dy0_ + (asq_ / 2) * j * (j + 1);
}

QuadrantPath::Pt QuadrantPath::next(Pt p) const {
    const Wide e2 = 2 * err(p.x, p.y);
    return {p.x - (e2 >= dxAt(p.x) ? 1 : 0), p.y + (e2 <= dyAt(p.y) ? 1 : 0)};
}

std::optional<int64_t> QuadrantPath::lastDownStep(int64_t y) const {
    int64_t lo = xMonotone_, hi = a_ + 4;
    if (!stepsY(lo, y)) return std::nullopt;
    if (stepsY(hi, y)) return hi;
    while (hi - lo > 1) {  // stepsY(lo), !stepsY(hi)
        const int64_t mid = lo + (hi - lo) / 2;
        (stepsY(mid, y) ? lo : hi) = mid;
    }
    return lo;
}

QuadrantPath::Pt QuadrantPath::rowExit(Pt p) const {
    if (stepsY(p.x, p.y)) return p;
    if (p.x >= xMonotone_) {
        // Every point from here left to the threshold steps left only.
        const std::optional<int64_t> t = lastDownStep(p.y);
        if (t) return {static_cast<int>(*t), p.y};
        p.x = static_cast<int>(xMonotone_ - 1);
    }
    // The last column or two: step by step.
    while (!stepsY(p.x, p.y)) {
        if (p.x - 1 < xEnd_) return p;
        --p.x;
    }
    return p;
}

std::optional<QuadrantPath::Pt> QuadrantPath::entryFrom(Pt p, int y) const {
    while (p.y < y) {
        if (!inside(p)) return std::nullopt;
        const Pt exit = rowExit(p);
        const Pt q = next(exit);
        if (q.y == exit.y) return std::nullopt;  // the walk leaves sideways: no more rows
        if (!inside(q) && !stepOut_) return std::nullopt;
        p = q;
    }
    return p;
}

std::optional<QuadrantPath::Pt> QuadrantPath::rowEntry(int y) const {
    const int top = h_ / 2;
    if (y < top) return std::nullopt;
    if (!runs_.empty()) return runEntry(y);
    for (int64_t k = 2;; k *= 4) {
        const int64_t y0 = int64_t{y} - k;
        if (y0 <= top + 1) return entryFrom(first(), y);
        // Right bound: the true walk came down into row y0 from a point that
        // steps down, and those lie at or left of xu.
        const std::optional<int64_t> t = lastDownStep(y0 - 1);
        const int64_t xu = t ? std::max(*t, xMonotone_) : xMonotone_;
        // Left bound: in a column that does not step left in row y0 the walk
        // is still there below row y0, so it is at or right of that column.
        int64_t c = std::min<int64_t>(xEnd_, w_ / 2) - 2;
        if (!stepsX(xMonotone_, y0)) {
            int64_t lo = xMonotone_, hi = a_ + 4;
            if (!stepsX(hi, y0)) {
                lo = hi;
            } else {
                while (hi - lo > 1) {  // !stepsX(lo), stepsX(hi)
                    const int64_t mid = lo + (hi - lo) / 2;
                    (stepsX(mid, y0) ? hi : lo) = mid;
                }
            }
            c = lo;
        }
        Pt left{static_cast<int>(c - 1), static_cast<int>(y0)};
        Pt right{static_cast<int>(xu + 1), static_cast<int>(y0)};
        // Follow both, always moving the one further back, a row at a time.
        int64_t budget = 64 * k + 4096;
        while (!(left == right) && budget-- > 0) {
            Pt& back = before(left, right) ? left : right;
            const Pt& other = before(left, right) ? right : left;
            const Pt exit = rowExit(back);
            if (other.y == back.y && other.x <= back.x && other.x >= exit.x) {
                back = other;  // passes through the other walk's point
                break;
            }
            back = exit == back ? next(back) : exit;
        }
        if (!(left == right)) continue;
        if (left.y < y) return entryFrom(left, y);
    }
}

QuadrantPath::Pt QuadrantPath::previous(Pt p) const {
    const Pt entry = *rowEntry(p.y);
    if (entry.x > p.x) return {p.x + 1, p.y};
    return rowExit(*rowEntry(p.y - 1));
}

QuadrantPath::Pt QuadrantPath::last() const {
    int lo = h_ / 2, hi = h_ + 2;  // rowEntry(lo) exists, rowEntry(hi) does not
    while (hi - lo > 1) {
        const int mid = lo + (hi - lo) / 2;
        (rowEntry(mid) ? lo : hi) = mid;
    }
    return rowExit(*rowEntry(lo));
}

void QuadrantPath::countTo(const std::vector<Pt>& targets, std::vector<uint64_t>& counts) const {
    counts.assign(targets.size(), 0);
    if (targets.empty()) return;
    if (!runs_.empty()) {
        uint64_t passed = 0;  // points of the runs before this one
        size_t t = 0;
        for (const Run& r : runs_) {
            if (!inside(Pt{r.x, r.y0})) break;  // the step out is not counted
            for (; t < targets.size() && targets[t].x == r.x && targets[t].y >= r.y0 && targets[t].y <= r.y1; ++t)
                counts[t] = passed + static_cast<uint64_t>(targets[t].y - r.y0) + 1;
            if (t == targets.size() || before(targets[t], Pt{r.x, r.y1})) break;  // not on the walk
            passed += static_cast<uint64_t>(r.y1 - r.y0) + 1;
        }
        return;
    }
    Pt p = first();
    uint64_t n = 1;
    size_t t = 0;
    EllipseWalk<Wide> walk(w_, h_, true);
    for (int64_t budget = kMaxCountedPoints;; --budget) {
        while (t < targets.size() && targets[t] == p) counts[t++] = n;
        if (t == targets.size() || !inside(p) || before(targets[t], p)) break;
        if (budget == 0) {
            // Beyond this the count is estimated, as if the walk went straight
            // or diagonally to each target: dash phases along an outline of
            // over 250000 pixels may then differ from GDI's, but walking it
            // all would take seconds.
            for (; t < targets.size(); ++t) {
                n += static_cast<uint64_t>(std::max(std::abs(int64_t{targets[t].x} - p.x), int64_t{targets[t].y} - p.y));
                counts[t] = n;
                p = targets[t];
            }
            break;
        }
        bool left, down;
        walk.step(left, down);
        if (!left && !down) break;
        if (left) --p.x;
        if (down) ++p.y;
        ++n;
    }
}

}  // namespace hmigfx::win32
