// Compact outlines of large ellipses and their region rows.
#include "curve_figure_p.h"
#include "cosmetic_pen_p.h"
#include "ellipse_p.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>

namespace hmigfx::win32 {

using Pt = QuadrantPath::Pt;

bool curveNeedsClipping(int width, int height, const RECT& box) {
    const int64_t extent = int64_t{width} + height;
    const int64_t visible = int64_t{box.right} - box.left + box.bottom - box.top;
    return extent > 4 * visible + 256 || width > (1 << 21) || height > (1 << 21);
}

CompactFigure::CompactFigure(const QuadrantPath& q, const RECT& box, bool withIndex)
    : q_(q), frame_{box.left - 1, box.top - 1, box.right, box.bottom}, withIndex_(withIndex) {}

size_t CompactFigure::target(Pt p) {
    targets_.push_back(p);
    return targets_.size() - 1;
}

void CompactFigure::addPoint(POINT p) {
    items_.push_back({-1, 0, 0});
    points.push_back(p);
    ++fullPoints_;
}

void CompactFigure::addRun(Pt from, Pt to, const Placement& pl, bool reverse) {
    // The frame in the walk's own coordinates.
    auto range = [](int lo, int hi, int o, int s) {
        return s > 0 ? std::pair{lo - o, hi - o} : std::pair{o - hi, o - lo};
    };
    // Plain variables, not structured bindings: lambdas capture them on every compiler.
    const std::pair<int, int> lx = range(frame_.left, frame_.right, pl.ox, pl.sx);
    const std::pair<int, int> ly = range(frame_.top, frame_.bottom, pl.oy, pl.sy);
    const int lx0 = lx.first, lx1 = lx.second, ly0 = ly.first, ly1 = ly.second;
    auto clamp = [&](Pt p) { return Pt{std::clamp(p.x, lx0, lx1), std::clamp(p.y, ly0, ly1)}; };

    Run run{target(from), target(to), {}, {}, reverse};
    const int id = static_cast<int>(runs_.size());
    std::vector<std::pair<Pt, Item>> local;
    auto add = [&](Pt p, size_t anchor, int64_t delta) { local.push_back({p, Item{id, anchor, delta}}); };

    add(from, run.tFrom, 0);
    add(clamp(from), run.tFrom, 0);
    const int r0 = std::max(from.y, ly0), r1 = std::min(to.y, ly1);
    if (r0 <= r1) {
        Pt entry = from;
        if (r0 != from.y) {
            const std::optional<Pt> e = q_.rowEntry(r0);
            if (e) entry = *e;
        }
        const size_t anchor = entry == from ? run.tFrom : target(entry);
        int64_t d = 0;
        for (int r = r0;; ++r) {
            const Pt exit = r == to.y ? to : q_.rowExit(entry);
            const Pt ce = clamp(entry), cx = clamp(exit);
            add(ce, anchor, d + (entry.x - ce.x));
            add(cx, anchor, d + (entry.x - cx.x));
            if (r >= r1) break;
            d += int64_t{entry.x} - exit.x + 1;
            entry = q_.next(exit);
        }
    }
    add(clamp(to), run.tTo, 0);
    add(to, run.tTo, 0);
    if (reverse) std::reverse(local.begin(), local.end());
    run.firstDev = pl.map(local.front().first);
    run.lastDev = pl.map(local.back().first);
    runs_.push_back(run);
    for (const auto& [p, item] : local) {
        points.push_back(pl.map(p));
        items_.push_back(item);
    }
    fullPoints_ += from == to ? 1 : 2;  // enough to tell one point from more
}

void CompactFigure::finish() {
    if (!withIndex_) return;
    // Count along the walk up to every target at once.
    std::vector<size_t> order(targets_.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return QuadrantPath::before(targets_[a], targets_[b]); });
    std::vector<Pt> sorted;
    for (size_t i : order) sorted.push_back(targets_[i]);
    std::vector<uint64_t> sortedCounts, counts(targets_.size());
    q_.countTo(sorted, sortedCounts);
    for (size_t k = 0; k < order.size(); ++k) counts[order[k]] = sortedCounts[k];

