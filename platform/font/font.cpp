// FreeType faces, chosen by family name through our table of Windows bitmap
// fonts and, for everything else, fontconfig.
#include "font/font.h"

#include "kernel32/codepage.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_WINFONTS_H

#include <algorithm>
#include <cstdlib>
#include <map>
#include <strings.h>
#include <tuple>

namespace font {

namespace {

constexpr const char *kWineFonts = "/usr/share/wine/fonts/";
constexpr const char *kFallbackFamily = "DejaVu Sans";
constexpr int kDefaultEm = 16;

// Windows' own bitmap fonts, by the family name programs ask for.
struct BitmapFamily {
    const char *family;
    const char *file;
};
constexpr BitmapFamily kBitmapFamilies[] = {
    {"MS Sans Serif", "sserife.fon"},
    {"System", "vgasys.fon"},
};

// Names programs use for families that are installed under another name.
struct Alias {
    const char *asked;
    const char *installed;
};
constexpr Alias kAliases[] = {
    {"Nosferatu", "Blankenburg_UNZ1A"},
};

int to_pixels(FT_Pos v) { return static_cast<int>((v + 32) >> 6); }

// What a face is made from.
struct Source {
    std::string path;
    int index = 0;
    std::string family;
};

class Library {
  public:
    Library() { FT_Init_FreeType(&ft_); }
    ~Library()
    {
        faces_.clear();
        if (ft_) FT_Done_FreeType(ft_);
    }
    FT_Library ft() const { return ft_; }
    std::map<std::tuple<std::string, int, int>, std::unique_ptr<Face>> &faces() { return faces_; }

  private:
    FT_Library ft_ = nullptr;
    std::map<std::tuple<std::string, int, int>, std::unique_ptr<Face>> faces_;
};

Library &library()
{
    static Library lib;
    return lib;
}

class FreeTypeFace final : public Face {
  public:
    FreeTypeFace(FT_Face face, Source src, int weight) : face_(face), src_(std::move(src))
    {
        // A bold request of a face that has no bold gets Windows' synthetic
        // bold: every glyph struck twice, one pixel apart.
        FT_WinFNT_HeaderRec fnt;
        const bool bold =
            FT_Get_WinFNT_Header(face_, &fnt) == 0 ? fnt.weight >= 600 : (face_->style_flags & FT_STYLE_FLAG_BOLD) != 0;
        embolden_ = weight >= 600 && !bold;
        // Bitmap fonts carry only their own code page's charmap: bytes index it directly.
        unicode_ = FT_Select_Charmap(face_, FT_ENCODING_UNICODE) == 0;
        if (!unicode_ && face_->num_charmaps > 0) FT_Set_Charmap(face_, face_->charmaps[0]);
        const FT_Size_Metrics &m = face_->size->metrics;
        metrics_.ascent = to_pixels(m.ascender);
        metrics_.descent = -to_pixels(m.descender);
        metrics_.internalLeading = metrics_.ascent + metrics_.descent - static_cast<int>(m.y_ppem);
        metrics_.maxCharWidth = to_pixels(m.max_advance);
        // Windows' average width is that of 'x' where the font has no other figure.
        metrics_.aveCharWidth = glyph('x').advance;
    }
    ~FreeTypeFace() override { FT_Done_Face(face_); }

    const Metrics &metrics() const override { return metrics_; }
    const std::string &family() const override { return src_.family; }
    const std::string &file() const override { return src_.path; }

    const Glyph &glyph(unsigned char c) override
    {
        std::optional<Glyph> &slot = glyphs_[c];
        if (!slot) slot = render(c);
        return *slot;
    }

  private:
    Glyph render(unsigned char c)
    {
        Glyph g;
        FT_ULong code = c;
        if (unicode_) code = kernel32::unicode_of_ansi(c);
        if (FT_Load_Char(face_, code, FT_LOAD_RENDER) != 0) return g;
        const FT_GlyphSlot slot = face_->glyph;
        const FT_Bitmap &bm = slot->bitmap;
        g.left = slot->bitmap_left;
        g.top = slot->bitmap_top;
        g.width = static_cast<int>(bm.width);
        g.height = static_cast<int>(bm.rows);
        g.advance = to_pixels(slot->advance.x);
        const int extra = embolden_ ? 1 : 0;
        g.width += extra;
        g.advance += extra;
        g.coverage.assign(static_cast<size_t>(g.width) * static_cast<size_t>(g.height), 0);
        for (int y = 0; y < g.height; ++y) {
            const unsigned char *row = bm.buffer + static_cast<ptrdiff_t>(y) * bm.pitch;
            uint8_t *out = g.coverage.data() + static_cast<size_t>(y) * static_cast<size_t>(g.width);
            for (int x = 0; x < g.width - extra; ++x) {
                const uint8_t v =
                    bm.pixel_mode == FT_PIXEL_MODE_MONO ? (((row[x >> 3] >> (7 - (x & 7))) & 1) ? 255 : 0) : row[x];
                for (int k = 0; k <= extra; ++k) out[x + k] = std::max(out[x + k], v);
            }
        }
        return g;
    }

