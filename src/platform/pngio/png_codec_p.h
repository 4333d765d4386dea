// The PNG codec under png_io: libpng on Linux, the Windows Imaging Component
// on Windows (writePng itself is the codec's).
#pragma once

#include "hmigfx/png_io.h"

namespace hmigfx::pngio {

// Reads a PNG file; pictures with alpha are composed over black.
bool readPng(const std::string& path, Image& image, std::string* error);
// Sets *error (when given) and returns false.
bool fail(std::string* error, const std::string& message);

}  // namespace hmigfx::pngio
