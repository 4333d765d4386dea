// Reading and writing pictures of 0x00RRGGBB pixels: PNG through libpng, and
// binary PPM (what the reference GDI writes).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace hmigfx::pngio {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // row-major, top row first, 0x00RRGGBB

    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Writes PNG (8-bit RGB). On failure returns false and says why in *error.
bool writePng(const std::string& path, const Image& image, std::string* error);
// Writes binary PPM (P6).
bool writePpm(const std::string& path, const Image& image, std::string* error);
// Writes PNG or PPM by the file name's extension (.ppm for PPM, anything else PNG).
bool writeImage(const std::string& path, const Image& image, std::string* error);
// Reads PNG or PPM (by content). Pictures with alpha are composed over black.
bool readImage(const std::string& path, Image& image, std::string* error);

}  // namespace hmigfx::pngio
