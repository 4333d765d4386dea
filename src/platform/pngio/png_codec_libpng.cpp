// PNG through libpng (simplified API).
#include "png_codec_p.h"

#include <png.h>

#include <cstring>

namespace hmigfx::pngio {

bool writePng(const std::string& path, const Image& image, std::string* error) {
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<size_t>(image.width) * image.height)
        return fail(error, "empty or inconsistent image");
    png_image out;
    std::memset(&out, 0, sizeof out);
    out.version = PNG_IMAGE_VERSION;
    out.width = static_cast<png_uint_32>(image.width);
    out.height = static_cast<png_uint_32>(image.height);
    out.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> rgb(static_cast<size_t>(image.width) * image.height * 3);
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        rgb[3 * i] = static_cast<unsigned char>(image.pixels[i] >> 16);
        rgb[3 * i + 1] = static_cast<unsigned char>(image.pixels[i] >> 8);
        rgb[3 * i + 2] = static_cast<unsigned char>(image.pixels[i]);
    }
    if (!png_image_write_to_file(&out, path.c_str(), 0, rgb.data(), 0, nullptr)) {
        std::string why = out.message;
        png_image_free(&out);
        return fail(error, path + ": " + why);
    }
    return true;
}

bool readPng(const std::string& path, Image& image, std::string* error) {
    png_image in;
    std::memset(&in, 0, sizeof in);
    in.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&in, path.c_str())) return fail(error, path + ": " + in.message);
    in.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> rgb(PNG_IMAGE_SIZE(in));
    png_color black{0, 0, 0};
    if (!png_image_finish_read(&in, &black, rgb.data(), 0, nullptr)) {
        std::string why = in.message;
        png_image_free(&in);
        return fail(error, path + ": " + why);
    }
    image.width = static_cast<int>(in.width);
    image.height = static_cast<int>(in.height);
    image.pixels.resize(static_cast<size_t>(image.width) * image.height);
    for (size_t i = 0; i < image.pixels.size(); ++i)
        image.pixels[i] = (uint32_t(rgb[3 * i]) << 16) | (uint32_t(rgb[3 * i + 1]) << 8) | rgb[3 * i + 2];
    return true;
}

}  // namespace hmigfx::pngio
