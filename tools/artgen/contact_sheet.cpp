#include "contact_sheet.h"

#include "glyphs.h"

#include <string>

namespace art {

namespace {

constexpr Rgb kSheet{70, 74, 80}, kLabel{235, 235, 235};

struct Band {
    int width, height, per_row;
};

// Full size, the detail screen's size and the main window's size.
constexpr Band kBands[] = {{220, 270, 5}, {105, 194, 9}, {70, 129, 13}};
constexpr int kGap = 10, kLabelHeight = 16;

int band_rows(const Band &b) { return (kRuneCount + b.per_row - 1) / b.per_row; }

}   // namespace

Image contact_sheet(const std::vector<Image> &runes, Lettering &letters)
{
    int width = 0, height = kGap;
    for (const Band &b : kBands) {
        width = std::max(width, kGap + b.per_row * (b.width + kGap));
        height += band_rows(b) * (b.height + kLabelHeight + kGap) + kGap;
    }
    Image sheet(width, height, kSheet);
    int top = kGap;
    for (const Band &b : kBands) {
        for (int i = 0; i < kRuneCount; ++i) {
            int x = kGap + (i % b.per_row) * (b.width + kGap);
            int y = top + (i / b.per_row) * (b.height + kLabelHeight + kGap);
            const Image &picture = runes[i];
            sheet.paste(b.width == picture.width() ? picture : and_shrink(picture, b.width, b.height), x, y);
            std::string label = std::to_string(i + 1) + " " + std::string(rune(i + 1).name);
            letters.draw(sheet, Face::Plain, 11, x, y + b.height + 12, label, kLabel);
        }
        top += band_rows(b) * (b.height + kLabelHeight + kGap) + kGap;
    }
    return sheet;
}

Image detail_preview(const Image &skin, const Image &rune_picture)
{
    Image preview = skin;
    preview.paste(and_shrink(rune_picture, 105, 194), 15, 20);
    return preview;
}

}   // namespace art