    dashAt.assign(points.size(), 0);
    bool any = false;
    uint64_t prevPos = 0;
    POINT prevDev{};
    int curRun = -2;
    uint64_t runBase = 0, runLen = 0;
    for (size_t k = 0; k < items_.size(); ++k) {
        const Item& it = items_[k];
        if (it.run < 0) {
            const uint64_t pos = any ? prevPos + segmentAdvance(prevDev, points[k]) : 0;
            dashAt[k] = pos;
            prevPos = pos;
            prevDev = points[k];
            any = true;
            curRun = -2;
            continue;
        }
        const Run& run = runs_[static_cast<size_t>(it.run)];
        if (it.run != curRun) {
            curRun = it.run;
            runLen = counts[run.tTo] - counts[run.tFrom] + 1;
            runBase = any ? prevPos + segmentAdvance(prevDev, run.firstDev) : 0;
            prevPos = runBase + runLen - 1;
            prevDev = run.lastDev;
            any = true;
        }
        int64_t fwd = static_cast<int64_t>(counts[it.anchor]) - static_cast<int64_t>(counts[run.tFrom]) + it.delta;
        fwd = std::clamp<int64_t>(fwd, 0, static_cast<int64_t>(runLen) - 1);
        dashAt[k] = runBase + (run.reverse ? runLen - 1 - static_cast<uint64_t>(fwd) : static_cast<uint64_t>(fwd));
    }
}

void roundRectRegionSpansClipped(RECT box, int ew, int eh, int yLo, int yHi, std::vector<Span>& out) {
    if (box.left > box.right) std::swap(box.left, box.right);
    if (box.top > box.bottom) std::swap(box.top, box.bottom);
    const int left = box.left, top = box.top, right = box.right - 1, bottom = box.bottom - 1;
    ew = static_cast<int>(std::min<int64_t>(int64_t{right} - left, std::llabs(ew)));
    eh = static_cast<int>(std::min<int64_t>(int64_t{bottom} - top, std::llabs(eh)));
    auto rows = [&](int64_t y0, int64_t y1, int64_t x) {
        const int64_t l = left + x, r = right - x;
        if (l >= r) return;
        for (int64_t y = std::max<int64_t>(y0, yLo); y < std::min<int64_t>(y1, yHi); ++y)
            out.push_back(Span{static_cast<int>(l), static_cast<int>(y), static_cast<int>(r - l)});
    };
    if (ew < 2 || eh < 2) {
        rows(top, bottom, 0);
        return;
    }
    // The region's walk counts x from the left edge and stops after x passes
    // ew/2; row j takes the x the walk has on entering it.
    const int a = ew - 1, b = eh - 1, mid = eh / 2;
    const QuadrantPath q(ew, eh, a - ew / 2, true);
    const CornerRows c{left, top, right, bottom, ew, eh};
    const int64_t lowerBase = int64_t{bottom} - eh;  // lower row j lies at lowerBase + j
    auto rowY = [&](int j, bool upper) -> std::pair<int64_t, int64_t> {
        return upper ? std::pair{c.upper(j), c.upper(j) + 1} : c.lower(j);
    };
    // Walk rows j1..j2 and paint them as lower or upper rows.
    auto walk = [&](int64_t j1, int64_t j2, bool upper) {
        j1 = std::max<int64_t>(j1, mid);
        j2 = std::min<int64_t>(j2, b);
        if (j1 > j2) return;
        std::optional<Pt> e = j1 == mid ? std::optional<Pt>(q.first()) : q.rowEntry(static_cast<int>(j1));
        for (int64_t j = j1; j <= j2 && e; ++j) {
            const auto [y0, y1] = rowY(static_cast<int>(j), upper);
            rows(y0, y1, j == mid ? 0 : a - e->x);
            if (j < j2) e = q.entryAfter(*e);
        }
    };
    // Lower half: rows mid..b; the band of row mid reaches up to top + mid.
    if (yHi > top + mid && yLo <= lowerBase + mid) walk(mid, mid, false);
    walk(std::max<int64_t>(int64_t{yLo} - lowerBase, mid + 1), int64_t{yHi} - 1 - lowerBase, false);
    // Upper half: row top + i mirrors row b - i, for i < mid.
    const int64_t i0 = std::max<int64_t>(int64_t{yLo} - top, 0), i1 = std::min<int64_t>(int64_t{yHi} - 1 - top, mid - 1);
    if (i0 <= i1) walk(b - i1, b - i0, true);
}

}  // namespace hmigfx::win32
