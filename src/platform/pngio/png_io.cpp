#include "hmigfx/png_io.h"

#include "png_codec_p.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>

namespace hmigfx::pngio {

bool fail(std::string* error, const std::string& message) {
    if (error) *error = message;
    return false;
}

namespace {

struct FileCloser {
    void operator()(FILE* f) const {
        if (f) std::fclose(f);
    }
};
using File = std::unique_ptr<FILE, FileCloser>;

bool endsWith(const std::string& s, const char* suffix) {
    const size_t n = std::strlen(suffix);
    if (s.size() < n) return false;
    for (size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(s[s.size() - n + i])) != suffix[i]) return false;
    return true;
}

bool readPpm(std::istream& in, const std::string& path, Image& image, std::string* error) {
    std::string magic;
    int w = 0, h = 0, maxval = 0;
    in >> magic;
    auto skipComments = [&in] {
        while (in >> std::ws && in.peek() == '#') in.ignore(1 << 20, '\n');
    };
    skipComments();
    in >> w;
    skipComments();
    in >> h;
    skipComments();
    in >> maxval;
    if (magic != "P6" || !in || w <= 0 || h <= 0 || maxval != 255 || w > 65536 || h > 65536)
        return fail(error, path + ": not an 8-bit binary PPM");
    in.get();  // the single blank after the header
    std::vector<unsigned char> raw(static_cast<size_t>(w) * h * 3);
    in.read(reinterpret_cast<char*>(raw.data()), static_cast<std::streamsize>(raw.size()));
    if (in.gcount() != static_cast<std::streamsize>(raw.size())) return fail(error, path + ": truncated PPM");
    image.width = w;
    image.height = h;
    image.pixels.resize(static_cast<size_t>(w) * h);
    for (size_t i = 0; i < image.pixels.size(); ++i)
        image.pixels[i] = (uint32_t(raw[3 * i]) << 16) | (uint32_t(raw[3 * i + 1]) << 8) | raw[3 * i + 2];
    return true;
}

}  // namespace

bool writePpm(const std::string& path, const Image& image, std::string* error) {
    std::ofstream f(path, std::ios::binary);
    if (!f) return fail(error, path + ": cannot open for writing");
    f << "P6\n" << image.width << ' ' << image.height << "\n255\n";
    std::vector<char> row(static_cast<size_t>(image.width) * 3);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const uint32_t p = image.at(x, y);
            row[3 * x] = static_cast<char>(p >> 16);
            row[3 * x + 1] = static_cast<char>(p >> 8);
            row[3 * x + 2] = static_cast<char>(p);
        }
        f.write(row.data(), static_cast<std::streamsize>(row.size()));
    }
    f.close();
    if (!f) return fail(error, path + ": write failed");
    return true;
}

bool writeImage(const std::string& path, const Image& image, std::string* error) {
    return endsWith(path, ".ppm") ? writePpm(path, image, error) : writePng(path, image, error);
}

bool readImage(const std::string& path, Image& image, std::string* error) {
    std::ifstream f(path, std::ios::binary);
    if (!f) return fail(error, path + ": cannot open");
    char sig[8] = {};
    f.read(sig, sizeof sig);
    if (f.gcount() >= 2 && sig[0] == 'P' && sig[1] == '6') {
        f.clear();
        f.seekg(0);
        return readPpm(f, path, image, error);
    }
    f.close();
    return readPng(path, image, error);
}

}  // namespace hmigfx::pngio
