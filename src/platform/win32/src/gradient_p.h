// GradientFill's slow, obviously exact form, kept beside the fast one.
#pragma once

#include <windows.h>

namespace hmigfx::win32 {

// GradientFill with one division per pixel and channel: the plain statement
// of the rounding that GradientFill's stepped rows must reproduce exactly.
BOOL gradientFillExact(HDC hdc, PTRIVERTEX vertices, ULONG nVertex, PVOID mesh, ULONG nMesh, ULONG mode);

// Eight pixels at a time where the processor has AVX2 (the default), or
// four; returns the previous setting. For tests of both.
bool gradientWideLanes(bool wide);

}  // namespace hmigfx::win32
