// Curves over the 256 levels of a colour component, for the image-processing
// library's operations.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace imagesdk::detail {

using Curve = std::array<uint8_t, 256>;

// The levels f gives, rounded and clamped.
template <class F>
Curve curveOf(F f) {
    Curve c{};
    for (int i = 0; i < 256; ++i) c[size_t(i)] = static_cast<uint8_t>(std::clamp(static_cast<int>(std::lround(f(i))), 0, 255));
    return c;
}

inline bool inRange(int v, int lo, int hi) { return v >= lo && v <= hi; }

}  // namespace imagesdk::detail
