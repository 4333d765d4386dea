// The ordering pass that decides in which order the side faces of an item are
// painted.
#pragma once

#include <hmigfx/object3d.h>

namespace hmigfx::object3d {

// Which component of the normals ranks the faces on y.
enum class YRank {
    Greater,  // a face swaps with the next when its y and z both are greater
    Smaller,  // ... when its y is smaller and its z greater
};

// Runs the passes "for i = 3 while i < n, for j = n down to i: if face
// order[j - 1] outranks face order[j] in y and z, swap them" over the side
// faces at positions 2 ... n of `order` (n + 2 entries, indexed by position),
// ranking by `normals` (indexed by face number). Equal components and NaNs
// never swap.
//
// orderFaces gives exactly the order of those loops; for long outlines it
// simulates them in O((n + moves) log n) rather than comparing O(n^2) pairs.
void orderFaces(int* order, int n, const Point3D* normals, YRank rank);

// orderFaces with the number of pairwise comparisons after which it hands
// the remaining passes to the treap (orderFaces picks one from n).
void orderFaces(int* order, int n, const Point3D* normals, YRank rank, long long pairBudget);

// The loops as written: the reference the fast path is checked against.
void orderFacesByPairs(int* order, int n, const Point3D* normals, YRank rank);

}  // namespace hmigfx::object3d
