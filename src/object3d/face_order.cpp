// The side faces' ordering pass, exactly as the pairwise loops order them,
// without their quadratic cost on long outlines.
//
// One pass (j from n down to i) carries a face leftward: the carried face
// moves past every face that outranks it and stops at the first that does
// not, which is carried on. Nothing happens until the scan meets a
// "descent" (a face that outranks its right neighbour); then the
// neighbour jumps left past the run of faces that outrank it. So a pass is a
// few jumps, each found by two searches: the last descent left of the scan,
// and the last face left of the descent that does not outrank the jumping
// face. An implicit treap over the positions answers both in O(log n) from
// per-subtree aggregates (the descent count, and the minima of both ranks),
// and moves a face in O(log n).
#include "object3d/face_order_p.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

namespace hmigfx::object3d {

namespace {

struct Key {
    float u;  // the y rank (y, or -y for YRank::Smaller)
    float v;  // z
};

Key keyOf(const Point3D& normal, YRank rank) { return {rank == YRank::Greater ? normal.y : -normal.y, normal.z}; }

// Face a, just before face b, outranks it and changes places with it.
bool outranks(Key a, Key b) { return a.u > b.u && a.v > b.v; }

class FaceSequence {
public:
    FaceSequence(const int* faces, int count, const std::vector<Key>& keys) : keys_(keys) {
        nodes_.resize(static_cast<size_t>(count) + 1);
        uint32_t seed = 0x9E3779B9u;
        for (int i = 1; i <= count; ++i) {
            Node& node = nodes_[static_cast<size_t>(i)];
            node.face = faces[i - 1];
            const Key k = keys_[static_cast<size_t>(node.face)];
            // A face with a NaN rank outranks nothing: it stops every jump.
            const bool unranked = std::isnan(k.u) || std::isnan(k.v);
            const float lowest = -std::numeric_limits<float>::infinity();
            node.stopU = unranked ? lowest : k.u;
            node.stopV = unranked ? lowest : k.v;
            seed ^= seed << 13;
            seed ^= seed >> 17;
            seed ^= seed << 5;
            node.priority = seed;
        }
        for (int i = 1; i <= count; ++i)
            nodes_[static_cast<size_t>(i)].descent =
                i < count && outranks(key(i), key(i + 1));
        root_ = buildCartesian(count);
    }

    int faceAt(int index) const { return nodes_[static_cast<size_t>(nodeAt(index))].face; }
    Key keyAt(int index) const { return key(nodeAt(index)); }

    // The last index in [lo, hi] whose face outranks its right neighbour, or -1.
    int lastDescent(int lo, int hi) const {
        return findLast(root_, 0, lo, hi, [this](int t) { return nodes_[static_cast<size_t>(t)].descents > 0; },
                        [this](int t) { return nodes_[static_cast<size_t>(t)].descent; });
    }

    // The last index in [lo, hi] whose face does not outrank a face of key c,
    // or lo - 1 when every face there outranks it.
    int lastNotOutranking(int lo, int hi, Key c) const {
        if (std::isnan(c.u) || std::isnan(c.v)) return hi;  // nothing outranks it
        int found = findLast(
            root_, 0, lo, hi,
            [this, c](int t) {
                const Node& n = nodes_[static_cast<size_t>(t)];
                return n.minStopU <= c.u || n.minStopV <= c.v;
            },
            [this, c](int t) {
                const Node& n = nodes_[static_cast<size_t>(t)];
                return n.stopU <= c.u || n.stopV <= c.v;
            });
        return found < 0 ? lo - 1 : found;
    }

    // Moves the face at index `from` to index `to` (to < from); the faces in
    // between move one place right.
    void move(int from, int to) {
        auto [left, rest] = split(root_, from);
        auto [moving, right] = split(rest, 1);
        int joined = merge(left, right);
        auto [before, after] = split(joined, to);
        root_ = merge(merge(before, moving), after);
    }

    // Recomputes whether the face at `index` outranks its right neighbour.
    void refreshDescent(int index) {
        if (index < 0 || index >= size()) return;
        const bool value = index + 1 < size() && outranks(keyAt(index), keyAt(index + 1));
        setDescent(root_, index, value);
    }

    int size() const { return sizeOf(root_); }

