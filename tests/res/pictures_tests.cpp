// The committed pictures, read back from res/ as the resource compiler and the
// report's browser will read them: sizes, formats, palettes, and whether the
// rune glyphs survive the ANDing shrink the windows draw them with.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct Rgb {
  uint8_t r, g, b;
  bool operator==(const Rgb &) const = default;
};

std::vector<uint8_t> read_file(const std::string &relative) {
  std::ifstream in(std::string(STONECALL_SOURCE_DIR) + "/" + relative, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t le16(const std::vector<uint8_t> &d, size_t at) { return d[at] | d[at + 1] << 8; }
uint32_t le32(const std::vector<uint8_t> &d, size_t at) { return le16(d, at) | le16(d, at + 2) << 16; }
uint32_t be16(const std::vector<uint8_t> &d, size_t at) { return d[at] << 8 | d[at + 1]; }

// A BMP file decoded by hand: BITMAPFILEHEADER, BITMAPINFOHEADER, colour table,
// bottom-up rows padded to four bytes.
struct Bmp {
  int width = 0, height = 0, bits = 0;
  uint32_t colours = 0;
  std::vector<Rgb> palette;
  std::vector<Rgb> pixels; // top row first

  Rgb at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

Bmp read_bmp(const std::string &relative) {
  const std::vector<uint8_t> d = read_file(relative);
  Bmp bmp;
  if (d.size() < 54 || d[0] != 'B' || d[1] != 'M') {
    ADD_FAILURE() << relative << " is not a BMP file";
    return bmp;
  }
  EXPECT_EQ(le32(d, 2), d.size()) << relative;
  EXPECT_EQ(le32(d, 14), 40u) << relative << ": BITMAPINFOHEADER";
  bmp.width = static_cast<int>(le32(d, 18));
  bmp.height = static_cast<int>(le32(d, 22));
  EXPECT_EQ(le16(d, 26), 1u) << relative << ": planes";
  bmp.bits = static_cast<int>(le16(d, 28));
  EXPECT_EQ(le32(d, 30), 0u) << relative << ": BI_RGB";
  bmp.colours = le32(d, 46);
  if (bmp.colours == 0 && bmp.bits <= 8) bmp.colours = 1u << bmp.bits;
  const uint32_t offset = le32(d, 10);
  EXPECT_EQ(offset, 54 + 4 * bmp.colours) << relative;
  for (uint32_t i = 0; i < bmp.colours; ++i) bmp.palette.push_back({d[56 + 4 * i], d[55 + 4 * i], d[54 + 4 * i]});
  const size_t stride = ((static_cast<size_t>(bmp.width) * bmp.bits + 31) / 32) * 4;
  if (bmp.height <= 0 || offset + stride * bmp.height != d.size()) {
    ADD_FAILURE() << relative << ": rows do not fill the file";
    return bmp;
  }
  for (int y = 0; y < bmp.height; ++y) {
    const size_t row = offset + stride * (bmp.height - 1 - y);
    for (int x = 0; x < bmp.width; ++x) {
      if (bmp.bits == 24) {
        bmp.pixels.push_back({d[row + 3 * x + 2], d[row + 3 * x + 1], d[row + 3 * x]});
        continue;
      }
      const uint8_t byte = d[row + x * bmp.bits / 8];
      const uint32_t index = bmp.bits == 8 ? byte : (x % 2 == 0 ? byte >> 4 : byte & 15);
      EXPECT_LT(index, bmp.palette.size()) << relative;
      bmp.pixels.push_back(index < bmp.palette.size() ? bmp.palette[index] : Rgb{});
    }
  }
  return bmp;
}

Bmp rune_picture(int n) { return read_bmp("res/bitmaps/" + std::to_string(n) + ".bmp"); }

int luminance(Rgb c) { return (c.r * 30 + c.g * 59 + c.b * 11) / 100; }
bool is_glyph_dark(Rgb c) { return luminance(c) < 80; }

// Windows' BLACKONWHITE shrink: each pixel of the result is the bitwise AND of the
// source pixels that collapse onto it.
std::vector<Rgb> and_shrink(const Bmp &src, int width, int height) {
  std::vector<Rgb> out;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      Rgb acc{255, 255, 255};
      for (int sy = y * src.height / height; sy < (y + 1) * src.height / height; ++sy)
        for (int sx = x * src.width / width; sx < (x + 1) * src.width / width; ++sx) {
          Rgb p = src.at(sx, sy);
          acc = {static_cast<uint8_t>(acc.r & p.r), static_cast<uint8_t>(acc.g & p.g),
                 static_cast<uint8_t>(acc.b & p.b)};
        }
      out.push_back(acc);
    }
  return out;
}

std::vector<bool> dark_mask(const std::vector<Rgb> &pixels) {
  std::vector<bool> mask;
  for (Rgb c : pixels) mask.push_back(is_glyph_dark(c));
  return mask;
}

TEST(RunePictures, AreSixteenColourBottomUpBitmapsOfTheRuneSize) {
  for (int n = 1; n <= 25; ++n) {
    SCOPED_TRACE(n);
    Bmp bmp = rune_picture(n);
    EXPECT_EQ(bmp.width, 220);
    EXPECT_EQ(bmp.height, 270);
    EXPECT_EQ(bmp.bits, 4);
    EXPECT_EQ(bmp.colours, 16u);
    EXPECT_EQ(bmp.pixels.size(), 220u * 270u);
  }
}

// The light colours of a picture must merge to their plain minimum when ANDed,
// or the shrunk stone would show dark, off-hue seams between its shading bands.
TEST(RunePictures, LightColoursMergeToTheirMinimumWhenAnded) {
  for (int n = 1; n <= 25; ++n) {
    SCOPED_TRACE(n);
    std::vector<Rgb> light;
    for (Rgb c : rune_picture(n).palette)
      if (c.r >= 128 && c.g >= 128 && c.b >= 128) light.push_back(c);
    EXPECT_GE(light.size(), 8u);
    for (Rgb a : light)
      for (Rgb b : light) {
        EXPECT_EQ(a.r & b.r, std::min(a.r, b.r));
        EXPECT_EQ(a.g & b.g, std::min(a.g, b.g));
        EXPECT_EQ(a.b & b.b, std::min(a.b, b.b));
      }
  }
}

TEST(RunePictures, EachGlyphDiffersAndOdinIsABlankStone) {
  std::vector<Bmp> pictures;
  for (int n = 1; n <= 25; ++n) pictures.push_back(rune_picture(n));
  for (int i = 0; i < 25; ++i) {
    size_t dark = 0;
    for (Rgb c : pictures[i].pixels) dark += is_glyph_dark(c);
    if (i < 24)
      EXPECT_GT(dark, 1500u) << "rune " << i + 1 << " has too little glyph";
    else
      EXPECT_EQ(dark, 0u) << "Odin must be blank";
    for (int j = 0; j < i; ++j) EXPECT_NE(pictures[i].pixels, pictures[j].pixels) << i + 1 << " and " << j + 1;
  }
}

// The main window shows the runes at 70 x 129 and the detail screen at 105 x 194,
// both shrunk by ANDing: every glyph must keep a solid dark shape there, and the
// 24 shapes must still tell apart.
TEST(RunePictures, GlyphsSurviveTheShrinkToBothWindowSizes) {
  const std::array<std::array<int, 2>, 2> sizes = {{{70, 129}, {105, 194}}};
  for (auto [width, height] : sizes) {
    SCOPED_TRACE(width);
    std::vector<std::vector<bool>> masks;
    for (int n = 1; n <= 25; ++n) {
      masks.push_back(dark_mask(and_shrink(rune_picture(n), width, height)));
      size_t dark = 0;
      for (bool b : masks.back()) dark += b;
      if (n < 25)
        EXPECT_GT(dark * 100, masks.back().size() * 3) << "rune " << n << " fades when shrunk";
      else
        EXPECT_EQ(dark, 0u);
    }
    for (int i = 0; i < 24; ++i)
      for (int j = 0; j < i; ++j) EXPECT_NE(masks[i], masks[j]) << i + 1 << " and " << j + 1;
  }
}

// Dialog units of the detail screen's font, 9 x 20 pixels, rounded as MulDiv does.
int unit_x(int v) { return (v * 9 + 2) / 4; }
int unit_y(int v) { return (v * 20 + 4) / 8; }

struct Rect {
  int left, top, right, bottom;
};

Rect from_units(int x, int y, int cx, int cy) {
  return {unit_x(x), unit_y(y), unit_x(x) + unit_x(cx), unit_y(y) + unit_y(cy)};
}

bool is_wood(Rgb c) { return c.r < 190 && c.r > c.b + 40 && c.g > c.b; }

TEST(DetailSkin, IsATrueColourPictureOfTheWholeScreen) {
  Bmp skin = read_bmp("res/bitmaps/26.bmp");
  EXPECT_EQ(skin.width, 578);
  EXPECT_EQ(skin.height, 510);
  EXPECT_EQ(skin.bits, 24);
  EXPECT_EQ(skin.colours, 0u);
  // Wood shows where no panel lies: the right edge and between the panels.
  EXPECT_TRUE(is_wood(skin.at(575, 230)));
  EXPECT_TRUE(is_wood(skin.at(140, 225)));
  EXPECT_TRUE(is_wood(skin.at(300, 215)));
}

TEST(DetailSkin, PanelsLieUnderTheControls) {
  Bmp skin = read_bmp("res/bitmaps/26.bmp");
  ASSERT_EQ(skin.pixels.size(), 578u * 510u);
  const Rgb field{192, 192, 192}, white{255, 255, 255};
  // The two text controls paint the dialog colour; their wells match it throughout.
  for (Rect r : {from_units(72, 14, 170, 58), from_units(12, 107, 233, 70)})
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) ASSERT_EQ(skin.at(x, y), field) << x << "," << y;
  // The group boxes are transparent inside: white between their frames and the wells.
  Rect position = from_units(66, 3, 182, 71), interpretation = from_units(6, 97, 243, 85);
  EXPECT_EQ(skin.at(position.left + 6, 100), white);
  EXPECT_EQ(skin.at(position.right - 6, 100), white);
  EXPECT_EQ(skin.at(interpretation.left + 6, 350), white);
  EXPECT_EQ(skin.at(300, interpretation.bottom - 5), white);
  // The picture's place and the OK bar are panels too, not wood.
  for (int y = 20; y < 20 + 194; y += 8)
    for (int x = 15; x < 15 + 105; x += 8) EXPECT_FALSE(is_wood(skin.at(x, y))) << x << "," << y;
  Rect ok = from_units(6, 186, 243, 14);
  Rgb bar = skin.at(ok.left + 10, ok.top + 10);
  EXPECT_FALSE(is_wood(bar));
  for (int x = ok.left + 4; x < ok.right - 4; x += 16) EXPECT_EQ(skin.at(x, (ok.top + ok.bottom) / 2), bar) << x;
}

TEST(StartBanner, IsA256ColourPictureWithItsLetteringInTheShownPart) {
  Bmp banner = read_bmp("res/bitmaps/1011.bmp");
  EXPECT_EQ(banner.width, 500);
  EXPECT_EQ(banner.height, 82);
  EXPECT_EQ(banner.bits, 8);
  EXPECT_EQ(banner.colours, 256u);
  ASSERT_EQ(banner.pixels.size(), 500u * 82u);
  // The banner window is about 431 pixels wide: the bright lettering stays inside.
  size_t inside = 0, outside = 0;
  for (int y = 0; y < banner.height; ++y)
    for (int x = 0; x < banner.width; ++x)
      if (luminance(banner.at(x, y)) > 150) ++(x < 431 ? inside : outside);
  EXPECT_GT(inside, 1000u);
  EXPECT_EQ(outside, 0u);
}

// Width and height from a JPEG's start-of-frame segment.
std::array<uint32_t, 3> jpeg_frame(const std::vector<uint8_t> &d) {
  if (d.size() < 4 || d[0] != 0xFF || d[1] != 0xD8) return {0, 0, 0};
  for (size_t at = 2; at + 9 < d.size();) {
    if (d[at] != 0xFF) return {0, 0, 0};
    const uint8_t marker = d[at + 1];
    if (marker >= 0xC0 && marker <= 0xC3) return {be16(d, at + 7), be16(d, at + 5), d[at + 9]};
    at += 2 + be16(d, at + 2);
  }
  return {0, 0, 0};
}

TEST(ReportImages, RuneJpegsHaveThePictureSize) {
  for (int n = 1; n <= 25; ++n) {
    auto [width, height, components] = jpeg_frame(read_file("res/images/" + std::to_string(n) + ".jpg"));
    EXPECT_EQ(width, 220u) << n;
    EXPECT_EQ(height, 270u) << n;
    EXPECT_EQ(components, 3u) << n;
  }
}

TEST(ReportImages, GifsHaveTheirSizesAndTheBackgroundStaysNearThePageColour) {
  const std::vector<uint8_t> logo = read_file("res/images/quenmirs.gif");
  ASSERT_GE(logo.size(), 13u);
  EXPECT_EQ(std::string(logo.begin(), logo.begin() + 3), "GIF");
  EXPECT_EQ(le16(logo, 6), 142u);
  EXPECT_EQ(le16(logo, 8), 20u);

  const std::vector<uint8_t> page = read_file("res/images/quenmir2.gif");
  ASSERT_GE(page.size(), 13u);
  EXPECT_EQ(std::string(page.begin(), page.begin() + 3), "GIF");
  EXPECT_GE(le16(page, 6), 32u);
  EXPECT_GE(le16(page, 8), 32u);
  // Dark text must stay readable on it: every colour it uses lies close to #FEDAAC.
  ASSERT_TRUE(page[10] & 0x80) << "no global colour table";
  const size_t colours = size_t{2} << (page[10] & 7);
  ASSERT_GE(page.size(), 13 + 3 * colours);
  const std::array<int, 3> kPage = {0xFE, 0xDA, 0xAC};
  for (size_t i = 0; i < colours; ++i) {
    bool unused = page[13 + 3 * i] == 0 && page[14 + 3 * i] == 0 && page[15 + 3 * i] == 0;
    for (int k = 0; k < 3 && !unused; ++k) EXPECT_NEAR(page[13 + 3 * i + k], kPage[k], 16) << "colour " << i;
  }
}

} // namespace
