// How menus look: the classic metrics with "MS Sans Serif" 8 pt, the layout
// of the bar and of a drop-down, and their painting (labels with underlined
// mnemonics and key names, greyed items etched, check marks, the arrows of
// nested drop-downs).
#include "user32/menudraw.h"

#include "font/font.h"
#include "gdi32/brush.h"
#include "gdi32/frame.h"
#include "gdi32/gdiobj.h"
#include "gdi32/text.h"

#include <algorithm>

namespace user32 {
namespace {

constexpr int kBarPad = 6;   // blank pixels each side of a bar item's text
constexpr int kItemHeight = 17;
constexpr int kSeparatorHeight = 8;
constexpr int kTextLeft = 18;    // room for a check mark before the text
constexpr int kTextRight = 18;   // room for a drop-down's arrow after it
constexpr int kAccelGap = 12;    // between the longest text and the key names

font::Face &menu_face() { return font::face_for("MS Sans Serif", -11, FW_NORMAL); }

uint32_t sys(int index) { return gdi::pixel_of(gdi::system_color(index)); }

int text_width(const std::string &s) { return menu_face().text_width(s.data(), static_cast<int>(s.size())); }

std::string accel_text(const std::string &text)
{
    size_t tab = text.find('\t');
    return tab == std::string::npos ? std::string() : text.substr(tab + 1);
}

// A label vertically centred in [top, top + height): '&' prefixes become an
// underline under their letter; the text stops at a tab.
void draw_label(const raster::Canvas &c, int x, int top, int height, const std::string &text, uint32_t ink,
                const raster::Rect &clip)
{
    font::Face &f = menu_face();
    std::string plain;
    int underlineAt = -1, underlineWidth = 0;
    for (size_t i = 0; i < text.size() && text[i] != '\t'; ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            ++i;
            if (text[i] != '&' && underlineAt < 0) {
                underlineAt = text_width(plain);
                underlineWidth = f.text_width(&text[i], 1);
            }
        }
        plain += text[i];
    }
    const int baseline = top + (height - f.height()) / 2 + f.metrics().ascent;
    gdi::draw_glyphs(c, f, x, baseline, plain.data(), static_cast<int>(plain.size()), ink, clip);
    if (underlineAt >= 0)
        raster::fill_rect(c, {x + underlineAt, baseline + 1, x + underlineAt + underlineWidth, baseline + 2}, ink,
                          clip);
}

// An item's text in the menu's colour, or etched when greyed.
void draw_item_text(const raster::Canvas &c, int x, int top, int height, const std::string &text, bool grey,
                    const raster::Rect &clip)
{
    if (!grey) return draw_label(c, x, top, height, text, sys(COLOR_MENUTEXT), clip);
    gdi::draw_etched(
        [&](int offset, int sysColor) { draw_label(c, x + offset, top + offset, height, text, sys(sysColor), clip); });
}

void draw_arrow(const raster::Canvas &c, const raster::Rect &item, uint32_t ink, const raster::Rect &clip)
{
    const int x = item.right - 10, cy = item.top + item.height() / 2;
    for (int i = 0; i < 4; ++i) raster::fill_rect(c, {x + i, cy - 3 + i, x + i + 1, cy + 4 - i}, ink, clip);
}

}   // namespace

bool menu_item_selectable(const MenuItem &item) { return !(item.flags & MF_SEPARATOR); }
bool menu_item_enabled(const MenuItem &item) { return !(item.flags & (MF_GRAYED | MF_DISABLED)); }

std::vector<raster::Rect> menu_bar_layout(const Menu &m, const raster::Rect &bar)
{
    std::vector<raster::Rect> rects;
    int x = bar.left;
    for (const MenuItem &item : m.items) {
        int w = text_width(menu_plain_text(item.text)) + 2 * kBarPad;
        rects.push_back({x, bar.top + 1, x + w, bar.bottom - 1});
        x += w;
    }
    return rects;
}

