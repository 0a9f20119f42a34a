#include "lettering.h"

#include <stdexcept>

namespace art {

namespace {

// Found by path so the pictures never depend on the fontconfig set-up.
const char *const kBlackletterPaths[] = {"/usr/share/fonts/truetype/blankenburg/Blankenburg_UNZ1A.ttf"};
const char *const kPlainPaths[] = {"/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf",
                                   "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"};

FT_Face open_first(FT_Library library, const char *const *paths, size_t count, std::string &used)
{
    for (size_t i = 0; i < count; ++i) {
        FT_Face face = nullptr;
        if (FT_New_Face(library, paths[i], 0, &face) == 0) {
            used = paths[i];
            return face;
        }
    }
    return nullptr;
}

}   // namespace

Lettering::Lettering()
{
    if (FT_Init_FreeType(&library_) != 0) throw std::runtime_error("FreeType did not start");
    faces_[1] = open_first(library_, kPlainPaths, std::size(kPlainPaths), paths_[1]);
    if (!faces_[1]) throw std::runtime_error("no DejaVu font found (install fonts-dejavu-core)");
    faces_[0] = open_first(library_, kBlackletterPaths, std::size(kBlackletterPaths), paths_[0]);
    if (!faces_[0]) {
        FT_New_Face(library_, paths_[1].c_str(), 0, &faces_[0]);
        paths_[0] = paths_[1];
    }
}

Lettering::~Lettering()
{
    for (FT_Face f : faces_)
        if (f) FT_Done_Face(f);
    FT_Done_FreeType(library_);
}

const std::string &Lettering::path(Face face) const { return paths_[static_cast<int>(face)]; }

int Lettering::render(Face face, int size, char c, Image *image, int x, int baseline, Rgb colour)
{
    FT_Face f = faces_[static_cast<int>(face)];
    FT_UInt glyph = FT_Get_Char_Index(f, static_cast<unsigned char>(c));
    if (glyph == 0 && c != ' ') {
        f = faces_[static_cast<int>(Face::Plain)];
        glyph = FT_Get_Char_Index(f, static_cast<unsigned char>(c));
    }
    FT_Set_Pixel_Sizes(f, 0, static_cast<FT_UInt>(size));
    if (FT_Load_Glyph(f, glyph, FT_LOAD_RENDER) != 0) return 0;
    const FT_GlyphSlot slot = f->glyph;
    if (image) {
        const FT_Bitmap &bm = slot->bitmap;
        for (unsigned row = 0; row < bm.rows; ++row)
            for (unsigned col = 0; col < bm.width; ++col)
                image->blend(x + slot->bitmap_left + static_cast<int>(col),
                             baseline - slot->bitmap_top + static_cast<int>(row), colour,
                             bm.buffer[row * bm.pitch + col]);
    }
    return static_cast<int>((slot->advance.x + 32) >> 6);
}

int Lettering::measure(Face face, int size, std::string_view text)
{
    int width = 0;
    for (char c : text) width += render(face, size, c, nullptr, 0, 0, {});
    return width;
}

void Lettering::draw(Image &image, Face face, int size, int x, int baseline, std::string_view text, Rgb colour)
{
    for (char c : text) x += render(face, size, c, &image, x, baseline, colour);
}

}   // namespace art
