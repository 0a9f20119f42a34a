#include "writers.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>

#include <gif_lib.h>
#include <jpeglib.h>
#include <png.h>

namespace art {

namespace {

struct FileCloser {
    void operator()(FILE *f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

File open_for_writing(const std::string &path)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    File f(std::fopen(path.c_str(), "wb"));
    if (!f) throw std::runtime_error("cannot write " + path);
    return f;
}

void put16(std::vector<uint8_t> &out, uint32_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void put32(std::vector<uint8_t> &out, uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// BITMAPFILEHEADER and BITMAPINFOHEADER for a picture whose rows, padded to four
// bytes, follow a palette of `colours` RGBQUADs.
std::vector<uint8_t> bmp_headers(int width, int height, int bits, uint32_t colours)
{
    uint32_t stride = ((static_cast<uint32_t>(width) * bits + 31) / 32) * 4;
    uint32_t image_size = stride * static_cast<uint32_t>(height);
    uint32_t offset = 14 + 40 + colours * 4;
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, offset + image_size);
    put32(out, 0);
    put32(out, offset);
    put32(out, 40);
    put32(out, static_cast<uint32_t>(width));
    put32(out, static_cast<uint32_t>(height));   // positive: bottom-up
    put16(out, 1);
    put16(out, static_cast<uint32_t>(bits));
    put32(out, 0);   // BI_RGB
    put32(out, image_size);
    put32(out, 2835);   // 72 dots per inch
    put32(out, 2835);
    put32(out, colours);
    put32(out, 0);
    return out;
}

void write_all(const std::string &path, const std::vector<uint8_t> &bytes)
{
    File f = open_for_writing(path);
    if (std::fwrite(bytes.data(), 1, bytes.size(), f.get()) != bytes.size())
        throw std::runtime_error("cannot write " + path);
}

void pad_row(std::vector<uint8_t> &out, size_t row_start)
{
    while ((out.size() - row_start) % 4 != 0) out.push_back(0);
}

}   // namespace

void write_bmp(const std::string &path, const Indexed &picture, int bits)
{
    uint32_t colours = 1u << bits;
    if (picture.palette.size() > colours) throw std::runtime_error("palette too large for " + path);
    std::vector<uint8_t> out = bmp_headers(picture.width, picture.height, bits, colours);
    for (uint32_t i = 0; i < colours; ++i) {
        Rgb c = i < picture.palette.size() ? picture.palette[i] : Rgb{};
        out.insert(out.end(), {c.b, c.g, c.r, 0});
    }
    int per_byte = 8 / bits;
    for (int y = picture.height - 1; y >= 0; --y) {
        size_t row_start = out.size();
        for (int x = 0; x < picture.width; x += per_byte) {
            uint8_t byte = 0;
            for (int k = 0; k < per_byte; ++k) {
                uint8_t v = x + k < picture.width ? picture.index[static_cast<size_t>(y) * picture.width + x + k] : 0;
                byte = static_cast<uint8_t>(byte | v << (8 - bits * (k + 1)));
            }
            out.push_back(byte);
        }
        pad_row(out, row_start);
    }
    write_all(path, out);
}

void write_bmp(const std::string &path, const Image &picture)
{
    std::vector<uint8_t> out = bmp_headers(picture.width(), picture.height(), 24, 0);
    for (int y = picture.height() - 1; y >= 0; --y) {
        size_t row_start = out.size();
        for (int x = 0; x < picture.width(); ++x) {
            const Rgb &c = picture.at(x, y);
            out.insert(out.end(), {c.b, c.g, c.r});
        }
        pad_row(out, row_start);
    }
    write_all(path, out);
}

void write_png(const std::string &path, const Image &picture)
{
    File f = open_for_writing(path);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("cannot write " + path);
    }
    png_init_io(png, f.get());
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width()), static_cast<png_uint_32>(picture.height()), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 9);
    png_write_info(png, info);
    for (int y = 0; y < picture.height(); ++y) png_write_row(png, reinterpret_cast<png_const_bytep>(&picture.at(0, y)));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
}

void write_jpeg(const std::string &path, const Image &picture, int quality)
{
    File f = open_for_writing(path);
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, f.get());
    cinfo.image_width = static_cast<JDIMENSION>(picture.width());
    cinfo.image_height = static_cast<JDIMENSION>(picture.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    cinfo.dct_method = JDCT_ISLOW;   // the integer transform: the same bytes everywhere
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<uint8_t> row(static_cast<size_t>(picture.width()) * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        for (int x = 0; x < picture.width(); ++x) {
            const Rgb &c = picture.at(x, static_cast<int>(cinfo.next_scanline));
            row[x * 3] = c.r;
            row[x * 3 + 1] = c.g;
            row[x * 3 + 2] = c.b;
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
}

void write_gif(const std::string &path, const Indexed &picture)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    int colours = 2;
    while (colours < static_cast<int>(picture.palette.size())) colours *= 2;
    std::vector<GifColorType> table(static_cast<size_t>(colours), GifColorType{0, 0, 0});
    for (size_t i = 0; i < picture.palette.size(); ++i)
        table[i] = {picture.palette[i].r, picture.palette[i].g, picture.palette[i].b};
    int error = 0;
    GifFileType *gif = EGifOpenFileName(path.c_str(), false, &error);
    if (!gif) throw std::runtime_error("cannot write " + path);
    ColorMapObject *map = GifMakeMapObject(colours, table.data());
    bool ok = map && EGifPutScreenDesc(gif, picture.width, picture.height, 8, 0, map) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, picture.width, picture.height, false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < picture.height; ++y) {
        auto *row = const_cast<GifPixelType *>(&picture.index[static_cast<size_t>(y) * picture.width]);
        ok = EGifPutLine(gif, row, picture.width) == GIF_OK;
    }
    GifFreeMapObject(map);
    if (EGifCloseFile(gif, &error) != GIF_OK || !ok) throw std::runtime_error("cannot write " + path);
}

}   // namespace art
