// Picture files for the imaging and pattern tests.
#pragma once

#include "../support/test_support.h"

#include <imagesdk/records.h>

#if __has_include(<opencv2/core.hpp>)
#include <opencv2/core.hpp>
#define HMIGFX_TEST_OPENCV 1
#endif

namespace fixtures {

using testsupport::putBe32;
using testsupport::putLe16;
using testsupport::putLe32;
using testsupport::readFile;
using testsupport::TempDir;
using testsupport::writeFile;

// Expected colour (COLORREF) of the gradient pictures at (x, y): all differ,
// blue = 8x, green = 8y, red = 255 - 4(x + y).
COLORREF gradientColor(int x, int y);
// A w x h gradient as the bytes of a 24-bit BMP file (no image library needed).
std::vector<unsigned char> gradientBmp(int w, int h);

#ifdef HMIGFX_TEST_OPENCV
// The gradient as a BGR picture.
cv::Mat gradient(int w, int h);

// The file's bytes in the format of extension ext (".png", ".bmp", ...).
std::vector<unsigned char> encode(const std::string& ext, const cv::Mat& m, const std::vector<int>& params = {});
#endif

// Colour of pixel (x, y), y from the top, of a record's picture.
COLORREF pixelAt(const struct_LEAD_Bitmap& b, int x, int y);

#ifdef HMIGFX_TEST_MFC
// A host installation in a scratch directory: the application object's
// help-file path puts the pattern directory at DIR/Sys/Brush/.
class Installation {
public:
    Installation() : app_(L"pattern-test") {
        std::filesystem::create_directories(brush);
        std::free(const_cast<wchar_t*>(app_.m_pszHelpFilePath));
        app_.m_pszHelpFilePath = wcsdup((root.path() / "host.HLP").wstring().c_str());
    }
    void add(const std::string& name, const std::vector<unsigned char>& bytes) const { writeFile(brush / name, bytes); }

    TempDir root;
    const std::filesystem::path brush = root.path() / "Sys" / "Brush";

private:
    CWinApp app_;
};
#endif

}  // namespace fixtures