    void write(int* out) const {
        // In-order walk without recursion: the treap may be deep on bad luck.
        std::vector<int> stack;
        int t = root_, i = 0;
        while (t || !stack.empty()) {
            while (t) {
                stack.push_back(t);
                t = nodes_[static_cast<size_t>(t)].left;
            }
            t = stack.back();
            stack.pop_back();
            out[i++] = nodes_[static_cast<size_t>(t)].face;
            t = nodes_[static_cast<size_t>(t)].right;
        }
    }

private:
    struct Node {
        int left = 0, right = 0, size = 1;
        uint32_t priority = 0;
        int face = 0;
        float stopU = 0, stopV = 0;        // the ranks as a jump's stop test reads them
        float minStopU = 0, minStopV = 0;  // their minima over the subtree
        bool descent = false;              // outranks the face to its right
        int descents = 0;                  // descents in the subtree
    };

    Key key(int t) const { return keys_[static_cast<size_t>(nodes_[static_cast<size_t>(t)].face)]; }
    int sizeOf(int t) const { return t ? nodes_[static_cast<size_t>(t)].size : 0; }

    void pull(int t) {
        Node& n = nodes_[static_cast<size_t>(t)];
        n.size = 1;
        n.minStopU = n.stopU;
        n.minStopV = n.stopV;
        n.descents = n.descent ? 1 : 0;
        for (int c : {n.left, n.right}) {
            if (!c) continue;
            const Node& child = nodes_[static_cast<size_t>(c)];
            n.size += child.size;
            n.minStopU = std::min(n.minStopU, child.minStopU);
            n.minStopV = std::min(n.minStopV, child.minStopV);
            n.descents += child.descents;
        }
    }

    // Builds the treap of nodes 1 ... count in order, in linear time.
    int buildCartesian(int count) {
        std::vector<int> spine;
        for (int i = 1; i <= count; ++i) {
            int last = 0;
            while (!spine.empty() &&
                   nodes_[static_cast<size_t>(spine.back())].priority < nodes_[static_cast<size_t>(i)].priority) {
                last = spine.back();
                spine.pop_back();
            }
            nodes_[static_cast<size_t>(i)].left = last;
            if (!spine.empty()) nodes_[static_cast<size_t>(spine.back())].right = i;
            spine.push_back(i);
        }
        // Aggregates bottom-up: children before parents.
        std::vector<int> order;
        std::vector<int> stack;
        if (!spine.empty()) stack.push_back(spine.front());
        while (!stack.empty()) {
            int t = stack.back();
            stack.pop_back();
            order.push_back(t);
            const Node& n = nodes_[static_cast<size_t>(t)];
            if (n.left) stack.push_back(n.left);
            if (n.right) stack.push_back(n.right);
        }
        for (auto it = order.rbegin(); it != order.rend(); ++it) pull(*it);
        return spine.empty() ? 0 : spine.front();
    }

    int nodeAt(int index) const {
        int t = root_;
        while (t) {
            const Node& n = nodes_[static_cast<size_t>(t)];
            const int leftSize = sizeOf(n.left);
            if (index < leftSize) {
                t = n.left;
            } else if (index == leftSize) {
                return t;
            } else {
                index -= leftSize + 1;
                t = n.right;
            }
        }
        return 0;
    }

    // The first `count` nodes and the rest.
    std::pair<int, int> split(int t, int count) {
        if (!t) return {0, 0};
        Node& n = nodes_[static_cast<size_t>(t)];
        if (sizeOf(n.left) >= count) {
            auto [a, b] = split(n.left, count);
            nodes_[static_cast<size_t>(t)].left = b;
            pull(t);
            return {a, t};
        }
        auto [a, b] = split(n.right, count - sizeOf(n.left) - 1);
        nodes_[static_cast<size_t>(t)].right = a;
        pull(t);
        return {t, b};
    }

    int merge(int a, int b) {
        if (!a || !b) return a ? a : b;
        if (nodes_[static_cast<size_t>(a)].priority > nodes_[static_cast<size_t>(b)].priority) {
            int right = merge(nodes_[static_cast<size_t>(a)].right, b);
            nodes_[static_cast<size_t>(a)].right = right;
            pull(a);
            return a;
        }
        int left = merge(a, nodes_[static_cast<size_t>(b)].left);
        nodes_[static_cast<size_t>(b)].left = left;
        pull(b);
        return b;
    }

