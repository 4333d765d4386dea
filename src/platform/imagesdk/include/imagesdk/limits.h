// Size limits of the imaging SDK. Files and pictures beyond them are refused
// before anything of their size is allocated.
#pragma once

#include <cstdint>

namespace imagesdk {

// Pixel storage of one picture (a 8192 x 8192 picture of 32 bits fits).
inline constexpr uint64_t kMaxPictureBytes = uint64_t(256) << 20;
// Width or height of a picture.
inline constexpr int32_t kMaxDimension = 65535;
// Length of a picture file or memory image that is read.
inline constexpr uint64_t kMaxFileBytes = uint64_t(256) << 20;

}  // namespace imagesdk
