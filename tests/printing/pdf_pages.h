// The pages of a PDF as pictures of the printer's pixels, rendered by
// poppler's pdftoppm. pdftoppm smooths an image it draws at 1:1 but repeats
// its pixels from four times on, so the page is rendered at four times the
// printer's resolution and each 4 x 4 block read at its centre.
#pragma once

#include <hmigfx/png_io.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace hmigfx::testing {

inline std::vector<pngio::Image> pdfPages(const std::filesystem::path& pdf, int dpi) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("hmigfx-pdf-" + std::to_string(::getpid()) + "-" +
                                                      std::to_string(std::rand()));
    fs::create_directories(dir);
    std::vector<pngio::Image> pages;
    const std::string command = "pdftoppm -r " + std::to_string(4 * dpi) + " '" + pdf.string() + "' '" +
                                (dir / "page").string() + "'";
    if (std::system(command.c_str()) == 0) {
        std::vector<fs::path> files;
        for (const auto& e : fs::directory_iterator(dir)) files.push_back(e.path());
        std::sort(files.begin(), files.end());
        for (const fs::path& f : files) {
            pngio::Image image;
            std::string error;
            if (!pngio::readImage(f.string(), image, &error)) continue;
            pngio::Image page;
            page.width = image.width / 4;
            page.height = image.height / 4;
            page.pixels.resize(static_cast<size_t>(page.width) * page.height);
            for (int y = 0; y < page.height; ++y)
                for (int x = 0; x < page.width; ++x)
                    page.pixels[static_cast<size_t>(y) * page.width + x] = image.at(4 * x + 2, 4 * y + 2);
            pages.push_back(std::move(page));
        }
    }
    std::error_code ec;
    fs::remove_all(dir, ec);
    return pages;
}

}  // namespace hmigfx::testing