    FT_Face face_;
    Source src_;
    bool unicode_ = false;
    bool embolden_ = false;
    Metrics metrics_;
    std::array<std::optional<Glyph>, 256> glyphs_;
};

// The face of last resort when no font file at all can be opened: it
// measures like a plain font of the size asked for and draws nothing.
class EmptyFace final : public Face {
  public:
    explicit EmptyFace(int em)
    {
        metrics_.ascent = em;
        metrics_.descent = em / 4;
        metrics_.aveCharWidth = metrics_.maxCharWidth = em / 2;
        blank_.advance = em / 2;
    }
    const Metrics &metrics() const override { return metrics_; }
    const Glyph &glyph(unsigned char) override { return blank_; }
    const std::string &family() const override { return none_; }
    const std::string &file() const override { return none_; }

  private:
    Metrics metrics_;
    Glyph blank_;
    std::string none_;
};

bool same_name(const std::string &a, const char *b) { return strcasecmp(a.c_str(), b) == 0; }

// A .fon file holds one face per size; pick the one nearest the request.
std::unique_ptr<Face> open_bitmap_font(const BitmapFamily &fam, int height, int weight)
{
    const std::string path = std::string(kWineFonts) + fam.file;
    FT_Face best = nullptr;
    int bestIndex = 0, bestDistance = 0;
    for (int index = 0;; ++index) {
        FT_Face face = nullptr;
        if (FT_New_Face(library().ft(), path.c_str(), index, &face) != 0) break;
        if (face->num_fixed_sizes < 1 || FT_Select_Size(face, 0) != 0) {
            FT_Done_Face(face);
            break;
        }
        const long faces = face->num_faces;
        const FT_Bitmap_Size &size = face->available_sizes[0];
        const int em = to_pixels(size.y_ppem), cell = size.height;
        const int distance = height < 0 ? std::abs(em + height) : height > 0 ? std::abs(cell - height) : index;
        if (!best || distance < bestDistance) {
            if (best) FT_Done_Face(best);
            best = face;
            bestIndex = index;
            bestDistance = distance;
        } else {
            FT_Done_Face(face);
        }
        if (index + 1 >= faces) break;
    }
    if (!best) return nullptr;
    return std::make_unique<FreeTypeFace>(best, Source{path, bestIndex, fam.family}, weight);
}

// fontconfig's best match for a family; with exact set, only a match of that
// very family counts (fontconfig would otherwise offer any font at all).
std::optional<Source> match_family(const std::string &family, int weight, bool exact)
{
    FcPattern *pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8 *>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, weight >= 600 ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern *match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match) return std::nullopt;
    std::optional<Source> src;
    FcChar8 *file = nullptr, *found = nullptr;
    int index = 0;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch &&
        FcPatternGetString(match, FC_FAMILY, 0, &found) == FcResultMatch) {
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        const std::string name = reinterpret_cast<const char *>(found);
        if (!exact || same_name(name, family.c_str())) src = Source{reinterpret_cast<const char *>(file), index, name};
    }
    FcPatternDestroy(match);
    return src;
}

std::unique_ptr<Face> open_scalable(const Source &src, int height, int weight)
{
    FT_Face face = nullptr;
    if (FT_New_Face(library().ft(), src.path.c_str(), src.index, &face) != 0) return nullptr;
    int em = height < 0 ? -height : kDefaultEm;
    if (height > 0) {
        // A cell height: scale the em so ascender plus descender fill it.
        const int units = face->ascender - face->descender;
        em = units > 0 ? std::max(1, height * face->units_per_EM / units) : height;
    }
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(em)) != 0) {
        FT_Done_Face(face);
        return nullptr;
    }
    return std::make_unique<FreeTypeFace>(face, src, weight);
}

std::unique_ptr<Face> open_face(const std::string &asked, int height, int weight)
{
    std::string family = asked;
    for (const Alias &a : kAliases)
        if (same_name(family, a.asked)) family = a.installed;
    for (const BitmapFamily &fam : kBitmapFamilies)
        if (same_name(family, fam.family))
            if (std::unique_ptr<Face> f = open_bitmap_font(fam, height, weight)) return f;
    for (const auto &[name, exact] : {std::pair{family, true}, std::pair{std::string(kFallbackFamily), false}})
        if (const std::optional<Source> src = match_family(name, weight, exact))
            if (std::unique_ptr<Face> f = open_scalable(*src, height, weight)) return f;
    return std::make_unique<EmptyFace>(height < 0 ? -height : height > 0 ? height : kDefaultEm);
}

}   // namespace

int Face::text_width(const char *s, int n)
{
    int w = 0;
    for (int i = 0; i < n; ++i) w += glyph(static_cast<unsigned char>(s[i])).advance;
    return w;
}

Face &face_for(const std::string &family, int height, int weight)
{
    std::unique_ptr<Face> &slot = library().faces()[{family, height, weight >= 600 ? 700 : 400}];
    if (!slot) slot = open_face(family, height, weight);
    return *slot;
}

}   // namespace font