    void setDescent(int t, int index, bool value) {
        Node& n = nodes_[static_cast<size_t>(t)];
        const int leftSize = sizeOf(n.left);
        if (index < leftSize)
            setDescent(n.left, index, value);
        else if (index > leftSize)
            setDescent(n.right, index - leftSize - 1, value);
        else
            nodes_[static_cast<size_t>(t)].descent = value;
        pull(t);
    }

    // The last index in [lo, hi] of the subtree t (whose first index is
    // `offset`) where `matches` holds; `mayContain` prunes subtrees.
    template <typename Contains, typename Matches>
    int findLast(int t, int offset, int lo, int hi, const Contains& mayContain, const Matches& matches) const {
        if (!t || lo > hi) return -1;
        const Node& n = nodes_[static_cast<size_t>(t)];
        const int first = offset, last = offset + n.size - 1;
        if (last < lo || first > hi || !mayContain(t)) return -1;
        const int self = offset + sizeOf(n.left);
        int found = findLast(n.right, self + 1, lo, hi, mayContain, matches);
        if (found >= 0) return found;
        if (self >= lo && self <= hi && matches(t)) return self;
        return findLast(n.left, offset, lo, hi, mayContain, matches);
    }

    const std::vector<Key>& keys_;
    std::vector<Node> nodes_;
    int root_ = 0;
};

// Passes i = first ... n - 1 of the loops as written, with two shortcuts that
// change no outcome: pairs above the highest swap of the previous pass hold
// the faces they held then and answer the same, and once a pass swaps
// nothing no later pass can. Returns the first pass not run (n when done),
// stopping early once `budget` comparisons are spent.
int pairPasses(int* order, int n, const std::vector<Key>& keys, int first, long long budget) {
    int top = n;
    long long spent = 0;
    for (int i = first; i < n; ++i) {
        if (spent > budget) return i;
        int highestSwap = 0;
        for (int j = top; j >= i; --j) {
            if (outranks(keys[static_cast<size_t>(order[j - 1])], keys[static_cast<size_t>(order[j])])) {
                std::swap(order[j - 1], order[j]);
                if (!highestSwap) highestSwap = j;
            }
        }
        spent += top - i + 1;
        if (!highestSwap) return n;
        top = highestSwap + 1 < n ? highestSwap + 1 : n;
    }
    return n;
}

// Passes i = first ... n - 1 on the treap.
void jumpPasses(int* order, int n, const std::vector<Key>& keys, int first) {
    // Treap index t holds position t + 2.
    FaceSequence seq(order + 2, n - 1, keys);
    const int lastIndex = n - 2;
    for (int i = first; i < n; ++i) {
        const int lo = i - 3;  // position i - 1: the pass compares pairs from here on
        int scan = lastIndex - 1;
        bool moved = false;
        while (scan >= lo) {
            const int t = seq.lastDescent(lo, scan);
            if (t < 0) break;
            const int from = t + 1;
            const int stop = seq.lastNotOutranking(lo, t - 1, seq.keyAt(from));
            seq.move(from, stop + 1);
            moved = true;
            seq.refreshDescent(stop);
            seq.refreshDescent(stop + 1);
            seq.refreshDescent(from);
            scan = stop - 1;  // the face at `stop` is carried on
        }
        if (!moved) break;
    }
    seq.write(order + 2);
}

}  // namespace

void orderFacesByPairs(int* order, int n, const Point3D* normals, YRank rank) {
    auto before = [&](int a, int b) { return outranks(keyOf(normals[a], rank), keyOf(normals[b], rank)); };
    for (int i = 3; i < n; ++i)
        for (int j = n; j >= i; --j)
            if (before(order[j - 1], order[j])) std::swap(order[j - 1], order[j]);
}

void orderFaces(int* order, int n, const Point3D* normals, YRank rank) {
    // Most bodies settle within a few passes; long runs of swaps go to the
    // treap, which takes over from the pass where the pairs stopped.
    orderFaces(order, n, normals, rank, 16LL * n + 1024);
}

void orderFaces(int* order, int n, const Point3D* normals, YRank rank, long long pairBudget) {
    if (n < 4) return;  // no pass runs
    std::vector<Key> keys(static_cast<size_t>(n) + 2);
    for (int f = 0; f < n + 2; ++f) keys[static_cast<size_t>(f)] = keyOf(normals[f], rank);
    const int next = pairPasses(order, n, keys, 3, pairBudget);
    if (next < n) jumpPasses(order, n, keys, next);
}

}  // namespace hmigfx::object3d
