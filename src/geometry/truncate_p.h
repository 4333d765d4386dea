// Double to integer coordinate: truncation toward zero. Values an int cannot
// hold (and NaN) give INT_MIN, the x86 "integer indefinite" value that the
// original's conversions produced, instead of undefined behaviour.
#pragma once

#include <climits>

namespace hmigfx {

inline int TruncToInt(double d) {
    if (d > -2147483649.0 && d < 2147483648.0) return static_cast<int>(d);
    return INT_MIN;
}

}  // namespace hmigfx