MenuPopupLayout menu_popup_layout(const Menu &m)
{
    MenuPopupLayout l;
    int textW = 0, accelW = 0;
    for (const MenuItem &item : m.items) {
        textW = std::max(textW, text_width(menu_plain_text(item.text)));
        accelW = std::max(accelW, text_width(accel_text(item.text)));
    }
    l.accelX = kMenuPopupFrame + kTextLeft + textW + kAccelGap;
    int width = kMenuPopupFrame * 2 + kTextLeft + textW + (accelW ? kAccelGap + accelW : 0) + kTextRight;
    int y = kMenuPopupFrame;
    for (const MenuItem &item : m.items) {
        int h = menu_item_selectable(item) ? kItemHeight : kSeparatorHeight;
        l.items.push_back({kMenuPopupFrame, y, width - kMenuPopupFrame, y + h});
        y += h;
    }
    l.size = SIZE{width, y + kMenuPopupFrame};
    return l;
}

void menu_draw_popup(const raster::Canvas &c, const Menu &m, int selected)
{
    const raster::Rect all = raster::bounds(c);
    raster::fill_rect(c, all, sys(COLOR_MENU), all);
    gdi::draw_edge(c, all, EDGE_RAISED, BF_RECT, all);
    MenuPopupLayout lay = menu_popup_layout(m);
    for (size_t i = 0; i < m.items.size() && i < lay.items.size(); ++i) {
        const MenuItem &item = m.items[i];
        const raster::Rect r = lay.items[i];
        if (!menu_item_selectable(item)) {
            const int y = r.top + r.height() / 2 - 1;
            raster::fill_rect(c, {r.left + 1, y, r.right - 1, y + 1}, sys(COLOR_3DSHADOW), all);
            raster::fill_rect(c, {r.left + 1, y + 1, r.right - 1, y + 2}, sys(COLOR_3DHILIGHT), all);
            continue;
        }
        const bool grey = !menu_item_enabled(item);
        const std::string accel = accel_text(item.text);
        uint32_t ink = sys(COLOR_MENUTEXT);
        if (static_cast<int>(i) == selected) {
            // A selected greyed item keeps grey text on the highlight, without the etch.
            const int text = gdi::draw_selection(c, r, all);
            ink = sys(grey ? COLOR_GRAYTEXT : text);
            draw_label(c, r.left + kTextLeft, r.top, r.height(), item.text, ink, all);
            if (!accel.empty()) draw_label(c, lay.accelX, r.top, r.height(), accel, ink, all);
        } else {
            draw_item_text(c, r.left + kTextLeft, r.top, r.height(), item.text, grey, all);
            if (!accel.empty()) draw_item_text(c, lay.accelX, r.top, r.height(), accel, grey, all);
            if (grey) ink = sys(COLOR_3DSHADOW);
        }
        if (item.flags & MF_CHECKED) gdi::draw_check_mark(c, r.left + 5, r.top + (r.height() - 7) / 2, ink, all);
        if (item.popup) draw_arrow(c, r, ink, all);
    }
}

void menu_draw_bar(const raster::Canvas &desk, const Menu &m, const raster::Rect &bar, const raster::Rect &clip,
                   int tracked, bool open)
{
    const raster::Rect inBar = raster::intersect(clip, bar);
    std::vector<raster::Rect> rects = menu_bar_layout(m, bar);
    for (size_t i = 0; i < rects.size(); ++i) {
        const raster::Rect &r = rects[i];
        const bool isTracked = static_cast<int>(i) == tracked;
        if (isTracked) gdi::draw_edge(desk, r, open ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT, inBar);
        const int shift = isTracked && open ? 1 : 0;
        draw_item_text(desk, r.left + kBarPad + shift, r.top + shift, r.height(), m.items[i].text,
                       !menu_item_enabled(m.items[i]), inBar);
    }
}

}   // namespace user32
