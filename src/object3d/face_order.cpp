// The side faces' ordering pass, exactly as the pairwise loops order them,
// at a fraction of their cost on long outlines.
//
// One pass (j from n down to i) carries a face leftward: the carried face
// moves past every face that outranks it and stops at the first that does
// not, which is carried on. Nothing happens until the scan meets a
// "descent" (a face that outranks its right neighbour); then the neighbour
// jumps left past the run of faces that outrank it. So a pass is a few
// jumps. The faces sit in an array with a byte per position saying whether
// the face there outranks its right neighbour: the next descent is found by
// scanning those bytes eight at a time, and a jump shifts its run with one
// memmove of faces and bytes. The comparisons the loops spend on pairs that
// do not swap are skipped, and each swap costs a few bytes moved.
#include "object3d/face_order_p.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

namespace hmigfx::object3d {

namespace {

// Both ranks must be greater for a swap. Ranking on y alone (smaller first
// out) is the same test with -y in both places.
struct Key {
    float u;
    float v;
};

Key keyOf(const Point3D& normal, YRank rank) {
    return rank == YRank::Greater ? Key{normal.y, normal.z} : Key{-normal.y, -normal.y};
}

// Face a, just before face b, outranks it and changes places with it.
bool outranks(Key a, Key b) { return a.u > b.u && a.v > b.v; }

struct Face {
    Key key;
    int face;
};

// The last index in [lo, hi] whose byte is set, or lo - 1.
int lastSet(const uint8_t* bytes, int lo, int hi) {
    int i = hi;
    while (i >= lo && (i & 7) != 7) {
        if (bytes[i]) return i;
        --i;
    }
    while (i - 7 >= lo) {
        uint64_t word;
        std::memcpy(&word, bytes + i - 7, sizeof word);
        if (word) break;
        i -= 8;
    }
    for (; i >= lo; --i)
        if (bytes[i]) return i;
    return lo - 1;
}

// The passes as jumps over an array.
void jumpPasses(int* order, int n, const std::vector<Key>& keys) {
    // Index t holds position t + 2; the pass range ends at position n.
    const int count = n - 1;
    std::vector<Face> faces(static_cast<size_t>(count));
    for (int t = 0; t < count; ++t) faces[static_cast<size_t>(t)] = {keys[static_cast<size_t>(order[t + 2])], order[t + 2]};
    Face* f = faces.data();
    std::vector<uint8_t> descents(static_cast<size_t>(count), 0);
    uint8_t* d = descents.data();
    auto refresh = [&](int t) {
        if (t >= 0 && t < count) d[t] = t + 1 < count && outranks(f[t].key, f[t + 1].key);
    };
    for (int t = 0; t < count; ++t) refresh(t);

    for (int i = 3; i < n; ++i) {
        const int lo = i - 3;  // position i - 1: the pass compares pairs from here on
        int scan = count - 2;
        bool moved = false;
        while (scan >= lo) {
            const int t = lastSet(d, lo, scan);
            if (t < lo) break;
            const int from = t + 1;
            const Face carried = f[from];
            int stop = t - 1;
            while (stop >= lo && outranks(f[stop].key, carried.key)) --stop;
            // Faces stop + 1 ... t move one place right, with their bytes
            // (the last of them lost its right neighbour: refreshed below).
            const size_t run = static_cast<size_t>(from - stop - 1);
            std::memmove(f + stop + 2, f + stop + 1, run * sizeof(Face));
            std::memmove(d + stop + 2, d + stop + 1, run - 1);
            f[stop + 1] = carried;
            refresh(stop);
            refresh(stop + 1);
            refresh(from);
            moved = true;
            scan = stop - 1;  // the face at `stop` is carried on
        }
        if (!moved) break;
    }
    for (int t = 0; t < count; ++t) order[t + 2] = f[t].face;
}

// Fenwick tree over 0 ... size - 1.
class Counts {
public:
    explicit Counts(int size) : tree_(static_cast<size_t>(size) + 1, 0) {}
    void add(int index, int delta) {
        for (size_t i = static_cast<size_t>(index) + 1; i < tree_.size(); i += i & (~i + 1)) tree_[i] += delta;
    }
    // The sum over 0 ... index - 1.
    int before(int index) const {
        int sum = 0;
        for (size_t i = static_cast<size_t>(index); i > 0; i -= i & (~i + 1)) sum += tree_[i];
        return sum;
    }
    // The index holding the (k + 1)-th unit, all entries being 0 or 1.
    int find(int k) const {
        size_t at = 0;
        size_t step = 1;
        while (step * 2 < tree_.size()) step *= 2;
        for (; step > 0; step /= 2)
            if (at + step < tree_.size() && tree_[at + step] <= k) {
                at += step;
                k -= tree_[at];
            }
        return static_cast<int>(at);
    }

private:
    std::vector<int> tree_;
};

// The passes when the ranks are a single key (ranking on y alone) with no
// NaN among them: one key totally preorders the faces and equal keys never
// swap, so the passes are a stable bubble sort cut short, and their result
// follows from the inversion table. Each right-to-left pass lowers every
// face's count of smaller faces to its right by one (down to zero); the
// counts after all passes give the order back. False when a key is NaN.
bool singleKeyPasses(int* order, int n, const std::vector<Key>& keys) {
    const int count = n - 1;   // positions 2 ... n
    const int passes = n - 3;  // i = 3 while i < n
    std::vector<float> key(static_cast<size_t>(count));
    for (int t = 0; t < count; ++t) {
        key[static_cast<size_t>(t)] = keys[static_cast<size_t>(order[t + 2])].u;
        if (std::isnan(key[static_cast<size_t>(t)])) return false;
    }
    // Rank in the stable sorted order (ties by position).
    std::vector<int> byRank(static_cast<size_t>(count));
    for (int t = 0; t < count; ++t) byRank[static_cast<size_t>(t)] = t;
    std::stable_sort(byRank.begin(), byRank.end(),
                     [&](int a, int b) { return key[static_cast<size_t>(a)] < key[static_cast<size_t>(b)]; });
    std::vector<int> rank(static_cast<size_t>(count));
    for (int r = 0; r < count; ++r) rank[static_cast<size_t>(byRank[static_cast<size_t>(r)])] = r;
    // Smaller faces to the right of each, less the passes.
    std::vector<int> left(static_cast<size_t>(count));
    Counts seen(count);
    for (int t = count - 1; t >= 0; --t) {
        const int r = rank[static_cast<size_t>(t)];
        left[static_cast<size_t>(t)] = std::max(seen.before(r) - passes, 0);
        seen.add(r, 1);
    }
    // Inserting the faces smallest first, each with `left` smaller ones to
    // its right, puts face of rank r at index r - left among those before
    // it; taken largest first, that is the (r - left + 1)-th free place.
    Counts free(count);
    for (int t = 0; t < count; ++t) free.add(t, 1);
    std::vector<int> result(static_cast<size_t>(count));
    for (int r = count - 1; r >= 0; --r) {
        const int t = byRank[static_cast<size_t>(r)];
        const int place = free.find(r - left[static_cast<size_t>(t)]);
        free.add(place, -1);
        result[static_cast<size_t>(place)] = order[t + 2];
    }
    for (int t = 0; t < count; ++t) order[t + 2] = result[static_cast<size_t>(t)];
    return true;
}

}  // namespace

void orderFacesByPairs(int* order, int n, const Point3D* normals, YRank rank) {
    auto before = [&](int a, int b) { return outranks(keyOf(normals[a], rank), keyOf(normals[b], rank)); };
    for (int i = 3; i < n; ++i)
        for (int j = n; j >= i; --j)
            if (before(order[j - 1], order[j])) std::swap(order[j - 1], order[j]);
}

void orderFaces(int* order, int n, const Point3D* normals, YRank rank) {
    if (n < 4) return;  // no pass runs
    std::vector<Key> keys(static_cast<size_t>(n) + 2);
    for (int f = 0; f < n + 2; ++f) keys[static_cast<size_t>(f)] = keyOf(normals[f], rank);
    if (rank == YRank::Smaller && singleKeyPasses(order, n, keys)) return;
    jumpPasses(order, n, keys);
}

}  // namespace hmigfx::object3d
