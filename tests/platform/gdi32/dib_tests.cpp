// Packed DIBs as bitmap resources hold them: each bit depth through its
// palette, both row orders, and the limits of the header.
#include "platform/rc/bytes.h"

#include "gdi32/dib.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// A packed DIB as a bitmap resource stores it: header, colour table, rows
// padded to four bytes. rowBits holds each row's bytes before padding, top row
// first; the builder stores them bottom-up unless topDown.
std::vector<BYTE> make_dib(int w, int h, int bpp, const std::vector<COLORREF> &palette,
                           const std::vector<std::vector<BYTE>> &rowBits, bool topDown = false)
{
    Bytes out;   // BITMAPINFOHEADER: size, width, height, planes, depth, BI_RGB, image size, resolution, colours
    out.dword(40).dword(static_cast<DWORD>(w)).dword(static_cast<DWORD>(topDown ? -h : h));
    out.word(1).word(static_cast<WORD>(bpp)).dword(BI_RGB).dword(0).dword(0).dword(0);
    out.dword(static_cast<DWORD>(palette.size())).dword(0);
    for (COLORREF c : palette) out.byte(GetBValue(c)).byte(GetGValue(c)).byte(GetRValue(c)).byte(0);
    const size_t stride = ((static_cast<size_t>(w) * bpp + 31) / 32) * 4;
    for (int i = 0; i < h; ++i) {
        std::vector<BYTE> row = rowBits[static_cast<size_t>(topDown ? i : h - 1 - i)];
        row.resize(stride, 0xEE);   // padding must be ignored
        out.v.insert(out.v.end(), row.begin(), row.end());
    }
    return out.v;
}

// 3 x 2, indices 0 1 2 / 3 0 1.
const std::vector<COLORREF> kFour = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(1, 2, 3)};
std::vector<BYTE> sample(bool topDown = false)
{
    return make_dib(3, 2, 4, kFour, {{0x01, 0x20}, {0x30, 0x10}}, topDown);
}

uint32_t px(const raster::Surface &s, int x, int y) { return s.canvas.row(y)[x]; }

}   // namespace

TEST(Dib, DecodesEachBitDepthThroughItsPalette)
{
    struct Pixel {
        int x, y;
        uint32_t rgb;
    };
    struct Case {
        const char *what;
        std::vector<BYTE> dib;
        std::vector<Pixel> expected;
    };
    const std::vector<Pixel> fourPixels = {
        {0, 0, 0xFF0000}, {1, 0, 0x00FF00}, {2, 0, 0x0000FF}, {0, 1, 0x010203}, {2, 1, 0x00FF00}};
    const Case cases[] = {
        {"1 bit",
         make_dib(10, 2, 1, {RGB(0, 0, 0), RGB(255, 255, 255)}, {{0x80, 0x40}, {0x00, 0x00}}),
         {{0, 0, 0xFFFFFF}, {1, 0, 0}, {9, 0, 0xFFFFFF} /* bit 6 of the second byte */, {0, 1, 0}}},
        {"4 bits", sample(), fourPixels},
        {"4 bits top-down", sample(true), fourPixels},
        {"8 bits",
         make_dib(2, 1, 8, {RGB(9, 9, 9), RGB(255, 216, 170)}, {{1, 0}}),
         {{0, 0, 0xFFD8AA}, {1, 0, 0x090909}}},
        // 24 and 32 bits: blue, green, red per pixel (and one unused byte).
        {"24 bits",
         make_dib(2, 1, 24, {}, {{0x03, 0x02, 0x01, 0xAA, 0xBB, 0xCC}}),
         {{0, 0, 0x010203}, {1, 0, 0xCCBBAA}}},
        {"32 bits", make_dib(2, 1, 32, {}, {{3, 2, 1, 9, 0xAA, 0xBB, 0xCC, 9}}), {{0, 0, 0x010203}, {1, 0, 0xCCBBAA}}},
        // A short colour table reads the entries it lacks as black.
        {"short table", make_dib(2, 1, 4, {RGB(255, 255, 255)}, {{0x0F}}), {{0, 0, 0xFFFFFF}, {1, 0, 0}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        raster::Surface s;
        std::string error;
        ASSERT_TRUE(gdi::decode_dib(c.dib.data(), c.dib.size(), s, &error)) << error;
        for (const Pixel &p : c.expected) EXPECT_EQ(px(s, p.x, p.y), p.rgb) << p.x << "," << p.y;
    }
}

TEST(Dib, MalformedHeadersAndEveryTruncationAreRefusedWithAReason)
{
    struct Case {
        const char *what;
        size_t offset;   // into BITMAPINFOHEADER
        uint32_t value;
        int bytes;
    };
    const Case cases[] = {
        {"header size", 0, 12, 4}, {"zero width", 4, 0, 4},      {"negative width", 4, 0xFFFFFFFF, 4},
        {"zero height", 8, 0, 4},  {"huge width", 4, 100000, 4}, {"planes", 12, 2, 2},
        {"bit depth", 14, 16, 2},  {"compression", 16, 2, 4},    {"table too long", 32, 17, 4},
    };
    for (const Case &c : cases) {
        auto d = sample();
        std::memcpy(d.data() + c.offset, &c.value, static_cast<size_t>(c.bytes));
        raster::Surface s;
        std::string error;
        EXPECT_FALSE(gdi::decode_dib(d.data(), d.size(), s, &error)) << c.what;
        EXPECT_FALSE(error.empty()) << c.what;
    }
    raster::Surface s;
    EXPECT_FALSE(gdi::decode_dib(nullptr, 100, s, nullptr));
    // Every shorter copy, each exactly its length so the sanitizer sees any read past it.
    const auto whole = sample();
    for (size_t n = 0; n < whole.size(); ++n) {
        const std::vector<BYTE> cut(whole.begin(), whole.begin() + static_cast<ptrdiff_t>(n));
        std::string error;
        EXPECT_FALSE(gdi::decode_dib(cut.data(), cut.size(), s, &error)) << n;
        EXPECT_FALSE(error.empty()) << n;
    }
}
