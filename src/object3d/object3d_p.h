// Numeric helpers shared by the 3-D engine's sources.
#pragma once

#include <windows.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

namespace hmigfx::object3d {

// The whole-number part of a coordinate, toward zero. Values beyond the int
// range saturate and a NaN gives 0, so degenerate geometry never produces an
// undefined conversion.
inline int wholePart(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0) return std::numeric_limits<int>::max();
    if (v <= -2147483648.0) return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

// Rounds to single precision: every stored coordinate goes through this.
inline float single(double v) { return static_cast<float>(v); }

// Degrees brought into 0 ... 359. For -360 ... 719 this is the single wrap
// of 360; further out it keeps wrapping instead of indexing past the tables.
inline int reduceAngle(int a) {
    int r = a % 360;
    return r < 0 ? r + 360 : r;
}

// Entries of a point list of n outline points plus `extra`, or 0 when the
// count cannot be allocated.
inline size_t listBytes(int n, int extra, size_t elementSize) {
    if (n < 0) return 0;
    size_t entries = static_cast<size_t>(n) + static_cast<size_t>(extra);
    if (entries > std::numeric_limits<size_t>::max() / elementSize) return 0;
    return entries * elementSize;
}

}  // namespace hmigfx::object3d
