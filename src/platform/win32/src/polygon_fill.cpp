// Edge-list scan conversion of polygons with integer vertices, exact at any
// distance from the surface: an edge's crossing of a row is computed
// directly, not stepped to, so rows above the visible ones cost nothing.
#include "polygon_fill_p.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace hmigfx::win32 {
namespace {

struct Edge {
    int yTop = 0;     // first row covered
    int yEnd = 0;     // first row no longer covered
    int xTop = 0;
    int64_t dx = 0;   // x of the lower end minus x of the upper end
    int64_t dy = 0;   // > 0
    int winding = 0;  // +1 for edges running down, -1 for edges running up
    // Crossing of the current row: xTop + ceil(k*dx/dy), kept as
    // base = xTop + floor(k*dx/dy) and the remainder of that division.
    int64_t base = 0;
    int64_t rem = 0;
    int64_t stepQ = 0, stepR = 0;  // floor(dx/dy), dx mod dy
    int64_t x() const { return base + (rem > 0 ? 1 : 0); }

    void startAt(int y) {
        const int64_t num = (int64_t{y} - yTop) * dx;
        int64_t q = num / dy, r = num % dy;
        if (r < 0) {
            --q;
            r += dy;
        }
        base = xTop + q;
        rem = r;
        stepQ = dx / dy;
        stepR = dx % dy;
        if (stepR < 0) {
            --stepQ;
            stepR += dy;
        }
    }
    void nextRow() {
        base += stepQ;
        rem += stepR;
        if (rem >= dy) {
            rem -= dy;
            ++base;
        }
    }
};

struct ScanScratch {
    std::vector<Edge> edges;
    std::vector<Edge*> active;
};

// Not inlined: inlined, the compiler looks the thread's copy up again at
// every use inside the scan loop.
[[gnu::noinline]] ScanScratch& scanScratch() {
    thread_local ScanScratch s;
    return s;
}

int clampX(int64_t x) { return static_cast<int>(std::clamp<int64_t>(x, INT_MIN / 2, INT_MAX / 2)); }

}  // namespace

RECT polygonBounds(const POINT* pts, size_t total) {
    if (total == 0) return {0, 0, 0, 0};
    RECT r{pts[0].x, pts[0].y, pts[0].x, pts[0].y};
    for (size_t i = 1; i < total; ++i) {
        r.left = std::min(r.left, pts[i].x);
        r.right = std::max(r.right, pts[i].x);
        r.top = std::min(r.top, pts[i].y);
        r.bottom = std::max(r.bottom, pts[i].y);
    }
    return r;
}

void scanPolygons(const POINT* pts, const int* counts, int npoly, int mode, int yLo, int yHi,
                  std::vector<Span>& out) {
    ScanScratch& s = scanScratch();
    s.edges.clear();
    s.active.clear();
    const POINT* poly = pts;
    for (int p = 0; p < npoly; ++p) {
        const int n = counts[p];
        for (int k = 0; k < n && n >= 2; ++k) {
            const POINT a = poly[k == 0 ? n - 1 : k - 1], b = poly[k];
            if (a.y == b.y) continue;  // horizontal edges cross no row
            Edge e;
            const POINT& top = a.y < b.y ? a : b;
            const POINT& bottom = a.y < b.y ? b : a;
            e.winding = a.y < b.y ? 1 : -1;
            e.yTop = top.y;
            e.yEnd = bottom.y;
            if (e.yEnd <= yLo || e.yTop >= yHi) continue;
            e.xTop = top.x;
            e.dx = int64_t{bottom.x} - top.x;
            e.dy = int64_t{bottom.y} - top.y;
            s.edges.push_back(e);
        }
        if (n > 0) poly += n;
    }
    if (s.edges.empty()) return;
    std::sort(s.edges.begin(), s.edges.end(), [](const Edge& a, const Edge& b) { return a.yTop < b.yTop; });

    size_t next = 0;
    int y = std::max(yLo, s.edges.front().yTop);
    int firstEnd = INT_MAX;  // the first row an active edge no longer covers
    while (y < yHi) {
        // Drop the edges that ended; take in those that start by this row.
        if (y >= firstEnd) {
            s.active.erase(std::remove_if(s.active.begin(), s.active.end(), [y](const Edge* e) { return e->yEnd <= y; }),
                           s.active.end());
            firstEnd = INT_MAX;
            for (const Edge* e : s.active) firstEnd = std::min(firstEnd, e->yEnd);
        }
        while (next < s.edges.size() && s.edges[next].yTop <= y) {
            Edge& e = s.edges[next++];
            if (e.yEnd <= y) continue;
            e.startAt(y);
            s.active.push_back(&e);
            firstEnd = std::min(firstEnd, e.yEnd);
        }
        if (s.active.empty()) {
            if (next == s.edges.size()) break;
            y = s.edges[next].yTop;  // skip the empty rows between figures
            continue;
        }
        // Keep the active edges ordered by crossing; they change order rarely.
        for (size_t i = 1; i < s.active.size(); ++i) {
            Edge* e = s.active[i];
            const int64_t x = e->x();
            size_t j = i;
            for (; j > 0 && s.active[j - 1]->x() > x; --j) s.active[j] = s.active[j - 1];
            s.active[j] = e;
        }
        int inside = 0;
        int64_t runStart = 0;
        for (const Edge* e : s.active) {
            const int before = inside;
            inside = mode == WINDING ? inside + e->winding : inside ^ 1;
            if (before == 0 && inside != 0) {
                runStart = e->x();
            } else if (before != 0 && inside == 0) {
                const int64_t runEnd = e->x();
                if (runEnd > runStart) appendSpan(out, clampX(runStart), y, clampX(runEnd) - clampX(runStart));
            }
        }
        for (Edge* e : s.active) e->nextRow();
        ++y;
    }
}

}  // namespace hmigfx::win32
