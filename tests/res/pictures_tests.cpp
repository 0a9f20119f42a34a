// The committed pictures, read back from res/ as the resource compiler and
// the report's browser read them: formats and sizes.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> read_file(const std::string &relative)
{
    std::ifstream in(std::string(STONECALL_SOURCE_DIR) + "/" + relative, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t le16(const std::vector<uint8_t> &d, size_t at) { return d[at] | d[at + 1] << 8; }
uint32_t le32(const std::vector<uint8_t> &d, size_t at) { return le16(d, at) | le16(d, at + 2) << 16; }
uint32_t be16(const std::vector<uint8_t> &d, size_t at) { return d[at] << 8 | d[at + 1]; }

// Width and height from a JPEG's start-of-frame segment; 0, 0 when there is none.
std::vector<uint32_t> jpeg_size(const std::vector<uint8_t> &d)
{
    for (size_t at = 2; d.size() > 4 && d[0] == 0xFF && d[1] == 0xD8 && at + 9 < d.size() && d[at] == 0xFF;
         at += 2 + be16(d, at + 2))
        if (d[at + 1] >= 0xC0 && d[at + 1] <= 0xC3) return {be16(d, at + 7), be16(d, at + 5)};
    return {0, 0};
}

}   // namespace

// Every bitmap: a whole BI_RGB file with an info header, of its size and
// depth; the rune pictures are 220 x 270 in 16 colours.
TEST(Pictures, BitmapsHaveTheirFormatAndSize)
{
    struct Row {
        std::string file;
        uint32_t width, height, bits;
    };
    std::vector<Row> rows = {{"26", 578, 510, 24}, {"1011", 500, 82, 8}};
    for (int n = 1; n <= 25; ++n) rows.push_back({std::to_string(n), 220, 270, 4});
    for (const Row &row : rows) {
        SCOPED_TRACE(row.file);
        const std::vector<uint8_t> d = read_file("res/bitmaps/" + row.file + ".bmp");
        ASSERT_GE(d.size(), 54u);
        EXPECT_EQ(std::string(d.begin(), d.begin() + 2), "BM");
        EXPECT_EQ(le32(d, 2), d.size());
        EXPECT_EQ(le32(d, 14), 40u);
        EXPECT_EQ(std::vector<uint32_t>({le32(d, 18), le32(d, 22), le16(d, 28), le32(d, 30)}),
                  std::vector<uint32_t>({row.width, row.height, row.bits, 0}));
        const uint32_t stride = (row.width * row.bits + 31) / 32 * 4;
        const uint32_t colours = row.bits <= 8 ? 1u << row.bits : 0;
        EXPECT_EQ(d.size(), 54 + 4 * colours + stride * row.height);
    }
}

// The page's pictures: each rune's JPEG at the picture's size, the two GIFs
// with the sizes the page gives them.
TEST(Pictures, ReportImagesHaveTheirSizes)
{
    for (int n = 1; n <= 25; ++n)
        EXPECT_EQ(jpeg_size(read_file("res/images/" + std::to_string(n) + ".jpg")), std::vector<uint32_t>({220, 270}))
            << n;
    const std::vector<uint8_t> logo = read_file("res/images/quenmirs.gif");
    ASSERT_GE(logo.size(), 13u);
    EXPECT_EQ(std::string(logo.begin(), logo.begin() + 3), "GIF");
    EXPECT_EQ(std::vector<uint32_t>({le16(logo, 6), le16(logo, 8)}), std::vector<uint32_t>({142, 20}));
    const std::vector<uint8_t> page = read_file("res/images/quenmir2.gif");
    ASSERT_GE(page.size(), 13u);
    EXPECT_EQ(std::string(page.begin(), page.begin() + 3), "GIF");
}
