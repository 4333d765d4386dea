// The ordering pass that decides in which order the side faces of an item are
// painted.
#pragma once

#include <hmigfx/object3d.h>

namespace hmigfx::object3d {

// What makes a face swap places with the face after it.
enum class YRank {
    Greater,  // its y and its z both are greater
    Smaller,  // its y is smaller (z plays no part)
};

// Runs the passes "for i = 3 while i < n, for j = n down to i: if face
// order[j - 1] outranks face order[j], swap them" over the side
// faces at positions 2 ... n of `order` (n + 2 entries, indexed by position),
// ranking by `normals` (indexed by face number) as `rank` says. Equal
// components and NaNs never swap.
//
// orderFaces gives exactly the order of those loops. Ranked on y alone (and
// no y a NaN) it computes the result in n log n from the inversion table;
// otherwise it skips the pairs that do not swap: its work is then a few
// bytes moved per swap and a scan of n bytes per pass that swaps anything.
void orderFaces(int* order, int n, const Point3D* normals, YRank rank);

// The loops as written: the reference the fast path is checked against.
void orderFacesByPairs(int* order, int n, const Point3D* normals, YRank rank);

}  // namespace hmigfx::object3d
