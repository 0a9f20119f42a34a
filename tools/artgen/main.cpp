// artgen: makes every picture Stonecall ships, the same bytes on every run.
//
//   artgen [OUTPUT_ROOT]
//
// writes under OUTPUT_ROOT (default: the current directory, meant to be the
// repository root) res/bitmaps/1..26.bmp and 1011.bmp, res/images/1..25.jpg,
// quenmir2.gif, quenmirs.gif, the icon res/icons/stonecall-SIZE.png and
// stonecall.ico, and for review docs/contact-sheet.png and
// docs/detail-preview.png.
#include "banner.h"
#include "contact_sheet.h"
#include "glyphs.h"
#include "icon.h"
#include "lettering.h"
#include "quantize.h"
#include "runestone.h"
#include "skin.h"
#include "writers.h"

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

using namespace art;

namespace {

void make_all(const std::string &root)
{
    Lettering letters;
    std::printf("lettering: %s\n", letters.path(Face::Blackletter).c_str());
    const std::string bitmaps = root + "/res/bitmaps/", images = root + "/res/images/";

    std::vector<Image> runes;
    for (int n = 1; n <= kRuneCount; ++n) {
        Indexed picture = rune_picture(n);
        write_bmp(bitmaps + std::to_string(n) + ".bmp", picture, 4);
        runes.push_back(picture.to_image());
        write_jpeg(images + std::to_string(n) + ".jpg", runes.back(), 90);
    }
    const Image skin = detail_skin(letters);
    write_bmp(bitmaps + "26.bmp", skin);
    write_bmp(bitmaps + "1011.bmp", quantize(start_banner(letters), 256), 8);
    write_gif(images + "quenmir2.gif", quantize(page_background(), 16));
    write_gif(images + "quenmirs.gif", quantize(footer_logo(letters), 64));
    std::vector<Icon> icons;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        icons.push_back(rune_icon(size));
        write_icon_png(root + "/res/icons/stonecall-" + std::to_string(size) + ".png", icons.back());
    }
    write_ico(root + "/res/icons/stonecall.ico", {icons[0], icons[3], icons[4], icons[7]});
    write_png(root + "/docs/contact-sheet.png", contact_sheet(runes, letters));
    write_png(root + "/docs/detail-preview.png", detail_preview(skin, runes[1]));
    std::printf("wrote the pictures under %s\n", root.c_str());
}

}   // namespace

int main(int argc, char **argv)
{
    try {
        make_all(argc > 1 ? argv[1] : ".");
        return 0;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "artgen: %s\n", e.what());
        return 1;
    }
}
