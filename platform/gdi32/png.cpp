// PNG files through libpng's simplified API, as 8-bit RGB without alpha.
#include "gdi32/png.h"

#include <png.h>

#include <cstdint>
#include <vector>

namespace raster {

namespace {

bool fail(std::string *error, const std::string &why)
{
    if (error) *error = why;
    return false;
}

}   // namespace

bool write_png(const Canvas &canvas, const std::string &path, std::string *error)
{
    if (canvas.width <= 0 || canvas.height <= 0) return fail(error, "empty canvas");
    std::vector<uint8_t> rgb(static_cast<size_t>(canvas.width) * static_cast<size_t>(canvas.height) * 3);
    uint8_t *out = rgb.data();
    for (int y = 0; y < canvas.height; ++y)
        for (int x = 0; x < canvas.width; ++x) {
            const uint32_t p = canvas.row(y)[x];
            *out++ = static_cast<uint8_t>(p >> 16);
            *out++ = static_cast<uint8_t>(p >> 8);
            *out++ = static_cast<uint8_t>(p);
        }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(canvas.width);
    image.height = static_cast<png_uint_32>(canvas.height);
    image.format = PNG_FORMAT_RGB;
    if (!png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr))
        return fail(error, path + ": " + image.message);
    return true;
}

bool read_png(const std::string &path, Surface &out, std::string *error)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return fail(error, path + ": " + image.message);
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) {
        png_image_free(&image);
        return fail(error, path + ": " + image.message);
    }
    out.resize(static_cast<int>(image.width), static_cast<int>(image.height));
    const uint8_t *in = rgb.data();
    for (int y = 0; y < out.canvas.height; ++y)
        for (int x = 0; x < out.canvas.width; ++x, in += 3)
            out.canvas.row(y)[x] = uint32_t(in[0]) << 16 | uint32_t(in[1]) << 8 | in[2];
    return true;
}

}   // namespace raster
