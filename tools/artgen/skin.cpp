#include "skin.h"

#include "noise.h"

#include <algorithm>
#include <cmath>

namespace art {

namespace {

// The dialog font "Nosferatu" 12 has base units of 9 x 20 pixels.
constexpr int kBaseX = 9, kBaseY = 20;
// A group box draws its line half a text height below its top.
constexpr int kHalfText = kBaseY / 2;
constexpr int kGroupFrame = 3;

// MulDiv for the positive values of a template: rounded to nearest.
int mul_div(int value, int numerator, int denominator) { return (value * numerator + denominator / 2) / denominator; }

struct Rect {
    int left, top, right, bottom;
};

// A template rectangle in dialog units, each coordinate and size converted on its own.
Rect from_units(int x, int y, int cx, int cy)
{
    int left = mul_div(x, kBaseX, 4), top = mul_div(y, kBaseY, 8);
    return {left, top, left + mul_div(cx, kBaseX, 4), top + mul_div(cy, kBaseY, 8)};
}

const Rect kPosition = from_units(72, 14, 170, 58);          // control 114
const Rect kInterpretation = from_units(12, 107, 233, 70);   // control 115
const Rect kPositionGroup = from_units(66, 3, 182, 71);
const Rect kInterpretationGroup = from_units(6, 97, 243, 85);
const Rect kOk = from_units(6, 186, 243, 14);
const Rect kPicture = {15, 20, 15 + 105, 20 + 194};
const Rect kParchment = {5, 6, 131, 239};
const Rect kOkBar = {kOk.left - 8, kOk.top - 3, kOk.right + 8, kOk.bottom + 5};

constexpr Rgb kPanel{255, 255, 255};
constexpr Rgb kField{192, 192, 192};   // the dialog face colour the two controls paint
constexpr Rgb kFrame{58, 34, 18}, kFrameLight{150, 104, 60};
constexpr Rgb kInk{66, 38, 20};
constexpr Rgb kBar{200, 168, 104}, kBarLight{236, 214, 160}, kBarDark{120, 92, 48};
constexpr Rgb kShadowGrey{128, 128, 128};

Rgb mix(Rgb a, Rgb b, double t)
{
    auto m = [t](uint8_t x, uint8_t y) { return static_cast<uint8_t>(std::lround(x + (y - x) * t)); };
    return {m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}

// Quarter-sawn boards laid across the screen: long wavy grain lines, darker seams.
void paint_wood(Image &image)
{
    constexpr Rgb kEarly{164, 108, 60}, kLate{112, 66, 32};
    constexpr int kBoard = 102;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            int board = y / kBoard;
            double wave = 14.0 * fractal_noise(40u + board, x / 160.0, y / 60.0, 3);
            double rings = 0.5 + 0.5 * std::sin((y + wave) * 0.55 + board * 1.7);
            double streak = fractal_noise(90u + board, x / 90.0, y / 2.5, 2);
            double t = std::clamp(0.25 + 0.45 * std::pow(rings, 3.0) + 0.45 * (streak - 0.5), 0.0, 1.0);
            Rgb c = mix(kEarly, kLate, t);
            if (y % kBoard == 0 || y % kBoard == kBoard - 1) c = mix(c, {40, 22, 10}, 0.7);
            image.at(x, y) = c;
        }
}

// Darkens the wood where a panel standing on it casts its shadow, down and right.
void shadow(Image &image, Rect r)
{
    constexpr int kOffset = 5;
    for (int y = r.top + kOffset; y < r.bottom + kOffset; ++y)
        for (int x = r.left + kOffset; x < r.right + kOffset; ++x)
            if (image.contains(x, y)) image.at(x, y) = mix(image.at(x, y), {24, 12, 4}, 0.45);
}

void frame(Image &image, Rect r, int width, Rgb outer, Rgb inner)
{
    for (int i = 0; i < width; ++i) {
        Rgb c = i == width - 1 ? inner : outer;
        int l = r.left - width + i, t = r.top - width + i, rr = r.right + width - i, b = r.bottom + width - i;
        image.fill(l, t, rr, t + 1, c);
        image.fill(l, b - 1, rr, b, c);
        image.fill(l, t, l + 1, b, c);
        image.fill(rr - 1, t, rr, b, c);
    }
}

// A group panel with its frame, as the shadow falls from it.
Rect outer(Rect g)
{
    return {g.left - kGroupFrame, g.top + kHalfText - kGroupFrame, g.right + kGroupFrame, g.bottom + kGroupFrame};
}

// A sunken well around a control's rectangle, filled with the colour the control
// paints itself, so the field looks set into the white panel.
void inset(Image &image, Rect r)
{
    image.fill(r.left, r.top, r.right, r.bottom, kField);
    image.fill(r.left - 2, r.top - 2, r.right + 2, r.top, kShadowGrey);
    image.fill(r.left - 2, r.top - 2, r.left, r.bottom + 2, kShadowGrey);
    image.fill(r.left - 2, r.bottom, r.right + 2, r.bottom + 2, {236, 236, 236});
    image.fill(r.right, r.top - 1, r.right + 2, r.bottom + 2, {236, 236, 236});
}

// A white panel framed along a group box's rectangle. The panel starts where the
// group box draws its line and its caption sits
// on a white tab across the line, where the group box puts its own text.
void group_panel(Image &image, Lettering &letters, Rect g, const char *caption)
{
    Rect panel{g.left, g.top + kHalfText, g.right, g.bottom};
    image.fill(panel.left, panel.top, panel.right, panel.bottom, kPanel);
    frame(image, panel, kGroupFrame, kFrame, kFrameLight);
    constexpr int kSize = 19;
    int text = letters.measure(Face::Blackletter, kSize, caption);
    Rect tab{g.left + 6, g.top, g.left + 6 + text + 12, g.top + kBaseY + 2};
    image.fill(tab.left, tab.top, tab.right, tab.bottom, kPanel);
    frame(image, {tab.left, tab.top, tab.right, panel.top - 1}, 2, kFrame, kFrameLight);
    image.fill(tab.left, panel.top - 4, tab.right, panel.top + 1, kPanel);
    // The tab stays blank: the group box letters its own caption onto it, and a
    // second, painted caption would show through beside it.
}

// The parchment behind the rune picture, a little mottled and darker at its edges.
void parchment(Image &image, Lettering &letters)
{
    const Rect p = kParchment;
    constexpr Rgb kLight{244, 230, 196}, kDark{214, 186, 136};
    for (int y = p.top; y < p.bottom; ++y)
        for (int x = p.left; x < p.right; ++x) {
            double edge = std::min({x - p.left, p.right - 1 - x, y - p.top, p.bottom - 1 - y}) / 10.0;
            double t = 0.55 * fractal_noise(7u, x / 18.0, y / 18.0, 4) + 0.45 * std::max(0.0, 1.0 - edge);
            image.at(x, y) = mix(kLight, kDark, std::clamp(t - 0.15, 0.0, 1.0));
        }
    frame(image, p, 3, kFrame, kFrameLight);
    frame(image, kPicture, 2, kFrame, {96, 64, 36});
    constexpr int kSize = 22;
    int width = letters.measure(Face::Blackletter, kSize, "Rune");
    letters.draw(image, Face::Blackletter, kSize, (p.left + p.right - width) / 2, 233, "Rune", kInk);
}

// The bar the OK button stands on, raised brass along the bottom.
void ok_bar(Image &image)
{
    const Rect b = kOkBar;
    image.fill(b.left, b.top, b.right, b.bottom, kBar);
    image.fill(b.left, b.top, b.right, b.top + 2, kBarLight);
    image.fill(b.left, b.top, b.left + 2, b.bottom, kBarLight);
    image.fill(b.left, b.bottom - 2, b.right, b.bottom, kBarDark);
    image.fill(b.right - 2, b.top, b.right, b.bottom, kBarDark);
    frame(image, b, 2, kFrame, kFrame);
}

}   // namespace

Image detail_skin(Lettering &letters)
{
    Image skin(578, 510);
    paint_wood(skin);
    for (Rect r : {kParchment, outer(kPositionGroup), outer(kInterpretationGroup), kOkBar}) shadow(skin, r);
    parchment(skin, letters);
    group_panel(skin, letters, kPositionGroup, "Meaning of Rune's Position");
    group_panel(skin, letters, kInterpretationGroup, "Divinatory Interpretation");
    inset(skin, kPosition);
    inset(skin, kInterpretation);
    ok_bar(skin);
    return skin;
}

}   // namespace art
