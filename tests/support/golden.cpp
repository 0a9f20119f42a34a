#include "support/golden.h"

#include "gdi32/png.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

std::string golden_path(const std::string &name, const char *suffix)
{
    return std::string(STONECALL_GOLDEN_DIR) + "/" + name + suffix;
}

// Differing pixels in red over a faded grey copy of the actual picture.
raster::Surface difference(const raster::Canvas &actual, const raster::Canvas &expected, const raster::Rect &left_out,
                           int &count)
{
    raster::Surface diff(actual.width, actual.height);
    count = 0;
    for (int y = 0; y < actual.height; ++y)
        for (int x = 0; x < actual.width; ++x) {
            const uint32_t a = actual.row(y)[x];
            const bool same =
                left_out.contains(x, y) || (y < expected.height && x < expected.width && expected.row(y)[x] == a);
            const uint32_t grey = (((a >> 16) & 0xFF) + ((a >> 8) & 0xFF) + (a & 0xFF)) / 3 / 4 + 191;
            diff.canvas.row(y)[x] = same ? grey * 0x010101u : 0xFF0000u;
            count += !same;
        }
    return diff;
}

bool updating()
{
    const char *update = std::getenv("STONECALL_UPDATE_GOLDEN");
    return update && std::strcmp(update, "1") == 0;
}

}   // namespace

::testing::AssertionResult matches_expected_text(const std::string &actual, const std::string &name)
{
    const std::string path = golden_path(name, "");
    if (updating()) {
        std::ofstream(path, std::ios::binary) << actual;
        return ::testing::AssertionSuccess() << "rewrote " << path;
    }
    std::ostringstream expected;
    expected << std::ifstream(path, std::ios::binary).rdbuf();
    if (expected.str() == actual) return ::testing::AssertionSuccess();
    std::ofstream(path + ".actual", std::ios::binary) << actual;
    return ::testing::AssertionFailure() << name << " differs: see " << path << ".actual\n" << actual;
}

::testing::AssertionResult matches_golden(const raster::Canvas &actual, const std::string &name,
                                          const raster::Rect &left_out)
{
    const std::string path = golden_path(name, ".png");
    std::string error;
    if (updating()) {
        if (!raster::write_png(actual, path, &error))
            return ::testing::AssertionFailure() << "cannot rewrite " << error;
        return ::testing::AssertionSuccess() << "rewrote " << path;
    }
    raster::Surface expected;
    if (!raster::read_png(path, expected, &error))
        return ::testing::AssertionFailure()
               << "no golden image: " << error << " (STONECALL_UPDATE_GOLDEN=1 writes it)";
    int differing = 0;
    const raster::Surface diff = difference(actual, expected.canvas, left_out, differing);
    const bool sameSize = expected.canvas.width == actual.width && expected.canvas.height == actual.height;
    if (sameSize && differing == 0) return ::testing::AssertionSuccess();
    raster::write_png(actual, golden_path(name, ".actual.png"), nullptr);
    raster::write_png(diff.canvas, golden_path(name, ".diff.png"), nullptr);
    return ::testing::AssertionFailure() << name << ": " << differing << " pixels differ (" << actual.width << "x"
                                         << actual.height << " against " << expected.canvas.width << "x"
                                         << expected.canvas.height << "); wrote " << name << ".actual.png and " << name
                                         << ".diff.png beside the golden image";
}
