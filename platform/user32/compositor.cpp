// The compositor. It keeps the desktop image and a snapshot of what it last
// composed (each visible window's place, clip, styles, caption and activation);
// the next call composes again only the places of what differs and of the
// windows whose pixels changed. A change in the set or order of windows, or in
// the desktop's size, composes everything.
#include "user32/compositor.h"
#include "user32/internal.h"
#include "user32/menu_internal.h"

#include "driver/driver.h"
#include "gdi32/dc.h"
#include "gdi32/frame.h"
#include "gdi32/gdiobj.h"
#include "gdi32/png.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

namespace user32 {

namespace {

// One visible window as composed: desktop coordinates throughout.
struct Shot {
    HWND handle = nullptr;
    raster::Rect window;   // its window rectangle
    raster::Rect clip;     // what of it shows: inside every ancestor's client area
    DWORD style = 0, exStyle = 0;
    std::string text;   // top-level windows only: the caption
    bool active = false;
    bool menu = false;
    bool closeEnabled = true;

    bool same_look(const Shot &o) const
    {
        return window == o.window && clip == o.clip && style == o.style && exStyle == o.exStyle && text == o.text &&
               active == o.active && menu == o.menu && closeEnabled == o.closeEnabled;
    }
};

struct State {
    raster::Surface desktop;
    std::vector<Shot> shots;            // paint order: bottom first, parents before children
    std::unordered_set<HWND> changed;   // windows whose pixels changed since
    bool composed = false;
    uint64_t changes = 0;
    MenuBarPainter menuPainter = nullptr;
};

State &state()
{
    static State s;
    return s;
}

bool has_menu(const Window &w) { return !w.child() && (w.menu || !w.menuName.empty()); }

// The window rectangle on the desktop and its client rectangle there.
raster::Rect desktop_window_rect(const Window &w, POINT parentClient)
{
    return raster::offset(gdi::to_canvas(w.rect), parentClient.x, parentClient.y);
}

raster::Rect desktop_client_rect(const Window &w, const raster::Rect &window)
{
    return raster::offset(gdi::to_canvas(client_rect_in_window(w)), window.left, window.top);
}

// Visible windows in paint order: top-level windows from the bottom of the
// z-order up, each followed by its children from the bottom up.
void snapshot_window(const Window &w, POINT parentClient, const raster::Rect &clip, HWND active, std::vector<Shot> &out)
{
    Shot s;
    s.handle = w.handle;
    s.window = desktop_window_rect(w, parentClient);
    s.clip = raster::intersect(s.window, clip);
    s.style = w.style;
    s.exStyle = w.exStyle;
    if (!w.child()) s.text = w.text;
    s.active = w.handle == active;
    s.menu = has_menu(w) && !(w.style & WS_MINIMIZE);   // a minimised window is its caption alone
    s.closeEnabled = w.child() || close_box_enabled(w.handle);
    out.push_back(s);
    const raster::Rect client = desktop_client_rect(w, s.window);
    const raster::Rect inner = raster::intersect(s.clip, client);
    for (auto it = w.children.rbegin(); it != w.children.rend(); ++it)
        if (const Window *c = find(*it); c && (c->style & WS_VISIBLE))
            snapshot_window(*c, POINT{client.left, client.top}, inner, active, out);
}

std::vector<Shot> snapshot(const raster::Rect &desktop)
{
    std::vector<Shot> out;
    const HWND active = GetActiveWindow();
    const std::vector<HWND> &tops = top_level_windows();
    for (auto it = tops.rbegin(); it != tops.rend(); ++it)
        if (const Window *w = find(*it); w && (w->style & WS_VISIBLE))
            snapshot_window(*w, POINT{0, 0}, desktop, active, out);
    return out;
}

// What must be composed again: everything when the windows or their order
// changed, else the old and new places of windows that look different and
// the places of windows whose pixels changed.
std::vector<raster::Rect> damage(const State &st, const std::vector<Shot> &now, const raster::Rect &desktop)
{
    if (!st.composed || st.shots.size() != now.size()) return {desktop};
    std::vector<raster::Rect> d;
    const auto add = [&d](const raster::Rect &r) {
        if (!r.empty()) d.push_back(r);
    };
    for (size_t i = 0; i < now.size(); ++i) {
        const Shot &was = st.shots[i], &is = now[i];
        if (was.handle != is.handle) return {desktop};
        if (!was.same_look(is)) {
            add(was.clip);
            add(is.clip);
        } else if (st.changed.count(is.handle)) {
            add(is.clip);
        }
    }
    return d;
}

// A transparent window (a group box) leaves its holes to what lies below.
void blit_keyed(const raster::Canvas &desk, int x, int y, const raster::Canvas &src, const raster::Rect &clip)
{
    const raster::Rect area =
        raster::intersect(raster::intersect(clip, raster::bounds(desk)), raster::offset(raster::bounds(src), x, y));
    for (int dy = area.top; dy < area.bottom; ++dy) {
        const uint32_t *from = src.row(dy - y);
        uint32_t *to = desk.row(dy);
        for (int dx = area.left; dx < area.right; ++dx)
            if (from[dx - x] != kHolePixel) to[dx] = from[dx - x];
    }
}

void compose_window(const State &st, const Window &w, const Shot &shot, const raster::Rect &damaged)
{
    const raster::Canvas &desk = st.desktop.canvas;
    const raster::Rect clip = raster::intersect(shot.clip, damaged);
    if (clip.empty()) return;
    gdi::NonClient nc;
    nc.window = shot.window;
    nc.style = w.style;
    nc.exStyle = w.exStyle;
    nc.insets = nonclient_insets(w.style, w.exStyle, shot.menu);
    nc.captionHeight = GetSystemMetrics(SM_CYCAPTION);
    nc.menuHeight = GetSystemMetrics(SM_CYMENU);
    nc.edge = GetSystemMetrics(SM_CXEDGE);
    nc.scrollSize = GetSystemMetrics(SM_CXVSCROLL);
    nc.hasMenu = shot.menu;
    if (w.style & WS_VSCROLL) {
        const RECT client = client_rect_in_window(w);
        const int track = (client.bottom - client.top) - 2 * GetSystemMetrics(SM_CYHSCROLL);
        nc.vScrollEnabled = scroll_thumb(w, track, nc.vThumbStart, nc.vThumbSize);
    }
    nc.active = shot.active;
    nc.caption = shot.text;
    const auto button = [&](LRESULT which) {
        RECT r = caption_button_rect(w, which);
        return IsRectEmpty(&r) ? raster::Rect{} : raster::offset(gdi::to_canvas(r), shot.window.left, shot.window.top);
    };
    nc.closeBox = button(HTCLOSE);
    nc.maxBox = button(HTMAXBUTTON);
    nc.minBox = button(HTMINBUTTON);
    nc.closeEnabled = shot.closeEnabled;
    const raster::Rect bar = gdi::draw_nonclient(desk, nc, clip);
    if (!bar.empty() && st.menuPainter) st.menuPainter(w.handle, desk, bar, clip);
    const raster::Rect client = desktop_client_rect(w, shot.window);
    const raster::Rect shown = raster::intersect(clip, client);
    if (w.exStyle & WS_EX_TRANSPARENT) blit_keyed(desk, client.left, client.top, w.surface.canvas, shown);
    else raster::blit(desk, client.left, client.top, w.surface.canvas, raster::bounds(w.surface.canvas), shown);
}

}   // namespace

void surface_changed(HWND hwnd) { state().changed.insert(hwnd); }

void compositor_forget_window(HWND hwnd) { state().changed.erase(hwnd); }

size_t windows_changed() { return state().changed.size(); }

void set_menu_bar_painter(MenuBarPainter painter)
{
    state().menuPainter = painter;
    state().composed = false;
}

const raster::Canvas &desktop_image()
{
    State &st = state();
    const SIZE size = drv::current().desktop_size();
    if (size.cx != st.desktop.canvas.width || size.cy != st.desktop.canvas.height) {
        st.desktop.resize(size.cx, size.cy);
        st.composed = false;
    }
    const raster::Rect all = raster::bounds(st.desktop.canvas);
    std::vector<Shot> now = snapshot(all);
    const std::vector<raster::Rect> damaged = damage(st, now, all);
    if (!damaged.empty()) ++st.changes;
    for (const raster::Rect &area : damaged) {
        raster::fill_rect(st.desktop.canvas, area, gdi::pixel_of(GetSysColor(COLOR_BACKGROUND)), all);
        for (const Shot &s : now)
            if (const Window *w = find(s.handle)) compose_window(st, *w, s, area);
    }
    st.shots = std::move(now);
    st.changed.clear();
    st.composed = true;
    return st.desktop.canvas;
}

uint64_t desktop_changes() { return state().changes; }

bool save_desktop_png(const std::string &path, std::string *error)
{
    return raster::write_png(desktop_image(), path, error);
}

}   // namespace user32
