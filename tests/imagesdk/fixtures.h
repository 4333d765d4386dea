// Picture files for the imaging tests, written into a temporary directory.
#pragma once

#include <imagesdk/records.h>

#include <opencv2/core.hpp>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace fixtures {

// A directory that exists for the life of the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// A w x h BGR picture whose pixels all differ: blue = 8x, green = 8y, red = 255 - 4(x + y).
cv::Mat gradient(int w, int h);
// Expected colour (COLORREF) of gradient(w, h) at (x, y).
COLORREF gradientColor(int x, int y);

// The file's bytes in the format of extension ext (".png", ".bmp", ...).
std::vector<unsigned char> encode(const std::string& ext, const cv::Mat& m, const std::vector<int>& params = {});
void writeFile(const std::filesystem::path& p, const std::vector<unsigned char>& bytes);
std::vector<unsigned char> readFile(const std::filesystem::path& p);

// Colour of pixel (x, y), y from the top, of a record's picture.
COLORREF pixelAt(const struct_LEAD_Bitmap& b, int x, int y);

// Big- and little-endian stores.
void putBe32(std::vector<unsigned char>& v, size_t at, uint32_t x);
void putLe32(std::vector<unsigned char>& v, size_t at, uint32_t x);
void putLe16(std::vector<unsigned char>& v, size_t at, uint16_t x);

}  // namespace fixtures
