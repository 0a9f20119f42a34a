#include "icon.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <stdexcept>

#include <png.h>

namespace art {

namespace {

struct Segment {
    double x0, y0, x1, y1;
};

// The rune in the unit square: a stem and two arms falling from its top.
const Segment kRune[] = {{0.50, 0.27, 0.50, 0.80}, {0.50, 0.27, 0.32, 0.46}, {0.50, 0.27, 0.68, 0.46}};

double segment_distance(const Segment &s, double x, double y)
{
    double dx = s.x1 - s.x0, dy = s.y1 - s.y0;
    double t = std::clamp(((x - s.x0) * dx + (y - s.y0) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return std::hypot(x - s.x0 - t * dx, y - s.y0 - t * dy);
}

// What lies at a point of the unit square: nothing, the stone's rim, its face, the rune.
enum class Part { None, Rim, Face, Rune };

struct Sample {
    Part part;
    double light;   // on the face: 0 dark to 1 lit
};

Sample sample(double x, double y, int size)
{
    const double cx = 0.5, cy = 0.52, a = 0.42, b = 0.46, power = 2.6;
    double u = (x - cx) / a, v = (y - cy) / b;
    double reach = std::pow(std::pow(std::abs(u), power) + std::pow(std::abs(v), power), 1.0 / power);
    double angle = std::atan2(v, u);
    reach /= 1.0 + 0.03 * std::cos(3 * angle + 0.7) + 0.02 * std::cos(5 * angle + 2.1);
    if (reach > 1.0) return {Part::None, 0};
    // The rim and the cut keep a width of a pixel or two however small the icon.
    double rim = std::max(1.0 / size, 0.03) / a;
    if (reach > 1.0 - rim) return {Part::Rim, 0};
    double half = std::max(1.05 / size, 0.055);
    for (const Segment &s : kRune)
        if (segment_distance(s, x, y) < half) return {Part::Rune, 0};
    // A dome lit from the upper left.
    double nz = std::sqrt(std::max(0.0, 1.0 - std::min(1.0, u * u + v * v)));
    double lit = (-0.5 * u - 0.6 * v + 0.62 * nz) / 0.95;
    return {Part::Face, std::clamp(0.45 + 0.55 * lit, 0.0, 1.0)};
}

// Small grains on the larger sizes, the same every run.
double grain(int x, int y)
{
    uint32_t h = static_cast<uint32_t>(x) * 73856093u ^ static_cast<uint32_t>(y) * 19349663u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return static_cast<double>(h % 1000) / 1000.0 - 0.5;
}

std::vector<uint8_t> png_bytes(const Icon &icon)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    std::vector<uint8_t> out;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("cannot encode the icon");
    }
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep data, png_size_t n) {
            auto *bytes = static_cast<std::vector<uint8_t> *>(png_get_io_ptr(p));
            bytes->insert(bytes->end(), data, data + n);
        },
        nullptr);
    png_set_IHDR(png, info, icon.size, icon.size, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 9);
    png_write_info(png, info);
    for (int y = 0; y < icon.size; ++y)
        png_write_row(png, reinterpret_cast<png_const_bytep>(&icon.pixels[static_cast<size_t>(y) * icon.size]));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

void put(std::vector<uint8_t> &out, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A BITMAPINFOHEADER of twice the height, the BGRA rows bottom-up, then the
// AND mask (set where fully transparent), rows padded to four bytes.
std::vector<uint8_t> dib_bytes(const Icon &icon)
{
    const int n = icon.size, maskStride = (n + 31) / 32 * 4;
    std::vector<uint8_t> out;
    for (uint32_t v : {40, n, 2 * n}) put(out, v, 4);
    put(out, 1, 2);
    put(out, 32, 2);
    for (uint32_t v : {0, n * n * 4 + maskStride * n, 0, 0, 0, 0}) put(out, v, 4);
    for (int y = n - 1; y >= 0; --y)
        for (int x = 0; x < n; ++x) {
            const Rgba &p = icon.pixels[static_cast<size_t>(y) * n + x];
            out.insert(out.end(), {p.b, p.g, p.r, p.a});
        }
    for (int y = n - 1; y >= 0; --y) {
        std::vector<uint8_t> row(maskStride, 0);
        for (int x = 0; x < n; ++x)
            if (icon.pixels[static_cast<size_t>(y) * n + x].a == 0) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

void write_file(const std::string &path, const std::vector<uint8_t> &bytes)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    FILE *f = std::fopen(path.c_str(), "wb");
    bool ok = f && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (f && std::fclose(f) != 0) ok = false;
    if (!ok) throw std::runtime_error("cannot write " + path);
}

}   // namespace

Icon rune_icon(int size)
{
    constexpr int kSub = 8;   // samples per pixel along each side
    Icon icon{size, std::vector<Rgba>(static_cast<size_t>(size) * size)};
    for (int py = 0; py < size; ++py)
        for (int px = 0; px < size; ++px) {
            double r = 0, g = 0, b = 0;
            int covered = 0;
            for (int sy = 0; sy < kSub; ++sy)
                for (int sx = 0; sx < kSub; ++sx) {
                    Sample s = sample((px + (sx + 0.5) / kSub) / size, (py + (sy + 0.5) / kSub) / size, size);
                    if (s.part == Part::None) continue;
                    ++covered;
                    if (s.part == Part::Rim) {
                        r += 72, g += 66, b += 60;
                    } else if (s.part == Part::Rune) {
                        r += 158, g += 30, b += 22;
                    } else {
                        double l = s.light + (size >= 48 ? 0.08 * grain(px, py) : 0.0);
                        r += 96 + 130 * l, g += 92 + 126 * l, b += 84 + 116 * l;
                    }
                }
            if (covered == 0) continue;
            auto channel = [covered](double sum) {
                return static_cast<uint8_t>(std::clamp(std::lround(sum / covered), 0l, 255l));
            };
            icon.pixels[static_cast<size_t>(py) * size + px] = {
                channel(r), channel(g), channel(b),
                static_cast<uint8_t>((covered * 255 + kSub * kSub / 2) / (kSub * kSub))};
        }
    return icon;
}

void write_icon_png(const std::string &path, const Icon &icon) { write_file(path, png_bytes(icon)); }

void write_ico(const std::string &path, const std::vector<Icon> &icons)
{
    std::vector<std::vector<uint8_t>> images;
    for (const Icon &icon : icons) images.push_back(icon.size <= 48 ? dib_bytes(icon) : png_bytes(icon));
    std::vector<uint8_t> out;
    put(out, 0, 2);
    put(out, 1, 2);   // an icon, not a cursor
    put(out, static_cast<uint32_t>(icons.size()), 2);
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(icons.size());
    for (size_t i = 0; i < icons.size(); ++i) {
        out.push_back(static_cast<uint8_t>(icons[i].size & 0xFF));   // 256 is written as 0
        out.push_back(static_cast<uint8_t>(icons[i].size & 0xFF));
        put(out, 0, 2);   // no palette, reserved
        put(out, 1, 2);   // planes
        put(out, 32, 2);
        put(out, static_cast<uint32_t>(images[i].size()), 4);
        put(out, offset, 4);
        offset += static_cast<uint32_t>(images[i].size());
    }
    for (const auto &image : images) out.insert(out.end(), image.begin(), image.end());
    write_file(path, out);
}

}   // namespace art
