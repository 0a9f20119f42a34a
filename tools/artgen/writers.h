// File formats the pictures are written in. Each writer throws std::runtime_error
// when the file cannot be written, and writes no time stamps or other varying data.
#pragma once

#include "image.h"

#include <string>

namespace art {

// A bottom-up BI_RGB BMP with BITMAPINFOHEADER; bits is 4 or 8 and the palette is
// written in full (biClrUsed = 2^bits).
void write_bmp(const std::string &path, const Indexed &picture, int bits);
// The same for a true-colour picture at 24 bits per pixel, no palette.
void write_bmp(const std::string &path, const Image &picture);
void write_png(const std::string &path, const Image &picture);
void write_jpeg(const std::string &path, const Image &picture, int quality);
void write_gif(const std::string &path, const Indexed &picture);

}   // namespace art
