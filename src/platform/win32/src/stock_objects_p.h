#pragma once

#include "objects_p.h"

namespace hmigfx::win32 {

// The stock object for a GetStockObject index, or nullptr.
GdiObject* stockObject(int index);
// The 1x1 monochrome bitmap that a new memory DC has selected.
Bitmap* defaultBitmap();
// The default palette's twenty static colours.
const PALETTEENTRY* defaultPaletteEntries(int* count);

}  // namespace hmigfx::win32
