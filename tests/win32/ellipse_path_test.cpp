// The quadrant walk's random access (row entries and exits, counts, the last
// point) against the walk taken step by step, for quadrants of every shape:
// tall, narrow ones are answered from column runs, the others by search.
#include "ellipse_path_p.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <vector>

namespace {

using hmigfx::win32::EllipseWalk;
using hmigfx::win32::QuadrantPath;
using Pt = QuadrantPath::Pt;

void checkAgainstSteps(int w, int h, int xEnd, bool stepOut) {
    SCOPED_TRACE(testing::Message() << w << "x" << h << " xEnd " << xEnd << (stepOut ? " step out" : ""));
    const QuadrantPath q(w, h, xEnd, stepOut);
    // The walk, and the point it leaves the x range with (if any).
    std::vector<Pt> walk{q.first()};
    std::optional<Pt> out;
    EllipseWalk<QuadrantPath::Wide> steps(w, h, true);
    while (q.inside(walk.back())) {
        bool left, down;
        steps.step(left, down);
        if (!left && !down) break;
        const Pt p{walk.back().x - left, walk.back().y + down};
        if (!q.inside(p)) {
            out = p;
            break;
        }
        walk.push_back(p);
    }
    ASSERT_TRUE(q.inside(walk.front()));
    if (!stepOut) EXPECT_EQ(q.last(), walk.back());  // with a step out, it may be the point stepped to

    std::vector<uint64_t> counts;
    q.countTo(walk, counts);
    for (size_t k = 0; k < walk.size(); ++k) {
        const Pt p = walk[k];
        ASSERT_EQ(counts[k], k + 1);
        if (k == 0 || walk[k - 1].y != p.y) ASSERT_EQ(q.rowEntry(p.y), p) << p.x << "," << p.y;
        const bool rowEnds = k + 1 == walk.size() || walk[k + 1].y != p.y;
        if (rowEnds) {
            ASSERT_EQ(q.rowExit(p), p);
            if (k > 0 && walk[k - 1].y == p.y) ASSERT_EQ(q.rowExit(walk[k - 1]), p);
        }
        if (k > 0) ASSERT_EQ(q.previous(p), walk[k - 1]);
    }
    // Past the walk's rows: only the step out reaches one more.
    const int after = walk.back().y + 1;
    const bool reached = stepOut && out && out->y == after;
    EXPECT_EQ(q.rowEntry(after), reached ? out : std::nullopt);
    EXPECT_EQ(q.rowEntry(after + 1), std::nullopt);
}

TEST(QuadrantPath, RandomAccessFollowsTheWalk) {
    const std::pair<int, int> sizes[] = {{1, 1}, {1, 90}, {2, 500}, {5, 7}, {40, 23}, {23, 40},
                                         {3, 300}, {11, 2000}, {200, 13000}, {64, 4096}, {2, 2}};
    std::vector<std::pair<int, int>> all(std::begin(sizes), std::end(sizes));
    std::mt19937 rng(15);
    for (int k = 0; k < 40; ++k) {
        const int w = 1 + static_cast<int>(rng() % 60);
        all.push_back({w, 1 + static_cast<int>(rng() % (k % 2 ? 100 * w : 90))});
    }
    for (const auto& [w, h] : all) {
        checkAgainstSteps(w, h, w / 2, false);
        checkAgainstSteps(w, h, (w - 1) - w / 2, true);  // the rounded rectangle region's walk
    }
}

}  // namespace
